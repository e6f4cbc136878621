#include "ui/framework/ColorPalette.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace orvane::ui {

CColorPaletteUI::CColorPaletteUI(QWidget* parent) : ControlWidget(parent) {
    setMinimumSize(32, 32);
}

void* CColorPaletteUI::GetInterface(const QString& name) {
    return name == "ColorPalette" ? this : ControlWidget::GetInterface(name);
}

void CColorPaletteUI::SetSelectColor(ArgbColor color) {
    color_ = color;
    update();
}

void CColorPaletteUI::paintEvent(QPaintEvent* e) {
    ControlWidget::paintEvent(e);
    QPainter painter(this);
    QLinearGradient hues(0, 0, width(), 0);
    for (int i = 0; i <= 6; ++i) hues.setColorAt(i / 6.0, QColor::fromHsvF(std::min(i / 6.0, 0.9999), 1, 1));
    painter.fillRect(rect(), hues);
    QLinearGradient saturation(0, 0, 0, height());
    saturation.setColorAt(0, Qt::transparent);
    saturation.setColorAt(1, Qt::white);
    painter.fillRect(rect(), saturation);
    painter.setPen(QPen(Qt::black, 1.5));
    painter.drawEllipse(MarkerPosition(), 4, 4);
}

void CColorPaletteUI::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) PickAt(e->position().toPoint());
}

void CColorPaletteUI::mouseMoveEvent(QMouseEvent* e) {
    if (e->buttons() & Qt::LeftButton) PickAt(e->position().toPoint());
}

void CColorPaletteUI::PickAt(const QPoint& point) {
    const double x = std::clamp(point.x() / double(std::max(1, width() - 1)), 0.0, 1.0);
    const double y = std::clamp(point.y() / double(std::max(1, height() - 1)), 0.0, 1.0);
    const ArgbColor picked = QColor::fromHsvF(std::min(x, 0.9999), 1.0 - y, 1.0).rgba();
    if (picked == color_) return;
    SetSelectColor(picked);
    SendNotify("colorchanged", picked);
}

QPointF CColorPaletteUI::MarkerPosition() const {
    const QColor c = ToQColor(color_);
    return {std::max(0.0f, c.hsvHueF()) * (width() - 1), (1.0f - c.hsvSaturationF()) * (height() - 1)};
}

}  // namespace orvane::ui
