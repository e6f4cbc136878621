#pragma once
// CRedioMacroButtonUI ("RedioMacroButton"): a plain button under its own class name, for skins.

#include "ui/framework/Button.h"

namespace orvane::ui {

class CRedioMacroButtonUI : public CButtonUI {
public:
    using CButtonUI::CButtonUI;
    QString GetClass() const override { return "RedioMacroButton"; }
};

}  // namespace orvane::ui
