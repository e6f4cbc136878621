#include "mouse/KeyFunctionText.h"

#include <array>
#include <cstdio>
#include <utility>

#include "protocol/KeyCodeTables.h"

namespace orvane {
namespace {

struct Named {
    uint16_t value;
    const char* key;
};

constexpr Named kSpecialKeys[] = {
    {0x01, "keyboard_key_FN"}, {0x02, "mouse_key_G_key"}, {0x1B, "keyboard_key_GM"}, {0x24, "keyboard_key_COLOR"},
};

// The name of the table row with this code, or `fallback`.
TextPiece RowName(std::span<const CodeRow> rows, const FunctionCode& code, const char* fallback) {
    const auto row = FindCodeRow(rows, code);
    return {row ? rows[static_cast<size_t>(*row)].nameKey : fallback};
}

std::string KeyName(uint8_t usage) {
    const auto row = FindKeyboardRowByUsage(usage);
    return row ? KeyboardKeyRows()[static_cast<size_t>(*row)].nameKey : std::string();
}

std::string RawCode(const FunctionCode& code) {
    char text[16];
    std::snprintf(text, sizeof text, "%02X %02X %02X", code[0], code[1], code[2]);
    return text;
}

// A key or a shortcut: "Ctrl+O" from the shortcut table, else the modifiers and the key joined by '+'.
std::vector<TextPiece> DescribeKeyboard(uint8_t modifiers, uint8_t usage) {
    if (const auto shortcut = FindCodeRow(ShortcutRows(), {kFunctionKeyboard, modifiers, usage})) {
        return {{ShortcutRows()[static_cast<size_t>(*shortcut)].nameKey}};
    }
    std::vector<TextPiece> pieces;
    auto join = [&pieces](TextPiece piece) {
        if (!pieces.empty()) pieces.push_back({"+", false});
        pieces.push_back(std::move(piece));
    };
    for (int m = 0; m < kModifierRows; ++m) {
        const KeyboardKeyRow& row = KeyboardKeyRows()[static_cast<size_t>(m)];
        if ((modifiers & row.code[1]) != 0) join({row.nameKey});
    }
    if (usage != 0) {
        const std::string name = KeyName(usage);
        join(name.empty() ? TextPiece{RawCode({kFunctionKeyboard, modifiers, usage}), false} : TextPiece{name});
    }
    if (pieces.empty()) pieces.push_back({"key_function_keyboard"});
    return pieces;
}

}  // namespace

std::vector<TextPiece> DescribeFunctionCode(const FunctionCode& code, const std::vector<std::string>& macroNames) {
    const uint8_t p1 = code[1];
    const uint8_t p2 = code[2];
    switch (code[0]) {
        case kFunctionMouseButton: return {RowName(MouseButtonRows(), code, "key_function_mouse")};
        case kFunctionPointerMove: return {{"key_function_move"}};
        case kFunctionWheel: return {{"key_function_wheel"}, {" ", false}, {(p2 & 0x80) != 0 ? "wheel_down" : "wheel_up"}};
        case kFunctionDpi: return {RowName(DpiFunctionRows(), code, "key_function_dpi")};
        case kFunctionRapidFire: return {{"key_function_fire"}};
        case kFunctionKeyboard: return DescribeKeyboard(p1, p2);
        case kFunctionConsumer: return {RowName(ConsumerKeyRows(), code, "key_function_media")};
        case kFunctionPower: return {RowName(PowerKeyRows(), code, "key_function_system")};
        case kFunctionMacro:
        case kFunctionMacroRepeated:
            if (p1 < macroNames.size()) return {{"key_function_macro"}, {" " + macroNames[p1], false}};
            return {{"key_function_macro"}};
        case kFunctionShootPattern:
            if (p1 < kShootPatternCount) return {{"gun_" + std::to_string(p1 + 1) + "_txt"}};
            return {{"key_function_shoot"}};
        case kFunctionSpecial: {
            for (const Named& n : kSpecialKeys)
                if (n.value == p1) return {{n.key}};
            return {{"key_function_special"}};
        }
        default: break;
    }
    if (code == FunctionCode{}) return {{"key_function_disabled"}};
    // Factory functions outside the tables (the M8 key) read as the button they belong to.
    for (const LogicalButton& button : LogicalButtons())
        if (button.factoryCode == code) return {{button.nameText}};
    return {{RawCode(code), false}};
}

}  // namespace orvane
