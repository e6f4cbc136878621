// The shared light state: the preview turn's pace and dispatch, the change counter, and the
// lists the UI thread replaces, on an injected clock.
#include <gtest/gtest.h>

#include <vector>

#include "light/LightPreviewState.h"
#include "light/LightTables.h"

namespace orvane {
namespace {

class PreviewStateTest : public ::testing::Test {
protected:
    LightInfoRecord Selection(uint8_t mode, uint8_t speed, uint8_t brightness = 4) {
        LightInfoRecord s;
        s.light.mode = mode;
        s.light.speed = speed;
        s.light.brightness = brightness;
        s.light.direction = 1;
        s.light.red = s.light.green = s.light.blue = 255;
        return s;
    }
    // `turns` preview turns, the clock `stepMs` further before each.
    void Turns(int turns, uint32_t stepMs) {
        for (int i = 0; i < turns; ++i) {
            nowMs_ += stepMs;
            state_.Tick();
        }
    }

    uint32_t nowMs_ = 1000;
    LightPreviewState state_{6, [this] { return nowMs_; }};
};

TEST_F(PreviewStateTest, EffectStepsComeEveryFiveMinusSpeedCountedSteps) {
    struct Case {
        uint8_t speed;
        uint32_t msPerTurn;
        int turns;
        uint64_t steps;
    };
    const Case cases[] = {
        {4, 2, 10, 10}, {2, 2, 9, 3}, {0, 2, 10, 2},
        {4, 1, 10, 5},  // a turn counts only when the clock moved by more than 1 ms
        {4, 0, 10, 0},
        {7, 0, 4, 4},  // above speed 4 every turn steps, even on a still clock
    };
    for (const Case& c : cases) {
        LightPreviewState state(6, [this] { return nowMs_; });
        state.SetLightState(Selection(1, c.speed));  // the spectrum changes colour at every step
        const uint64_t before = state.ColorsVersion();
        for (int i = 0; i < c.turns; ++i) {
            nowMs_ += c.msPerTurn;
            state.Tick();
        }
        EXPECT_EQ(state.ColorsVersion() - before, c.steps)
            << "speed " << int{c.speed} << ", " << c.msPerTurn << " ms per turn";
    }
}

TEST_F(PreviewStateTest, FramesThatRepeatLeaveTheVersionAlone) {
    LedEffectEntry steady;
    steady.light.mode = 1;
    steady.light.brightness = 4;
    steady.light.speed = 4;
    steady.light.red = 200;
    steady.Time = 100000;
    struct Case {
        const char* name;
        uint8_t mode;
        std::vector<LedEffectEntry> steps;
    };
    const Case cases[] = {
        {"static red", 4, {}},
        {"off", 7, {}},
        {"flash between toggles", 3, {}},
        {"steady custom step", 12, {steady}},
        {"custom mode without steps", 12, {}},
    };
    for (const Case& c : cases) {
        LightPreviewState state(6, [this] { return nowMs_; });
        state.SetLightState(Selection(c.mode, 4));
        state.SetCustomSteps(c.steps);
        for (int i = 0; i < 3; ++i) {
            nowMs_ += 2;
            state.Tick();
        }
        const auto first = state.LightColors();
        EXPECT_EQ(first.version, state.ColorsVersion()) << c.name;
        for (int i = 0; i < 50; ++i) {
            nowMs_ += 2;
            state.Tick();
        }
        const auto later = state.LightColors();
        EXPECT_EQ(later.version, first.version) << c.name;
        EXPECT_EQ(later.colors, first.colors) << c.name;
    }
}

TEST_F(PreviewStateTest, ModesDrawTheirEffect) {
    state_.SetLightState(Selection(4, 4, 2));
    Turns(1, 2);
    EXPECT_EQ(state_.GetLightColor(5), MakeLightColor(kRed, 135));
    EXPECT_EQ(SelectionColor(state_.LightState().light), kRed);  // static red also turns the selection red

    state_.SetMode(7);
    Turns(1, 2);
    EXPECT_EQ(state_.LightColors().colors, std::vector<LightColor>(6, 0));

    state_.SetMode(0);
    state_.SetMultiColor(true);
    Turns(1, 2);
    EXPECT_EQ(state_.GetLightColor(1), MakeLightColor(kColorWheel[9], 135));
}

TEST_F(PreviewStateTest, AModeChangeStartsTheRippleWithOneMarkerAtCellZero) {
    LightPreviewState state(19, [this] { return nowMs_; });
    state.SetLightState(Selection(8, 5));  // a step every turn
    for (int i = 0; i < 3; ++i) state.Tick();
    EXPECT_EQ(AlphaOf(state.GetLightColor(2)), 214);

    state.SetBrightness(4);  // same mode: the ripple goes on
    state.Tick();
    EXPECT_EQ(AlphaOf(state.GetLightColor(3)), 214);
    EXPECT_EQ(AlphaOf(state.GetLightColor(0)), 94);

    state.SetMode(7);
    state.SetMode(8);
    state.Tick();
    EXPECT_EQ(AlphaOf(state.GetLightColor(0)), 214);
    EXPECT_EQ(AlphaOf(state.GetLightColor(4)), 0);
}

TEST_F(PreviewStateTest, LightCountClearsColoursAndAreaLightsEveryTime) {
    state_.SetLightColor(2, 0xFF00FF00);
    LightListEntry steady;
    steady.light.mode = 1;
    steady.light.brightness = 4;
    steady.light.red = 9;
    steady.present = 1;
    state_.SetAreaLights({steady, steady});
    const uint64_t before = state_.ColorsVersion();

    state_.SetLightCount(6);  // unchanged count: still cleared
    EXPECT_EQ(state_.LightColors().colors, std::vector<LightColor>(6, 0));
    EXPECT_GT(state_.ColorsVersion(), before);
    state_.TickAreaLights();  // the area lights were cleared too
    EXPECT_EQ(state_.GetLightColor(0), 0u);

    state_.SetLightCount(3);
    EXPECT_EQ(state_.LightCount(), 3u);
}

TEST_F(PreviewStateTest, ColourAccessorsIgnoreIndicesOutsideTheList) {
    const uint64_t before = state_.ColorsVersion();
    state_.SetLightColor(6, 0xFFFFFFFF);
    EXPECT_EQ(state_.ColorsVersion(), before);
    EXPECT_EQ(state_.GetLightColor(6), 0u);
    state_.SetLightColor(5, 0x80112233);
    EXPECT_EQ(state_.GetLightColor(5), 0x80112233u);
    EXPECT_EQ(state_.ColorsVersion(), before + 1);
    state_.SetLightColor(5, 0x80112233);  // same colour again
    EXPECT_EQ(state_.ColorsVersion(), before + 1);
}

TEST_F(PreviewStateTest, AreaLightsPaintAFreshFrameAtOnceThatThePreviewThenOverwrites) {
    LightListEntry steady;
    steady.light.mode = 1;
    steady.light.brightness = 4;
    steady.light.green = 255;
    steady.present = 1;
    state_.SetLightState(Selection(7, 4));
    state_.SetAreaLights({LightListEntry{}, steady});
    EXPECT_EQ(state_.GetLightColor(1), MakeLightColor({0, 255, 0}, 255));
    EXPECT_EQ(state_.GetLightColor(0), 0u);
    state_.SetLightColor(0, 0x11111111);
    state_.TickAreaLights();
    EXPECT_EQ(state_.GetLightColor(0), 0x11111111u);  // an absent entry leaves its light alone
    Turns(1, 2);
    EXPECT_EQ(state_.GetLightColor(1), 0u);
}

}  // namespace
}  // namespace orvane
