#pragma once
// The shared font table of the windows, and the face each language shows it in.
//
//   id   size (px)  style          id   size (px)  style
//   -1   15         regular        6    22         regular
//    0   15         bold           7    14         regular
//    1   14         underlined     8    12         regular
//    2   18         regular        9    11         regular
//    3   30         regular        10   10         regular
//    4   16         regular        11   28         regular
//    5   20         regular        50   18         bold
//
// Id -1 is the default font, which every widget without a font of its own shows.

#include <QFont>
#include <QString>

#include <optional>

namespace orvane::app {

inline constexpr int kDefaultFontId = -1;

// The face of language index `index`: 0 "Meiryo UI", 1 and 2 "Arial Unicode MS", 15 "Noto Sans
// Thai"; none for any other index (the fonts then stay as they are).
std::optional<QString> LanguageFontFace(int index);

// Rebuilds the table in `face` and makes its default font the application's, in every window
// at that window's DPI. Faces this system lacks resolve to Noto faces of the same scripts.
void ApplyLanguageFonts(const QString& face);

// Font `id` of the table; the default font for an id the table lacks. Before any
// ApplyLanguageFonts the face is the application's.
QFont GetLanguageFont(int id);

}  // namespace orvane::app
