#pragma once
// CColorPaletteUI ("ColorPalette"): a field of colours, hue from left to right and saturation from
// top to bottom at full brightness. Picking a colour with the mouse raises "colorchanged"
// (wParam = the colour, 0xAARRGGBB); SetSelectColor raises nothing.

#include "ui/framework/ControlWidget.h"

namespace orvane::ui {

class CColorPaletteUI : public ControlWidget<QWidget> {
public:
    explicit CColorPaletteUI(QWidget* parent = nullptr);

    QString GetClass() const override { return "ColorPalette"; }
    void* GetInterface(const QString& name) override;

    ArgbColor GetSelectColor() const { return color_; }
    void SetSelectColor(ArgbColor color);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    void PickAt(const QPoint& point);
    QPointF MarkerPosition() const;

    ArgbColor color_ = 0xFFFF0000;
};

}  // namespace orvane::ui
