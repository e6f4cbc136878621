#pragma once
// CLabelUI ("Label"): a text or picture on a QLabel.

#include "ui/framework/ControlWidget.h"

#include <QLabel>

namespace orvane::ui {

class CLabelUI : public ControlWidget<QLabel> {
public:
    using ControlWidget::ControlWidget;

    QString GetClass() const override { return "Label"; }
    void* GetInterface(const QString& name) override {
        return name == "Label" ? this : ControlWidget::GetInterface(name);
    }

protected:
    QString WidgetText() const override { return text(); }
    void ShowText(const QString& text) override { setText(text); }
};

}  // namespace orvane::ui
