#include "ui/controls/TintedImage.h"

#include "ui/framework/ImageString.h"

#include <QPainter>

#include <algorithm>
#include <array>

namespace orvane::ui {

QColor TintToColor(ArgbColor tint) {
    return QColor(static_cast<int>(tint & 0xFF), static_cast<int>((tint >> 16) & 0xFF), static_cast<int>((tint >> 8) & 0xFF));
}

bool TintedImage::Draw(QPainter& painter, const QRect& rect, const QString& imageString, const QColor& color, int level) {
    if (rect.isEmpty()) return false;
    const qreal ratio = painter.device() != nullptr ? painter.device()->devicePixelRatioF() : 1.0;
    const QRect area(QPoint(0, 0), rect.size());
    if (imageString != imageString_ || rect.size() != size_ || ratio != pixelRatio_) {
        imageString_ = imageString;
        size_ = rect.size();
        pixelRatio_ = ratio;
        tinted_ = QImage();
        shape_ = QImage(rect.size() * ratio, QImage::Format_ARGB32_Premultiplied);
        shape_.setDevicePixelRatio(ratio);
        shape_.fill(Qt::transparent);
        QPainter shapePainter(&shape_);
        const bool drawn = DrawImage(shapePainter, area, imageString);
        shapePainter.end();
        // Only the coverage counts.
        shape_ = drawn ? shape_.convertToFormat(QImage::Format_Alpha8) : QImage();
    }
    if (shape_.isNull()) return false;
    level = std::clamp(level, 0, 255);
    if (tinted_.isNull() || color != color_ || level != level_) {
        color_ = color;
        level_ = level;
        Tint();
    }
    painter.drawImage(rect.topLeft(), tinted_);
    return true;
}

void TintedImage::Tint() {
    // The colour where the shape covers, as strong as the shape's coverage times the level:
    // what filling the shape in the colour and drawing it at the level's opacity would give.
    const auto scale = [](int value, int by) { return (value * by + 127) / 255; };
    const int red = color_.red(), green = color_.green(), blue = color_.blue();
    std::array<QRgb, 256> byCoverage;
    for (int coverage = 0; coverage < 256; ++coverage) {
        const int alpha = scale(coverage, level_);
        byCoverage[coverage] = qRgba(scale(red, alpha), scale(green, alpha), scale(blue, alpha), alpha);
    }
    if (tinted_.size() != shape_.size()) {
        tinted_ = QImage(shape_.size(), QImage::Format_ARGB32_Premultiplied);
        tinted_.setDevicePixelRatio(shape_.devicePixelRatio());
    }
    const int width = shape_.width();
    const int height = shape_.height();
    const uchar* in = shape_.constBits();
    uchar* out = tinted_.bits();
    for (int y = 0; y < height; ++y) {
        const uchar* from = in + y * shape_.bytesPerLine();
        auto* to = reinterpret_cast<QRgb*>(out + y * tinted_.bytesPerLine());
        for (int x = 0; x < width; ++x) to[x] = byCoverage[from[x]];
    }
}

}  // namespace orvane::ui
