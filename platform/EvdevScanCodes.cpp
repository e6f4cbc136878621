#include "platform/EvdevScanCodes.h"

#include <array>

namespace orvane {
namespace {

struct Mapping {
    uint16_t evdev;
    PcScanCode scan;
};

// Keys whose code differs from their set-1 code or that are sent with the E0 prefix. Num Lock
// and Pause share 0x45 and differ by the flag, the way a low-level keyboard hook reports them.
constexpr Mapping kMappings[] = {
    {54, {0x36, true}},    // right Shift, as the key table lists it
    {69, {0x45, true}},    // Num Lock
    {86, {0x56, false}},   // the key left of Z on ISO keyboards (K45)
    {87, {0x57, false}},   // F11
    {88, {0x58, false}},   // F12
    {89, {0x73, false}},   // Ro (K56)
    {92, {0x79, false}},   // Henkan (K132)
    {93, {0x70, false}},   // Katakana/Hiragana (K133)
    {94, {0x7B, false}},   // Muhenkan (K131)
    {96, {0x1C, true}},    // keypad Enter
    {97, {0x1D, true}},    // right Ctrl
    {98, {0x35, true}},    // keypad /
    {99, {0x37, true}},    // Print Screen
    {100, {0x38, true}},   // right Alt
    {102, {0x47, true}},   // Home
    {103, {0x48, true}},   // Up
    {104, {0x49, true}},   // Page Up
    {105, {0x4B, true}},   // Left
    {106, {0x4D, true}},   // Right
    {107, {0x4F, true}},   // End
    {108, {0x50, true}},   // Down
    {109, {0x51, true}},   // Page Down
    {110, {0x52, true}},   // Insert
    {111, {0x53, true}},   // Delete
    {119, {0x45, false}},  // Pause
    {121, {0x7E, false}},  // keypad comma (K107)
    {122, {0x72, false}},  // Hangul (K151)
    {123, {0x71, false}},  // Hanja (K150)
    {124, {0x7D, false}},  // Yen (K14)
    {125, {0x5B, true}},   // left Windows
    {126, {0x5C, true}},   // right Windows
    {127, {0x5D, true}},   // Menu (App)
};

// Codes 1-83 (Esc to keypad .) are their own set-1 codes, Num Lock apart.
constexpr uint16_t kLastPlainCode = 83;

}  // namespace

std::optional<PcScanCode> PcScanCodeOfEvdev(uint16_t evdevCode) {
    for (const Mapping& m : kMappings) {
        if (m.evdev == evdevCode) return m.scan;
    }
    if (evdevCode >= 1 && evdevCode <= kLastPlainCode) return PcScanCode{static_cast<uint8_t>(evdevCode), false};
    return std::nullopt;
}

}  // namespace orvane
