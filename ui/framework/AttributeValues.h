#pragma once
// Reading attribute texts of layout files: colours, flags and rectangles.

#include <QColor>
#include <QRect>
#include <QString>

#include <cstdint>
#include <optional>

namespace orvane::ui {

// A colour as the program packs it: 0xAARRGGBB.
using ArgbColor = std::uint32_t;

// "#AARRGGBB", "#RRGGBB" (opaque), "0xAARRGGBB" or a decimal number.
std::optional<ArgbColor> ParseColor(const QString& text);

// "true"/"1"/"yes" and "false"/"0"/"no", any case.
std::optional<bool> ParseBool(const QString& text);

// "left,top,right,bottom": edges, not a width and height, so right and bottom are exclusive.
std::optional<QRect> ParseRect(const QString& text);

QColor ToQColor(ArgbColor argb);

}  // namespace orvane::ui
