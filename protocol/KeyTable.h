#pragma once
// The mouse's key table: N slots of a 3-byte function code each, in the device's own order.
// Which slot serves which logical button is learnt from the factory codes read at connection.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace orvane {

using FunctionCode = std::array<uint8_t, 3>;

inline constexpr size_t kLogicalButtonCount = 11;
inline constexpr uint8_t kNoKeySlot = 126;
inline constexpr size_t kKeyTableMaxBytes = 512;

// Factory code and name text of each logical button (index = "KeyList" index = "key_N").
struct LogicalButton {
    FunctionCode factoryCode;
    const char* nameText;
};
const std::array<LogicalButton, kLogicalButtonCount>& LogicalButtons();

// Logical button -> slot; kNoKeySlot when the device has no slot for it.
using KeySlotMap = std::array<uint8_t, kLogicalButtonCount>;

// The first slot holding each button's factory code, among the table's `slotCount` slots.
KeySlotMap BuildKeySlotMap(std::span<const uint8_t> keyTable, size_t slotCount);

// A button whose factory code is in no slot was given another function before the table was
// read: it takes the first slot that no button holds and that holds its current code `codes[i]`,
// so that writing the table does not clear that slot and leave the button without a function.
void ClaimSlotsOfCurrentCodes(KeySlotMap& map, std::span<const uint8_t> keyTable, size_t slotCount,
                              std::span<const FunctionCode> codes);

// 3 x slotCount bytes: each mapped button's code at its slot; unmapped slots are zero.
// `codes[i]` is the function code of logical button i (fewer entries leave the rest unwritten).
std::vector<uint8_t> BuildKeyTable(const KeySlotMap& map, std::span<const FunctionCode> codes, size_t slotCount);

}  // namespace orvane
