// Profile selection, reset and factory restore end to end: profile list and files on disk, the
// emulated Q730's memories and a file-backed desktop.
#include <gtest/gtest.h>

#include <filesystem>

#include "mouse/MouseProfileActions.h"
#include "profiles/MacroFile.h"
#include "profiles/ProfilePaths.h"
#include "tests/support/SimMouse.h"
#include "tests/support/TempHome.h"

namespace orvane {
namespace {

// A profile document whose every value derives from `mark`, so each profile is recognisable in
// the device's memories.
int StageX(int mark, int stage) { return mark * 10 + stage; }
FunctionCode KeyCode(int mark, size_t button) { return {0x20, 0x00, static_cast<uint8_t>(mark * 16 + button)}; }

Json::Value Document(int mark) {
    Json::Value d;
    d["LightInfo"]["SelectItem"] = mark;
    d["LightInfo"]["Light"] = 3;
    d["LightInfo"]["Speed"] = 1;
    for (Json::ArrayIndex b = 0; b < kLogicalButtonCount; ++b) {
        d["KeyList"][b]["Assignment"] = static_cast<Json::Int>(PackAssignment(KeyCode(mark, b)));
        d["KeyList"][b]["DefaultAssignment"] = static_cast<Json::Int>(PackAssignment(KeyCode(1, b)));
    }
    d["DPIStages"]["StageActive"] = mark;
    for (Json::ArrayIndex i = 0; i < 6; ++i) {
        Json::Value& s = d["DPIStages"]["StageDPIs"][i];
        s["StageActive"] = 1;
        s["StageDPIX"] = s["StageDPIY"] = StageX(mark, static_cast<int>(i));
    }
    const bool one = mark == 1;
    d["SystemStages"]["MouseSpeed"] = one ? 6 : 25;
    d["SystemStages"]["DoubleClickTime"] = one ? 5 : 4;
    d["SystemStages"]["PointerPrecision"] = one ? 1 : 0;
    d["SystemStages"]["ScorllPage"] = one ? 0 : 1;
    d["SystemStages"]["WheelScorlllinse"] = 4;
    d["ReportStages"]["StageActive"] = mark + 1;
    d["HeightStages"]["StageActive"] = mark % 2;
    return d;
}

Json::Value Root(const Json::Value& document) {
    Json::Value root;
    root["Device"][0] = document;
    return root;
}

class MouseProfileActionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(channel.Open(mouse.CommandPath(), false));
        ASSERT_EQ(device.InitialRead(), MouseDeviceModel::InitialReadOutcome::Done);
        folder = UserDataFolder("mouse");
        defaultPath = home.Path() + "/DefaultData/mouse.Json";
        MakeFoldersFor(defaultPath);
        store.wirtejsonFile(defaultPath, Root(Document(1)));
        profile.SetDefaultProfilePath(defaultPath);

        list.SetDeviceKind(kDeviceMouse);
        list.SetProfilePaths(folder, defaultPath);
        list.InitProfileList();
        ASSERT_TRUE(list.AddProfile().Changed());
        Json::Value other = store.ReadJsonValue(ProfileFile(1));
        other["Device"][0] = Document(2);
        store.wirtejsonFile(ProfileFile(1), other);

        ASSERT_TRUE(WriteMacroIndex(folder + kMacroIndexFileName, {{"m1", "g1"}}));
        MacroFile macro;
        macro.Guid = "g1";
        macro.MacroName = "m1";
        macro.Events = {{"down", 4, 10, "30"}, {"up", 4, 10, "20"}};
        ASSERT_TRUE(WriteMacroFile(*MacroFilePath(folder, "g1"), macro));

        panel.SetScreenSize(1920, 1080);
        panel.SetDoubleClickMaximum(10);
    }
    static void MakeFoldersFor(const std::string& path) {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    }
    std::string ProfileFile(size_t index) const { return folder + list.Entries()[index].uuid + ".Json"; }

    // The settings block, key table and macro memory hold profile `mark`.
    void ExpectDeviceHolds(int mark, uint8_t screenValid, uint16_t width, uint16_t height) {
        const auto block = mouse.Firmware().ParameterMemory();
        EXPECT_EQ(block[ConfigBlock::kLightMode], mark);
        for (size_t i = 0; i < 6; ++i) {
            EXPECT_EQ(block[ConfigBlock::kDpiStages + i * DpiStage::kSize + 2], StageX(mark, static_cast<int>(i))) << i;
        }
        EXPECT_EQ(block[ConfigBlock::kReportRate], mark + 1);
        EXPECT_EQ(block[ConfigBlock::kActiveDpiStage], mark);
        EXPECT_EQ(block[ConfigBlock::kLiftOff], mark % 2);
        EXPECT_EQ(block[ConfigBlock::kScreenValid], screenValid);
        EXPECT_EQ(block[ConfigBlock::kScreenWidth] | block[ConfigBlock::kScreenWidth + 1] << 8, width);
        EXPECT_EQ(block[ConfigBlock::kScreenHeight] | block[ConfigBlock::kScreenHeight + 1] << 8, height);

        const auto table = mouse.Firmware().KeyTable();
        for (size_t b = 0; b < kLogicalButtonCount; ++b) {
            const size_t slot = device.SlotMap()[b];
            if (slot == kNoKeySlot) continue;
            const FunctionCode code{table[3 * slot], table[3 * slot + 1], table[3 * slot + 2]};
            EXPECT_EQ(code, KeyCode(mark, b)) << "button " << b;
        }
    }
    void ExpectMacrosOnTheDevice() {
        const auto image = CompileMacroArea(MacroEventsForDevice(*ReadDeviceMacros(folder)), device.MacroCapacityBytes()).image;
        ASSERT_FALSE(image.empty());
        const auto memory = mouse.Firmware().MacroMemory();
        EXPECT_TRUE(std::equal(image.begin(), image.end(), memory.begin()));
    }

    test::TempHome home;
    test::SimMouse mouse;
    CommandChannel channel;
    MouseDeviceModel device{channel};
    FileSystemMouseSettings desktop{home.Path() + "/desktop.json"};
    CMouseProfiledata profile;
    MousePageParts parts{profile, channel, device, desktop};
    PerformanceSettings panel{parts};
    JsonFileStore store;
    ProfileList list;
    std::string folder;
    std::string defaultPath;
    MouseProfileActions actions{parts, panel, UserDataFolder("mouse")};
};

TEST_F(MouseProfileActionsTest, SelectingAProfileWritesItToTheDeviceWithScreenFlagZero) {
    const auto written = actions.SelectProfile(list, 1);
    ASSERT_TRUE(written);
    EXPECT_EQ(written->keys, 1);
    EXPECT_EQ(written->macros, 0);
    EXPECT_EQ(written->settings, 1);
    ExpectDeviceHolds(2, 0, 0, 0);
    ExpectMacrosOnTheDevice();
    EXPECT_EQ(profile.GetProfilePath(), ProfileFile(1));
    EXPECT_EQ(store.ReadJsonValue(folder + kProfileListFileName)["profileselect"], 1);
    EXPECT_EQ(panel.View().dpiRows[5].sliderValue, StageX(2, 5));
    EXPECT_EQ(actions.Mirror().keys.size(), kLogicalButtonCount);

    // The profile's pointer settings reach the desktop, limited to what it takes.
    EXPECT_EQ(desktop.PointerSpeed(), 20);
    EXPECT_EQ(desktop.DoubleClickTime(), 700);
    EXPECT_FALSE(desktop.PointerPrecision());
    EXPECT_EQ(desktop.WheelScrollLines(), kWheelPageScroll);

    ASSERT_TRUE(actions.SelectProfile(list, 0));
    ExpectDeviceHolds(1, 0, 0, 0);
    EXPECT_EQ(desktop.PointerSpeed(), 6);
    EXPECT_EQ(desktop.WheelScrollLines(), 4);
    EXPECT_FALSE(actions.SelectProfile(list, 2)) << "no such entry";
}

TEST_F(MouseProfileActionsTest, ResetWritesTheFactoryProfileWithTheScreenSize) {
    ASSERT_TRUE(actions.SelectProfile(list, 1));
    const auto written = actions.ResetProfile(list);
    ASSERT_TRUE(written);
    EXPECT_EQ(written->settings, 1);
    EXPECT_EQ(written->keys, 1);
    const Json::Value file = store.ReadJsonValue(ProfileFile(1));
    EXPECT_EQ(file["Device"][0], Document(1));
    EXPECT_EQ(file["profilename"], list.Entries()[1].name);
    ExpectDeviceHolds(1, 1, 1920, 1080);
    EXPECT_EQ(desktop.PointerSpeed(), 6);
    EXPECT_EQ(desktop.DoubleClickTime(), 600);
    EXPECT_TRUE(desktop.PointerPrecision());
}

TEST_F(MouseProfileActionsTest, DefaultButtonRestoresTheFactoryDocumentUnderTheProfilesNames) {
    ASSERT_TRUE(actions.SelectProfile(list, 1));
    ASSERT_TRUE(panel.OnDpiSliderReleased(0, 99));
    const auto written = actions.RestoreDefaults();
    ASSERT_TRUE(written);
    const Json::Value file = store.ReadJsonValue(ProfileFile(1));
    EXPECT_EQ(file["Device"][0], Document(1));
    EXPECT_EQ(file["profileUUID"], list.Entries()[1].uuid);
    EXPECT_EQ(profile.GetProfilePath(), ProfileFile(1)) << "the profile stays where it was";
    ExpectDeviceHolds(1, 1, 1920, 1080);
    EXPECT_EQ(panel.View().dpiRows[0].sliderValue, StageX(1, 0));
    EXPECT_EQ(desktop.PointerSpeed(), 20) << "the restore does not apply pointer settings";
}

TEST_F(MouseProfileActionsTest, WithoutAFactoryDocumentNothingIsRestoredOrWritten) {
    ASSERT_TRUE(actions.SelectProfile(list, 1));
    std::filesystem::remove(defaultPath);
    const std::string before = home.ReadFile(ProfileFile(1).substr(home.Path().size() + 1));
    const auto reports = mouse.Firmware().ReportsReceived();
    EXPECT_FALSE(actions.RestoreDefaults());
    EXPECT_FALSE(actions.ResetProfile(list));
    EXPECT_EQ(home.ReadFile(ProfileFile(1).substr(home.Path().size() + 1)), before);
    EXPECT_EQ(mouse.Firmware().ReportsReceived(), reports);
}

TEST_F(MouseProfileActionsTest, AUuidThatIsAPathIsNeverLoaded) {
    const auto reports = mouse.Firmware().ReportsReceived();
    EXPECT_FALSE(actions.ApplyProfile("../../escape"));
    EXPECT_FALSE(actions.ApplyProfile(""));
    EXPECT_EQ(mouse.Firmware().ReportsReceived(), reports);
    EXPECT_FALSE(std::filesystem::exists(folder + "../../escape.Json"));
}

}  // namespace
}  // namespace orvane
