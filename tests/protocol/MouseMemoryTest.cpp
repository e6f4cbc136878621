// Byte-exact encoders and decoders of the mouse's memories.
#include <gtest/gtest.h>

#include "protocol/ConfigBlock.h"
#include "protocol/KeyTable.h"
#include "protocol/MacroArea.h"

namespace orvane {
namespace {

DpiStage Stage(uint16_t index, uint8_t r, uint8_t g, uint8_t b) {
    DpiStage s;
    s.StageActive = 1;
    s.StageDPIX = index;
    s.StageDPIY = index;
    s.StageColorR = r;
    s.StageColorG = g;
    s.StageColorB = b;
    return s;
}

TEST(ResolutionIndex, MeansHundredsOfCountsPerInch) {
    EXPECT_EQ(ResolutionFromIndex(0), 100);
    EXPECT_EQ(ResolutionFromIndex(15), 1600);
    EXPECT_EQ(ResolutionFromIndex(159), 16000);
}

struct SpeedCase {
    uint8_t speed;
    bool slowLink;
    uint8_t byte3;
};

class ConfigBlockSpeed : public ::testing::TestWithParam<SpeedCase> {};

TEST_P(ConfigBlockSpeed, IsInvertedExceptOnASlowLink) {
    ConfigBlockInput in;
    in.light.speed = GetParam().speed;
    EXPECT_EQ(ConfigBlock::Build(in, GetParam().slowLink).bytes[ConfigBlock::kSpeed], GetParam().byte3);
}

INSTANTIATE_TEST_SUITE_P(Speeds, ConfigBlockSpeed,
                         ::testing::Values(SpeedCase{1, false, 3}, SpeedCase{1, true, 1}, SpeedCase{0, false, 4},
                                           SpeedCase{4, false, 0}));

TEST(ConfigBlockBuild, FillsEveryFieldAtItsOffset) {
    ConfigBlockInput in;
    in.light.mode = 3;
    in.light.brightness = 2;
    in.light.direction = 1;
    in.light.multiColor = 1;
    in.light.red = 10;
    in.light.green = 20;
    in.light.blue = 30;
    in.reportRateOption = 4;
    in.activeDpiStage = 2;
    in.liftOffOption = 1;
    in.dpiStages = {Stage(3, 1, 2, 3), Stage(7, 4, 5, 6), Stage(15, 7, 8, 9), Stage(0x0140, 0xA, 0xB, 0xC)};
    in.screenValid = 1;
    in.screenWidth = 2560;
    in.screenHeight = 1440;
    in.correction = std::make_pair(uint8_t{5}, uint8_t{6});
    const auto b = ConfigBlock::Build(in, false).bytes;

    const std::vector<std::pair<size_t, uint8_t>> expected = {
        {1, 3},  {2, 2},  {4, 1},  {5, 1},  {6, 10},    {7, 20}, {8, 30}, {9, 0},  {10, 0},   {11, 4},
        {12, 2}, {13, 1}, {14, 1}, {15, 0}, {16, 3},    {17, 0}, {18, 3}, {19, 0}, {20, 1},   {21, 2},
        {22, 3}, {41, 1}, {43, 0x40}, {44, 0x01}, {45, 0x40}, {46, 0x01}, {47, 0xA}, {68, 1}, {69, 0x00},
        {70, 0x0A}, {71, 0xA0}, {72, 0x05}, {73, 5}, {74, 6}};
    for (auto [offset, value] : expected) EXPECT_EQ(b[offset], value) << "offset " << offset;
    // Four stages: stages 4 and 5 (bytes 50..67) stay zero, as do the reserved tail bytes.
    for (size_t o = 50; o < 68; ++o) EXPECT_EQ(b[o], 0) << "offset " << o;
    for (size_t o = 75; o < ConfigBlock::kReadBytes; ++o) EXPECT_EQ(b[o], 0) << "offset " << o;
}

TEST(ConfigBlockBuild, UserEffectsAreWrittenAsModeZeroAndNoCorrectionAsZeros) {
    ConfigBlockInput in;
    in.light.mode = 9;
    in.dpiStages.assign(7, Stage(1, 1, 1, 1));  // a seventh stage has no place in the block
    const auto b = ConfigBlock::Build(in, false).bytes;
    EXPECT_EQ(b[ConfigBlock::kLightMode], 0);
    EXPECT_EQ(b[ConfigBlock::kCorrectMinSq], 0);
    EXPECT_EQ(b[ConfigBlock::kCorrectPixThresh], 0);
    EXPECT_EQ(b[ConfigBlock::kScreenValid], 0);
}

TEST(ConfigBlockDecode, KeepsTheDeviceStateAndForcesRed) {
    std::array<uint8_t, ConfigBlock::kReadBytes> raw{};
    raw[0] = 7;
    raw[1] = 5;
    raw[2] = 4;
    raw[3] = 3;
    raw[5] = 1;
    raw[6] = 1;
    raw[7] = 2;
    raw[8] = 3;
    raw[9] = 0x55;
    raw[12] = 4;
    const DecodedConfig d = DecodeConfigBlock(2, raw);
    EXPECT_EQ(d.activeProfile, 2);
    EXPECT_EQ(d.light.mode, 5);
    EXPECT_EQ(d.light.brightness, 4);
    EXPECT_EQ(d.light.speed, 1);
    EXPECT_EQ(d.light.multiColor, 1);
    EXPECT_EQ(d.activeDpiStage, 4);
    EXPECT_EQ(d.block.bytes[0], 2);
    EXPECT_EQ(d.block.bytes[9], 0);
    EXPECT_EQ(d.block.bytes[6], 255);
    EXPECT_EQ(d.block.bytes[7], 0);
    EXPECT_EQ(d.block.bytes[8], 0);
    EXPECT_EQ(d.raw.bytes, raw);
    // A light state that takes the read keeps its own direction and turns red.
    LightSetting current{0, 0, 0, 1, 0, 9, 9, 9};
    EXPECT_EQ(d.LightKeepingDirection(current), (LightSetting{5, 4, 1, 1, 1, 255, 0, 0}));
    raw[4] = 1;
    current.direction = 0;
    EXPECT_EQ(DecodeConfigBlock(2, raw).LightKeepingDirection(current).direction, 0);

    raw[3] = 6;  // out of range on the device: 8-bit arithmetic as the firmware does
    EXPECT_EQ(DecodeConfigBlock(0, raw).light.speed, 254);
}

std::vector<uint8_t> TableWith(std::initializer_list<std::pair<size_t, FunctionCode>> slots, size_t n) {
    std::vector<uint8_t> t(3 * n, 0xEE);
    for (auto [slot, code] : slots) std::copy(code.begin(), code.end(), t.begin() + static_cast<std::ptrdiff_t>(3 * slot));
    return t;
}

TEST(KeySlotMap, FindsTheFirstSlotOfEachFactoryCode) {
    const auto table = TableWith({{3, {0x10, 0x04, 0x00}}, {1, {0x10, 0x01, 0x00}}, {5, {0x10, 0x01, 0x00}}}, 8);
    const KeySlotMap map = BuildKeySlotMap(table, 8);
    EXPECT_EQ(map[2], 3);
    EXPECT_EQ(map[0], 1) << "a duplicated factory code maps to its first slot";
    EXPECT_EQ(map[1], kNoKeySlot);
}

TEST(KeySlotMap, IgnoresSlotsBeyondTheDevicesCount) {
    const auto table = TableWith({{6, {0x10, 0x02, 0x00}}}, 8);
    EXPECT_EQ(BuildKeySlotMap(table, 6)[1], kNoKeySlot);
    EXPECT_EQ(BuildKeySlotMap(table, 100)[1], 6) << "a count larger than the table is clamped to it";
}

TEST(KeySlotMap, AButtonReassignedBeforeTheReadKeepsTheSlotOfItsCurrentCode) {
    // The forward button (3) was given Ctrl+C and the back button (4) left click before this read.
    const auto table = TableWith({{0, {0x10, 0x01, 0x00}}, {2, {0x20, 0x01, 0x06}}, {4, {0x10, 0x01, 0x00}}}, 6);
    KeySlotMap map = BuildKeySlotMap(table, 6);
    ASSERT_EQ(map[3], kNoKeySlot);
    std::vector<FunctionCode> codes(kLogicalButtonCount, FunctionCode{0x99, 0, 0});
    codes[0] = {0x10, 0x01, 0x00};
    codes[3] = {0x20, 0x01, 0x06};
    codes[4] = {0x10, 0x01, 0x00};
    ClaimSlotsOfCurrentCodes(map, table, 6, codes);
    EXPECT_EQ(map[3], 2);
    EXPECT_EQ(map[0], 0);
    EXPECT_EQ(map[4], 4) << "a code held twice: the slot no other button holds";
    EXPECT_EQ(map[1], kNoKeySlot) << "no slot holds its code";
}

TEST(KeyTableBuild, PutsCodesAtTheirSlotsAndZerosElsewhere) {
    KeySlotMap map;
    map.fill(kNoKeySlot);
    map[0] = 2;
    map[1] = 0;
    map[3] = 9;  // beyond N: ignored
    const std::vector<FunctionCode> codes = {{0x20, 0x00, 0x04}, {0x10, 0x02, 0x00}, {0x10, 0x04, 0x00}, {1, 2, 3}};
    const auto table = BuildKeyTable(map, codes, 4);
    const std::vector<uint8_t> expected = {0x10, 0x02, 0x00, 0, 0, 0, 0x20, 0x00, 0x04, 0, 0, 0};
    EXPECT_EQ(table, expected);
}

MacroEventBytes Event(uint16_t delay, uint8_t type, bool down, uint8_t code) { return {delay, type, down, code}; }

TEST(MacroArea, TwoMacrosLayOutBackToBack) {
    const std::vector<std::vector<MacroEventBytes>> macros = {
        std::vector<MacroEventBytes>(3, Event(300, 1, true, 4)), std::vector<MacroEventBytes>(5, Event(10, 2, false, 0x1E))};
    const auto compiled = CompileMacroArea(macros, 128);
    ASSERT_EQ(compiled.result, 0);
    const auto& img = compiled.image;
    ASSERT_EQ(img.size(), 60u);
    const std::vector<uint8_t> header = {0xAA, 0x55, 60, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 20, 0, 36, 0};
    EXPECT_EQ(std::vector<uint8_t>(img.begin(), img.begin() + 20), header);
    EXPECT_EQ(std::vector<uint8_t>(img.begin() + 20, img.begin() + 28), (std::vector<uint8_t>{3, 0, 0, 0, 0x2C, 0x01, 0x81, 0x04}));
    EXPECT_EQ(std::vector<uint8_t>(img.begin() + 36, img.begin() + 44), (std::vector<uint8_t>{5, 0, 0, 0, 10, 0, 0x02, 0x1E}));
}

TEST(MacroArea, CapacityIsExactAndOneEventOverIsRefused) {
    auto macros = [](size_t a, size_t b) {
        return std::vector<std::vector<MacroEventBytes>>{std::vector<MacroEventBytes>(a), std::vector<MacroEventBytes>(b)};
    };
    EXPECT_EQ(CompileMacroArea(macros(20, 5), 128).image.size(), 128u);
    const auto over = CompileMacroArea(macros(20, 7), 128);
    EXPECT_EQ(over.result, 3);
    EXPECT_TRUE(over.image.empty());
    EXPECT_EQ(CompileMacroArea({}, 128).result, 0);
    EXPECT_TRUE(CompileMacroArea({}, 128).image.empty());
}

TEST(MacroArea, DelayTextIsDecimalWithTheLowSixteenBitsKept) {
    EXPECT_EQ(MacroDelayFromText("300"), 300);
    EXPECT_EQ(MacroDelayFromText(" 42ms"), 42);
    EXPECT_EQ(MacroDelayFromText("65537"), 1);
    EXPECT_EQ(MacroDelayFromText("abc"), 0);
    EXPECT_EQ(MacroDelayFromText("99999999999999999999"), 65535) << "no overflow, only the low bits";
}

}  // namespace
}  // namespace orvane
