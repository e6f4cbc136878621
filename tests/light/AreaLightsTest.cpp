// The per-light effects of "LightList", each light on its own timeline.
#include <gtest/gtest.h>

#include <vector>

#include "light/AreaLights.h"
#include "light/LightTables.h"

namespace orvane {
namespace {

LightListEntry Entry(uint8_t mode, uint8_t brightness, uint8_t speed, bool multi, Rgb color = {10, 20, 30}) {
    LightListEntry e;
    e.light.mode = mode;
    e.light.brightness = brightness;
    e.light.speed = speed;
    e.light.multiColor = multi ? 1 : 0;
    e.light.red = color.red;
    e.light.green = color.green;
    e.light.blue = color.blue;
    e.present = 1;
    return e;
}

constexpr LightColor kUntouched = 0x01020304;

TEST(AreaLights, EachModeOnItsTimeline) {
    struct Sample {
        uint32_t at;
        LightColor expected;
    };
    struct Case {
        const char* name;
        LightListEntry entry;
        std::vector<Sample> samples;  // one pass per sample
    };
    const Rgb c{10, 20, 30};
    const Case cases[] = {
        // The phase moves by speed + 4 per pass: curve[4], curve[8], curve[12].
        {"breathing",
         Entry(0, 4, 0, false),
         {{0, MakeLightColor(c, 3)}, {1, MakeLightColor(c, 7)}, {2, MakeLightColor(c, 13)}}},
        {"steady", Entry(1, 2, 0, false), {{0, MakeLightColor(c, 135)}, {5000, MakeLightColor(c, 135)}}},
        // Speed 4: lit and dark in turn every 1400 ms, the hue 14 further at each change.
        {"flashing",
         Entry(2, 4, 4, true),
         {{0, 0}, {1399, 0}, {1400, MakeLightColor(kColorWheel[14], 255)}, {2799, MakeLightColor(kColorWheel[14], 255)},
          {2800, 0}, {4200, MakeLightColor(kColorWheel[42], 255)}}},
        {"flashing single colour", Entry(2, 1, 0, false), {{5599, 0}, {5600, MakeLightColor(c, 60)}, {11200, 0}}},
        {"off", Entry(4, 4, 0, false), {{0, 0}}},
        {"other modes leave the light", Entry(7, 4, 0, false), {{0, kUntouched}}},
        {"absent entry", LightListEntry{}, {{0, kUntouched}}},
    };
    for (const Case& tc : cases) {
        AreaLightEffects area;
        area.Replace({tc.entry}, 1);
        std::vector<LightColor> colors{kUntouched};
        for (const Sample& s : tc.samples) {
            LightFrame frame(colors);
            area.Tick(frame, s.at);
            EXPECT_EQ(colors[0], s.expected) << tc.name << " at " << s.at;
        }
    }
}

TEST(AreaLights, ColourfulBreathingMovesOneHuePerBreath) {
    AreaLightEffects area;
    area.Replace({Entry(0, 4, 0, true)}, 1);  // 32 passes of 4 per breath
    std::vector<LightColor> colors(1, 0);
    for (int pass = 0; pass < 33; ++pass) {
        LightFrame frame(colors);
        area.Tick(frame, 0);
    }
    EXPECT_EQ(colors[0], MakeLightColor(kColorWheel[1], Scale(kBreathCurve[4], 255)));
}

TEST(AreaLights, ColourCycleStepsTheWheelAfterThresholdPasses) {
    AreaLightEffects area;
    area.Replace({Entry(3, 4, 4, false)}, 1);  // threshold 7
    std::vector<LightColor> colors(1, 0);
    std::vector<LightColor> seen;
    for (int pass = 1; pass <= 14; ++pass) {
        LightFrame frame(colors);
        area.Tick(frame, 0);
        if (pass == 1 || pass == 6 || pass == 7 || pass == 14) seen.push_back(colors[0]);
    }
    const LightColor hue0 = MakeLightColor(kColorWheel[0], 255);
    EXPECT_EQ(seen, (std::vector<LightColor>{hue0, hue0, MakeLightColor(kColorWheel[1], 255),
                                             MakeLightColor(kColorWheel[2], 255)}));
}

TEST(AreaLights, ReplaceStartsEveryEffectAfresh) {
    AreaLightEffects area;
    std::vector<LightColor> colors(1, 0);
    area.Replace({Entry(2, 4, 4, false)}, 1);
    {
        LightFrame frame(colors);
        area.Tick(frame, 1400);  // lit
    }
    area.Replace({Entry(2, 4, 4, false)}, 1);
    LightFrame frame(colors);
    area.Tick(frame, 1399);  // a fresh flash has not reached its first change yet
    EXPECT_EQ(colors[0], 0u);
}

TEST(AreaLights, OnlyEntriesWithALightAreDrawn) {
    AreaLightEffects area;
    area.Replace({Entry(1, 4, 0, false), Entry(1, 4, 0, false), Entry(1, 4, 0, false)}, 2);
    std::vector<LightColor> colors(3, kUntouched);
    LightFrame frame(colors);
    area.Tick(frame, 0);
    EXPECT_NE(colors[1], kUntouched);
    EXPECT_EQ(colors[2], kUntouched);  // no third light on this device

    AreaLightEffects shortList;
    shortList.Replace({Entry(1, 4, 0, false)}, 3);
    std::vector<LightColor> more(3, kUntouched);
    LightFrame moreFrame(more);
    shortList.Tick(moreFrame, 0);
    EXPECT_EQ(more[2], kUntouched);
}

}  // namespace
}  // namespace orvane
