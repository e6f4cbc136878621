// Every light mode of the keyboard as a table: the mode's initialiser, its key-press handler and
// some steps of its renderer over the key grid, and what given keys show then.
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "keyboard/KeyLightEffects.h"
#include "light/LightTables.h"

namespace orvane {
namespace {

// Runs one mode as the preview does: initialiser on entry, renderer per step, handler per event.
class ModeRun {
public:
    ModeRun(uint8_t mode, LightSetting selection, uint16_t productId) : mode_(mode), selection_(selection) {
        selection_.mode = mode;
        state_.productId = productId;
        KeyboardLightModeOf(mode).enter(state_);
    }
    void Step(int n = 1) {
        for (int i = 0; i < n; ++i) {
            LightFrame frame(colors_);
            KeyEffectContext ctx{selection_, state_, frame, nowMs_};
            KeyboardLightModeOf(mode_).render(ctx);
        }
    }
    void Press(size_t key) { KeyboardLightModeOf(mode_).onKey(state_, key, KeyEvent::kPress); }
    void Release(size_t key) { KeyboardLightModeOf(mode_).onKey(state_, key, KeyEvent::kRelease); }
    uint8_t Alpha(size_t key) const { return AlphaOf(colors_[key]); }
    Rgb Color(size_t key) const { return {RedOf(colors_[key]), GreenOf(colors_[key]), BlueOf(colors_[key])}; }
    KeyEffectState& State() { return state_; }
    const std::vector<LightColor>& Colors() const { return colors_; }

private:
    uint8_t mode_;
    LightSetting selection_;
    KeyEffectState state_;
    std::vector<LightColor> colors_ = std::vector<LightColor>(kKeyboardKeyCount, 0);
    uint32_t nowMs_ = 0;
};

constexpr Rgb kGreen{0, 255, 0};
// Full brightness: an intensity x shows as x * 255 / 256.
constexpr uint8_t Shown(uint8_t intensity) { return Scale(intensity, 255); }

struct ModeCase {
    const char* name;
    uint8_t mode;
    uint8_t multiColor;
    uint16_t productId;
    std::function<void(ModeRun&)> check;
};

class KeyboardLightModes : public ::testing::TestWithParam<ModeCase> {};

TEST_P(KeyboardLightModes, ShowWhatTheModeMeans) {
    const ModeCase& c = GetParam();
    LightSetting selection{c.mode, 4, 2, 1, c.multiColor, 0, 255, 0};
    ModeRun run(c.mode, selection, c.productId);
    c.check(run);
}

// Keys by their cells: key 0 column 0 row 0, key 1 column 2 row 0, key 21 column 0 row 1, key 22
// column 1 row 1, key 43 column 1 row 2, key 44 column 2 row 2.
INSTANTIATE_TEST_SUITE_P(
    Table, KeyboardLightModes,
    ::testing::Values(
        ModeCase{"M00StaticRed", 0, 0, 0, [](ModeRun& r) {
            r.Step();
            for (size_t k : {0, 64, 125}) EXPECT_EQ(r.Colors()[k], MakeLightColor(kRed, 255));
        }},
        ModeCase{"M01Breathing", 1, 0, 0, [](ModeRun& r) {
            r.Step();
            EXPECT_EQ(r.Color(0), kRed) << "without multicolour the breath is red";
            EXPECT_EQ(r.Alpha(0), Shown(2));
        }},
        ModeCase{"M02ColumnsBreatheAgainstEachOther", 2, 0, 0, [](ModeRun& r) {
            r.Step();
            EXPECT_EQ(r.Alpha(0), Shown(kBreathCurve[2]));
            EXPECT_EQ(r.Alpha(22), Shown(kBreathCurve[66])) << "an odd column half a breath on";
            EXPECT_EQ(r.Color(22), kGreen);
        }},
        ModeCase{"M03WheelAlongColumns", 3, 0, 0, [](ModeRun& r) {
            r.Step();
            EXPECT_EQ(r.Color(0), WheelColor(2));
            EXPECT_EQ(r.Color(1), WheelColor(2 + 16)) << "two columns on";
            EXPECT_EQ(r.Color(21), r.Color(0)) << "same column, same colour";
        }},
        ModeCase{"M04IntensityWaveAlongColumns", 4, 0, 0, [](ModeRun& r) {
            r.Step();
            EXPECT_EQ(r.Alpha(0), Shown(24));
            EXPECT_EQ(r.Alpha(1), Shown(49));
        }},
        ModeCase{"M05WheelAlongRows", 5, 0, 0, [](ModeRun& r) {
            r.Step();
            EXPECT_EQ(r.Color(0), WheelColor(2));
            EXPECT_EQ(r.Color(21), WheelColor(34));
            EXPECT_EQ(r.Color(1), r.Color(0)) << "same row, same colour";
        }},
        ModeCase{"M06KeysBreatheInKeyOrder", 6, 0, 0, [](ModeRun& r) {
            r.Step();
            EXPECT_EQ(r.Alpha(0), Shown(kBreathCurve[2]));
            EXPECT_EQ(r.Alpha(1), Shown(kBreathCurve[6]));
        }},
        ModeCase{"M07WheelInKeyOrder", 7, 0, 0, [](ModeRun& r) {
            r.Step();
            EXPECT_EQ(r.Color(0), WheelColor(1));
            EXPECT_EQ(r.Color(2), WheelColor(7));
        }},
        ModeCase{"M08DiagonalWaveOnTwelveByTwelve", 8, 0, 0, [](ModeRun& r) {
            r.Step();
            EXPECT_EQ(r.Alpha(0), Shown(24));
            EXPECT_EQ(r.Alpha(21), Shown(81)) << "one row down is two grid rows";
        }},
        ModeCase{"M09RippleFromThePressedKey", 9, 0, 0, [](ModeRun& r) {
            r.Step();
            EXPECT_EQ(r.Alpha(44), 0) << "nothing before a press";
            r.Press(44);
            r.Step();
            EXPECT_EQ(r.Alpha(44), Shown(255));
            EXPECT_EQ(r.Alpha(43), 0);
            r.Step();
            EXPECT_EQ(r.Alpha(43), Shown(255)) << "the ring reached the next column";
            EXPECT_EQ(r.Alpha(44), Shown(255 - 32)) << "and the centre fades";
        }},
        ModeCase{"M10LitWhilePressedThenFades", 10, 0, 0, [](ModeRun& r) {
            r.Press(5);
            r.Step(3);
            EXPECT_EQ(r.Alpha(5), Shown(255));
            EXPECT_EQ(r.Alpha(6), 0);
            r.Release(5);
            r.Step();
            EXPECT_EQ(r.Alpha(5), Shown(255 - 8));
        }},
        ModeCase{"M11EachPressANewHue", 11, 1, 0, [](ModeRun& r) {
            r.Press(5);
            r.Press(6);
            r.Step();
            EXPECT_EQ(r.Color(5), WheelColor(0));
            EXPECT_EQ(r.Color(6), WheelColor(24));
            r.Release(5);
            r.Step();
            EXPECT_EQ(r.Alpha(5), Shown(255 - 16));
        }},
        ModeCase{"M12PressOverAGlow", 12, 0, 0, [](ModeRun& r) {
            r.Step();
            EXPECT_EQ(r.Alpha(0), Shown(64)) << "keys glow at rest";
            r.Press(0);
            r.Step();
            EXPECT_EQ(r.Alpha(0), Shown(255));
            r.Release(0);
            r.Step(40);
            EXPECT_EQ(r.Alpha(0), Shown(64)) << "and fade back to the glow, not below";
        }},
        ModeCase{"M13PressDarkensReleaseFadesIn", 13, 0, 0, [](ModeRun& r) {
            r.Step();
            EXPECT_EQ(r.Alpha(44), Shown(255)) << "lit at rest";
            r.Press(44);
            r.Step();
            EXPECT_EQ(r.Alpha(44), 0) << "dark at once";
            r.Release(44);
            r.Step(10);
            EXPECT_EQ(r.Alpha(44), Shown(10)) << "back in by 1 a step";
        }},
        ModeCase{"M14PressLightsReleaseFadesOut", 14, 0, 0, [](ModeRun& r) {
            r.Step();
            EXPECT_EQ(r.Alpha(44), 0) << "dark at rest";
            r.Press(44);
            r.Step();
            EXPECT_EQ(r.Alpha(44), Shown(255));
            r.Release(44);
            r.Step(2);
            EXPECT_EQ(r.Alpha(44), Shown(245)) << "out by 5 a step";
        }},
        ModeCase{"M15IntensityCycleInKeyOrder", 15, 0, 0, [](ModeRun& r) {
            r.Step();
            EXPECT_EQ(r.Alpha(10), Shown(21));
            EXPECT_EQ(r.Alpha(100), Shown(201));
            r.Step(55);
            EXPECT_EQ(r.Alpha(100), Shown(0)) << "climbs past full and starts again";
        }},
        ModeCase{"M16BreathingInRandomHues", 16, 0, 0, [](ModeRun& r) {
            r.Step();
            std::set<uint32_t> hues;
            for (size_t k = 0; k < kKeyboardKeyCount; ++k) {
                const Rgb c = r.Color(k);
                hues.insert(uint32_t{c.red} << 16 | c.green << 8 | c.blue);
            }
            EXPECT_GT(hues.size(), 20u) << "keys breathe in hues of their own";
        }},
        ModeCase{"M17StarsLightAndFade", 17, 0, 0, [](ModeRun& r) {
            r.Step();
            size_t lit = 0;
            for (size_t k = 0; k < kKeyboardKeyCount; ++k) lit += r.Alpha(k) == Shown(255);
            EXPECT_GE(lit, 1u);
            EXPECT_LE(lit, 2u);
        }},
        ModeCase{"M18ColumnsSweepOnMostKeyboards", 18, 0, 0, [](ModeRun& r) {
            r.Step();
            EXPECT_EQ(r.Alpha(0), Shown(255));
            EXPECT_EQ(r.Alpha(21), Shown(255)) << "the whole first column";
            EXPECT_EQ(r.Alpha(1), 0);
        }},
        ModeCase{"M18RowsSweepOnTheOtherProduct", 18, 0, kRowSweepProductId, [](ModeRun& r) {
            r.Step();
            EXPECT_EQ(r.Alpha(1), Shown(255)) << "the whole first row";
            EXPECT_EQ(r.Alpha(21), 0);
        }},
        ModeCase{"M19Chequerboard", 19, 0, 0, [](ModeRun& r) {
            r.Step();
            EXPECT_EQ(r.Alpha(0), Shown(255));
            EXPECT_EQ(r.Alpha(22), Shown(255));
            EXPECT_EQ(r.Alpha(21), 0);
        }},
        ModeCase{"M20CustomPattern", 20, 0, 0, [](ModeRun& r) {
            r.State().customLit[5] = true;
            r.Step();
            EXPECT_EQ(r.Colors()[5], MakeLightColor(kGreen, Shown(255)));
            EXPECT_EQ(r.Alpha(6), 0);
        }},
        ModeCase{"M21Off", 21, 0, 0, [](ModeRun& r) {
            r.Step();
            for (size_t k : {0, 64, 125}) EXPECT_EQ(r.Colors()[k], 0u);
        }}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(KeyboardLightModesTable, UserEffectsAndUnusedHandlers) {
    EXPECT_EQ(KeyboardLightModeOf(22).render, nullptr) << "the caller plays the user effect's steps";
    EXPECT_EQ(KeyboardLightModeOf(200).render, nullptr);
    for (uint8_t mode : {0, 3, 8, 15, 20, 21}) EXPECT_EQ(KeyboardLightModeOf(mode).onKey, nullptr) << int{mode};
    for (uint8_t mode = 9; mode <= 14; ++mode) EXPECT_NE(KeyboardLightModeOf(mode).onKey, nullptr) << int{mode};
}

TEST(KeyboardKeyEvents, UsagesOfTheConsumerCollection) {
    EXPECT_EQ(SlotEventFromUsage(0x0507)->slot, 7u);
    EXPECT_EQ(SlotEventFromUsage(0x0507)->kind, KeyEvent::kPress);
    EXPECT_EQ(SlotEventFromUsage(0x06FF)->kind, KeyEvent::kRelease);
    EXPECT_EQ(SlotEventFromUsage(0x06FF)->slot, 255u);
    EXPECT_FALSE(SlotEventFromUsage(0x0401));
    EXPECT_FALSE(SlotEventFromUsage(0x0700));
}

}  // namespace
}  // namespace orvane
