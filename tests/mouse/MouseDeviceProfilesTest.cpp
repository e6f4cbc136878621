// The mouse core's profile selection, reset and factory restore end to end: profile list and files on disk, the
// emulated Q730's memories and a file-backed desktop.
#include <gtest/gtest.h>

#include <filesystem>

#include "mouse/MouseDevice.h"
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

class MouseDeviceProfilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(channel.Open(mouse.CommandPath(), false));
        ASSERT_TRUE(mouseCore.Connect().Ok());
        folder = UserDataFolder("mouse");
        defaultPath = home.Path() + "/DefaultData/mouse.Json";
        MakeFoldersFor(defaultPath);
        store.wirtejsonFile(defaultPath, Root(Document(1)));
        mouseCore.SetFiles(folder, defaultPath);

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

        mouseCore.SetScreenSize(1920, 1080);
        mouseCore.SetDoubleClickMaximum(10);
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
            const size_t slot = mouseCore.Memories().SlotMap()[b];
            if (slot == kNoKeySlot) continue;
            const FunctionCode code{table[3 * slot], table[3 * slot + 1], table[3 * slot + 2]};
            EXPECT_EQ(code, KeyCode(mark, b)) << "button " << b;
        }
    }
    void ExpectMacrosOnTheDevice() {
        const auto image = CompileMacroArea(MacroEventsForDevice(*ReadDeviceMacros(folder)), mouseCore.Memories().MacroCapacityBytes()).image;
        ASSERT_FALSE(image.empty());
        const auto memory = mouse.Firmware().MacroMemory();
        EXPECT_TRUE(std::equal(image.begin(), image.end(), memory.begin()));
    }

    test::TempHome home;
    test::SimMouse mouse;
    CommandChannel channel;
    FileSystemMouseSettings desktop{home.Path() + "/desktop.json"};
    MouseDevice mouseCore{channel, desktop};
    JsonFileStore store;
    ProfileList list;
    std::string folder;
    std::string defaultPath;
};

TEST_F(MouseDeviceProfilesTest, SelectingAProfileWritesItToTheDeviceWithScreenFlagZero) {
    EXPECT_TRUE(mouseCore.SelectProfile(list, 1).Ok());
    ExpectDeviceHolds(2, 0, 0, 0);
    ExpectMacrosOnTheDevice();
    EXPECT_EQ(mouseCore.Profile().GetProfilePath(), ProfileFile(1));
    EXPECT_EQ(store.ReadJsonValue(folder + kProfileListFileName)["profileselect"], 1);
    EXPECT_EQ(mouseCore.DpiStages()[5].StageDPIX, StageX(2, 5));
    EXPECT_EQ(mouseCore.Keys().size(), kLogicalButtonCount);

    // The profile's pointer settings reach the desktop, limited to what it takes.
    EXPECT_EQ(desktop.PointerSpeed(), 20);
    EXPECT_EQ(desktop.DoubleClickTime(), 700);
    EXPECT_FALSE(desktop.PointerPrecision());
    EXPECT_EQ(desktop.WheelScrollLines(), kWheelPageScroll);

    ASSERT_TRUE(mouseCore.SelectProfile(list, 0).Ok());
    ExpectDeviceHolds(1, 0, 0, 0);
    EXPECT_EQ(desktop.PointerSpeed(), 6);
    EXPECT_EQ(desktop.WheelScrollLines(), 4);
    EXPECT_TRUE(mouseCore.SelectProfile(list, 2).IsRefused()) << "no such entry";
}

TEST_F(MouseDeviceProfilesTest, ResetWritesTheFactoryProfileWithTheScreenSize) {
    ASSERT_TRUE(mouseCore.SelectProfile(list, 1).Ok());
    EXPECT_TRUE(mouseCore.ResetProfile(list).Ok());
    const Json::Value file = store.ReadJsonValue(ProfileFile(1));
    EXPECT_EQ(file["Device"][0], Document(1));
    EXPECT_EQ(file["profilename"], list.Entries()[1].name);
    ExpectDeviceHolds(1, 1, 1920, 1080);
    EXPECT_EQ(desktop.PointerSpeed(), 6);
    EXPECT_EQ(desktop.DoubleClickTime(), 600);
    EXPECT_TRUE(desktop.PointerPrecision());
}

TEST_F(MouseDeviceProfilesTest, DefaultButtonRestoresTheFactoryDocumentUnderTheProfilesNames) {
    ASSERT_TRUE(mouseCore.SelectProfile(list, 1).Ok());
    ASSERT_TRUE(mouseCore.SetDpi(0, 10000).Ok());
    const auto reports = mouse.Firmware().ReportsReceived();
    ASSERT_TRUE(mouseCore.RestoreDefaults().Ok());
    EXPECT_EQ(mouse.Firmware().ReportsReceived(), reports) << "the restore itself writes nothing";
    // "default_btn" writes keys and settings after it.
    ASSERT_TRUE(mouseCore.WriteKeys(0).Ok());
    ASSERT_TRUE(mouseCore.WriteSettings(0, 0, mouseCore.Screen()).Ok());
    const Json::Value file = store.ReadJsonValue(ProfileFile(1));
    EXPECT_EQ(file["Device"][0], Document(1));
    EXPECT_EQ(file["profileUUID"], list.Entries()[1].uuid);
    EXPECT_EQ(mouseCore.Profile().GetProfilePath(), ProfileFile(1)) << "the profile stays where it was";
    ExpectDeviceHolds(1, 1, 1920, 1080);
    EXPECT_EQ(mouseCore.DpiStages()[0].StageDPIX, StageX(1, 0));
    EXPECT_EQ(desktop.PointerSpeed(), 20) << "the restore does not apply pointer settings";
}

TEST_F(MouseDeviceProfilesTest, WithoutAFactoryDocumentNothingIsRestoredOrWritten) {
    ASSERT_TRUE(mouseCore.SelectProfile(list, 1).Ok());
    std::filesystem::remove(defaultPath);
    const std::string before = home.ReadFile(ProfileFile(1).substr(home.Path().size() + 1));
    const auto reports = mouse.Firmware().ReportsReceived();
    EXPECT_TRUE(mouseCore.RestoreDefaults().IsRefused());
    EXPECT_TRUE(mouseCore.ResetProfile(list).IsRefused());
    EXPECT_EQ(home.ReadFile(ProfileFile(1).substr(home.Path().size() + 1)), before);
    EXPECT_EQ(mouse.Firmware().ReportsReceived(), reports);
}

TEST_F(MouseDeviceProfilesTest, AUuidThatIsAPathIsNeverLoaded) {
    const auto reports = mouse.Firmware().ReportsReceived();
    EXPECT_TRUE(mouseCore.ApplyProfile("../../escape").IsRefused());
    EXPECT_TRUE(mouseCore.ApplyProfile("").IsRefused());
    EXPECT_EQ(mouse.Firmware().ReportsReceived(), reports);
    EXPECT_FALSE(std::filesystem::exists(folder + "../../escape.Json"));
}

}  // namespace
}  // namespace orvane
