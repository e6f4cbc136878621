#pragma once
// A notification: what happened ("click", "selectchanged", "timer", …), the control it happened
// to, and two parameters whose meaning depends on the type.

#include "ui/framework/WindowMessages.h"

#include <QString>

namespace orvane::ui {

class CControlUI;

struct TNotifyUI {
    QString sType;
    CControlUI* pSender = nullptr;
    WParam wParam = 0;
    LParam lParam = 0;
};

}  // namespace orvane::ui
