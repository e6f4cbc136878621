#include <gtest/gtest.h>

#include "platform/SystemMouseSettings.h"
#include "platform/UserFolders.h"
#include "tests/profiles/ProfileFixture.h"

namespace orvane::test {
namespace {

using ProfileSystemMouseSettingsTest = ProfileFolderTest;
using Settings = FileSystemMouseSettings;

TEST_F(ProfileSystemMouseSettingsTest, LivesInTheConfigFolderUnderTheProductName) {
    EXPECT_EQ(Settings::DefaultPath(), home.Path() + "/.config/ORVANE Q730 Gaming Mouse/SystemMouseSettings.json");
    ::setenv("XDG_CONFIG_HOME", (home.Path() + "/cfg").c_str(), 1);
    EXPECT_EQ(Settings::DefaultPath(), home.Path() + "/cfg/ORVANE Q730 Gaming Mouse/SystemMouseSettings.json");
    ::unsetenv("XDG_CONFIG_HOME");
}

TEST_F(ProfileSystemMouseSettingsTest, WithoutAFileTheDesktopDefaultsApply) {
    auto system = std::make_unique<Settings>();
    EXPECT_EQ(system->PointerSpeed(), Settings::kDefaultPointerSpeed);
    EXPECT_EQ(system->PointerPrecision(), Settings::kDefaultPointerPrecision);
    EXPECT_EQ(system->WheelScrollLines(), Settings::kDefaultWheelScrollLines);
    EXPECT_EQ(system->DoubleClickTime(), Settings::kDefaultDoubleClickTime);
}

TEST_F(ProfileSystemMouseSettingsTest, ValuesPersistAcrossInstancesAndEachWriteKeepsTheOthers) {
    {
        Settings system;
        EXPECT_TRUE(system.SetPointerSpeed(20));
        EXPECT_TRUE(system.SetPointerPrecision(false));
        EXPECT_TRUE(system.SetWheelScrollLines(kWheelPageScroll));
        EXPECT_TRUE(system.SetDoubleClickTime(900));
    }
    Settings again;
    EXPECT_EQ(again.PointerSpeed(), 20);
    EXPECT_FALSE(again.PointerPrecision());
    EXPECT_EQ(again.WheelScrollLines(), kWheelPageScroll);
    EXPECT_EQ(again.DoubleClickTime(), 900);
    EXPECT_EQ(FilesStartingWith(home.Path() + "/.config/ORVANE Q730 Gaming Mouse", "SystemMouseSettings.json"),
              std::vector<std::string>{"SystemMouseSettings.json"});
}

TEST_F(ProfileSystemMouseSettingsTest, OutOfRangeValuesAreRefusedAndLeaveTheStoredOnes) {
    Settings system;
    ASSERT_TRUE(system.SetPointerSpeed(5));
    ASSERT_TRUE(system.SetWheelScrollLines(0));
    for (int speed : {0, 21, -1}) EXPECT_FALSE(system.SetPointerSpeed(speed)) << speed;
    for (int lines : {-2, Settings::kMaxWheelScrollLines + 1}) EXPECT_FALSE(system.SetWheelScrollLines(lines));
    for (int ms : {0, Settings::kMaxDoubleClickTime + 1}) EXPECT_FALSE(system.SetDoubleClickTime(ms));
    EXPECT_EQ(system.PointerSpeed(), 5);
    EXPECT_EQ(system.WheelScrollLines(), 0);
}

TEST_F(ProfileSystemMouseSettingsTest, ADamagedFileReadsAsDefaultsAndTheNextWriteRepairsIt) {
    std::string path = home.Path() + "/settings.json";
    const std::string contents[] = {
        "{ not json",
        "[10, true]",
        R"({"PointerSpeed": "fast", "PointerPrecision": 7, "WheelScrollLines": 1e9, "DoubleClickTime": -5})",
        R"({"PointerSpeed": 99, "WheelScrollLines": -7, "DoubleClickTime": 1e400})",
    };
    for (const auto& content : contents) {
        WriteText(path, content);
        Settings system(path);
        EXPECT_EQ(system.PointerSpeed(), Settings::kDefaultPointerSpeed) << content;
        EXPECT_EQ(system.PointerPrecision(), Settings::kDefaultPointerPrecision) << content;
        EXPECT_EQ(system.WheelScrollLines(), Settings::kDefaultWheelScrollLines) << content;
        EXPECT_EQ(system.DoubleClickTime(), Settings::kDefaultDoubleClickTime) << content;
        ASSERT_TRUE(system.SetPointerSpeed(4)) << content;
        EXPECT_EQ(Settings(path).PointerSpeed(), 4) << content;
    }
}

}  // namespace
}  // namespace orvane::test
