// The pad's preview family: its step thresholds, its two ripples with the ring seeded, and the
// per-light effects it runs on every turn.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "light/LightPreviewState.h"
#include "light/LightTables.h"

namespace orvane {
namespace {

constexpr size_t kPadLights = 15;

LightInfoRecord Selection(uint8_t mode, uint8_t speed, uint8_t direction = 1, uint8_t multiColor = 0) {
    LightInfoRecord s;
    s.light = {mode, 4, speed, direction, multiColor, 0, 0, 255};
    return s;
}

// The pad's 15 lights on the pad's family, the effects' clock at 1000 ms.
struct PadState {
    explicit PadState(const LightInfoRecord& selection) {
        state.SetFamily(kPadPreviewFamily);
        state.SetLightState(selection);
    }
    LightPreviewState* operator->() { return &state; }
    LightPreviewState state{kPadLights, 1000};
};

TEST(PadPreview, AnEffectStepComesWhenTheCountReachesThePadsThreshold) {
    struct Case {
        uint8_t speed;
        uint32_t turns;
        uint64_t steps;
    };
    // Spectrum: every step is a new colour. T = 28, 23, 18, 13, 7 by speed.
    for (const Case& c : {Case{1, 22, 0}, Case{1, 23, 1}, Case{1, 46, 2}, Case{0, 28, 1}, Case{4, 14, 2}, Case{6, 5, 5}}) {
        PadState state(Selection(1, c.speed));
        const uint64_t before = state->ColorsVersion();
        state->AdvanceTurns(c.turns);
        EXPECT_EQ(state->ColorsVersion() - before, c.steps) << "speed " << int{c.speed} << ", " << c.turns << " turns";
    }
}

TEST(PadPreview, BreathingAndSteadyShowTheChosenColour) {
    for (uint8_t mode : {2, 3}) {
        PadState state(Selection(mode, 4));
        state->AdvanceTurns(7 * 40);
        const LightColor c = state->GetLightColor(3);
        EXPECT_EQ(RedOf(c), 0) << "mode " << int{mode};
        EXPECT_EQ(BlueOf(c), 255) << "mode " << int{mode};
        EXPECT_EQ(state->LightState().light.red, 0) << "the selection keeps its colour, mode " << int{mode};
    }
    PadState steady(Selection(3, 4));
    steady->AdvanceTurns(7);
    EXPECT_FALSE(steady->NeedsTurns()) << "a steady colour is drawn once";
}

TEST(PadPreview, RipplesLightTheirLightsFromTheSeededRing) {
    // Zone ripple: mirrored lights alike, light 0 in no zone.
    PadState zones(Selection(7, 4));
    std::set<size_t> lit;
    for (int frame = 0; frame < 60; ++frame) {
        zones->AdvanceTurns(7);
        for (size_t z = 0; z < kPadRippleZones.size(); ++z) {
            EXPECT_EQ(zones->GetLightColor(kPadRippleZones[z][0]), zones->GetLightColor(kPadRippleZones[z][1]));
            if (AlphaOf(zones->GetLightColor(kPadRippleZones[z][0])) != 0) lit.insert(z);
        }
        EXPECT_EQ(zones->GetLightColor(0), 0u);
    }
    EXPECT_EQ(lit.size(), kPadRippleZones.size()) << "the marker passes every zone";

    // Light ripple: the marker walks the lights one by one.
    PadState lights(Selection(6, 4));
    lit.clear();
    for (int frame = 0; frame < 80; ++frame) {
        lights->AdvanceTurns(7);
        for (size_t i = 0; i < kPadLights; ++i)
            if (AlphaOf(lights->GetLightColor(i)) != 0) lit.insert(i);
    }
    EXPECT_EQ(lit.size(), kPadLights);
}

TEST(PadPreview, AFlashingLightTogglesByItsPeriodAndMovesRoundTheWheel) {
    PadState state(Selection(8, 0));  // the lights are off but for their own effects
    LightListEntry flash;
    flash.present = 1;
    flash.light = {2, 4, 4, 0, 1, 0, 0, 0};  // flashing, speed 4 (1400 ms), multicolour
    state->SetAreaLights({LightListEntry{}, flash});
    EXPECT_TRUE(state->NeedsTurns()) << "a per-light effect animates on its own";

    std::vector<LightColor> litPhases;
    bool wasOn = AlphaOf(state->GetLightColor(1)) != 0;
    uint32_t changes = 0;
    for (uint32_t turn = 0; turn < 3 * 1400 / LightPreviewState::kTurnMs; ++turn) {
        state->AdvanceTurns(1);
        const bool on = AlphaOf(state->GetLightColor(1)) != 0;
        if (on != wasOn) {
            ++changes;
            if (on) litPhases.push_back(state->GetLightColor(1));
        }
        wasOn = on;
        EXPECT_EQ(state->GetLightColor(0), 0u) << "an absent entry leaves its light to the effect";
    }
    EXPECT_EQ(changes, 3u) << "one change every 1400 ms";
    // Each change moves the hue 14 on, so lit phases are 28 steps apart: hue 14, then 42.
    ASSERT_EQ(litPhases.size(), 2u);
    EXPECT_EQ(litPhases[0], MakeLightColor(WheelColor(14), 255));
    EXPECT_EQ(litPhases[1], MakeLightColor(WheelColor(42), 255));
}

TEST(PadPreview, LightListEntriesBeyondTheLightsAreIgnored) {
    PadState state(Selection(8, 0));
    LightListEntry steady;
    steady.present = 1;
    steady.light = {1, 4, 0, 0, 0, 9, 8, 7};
    state->SetAreaLights(std::vector<LightListEntry>(200, steady));
    state->AdvanceTurns(50);
    EXPECT_EQ(state->LightCount(), kPadLights);
    EXPECT_EQ(state->GetLightColor(14), MakeLightColor({9, 8, 7}, 255));
}

}  // namespace
}  // namespace orvane
