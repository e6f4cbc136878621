#pragma once
// Key functions as words for scripts: "left", "dpi-up", "key:ctrl+c", "media:play-pause",
// "wheel:down:3", "move:left:10", "fire:40:3", "macro:NAME", "macro:NAME:repeat=5",
// "macro:NAME:mode=2", "pattern:2", "power:sleep", "g-key", "disabled", "raw:20:01:06". The same
// words are printed for a code and read back into it.

#include <optional>
#include <string>
#include <vector>

#include "protocol/KeyTable.h"

namespace orvane {

// The words of `code`; macros by their names (`macroNames` in macro-number order).
std::string FunctionWords(const FunctionCode& code, const std::vector<std::string>& macroNames);

struct ParsedFunction {
    std::optional<FunctionCode> code;
    std::string error;  // why the words were refused
};
ParsedFunction ParseFunctionWords(const std::string& words, const std::vector<std::string>& macroNames);

// The syntax with examples, for --help.
const char* FunctionWordsHelp();

}  // namespace orvane
