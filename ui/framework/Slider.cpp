#include "ui/framework/Slider.h"

namespace orvane::ui {

CSliderUI::CSliderUI(QWidget* parent) : ControlWidget(parent) {
    setOrientation(Qt::Horizontal);
    connect(this, &QSlider::valueChanged, this, [this](int v) {
        if (quiet_) return;
        SendNotify(isSliderDown() ? "movevaluechanged" : "valuechanged", static_cast<WParam>(v));
    });
    connect(this, &QSlider::sliderReleased, this, [this] { SendNotify("valuechanged", static_cast<WParam>(value())); });
}

void* CSliderUI::GetInterface(const QString& name) {
    return name == "Slider" ? this : ControlWidget::GetInterface(name);
}

void CSliderUI::SetValue(int v) {
    quiet_ = true;
    setValue(v);
    quiet_ = false;
}

void CSliderUI::SetMinValue(int v) {
    quiet_ = true;
    setMinimum(v);
    quiet_ = false;
}

void CSliderUI::SetMaxValue(int v) {
    quiet_ = true;
    setMaximum(v);
    quiet_ = false;
}

}  // namespace orvane::ui
