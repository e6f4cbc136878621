#include "ui/framework/AttributeValues.h"

#include <QStringList>

namespace orvane::ui {

std::optional<ArgbColor> ParseColor(const QString& text) {
    const QString t = text.trimmed();
    bool ok = false;
    ArgbColor value = 0;
    if (t.startsWith('#')) {
        const QString digits = t.mid(1);
        value = digits.toUInt(&ok, 16);
        if (ok && digits.size() == 6) value |= 0xFF000000u;
        if (digits.size() != 6 && digits.size() != 8) ok = false;
    } else if (t.startsWith("0x", Qt::CaseInsensitive)) {
        value = t.mid(2).toUInt(&ok, 16);
    } else {
        value = t.toUInt(&ok, 10);
    }
    if (!ok) return std::nullopt;
    return value;
}

std::optional<bool> ParseBool(const QString& text) {
    const QString t = text.trimmed().toLower();
    if (t == "true" || t == "1" || t == "yes") return true;
    if (t == "false" || t == "0" || t == "no") return false;
    return std::nullopt;
}

std::optional<QRect> ParseRect(const QString& text) {
    const QStringList parts = text.split(',');
    if (parts.size() != 4) return std::nullopt;
    int edges[4] = {};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        edges[i] = parts[i].trimmed().toInt(&ok);
        if (!ok) return std::nullopt;
    }
    return QRect(QPoint(edges[0], edges[1]), QPoint(edges[2] - 1, edges[3] - 1));
}

QColor ToQColor(ArgbColor argb) {
    return QColor::fromRgba(argb);
}

}  // namespace orvane::ui
