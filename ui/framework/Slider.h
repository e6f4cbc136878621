#pragma once
// CSliderUI ("Slider", and Qt's QSlider): a value the user drags. While the handle is dragged each
// new value raises "movevaluechanged"; the release, and a change by click or key, raise
// "valuechanged" (wParam = value). Values set by code raise nothing.

#include "ui/framework/ControlWidget.h"

#include <QSlider>

namespace orvane::ui {

class CSliderUI : public ControlWidget<QSlider> {
public:
    explicit CSliderUI(QWidget* parent = nullptr);

    QString GetClass() const override { return "Slider"; }
    void* GetInterface(const QString& name) override;

    int GetValue() const { return value(); }
    void SetValue(int value);
    int GetMinValue() const { return minimum(); }
    void SetMinValue(int value);
    int GetMaxValue() const { return maximum(); }
    void SetMaxValue(int value);

private:
    bool quiet_ = false;
};

}  // namespace orvane::ui
