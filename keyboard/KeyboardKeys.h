#pragma once
// The keyboard's 126 logical keys as the host knows them: each key's factory function code (how
// its slot in the keyboard's own key table is found), its cell in the 23 x 6 key grid the light
// effects draw on, and the maps from key to slot and to LED learnt from the key table and the
// LED map read at connection.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "protocol/KeyTable.h"

namespace orvane {

inline constexpr size_t kKeyboardKeyCount = 126;
inline constexpr uint8_t kNoKeyboardSlot = 255;
inline constexpr uint8_t kNoKeyLed = 255;
inline constexpr size_t kKeyLedCount = 126;  // LEDs 0..125: one intensity byte each in a frame
inline constexpr size_t kKeyboardMaxSlots = kKeyTableMaxBytes / 3;
inline constexpr size_t kKeyLightMapBytes = kKeyboardMaxSlots;

inline constexpr size_t kKeyGridColumns = 23;
inline constexpr size_t kKeyGridRows = 6;
inline constexpr uint8_t kEmptyKeyCell = 126;
using KeyGrid = std::array<std::array<uint8_t, kKeyGridColumns>, kKeyGridRows>;

// Factory function code of each logical key.
const std::array<FunctionCode, kKeyboardKeyCount>& KeyboardFactoryCodes();
// Rows top to bottom, columns left to right; kEmptyKeyCell where no key sits.
const KeyGrid& KeyboardKeyGrid();
struct KeyCell {
    uint8_t column = 0;
    uint8_t row = 0;
};
// The cell of each logical key.
const std::array<KeyCell, kKeyboardKeyCount>& KeyboardKeyCells();

// The key whose LED the keyboard's map leaves out, and that LED.
inline constexpr size_t kKeyOfFixedLed = 103;
inline constexpr uint8_t kFixedLed = 100;

struct KeyboardMaps {
    std::array<uint8_t, kKeyboardKeyCount> slotOfKey;  // kNoKeyboardSlot: the keyboard has no such key
    std::array<uint8_t, kKeyboardKeyCount> ledOfKey;   // kNoKeyLed: the key has no light

    KeyboardMaps() {
        slotOfKey.fill(kNoKeyboardSlot);
        ledOfKey.fill(kNoKeyLed);
    }
    // The logical key in `slot`; nullopt when no key maps to it.
    std::optional<size_t> KeyOfSlot(size_t slot) const;
    bool HasLights() const;
    bool operator==(const KeyboardMaps&) const = default;
};

// Each key takes the first slot (of `slotCount`) that holds its factory code and that no earlier
// key took, so keys sharing a code (the placeholders 20 00 00) get slots of their own. A key's LED
// is the LED map byte of its slot; key 103 always lights LED 100; LEDs past 125 count as none.
KeyboardMaps BuildKeyboardMaps(std::span<const uint8_t> keyTable, std::span<const uint8_t> ledMap, size_t slotCount);

// A key without a slot (its factory code is not in the table, as after an assignment written in
// an earlier run) takes the first free slot holding its current code `codes[key]`, and that
// slot's LED.
void ClaimKeyboardSlotsOfCurrentCodes(KeyboardMaps& maps, std::span<const uint8_t> keyTable,
                                      std::span<const uint8_t> ledMap, size_t slotCount,
                                      std::span<const FunctionCode> codes);

// The key table to write: the table as read, with each mapped key's code at its slot.
std::vector<uint8_t> BuildKeyboardKeyTable(const KeyboardMaps& maps, std::span<const uint8_t> keyTableRead,
                                           std::span<const FunctionCode> codes, size_t slotCount);

}  // namespace orvane
