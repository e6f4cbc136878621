#pragma once
// What a key's function code does, as the key information list and the key tool tips word it:
// language text ids of the key assignment tables, joined by literal pieces ("Ctrl" "+" "A").

#include <string>
#include <vector>

#include "protocol/KeyTable.h"

namespace orvane {

struct TextPiece {
    std::string text;
    bool isLanguageKey = true;  // false: shown as it stands (separators, macro names, raw codes)
    bool operator==(const TextPiece&) const = default;
};

// `macroNames` are the macro index's names in macro-number order (for codes 0x70 and 0x71).
std::vector<TextPiece> DescribeFunctionCode(const FunctionCode& code, const std::vector<std::string>& macroNames);

}  // namespace orvane
