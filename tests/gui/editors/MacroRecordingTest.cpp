// Recording a macro from input the way the desktop delivers it: keys (auto-repeats included) and
// mouse buttons become steps with measured, fixed or no delays; the stop click is not recorded;
// device and profile switching are locked meanwhile and nothing of the capture is left afterwards.
#include "MacroEditorFixture.h"

#include <linux/input-event-codes.h>

#include "ui/framework/Button.h"

namespace orvane::test {
namespace {

class MacroRecordingTest : public MacroEditorTest {
protected:
    CMacroControlUI& OpenWithMacro() {
        CMacroControlUI& panel = OpenMacroTab();
        Click("macro_btn_name_add");
        return panel;
    }

    QWidget* StopButton() { return Find<ui::CControlUI>("macro_btn_stopredio")->GetWidget(); }

    void ClickStop() {
        ASSERT_TRUE(StopButton()->isVisible());
        QTest::mouseClick(StopButton(), Qt::LeftButton);
    }
};

TEST_F(MacroRecordingTest, KeysAndButtonsAreRecordedWithMeasuredDelaysAndReachTheMouse) {
    CMacroControlUI& panel = OpenWithMacro();
    Click("macro_btn_starredio");
    EXPECT_TRUE(StopButton()->isVisible());
    EXPECT_FALSE(Window().FindControl("device_select_layout") != nullptr &&
                 Window().FindControl("device_select_layout")->IsEnabled())
        << "device switching is locked while recording";

    Key(KEY_A, true);
    for (int i = 0; i < 3; ++i) Key(KEY_A, true, true);  // held: auto-repeats
    Key(KEY_A, true);                                     // a repeat without the flag: still one press
    QTest::qWait(300);
    Key(KEY_A, false);
    QTest::mouseClick(Find<ui::CControlUI>("macro_action_list")->GetWidget(), Qt::RightButton);
    ClickStop();

    const std::vector<MacroEvent> steps = panel.Steps();
    ASSERT_EQ(steps.size(), 4u);
    EXPECT_EQ(steps[0], (MacroEvent{"down", 0x04, 10, steps[0].Delay}));
    EXPECT_EQ(steps[1], (MacroEvent{"up", 0x04, 10, steps[1].Delay}));
    EXPECT_EQ(steps[2], (MacroEvent{"down", 2, 1, steps[2].Delay}));
    EXPECT_EQ(steps[3], (MacroEvent{"up", 2, 1, "0"}));
    EXPECT_GE(steps[0].DelayMilliseconds(), 280);
    EXPECT_LT(steps[0].DelayMilliseconds(), 2000);
    EXPECT_FALSE(StopButton()->isVisible());
    EXPECT_TRUE(Window().FindControl("device_select_layout") == nullptr ||
                Window().FindControl("device_select_layout")->IsEnabled());

    // Saved by the stop; a key typed now is no step.
    ASSERT_EQ(MacroDocument(0)["Events"].size(), 4u);
    Key(KEY_B, true);
    Key(KEY_B, false);
    EXPECT_EQ(panel.Steps().size(), 4u);

    AssignMacroAndSave(0);
    const auto memory = MacroMemoryPrefix(22 + 16);
    const uint16_t delay = static_cast<uint16_t>(steps[0].DelayMilliseconds());
    const std::vector<uint8_t> events(memory.begin() + 22, memory.end());
    EXPECT_EQ(events, (std::vector<uint8_t>{static_cast<uint8_t>(delay & 0xFF), static_cast<uint8_t>(delay >> 8), 0x8A, 0x04,
                                            static_cast<uint8_t>(steps[1].DelayMilliseconds() & 0xFF),
                                            static_cast<uint8_t>(steps[1].DelayMilliseconds() >> 8), 0x0A, 0x04,
                                            static_cast<uint8_t>(steps[2].DelayMilliseconds() & 0xFF),
                                            static_cast<uint8_t>(steps[2].DelayMilliseconds() >> 8), 0x81, 0x02, 0, 0, 0x01,
                                            0x02}));
}

TEST_F(MacroRecordingTest, TheFirstStepHasTheIntegerDelayZeroUntilSaved) {
    OpenWithMacro();
    Click("macro_btn_starredio");
    Key(KEY_LEFTSHIFT, true);
    EXPECT_TRUE(RowStep(0)["Delay"].isInt());
    EXPECT_EQ(RowStep(0)["Delay"].asInt(), 0);
    EXPECT_EQ(RowStep(0)["Type"].asInt(), 9);
    EXPECT_EQ(RowStep(0)["Button"].asInt(), 0x02);
    ClickStop();
    EXPECT_TRUE(RowStep(0)["Delay"].isString());
    EXPECT_EQ(MacroDocument(0)["Events"][0]["Delay"].asString(), "0");
}

TEST_F(MacroRecordingTest, AFixedDelayAbove65535IsCutAndGivenToEveryStep) {
    CMacroControlUI& panel = OpenWithMacro();
    Find<ui::COptionUI>("macro_check_time")->SetSelected(true);
    Find<ui::CEditUI>("macro_fixed_time_edit")->SetText("70000");
    Click("macro_btn_starredio");
    EXPECT_EQ(Find<ui::CEditUI>("macro_fixed_time_edit")->GetText(), "65535");
    Key(KEY_ENTER, true);
    Key(KEY_ENTER, false);
    Key(KEY_KPENTER, true);
    ClickStop();
    const std::vector<MacroEvent> steps = panel.Steps();
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_EQ(steps[2].Button, 0x58) << "keypad Enter is a key of its own";
    for (const MacroEvent& step : steps) EXPECT_EQ(step.Delay, "65535");
}

TEST_F(MacroRecordingTest, InsertingBeforeTheFirstStepLeavesTheOtherStepsAlone) {
    CMacroControlUI& panel = OpenWithMacro();
    ChooseMenuItem("middle_click");
    const std::vector<MacroEvent> before = panel.Steps();
    SelectStep(0);
    ChooseMenuItem("redio_previous_ignore_time");
    Key(KEY_X, true);
    ASSERT_EQ(panel.Steps().size(), 3u);
    EXPECT_TRUE(RowStep(0)["Delay"].isInt());
    EXPECT_EQ(RowStep(0)["Button"].asInt(), 0x1B);
    EXPECT_EQ(panel.SelectedStep(), 1) << "the step that was selected stays selected";
    ClickStop();
    const std::vector<MacroEvent> after = panel.Steps();
    EXPECT_EQ(std::vector<MacroEvent>(after.begin() + 1, after.end()), before);

    // Replacing takes the key of the selected step and keeps its action and delay.
    SelectStep(1);
    ChooseMenuItem("macro_action_edit");
    Key(KEY_F5, true);
    ClickStop();
    EXPECT_EQ(panel.Steps()[1], (MacroEvent{"down", 0x3E, 10, before[0].Delay}));
}

TEST_F(MacroRecordingTest, UnpluggingTheMouseEndsTheRecordingWithItsStepsKept) {
    CMacroControlUI& panel = OpenWithMacro();
    Click("macro_btn_starredio");
    Key(KEY_Q, true);
    Key(KEY_Q, false);
    Mouse().Unplug();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Window().GetCurrentPage() == nullptr; }, 5000));
    EXPECT_EQ(MacroDocument(0)["Events"].size(), 2u) << "the steps recorded so far are saved";
    EXPECT_FALSE(StopButton()->isVisibleTo(StopButton()->parentWidget()));
    // Nothing is captured any more: keys reach the window, no step is added.
    Key(KEY_W, true);
    EXPECT_EQ(panel.Steps().size(), 2u);
}

TEST_F(MacroRecordingTest, TheKeyTextCapturesOneKeyIntoTheKeyboardPage) {
    OpenConnected();
    Find<ui::COptionUI>("key_Op_tab")->SetSelected(true);
    Page()->GetKeyButton(1)->click();
    CKeySetControlUI& keys = *Page()->GetKeySetItem();
    Find<ui::CComboUI>("keyset_function_combo")->SelectItem(keys.FindPageEntry(kPageKeyboard));
    auto* text = Find<ui::CEditUI>("keyset_keyboard_text_edit");
    text->SendNotify("setfocus");
    Key(KEY_RIGHTCTRL, true);
    Key(KEY_RIGHTCTRL, false);
    Key(KEY_C, true);
    Key(KEY_C, false);
    text->SendNotify("killfocus");
    EXPECT_EQ(Page()->GetKeyList()[1].Assignment, (FunctionCode{0x20, 0x01, 0x06}));
    EXPECT_EQ(text->GetText(), LanguageText("keyboard_key_C"));
    // The capture is over: keys reach the window again.
    Key(KEY_D, true);
    EXPECT_EQ(Page()->GetKeyList()[1].Assignment, (FunctionCode{0x20, 0x01, 0x06}));
}

}  // namespace
}  // namespace orvane::test
