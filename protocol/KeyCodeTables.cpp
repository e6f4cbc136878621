#include "protocol/KeyCodeTables.h"

#include <array>

namespace orvane {
namespace {

constexpr CodeRow kMouseButtons[] = {
    {{0x10, 0x01, 0x00}, "mouse_key_left"},    {{0x10, 0x04, 0x00}, "mouse_key_middle"},
    {{0x10, 0x02, 0x00}, "mouse_key_right"},   {{0x10, 0x10, 0x00}, "mouse_key_forward"},
    {{0x10, 0x08, 0x00}, "mouse_key_back"},
};

constexpr CodeRow kDpiFunctions[] = {
    {{0x13, 0x01, 0x00}, "mouse_key_DPI_add"},
    {{0x13, 0x02, 0x00}, "mouse_key_DPI_sub"},
    {{0x13, 0x03, 0x00}, "mouse_key_DPI_loop"},
};

// p1 p2: the consumer-page usage, little-endian.
constexpr CodeRow kConsumerKeys[] = {
    {{0x30, 0x83, 0x01}, "media_text"},    {{0x30, 0xCD, 0x00}, "media_play"},   {{0x30, 0xB7, 0x00}, "media_stop"},
    {{0x30, 0xB6, 0x00}, "media_prev"},    {{0x30, 0xB5, 0x00}, "media_next"},   {{0x30, 0xEA, 0x00}, "media_vol_sub"},
    {{0x30, 0xE9, 0x00}, "media_vol_add"}, {{0x30, 0xE2, 0x00}, "media_mute"},   {{0x30, 0x23, 0x02}, "web_text"},
    {{0x30, 0x27, 0x02}, "web_refresh"},   {{0x30, 0x26, 0x02}, "wed_stop"},     {{0x30, 0x24, 0x02}, "wed_back"},
    {{0x30, 0x25, 0x02}, "wed_forward"},   {{0x30, 0x2A, 0x02}, "wed_favorite"}, {{0x30, 0x21, 0x02}, "web_search"},
    {{0x30, 0x94, 0x01}, "media_mypc"},    {{0x30, 0x92, 0x01}, "media_calc"},   {{0x30, 0x8A, 0x01}, "media_mail"},
};

constexpr CodeRow kPowerKeys[] = {
    {{0x40, 0x01, 0x00}, "system_power"},
    {{0x40, 0x02, 0x00}, "system_sleep"},
    {{0x40, 0x04, 0x00}, "system_wake_up"},
};

constexpr CodeRow kShortcuts[] = {
    {{0x20, 0x01, 0x12}, "shortcut_open"},  {{0x20, 0x01, 0x11}, "shortcut_new"},
    {{0x20, 0x01, 0x1D}, "shortcut_undo"},  {{0x20, 0x01, 0x16}, "shortcut_save"},
    {{0x20, 0x01, 0x06}, "shortcut_copy"},  {{0x20, 0x01, 0x1B}, "shortcut_cut"},
    {{0x20, 0x01, 0x19}, "shortcut_paste"}, {{0x20, 0x01, 0x09}, "shortcut_find"},
    {{0x20, 0x01, 0x04}, "shortcut_select_all"}, {{0x20, 0x01, 0x2D}, "shortcut_zoom_out"},
    {{0x20, 0x01, 0x2E}, "shortcut_zoom_in"},
};

constexpr std::array<KeyboardKeyRow, kKeyboardKeyRows> kKeyboardKeys = {{
        {"keyboard_key_LCtrl", {0x20, 0x01, 0x00}, 0x1D, false},  // 0
        {"keyboard_key_LShift", {0x20, 0x02, 0x00}, 0x2A, false},  // 1
        {"keyboard_key_LAlt", {0x20, 0x04, 0x00}, 0x38, false},  // 2
        {"keyboard_key_LWin", {0x20, 0x08, 0x00}, 0x5B, true},  // 3
        {"keyboard_key_RCtrl", {0x20, 0x10, 0x00}, 0x1D, true},  // 4
        {"keyboard_key_RShift", {0x20, 0x20, 0x00}, 0x36, true},  // 5
        {"keyboard_key_RAlt", {0x20, 0x40, 0x00}, 0x38, true},  // 6
        {"keyboard_key_RWin", {0x20, 0x80, 0x00}, 0x5C, true},  // 7
        {"keyboard_key_A", {0x20, 0x00, 0x04}, 0x1E, false},  // 8
        {"keyboard_key_B", {0x20, 0x00, 0x05}, 0x30, false},  // 9
        {"keyboard_key_C", {0x20, 0x00, 0x06}, 0x2E, false},  // 10
        {"keyboard_key_D", {0x20, 0x00, 0x07}, 0x20, false},  // 11
        {"keyboard_key_E", {0x20, 0x00, 0x08}, 0x12, false},  // 12
        {"keyboard_key_F", {0x20, 0x00, 0x09}, 0x21, false},  // 13
        {"keyboard_key_G", {0x20, 0x00, 0x0A}, 0x22, false},  // 14
        {"keyboard_key_H", {0x20, 0x00, 0x0B}, 0x23, false},  // 15
        {"keyboard_key_I", {0x20, 0x00, 0x0C}, 0x17, false},  // 16
        {"keyboard_key_J", {0x20, 0x00, 0x0D}, 0x24, false},  // 17
        {"keyboard_key_K", {0x20, 0x00, 0x0E}, 0x25, false},  // 18
        {"keyboard_key_L", {0x20, 0x00, 0x0F}, 0x26, false},  // 19
        {"keyboard_key_M", {0x20, 0x00, 0x10}, 0x32, false},  // 20
        {"keyboard_key_N", {0x20, 0x00, 0x11}, 0x31, false},  // 21
        {"keyboard_key_O", {0x20, 0x00, 0x12}, 0x18, false},  // 22
        {"keyboard_key_P", {0x20, 0x00, 0x13}, 0x19, false},  // 23
        {"keyboard_key_Q", {0x20, 0x00, 0x14}, 0x10, false},  // 24
        {"keyboard_key_R", {0x20, 0x00, 0x15}, 0x13, false},  // 25
        {"keyboard_key_S", {0x20, 0x00, 0x16}, 0x1F, false},  // 26
        {"keyboard_key_T", {0x20, 0x00, 0x17}, 0x14, false},  // 27
        {"keyboard_key_U", {0x20, 0x00, 0x18}, 0x16, false},  // 28
        {"keyboard_key_V", {0x20, 0x00, 0x19}, 0x2F, false},  // 29
        {"keyboard_key_W", {0x20, 0x00, 0x1A}, 0x11, false},  // 30
        {"keyboard_key_X", {0x20, 0x00, 0x1B}, 0x2D, false},  // 31
        {"keyboard_key_Y", {0x20, 0x00, 0x1C}, 0x15, false},  // 32
        {"keyboard_key_Z", {0x20, 0x00, 0x1D}, 0x2C, false},  // 33
        {"keyboard_key_1", {0x20, 0x00, 0x1E}, 0x02, false},  // 34
        {"keyboard_key_2", {0x20, 0x00, 0x1F}, 0x03, false},  // 35
        {"keyboard_key_3", {0x20, 0x00, 0x20}, 0x04, false},  // 36
        {"keyboard_key_4", {0x20, 0x00, 0x21}, 0x05, false},  // 37
        {"keyboard_key_5", {0x20, 0x00, 0x22}, 0x06, false},  // 38
        {"keyboard_key_6", {0x20, 0x00, 0x23}, 0x07, false},  // 39
        {"keyboard_key_7", {0x20, 0x00, 0x24}, 0x08, false},  // 40
        {"keyboard_key_8", {0x20, 0x00, 0x25}, 0x09, false},  // 41
        {"keyboard_key_9", {0x20, 0x00, 0x26}, 0x0A, false},  // 42
        {"keyboard_key_0", {0x20, 0x00, 0x27}, 0x0B, false},  // 43
        {"keyboard_key_Enter", {0x20, 0x00, 0x28}, 0x1C, false},  // 44
        {"keyboard_key_Esc", {0x20, 0x00, 0x29}, 0x01, false},  // 45
        {"keyboard_key_BackSpace", {0x20, 0x00, 0x2A}, 0x0E, false},  // 46
        {"keyboard_key_Tab", {0x20, 0x00, 0x2B}, 0x0F, false},  // 47
        {"keyboard_key_Space", {0x20, 0x00, 0x2C}, 0x39, false},  // 48
        {"keyboard_key_-", {0x20, 0x00, 0x2D}, 0x0C, false},  // 49
        {"keyboard_key_=", {0x20, 0x00, 0x2E}, 0x0D, false},  // 50
        {"keyboard_key_[", {0x20, 0x00, 0x2F}, 0x1A, false},  // 51
        {"keyboard_key_]", {0x20, 0x00, 0x30}, 0x1B, false},  // 52
        {"keyboard_key_xiegang", {0x20, 0x00, 0x31}, 0x2B, false},  // 53
        {"keyboard_key_;", {0x20, 0x00, 0x33}, 0x27, false},  // 54
        {"keyboard_key_'", {0x20, 0x00, 0x34}, 0x28, false},  // 55
        {"keyboard_key_`", {0x20, 0x00, 0x35}, 0x29, false},  // 56
        {"keyboard_key_<", {0x20, 0x00, 0x36}, 0x33, false},  // 57
        {"keyboard_key_.", {0x20, 0x00, 0x37}, 0x34, false},  // 58
        {"keyboard_key_/", {0x20, 0x00, 0x38}, 0x35, false},  // 59
        {"keyboard_key_Caplk", {0x20, 0x00, 0x39}, 0x3A, false},  // 60
        {"keyboard_key_F1", {0x20, 0x00, 0x3A}, 0x3B, false},  // 61
        {"keyboard_key_F2", {0x20, 0x00, 0x3B}, 0x3C, false},  // 62
        {"keyboard_key_F3", {0x20, 0x00, 0x3C}, 0x3D, false},  // 63
        {"keyboard_key_F4", {0x20, 0x00, 0x3D}, 0x3E, false},  // 64
        {"keyboard_key_F5", {0x20, 0x00, 0x3E}, 0x3F, false},  // 65
        {"keyboard_key_F6", {0x20, 0x00, 0x3F}, 0x40, false},  // 66
        {"keyboard_key_F7", {0x20, 0x00, 0x40}, 0x41, false},  // 67
        {"keyboard_key_F8", {0x20, 0x00, 0x41}, 0x42, false},  // 68
        {"keyboard_key_F9", {0x20, 0x00, 0x42}, 0x43, false},  // 69
        {"keyboard_key_F10", {0x20, 0x00, 0x43}, 0x44, false},  // 70
        {"keyboard_key_F11", {0x20, 0x00, 0x44}, 0x57, false},  // 71
        {"keyboard_key_F12", {0x20, 0x00, 0x45}, 0x58, false},  // 72
        {"keyboard_key_Print Scr", {0x20, 0x00, 0x46}, 0x37, true},  // 73
        {"keyboard_key_Scroll Lock", {0x20, 0x00, 0x47}, 0x46, false},  // 74
        {"keyboard_key_Pause", {0x20, 0x00, 0x48}, 0x45, false},  // 75
        {"keyboard_key_Insert", {0x20, 0x00, 0x49}, 0x52, true},  // 76
        {"keyboard_key_Home", {0x20, 0x00, 0x4A}, 0x47, true},  // 77
        {"keyboard_key_Page Up", {0x20, 0x00, 0x4B}, 0x49, true},  // 78
        {"keyboard_key_Delete", {0x20, 0x00, 0x4C}, 0x53, true},  // 79
        {"keyboard_key_End", {0x20, 0x00, 0x4D}, 0x4F, true},  // 80
        {"keyboard_key_Page Down", {0x20, 0x00, 0x4E}, 0x51, true},  // 81
        {"keyboard_key_Right", {0x20, 0x00, 0x4F}, 0x4D, true},  // 82
        {"keyboard_key_Left", {0x20, 0x00, 0x50}, 0x4B, true},  // 83
        {"keyboard_key_Down", {0x20, 0x00, 0x51}, 0x50, true},  // 84
        {"keyboard_key_Up", {0x20, 0x00, 0x52}, 0x48, true},  // 85
        {"keyboard_key_Num Lock", {0x20, 0x00, 0x53}, 0x45, true},  // 86
        {"keyboard_key_Num /", {0x20, 0x00, 0x54}, 0x35, true},  // 87
        {"keyboard_key_Num *", {0x20, 0x00, 0x55}, 0x37, false},  // 88
        {"keyboard_key_Num -", {0x20, 0x00, 0x56}, 0x4A, false},  // 89
        {"keyboard_key_Num +", {0x20, 0x00, 0x57}, 0x4E, false},  // 90
        {"keyboard_key_Num Enter", {0x20, 0x00, 0x58}, 0x1C, true},  // 91
        {"keyboard_key_Num 1", {0x20, 0x00, 0x59}, 0x4F, false},  // 92
        {"keyboard_key_Num 2", {0x20, 0x00, 0x5A}, 0x50, false},  // 93
        {"keyboard_key_Num 3", {0x20, 0x00, 0x5B}, 0x51, false},  // 94
        {"keyboard_key_Num 4", {0x20, 0x00, 0x5C}, 0x4B, false},  // 95
        {"keyboard_key_Num 5", {0x20, 0x00, 0x5D}, 0x4C, false},  // 96
        {"keyboard_key_Num 6", {0x20, 0x00, 0x5E}, 0x4D, false},  // 97
        {"keyboard_key_Num 7", {0x20, 0x00, 0x5F}, 0x47, false},  // 98
        {"keyboard_key_Num 8", {0x20, 0x00, 0x60}, 0x48, false},  // 99
        {"keyboard_key_Num 9", {0x20, 0x00, 0x61}, 0x49, false},  // 100
        {"keyboard_key_Num 0", {0x20, 0x00, 0x62}, 0x52, false},  // 101
        {"keyboard_key_Decimal", {0x20, 0x00, 0x63}, 0x53, false},  // 102
        {"keyboard_key_App", {0x20, 0x00, 0x65}, 0x5D, true},  // 103
        {"keyboard_key_K45", {0x20, 0x00, 0x64}, 0x56, false},  // 104
        {"keyboard_key_K56", {0x20, 0x00, 0x87}, 0x73, false},  // 105
        {"keyboard_key_K14", {0x20, 0x00, 0x89}, 0x7D, false},  // 106
        {"keyboard_key_K107", {0x20, 0x00, 0x85}, 0x7E, false},  // 107
        {"keyboard_key_K131", {0x20, 0x00, 0x8B}, 0x7B, false},  // 108
        {"keyboard_key_K132", {0x20, 0x00, 0x8A}, 0x79, false},  // 109
        {"keyboard_key_K133", {0x20, 0x00, 0x88}, 0x70, false},  // 110
        {"keyboard_key_K150", {0x20, 0x00, 0x91}, 0x71, false},  // 111
        {"keyboard_key_K151", {0x20, 0x00, 0x90}, 0x72, false},  // 112
        {"keyboard_key_Launch App2", {0x30, 0x92, 0x01}, 0x00, false},  // 113
        {"keyboard_key_Browaer Home", {0x30, 0x23, 0x02}, 0x00, false},  // 114
        {"keyboard_key_Media Play Pause", {0x30, 0xCD, 0x00}, 0x00, false},  // 115
        {"keyboard_key_Browser Search", {0x30, 0x21, 0x02}, 0x00, false},  // 116
        {"keyboard_key_Launch Mail", {0x30, 0x8A, 0x01}, 0x00, false},  // 117
        {"keyboard_key_Volume Up", {0x30, 0xE9, 0x00}, 0x00, false},  // 118
        {"keyboard_key_Volume Mute", {0x30, 0xE2, 0x00}, 0x00, false},  // 119
        {"keyboard_key_Media Stop", {0x30, 0xB7, 0x00}, 0x00, false},  // 120
        {"keyboard_key_Volume Down", {0x30, 0xEA, 0x00}, 0x00, false},  // 121
        {"keyboard_key_Browser Favorites", {0x30, 0x2A, 0x02}, 0x00, false},  // 122
        {"keyboard_key_Browser ForWard", {0x30, 0x25, 0x02}, 0x00, false},  // 123
        {"keyboard_key_Browser Back", {0x30, 0x24, 0x02}, 0x00, false},  // 124
        {"keyboard_key_Media Prev Track", {0x30, 0xB6, 0x00}, 0x00, false},  // 125
        {"keyboard_key_Media Next Track", {0x30, 0xB5, 0x00}, 0x00, false},  // 126
        {"keyboard_key_Computer", {0x30, 0x94, 0x01}, 0x00, false},  // 127
        {"keyboard_key_Browser Refresh", {0x30, 0x27, 0x02}, 0x00, false},  // 128
        {"wed_stop", {0x30, 0x26, 0x02}, 0x00, false},  // 129
        {"keyboard_key_Launch Media Select", {0x30, 0x83, 0x01}, 0x00, false},  // 130
        {"keyboard_key_Power", {0x40, 0x01, 0x00}, 0x00, false},  // 131
        {"keyboard_key_Sleep", {0x40, 0x02, 0x00}, 0x00, false},  // 132
        {"keyboard_key_Wakeup", {0x40, 0x04, 0x00}, 0x00, false},  // 133
        {"keyboard_key_M1", {0xD0, 0xA2, 0x01}, 0x00, false},  // 134
        {"keyboard_key_M2", {0xD0, 0xA2, 0x02}, 0x00, false},  // 135
        {"keyboard_key_M3", {0xD0, 0xA2, 0x03}, 0x00, false},  // 136
        {"keyboard_key_M4", {0xD0, 0xA2, 0x04}, 0x00, false},  // 137
        {"keyboard_key_M5", {0xD0, 0xA2, 0x05}, 0x00, false},  // 138
        {"keyboard_key_FN", {0xA0, 0x01, 0x00}, 0x00, false},  // 139
        {"keyboard_key_GM", {0xA0, 0x1B, 0x00}, 0x00, false},  // 140
        {"keyboard_key_COLOR", {0xA0, 0x24, 0x00}, 0x00, false},  // 141
        {"mouse_key_G_key", {0xA0, 0x02, 0x00}, 0x00, false},  // 142
}};

constexpr MacroMouseRow kMacroMouse[] = {
    {0x0201, 1, 0x81, "mouse_key_left"},    {0x0202, 1, 0x01, "mouse_key_left"},
    {0x0204, 2, 0x81, "mouse_key_right"},   {0x0205, 2, 0x01, "mouse_key_right"},
    {0x0207, 4, 0x81, "mouse_key_middle"},  {0x0208, 4, 0x01, "mouse_key_middle"},
    {0x020B, 16, 0x81, "mouse_key_forward"}, {0x020C, 16, 0x01, "mouse_key_forward"},
    {0x020B, 8, 0x81, "mouse_key_back"},    {0x020C, 8, 0x01, "mouse_key_back"},
    {0, 0, 0x84, "mouse_move_to_left_text"}, {0, 0, 0x04, "mouse_move_to_right_text"},
    {0, 0, 0x85, "mouse_move_to_up_text"},  {0, 0, 0x05, "mouse_move_to_down_text"},
    {0x020A, 0, 0, "mouse_cursor_text"},
};

}  // namespace

std::span<const CodeRow> MouseButtonRows() { return kMouseButtons; }
std::span<const CodeRow> DpiFunctionRows() { return kDpiFunctions; }
std::span<const CodeRow> ConsumerKeyRows() { return kConsumerKeys; }
std::span<const CodeRow> PowerKeyRows() { return kPowerKeys; }
std::span<const CodeRow> ShortcutRows() { return kShortcuts; }
std::span<const KeyboardKeyRow> KeyboardKeyRows() { return kKeyboardKeys; }
std::span<const MacroMouseRow> MacroMouseRows() { return kMacroMouse; }

std::optional<int> FindCodeRow(std::span<const CodeRow> rows, const FunctionCode& code) {
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].code == code) return static_cast<int>(i);
    return std::nullopt;
}

std::optional<int> FindKeyboardRowByScanCode(uint8_t scanCode, bool extended) {
    for (int i = 0; i < kScanCodeRows; ++i) {
        const KeyboardKeyRow& row = kKeyboardKeys[static_cast<size_t>(i)];
        if (row.scanCode == scanCode && row.extended == extended) return i;
    }
    return std::nullopt;
}

std::optional<int> FindKeyboardRowByUsage(uint8_t usage) {
    for (int i = kModifierRows; i < kKeyboardKeyRows; ++i) {
        const FunctionCode& code = kKeyboardKeys[static_cast<size_t>(i)].code;
        if (code[0] == kFunctionKeyboard && code[1] == 0 && code[2] == usage) return i;
    }
    return std::nullopt;
}

std::optional<int> FindModifierRow(uint8_t bit) {
    for (int i = 0; i < kModifierRows; ++i)
        if (kKeyboardKeys[static_cast<size_t>(i)].code[1] == bit) return i;
    return std::nullopt;
}

}  // namespace orvane
