// The settings window on the offscreen platform, its update page fed by a service on the loopback
// interface.
#include "SetWndFixture.h"

#include "ui/dialogs/WindowMessageIds.h"
#include "online/UpdateTime.h"
#include "platform/AutostartEntry.h"
#include "profiles/JsonFileStore.h"
#include "ui/framework/Combo.h"
#include "ui/framework/TabLayout.h"

#include <QElapsedTimer>

namespace orvane::online::test {
namespace {

void Click(ui::CControlUI* control) {
    ASSERT_NE(control, nullptr);
    QTest::mouseClick(control->GetWidget(), Qt::LeftButton);
}

TEST_F(SetWndTest, EveryNameTheWindowLooksUpIsInItsLayouts) {
    CSetWnd& window = Open({Row(0, 0x0102)}, ServiceAt(Unreachable()));
    for (const char* name : {"closebtn", "minbtn", "maxbtn", "restorebtn", "menubtn", "laterbtn", "homepage_btn",
                             "Language_combox_info", "device_launch_app", "update_status_ring", "update_status_image",
                             "Update_Status_text", "get_update_tab_layout", "device_update_list_info", "update_fw_and_ap",
                             "update_OK_btn", "update_tishi_layout", "set_in_update_wnd_btn"}) {
        EXPECT_NE(window.FindControl(name), nullptr) << name;
    }
    CUpdateInfoListItemUI* row = window.GetRow(0);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->GetClass(), "UpdateInfoListItemUI");
    for (const char* part : {"check_name_select", "OldRev", "updateRev", "update_status_ing", "update_progress_value",
                             "update_status_ok"}) {
        EXPECT_NE(row->FindSubControlByName(part), nullptr) << part;
    }
    EXPECT_EQ(row->GetWidget()->height(), CUpdateInfoListItemUI::kHeight);
}

TEST_F(SetWndTest, NewerFirmwareIsTickedAndOfferedUntilItsTickGoes) {
    orvane::test::TestHttpServer service(MouseAnswer(R"({"name":"Q730","version":"0103","path":"https://x/fw"})"));
    CSetWnd& window = Open(kMouseAndProgram, ServiceAt(service.Url()));
    EXPECT_EQ(window.GetPageState(), kPageUpdatesAvailable);
    EXPECT_EQ(Text("Update_Status_text"), "Updates are available.");
    EXPECT_FALSE(Shown("update_status_ring"));
    EXPECT_TRUE(Shown("update_status_image"));

    ASSERT_EQ(window.GetResults().size(), 2u);
    EXPECT_EQ(RowText(0, "check_name_select"), "Q730:");
    EXPECT_EQ(RowText(0, "OldRev"), "V0102");
    EXPECT_EQ(RowText(0, "updateRev"), "V0103");
    EXPECT_EQ(window.GetRow(0)->GetUserData(), "https://x/fw");
    EXPECT_EQ(window.GetRow(0)->GetUpdateRowState(), kRowUpdateFound);
    EXPECT_TRUE(window.GetRow(0)->GetOption()->IsSelected());
    EXPECT_EQ(RowText(1, "check_name_select"), "ORVANE Q730 Gaming Mouse:");
    EXPECT_EQ(RowText(1, "updateRev"), "");  // "{}": no answer for the program
    EXPECT_FALSE(window.GetRow(1)->GetOption()->IsSelected());
    EXPECT_TRUE(Shown("update_fw_and_ap"));
    EXPECT_TRUE(window.FindControl("update_fw_and_ap")->IsEnabled());

    Click(window.GetRow(0)->GetOption());
    EXPECT_FALSE(window.GetRow(0)->GetOption()->IsSelected());
    EXPECT_FALSE(Shown("update_fw_and_ap"));
    EXPECT_FALSE(window.FindControl("update_fw_and_ap")->IsEnabled());
}

TEST_F(SetWndTest, UpToDateShowsTheDateOfTheCheckBeforeAndTellsTheMainWindow) {
    home.WriteFile(".local/share/ORVANE Q730 Gaming Mouse/updatetime.config", R"({"updatelasttime":{"value":"2024-3-7"}})");
    orvane::test::TestHttpServer service(MouseAnswer(R"({"name":"Q730","version":"0102"})", true));
    CSetWnd& window = Open(kMouseAndProgram, ServiceAt(service.Url()));
    EXPECT_EQ(window.GetPageState(), kPageUpToDate);  // the program row was unreachable
    EXPECT_EQ(Text("Update_Status_text"), "Everything is up to date. Last check: 2024-3-7");
    EXPECT_EQ(RowText(0, "updateRev"), "");
    EXPECT_EQ(MessagesToMain(ui::kUpdateUpToDate), 1u);
    EXPECT_EQ(JsonFileStore().ReadJsonValue(dateFile)["updatelasttime"]["value"].asString(), TodayText());

    // A new language: the texts are translated anew, the date stays.
    auto& resources = ui::CResourceManager::GetInstance();
    ASSERT_TRUE(resources.LoadLanguage("lan_cn.xml"));
    resources.ReloadText();
    window.SendMessage(ui::kApplyLanguage, 0, 0);
    EXPECT_EQ(Text("Update_Status_text"), QString::fromUtf8("已是最新版本。上次检查：2024-3-7"));
}

TEST_F(SetWndTest, FirstOpeningMakesTheDateFileAndNoAnswerAtAllIsNoInformation) {
    CSetWnd& window = Open(kMouseAndProgram, ServiceAt(Unreachable()));
    EXPECT_EQ(JsonFileStore().ReadJsonValue(dateFile)["updatelasttime"]["value"].asString(), TodayText());
    EXPECT_EQ(window.GetLastCheckDate().toStdString(), TodayText());
    EXPECT_EQ(window.GetPageState(), kPageNoInformation);
    EXPECT_EQ(Text("Update_Status_text"), "No update information could be obtained.");
    EXPECT_EQ(RowText(0, "OldRev"), "V0102");
    EXPECT_EQ(RowText(1, "OldRev"), "V0100");
    for (int row : {0, 1}) EXPECT_EQ(window.GetRow(row)->GetUpdateRowState(), kRowCurrent);
    EXPECT_FALSE(Shown("update_fw_and_ap"));
    EXPECT_EQ(MessagesToMain(ui::kUpdateUpToDate), 0u);
}

TEST_F(SetWndTest, ABuildWithoutChecksSaysSoAndAsksNothing) {
    orvane::test::TestHttpServer service(MouseAnswer("{}"));
    UpdateService off = ServiceAt(service.Url());
    off.enabled = false;
    CSetWnd& window = Open({Row(0, 0x0102)}, off);
    EXPECT_EQ(window.GetPageState(), kPageCheckOff);
    EXPECT_EQ(Text("Update_Status_text"), "This build does not check for updates.");
    EXPECT_EQ(RowText(0, "OldRev"), "V0102");
    EXPECT_EQ(service.Connections(), 0u);
}

TEST_F(SetWndTest, ClosingDuringACheckCancelsItsRequestAtOnce) {
    orvane::test::TestHttpServer service([](const orvane::test::SeenRequest&) {
        orvane::test::ServerReply reply;
        reply.hold = true;  // never answers
        return reply;
    });
    CSetWnd& window = Open(kMouseAndProgram, ServiceAt(service.Url()), false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return service.Connections() == 1 && window.GetResults().size() == 2; }, 5000));
    EXPECT_EQ(window.GetPageState(), kPageChecking);
    EXPECT_TRUE(Shown("update_status_ring"));
    EXPECT_EQ(Text("Update_Status_text"), "Checking for updates…");

    QElapsedTimer timer;
    timer.start();
    Click(window.FindControl("closebtn"));
    EXPECT_LT(timer.elapsed(), 1000);
    EXPECT_TRUE(window.IsClosed());
    EXPECT_FALSE(window.IsChecking());
    EXPECT_TRUE(Logged("所有对象处于激发状态\n"));
    EXPECT_EQ(service.Connections(), 1u);  // the second row was never asked
}

TEST_F(SetWndTest, QueuedRowsKeepTheWindowOpenExceptForTheWindowSystemsClose) {
    orvane::test::TestHttpServer service(MouseAnswer(R"({"name":"Q730","version":"0103"})"));
    CSetWnd& window = Open({Row(0, 0x0102)}, ServiceAt(service.Url()));
    auto* tabs = window.FindControl<ui::CTabLayoutUI>("get_update_tab_layout");
    Click(window.FindControl("update_fw_and_ap"));
    EXPECT_EQ(tabs->GetCurSel(), 1);
    Click(window.FindControl("update_OK_btn"));
    EXPECT_EQ(tabs->GetCurSel(), 0);
    EXPECT_EQ(window.GetRow(0)->GetUpdateRowState(), kRowQueued);
    EXPECT_FALSE(window.FindControl("update_fw_and_ap")->IsEnabled());

    Click(window.FindControl("closebtn"));
    EXPECT_FALSE(window.IsClosed());
    Click(window.FindControl("laterbtn"));
    EXPECT_FALSE(window.IsClosed());
    window.close();  // the title bar's close or Alt+F4
    EXPECT_TRUE(window.IsClosed());
}

TEST_F(SetWndTest, LanguageListIsTranslatedAndAChoiceGoesToTheMainWindow) {
    CSetWnd& window = Open({}, ServiceAt(Unreachable()));
    EXPECT_EQ(window.GetPageState(), kPageNoInformation);  // no rows at all
    auto* combo = window.FindControl<ui::CComboUI>("Language_combox_info");
    ASSERT_NE(combo, nullptr);
    ASSERT_GE(combo->GetCount(), 2);
    EXPECT_EQ(combo->GetItemText(0), "English");
    EXPECT_EQ(combo->GetItemText(1), QString::fromUtf8("简体中文"));
    EXPECT_EQ(combo->GetCurSel(), 0);
    EXPECT_EQ(MessagesToMain(ui::kApplyLanguage), 0u);  // showing the current one is no choice

    combo->SelectItem(1);
    ASSERT_EQ(MessagesToMain(ui::kApplyLanguage), 1u);
    EXPECT_EQ(main_.messages.back().second, 1u);
    EXPECT_EQ(window.GetLanguageIndex(), 1);
}

TEST_F(SetWndTest, StartWithTheDesktopWritesAndRemovesTheAutostartEntry) {
    const std::string entry = ".config/autostart/orvane-q730.desktop";
    home.WriteFile(entry, "[Desktop Entry]\nExec=/old/place/orvane-q730 --minimized\n");
    CSetWnd& window = Open({}, ServiceAt(Unreachable()));
    auto* launch = window.FindControl<ui::COptionUI>("device_launch_app");
    EXPECT_TRUE(launch->IsSelected());
    EXPECT_NE(home.ReadFile(entry).find("Exec=\"/opt/orvane/bin/orvane-q730\" --minimized"), std::string::npos)
        << "an existing entry is written again for the program installed now";

    Click(launch);
    EXPECT_FALSE(home.Exists(entry));
    Click(launch);
    EXPECT_TRUE(IsAutostartEnabled());
}

TEST_F(SetWndTest, SettingsDpiTakesOnlyTheKnownSteps) {
    CSetWnd& window = Open({}, ServiceAt(Unreachable()));
    window.SetSettingsDpi(144);
    EXPECT_EQ(window.GetDPI(), 144);
    window.SetSettingsDpi(110);
    EXPECT_EQ(window.GetDPI(), 96);
    EXPECT_TRUE(Logged("SET_WND DPI SET ERROR"));
}

TEST_F(SetWndTest, LargerListHidesItsHintAndWidensTheWindow) {
    CSetWnd& window = Open({}, ServiceAt(Unreachable()));
    Click(window.FindControl("set_in_update_wnd_btn"));
    EXPECT_FALSE(Shown("update_tishi_layout"));
    EXPECT_EQ(window.size(), QSize(CSetWnd::kWideWidth, CSetWnd::kWideHeight));
}

}  // namespace
}  // namespace orvane::online::test
