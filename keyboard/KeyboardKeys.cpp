#include "keyboard/KeyboardKeys.h"

#include <algorithm>

namespace orvane {
namespace {

constexpr FunctionCode Key(uint8_t usage) { return {0x20, 0x00, usage}; }
constexpr uint8_t E = kEmptyKeyCell;

bool SlotHolds(std::span<const uint8_t> table, size_t slot, const FunctionCode& code) {
    return std::equal(code.begin(), code.end(), table.begin() + static_cast<std::ptrdiff_t>(3 * slot));
}

uint8_t LedAt(std::span<const uint8_t> ledMap, size_t slot) {
    if (slot >= ledMap.size() || ledMap[slot] >= kKeyLedCount) return kNoKeyLed;
    return ledMap[slot];
}

bool SlotTaken(const KeyboardMaps& maps, size_t slot) {
    return std::find(maps.slotOfKey.begin(), maps.slotOfKey.end(), static_cast<uint8_t>(slot)) != maps.slotOfKey.end();
}

size_t UsableSlots(std::span<const uint8_t> keyTable, size_t slotCount) {
    return std::min({slotCount, keyTable.size() / 3, kKeyboardMaxSlots});
}

}  // namespace

const std::array<FunctionCode, kKeyboardKeyCount>& KeyboardFactoryCodes() {
    static constexpr std::array<FunctionCode, kKeyboardKeyCount> codes = {{
        Key(0x29), Key(0x3A), Key(0x3B), Key(0x3C), Key(0x3D), Key(0x3E),                      // 0-5
        Key(0x3F), Key(0x40), Key(0x41), Key(0x42), Key(0x43), Key(0x44),                      // 6-11
        Key(0x45), Key(0x46), Key(0x47), Key(0x48), {0xA0, 0x1B, 0x00}, {0xA0, 0x24, 0x00},    // 12-17
        Key(0x00), Key(0x00), Key(0x00), Key(0x35), Key(0x1E), Key(0x1F),                      // 18-23
        Key(0x20), Key(0x21), Key(0x22), Key(0x23), Key(0x24), Key(0x25),                      // 24-29
        Key(0x26), Key(0x27), Key(0x2D), Key(0x2E), Key(0x2A), Key(0x49),                      // 30-35
        Key(0x4A), Key(0x4B), Key(0x53), Key(0x54), Key(0x55), Key(0x56),                      // 36-41
        Key(0x2B), Key(0x14), Key(0x1A), Key(0x08), Key(0x15), Key(0x17),                      // 42-47
        Key(0x1C), Key(0x18), Key(0x0C), Key(0x12), Key(0x13), Key(0x2F),                      // 48-53
        Key(0x30), Key(0x31), Key(0x4C), Key(0x4D), Key(0x4E), Key(0x5F),                      // 54-59
        Key(0x60), Key(0x61), Key(0x00), Key(0x39), Key(0x04), Key(0x16),                      // 60-65
        Key(0x07), Key(0x09), Key(0x0A), Key(0x0B), Key(0x0D), Key(0x0E),                      // 66-71
        Key(0x0F), Key(0x33), Key(0x34), Key(0x28), Key(0x5C), Key(0x5D),                      // 72-77
        Key(0x5E), Key(0x8A), Key(0x8B), Key(0x90), Key(0x91), Key(0x88),                      // 78-83
        {0x20, 0x02, 0x00}, Key(0x1D), Key(0x1B), Key(0x06), Key(0x19), Key(0x05),             // 84-89
        Key(0x11), Key(0x10), Key(0x36), Key(0x37), Key(0x38), {0x20, 0x20, 0x00},             // 90-95
        Key(0x52), Key(0x59), Key(0x5A), Key(0x5B), Key(0x87), Key(0x89),                      // 96-101
        Key(0x64), Key(0x85), Key(0x00), {0x20, 0x01, 0x00}, {0x20, 0x08, 0x00}, {0x20, 0x04, 0x00},  // 102-107
        Key(0x2C), {0x20, 0x40, 0x00}, {0xA0, 0x01, 0x00}, Key(0x65), {0x20, 0x10, 0x00}, Key(0x50),  // 108-113
        Key(0x51), Key(0x4F), Key(0x62), Key(0x63), Key(0x58), Key(0x57),                      // 114-119
        {0xD0, 0xA2, 0x01}, {0xD0, 0xA2, 0x02}, {0xD0, 0xA2, 0x03}, {0xD0, 0xA2, 0x04},        // 120-123
        {0xD0, 0xA2, 0x05}, {0x20, 0x80, 0x00},                                                // 124-125
    }};
    return codes;
}

const KeyGrid& KeyboardKeyGrid() {
    // Function row, number row, three letter rows and the bottom row, with the navigation block
    // and the numeric pad to their right; the macro keys M1-M5 close the bottom row.
    static constexpr KeyGrid grid = {{
        {0, E, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, E},
        {21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, E, E},
        {42, 43, 44, 45, 46, 47, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 118, E},
        {63, 64, 65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 75, 76, 77, 78, 79, 80, 81, 82, 83, E, E},
        {84, 85, 86, 87, 88, 89, 90, 91, 92, 93, 94, 95, 96, 97, 98, 99, 100, 101, 102, 103, 117, E, E},
        {104, 105, 106, 107, 108, 109, 110, 111, 112, 113, 114, 115, 116, 119, 120, 121, 122, 123, 124, 125, E, E, E},
    }};
    return grid;
}

const std::array<KeyCell, kKeyboardKeyCount>& KeyboardKeyCells() {
    static const std::array<KeyCell, kKeyboardKeyCount> cells = [] {
        std::array<KeyCell, kKeyboardKeyCount> c{};
        for (size_t r = 0; r < kKeyGridRows; ++r)
            for (size_t col = 0; col < kKeyGridColumns; ++col) {
                const uint8_t key = KeyboardKeyGrid()[r][col];
                if (key < kKeyboardKeyCount) c[key] = {static_cast<uint8_t>(col), static_cast<uint8_t>(r)};
            }
        return c;
    }();
    return cells;
}

std::optional<size_t> KeyboardMaps::KeyOfSlot(size_t slot) const {
    if (slot >= kNoKeyboardSlot) return std::nullopt;
    const auto it = std::find(slotOfKey.begin(), slotOfKey.end(), static_cast<uint8_t>(slot));
    if (it == slotOfKey.end()) return std::nullopt;
    return static_cast<size_t>(it - slotOfKey.begin());
}

bool KeyboardMaps::HasLights() const {
    return std::any_of(ledOfKey.begin(), ledOfKey.end(), [](uint8_t led) { return led != kNoKeyLed; });
}

KeyboardMaps BuildKeyboardMaps(std::span<const uint8_t> keyTable, std::span<const uint8_t> ledMap, size_t slotCount) {
    KeyboardMaps maps;
    const size_t slots = UsableSlots(keyTable, slotCount);
    for (size_t key = 0; key < kKeyboardKeyCount; ++key) {
        for (size_t s = 0; s < slots; ++s) {
            if (SlotHolds(keyTable, s, KeyboardFactoryCodes()[key]) && !SlotTaken(maps, s)) {
                maps.slotOfKey[key] = static_cast<uint8_t>(s);
                maps.ledOfKey[key] = LedAt(ledMap, s);
                break;
            }
        }
    }
    maps.ledOfKey[kKeyOfFixedLed] = kFixedLed;
    return maps;
}

void ClaimKeyboardSlotsOfCurrentCodes(KeyboardMaps& maps, std::span<const uint8_t> keyTable,
                                      std::span<const uint8_t> ledMap, size_t slotCount,
                                      std::span<const FunctionCode> codes) {
    const size_t slots = UsableSlots(keyTable, slotCount);
    for (size_t key = 0; key < kKeyboardKeyCount && key < codes.size(); ++key) {
        if (maps.slotOfKey[key] != kNoKeyboardSlot) continue;
        for (size_t s = 0; s < slots; ++s) {
            if (SlotHolds(keyTable, s, codes[key]) && !SlotTaken(maps, s)) {
                maps.slotOfKey[key] = static_cast<uint8_t>(s);
                if (key != kKeyOfFixedLed) maps.ledOfKey[key] = LedAt(ledMap, s);
                break;
            }
        }
    }
}

std::vector<uint8_t> BuildKeyboardKeyTable(const KeyboardMaps& maps, std::span<const uint8_t> keyTableRead,
                                           std::span<const FunctionCode> codes, size_t slotCount) {
    slotCount = std::min(slotCount, kKeyboardMaxSlots);
    std::vector<uint8_t> table(3 * slotCount, 0);
    std::copy_n(keyTableRead.begin(), std::min(table.size(), keyTableRead.size()), table.begin());
    for (size_t key = 0; key < kKeyboardKeyCount && key < codes.size(); ++key) {
        const size_t slot = maps.slotOfKey[key];
        if (slot >= slotCount) continue;
        std::copy(codes[key].begin(), codes[key].end(), table.begin() + static_cast<std::ptrdiff_t>(3 * slot));
    }
    return table;
}

}  // namespace orvane
