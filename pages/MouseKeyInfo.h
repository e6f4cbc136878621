#pragma once
// The mouse page's key information in the current language: a row per key in the list
// "device_setkeyinfo_list" (the key's name and what it does), the key buttons' tool tips, and the
// logo button's tool tip naming the lighting effect.

#include <QString>

#include <vector>

#include "mouse/KeyFunctionText.h"
#include "profiles/ProfileRecords.h"

namespace orvane::ui {
class CDeviceKeyButtonUI;
class CListUI;
}  // namespace orvane::ui

namespace orvane {

// The language table's text for `key` (the key itself when the table has none).
QString LanguageText(const QString& key);
// The pieces translated and joined.
QString DescriptionText(const std::vector<TextPiece>& pieces);

struct KeyInfo {
    QString title;        // the button's name
    QString description;  // its function
};

// One entry per key: title from the logical button's name text, description of its function.
std::vector<KeyInfo> DescribeKeys(const std::vector<KeyListEntry>& keys, const std::vector<std::string>& macroNames);

// Row `index` of the list, made when it is missing: 30 pixels high, the title in a 157-pixel
// white label, the description in a 180-pixel label in 0xFF45D5BC cut off with an ellipsis.
void ShowKeyInfoRow(ui::CListUI& list, int index, const KeyInfo& info, bool visible);
// Tool tip: the title, then "Key_Set" and the description.
void ShowKeyToolTip(ui::CDeviceKeyButtonUI& button, const KeyInfo& info);
// Tool tip "Logo", then "Light_Set", a line feed, "Overall_Light_Set" and the mode's name id.
void ShowLogoToolTip(ui::CDeviceKeyButtonUI& button, const QString& modeNameId);

}  // namespace orvane
