// The system panel's controls on the mouse page, driven as the user drives them, against the
// emulated Q730, a profile file and a file-backed desktop: what reaches the device, the profile
// and the desktop, and what the controls show afterwards.
#include "MousePageFixture.h"

#include "profiles/ProfilePaths.h"

#include <QFocusEvent>
#include <QTest>

#include "pages/MousePerformanceView.h"
#include "platform/SystemMouseSettings.h"
#include "tests/support/SimMouse.h"
#include "ui/framework/Edit.h"
#include "ui/framework/Option.h"
#include "ui/framework/Slider.h"

namespace orvane::test {
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
constexpr const char* kProfileFile = ".local/share/ORVANE Q730 Gaming Mouse/mouse/p.Json";

QString Numbered(const char* prefix, int n) { return QLatin1String(prefix) + QString::number(n); }

// A drag to `value`, then the release.
void DragTo(ui::CSliderUI& slider, int value, bool release = true) {
    slider.setSliderDown(true);
    slider.setValue(value);
    if (release) slider.setSliderDown(false);
}

void TypeAndLeave(ui::CEditUI& edit, const QString& text) {
    edit.selectAll();
    QTest::keyClicks(&edit, text);
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(&edit, &out);
}

class PerformanceViewTest : public MousePageTest {
protected:
    void SetUp() override {
        MousePageTest::SetUp();
        ASSERT_TRUE(channel.Open(mouse.CommandPath(), false));
        home.WriteFile(kProfileFile, kProfile);
        core.SetFiles(UserDataFolder("mouse"), "");
        ASSERT_TRUE(core.UseProfile("p"));
        core.LoadProfile();
        core.SetScreenSize(1920, 1080);
        window = &OpenPage([this](ui::TNotifyUI& msg) { view->OnNotify(msg); });
        view = std::make_unique<MousePerformanceView>(*window->Page(), core);
        view->SetInitialRanges();
        view->Show();
    }

    template <class T>
    T& Control(const QString& name) {
        T* control = Find<T>(*window, name);
        EXPECT_NE(control, nullptr) << name.toStdString();
        return *control;
    }
    ui::CSliderUI& Slider(const QString& name) { return Control<ui::CSliderUI>(name); }
    ui::COptionUI& Option(const QString& name) { return Control<ui::COptionUI>(name); }
    ui::CEditUI& Edit(const QString& name) { return Control<ui::CEditUI>(name); }

    std::vector<uint8_t> Block() { return mouse.Firmware().ParameterMemory(); }
    uint8_t DeviceStageByte(size_t stage, size_t byte) {
        return Block()[ConfigBlock::kDpiStages + stage * DpiStage::kSize + byte];
    }
    Json::Value Saved() const { return JsonFileStore().ReadJsonValue(home.Path() + "/" + kProfileFile)["Device"][0]; }

    SimMouse mouse;
    CommandChannel channel;
    FileSystemMouseSettings desktop{home.Path() + "/desktop.json"};
    MouseDevice core{channel, desktop};
    PageWindow* window = nullptr;
    std::unique_ptr<MousePerformanceView> view;
};

TEST_F(PerformanceViewTest, TheProfileIsShownWithoutANotification) {
    EXPECT_TRUE(seen.empty()) << "showing raised " << seen.front().type.toStdString();
    EXPECT_TRUE(Option("DPI_enable_check_0").IsSelected());
    EXPECT_FALSE(Option("DPI_enable_check_1").IsSelected());
    EXPECT_FALSE(Find(*window, "DPI_layout_1")->IsEnabled());
    EXPECT_EQ(Slider("DPI_slider_3").GetValue(), 31);
    EXPECT_EQ(Edit("DPI_edit_3").GetText(), "3200");
    for (int n = 0; n < kDpiStageRows; ++n) EXPECT_EQ(Option(Numbered("DPI_rank_check_", n)).IsSelected(), n == 1) << n;
    EXPECT_TRUE(Option("polling_rate_option_0").IsSelected()) << "report stage 7 shows as option 0";
    EXPECT_TRUE(Option("Height_rate_option_1").IsSelected());
    EXPECT_TRUE(Option("pointer_precision_check").IsSelected());
    EXPECT_EQ(Slider("double_click_slider").GetValue(), 6);
}

TEST_F(PerformanceViewTest, RangesComeFromTheDeviceAndTheDoubleClickMaximumFromTheLayout) {
    for (int n = 0; n < kDpiStageRows; ++n) Slider(Numbered("DPI_slider_", n)).SetMaxValue(99);
    view->SetInitialRanges();
    for (int n = 0; n < kDpiStageRows; ++n) {
        EXPECT_EQ(Slider(Numbered("DPI_slider_", n)).GetMinValue(), 0) << n;
        EXPECT_EQ(Slider(Numbered("DPI_slider_", n)).GetMaxValue(), kMaxDpiIndex) << n;
    }
    EXPECT_EQ(core.DoubleClickMaximum(), Slider("double_click_slider").GetMaxValue());

    // A layout with another maximum: its top level is the shortest time.
    PageWindow& other = OpenPage();
    Find<ui::CSliderUI>(other, "double_click_slider")->SetMaxValue(12);
    MousePerformanceView otherView(*other.Page(), core);
    other.onNotify = [&](ui::TNotifyUI& msg) { otherView.OnNotify(msg); };
    DragTo(*Find<ui::CSliderUI>(other, "double_click_slider"), 12);
    EXPECT_EQ(desktop.DoubleClickTime(), 100);
}

TEST_F(PerformanceViewTest, ADpiSliderReleaseStoresAndWritesAMoveOnlyShows) {
    const auto reports = mouse.Firmware().ReportsReceived();
    const std::string saved = home.ReadFile(kProfileFile);
    DragTo(Slider("DPI_slider_0"), 31, false);
    EXPECT_EQ(Edit("DPI_edit_0").GetText(), "3200");
    EXPECT_EQ(mouse.Firmware().ReportsReceived(), reports);
    EXPECT_EQ(home.ReadFile(kProfileFile), saved);

    Slider("DPI_slider_0").setSliderDown(false);
    EXPECT_EQ(DeviceStageByte(0, 2), 31);
    EXPECT_EQ(Saved()["DPIStages"]["StageDPIs"][0]["StageDPIX"], 31);
    EXPECT_EQ(Edit("DPI_edit_0").GetText(), "3200");
    // Only the slider spoke: showing the result raised nothing that could come back.
    const std::vector<SeenNotify> expected = {{"movevaluechanged", "DPI_slider_0"}, {"valuechanged", "DPI_slider_0"}};
    EXPECT_EQ(seen, expected);
}

TEST_F(PerformanceViewTest, ATypedResolutionIsWrittenWhenTheFieldIsLeft) {
    TypeAndLeave(Edit("DPI_edit_2"), "1650");
    EXPECT_EQ(Edit("DPI_edit_2").GetText(), "1600");
    EXPECT_EQ(Slider("DPI_slider_2").GetValue(), 15);
    EXPECT_EQ(DeviceStageByte(2, 2), 15);
    EXPECT_EQ(Saved()["DPIStages"]["StageDPIs"][2]["StageDPIX"], 15);
}

TEST_F(PerformanceViewTest, TheLastStageThatIsOnKeepsItsCheckBoxDisabled) {
    Option("DPI_enable_check_3").click();
    EXPECT_FALSE(Option("DPI_enable_check_3").IsSelected());
    EXPECT_FALSE(Find(*window, "DPI_layout_3")->IsEnabled());
    EXPECT_EQ(DeviceStageByte(3, 0), 0);
    EXPECT_FALSE(Option("DPI_enable_check_0").IsEnabled());

    const auto reports = mouse.Firmware().ReportsReceived();
    Option("DPI_enable_check_0").click();
    EXPECT_TRUE(Option("DPI_enable_check_0").IsSelected());
    EXPECT_EQ(mouse.Firmware().ReportsReceived(), reports);

    Option("DPI_enable_check_2").click();
    EXPECT_TRUE(Find(*window, "DPI_layout_2")->IsEnabled());
    EXPECT_EQ(DeviceStageByte(2, 0), 1);
    for (int n = 0; n < kDpiStageRows; ++n) EXPECT_TRUE(Option(Numbered("DPI_enable_check_", n)).IsEnabled()) << n;
}

TEST_F(PerformanceViewTest, EachOptionWritesItsIndexIntoTheBlock) {
    const struct {
        const char* option;
        int byte;
        int value;
    } cases[] = {
        {"polling_rate_option_3", ConfigBlock::kReportRate, 3}, {"polling_rate_option_0", ConfigBlock::kReportRate, 0},
        {"polling_rate_option_4", ConfigBlock::kReportRate, 4}, {"Height_rate_option_0", ConfigBlock::kLiftOff, 0},
        {"Height_rate_option_1", ConfigBlock::kLiftOff, 1},     {"DPI_rank_check_3", ConfigBlock::kActiveDpiStage, 3},
    };
    for (const auto& c : cases) {
        Option(c.option).click();
        EXPECT_EQ(Block()[c.byte], c.value) << c.option;
        EXPECT_TRUE(Option(c.option).IsSelected()) << c.option;
    }
    for (int n = 0; n < kReportRateOptions; ++n) {
        EXPECT_EQ(Option(Numbered("polling_rate_option_", n)).IsSelected(), n == 4) << n;
    }
    EXPECT_EQ(Saved()["ReportStages"]["StageActive"], 4);
}

TEST_F(PerformanceViewTest, PointerControlsReachTheDesktopAndNeverTheDevice) {
    const auto reports = mouse.Firmware().ReportsReceived();
    Option("scrolls_page_check").click();
    EXPECT_EQ(desktop.WheelScrollLines(), kWheelPageScroll);

    const struct {
        const char* slider;
        int value;
        int (FileSystemMouseSettings::*read)() const;
        int applied;
    } cases[] = {
        {"pointer_speed_slider", 7, &FileSystemMouseSettings::PointerSpeed, 7},
        {"scroll_speed_slider", 5, &FileSystemMouseSettings::WheelScrollLines, 5},
        {"double_click_slider", 10, &FileSystemMouseSettings::DoubleClickTime, 100},
        {"double_click_slider", 1, &FileSystemMouseSettings::DoubleClickTime, 1000},
    };
    for (const auto& c : cases) {
        DragTo(Slider(c.slider), c.value);
        EXPECT_EQ((desktop.*c.read)(), c.applied) << c.slider;
    }
    EXPECT_FALSE(Option("scrolls_page_check").IsSelected()) << "the line count clears page scrolling";

    Option("pointer_precision_check").click();
    EXPECT_FALSE(desktop.PointerPrecision());
    EXPECT_EQ(Saved()["SystemStages"]["PointerPrecision"], 0);
    EXPECT_EQ(mouse.Firmware().ReportsReceived(), reports);
}

TEST_F(PerformanceViewTest, ControlsOfAnotherPageAreNotThisPanels) {
    PageWindow& other = OpenPage([this](ui::TNotifyUI& msg) { EXPECT_FALSE(view->OnNotify(msg)); });
    const auto reports = mouse.Firmware().ReportsReceived();
    DragTo(*Find<ui::CSliderUI>(other, "DPI_slider_0"), 40);
    Find<ui::COptionUI>(other, "polling_rate_option_2")->click();
    EXPECT_EQ(mouse.Firmware().ReportsReceived(), reports);
    EXPECT_EQ(Slider("DPI_slider_0").GetValue(), 3);
}

}  // namespace
}  // namespace orvane::test
