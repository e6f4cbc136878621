// The mouse page's system panel over the mouse core, against the emulated Q730, a profile file and a
// file-backed desktop.
#include <gtest/gtest.h>

#include "pages/MouseSystemPanel.h"
#include "profiles/ProfilePaths.h"
#include "tests/support/SimMouse.h"
#include "tests/support/TempHome.h"

namespace orvane {
namespace {

// Stages 0 and 3 on, 1 and 2 off; stage 1 active; a report stage no option shows.
constexpr const char* kProfile = R"({"profilename": "P", "profileUUID": "p", "Device": [{
    "DPIStages": {"StageActive": 1, "StageDPIs": [
        {"StageActive": 1, "StageXY": 0, "StageDPIX": 3, "StageDPIY": 3, "StageColorR": 255, "StageColorG": 0, "StageColorB": 0},
        {"StageActive": 0, "StageXY": 0, "StageDPIX": 7, "StageDPIY": 7, "StageColorR": 0, "StageColorG": 255, "StageColorB": 0},
        {"StageActive": 0, "StageXY": 0, "StageDPIX": 15, "StageDPIY": 15, "StageColorR": 0, "StageColorG": 0, "StageColorB": 255},
        {"StageActive": 1, "StageXY": 0, "StageDPIX": 31, "StageDPIY": 31, "StageColorR": 9, "StageColorG": 9, "StageColorB": 9}]},
    "SystemStages": {"DoubleClickTime": 6, "MouseSpeed": 10, "PointerPrecision": 1, "ScorllPage": 0, "WheelScorlllinse": 3},
    "ReportStages": {"StageActive": 7}, "HeightStages": {"StageActive": 1}}]})";

class PerformanceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(channel.Open(mouse.CommandPath(), false));
        path = home.WriteFile(".local/share/ORVANE Q730 Gaming Mouse/mouse/p.Json", kProfile);
        mouseCore.SetFiles(UserDataFolder("mouse"), "");
        ASSERT_TRUE(mouseCore.UseProfile("p"));
        mouseCore.LoadProfile();
        mouseCore.SetScreenSize(1920, 1080);
        panel.Show();
    }

    std::vector<uint8_t> Block() { return mouse.Firmware().ParameterMemory(); }
    std::array<uint8_t, DpiStage::kSize> DeviceStage(size_t k) {
        std::array<uint8_t, DpiStage::kSize> s{};
        const auto block = Block();
        std::copy_n(block.begin() + ConfigBlock::kDpiStages + k * DpiStage::kSize, s.size(), s.begin());
        return s;
    }
    Json::Value SavedDocument() const { return JsonFileStore().ReadJsonValue(path)["Device"][0]; }
    const DpiRowView& Row(int n) const { return panel.View().dpiRows[n]; }

    test::TempHome home;
    test::SimMouse mouse;
    CommandChannel channel;
    FileSystemMouseSettings desktop{home.Path() + "/desktop.json"};
    MouseDevice mouseCore{channel, desktop};
    MouseSystemPanel panel{mouseCore};
    std::string path;
};

TEST(PerformanceConversions, TypedResolutionsBecomeIndicesOfHundreds) {
    const std::pair<const char*, int> cases[] = {
        {"1650", 15}, {"50", 0}, {"100", 0}, {"101", 0}, {"250", 1}, {"16000", 159},
        {"99999", 159}, {"-300", 0}, {"abc", 0}, {"", 0}, {" 3200dpi", 31},
    };
    for (const auto& [text, index] : cases) EXPECT_EQ(DpiIndexFromText(text), index) << text;
    EXPECT_EQ(DpiTextFromIndex(15), "1600");
    EXPECT_EQ(DpiTextFromIndex(0), "100");
}

TEST(PerformanceConversions, MainWindowPairKeepsItsEditWithin200To6500) {
    const std::pair<const char*, int> cases[] = {{"150", 200}, {"3200", 3200}, {"7000", 6500}, {"x", 200}};
    for (const auto& [text, value] : cases) EXPECT_EQ(MainWindowDpiFromText(text), value) << text;
    EXPECT_EQ(MainWindowDpiText(800), "800");
}

TEST_F(PerformanceTest, ShowingAProfileFollowsItsStagesAndOptions) {
    EXPECT_TRUE(Row(0).checked && Row(0).rowEnabled);
    EXPECT_FALSE(Row(1).checked || Row(1).rowEnabled) << "a stage that is off shows off";
    EXPECT_TRUE(Row(3).checked);
    EXPECT_EQ(Row(3).sliderValue, 31);
    EXPECT_EQ(Row(3).editText, "3200");
    for (int n = 0; n < kDpiStageRows; ++n) EXPECT_EQ(Row(n).rankSelected, n == 1) << n;
    EXPECT_EQ(panel.View().reportRateOption, 0) << "a stored report stage of 7 shows as option 0";
    EXPECT_EQ(panel.View().liftOffOption, 1);
    EXPECT_EQ(panel.View().doubleClickLevel, 6);

    // A profile of one stage: the rows beyond it keep their state.
    const DpiRowView before = Row(3);
    Json::Value root = JsonFileStore().ReadJsonValue(path);
    Json::Value one(Json::arrayValue);
    one.append(root["Device"][0]["DPIStages"]["StageDPIs"][0]);
    one[0]["StageDPIX"] = 50;
    root["Device"][0]["DPIStages"]["StageDPIs"] = one;
    root["Device"][0]["DPIStages"]["StageActive"] = 0;
    ASSERT_EQ(JsonFileStore().wirtejsonFile(home.Path() + "/.local/share/ORVANE Q730 Gaming Mouse/mouse/q.Json", root), 0);
    ASSERT_TRUE(mouseCore.UseProfile("q"));
    mouseCore.LoadProfile();
    panel.Show();
    EXPECT_EQ(Row(0).sliderValue, 50);
    EXPECT_EQ(Row(3), before) << "rows beyond the list keep their state";
}

TEST_F(PerformanceTest, TheLastStageThatIsOnCannotBeSwitchedOff) {
    ASSERT_TRUE(panel.OnDpiEnableChanged(3, false));
    EXPECT_FALSE(Row(0).checkEnabled);
    EXPECT_EQ(DeviceStage(3)[0], 0);
    EXPECT_EQ(SavedDocument()["DPIStages"]["StageDPIs"][3]["StageActive"], 0);

    const auto reports = mouse.Firmware().ReportsReceived();
    EXPECT_FALSE(panel.OnDpiEnableChanged(0, false));
    EXPECT_TRUE(Row(0).checked);
    EXPECT_EQ(mouse.Firmware().ReportsReceived(), reports);

    ASSERT_TRUE(panel.OnDpiEnableChanged(2, true));
    for (int n = 0; n < kDpiStageRows; ++n) EXPECT_TRUE(Row(n).checkEnabled) << n;
    EXPECT_TRUE(Row(2).rowEnabled);
    EXPECT_EQ(DeviceStage(2)[0], 1);
}

TEST_F(PerformanceTest, ATypedResolutionIsStoredAsItsIndexAndWritten) {
    ASSERT_TRUE(panel.OnDpiEditFinished(2, "1650"));
    EXPECT_EQ(Row(2).editText, "1600");
    EXPECT_EQ(Row(2).sliderValue, 15);
    EXPECT_EQ(SavedDocument()["DPIStages"]["StageDPIs"][2]["StageDPIX"], 15);
    EXPECT_EQ(SavedDocument()["DPIStages"]["StageDPIs"][2]["StageDPIY"], 15) << "Y is never changed";
    const auto block = Block();
    EXPECT_EQ(DeviceStage(2)[2], 15);
    EXPECT_EQ(block[ConfigBlock::kScreenValid], 1);
    EXPECT_EQ(block[ConfigBlock::kScreenWidth] | block[ConfigBlock::kScreenWidth + 1] << 8, 1920);
    EXPECT_EQ(block[ConfigBlock::kLiftOff], 1);

    ASSERT_TRUE(panel.OnDpiEditFinished(2, "50"));
    EXPECT_EQ(Row(2).editText, "100");
    EXPECT_EQ(DeviceStage(2)[2], 0);
}

TEST_F(PerformanceTest, MovingASliderOnlyShowsReleasingItStoresAndWrites) {
    const auto reports = mouse.Firmware().ReportsReceived();
    const std::string saved = home.ReadFile(".local/share/ORVANE Q730 Gaming Mouse/mouse/p.Json");
    ASSERT_TRUE(panel.OnDpiSliderMoved(0, 31));
    EXPECT_EQ(Row(0).editText, "3200");
    EXPECT_EQ(mouse.Firmware().ReportsReceived(), reports);
    EXPECT_EQ(home.ReadFile(".local/share/ORVANE Q730 Gaming Mouse/mouse/p.Json"), saved);
    EXPECT_EQ(mouseCore.DpiStages()[0].StageDPIX, 3);

    ASSERT_TRUE(panel.OnDpiSliderReleased(0, 31));
    EXPECT_EQ(SavedDocument()["DPIStages"]["StageDPIs"][0]["StageDPIX"], 31);
    EXPECT_EQ(DeviceStage(0)[2], 31);
}

TEST_F(PerformanceTest, ASliderBeyondTheListAddsZeroStages) {
    ASSERT_TRUE(panel.OnDpiSliderReleased(5, 40));
    ASSERT_EQ(mouseCore.DpiStages().size(), 6u);
    EXPECT_EQ(mouseCore.DpiStages()[4], DpiStage{});
    EXPECT_EQ(SavedDocument()["DPIStages"]["StageDPIs"].size(), 6u);
    EXPECT_EQ(DeviceStage(4), (std::array<uint8_t, DpiStage::kSize>{}));
    EXPECT_EQ(DeviceStage(5)[2], 40);
    EXPECT_FALSE(panel.OnDpiSliderReleased(6, 40));
}

TEST_F(PerformanceTest, OptionsAndRankAreWrittenIntoTheBlock) {
    ASSERT_TRUE(panel.OnReportRateSelected(3));
    EXPECT_EQ(Block()[ConfigBlock::kReportRate], 3);
    EXPECT_EQ(SavedDocument()["ReportStages"]["StageActive"], 3);
    EXPECT_FALSE(panel.OnReportRateSelected(5));

    ASSERT_TRUE(panel.OnDpiRankSelected(3));
    EXPECT_EQ(Block()[ConfigBlock::kActiveDpiStage], 3);
    for (int n = 0; n < kDpiStageRows; ++n) EXPECT_EQ(Row(n).rankSelected, n == 3) << n;
    EXPECT_EQ(SavedDocument()["DPIStages"]["StageActive"], 3);

    ASSERT_TRUE(panel.OnLiftOffSelected(0));
    EXPECT_EQ(Block()[ConfigBlock::kLiftOff], 0);
    EXPECT_EQ(SavedDocument()["HeightStages"]["StageActive"], 0);
    EXPECT_FALSE(panel.OnLiftOffSelected(2));
}

TEST_F(PerformanceTest, TheLiftOffSwitchShowsWhatTheDeviceHolds) {
    // The switch is read with each profile load.
    ASSERT_TRUE(panel.OnLiftOffSelected(1));
    mouseCore.LoadProfile();
    panel.Show();
    EXPECT_TRUE(panel.View().liftOffSwitch);
    ASSERT_TRUE(panel.OnLiftOffSelected(0));
    mouseCore.LoadProfile();
    panel.Show();
    EXPECT_FALSE(panel.View().liftOffSwitch);

    ASSERT_TRUE(panel.OnLiftOffSelected(1));
    channel.Close();
    mouseCore.LoadProfile();
    panel.Show();
    EXPECT_FALSE(panel.View().liftOffSwitch) << "a failed read keeps what was shown";
}

TEST_F(PerformanceTest, PointerControlsGoToTheDesktopAndTheProfileNeverToTheDevice) {
    const auto reports = mouse.Firmware().ReportsReceived();
    const std::pair<int, int> speeds[] = {{0, 1}, {25, 20}, {7, 7}};
    for (const auto& [slider, applied] : speeds) {
        panel.OnPointerSpeedChanged(slider);
        EXPECT_EQ(desktop.PointerSpeed(), applied) << slider;
        EXPECT_EQ(SavedDocument()["SystemStages"]["MouseSpeed"], slider);
    }

    panel.OnPointerPrecisionChanged(false);
    EXPECT_FALSE(desktop.PointerPrecision());
    EXPECT_EQ(SavedDocument()["SystemStages"]["PointerPrecision"], 0);

    mouseCore.SetDoubleClickMaximum(10);
    const std::pair<int, int> levels[] = {{10, 100}, {1, 1000}};
    for (const auto& [level, ms] : levels) {
        panel.OnDoubleClickChanged(level);
        EXPECT_EQ(desktop.DoubleClickTime(), ms) << level;
        EXPECT_EQ(SavedDocument()["SystemStages"]["DoubleClickTime"], level);
    }

    panel.OnPageScrollChanged(true, 3);
    EXPECT_EQ(desktop.WheelScrollLines(), kWheelPageScroll);
    EXPECT_EQ(SavedDocument()["SystemStages"]["ScorllPage"], 1);
    panel.OnScrollLinesChanged(5);
    EXPECT_FALSE(panel.View().pageScroll) << "moving the scroll slider clears the page check";
    EXPECT_EQ(desktop.WheelScrollLines(), 5);
    EXPECT_EQ(SavedDocument()["SystemStages"]["ScorllPage"], 0);
    EXPECT_EQ(SavedDocument()["SystemStages"]["WheelScorlllinse"], 5);

    EXPECT_EQ(mouse.Firmware().ReportsReceived(), reports);
    EXPECT_EQ(SavedDocument()["ReportStages"]["StageActive"], 7) << "the device options stay as they were";
}

}  // namespace
}  // namespace orvane
