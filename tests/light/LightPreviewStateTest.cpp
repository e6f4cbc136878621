// The shared light state: the preview turn's pace and dispatch, the change counter, what needs
// turns, and the lists the UI thread replaces.
#include <gtest/gtest.h>

#include <vector>

#include "light/LightPreviewState.h"
#include "light/LightTables.h"

namespace orvane {
namespace {

class PreviewStateTest : public ::testing::Test {
protected:
    static constexpr uint8_t kLastBuiltIn = LightPreviewState::kLastBuiltInMode;

    LightInfoRecord Selection(uint8_t mode, uint8_t speed, uint8_t brightness = 4) {
        LightInfoRecord s;
        s.light.mode = mode;
        s.light.speed = speed;
        s.light.brightness = brightness;
        s.light.direction = 1;
        s.light.red = s.light.green = s.light.blue = 255;
        return s;
    }
    // `turns` single preview turns.
    void Turns(int turns) {
        for (int i = 0; i < turns; ++i) state_.AdvanceTurns(1);
    }

    LightPreviewState state_{6, 1000};
};

TEST_F(PreviewStateTest, EffectStepsComeEveryFiveMinusSpeedTurns) {
    struct Case {
        uint8_t speed;
        uint32_t turns;
        uint64_t steps;
    };
    const Case cases[] = {
        {4, 10, 10}, {2, 9, 3}, {0, 10, 2}, {0, 4, 0},
        {7, 4, 4},  // above speed 4 every turn steps
    };
    for (const Case& c : cases) {
        for (const bool oneFrame : {false, true}) {
            LightPreviewState state(6, 1000);
            state.SetLightState(Selection(1, c.speed));  // the spectrum changes colour at every step
            const uint64_t before = state.ColorsVersion();
            if (oneFrame) {
                state.AdvanceTurns(c.turns);
            } else {
                for (uint32_t i = 0; i < c.turns; ++i) state.AdvanceTurns(1);
            }
            EXPECT_EQ(state.ColorsVersion() - before, c.steps)
                << "speed " << int{c.speed} << (oneFrame ? ", one frame" : ", single turns");
        }
    }
}

// Every mode shows the same colours at the same turn count, whether its turns come one by one
// or grouped into frames of uneven length (as frames at display rate group them).
TEST_F(PreviewStateTest, FramesOfTurnsShowWhatSingleTurnsShow) {
    LedEffectEntry wave;
    wave.light.mode = 4;
    wave.light.brightness = 4;
    wave.light.speed = 2;
    wave.light.direction = 0;
    wave.light.red = 40;
    wave.Time = 700;
    LedEffectEntry flash = wave;
    flash.light.mode = 2;
    flash.light.speed = 4;
    flash.light.multiColor = 1;
    flash.Time = 3000;
    LedEffectEntry breathe = wave;
    breathe.light.mode = 0;
    breathe.light.speed = 0;
    breathe.Time = 260;
    const std::vector<LedEffectEntry> steps{wave, flash, breathe};
    // Frame lengths in turns: 60 frames a second give 8 or 9; a late frame brings more.
    const uint32_t frames[] = {8, 9, 8, 1, 25, 8, 9, 3, 0, 8, 120, 9};
    for (uint8_t mode = 0; mode <= 12; mode += mode == kLastBuiltIn ? 4 : 1) {
        for (uint8_t speed : {0, 2, 4, 6}) {
            for (uint8_t multi : {0, 1}) {
                for (uint8_t direction : {0, 1}) {
                    LightInfoRecord s = Selection(mode, speed, 3);
                    s.light.multiColor = multi;
                    s.light.direction = direction;
                    s.light.red = 10;
                    LightPreviewState single(19, 5000), framed(19, 5000);
                    for (LightPreviewState* state : {&single, &framed}) {
                        state->SetLightState(s);
                        state->SetCustomSteps(steps);
                    }
                    uint32_t turnCount = 0;
                    for (int round = 0; round < 40; ++round) {
                        for (uint32_t frame : frames) {
                            for (uint32_t i = 0; i < frame; ++i) single.AdvanceTurns(1);
                            framed.AdvanceTurns(frame);
                            turnCount += frame;
                            ASSERT_EQ(framed.LightColors().colors, single.LightColors().colors)
                                << "mode " << int{mode} << " speed " << int{speed} << " multi " << int{multi}
                                << " direction " << int{direction} << " after " << turnCount << " turns";
                            ASSERT_EQ(framed.LightState(), single.LightState());
                        }
                    }
                }
            }
        }
    }
}

TEST_F(PreviewStateTest, OnlyAnimatedModesAndUndrawnChangesNeedTurns) {
    LedEffectEntry steady;
    steady.light.mode = 1;
    steady.Time = 500;
    LedEffectEntry breathe = steady;
    breathe.light.mode = 0;
    struct Case {
        const char* name;
        uint8_t mode;
        std::vector<LedEffectEntry> steps;
        bool animates;
    };
    const Case cases[] = {
        {"wave", 0, {}, true},
        {"spectrum", 1, {}, true},
        {"flash", 3, {}, true},
        {"static red", 4, {}, false},
        {"off", 7, {}, false},
        {"ripple", 8, {}, true},
        {"user effect without steps", 12, {}, false},
        {"user effect of one steady step", 12, {steady}, false},
        {"user effect of one breathing step", 12, {breathe}, true},
        {"user effect of two steps", 12, {steady, steady}, true},
    };
    for (const Case& c : cases) {
        LightPreviewState state(6, 0);
        state.SetLightState(Selection(c.mode, 0));
        state.SetCustomSteps(c.steps);
        EXPECT_TRUE(state.NeedsTurns()) << c.name << ": the change is not drawn yet";
        state.AdvanceTurns(5);  // the slowest speed steps on the fifth turn
        EXPECT_EQ(state.NeedsTurns(), c.animates) << c.name;
        state.SetLightColor(0, 0x12345678);
        EXPECT_TRUE(state.NeedsTurns()) << c.name << ": the effect paints over a colour set from outside";
    }
}

TEST_F(PreviewStateTest, ChangesCallTheListener) {
    int calls = 0;
    state_.SetChangeListener([&] { ++calls; });
    state_.SetMode(3);
    state_.SetCustomSteps({});
    state_.SetAreaLights({});
    state_.SetLightColor(1, 5);
    state_.SetLightCount(6);
    EXPECT_EQ(calls, 5);
    state_.AdvanceTurns(20);
    (void)state_.LightColors();
    EXPECT_EQ(calls, 5) << "the preview's own turns are no change to wake for";
    state_.SetChangeListener(nullptr);
    state_.SetMode(4);
    EXPECT_EQ(calls, 5);
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
        LightPreviewState state(6, 1000);
        state.SetLightState(Selection(c.mode, 4));
        state.SetCustomSteps(c.steps);
        state.AdvanceTurns(3);
        const auto first = state.LightColors();
        EXPECT_EQ(first.version, state.ColorsVersion()) << c.name;
        for (int i = 0; i < 50; ++i) state.AdvanceTurns(1);
        const auto later = state.LightColors();
        EXPECT_EQ(later.version, first.version) << c.name;
        EXPECT_EQ(later.colors, first.colors) << c.name;
    }
}

TEST_F(PreviewStateTest, ModesDrawTheirEffect) {
    state_.SetLightState(Selection(4, 4, 2));
    Turns(1);
    EXPECT_EQ(state_.GetLightColor(5), MakeLightColor(kRed, 135));
    EXPECT_EQ(SelectionColor(state_.LightState().light), kRed);  // static red also turns the selection red

    state_.SetMode(7);
    Turns(1);
    EXPECT_EQ(state_.LightColors().colors, std::vector<LightColor>(6, 0));

    state_.SetMode(0);
    state_.SetMultiColor(true);
    Turns(1);
    EXPECT_EQ(state_.GetLightColor(1), MakeLightColor(kColorWheel[9], 135));
}

TEST_F(PreviewStateTest, AModeChangeStartsTheRippleWithOneMarkerAtCellZero) {
    LightPreviewState state(19, 1000);
    state.SetLightState(Selection(8, 5));  // a step every turn
    state.AdvanceTurns(3);
    EXPECT_EQ(AlphaOf(state.GetLightColor(2)), 214);

    state.SetBrightness(4);  // same mode: the ripple goes on
    state.AdvanceTurns(1);
    EXPECT_EQ(AlphaOf(state.GetLightColor(3)), 214);
    EXPECT_EQ(AlphaOf(state.GetLightColor(0)), 94);

    state.SetMode(7);
    state.SetMode(8);
    state.AdvanceTurns(1);
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
    Turns(1);
    EXPECT_EQ(state_.GetLightColor(1), 0u);
}

}  // namespace
}  // namespace orvane
