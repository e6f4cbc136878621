// The light tables against their published values, and the step function at its bounds.
#include <gtest/gtest.h>

#include "light/LightTables.h"
#include "light/StepIndex.h"

namespace orvane {
namespace {

TEST(LightTables, SizesAndPublishedValues) {
    EXPECT_EQ(kBrightnessLevels, (std::array<uint8_t, 5>{0, 60, 135, 195, 255}));
    EXPECT_EQ(kFlashPeriods, (std::array<uint8_t, 5>{28, 23, 18, 13, 7}));
    EXPECT_EQ(kFixedColors[0], (Rgb{0, 255, 180}));
    EXPECT_EQ(kFixedColors[3], (Rgb{255, 0, 0}));

    ASSERT_EQ(kBreathCurve.size(), 128u);
    const std::array<uint8_t, 12> breathStart{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12};
    EXPECT_TRUE(std::equal(breathStart.begin(), breathStart.end(), kBreathCurve.begin()));
    EXPECT_EQ(kBreathCurve[17], 24);  // end of the steps of 2
    EXPECT_EQ(kBreathCurve[18], 27);
    EXPECT_EQ(kBreathCurve[57], 213);
    for (size_t i = 0; i < 64; ++i) EXPECT_EQ(kBreathCurve[i], kBreathCurve[127 - i]) << i;

    ASSERT_EQ(kWaveCurve.size(), 96u);
    EXPECT_EQ(kWaveCurve[1], 24);
    EXPECT_EQ(kWaveCurve[2], 27);
    EXPECT_EQ(kWaveCurve[9], 49);
    for (size_t i = 0; i < 48; ++i) EXPECT_EQ(kWaveCurve[i], kWaveCurve[95 - i]) << i;
    for (size_t i = 1; i < 48; ++i) EXPECT_GT(kWaveCurve[i], kWaveCurve[i - 1]) << i;
}

TEST(LightTables, ColourWheelSextants) {
    ASSERT_EQ(kColorWheel.size(), 192u);
    struct Case {
        size_t index;
        Rgb color;
    };
    const Case cases[] = {
        {0, {255, 1, 0}},   {31, {255, 255, 0}}, {32, {248, 255, 0}},  {63, {0, 255, 0}},
        {64, {0, 255, 1}},  {96, {0, 248, 255}}, {127, {0, 0, 255}},   {128, {1, 0, 255}},
        {159, {255, 0, 255}}, {160, {255, 0, 248}}, {175, {255, 0, 77}}, {191, {255, 0, 0}},
    };
    for (const Case& c : cases) EXPECT_EQ(kColorWheel[c.index], c.color) << c.index;
}

TEST(LightTables, LookupsOutsideTheTablesStayInside) {
    EXPECT_EQ(BrightnessLevel(4), 255);
    EXPECT_EQ(BrightnessLevel(9), 255);
    EXPECT_EQ(FlashPeriodMs(0), 5600u);
    EXPECT_EQ(FlashPeriodMs(4), 1400u);
    EXPECT_EQ(FlashPeriodMs(5), 0u);  // above the table: as fast as it goes
    EXPECT_EQ(WheelColor(192), kColorWheel[0]);
    EXPECT_EQ(FixedColor(5), kFixedColors[1]);
}

TEST(LightTables, RippleGroupsNameLightsUpTo18) {
    EXPECT_EQ(kRippleGroups[0], (std::array<uint8_t, 3>{0, 18, 18}));
    EXPECT_EQ(kRippleGroups[1], (std::array<uint8_t, 3>{1, 17, kNoLight}));
    EXPECT_EQ(kRippleGroups[7], (std::array<uint8_t, 3>{7, 9, 11}));
    EXPECT_EQ(kRippleGroups[8], (std::array<uint8_t, 3>{8, 9, 10}));
}

TEST(StepIndex, WrapsAtBothEnds) {
    struct Case {
        bool forward;
        uint8_t period, position, delta, expected;
    };
    const Case cases[] = {
        {false, 128, 0, 2, 126},  {true, 192, 191, 1, 0}, {false, 4, 0, 1, 3},   {true, 192, 190, 1, 191},
        {false, 128, 2, 2, 0},    {true, 128, 126, 2, 0}, {false, 96, 0, 1, 95}, {true, 96, 0, 1, 1},
        // Positions another effect left out of range come back inside.
        {true, 128, 150, 1, 0},   {false, 128, 150, 1, 127}, {true, 4, 255, 1, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StepIndex(c.forward, c.period, c.position, c.delta), c.expected)
            << c.forward << " " << int{c.period} << " " << int{c.position} << " " << int{c.delta};
}

}  // namespace
}  // namespace orvane
