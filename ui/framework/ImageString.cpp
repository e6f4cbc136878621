#include "ui/framework/ImageString.h"

#include "ui/framework/AttributeValues.h"
#include "ui/framework/ResourceManager.h"

#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QRegularExpression>
#include <qdrawutil.h>

#include <algorithm>

namespace orvane::ui {
namespace {

QMargins ToMargins(const QRect& edges) {
    // corner='l,t,r,b' holds four widths, read through the same l,t,r,b syntax.
    return QMargins(edges.left(), edges.top(), edges.right() + 1, edges.bottom() + 1);
}

bool LoadPixmap(const QString& path, QPixmap& pixmap) {
    if (QPixmapCache::find(path, &pixmap)) return true;
    if (!pixmap.load(path)) return false;
    QPixmapCache::insert(path, pixmap);
    return true;
}

}  // namespace

std::optional<ImageString> ImageString::Parse(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return std::nullopt;
    ImageString image;
    if (!t.contains('=')) {
        image.file = t;
        return image;
    }
    static const QRegularExpression pair(R"((\w+)\s*=\s*'([^']*)')");
    for (auto it = pair.globalMatch(t); it.hasNext();) {
        const auto match = it.next();
        const QString key = match.captured(1).toLower();
        const QString value = match.captured(2);
        if (key == "file" || key == "res") {
            image.file = value;
        } else if (key == "source") {
            image.source = ParseRect(value);
        } else if (key == "dest") {
            image.dest = ParseRect(value);
        } else if (key == "corner") {
            if (auto edges = ParseRect(value)) image.corner = ToMargins(*edges);
        } else if (key == "fade") {
            image.fade = std::clamp(value.toInt(), 0, 255);
        }
    }
    if (image.file.isEmpty()) return std::nullopt;
    return image;
}

QString ImageStringOfFile(const QString& path) {
    if (!path.contains('=') || path.contains('\'')) return path;
    return "file='" + path + "'";
}

bool DrawImage(QPainter& painter, const QRect& rect, const QString& imageString) {
    const auto image = ImageString::Parse(imageString);
    if (!image) return false;
    QPixmap pixmap;
    if (!LoadPixmap(CResourceManager::GetInstance().GetFilePath(image->file), pixmap)) return false;

    const QRect source = image->source ? image->source->intersected(pixmap.rect()) : pixmap.rect();
    const QRect target = image->dest ? image->dest->translated(rect.topLeft()).intersected(rect) : rect;
    if (source.isEmpty() || target.isEmpty()) return true;

    painter.save();
    painter.setOpacity(image->fade / 255.0);
    if (image->corner.isNull()) {
        painter.drawPixmap(target, pixmap, source);
    } else {
        qDrawBorderPixmap(&painter, target, image->corner, pixmap, source, image->corner);
    }
    painter.restore();
    return true;
}

}  // namespace orvane::ui
