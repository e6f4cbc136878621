// The key assignment panel end to end on the emulated mouse: a button selected on the picture, a
// function chosen on each page of the panel the way a user does it (the controls raise their
// notifications into the main window), saved to the mouse; the mouse's key table and the
// profile's "KeyList" hold the exact three bytes.
#include "tests/gui/mousepage_logic/MousePageLogicFixture.h"

#include <functional>

#include "editors/keys/CKeySetControlUI.h"
#include "ui/controls/DeviceKeyButton.h"
#include "ui/framework/Combo.h"
#include "ui/framework/Edit.h"
#include "ui/framework/Option.h"

namespace orvane::test {
namespace {

constexpr int kButton = 1;  // the right button, free to change

class KeyAssignmentPanelTest : public MousePageLogicTest {
protected:
    CKeySetControlUI& OpenOnKey(int key) {
        OpenConnected();
        Find<ui::COptionUI>("key_Op_tab")->SetSelected(true);
        Page()->GetKeyButton(key)->click();
        EXPECT_EQ(Page()->GetSelectedKey(), key);
        CKeySetControlUI* panel = Page()->GetKeySetItem();
        EXPECT_NE(panel, nullptr);
        return *panel;
    }

    void ChooseFunctionPage(CKeySetControlUI& panel, int page) {
        Find<ui::CComboUI>("keyset_function_combo")->SelectItem(panel.FindPageEntry(page));
    }

    // Text typed into an edit, then the focus leaves it.
    void Type(const char* edit, const QString& text) {
        auto* control = Find<ui::CEditUI>(edit);
        control->SetText(text);
        control->SendNotify("killfocus");
    }

    void Click(const char* button) { Find<ui::CControlUI>(button)->SendNotify("click"); }

    std::vector<uint8_t> DeviceKey(size_t button) {
        EXPECT_TRUE(WaitIdle());
        const size_t slot = Firmware().Options().slotOfButton[button];
        const auto table = Firmware().KeyTable();
        return {table.begin() + static_cast<std::ptrdiff_t>(3 * slot), table.begin() + static_cast<std::ptrdiff_t>(3 * slot + 3)};
    }

    uint32_t ProfileKey(int button) {
        return static_cast<uint32_t>(CurrentProfileDocument()["KeyList"][button]["Assignment"].asUInt());
    }
};

TEST_F(KeyAssignmentPanelTest, EachFunctionPageLeavesItsThreeBytesInTheMouseAndTheProfile) {
    struct Case {
        const char* what;
        int page;
        std::function<void()> choose;
        FunctionCode code;
    };
    auto pick = [this](const char* combo, int entry) {
        return [this, combo, entry] { Find<ui::CComboUI>(combo)->SelectItem(entry, false); };
    };
    const Case cases[] = {
        {"middle button", kPageMouseButton, pick("keyset_mousekey_combo", 1), {0x10, 0x04, 0x00}},
        {"pointer move", kPagePointerMove,
         [this] {
             Find<ui::CComboUI>("keyset_mouseswing_combo")->SelectItem(1, false);
             Type("keyset_mouseswing_num_edit", "10");
             Type("keyset_mouseswing_delay_edit", "0");
             Type("keyset_mouseswing_speed_edit", "15");
         },
         {0x11, 0x0F, 0x8A}},
        {"wheel down 3", kPageWheel,
         [this] {
             Find<ui::CComboUI>("keyset_mousewheel_combo")->SelectItem(1, false);
             Type("keyset_mousewheel_num_edit", "3");
             Type("keyset_mousewheel_delay_edit", "2");
             Type("keyset_mousewheel_speed_edit", "5");
         },
         {0x12, 0x25, 0xFD}},
        {"DPI down", kPageDpi, pick("keyset_mousedpi_combo", 1), {0x13, 0x02, 0x00}},
        {"rapid fire", kPageRapidFire,
         [this] {
             Type("keyset_mousefire_interval_edit", "40");
             Type("keyset_mousefire_num_edit", "3");
         },
         {0x14, 40, 3}},
        {"Alt + captured C", kPageKeyboard,
         [this] {
             Find<ui::COptionUI>("key_ComBox_check_3")->SetSelected(true);
             Page()->GetKeySetItem()->OnCapturedKey(0x2E, false);
         },
         {0x20, 0x04, 0x06}},
        {"mute", kPageConsumer, pick("keyset_media_combo", 7), {0x30, 0xE2, 0x00}},
        {"sleep", kPagePower, pick("keyset_system_combo", 1), {0x40, 0x02, 0x00}},
        {"pattern 3", kPageShootPattern, pick("keyset_gunkey_combo", 2), {0x72, 0x02, 0x00}},
        {"Ctrl+S", kPageShortcut, pick("keyset_combokey_combo", 3), {0x20, 0x01, 0x16}},
        {"special", kPageSpecial, [] {}, {0xA0, 0x02, 0x00}},
    };
    CKeySetControlUI& panel = OpenOnKey(kButton);
    for (const Case& c : cases) {
        ChooseFunctionPage(panel, c.page);
        c.choose();
        Click("key_butt_keysave");
        EXPECT_TRUE(Find<ui::CControlUI>("key_butt_prosave")->IsEnabled()) << c.what;
        EXPECT_EQ(Page()->GetKeyList()[kButton].Assignment, c.code) << c.what;
        Click("key_butt_prosave");
        EXPECT_EQ(DeviceKey(kButton), std::vector<uint8_t>(c.code.begin(), c.code.end())) << c.what;
        EXPECT_EQ(ProfileKey(kButton), PackAssignment(c.code)) << c.what;
        EXPECT_FALSE(Find<ui::CControlUI>("key_butt_prosave")->IsEnabled()) << c.what;
        // Selected again, the key shows the page it was given.
        Page()->GetKeyButton(kButton)->click();
        EXPECT_EQ(Find<ui::CComboUI>("keyset_function_combo")->GetItemUserData(Find<ui::CComboUI>("keyset_function_combo")->GetCurSel()),
                  QString::number(c.page == kPageShortcut ? kPageKeyboard : c.page))
            << c.what;
    }
}

TEST_F(KeyAssignmentPanelTest, DefaultCancelAndTheKeyboardPageAsShown) {
    CKeySetControlUI& panel = OpenOnKey(kButton);
    ChooseFunctionPage(panel, kPageDpi);
    Find<ui::CComboUI>("keyset_mousedpi_combo")->SelectItem(2, false);
    Click("key_butt_keysave");
    ASSERT_EQ(Page()->GetKeyList()[kButton].Assignment, (FunctionCode{0x13, 0x03, 0x00}));
    // Default shows page 0 and enables saving, without applying; cancel goes back to what is stored.
    Click("key_butt_keydefalut");
    EXPECT_EQ(Find<ui::CComboUI>("keyset_function_combo")->GetCurSel(), panel.FindPageEntry(kPageDefault));
    EXPECT_EQ(Page()->GetKeyList()[kButton].Assignment, (FunctionCode{0x13, 0x03, 0x00}));
    Click("key_butt_keycancel");
    EXPECT_EQ(Find<ui::CComboUI>("keyset_function_combo")->GetCurSel(), panel.FindPageEntry(kPageDpi));
    EXPECT_FALSE(Find<ui::CControlUI>("key_butt_keysave")->IsEnabled());

    // A shortcut code shows on the keyboard page as Ctrl + C; Clear leaves the modifier alone.
    panel.ShowFunction({0x20, 0x01, 0x06});
    EXPECT_EQ(Find<ui::CComboUI>("keyset_function_combo")->GetCurSel(), panel.FindPageEntry(kPageKeyboard));
    EXPECT_EQ(panel.GetModifierOption(), 1);
    EXPECT_EQ(Find<ui::CEditUI>("keyset_keyboard_text_edit")->GetText(), LanguageText("keyboard_key_C"));
    Click("key_butt_clear");
    EXPECT_EQ(Page()->GetKeyList()[kButton].Assignment, (FunctionCode{0x20, 0x01, 0x00}));
    // An unknown type hides the editing area.
    panel.ShowFunction({0x16, 0x90, 0x01});
    EXPECT_FALSE(Find<ui::CControlUI>("keyset_layout")->IsVisible());
}

TEST_F(KeyAssignmentPanelTest, TheOnlyLeftButtonCannotBeSelected) {
    OpenConnected();
    Find<ui::COptionUI>("key_Op_tab")->SetSelected(true);
    EXPECT_EQ(AnswerMessage([&] { Page()->GetKeyButton(0)->click(); }), LanguageText("message_text_6"));
    EXPECT_EQ(Page()->GetSelectedKey(), -1);
}

}  // namespace
}  // namespace orvane::test
