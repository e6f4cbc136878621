#pragma once
// The per-user settings store of the program (an INI file in the XDG config folder, under the
// product name) and the language choice kept in it as "LANGUAGE": the decimal "Language_ID".

#include <string>

namespace orvane::app {

// <config home>/ORVANE Q730 Gaming Mouse/settings.ini
std::string ProductSettingsPath();

// The stored "LANGUAGE" read as a decimal number the way atoi does; 0 when the store or the value
// is missing (0 is no language's id).
int ReadStoredLanguageId();

// Writes "LANGUAGE" and logs "写成功！" when the store took it. The store is created when
// missing; the file is replaced atomically, so a failed write leaves the old choice in place.
bool StoreLanguageId(int languageId);

}  // namespace orvane::app
