#pragma once
// The tinted drawing of light images: the picture keeps its shape (its alpha) and takes one colour.

#include "ui/framework/AttributeValues.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

class QPainter;

namespace orvane::ui {

// A tint value as the device pages pack a light colour: red in bits 0-7, blue in bits 8-15,
// green in bits 16-23.
QColor TintToColor(ArgbColor tint);

// One light image drawn tinted, again and again. The shape is rendered once per image string,
// size and pixel ratio, the coloured picture once per colour and level, so that a repaint in an
// unchanged colour costs a blit and a new colour one pass over the shape's pixels.
class TintedImage {
public:
    // Draws the image string into `rect` in `color`, at `level` / 255 opacity (0..255). False when
    // the image cannot be drawn.
    bool Draw(QPainter& painter, const QRect& rect, const QString& imageString, const QColor& color, int level);

private:
    void Tint();

    QString imageString_;
    QSize size_;
    qreal pixelRatio_ = 0;
    QImage shape_;  // the image's coverage (alpha); null: the image could not be drawn
    QColor color_;
    int level_ = -1;
    QImage tinted_;
};

}  // namespace orvane::ui
