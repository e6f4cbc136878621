#include "mouse/KeyFunctionText.h"

#include <array>
#include <cstdio>
#include <utility>

namespace orvane {
namespace {

enum FunctionType : uint8_t {
    kMouseButton = 0x10,
    kPointerMove = 0x11,
    kWheel = 0x12,
    kDpiFunction = 0x13,
    kRapidFire = 0x14,
    kKeyboard = 0x20,
    kConsumer = 0x30,
    kPower = 0x40,
    kMacro = 0x70,
    kMacroRepeated = 0x71,
    kShootPattern = 0x72,
    kSpecial = 0xA0,
};

struct Named {
    uint16_t value;
    const char* key;
};

constexpr Named kMouseButtons[] = {
    {0x01, "mouse_key_left"}, {0x02, "mouse_key_right"}, {0x04, "mouse_key_middle"},
    {0x10, "mouse_key_forward"}, {0x08, "mouse_key_back"},
};
constexpr Named kDpiFunctions[] = {{1, "mouse_key_DPI_add"}, {2, "mouse_key_DPI_sub"}, {3, "mouse_key_DPI_loop"}};
constexpr Named kConsumerKeys[] = {
    {0x0183, "media_text"},  {0x00CD, "media_play"},   {0x00B7, "media_stop"},  {0x00B6, "media_prev"},
    {0x00B5, "media_next"},  {0x00EA, "media_vol_sub"}, {0x00E9, "media_vol_add"}, {0x00E2, "media_mute"},
    {0x0223, "web_text"},    {0x0227, "web_refresh"},  {0x0226, "wed_stop"},    {0x0224, "wed_back"},
    {0x0225, "wed_forward"}, {0x022A, "wed_favorite"}, {0x0221, "web_search"},  {0x0194, "media_mypc"},
    {0x0192, "media_calc"},  {0x018A, "media_mail"},
};
constexpr Named kPowerKeys[] = {{1, "system_power"}, {2, "system_sleep"}, {4, "system_wake_up"}};
// Left-Ctrl shortcuts by key usage.
constexpr Named kShortcuts[] = {
    {0x12, "shortcut_open"}, {0x11, "shortcut_new"},  {0x1D, "shortcut_undo"},       {0x16, "shortcut_save"},
    {0x06, "shortcut_copy"}, {0x1B, "shortcut_cut"},  {0x19, "shortcut_paste"},      {0x09, "shortcut_find"},
    {0x04, "shortcut_select_all"}, {0x2D, "shortcut_zoom_out"}, {0x2E, "shortcut_zoom_in"},
};
constexpr Named kSpecialKeys[] = {
    {0x01, "keyboard_key_FN"}, {0x02, "mouse_key_G_key"}, {0x1B, "keyboard_key_GM"}, {0x24, "keyboard_key_COLOR"},
};
constexpr Named kModifiers[] = {
    {0x01, "keyboard_key_LCtrl"}, {0x02, "keyboard_key_LShift"}, {0x04, "keyboard_key_LAlt"},
    {0x08, "keyboard_key_LWin"},  {0x10, "keyboard_key_RCtrl"},  {0x20, "keyboard_key_RShift"},
    {0x40, "keyboard_key_RAlt"},  {0x80, "keyboard_key_RWin"},
};
// Keyboard usages 0x28 and above with a name of their own ("keyboard_key_" + suffix).
constexpr std::pair<uint8_t, const char*> kKeyNames[] = {
    {0x28, "Enter"}, {0x29, "Esc"}, {0x2A, "BackSpace"}, {0x2B, "Tab"}, {0x2C, "Space"}, {0x2D, "-"},
    {0x2E, "="}, {0x2F, "["}, {0x30, "]"}, {0x31, "xiegang"}, {0x33, ";"}, {0x34, "'"}, {0x35, "`"},
    {0x36, "<"}, {0x37, "."}, {0x38, "/"}, {0x39, "Caplk"}, {0x46, "Print Scr"}, {0x47, "Scroll Lock"},
    {0x48, "Pause"}, {0x49, "Insert"}, {0x4A, "Home"}, {0x4B, "Page Up"}, {0x4C, "Delete"}, {0x4D, "End"},
    {0x4E, "Page Down"}, {0x4F, "Right"}, {0x50, "Left"}, {0x51, "Down"}, {0x52, "Up"}, {0x53, "Num Lock"},
    {0x54, "Num /"}, {0x55, "Num *"}, {0x56, "Num -"}, {0x57, "Num +"}, {0x58, "Num Enter"}, {0x62, "Num 0"},
    {0x63, "Decimal"}, {0x64, "K45"}, {0x65, "App"}, {0x85, "K107"}, {0x87, "K56"}, {0x88, "K133"},
    {0x89, "K14"}, {0x8A, "K132"}, {0x8B, "K131"}, {0x90, "K151"}, {0x91, "K150"},
};

template <size_t N>
const char* Find(const Named (&table)[N], uint16_t value) {
    for (const Named& n : table)
        if (n.value == value) return n.key;
    return nullptr;
}

std::string KeyName(uint8_t usage) {
    const std::string prefix = "keyboard_key_";
    if (usage >= 0x04 && usage <= 0x1D) return prefix + static_cast<char>('A' + (usage - 0x04));
    if (usage >= 0x1E && usage <= 0x26) return prefix + static_cast<char>('1' + (usage - 0x1E));
    if (usage == 0x27) return prefix + "0";
    if (usage >= 0x3A && usage <= 0x45) return prefix + "F" + std::to_string(usage - 0x3A + 1);
    if (usage >= 0x59 && usage <= 0x61) return prefix + "Num " + std::to_string(usage - 0x59 + 1);
    for (const auto& [u, suffix] : kKeyNames)
        if (u == usage) return prefix + suffix;
    return {};
}

std::string RawCode(const FunctionCode& code) {
    char text[16];
    std::snprintf(text, sizeof text, "%02X %02X %02X", code[0], code[1], code[2]);
    return text;
}

// A key or a shortcut: "Ctrl+O" from the shortcut table, else the modifiers and the key joined by '+'.
std::vector<TextPiece> DescribeKeyboard(uint8_t modifiers, uint8_t usage) {
    if (modifiers == 0x01) {
        if (const char* shortcut = Find(kShortcuts, usage)) return {{shortcut}};
    }
    std::vector<TextPiece> pieces;
    auto join = [&pieces](TextPiece piece) {
        if (!pieces.empty()) pieces.push_back({"+", false});
        pieces.push_back(std::move(piece));
    };
    for (const Named& m : kModifiers)
        if ((modifiers & m.value) != 0) join({m.key});
    if (usage != 0) {
        const std::string name = KeyName(usage);
        join(name.empty() ? TextPiece{RawCode({kKeyboard, modifiers, usage}), false} : TextPiece{name});
    }
    if (pieces.empty()) pieces.push_back({"key_function_keyboard"});
    return pieces;
}

std::vector<TextPiece> Named1(const char* key, const char* fallback) { return {{key != nullptr ? key : fallback}}; }

}  // namespace

std::vector<TextPiece> DescribeFunctionCode(const FunctionCode& code, const std::vector<std::string>& macroNames) {
    const uint8_t p1 = code[1];
    const uint8_t p2 = code[2];
    switch (code[0]) {
        case kMouseButton: return Named1(Find(kMouseButtons, p1), "key_function_mouse");
        case kPointerMove: return {{"key_function_move"}};
        case kWheel: return {{"key_function_wheel"}, {" ", false}, {(p2 & 0x80) != 0 ? "wheel_down" : "wheel_up"}};
        case kDpiFunction: return Named1(Find(kDpiFunctions, p1), "key_function_dpi");
        case kRapidFire: return {{"key_function_fire"}};
        case kKeyboard: return DescribeKeyboard(p1, p2);
        case kConsumer: return Named1(Find(kConsumerKeys, static_cast<uint16_t>(p1 | p2 << 8)), "key_function_media");
        case kPower: return Named1(Find(kPowerKeys, p1), "key_function_system");
        case kMacro:
        case kMacroRepeated:
            if (p1 < macroNames.size()) return {{"key_function_macro"}, {" " + macroNames[p1], false}};
            return {{"key_function_macro"}};
        case kShootPattern:
            if (p1 < 4) return {{"gun_" + std::to_string(p1 + 1) + "_txt"}};
            return {{"key_function_shoot"}};
        case kSpecial: return Named1(Find(kSpecialKeys, p1), "key_function_special");
        default: break;
    }
    if (code == FunctionCode{}) return {{"key_function_disabled"}};
    // Factory functions outside the tables (the M8 key) read as the button they belong to.
    for (const LogicalButton& button : LogicalButtons())
        if (button.factoryCode == code) return {{button.nameText}};
    return {{RawCode(code), false}};
}

}  // namespace orvane
