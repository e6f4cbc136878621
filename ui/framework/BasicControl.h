#pragma once
// CBasicControlUI ("Control"): a control with no behaviour of its own; the base of custom controls
// that paint themselves.

#include "ui/framework/ControlWidget.h"

namespace orvane::ui {

class CBasicControlUI : public ControlWidget<QWidget> {
public:
    using ControlWidget::ControlWidget;
};

}  // namespace orvane::ui
