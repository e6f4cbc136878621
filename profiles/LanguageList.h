#pragma once
// The language list "Language.config" in the default data folder. Inside the program a language
// is its index in the list's "Language" array.

#include <string>
#include <vector>

namespace orvane {

struct LanguageEntry {
    int id = 0;         // "Language_ID": the locale identifier (2052, 1041, 2057, …)
    std::string name;   // "Language_name": the framework's current-language name ("en", "cn", …)
    std::string file;   // "Language_file": the language text file in the skin folder; empty when
                        // the element names none, or names a path instead of a bare file name
    std::string text;   // "Language_text": language key of the language's name, for the settings window
};

// <program data>/DefaultData/Language.config.
std::string LanguageListPath();

// The list, one entry per element. Empty, with a debug line saying why, when the file is missing,
// unreadable, not JSON or has no "Language" array.
std::vector<LanguageEntry> ReadLanguageList(const std::string& path = LanguageListPath());

}  // namespace orvane
