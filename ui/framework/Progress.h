#pragma once
// CProgressUI ("Progress", and Qt's QProgressBar): a value between a minimum and a maximum, shown
// without a text of its own.

#include "ui/framework/ControlWidget.h"

#include <QProgressBar>

namespace orvane::ui {

class CProgressUI : public ControlWidget<QProgressBar> {
public:
    explicit CProgressUI(QWidget* parent = nullptr) : ControlWidget(parent) { setTextVisible(false); }

    QString GetClass() const override { return "Progress"; }
    void* GetInterface(const QString& name) override {
        return name == "Progress" ? this : ControlWidget::GetInterface(name);
    }

    int GetValue() const { return value(); }
    void SetValue(int v) { setValue(v); }
    int GetMinValue() const { return minimum(); }
    void SetMinValue(int v) { setMinimum(v); }
    int GetMaxValue() const { return maximum(); }
    void SetMaxValue(int v) { setMaximum(v); }
};

}  // namespace orvane::ui
