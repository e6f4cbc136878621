#pragma once
// The constant tables of key functions: which three-byte function code each entry of the key
// assignment panel's lists stands for, the keyboard key table (name, code and the PC set-1 scan
// code a keyboard reports for it) and the mouse steps a macro can hold. Names are language keys.

#include <cstdint>
#include <optional>
#include <span>

#include "protocol/KeyTable.h"

namespace orvane {

// Function types the key assignment panel creates and shows.
enum FunctionType : uint8_t {
    kFunctionMouseButton = 0x10,
    kFunctionPointerMove = 0x11,
    kFunctionWheel = 0x12,
    kFunctionDpi = 0x13,
    kFunctionRapidFire = 0x14,
    kFunctionKeyboard = 0x20,
    kFunctionConsumer = 0x30,
    kFunctionPower = 0x40,
    kFunctionMacro = 0x70,
    kFunctionMacroRepeated = 0x71,
    kFunctionShootPattern = 0x72,
    kFunctionSpecial = 0xA0,
};

inline constexpr FunctionCode kLeftButtonCode{kFunctionMouseButton, 0x01, 0x00};
inline constexpr FunctionCode kSpecialKeyCode{kFunctionSpecial, 0x02, 0x00};

struct CodeRow {
    FunctionCode code;
    const char* nameKey;
};

// Entry index of the panel's list -> code.
std::span<const CodeRow> MouseButtonRows();  // "keyset_mousekey_combo"
std::span<const CodeRow> DpiFunctionRows();  // "keyset_mousedpi_combo"
std::span<const CodeRow> ConsumerKeyRows();  // "keyset_media_combo"
std::span<const CodeRow> PowerKeyRows();     // "keyset_system_combo"
std::span<const CodeRow> ShortcutRows();     // "keyset_combokey_combo", all with left Ctrl
inline constexpr int kShootPatternCount = 4;  // "keyset_gunkey_combo"

// The first row whose code equals `code` (p1 and p2 with the type); nullopt when none does.
std::optional<int> FindCodeRow(std::span<const CodeRow> rows, const FunctionCode& code);

struct KeyboardKeyRow {
    const char* nameKey;
    FunctionCode code;
    uint8_t scanCode;  // PC set-1 make code; 0 for rows no keyboard reports
    bool extended;     // sent with the E0 prefix
};

inline constexpr int kModifierRows = 8;     // rows 0-7: 20 m 00
inline constexpr int kScanCodeRows = 113;   // rows 0-112 carry a scan code
inline constexpr int kKeyboardKeyRows = 143;
std::span<const KeyboardKeyRow> KeyboardKeyRows();

// Among the rows with scan codes, the first with this scan code and extended flag.
std::optional<int> FindKeyboardRowByScanCode(uint8_t scanCode, bool extended);
// The first key row (8 and on) of type 0x20 without modifier whose usage is `usage`.
std::optional<int> FindKeyboardRowByUsage(uint8_t usage);
// The modifier row (0-7) whose modifier bit is `bit`.
std::optional<int> FindModifierRow(uint8_t bit);

// The mouse steps of a macro: window message, button bit, type byte (bit 7 set for "down").
struct MacroMouseRow {
    uint16_t message;
    uint8_t buttonBit;
    uint8_t typeByte;
    const char* nameKey;
};
inline constexpr int kMacroMouseButtonRows = 10;  // rows 0-9: buttons; rows 10-13: pointer moves
std::span<const MacroMouseRow> MacroMouseRows();

}  // namespace orvane
