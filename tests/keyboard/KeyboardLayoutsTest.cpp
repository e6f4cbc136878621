// The keyboard's byte layouts: the key grid, the key-to-slot and key-to-LED maps built from a
// key table and an LED map, the key table to write, and the 25-byte block both ways.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "keyboard/KeyboardBlock.h"
#include "keyboard/KeyboardKeys.h"

namespace orvane {
namespace {

using Bytes = std::vector<uint8_t>;

// A table of `slots` slots holding the factory codes of keys `order[0]`, `order[1]`, ...
Bytes TableOf(const std::vector<size_t>& order) {
    Bytes table;
    for (size_t key : order) {
        const FunctionCode& c = KeyboardFactoryCodes()[key];
        table.insert(table.end(), c.begin(), c.end());
    }
    return table;
}

// Keys in reverse order: slot s holds key 125 - s; the LED of slot s is s + 1 (slot 125: none).
struct Reversed {
    std::vector<size_t> order;
    Bytes table;
    Bytes leds;
    Reversed() {
        for (size_t s = 0; s < kKeyboardKeyCount; ++s) order.push_back(kKeyboardKeyCount - 1 - s);
        table = TableOf(order);
        for (size_t s = 0; s < kKeyboardKeyCount; ++s) leds.push_back(static_cast<uint8_t>(s + 1));
        leds.resize(kKeyLightMapBytes, kNoKeyLed);
    }
};

TEST(KeyboardKeyGrid, HoldsEveryKeyOnce) {
    std::vector<int> seen(kKeyboardKeyCount, 0);
    for (const auto& row : KeyboardKeyGrid())
        for (uint8_t key : row)
            if (key != kEmptyKeyCell) ++seen.at(key);
    EXPECT_TRUE(std::all_of(seen.begin(), seen.end(), [](int n) { return n == 1; }));
    EXPECT_EQ(KeyboardKeyCells()[44].column, 2);
    EXPECT_EQ(KeyboardKeyCells()[44].row, 2);
}

TEST(KeyboardMaps, SlotSevenHoldingWMapsKeyFortyFourAndItsLed) {
    std::vector<size_t> order(kKeyboardKeyCount);
    for (size_t s = 0; s < order.size(); ++s) order[s] = s;
    std::swap(order[7], order[44]);
    Bytes leds(kKeyLightMapBytes, kNoKeyLed);
    leds[7] = 90;
    const KeyboardMaps maps = BuildKeyboardMaps(TableOf(order), leds, kKeyboardKeyCount);
    EXPECT_EQ(maps.slotOfKey[44], 7);
    EXPECT_EQ(maps.ledOfKey[44], 90);
    EXPECT_EQ(maps.ledOfKey[103], 100) << "key 103 always lights LED 100";
    EXPECT_EQ(maps.KeyOfSlot(7), 44u);
}

TEST(KeyboardMaps, PlaceholderKeysTakeSlotsOfTheirOwn) {
    const Reversed r;
    const KeyboardMaps maps = BuildKeyboardMaps(r.table, r.leds, kKeyboardKeyCount);
    std::vector<uint8_t> slots;
    for (size_t key : {18, 19, 20, 62, 104}) slots.push_back(maps.slotOfKey[key]);
    std::sort(slots.begin(), slots.end());
    EXPECT_EQ(std::adjacent_find(slots.begin(), slots.end()), slots.end()) << "five keys of code 20 00 00, five slots";
    for (size_t key = 0; key < kKeyboardKeyCount; ++key) EXPECT_NE(maps.slotOfKey[key], kNoKeyboardSlot) << key;
    EXPECT_EQ(maps.slotOfKey[0], 125);
    EXPECT_EQ(maps.ledOfKey[0], kNoKeyLed) << "slot 125's LED byte 126 lies past the frame";
    EXPECT_EQ(maps.ledOfKey[1], 125);
}

TEST(KeyboardMaps, AKeyTableCutShortLeavesTheRestWithoutSlotOrLight) {
    const Reversed r;
    const KeyboardMaps maps = BuildKeyboardMaps(r.table, r.leds, 10);
    EXPECT_EQ(maps.slotOfKey[125], 0);
    EXPECT_EQ(maps.slotOfKey[0], kNoKeyboardSlot);
    EXPECT_EQ(maps.ledOfKey[0], kNoKeyLed);
    EXPECT_FALSE(maps.KeyOfSlot(50));
    EXPECT_FALSE(KeyboardMaps().HasLights());
}

TEST(KeyboardMaps, AKeyReassignedEarlierFindsItsSlotByItsCurrentCode) {
    Reversed r;
    // Slot 81 holds key 44 (W); an earlier run gave W the code of Ctrl+C.
    const FunctionCode ctrlC{0x20, 0x01, 0x06};
    std::copy(ctrlC.begin(), ctrlC.end(), r.table.begin() + 3 * 81);
    KeyboardMaps maps = BuildKeyboardMaps(r.table, r.leds, kKeyboardKeyCount);
    ASSERT_EQ(maps.slotOfKey[44], kNoKeyboardSlot);
    std::vector<FunctionCode> codes(KeyboardFactoryCodes().begin(), KeyboardFactoryCodes().end());
    codes[44] = ctrlC;
    ClaimKeyboardSlotsOfCurrentCodes(maps, r.table, r.leds, kKeyboardKeyCount, codes);
    EXPECT_EQ(maps.slotOfKey[44], 81);
    EXPECT_EQ(maps.ledOfKey[44], 82);

    codes[44] = {0x20, 0x01, 0x19};  // now Ctrl+V
    const Bytes written = BuildKeyboardKeyTable(maps, r.table, codes, kKeyboardKeyCount);
    ASSERT_EQ(written.size(), 378u);
    EXPECT_EQ(Bytes(written.begin() + 243, written.begin() + 246), (Bytes{0x20, 0x01, 0x19}));
    Bytes rest = written;
    std::copy(r.table.begin() + 243, r.table.begin() + 246, rest.begin() + 243);
    EXPECT_EQ(rest, r.table) << "every other slot as it was";
}

TEST(KeyboardMaps, SlotsNoKeyMapsToAreWrittenAsRead) {
    Bytes table = TableOf({5, 6});
    table.insert(table.end(), {0x30, 0xE9, 0x00});  // the keyboard's own volume key
    KeyboardMaps maps = BuildKeyboardMaps(table, Bytes(kKeyLightMapBytes, kNoKeyLed), 3);
    std::vector<FunctionCode> codes(kKeyboardKeyCount, FunctionCode{0x20, 0x00, 0x04});
    const Bytes written = BuildKeyboardKeyTable(maps, table, codes, 3);
    EXPECT_EQ(written, (Bytes{0x20, 0x00, 0x04, 0x20, 0x00, 0x04, 0x30, 0xE9, 0x00}));
}

struct BlockCase {
    const char* name;
    LightSetting light;
    KeyboardSystemSettings settings;
    std::vector<std::pair<size_t, uint8_t>> bytes;  // offset, value
};

class KeyboardBlockBuild : public ::testing::TestWithParam<BlockCase> {};

TEST_P(KeyboardBlockBuild, PutsEachValueInItsByte) {
    const BlockCase& c = GetParam();
    const KeyboardBlock b = KeyboardBlock::Build(0, c.light, c.settings);
    for (const auto& [offset, value] : c.bytes) EXPECT_EQ(b.bytes[offset], value) << "byte " << offset;
    for (size_t i = KeyboardBlock::kReserved9; i < KeyboardBlock::kWFlag; ++i) EXPECT_EQ(b.bytes[i], 0);
    EXPECT_EQ(b.bytes[23], 0);
    EXPECT_EQ(b.bytes[24], 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, KeyboardBlockBuild,
    ::testing::Values(
        BlockCase{"Lighting", {9, 3, 1, 1, 1, 10, 20, 30}, {}, {{1, 9}, {2, 3}, {3, 3}, {4, 1}, {5, 1}, {6, 10}, {7, 20}, {8, 30}}},
        BlockCase{"ModeTwentyFiveIsWrittenAsZero", {25, 4, 4, 0, 0, 0, 0, 0}, {}, {{1, 0}, {3, 0}}},
        BlockCase{"UserEffectTwentyTwo", {22, 4, 0, 0, 0, 0, 0, 0}, {}, {{1, 22}, {3, 4}}},
        BlockCase{"Flags", {}, {31, 1, 1, 2, 1, 1}, {{19, 1}, {20, 1}, {21, 1}, {22, 2}}},
        BlockCase{"OutOfRangeValuesWithinWhatTheKeyboardTakes", {0, 9, 9, 5, 7, 0, 0, 0}, {0, 0, 3, 9, 2, 4},
                  {{2, 4}, {3, 0}, {4, 1}, {5, 1}, {19, 1}, {20, 1}, {21, 1}, {22, 3}}}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(KeyboardBlockDecode, TakesLightingAndFlagsButNotDirectionOrRate) {
    std::array<uint8_t, KeyboardBlock::kBytes> raw{};
    raw[1] = 13, raw[2] = 2, raw[3] = 3, raw[4] = 1, raw[5] = 1, raw[6] = 7, raw[7] = 8, raw[8] = 9;
    raw[19] = 1, raw[20] = 0, raw[21] = 1, raw[22] = 2;
    const LightSetting current{0, 0, 0, 0, 0, 0, 0, 0};
    const auto d = DecodeKeyboardBlock(2, raw, current);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->activeProfile, 2);
    EXPECT_EQ(d->light, (LightSetting{13, 2, 1, 0, 1, 7, 8, 9}));
    EXPECT_EQ(d->WFlag, 1);
    EXPECT_EQ(d->Key6Flag, 0);
    EXPECT_EQ(d->WinFlag, 1);

    for (auto [offset, value] : {std::pair<size_t, uint8_t>{1, 25}, {2, 5}, {3, 5}}) {
        auto bad = raw;
        bad[offset] = value;
        EXPECT_FALSE(DecodeKeyboardBlock(0, bad, current)) << "byte " << offset << " = " << int{value};
    }
}

}  // namespace
}  // namespace orvane
