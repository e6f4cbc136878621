#pragma once
// Image strings of layout attributes and custom controls:
//   "power/powered.png"                         a file, drawn over the whole rectangle
//   "file='a.png' source='l,t,r,b' dest='l,t,r,b' corner='l,t,r,b' fade='128'"
// file (or res): relative to the skin folder, or an absolute path; source: the part of the image
// to draw; dest: where to draw it, relative to the control's top-left corner and clipped to the
// control; corner: edges kept unscaled when stretching (nine-patch); fade: opacity 0-255. Other keys
// of the syntax (restype, mask, hole, xtiled, ytiled, hsl) are accepted and ignored.

#include <QMargins>
#include <QRect>
#include <QString>

#include <optional>

class QPainter;

namespace orvane::ui {

struct ImageString {
    QString file;
    std::optional<QRect> source;
    std::optional<QRect> dest;
    QMargins corner;
    int fade = 255;

    // nullopt for an empty text or one without a file.
    static std::optional<ImageString> Parse(const QString& text);
};

// The image string that names the file at `path` as it stands: a path holding '=' would
// otherwise read as keys, so it is given as file='…'. A path holding both '=' and a quote cannot
// be named; it is returned as it stands (and draws nothing).
QString ImageStringOfFile(const QString& path);

// Draws the image string into `rect` (the control's rectangle). False when the text does not parse
// or the file cannot be loaded; nothing is drawn then.
bool DrawImage(QPainter& painter, const QRect& rect, const QString& imageString);

}  // namespace orvane::ui
