#include <gtest/gtest.h>

#include "light/LightTables.h"
#include "light/SyncEffect.h"

namespace orvane::test {
namespace {

using Clock = SyncEffectEngine::Clock;
using std::chrono::milliseconds;

SyncEffectSettings Effect(SyncEffectType type, uint8_t speed, uint8_t brightness = 4) {
    SyncEffectSettings s;
    s.effectType = static_cast<uint8_t>(type);
    s.speed = speed;
    s.brightness = brightness;
    s.colour = {10, 20, 30};
    return s;
}

TEST(SyncEffectTest, TheLightStateOfTheCopiedPageBecomesTheSettings) {
    const LightSetting light{4, 3, 2, 1, 1, 9, 8, 7};
    const SyncEffectSettings s = SyncSettingsFromLight(2, light);
    EXPECT_EQ(s, (SyncEffectSettings{2, 3, 2, 1, 1, {9, 8, 7}}));
}

TEST(SyncEffectTest, StepIntervalsFollowEffectAndSpeed) {
    EXPECT_EQ(SyncStepIntervalMs(Effect(SyncEffectType::Breathing, 0)), 5);
    EXPECT_EQ(SyncStepIntervalMs(Effect(SyncEffectType::Breathing, 4)), 1);
    EXPECT_EQ(SyncStepIntervalMs(Effect(SyncEffectType::ColourCycle, 4)), 7);
    EXPECT_EQ(SyncStepIntervalMs(Effect(SyncEffectType::Steady, 0)), 28);
    // A speed beyond the table runs as the fastest, never as a step on every pass.
    EXPECT_EQ(SyncStepIntervalMs(Effect(SyncEffectType::Off, 9)), 7);
}

TEST(SyncEffectTest, ColourCycleWalksTheWheelOneEntryPerStepAndWrapsAfter192) {
    const SyncEffectSettings s = Effect(SyncEffectType::ColourCycle, 4);
    SyncEffectEngine engine;
    const Clock::time_point start{};
    engine.Restart(start);
    EXPECT_EQ(engine.Advance(s, start + milliseconds(6)), std::nullopt);
    const auto first = engine.Advance(s, start + milliseconds(7));
    ASSERT_TRUE(first);
    EXPECT_EQ(*first, MakeLightColor(WheelColor(1), 255));
    // One frame after a long sleep runs every step that fell due.
    engine.Advance(s, start + milliseconds(7 * 192));
    EXPECT_EQ(engine.CycleIndex(), 0);
}

TEST(SyncEffectTest, BreathingBackwardsWalksTheCurveDownFromTheTop) {
    SyncEffectSettings s = Effect(SyncEffectType::Breathing, 0, 2);
    s.breathForward = 0;
    SyncEffectEngine engine;
    const Clock::time_point t{};
    std::vector<int> positions;
    for (int i = 0; i < 3; ++i) {
        const LightColor c = engine.Step(s, t);
        positions.push_back(engine.BreathPosition());
        EXPECT_EQ(c, MakeLightColor(kRed, Scale(135, kBreathCurve[engine.BreathPosition()])));
    }
    EXPECT_EQ(positions, (std::vector<int>{126, 124, 122}));
}

TEST(SyncEffectTest, FlashingTogglesAfterItsPeriodAndDarkensWhenOff) {
    for (const auto& [speed, periodMs] : {std::pair{0, 1000}, std::pair{4, 200}}) {
        SyncEffectSettings s = Effect(SyncEffectType::Flashing, static_cast<uint8_t>(speed));
        SyncEffectEngine engine;
        const Clock::time_point start{};
        engine.Restart(start);
        EXPECT_EQ(engine.Step(s, start + milliseconds(periodMs - 1)), 0u) << speed;
        EXPECT_EQ(engine.Step(s, start + milliseconds(periodMs)), MakeLightColor({10, 20, 30}, 255)) << speed;
        EXPECT_EQ(engine.Step(s, start + milliseconds(2 * periodMs)), 0u) << speed;
        s.colourful = 1;
        EXPECT_EQ(engine.Step(s, start + milliseconds(3 * periodMs)), MakeLightColor(WheelColor(42), 255)) << speed;
    }
}

TEST(SyncEffectTest, SteadyAndOffAndUnknownEffects) {
    SyncEffectEngine engine;
    const Clock::time_point start{};
    EXPECT_EQ(engine.Step(Effect(SyncEffectType::Steady, 0, 1), start), MakeLightColor({10, 20, 30}, 60));
    EXPECT_EQ(engine.Step(Effect(SyncEffectType::Off, 0), start), 0u);
    SyncEffectSettings unknown = Effect(SyncEffectType::Off, 0);
    unknown.effectType = 7;
    engine.Restart(start);
    EXPECT_EQ(engine.Advance(unknown, start + milliseconds(1000)), std::nullopt);
}

}  // namespace
}  // namespace orvane::test
