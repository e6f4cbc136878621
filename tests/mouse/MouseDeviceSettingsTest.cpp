// The mouse core's settings in the user's units against the emulated Q730: what the profile and
// the settings block end up holding, and what is refused.
#include <gtest/gtest.h>

#include "mouse/MouseDevice.h"
#include "profiles/ProfilePaths.h"
#include "tests/support/SimMouse.h"
#include "tests/support/TempHome.h"

namespace orvane {
namespace {

// Stages 0 and 3 on, 1 and 2 off; stage 1 active.
constexpr const char* kProfile = R"({"profilename": "P", "profileUUID": "p", "Device": [{
    "DPIStages": {"StageActive": 1, "StageDPIs": [
        {"StageActive": 1, "StageXY": 0, "StageDPIX": 3, "StageDPIY": 3},
        {"StageActive": 0, "StageXY": 0, "StageDPIX": 7, "StageDPIY": 7},
        {"StageActive": 0, "StageXY": 0, "StageDPIX": 15, "StageDPIY": 15},
        {"StageActive": 1, "StageXY": 0, "StageDPIX": 31, "StageDPIY": 31}]},
    "SystemStages": {"DoubleClickTime": 6, "MouseSpeed": 10},
    "ReportStages": {"StageActive": 3}, "HeightStages": {"StageActive": 1}}]})";

class MouseDeviceSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(channel.Open(mouse.CommandPath(), false));
        path = home.WriteFile(".local/share/ORVANE Q730 Gaming Mouse/mouse/p.Json", kProfile);
        core.SetFiles(UserDataFolder("mouse"), "");
        ASSERT_TRUE(core.UseProfile("p"));
        core.LoadProfile();
        core.SetScreenSize(2560, 1440);
    }

    std::vector<uint8_t> Block() { return mouse.Firmware().ParameterMemory(); }
    uint8_t StageByte(size_t stage, size_t byte) { return Block()[ConfigBlock::kDpiStages + stage * DpiStage::kSize + byte]; }
    Json::Value Saved() const { return JsonFileStore().ReadJsonValue(path)["Device"][0]; }

    test::TempHome home;
    test::SimMouse mouse;
    CommandChannel channel;
    FileSystemMouseSettings desktop{home.Path() + "/desktop.json"};
    MouseDevice core{channel, desktop};
    std::string path;
};

TEST(MouseUnits, CountsPerInchBecomeIndicesOfHundreds) {
    const std::pair<int, int> cases[] = {{1650, 15}, {50, 0}, {100, 0}, {101, 0}, {250, 1}, {16000, 159}, {99999, 159}, {-300, 0}};
    for (const auto& [cpi, index] : cases) EXPECT_EQ(ResolutionIndexFromCpi(cpi), index) << cpi;
    EXPECT_EQ(CpiFromResolutionIndex(15), 1600);
}

TEST(MouseUnits, RatesAndDistancesAreTheOptionsTheMouseOffers) {
    const std::pair<int, std::optional<int>> rates[] = {{125, 0}, {1000, 3}, {2000, 4}, {0, std::nullopt}, {1001, std::nullopt}};
    for (const auto& [hz, option] : rates) EXPECT_EQ(ReportRateOption(hz), option) << hz;
    EXPECT_EQ(LiftOffOption(2), 1);
    EXPECT_EQ(LiftOffOption(3), std::nullopt);
    EXPECT_EQ(ReportRateHzOfOption(7), 125) << "an option the mouse does not offer reads as the first";
}

TEST(MouseUnits, PointerValuesForTheDesktop) {
    EXPECT_EQ(PointerSpeedForDesktop(0), 1);
    EXPECT_EQ(PointerSpeedForDesktop(25), 20);
    EXPECT_EQ(PointerSpeedForDesktop(7), 7);
    EXPECT_EQ(DoubleClickTimeForLevel(10, 10), 100);
    EXPECT_EQ(DoubleClickTimeForLevel(1, 10), 1000);
    EXPECT_EQ(WheelLinesForDesktop(true, 3), kWheelPageScroll);
    EXPECT_EQ(WheelLinesForDesktop(false, 3), 3);
}

TEST_F(MouseDeviceSettingsTest, EachSettingIsSavedAndWrittenWithTheDesktopSize) {
    ASSERT_TRUE(core.SetDpi(2, 1650).Ok());
    EXPECT_EQ(StageByte(2, 2), 15);
    EXPECT_EQ(Saved()["DPIStages"]["StageDPIs"][2]["StageDPIX"], 15);
    EXPECT_EQ(Saved()["DPIStages"]["StageDPIs"][2]["StageDPIY"], 15) << "Y is never changed";

    ASSERT_TRUE(core.SetReportRateHz(500).Ok());
    EXPECT_EQ(Block()[ConfigBlock::kReportRate], 2);
    EXPECT_EQ(core.ReportRateHz(), 500);
    ASSERT_TRUE(core.SetLiftOffMm(1).Ok());
    EXPECT_EQ(Block()[ConfigBlock::kLiftOff], 0);
    EXPECT_EQ(Saved()["HeightStages"]["StageActive"], 0);
    ASSERT_TRUE(core.SetActiveStage(3).Ok());
    EXPECT_EQ(Block()[ConfigBlock::kActiveDpiStage], 3);

    const auto block = Block();
    EXPECT_EQ(block[ConfigBlock::kScreenValid], 1);
    EXPECT_EQ(block[ConfigBlock::kScreenWidth] | block[ConfigBlock::kScreenWidth + 1] << 8, 2560);
}

TEST_F(MouseDeviceSettingsTest, RefusalsChangeNothing) {
    const auto reports = mouse.Firmware().ReportsReceived();
    const std::string saved = home.ReadFile(".local/share/ORVANE Q730 Gaming Mouse/mouse/p.Json");
    ASSERT_TRUE(core.SetStageEnabled(0, false).Ok());
    const auto afterOne = mouse.Firmware().ReportsReceived();
    EXPECT_GT(afterOne, reports);

    const DeviceOutcome refused[] = {
        core.SetStageEnabled(3, false),  // the last stage that is on
        core.SetDpi(6, 800),
        core.SetActiveStage(-1),
        core.SetReportRateHz(300),
        core.SetLiftOffMm(5),
    };
    for (const DeviceOutcome& o : refused) {
        EXPECT_TRUE(o.IsRefused());
        EXPECT_FALSE(o.reason.empty());
    }
    EXPECT_EQ(mouse.Firmware().ReportsReceived(), afterOne);
    EXPECT_EQ(Saved()["DPIStages"]["StageDPIs"][3]["StageActive"], 1);
    EXPECT_EQ(Saved()["ReportStages"]["StageActive"], 3);
    EXPECT_NE(home.ReadFile(".local/share/ORVANE Q730 Gaming Mouse/mouse/p.Json"), saved);
}

TEST_F(MouseDeviceSettingsTest, ADeviceThatIsGoneIsReportedWithItsCommand) {
    channel.Close();
    const DeviceOutcome outcome = core.SetDpi(0, 800);
    ASSERT_TRUE(outcome.IsDeviceFailure());
    EXPECT_STREQ(outcome.failure.command, "open");
    EXPECT_EQ(outcome.failure.result, 0);
    EXPECT_EQ(Saved()["DPIStages"]["StageDPIs"][0]["StageDPIX"], 7) << "the profile keeps the change";
}

}  // namespace
}  // namespace orvane
