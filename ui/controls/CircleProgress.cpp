#include "ui/controls/CircleProgress.h"

#include "ui/framework/ImageString.h"

#include <QPainter>

#include <algorithm>

namespace orvane::ui {
namespace {

constexpr int kRingWidth = 10;
constexpr int kSixteenths = 16;  // QPainter angles are in 1/16 degree, counter-clockwise

}  // namespace

void CCircleProgressUI::SetAttribute(const QString& name, const QString& value) {
    if (name == "forecolor") {
        if (auto c = ParseColor(value)) SetForeColor(*c);
    } else {
        CProgressUI::SetAttribute(name, value);
    }
}

void CCircleProgressUI::SetForeColor(ArgbColor color) {
    foreColor_ = color;
    Invalidate();
}

int CCircleProgressUI::SweepDegrees() const {
    const int range = GetMaxValue() - GetMinValue();
    if (range == 0) return 0;
    return std::clamp(static_cast<int>(static_cast<double>(GetValue()) / range * 360.0), -360, 360);
}

void CCircleProgressUI::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QRect area = rect();

    painter.setBrush(ToQColor(GetBkColor()));
    painter.drawPie(area, 0, 360 * kSixteenths);
    if (!GetBkImage().isEmpty()) DrawImage(painter, area, GetBkImage());

    // Straight down is -90 degrees in QPainter's counter-clockwise angles; clockwise sweeps are negative.
    painter.setBrush(ToQColor(foreColor_));
    painter.drawPie(area, -90 * kSixteenths, -SweepDegrees() * kSixteenths);
    painter.setBrush(QColor(255, 255, 255));
    painter.drawPie(area.adjusted(kRingWidth, kRingWidth, -kRingWidth, -kRingWidth), 0, 360 * kSixteenths);
}

}  // namespace orvane::ui
