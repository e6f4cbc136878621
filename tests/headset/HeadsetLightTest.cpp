// The headset's light reports: the builder's scaling, limit and framing, and one frame sent
// through HeadsetDevice to the emulated headset.
#include <gtest/gtest.h>

#include <array>

#include "headset/HeadsetDevice.h"
#include "tests/sim/PadOnBus.h"

namespace orvane::test {
namespace {

using Colours = std::array<LightColor, kHeadsetLightCount>;

Colours Ramp(uint8_t alpha) {
    Colours c{};
    for (size_t i = 0; i < c.size(); ++i) {
        c[i] = MakeLightColor({static_cast<uint8_t>(10 * i), static_cast<uint8_t>(100 + i), static_cast<uint8_t>(250 - i)}, alpha);
    }
    return c;
}

TEST(HeadsetLightReports, ScaleByAlphaLimitTo247AndCarryByteTen) {
    struct Case {
        Rgb colour;
        uint8_t alpha;
        Rgb sent;
    };
    const Case cases[] = {
        {{255, 255, 255}, 255, {247, 247, 247}},  // 254 is above the limit
        {{200, 100, 2}, 128, {100, 50, 1}},
        {{255, 248, 247}, 0, {0, 0, 0}},
        {{248, 10, 0}, 255, {247, 9, 0}},
    };
    for (const Case& c : cases) {
        Colours colours{};
        colours.fill(MakeLightColor(c.colour, c.alpha));
        const HeadsetLightFrame frame = BuildHeadsetLightReports(colours);
        for (size_t r = 0; r < kHeadsetLightReportCount; ++r) {
            const uint8_t expected = r < 4 ? c.sent.red : r < 8 ? c.sent.green : c.sent.blue;
            EXPECT_EQ(frame[r][4], expected) << "report " << r << " of " << int(c.colour.red) << "/" << int(c.alpha);
        }
    }

    const HeadsetLightFrame frame = BuildHeadsetLightReports(Ramp(255));
    const uint8_t headers[][2] = {{0x22, 0xAA}, {0x22, 0xAD}, {0x44, 0xAA}, {0x44, 0xAD}, {0x22, 0xAB}, {0x22, 0xAE},
                                  {0x44, 0xAB}, {0x44, 0xAE}, {0x22, 0xAC}, {0x22, 0xAF}, {0x44, 0xAC}, {0x44, 0xAF}};
    for (size_t r = 0; r < kHeadsetLightReportCount; ++r) {
        EXPECT_EQ(frame[r][0], 0xFF);
        EXPECT_EQ(frame[r][1], headers[r][0]) << r;
        EXPECT_EQ(frame[r][2], headers[r][1]) << r;
        EXPECT_EQ(frame[r][3], 0);
        for (size_t b = 11; b < kHeadsetLightReportSize; ++b) EXPECT_EQ(frame[r][b], 0) << r;
    }
    // Red 10·i scaled by 255: (10 i × 255) >> 8.
    EXPECT_EQ(frame[0][10], (60 * 255) >> 8) << "light 6";
    EXPECT_EQ(frame[1][4], (70 * 255) >> 8) << "light 7 starts the second register";
    EXPECT_EQ(frame[1][9], (120 * 255) >> 8) << "light 12";
    EXPECT_EQ(frame[1][10], frame[0][10]) << "a six-value report keeps the seventh value before it";
    EXPECT_EQ(frame[5][10], frame[4][10]) << "green";
    EXPECT_EQ(frame[11][10], frame[10][10]) << "blue";
}

TEST(HeadsetDevice, SendsTheFrameToTheHeadsetOnceUntilTheColoursChange) {
    HeadsetOnBus h;
    HeadsetDevice device(h.channel);
    EXPECT_TRUE(device.Emulated());
    const Colours colours = Ramp(128);
    EXPECT_TRUE(device.SendLightColours(colours));
    EXPECT_FALSE(device.SendLightColours(colours)) << "unchanged colours are not sent again";
    ASSERT_TRUE(h.channel.QueryOnline());  // replies come in order: the reports were taken

    const auto recorded = h.firmware->LightReports();
    const HeadsetLightFrame frame = BuildHeadsetLightReports(colours);
    ASSERT_EQ(recorded.size(), kHeadsetLightReportCount);
    for (size_t r = 0; r < recorded.size(); ++r) EXPECT_EQ(recorded[r], frame[r]) << r;
    const auto shown = h.firmware->LightColours(0x44);
    EXPECT_EQ(shown[3].red, (30 * 128) >> 8);
    EXPECT_EQ(shown[12].blue, (238 * 128) >> 8);
    EXPECT_EQ(h.firmware->LightReportsRefused(), 0u);

    Colours changed = colours;
    changed[0] = MakeLightColor({1, 2, 3}, 255);
    EXPECT_TRUE(device.SendLightColours(changed));
}

}  // namespace
}  // namespace orvane::test
