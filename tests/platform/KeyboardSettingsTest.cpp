// The desktop's key repeat: our rate and delay steps against milliseconds, the file fallback and
// GNOME's keyboard settings on GSettings' in-memory backend.
#include <gio/gio.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/GnomeKeyboardSettings.h"
#include "tests/support/TempHome.h"

namespace orvane {
namespace {

// Before anything in this process opens GSettings.
const bool kMemoryBackend = ::setenv("GSETTINGS_BACKEND", "memory", 1) == 0;

TEST(KeyRepeatUnits, RatesAndDelaysInMilliseconds) {
    const std::pair<int, int> intervals[] = {{0, 400}, {31, 33}, {15, 63}};
    for (const auto& [rate, ms] : intervals) {
        EXPECT_EQ(RepeatIntervalMsFromRate(rate), ms) << rate;
        EXPECT_EQ(RepeatRateFromIntervalMs(ms), rate) << ms;
    }
    for (int rate = 0; rate <= kMaxKeyRepeatRate; ++rate) EXPECT_EQ(RepeatRateFromIntervalMs(RepeatIntervalMsFromRate(rate)), rate);
    EXPECT_EQ(RepeatRateFromIntervalMs(30), 31) << "GNOME's default is the fastest rate";
    EXPECT_EQ(RepeatDelayMsFromLevel(2), 750);
    const std::pair<int, int> delays[] = {{250, 0}, {500, 1}, {660, 2}, {1000, 3}, {5000, 3}, {0, 0}};
    for (const auto& [ms, level] : delays) EXPECT_EQ(RepeatDelayLevelFromMs(ms), level) << ms;
}

TEST(FileKeyboardSettings, KeepsValidValuesAndReadsDefaultsOtherwise) {
    test::TempHome home;
    const std::string path = home.Path() + "/config/keyboard.json";
    FileSystemKeyboardSettings file(path);
    EXPECT_EQ(file.RepeatRate(), kDefaultKeyRepeatRate);
    EXPECT_EQ(file.RepeatDelay(), kDefaultKeyRepeatDelay);
    EXPECT_TRUE(file.SetRepeatRate(12));
    EXPECT_TRUE(file.SetRepeatDelay(3));
    EXPECT_FALSE(file.SetRepeatRate(32));
    EXPECT_FALSE(file.SetRepeatDelay(-1));
    EXPECT_EQ(FileSystemKeyboardSettings(path).RepeatRate(), 12);
    EXPECT_EQ(FileSystemKeyboardSettings(path).RepeatDelay(), 3);
    home.WriteFile("config/keyboard.json", R"({"RepeatRate": 99, "RepeatDelay": "slow"})");
    EXPECT_EQ(file.RepeatRate(), kDefaultKeyRepeatRate);
    EXPECT_EQ(file.RepeatDelay(), kDefaultKeyRepeatDelay);
}

TEST(GnomeKeyboardSettingsTest, RepeatIsTheIntervalAndDelayKeys) {
    ASSERT_TRUE(kMemoryBackend);
    auto gnome = GnomeKeyboardSettings::Create();
    if (!gnome) GTEST_SKIP() << kGnomeKeyboardSchema << " is not installed";
    GSettings* raw = g_settings_new(kGnomeKeyboardSchema);
    for (const char* key : {"repeat-interval", "delay", "repeat"}) g_settings_reset(raw, key);
    EXPECT_EQ(gnome->RepeatRate(), 31);
    EXPECT_EQ(gnome->RepeatDelay(), 1);
    g_settings_set_boolean(raw, "repeat", FALSE);
    EXPECT_TRUE(gnome->SetRepeatRate(0));
    EXPECT_EQ(g_settings_get_uint(raw, "repeat-interval"), 400u);
    EXPECT_TRUE(g_settings_get_boolean(raw, "repeat")) << "setting a rate switches repeat on";
    EXPECT_TRUE(gnome->SetRepeatDelay(2));
    EXPECT_EQ(g_settings_get_uint(raw, "delay"), 750u);
    EXPECT_EQ(gnome->RepeatDelay(), 2);
    EXPECT_FALSE(gnome->SetRepeatDelay(4));
    EXPECT_EQ(g_settings_get_uint(raw, "delay"), 750u);
    EXPECT_NE(dynamic_cast<GnomeKeyboardSettings*>(CreateSystemKeyboardSettings().get()), nullptr);
    g_object_unref(raw);
}

}  // namespace
}  // namespace orvane
