// The main window's frame: routing to the features, the title bar and tray, light control, and
// the way out through the tray menu.
#include "ShellFixture.h"

#include <QElapsedTimer>

#include "app/MenuWnd.h"
#include "ui/dialogs/WindowMessageIds.h"
#include "ui/framework/Button.h"

namespace orvane::app::test {
namespace {

struct RouteCase {
    const char* type;
    const char* sender;
    Feature feature;
    bool needsPage;
    int number;
};

TEST_F(ShellTest, RoutedActionsReachTheirFeatureOnlyWhileAPageIsCurrent) {
    const RouteCase cases[] = {
        {"click", "device_add_btn", Feature::ProfileList, true, -1},
        {"click", "profile_fun_spread_btn", Feature::ProfileList, true, -1},
        {"click", "key_3", Feature::KeyButton, true, 3},
        {"click", "KEY_5", Feature::KeyButton, true, 5},
        {"click", "key_butt_keysave", Feature::KeyAssignment, true, -1},
        {"click", "color_option_12", Feature::ColourOption, true, 12},
        {"click", "macro_btn_deleteall", Feature::MacroPanel, true, -1},
        {"click", "macro_btn_starredio", Feature::MacroRecording, true, -1},
        {"click", "bullet_selected_next", Feature::ShootPattern, true, -1},
        {"click", "shootdate_export_btn", Feature::ShootPattern, true, -1},
        {"click", "deng_same_mode", Feature::Lighting, true, -1},
        {"click", "hs_EQ_btn_save", Feature::HeadsetEqualiser, true, -1},
        {"itemselect", "device_profile_combo", Feature::ProfileList, true, -1},
        {"itemselect", "keyset_gunkey_combo", Feature::KeyAssignment, true, -1},
        {"itemselect", "macro_name_list", Feature::MacroPanel, true, -1},
        {"valuechanged", "DPI_slider_3", Feature::PerformanceSettings, true, -1},
        {"colorchanged", "deng_Color_Pallet", Feature::Lighting, true, -1},
        {"itemactivate", "macro_action", Feature::MacroRecording, true, -1},
        {"click", "skinbtn", Feature::SkinWindow, false, -1},
        {"click", "setbtn", Feature::SettingsWindow, false, -1},
    };
    orvane::test::SimMouse& mouse = Mouse();
    mouse.Unplug();
    CMainWnd& window = Open();
    struct Seen {
        Feature feature;
        CQuorvantUSBDevice* page;
        int number;
        std::string type;  // the notification lives only while it is handled
    };
    std::vector<Seen> seen;
    for (size_t f = 0; f < kFeatureCount; ++f) {
        window.SetFeatureHandler(static_cast<Feature>(f), [&seen, f](const FeatureEvent& e) {
            seen.push_back({static_cast<Feature>(f), e.page, e.number, e.notify != nullptr ? e.notify->sType.toStdString() : ""});
        });
    }

    for (const RouteCase& c : cases) {
        seen.clear();
        Raise(window, c.type, c.sender);
        EXPECT_EQ(seen.size(), c.needsPage ? 0u : 1u) << c.type << " " << c.sender << " with no device";
    }

    mouse.Replug();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.GetCurrentPage() != nullptr; }, 2000));
    for (const RouteCase& c : cases) {
        seen.clear();
        Raise(window, c.type, c.sender);
        ASSERT_EQ(seen.size(), 1u) << c.type << " " << c.sender;
        EXPECT_EQ(seen[0].feature, c.feature) << c.sender;
        EXPECT_EQ(seen[0].number, c.number) << c.sender;
        if (c.needsPage) {
            EXPECT_EQ(seen[0].page, MousePage()) << c.sender;
        }
        EXPECT_EQ(seen[0].type, c.type);
    }

    // Settled by nobody: the key-repeat reset exists on keyboard pages only, the key-set combos
    // cause nothing here.
    for (const auto& [type, sender] : {std::pair{"click", "reset_repeat_btn"}, {"itemselect", "keyset_media_combo"},
                                       {"click", "key_butt_"}}) {
        seen.clear();
        Raise(window, type, sender);
        EXPECT_TRUE(seen.empty()) << sender;
    }
}

TEST_F(ShellTest, HookMessagesAndStepMenusGoToMacroRecording) {
    CMainWnd& window = Open();
    std::vector<unsigned> messages;
    window.SetFeatureHandler(Feature::MacroRecording, [&](const FeatureEvent& e) { messages.push_back(e.message); });
    const MenuCommand step{"macro_menu_left_click", {}, {}};
    window.SendMessage(ui::kInputCapture, 0, 0);
    window.SendMessage(ui::kMenuCommand, reinterpret_cast<ui::WParam>(&step), 0);
    window.SendMessage(ui::RegisterWindowMessage("WM_HOOK_KEY_MSMACRO_MSG"), 1, 2);
    window.SendMessage(ui::RegisterWindowMessage("WM_HOOK_KEY_HITKEY_MSG"), 1, 2);
    EXPECT_EQ(messages, (std::vector<unsigned>{ui::kInputCapture, ui::kMenuCommand,
                                               ui::RegisterWindowMessage("WM_HOOK_KEY_MSMACRO_MSG")}));
    EXPECT_FALSE(window.IsClosed());
}

TEST_F(ShellTest, CloseButtonHidesAndTheTrayIconTogglesTheWindow) {
    CMainWnd& window = Open();
    auto* close = window.FindControl<ui::CButtonUI>("closebtn");
    ASSERT_NE(close, nullptr);
    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.IsClosed()) << "the program goes on in the tray";

    window.SendMessage(ui::kTrayCallback, 0, ui::WM_LBUTTONUP);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.size(), QSize(1350, 810));
    EXPECT_EQ(window.frameGeometry().center(), window.screen()->availableGeometry().center());
    EXPECT_TRUE(NoDeviceNoticeShown());

    window.SendMessage(ui::kTrayCallback, 0, ui::WM_LBUTTONUP);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(ShellTest, WithoutANotificationAreaTheCloseButtonEndsTheProgram) {
    CMainWnd& window = Open(TestServices(NoBus(), false));
    QTest::mouseClick(window.FindControl<ui::CButtonUI>("closebtn"), Qt::LeftButton);
    EXPECT_TRUE(window.IsClosed());
    EXPECT_TRUE(Logged("退出测试"));
}

TEST_F(ShellTest, LightControlFollowsTheButtonAndOtherPrograms) {
    Mouse();
    CMainWnd& window = Open();
    auto* status = window.FindControl<ui::CButtonUI>("control_light_status");
    ASSERT_NE(status, nullptr);
    auto& texts = ui::CResourceManager::GetInstance();
    EXPECT_EQ(window.GetLightControlState(), 1);

    QTest::mouseClick(status, Qt::LeftButton);
    EXPECT_EQ(window.GetLightControlState(), 0);
    EXPECT_EQ(status->GetText(), texts.GetText("不控制灯光"));
    for (DeviceFamily family : {DeviceFamily::Mouse, DeviceFamily::MousePad, DeviceFamily::Keyboard}) {
        for (CQuorvantUSBDevice* page : window.Pages(family)) EXPECT_FALSE(page->IsLightingEnabled());
    }
    QTest::mouseClick(status, Qt::LeftButton);
    EXPECT_EQ(window.GetLightControlState(), 1);
    EXPECT_EQ(status->GetText(), texts.GetText("控制灯光"));
    EXPECT_TRUE(MousePage()->IsLightingEnabled());

    // Another program takes the lights (wParam 1, lParam 0) and gives them back; other values are
    // not the protocol's.
    window.SendMessage(ui::WmLightControlSet(), 1, 0);
    EXPECT_EQ(window.GetLightControlState(), 0);
    EXPECT_FALSE(MousePage()->IsLightingEnabled());
    window.SendMessage(ui::WmLightControlSet(), 1, 7);
    window.SendMessage(ui::WmLightControlSet(), 2, 1);
    EXPECT_EQ(window.GetLightControlState(), 0);
    window.SendMessage(ui::WmLightControlSet(), 1, 1);
    EXPECT_EQ(window.GetLightControlState(), 1);
    EXPECT_EQ(status->GetText(), texts.GetText("控制灯光"));
}

TEST_F(ShellTest, TextsAndToolTipsFollowTheLanguage) {
    CMainWnd& window = Open();  // English: index 0 of the shipped language list
    auto* close = window.FindControl<ui::CButtonUI>("closebtn");
    auto* status = window.FindControl<ui::CButtonUI>("control_light_status");
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->GetToolTip(), "Close");
    EXPECT_EQ(status->GetText(), "Lighting: controlled here");

    window.SendMessage(ui::kApplyLanguage, 1, 0);  // Simplified Chinese
    EXPECT_EQ(close->GetToolTip(), ui::CResourceManager::GetInstance().GetText("tip_close"));
    EXPECT_NE(close->GetToolTip(), "Close");
    EXPECT_EQ(status->GetText(), ui::CResourceManager::GetInstance().GetText("控制灯光"));
    EXPECT_NE(status->GetText(), "Lighting: controlled here");
}

TEST_F(ShellTest, ExitFromTheTrayMenuStopsEveryThreadWithinASecond) {
    Mouse();
    CMainWnd& window = Open();
    window.SendMessage(ui::kTrayCallback, 0, ui::WM_RBUTTONUP);
    CMenuWnd* menu = nullptr;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            for (ui::WindowImplBase* w : ui::WindowImplBase::Windows()) {
                if (auto* m = dynamic_cast<CMenuWnd*>(w); m != nullptr && m->isVisible()) menu = m;
            }
            return menu != nullptr;
        },
        2000));
    auto* exit = menu->FindControl<ui::CButtonUI>("exit");
    ASSERT_NE(exit, nullptr);

    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(exit, Qt::LeftButton);
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_TRUE(window.IsClosed());
    EXPECT_FALSE(window.isVisible());
    const long exitLine = LogIndex("退出测试");
    ASSERT_GE(exitLine, 0);
    EXPECT_GT(LogIndex("抓取设备线程设定退出"), exitLine);
    EXPECT_GT(LogIndex("所有对象处于激发状态\n"), LogIndex("抓取设备线程设定退出"));
    EXPECT_FALSE(Logged("所有对象处于非激发状态，超时\n"));

    // A message queued before the stop does nothing once the window is gone.
    window.SendMessage(ui::WmSoftwareIdentity(), 0, 1);
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace orvane::app::test
