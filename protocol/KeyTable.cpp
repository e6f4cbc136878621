#include "protocol/KeyTable.h"

#include <algorithm>

namespace orvane {

const std::array<LogicalButton, kLogicalButtonCount>& LogicalButtons() {
    static constexpr std::array<LogicalButton, kLogicalButtonCount> buttons = {{
        {{0x10, 0x01, 0x00}, "mouse_key_left"},
        {{0x10, 0x02, 0x00}, "mouse_key_right"},
        {{0x10, 0x04, 0x00}, "mouse_key_middle"},
        {{0x10, 0x10, 0x00}, "mouse_key_forward_g"},
        {{0x10, 0x08, 0x00}, "mouse_key_back_g"},
        {{0x13, 0x01, 0x00}, "mouse_key_DPI_add_g"},
        {{0x13, 0x02, 0x00}, "mouse_key_DPI_sub_g"},
        {{0xA0, 0x02, 0x00}, "mouse_key_G_key_g"},
        {{0x13, 0x03, 0x00}, "mouse_key_DPI_loop"},
        {{0xA0, 0x1B, 0x00}, "keyboard_key_GM"},
        {{0x16, 0x90, 0x01}, "mouse_key_M8_key"},
    }};
    return buttons;
}

KeySlotMap BuildKeySlotMap(std::span<const uint8_t> keyTable, size_t slotCount) {
    KeySlotMap map;
    map.fill(kNoKeySlot);
    slotCount = std::min(slotCount, keyTable.size() / 3);
    for (size_t j = 0; j < kLogicalButtonCount; ++j) {
        const FunctionCode& code = LogicalButtons()[j].factoryCode;
        for (size_t s = 0; s < slotCount; ++s) {
            if (std::equal(code.begin(), code.end(), keyTable.begin() + static_cast<std::ptrdiff_t>(3 * s))) {
                map[j] = static_cast<uint8_t>(s);
                break;
            }
        }
    }
    return map;
}

void ClaimSlotsOfCurrentCodes(KeySlotMap& map, std::span<const uint8_t> keyTable, size_t slotCount,
                              std::span<const FunctionCode> codes) {
    slotCount = std::min(slotCount, keyTable.size() / 3);
    for (size_t j = 0; j < kLogicalButtonCount && j < codes.size(); ++j) {
        if (map[j] != kNoKeySlot) continue;
        for (size_t s = 0; s < slotCount; ++s) {
            const bool taken = std::find(map.begin(), map.end(), static_cast<uint8_t>(s)) != map.end();
            if (!taken && std::equal(codes[j].begin(), codes[j].end(), keyTable.begin() + static_cast<std::ptrdiff_t>(3 * s))) {
                map[j] = static_cast<uint8_t>(s);
                break;
            }
        }
    }
}

std::vector<uint8_t> BuildKeyTable(const KeySlotMap& map, std::span<const FunctionCode> codes, size_t slotCount) {
    slotCount = std::min(slotCount, kKeyTableMaxBytes / 3);
    std::vector<uint8_t> table(3 * slotCount, 0);
    for (size_t i = 0; i < kLogicalButtonCount && i < codes.size(); ++i) {
        if (map[i] == kNoKeySlot || map[i] >= slotCount) continue;
        std::copy(codes[i].begin(), codes[i].end(), table.begin() + 3 * map[i]);
    }
    return table;
}

}  // namespace orvane
