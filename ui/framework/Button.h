#pragma once
// CButtonUI ("Button"): a push button; a click raises "click". Its looks (normal, hover, pressed,
// disabled) come from the style sheet.

#include "ui/framework/ControlWidget.h"

#include <QPushButton>

namespace orvane::ui {

class CButtonUI : public ControlWidget<QPushButton> {
public:
    explicit CButtonUI(QWidget* parent = nullptr);

    QString GetClass() const override { return "Button"; }
    void* GetInterface(const QString& name) override;
    // Raises "click".
    bool Activate() override;

protected:
    QString WidgetText() const override { return text(); }
    void ShowText(const QString& text) override { setText(text); }
};

}  // namespace orvane::ui
