// User light effects: their steps in order and round again, each for its own Time.
#include <gtest/gtest.h>

#include <vector>

#include "light/LightPreviewState.h"
#include "light/LightTables.h"

namespace orvane {
namespace {

LedEffectEntry SteadyStep(Rgb color, int32_t timeMs) {
    LedEffectEntry s;
    s.light.mode = 1;
    s.light.brightness = 4;
    s.light.speed = 4;
    s.light.red = color.red;
    s.light.green = color.green;
    s.light.blue = color.blue;
    s.Time = timeMs;
    return s;
}

class CustomStepsTest : public ::testing::Test {
protected:
    CustomStepsTest() {
        LightInfoRecord s;
        s.light.mode = 12;
        state_.SetLightState(s);
    }
    void Turn() {
        nowMs_ += kTurnMs;
        state_.AdvanceTurns(1);
    }

    static constexpr uint32_t kTurnMs = LightPreviewState::kTurnMs;
    uint32_t nowMs_ = 0;  // the effects' clock
    LightPreviewState state_{6, 0};
};

TEST_F(CustomStepsTest, StepsPlayInOrderEachForItsTime) {
    const Rgb red{255, 0, 0}, green{0, 255, 0}, blue{0, 0, 255};
    state_.SetCustomSteps({SteadyStep(red, 1000), SteadyStep(green, 500), SteadyStep(blue, 2000)});
    struct Shown {
        LightColor color;
        uint32_t fromMs, toMs;
    };
    std::vector<Shown> shown;
    for (int i = 0; i < 2500; ++i) {
        Turn();
        const LightColor c = state_.GetLightColor(0);
        if (shown.empty() || shown.back().color != c) shown.push_back({c, nowMs_, nowMs_});
        shown.back().toMs = nowMs_;
    }
    ASSERT_GE(shown.size(), 5u);
    const std::vector<std::pair<Rgb, uint32_t>> expected{{red, 1000}, {green, 500}, {blue, 2000}, {red, 1000}};
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(shown[i].color, MakeLightColor(expected[i].first, 255)) << "step " << i;
        const uint32_t duration = shown[i].toMs - shown[i].fromMs + kTurnMs;
        EXPECT_GT(duration, expected[i].second) << "step " << i;
        EXPECT_LE(duration, expected[i].second + 2 * kTurnMs) << "step " << i;
    }
}

TEST_F(CustomStepsTest, NewStepsStartAgainAtTheFirst) {
    state_.SetCustomSteps({SteadyStep({1, 1, 1}, 20), SteadyStep({2, 2, 2}, 1000)});
    for (int i = 0; i < 15; ++i) Turn();  // 30 ms
    EXPECT_EQ(RedOf(state_.GetLightColor(0)), 2);
    state_.SetCustomSteps({SteadyStep({3, 3, 3}, 20), SteadyStep({4, 4, 4}, 1000)});
    Turn();
    EXPECT_EQ(RedOf(state_.GetLightColor(0)), 3);
}

TEST_F(CustomStepsTest, NoStepsMeansDark) {
    state_.SetLightColor(3, 0xFFFFFFFF);
    Turn();
    EXPECT_EQ(state_.LightColors().colors, std::vector<LightColor>(6, 0));
}

TEST_F(CustomStepsTest, StepModesDrawTheirEffect) {
    constexpr LightColor kUntouched = 0x01020304;
    constexpr LightColor kRgbMask = 0x00FFFFFF;
    const Rgb blue{0, 0, 200};
    struct Case {
        const char* name;
        uint8_t mode;
        LightColor expected;
        LightColor mask;  // the bits that must match
    };
    const Case cases[] = {
        {"breathing", 0, MakeLightColor(blue, 0), kRgbMask},
        {"steady", 1, MakeLightColor(blue, 255), 0xFFFFFFFF},
        {"flashing, lit from 1400 ms", 2, MakeLightColor(blue, 255), 0xFFFFFFFF},
        {"unused 3", 3, kUntouched, 0xFFFFFFFF},
        {"wave", 4, MakeLightColor(blue, 0), kRgbMask},
        {"wheel hue where the animation stands", 5, MakeLightColor(kColorWheel[0], 255), 0xFFFFFFFF},
        {"unknown", 9, kUntouched, 0xFFFFFFFF},
    };
    for (const Case& c : cases) {
        LightPreviewState state(6, 0);
        LightInfoRecord s;
        s.light.mode = 9;
        state.SetLightState(s);
        LedEffectEntry step = SteadyStep(blue, 100000);
        step.light.mode = c.mode;
        state.SetCustomSteps({step});
        state.SetLightColor(0, kUntouched);
        state.AdvanceTurns(750);  // 1500 ms
        EXPECT_EQ(state.GetLightColor(0) & c.mask, c.expected & c.mask) << c.name;
    }
}

}  // namespace
}  // namespace orvane
