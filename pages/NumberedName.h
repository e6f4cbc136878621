#pragma once
// The naming convention of numbered controls: prefix + decimal number ("key_3", "light_0_2"). A
// text is split at its last underscore; the prefix keeps the underscore and is compared without
// regard to case; the rest is read as a C library integer conversion reads it (leading blanks and
// a sign allowed, reading stops at the first non-digit, no digits give 0).

#include <QString>

#include <optional>

namespace orvane {

struct NumberedName {
    QString prefix;  // up to and including the last underscore
    int number = 0;

    bool HasPrefix(const QString& p) const { return prefix.compare(p, Qt::CaseInsensitive) == 0; }
};

// nullopt for a text without an underscore.
std::optional<NumberedName> SplitNumberedName(const QString& text);

}  // namespace orvane
