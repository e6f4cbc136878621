#include "ui/controls/TintedImage.h"

#include "ui/framework/ImageString.h"

#include <QPainter>

#include <algorithm>

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
        if (!DrawImage(shapePainter, area, imageString)) {
            shapePainter.end();
            shape_ = QImage();
        }
    }
    if (shape_.isNull()) return false;
    if (tinted_.isNull() || color != color_) {
        color_ = color;
        tinted_ = shape_.copy();
        QPainter tintPainter(&tinted_);
        tintPainter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        tintPainter.fillRect(area, color);
    }
    painter.save();
    painter.setOpacity(painter.opacity() * std::clamp(level, 0, 255) / 255.0);
    painter.drawImage(rect.topLeft(), tinted_);
    painter.restore();
    return true;
}

}  // namespace orvane::ui
