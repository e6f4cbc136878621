// The words of the key information list for each kind of function code.
#include <gtest/gtest.h>

#include "mouse/KeyFunctionText.h"

namespace orvane {
namespace {

TEST(KeyFunctionText, EachKindOfCodeHasItsWords) {
    struct Case {
        FunctionCode code;
        std::vector<TextPiece> words;
    };
    const std::vector<std::string> macros = {"Jump", "Reload"};
    const Case cases[] = {
        {{0x10, 0x04, 0x00}, {{"mouse_key_middle"}}},
        {{0x10, 0x40, 0x00}, {{"key_function_mouse"}}},
        {{0x12, 0x11, 0x83}, {{"key_function_wheel"}, {" ", false}, {"wheel_down"}}},
        {{0x13, 0x03, 0x00}, {{"mouse_key_DPI_loop"}}},
        {{0x20, 0x01, 0x16}, {{"shortcut_save"}}},
        {{0x20, 0x05, 0x3A}, {{"keyboard_key_LCtrl"}, {"+", false}, {"keyboard_key_LAlt"}, {"+", false}, {"keyboard_key_F1"}}},
        {{0x20, 0x00, 0x27}, {{"keyboard_key_0"}}},
        {{0x20, 0x00, 0xF0}, {{"20 00 F0", false}}},
        {{0x30, 0xE9, 0x00}, {{"media_vol_add"}}},
        {{0x30, 0x23, 0x02}, {{"web_text"}}},
        {{0x40, 0x02, 0x00}, {{"system_sleep"}}},
        {{0x70, 0x01, 0x00}, {{"key_function_macro"}, {" Reload", false}}},
        {{0x71, 0x05, 0x03}, {{"key_function_macro"}}},
        {{0x72, 0x03, 0x00}, {{"gun_4_txt"}}},
        {{0xA0, 0x1B, 0x00}, {{"keyboard_key_GM"}}},
        {{0x16, 0x90, 0x01}, {{"mouse_key_M8_key"}}},
        {{0x00, 0x00, 0x00}, {{"key_function_disabled"}}},
        {{0x55, 0x01, 0x02}, {{"55 01 02", false}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DescribeFunctionCode(c.code, macros), c.words)
            << std::hex << int{c.code[0]} << " " << int{c.code[1]} << " " << int{c.code[2]};
    }
}

}  // namespace
}  // namespace orvane
