// Each control family of the mouse page's system panel, used as a user uses it in the main
// window, reaches the page by its owner's route: the profile document takes the value and the
// device settings reach the mouse.
#include "MousePageLogicFixture.h"

#include <QFocusEvent>

#include "ui/framework/Edit.h"
#include "ui/framework/Option.h"
#include "ui/framework/Slider.h"

namespace orvane::test {
namespace {

void Drag(ui::CSliderUI& slider, int value, bool release) {
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

// A value of the slider's range other than the one it shows.
int AnotherValue(const ui::CSliderUI& slider) {
    return slider.GetValue() < slider.GetMaxValue() ? slider.GetValue() + 1 : slider.GetValue() - 1;
}

TEST_F(MousePageLogicTest, EverySystemPanelControlReachesThePageThroughTheMainWindow) {
    OpenConnected();
    ASSERT_NE(Page(), nullptr);
    auto slider = [this](const char* name) { return Find<ui::CSliderUI>(name); };
    auto option = [this](const char* name) { return Find<ui::COptionUI>(name); };
    auto stage = [this](int n) { return CurrentProfileDocument()["DPIStages"]["StageDPIs"][n]; };
    auto system = [this](const char* key) { return CurrentProfileDocument()["SystemStages"][key].asInt(); };

    struct Case {
        const char* control;
        std::function<int()> act;   // uses the control; the value it should end with
        std::function<int()> read;  // what the page made of it
    };
    const Case cases[] = {
        {"DPI_enable_check_4", [&] { option("DPI_enable_check_4")->SetSelected(false); return 0; },
         [&] { return stage(4)["StageActive"].asInt(); }},
        {"DPI_rank_check_0", [&] { option("DPI_rank_check_0")->SetSelected(true); return 0; },
         [&] { return CurrentProfileDocument()["DPIStages"]["StageActive"].asInt(); }},
        {"DPI_slider_3 released", [&] { Drag(*slider("DPI_slider_3"), 50, true); return 50; },
         [&] { return StageX(DeviceBlock(), 3) == stage(3)["StageDPIX"].asInt() ? StageX(DeviceBlock(), 3) : -1; }},
        {"DPI_slider_2 moving", [&] { Drag(*slider("DPI_slider_2"), 20, false); return 2100; },
         [&] { return Find<ui::CEditUI>("DPI_edit_2")->GetText().toInt(); }},
        {"DPI_edit_1", [&] { TypeAndLeave(*Find<ui::CEditUI>("DPI_edit_1"), "1650"); return 15; },
         [&] { return StageX(DeviceBlock(), 1) == stage(1)["StageDPIX"].asInt() ? StageX(DeviceBlock(), 1) : -1; }},
        {"polling_rate_option_1", [&] { option("polling_rate_option_1")->SetSelected(true); return 1; },
         [&] {
             const int stored = CurrentProfileDocument()["ReportStages"]["StageActive"].asInt();
             return DeviceBlock()[block::kReportRateOption] == stored ? stored : -1;
         }},
        {"Height_rate_option_1", [&] { option("Height_rate_option_1")->SetSelected(true); return 1; },
         [&] {
             const int stored = CurrentProfileDocument()["HeightStages"]["StageActive"].asInt();
             return DeviceBlock()[block::kLiftOffOption] == stored ? stored : -1;
         }},
        {"pointer_speed_slider", [&] {
             const int v = AnotherValue(*slider("pointer_speed_slider"));
             slider("pointer_speed_slider")->setValue(v);
             return v;
         }, [&] { return system("MouseSpeed"); }},
        {"pointer_precision_check", [&] {
             const bool on = !option("pointer_precision_check")->IsSelected();
             option("pointer_precision_check")->SetSelected(on);
             return on ? 1 : 0;
         }, [&] { return system("PointerPrecision"); }},
        {"scrolls_page_check", [&] {
             const bool on = !option("scrolls_page_check")->IsSelected();
             option("scrolls_page_check")->SetSelected(on);
             return on ? 1 : 0;
         }, [&] { return system("ScorllPage"); }},
        {"scroll_speed_slider", [&] {
             const int v = AnotherValue(*slider("scroll_speed_slider"));
             slider("scroll_speed_slider")->setValue(v);
             return v;
         }, [&] { return system("WheelScorlllinse"); }},
        {"double_click_slider", [&] {
             const int v = AnotherValue(*slider("double_click_slider"));
             slider("double_click_slider")->setValue(v);
             return v;
         }, [&] { return system("DoubleClickTime"); }},
    };
    for (const Case& c : cases) {
        const int wanted = c.act();
        EXPECT_EQ(c.read(), wanted) << c.control;
    }
}

}  // namespace
}  // namespace orvane::test
