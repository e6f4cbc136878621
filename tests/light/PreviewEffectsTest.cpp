// Frames of the preview effects, step by step, from a known selection and animation state.
#include <gtest/gtest.h>

#include <vector>

#include "light/LightTables.h"
#include "light/PreviewEffects.h"

namespace orvane {
namespace {

class EffectTest : public ::testing::Test {
protected:
    // One step of `effect`; the colours it leaves.
    const std::vector<LightColor>& Run(PreviewEffect effect) {
        LightFrame frame(colors);
        EffectContext ctx{selection, animation, frame, nowMs};
        effect(ctx);
        return colors;
    }
    void Select(uint8_t mode, uint8_t brightness, uint8_t direction, bool multi, Rgb color = {255, 255, 255}) {
        selection.mode = mode;
        selection.brightness = brightness;
        selection.direction = direction;
        selection.multiColor = multi ? 1 : 0;
        SetSelectionColor(selection, color);
    }

    LightSetting selection;
    PreviewAnimation animation;
    std::vector<LightColor> colors = std::vector<LightColor>(6, 0);
    uint32_t nowMs = 0;
};

TEST_F(EffectTest, WaveFrames) {
    struct Case {
        const char* name;
        bool multi;
        uint8_t direction;
        uint8_t positionAfter;
        LightColor light0, light1, light5;
    };
    const Rgb blue{0, 0, 255};
    const Case cases[] = {
        // phase = position + 1, then 7 further per light; alpha = 255 x wave[phase] / 256
        {"single forward", false, 1, 1, MakeLightColor(blue, 26), MakeLightColor(blue, 48),
         MakeLightColor(blue, Scale(255, kWaveCurve[37]))},
        {"single backward", false, 0, 95, MakeLightColor(blue, 21), MakeLightColor(blue, 41),
         MakeLightColor(blue, Scale(255, kWaveCurve[35]))},
        // hue = position + 1, then 7 further per light, at full brightness
        {"colourful forward", true, 1, 1, MakeLightColor(kColorWheel[2], 255), MakeLightColor(kColorWheel[9], 255),
         MakeLightColor(kColorWheel[37], 255)},
        {"colourful backward", true, 0, 191, MakeLightColor(kColorWheel[0], 255), MakeLightColor(kColorWheel[7], 255),
         MakeLightColor(kColorWheel[35], 255)},
    };
    for (const Case& c : cases) {
        animation = {};
        Select(0, 4, c.direction, c.multi, blue);
        const auto& out = Run(PreviewWave);
        EXPECT_EQ(animation.position, c.positionAfter) << c.name;
        EXPECT_EQ(out[0], c.light0) << c.name;
        EXPECT_EQ(out[1], c.light1) << c.name;
        EXPECT_EQ(out[5], c.light5) << c.name;
    }
}

TEST_F(EffectTest, WaveWrapsThePhaseRoundTheCurve) {
    colors.assign(15, 0);
    Select(0, 4, 1, false);
    animation.position = 80;  // phase 82 for light 0; light 2 at 96 → 0
    Run(PreviewWave);
    EXPECT_EQ(AlphaOf(colors[2]), Scale(255, kWaveCurve[0]));
    EXPECT_EQ(AlphaOf(colors[14]), Scale(255, kWaveCurve[(82 + 14 * 7) % 96]));
}

TEST_F(EffectTest, RippleFrames) {
    // One marker in cell 0: each step lights the next group and the earlier ones fade by the
    // fast decay (mode 8 is not 0): 255 → 215 → 175 → 135 → 95.
    struct Frame {
        uint8_t light0, light1, light2;
    };
    struct Case {
        const char* name;
        uint8_t direction;
        std::vector<Frame> frames;
    };
    const Case cases[] = {
        {"forward", 1, {{214, 0, 0}, {174, 214, 0}, {134, 174, 214}, {94, 134, 174}}},
        // Backwards the marker leaves the seed cells at once; group 0 fades alone.
        {"backward", 0, {{214, 0, 0}, {174, 0, 0}, {134, 0, 0}, {94, 0, 0}}},
    };
    for (const Case& c : cases) {
        colors.assign(19, 0);
        animation = {};
        animation.ripple.ring[0] = 1;
        Select(8, 4, c.direction, false);
        for (size_t step = 0; step < c.frames.size(); ++step) {
            Run(PreviewRipple);
            const Frame& f = c.frames[step];
            EXPECT_EQ(AlphaOf(colors[0]), f.light0) << c.name << " step " << step;
            EXPECT_EQ(AlphaOf(colors[18]), f.light0) << c.name << " step " << step;  // same group
            EXPECT_EQ(AlphaOf(colors[1]), f.light1) << c.name << " step " << step;
            EXPECT_EQ(AlphaOf(colors[17]), f.light1) << c.name << " step " << step;
            EXPECT_EQ(AlphaOf(colors[2]), f.light2) << c.name << " step " << step;
            EXPECT_EQ(colors[3] & 0xFFFFFFu, 0xFFFFFFu) << "unlit groups keep the colour at alpha 0";
        }
    }
}

TEST_F(EffectTest, RippleOnFewerLightsThanItsGroupsNameWritesOnlyThose) {
    colors.assign(6, 0);
    animation.ripple.ring[0] = 1;
    Select(8, 4, 1, false);
    Run(PreviewRipple);
    EXPECT_EQ(colors.size(), 6u);
    EXPECT_EQ(AlphaOf(colors[0]), 214);
}

TEST_F(EffectTest, ColourfulRippleGivesEachGroupTheNextTwelfthOfTheWheel) {
    colors.assign(19, 0);
    animation.ripple.ring[0] = 1;
    animation.position = 190;  // steps to 191; group g then shows hue (191 + 12 (g + 1)) mod 256, less 192
    Select(8, 4, 1, true);
    Run(PreviewRipple);
    EXPECT_EQ(colors[0], MakeLightColor(kColorWheel[(191 + 12) % 256 - 192], 214));
    EXPECT_EQ(colors[1] & 0xFFFFFFu, MakeLightColor(kColorWheel[(191 + 24) % 256 - 192], 0));
    EXPECT_EQ(colors[8] & 0xFFFFFFu, MakeLightColor(kColorWheel[(191 + 108) % 256], 0));
}

TEST_F(EffectTest, BreathFourColorsAtTheTopOfTheCurve) {
    Select(2, 4, 1, false);
    animation.position = 62;
    Run(PreviewBreathFourColors);
    EXPECT_EQ(colors[0], MakeLightColor(kFixedColors[0], 254));  // 255 x 255 / 256
}

TEST_F(EffectTest, BreathFourColorsMovesToTheNextColourAfterEachBreath) {
    Select(2, 4, 1, false);
    animation.position = 127;
    animation.colour = 3;
    Run(PreviewBreathFourColors);
    EXPECT_EQ(animation.colour, 0);
    EXPECT_EQ(colors[0], MakeLightColor(kFixedColors[0], 0));
    animation.colour = 176;  // left over from the breath cycle: must not index past the four colours
    animation.position = 127;
    Run(PreviewBreathFourColors);
    EXPECT_EQ(animation.colour, 0);
}

TEST_F(EffectTest, BreathCycleWalksTheCurveByTwoAndTurnsTheSelectionRed) {
    Select(6, 4, 0, false, {1, 2, 3});
    std::vector<uint8_t> positions;
    for (int i = 0; i < 3; ++i) {
        Run(PreviewBreathCycle);
        positions.push_back(animation.position);
    }
    EXPECT_EQ(positions, (std::vector<uint8_t>{126, 124, 122}));
    EXPECT_EQ(SelectionColor(selection), kRed);
    EXPECT_EQ(colors[0], MakeLightColor(kRed, Scale(kBreathCurve[122], 255)));
}

TEST_F(EffectTest, ColourfulBreathCycleMovesSixteenHuesPerBreath) {
    Select(6, 3, 1, true, {1, 2, 3});
    animation.position = 126;
    animation.colour = 176;
    Run(PreviewBreathCycle);
    EXPECT_EQ(animation.position, 0);
    EXPECT_EQ(animation.colour, 0);  // 192 wraps to 0
    Run(PreviewBreathCycle);
    EXPECT_EQ(colors[0], MakeLightColor(kColorWheel[0], Scale(kBreathCurve[2], 195)));
    EXPECT_EQ(SelectionColor(selection), (Rgb{1, 2, 3}));
}

TEST_F(EffectTest, FlashTogglesOncePerPeriod) {
    struct Case {
        uint8_t speed;
        uint32_t periodMs;
    };
    for (const Case& c : {Case{0, 5600}, Case{1, 4600}, Case{4, 1400}}) {
        animation = {};
        Select(3, 4, 1, false, {10, 20, 30});
        selection.speed = c.speed;
        const LightColor lit = MakeLightColor({10, 20, 30}, 255);
        const struct {
            uint32_t at;
            LightColor expected;
        } timeline[] = {{0, 0}, {c.periodMs - 1, 0}, {c.periodMs, lit}, {2 * c.periodMs - 1, lit}, {2 * c.periodMs, 0}};
        for (const auto& t : timeline) {
            nowMs = t.at;
            Run(PreviewFlash);
            EXPECT_EQ(colors[0], t.expected) << "speed " << int{c.speed} << " at " << t.at;
        }
    }
}

TEST_F(EffectTest, ColourfulFlashMovesSixteenHuesPerToggle) {
    Select(3, 2, 1, true);
    selection.speed = 4;
    for (uint32_t k = 1; k <= 3; ++k) {
        nowMs = k * 1400;
        Run(PreviewFlash);
    }
    EXPECT_EQ(animation.position, 48);
    EXPECT_TRUE(animation.blinkOn);
    EXPECT_EQ(colors[5], MakeLightColor(kColorWheel[48], 135));
}

TEST_F(EffectTest, FlashFourColorsShowsTheNextFixedColourEachToggle) {
    Select(5, 4, 1, false);
    selection.speed = 4;
    animation.position = 150;  // left over from the spectrum
    std::vector<LightColor> lit;
    for (uint32_t k = 1; k <= 8; ++k) {
        nowMs = k * 1400;
        Run(PreviewFlashFourColors);
        if (colors[0] != 0) lit.push_back(colors[0]);
    }
    ASSERT_EQ(lit.size(), 4u);
    EXPECT_EQ(lit[0], MakeLightColor(kFixedColors[0], 255));
    EXPECT_EQ(lit[1], MakeLightColor(kFixedColors[2], 255));
    EXPECT_EQ(lit[2], MakeLightColor(kFixedColors[0], 255));
}

TEST_F(EffectTest, SpectrumStaticRedAndOff) {
    Select(1, 1, 0, false);
    Run(PreviewSpectrum);
    EXPECT_EQ(animation.position, 191);
    EXPECT_EQ(colors[0], MakeLightColor(kColorWheel[191], 60));

    Select(4, 2, 0, false, {9, 9, 9});
    Run(PreviewStaticRed);
    EXPECT_EQ(colors[4], MakeLightColor(kRed, 135));
    EXPECT_EQ(SelectionColor(selection), kRed);

    Run(PreviewOff);
    for (LightColor c : colors) EXPECT_EQ(c, 0u);
}

}  // namespace
}  // namespace orvane
