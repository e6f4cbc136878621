#pragma once
// The tinted drawing of light images: the picture keeps its shape (its alpha) and takes one colour.

#include "ui/framework/AttributeValues.h"

#include <QColor>
#include <QRect>
#include <QString>

class QPainter;

namespace orvane::ui {

// A tint value as the device pages pack a light colour: red in bits 0-7, blue in bits 8-15,
// green in bits 16-23.
QColor TintToColor(ArgbColor tint);

// Draws the image string into `rect` in `color`, at `level` / 255 opacity (0..255). False when the
// image cannot be drawn.
bool DrawTintedImage(QPainter& painter, const QRect& rect, const QString& imageString, const QColor& color, int level);

}  // namespace orvane::ui
