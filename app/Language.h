#pragma once
// Choosing, applying and remembering the interface language. A language is its index in
// "Language.config" (LanguageList.h); its texts come from its language text file in the skin
// folder, its fonts from LanguageFonts.h, and the choice is kept as "LANGUAGE" (LanguageStore.h).
// UI thread.

namespace orvane::app {

// The stored language's index in the list: the first element whose "Language_ID" equals the
// stored id; 0 when nothing is stored, the list cannot be read or no element matches.
int GetLanguageIndex();

// The language the windows show. The main window owns one.
class LanguageSwitch {
public:
    // -1 until a language has been applied.
    int CurrentLanguageIndex() const { return current_; }

    // Shows language `index`: its fonts when it has a face (LanguageFontFace), the framework's
    // current language and text file, the texts of every window anew, and stores its id.
    // Nothing happens, and false is returned, for the index already shown; the caller repaints
    // and tells an open settings window (3089) when true comes back.
    // An index the list lacks, or a text file that is missing or broken, shows the English
    // texts instead (with a debug line); the stored choice is then only replaced when the list
    // named the language.
    bool ApplyLanguage(int index);

private:
    int current_ = -1;
};

}  // namespace orvane::app
