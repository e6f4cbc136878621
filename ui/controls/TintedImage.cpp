#include "ui/controls/TintedImage.h"

#include "ui/framework/ImageString.h"

#include <QImage>
#include <QPainter>

#include <algorithm>

namespace orvane::ui {

QColor TintToColor(ArgbColor tint) {
    return QColor(static_cast<int>(tint & 0xFF), static_cast<int>((tint >> 16) & 0xFF), static_cast<int>((tint >> 8) & 0xFF));
}

bool DrawTintedImage(QPainter& painter, const QRect& rect, const QString& imageString, const QColor& color, int level) {
    if (rect.isEmpty()) return false;
    QImage shape(rect.size(), QImage::Format_ARGB32_Premultiplied);
    shape.fill(Qt::transparent);
    {
        QPainter shapePainter(&shape);
        if (!DrawImage(shapePainter, QRect(QPoint(0, 0), rect.size()), imageString)) return false;
        shapePainter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        shapePainter.fillRect(shape.rect(), color);
    }
    painter.save();
    painter.setOpacity(painter.opacity() * std::clamp(level, 0, 255) / 255.0);
    painter.drawImage(rect.topLeft(), shape);
    painter.restore();
    return true;
}

}  // namespace orvane::ui
