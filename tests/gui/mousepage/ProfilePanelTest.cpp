// The profile panel on the mouse page over real list and profile files: what it shows, how its
// buttons change the list and hand the new selection to the page through the combo's
// notification, and the messages of a refused rename.
#include "MousePageFixture.h"

#include <QTimer>

#include <filesystem>
#include <optional>

#include "ui/dialogs/MsgWnd.h"
#include "profiles/ProfilePaths.h"
#include "ui/framework/Button.h"
#include "ui/framework/Combo.h"
#include "ui/framework/Edit.h"
#include "ui/framework/Label.h"
#include "ui/framework/Option.h"

namespace orvane::test {
namespace {

QStringList ComboTexts(const ui::CComboUI& combo) {
    QStringList texts;
    for (int i = 0; i < combo.GetCount(); ++i) texts << combo.GetItemText(i);
    return texts;
}

class ProfilePanelTest : public MousePageTest {
protected:
    void SetUp() override {
        MousePageTest::SetUp();
        folder = UserDataFolder("mouse");
    }

    // The page as the main window routes to it: the panel's clicks, and on the combo's selection
    // the panel selects and the page loads the selected profile.
    CDeviceProfileUI& OpenPanel() {
        window = &OpenPage([this](ui::TNotifyUI& msg) {
            const QString sender = msg.pSender->GetName();
            if (msg.sType == "click") panel->OnClick(sender);
            if (msg.sType == "itemselect" && sender == "device_profile_combo") {
                panel->SelectProfile(panel->GetSelectedIndex(), false);
                loaded.push_back(panel->GetSelectedUuid());
            }
        });
        panel = Find<CDeviceProfileUI>(*window, "DeviceProfileItem");
        EXPECT_NE(panel, nullptr);
        panel->SetDeviceKind(kDeviceMouse);
        panel->SetProfilePaths(folder, DefaultProfile());
        panel->InitProfileList();
        panel->SelectFeatureTab(1);
        return *panel;
    }

    ui::CComboUI& Combo() { return *Find<ui::CComboUI>(*window, "device_profile_combo"); }
    QString NameEdit() { return Find<ui::CEditUI>(*window, "device_profile_name_edit")->GetText(); }
    void Click(const char* button) { Find<ui::CButtonUI>(*window, button)->click(); }

    // Clicks `button`; the text of the message box it opens, which is then closed; nullopt when
    // none opened.
    std::optional<QString> ClickForMessage(const char* button) {
        std::optional<QString> shown;
        QTimer::singleShot(0, [&] {
            for (ui::WindowImplBase* w : ui::WindowImplBase::Windows()) {
                auto* box = dynamic_cast<ui::CMsgWnd*>(w);
                if (box == nullptr || box->IsClosed()) continue;
                shown = box->FindControl("MessageText")->GetText();
                box->Close(0);
            }
        });
        Click(button);
        QCoreApplication::processEvents();
        return shown;
    }

    std::string folder;
    PageWindow* window = nullptr;
    CDeviceProfileUI* panel = nullptr;
    std::vector<QString> loaded;
};

TEST_F(ProfilePanelTest, ShowsTheListWithItsSelectionAndTheMouseTabs) {
    const struct {
        const char* list;  // nullptr: a first start
        QStringList names;
        int selected;
    } cases[] = {
        {nullptr, {"Profile1"}, 0},
        {R"({"profilelist": [{"profilename": "Work", "profileUUID": "a"}, {"profilename": "Game", "profileUUID": "b"},
             {"profilename": "Team", "profileUUID": "c"}], "profileselect": 1})",
         {"Work", "Game", "Team"}, 1},
    };
    for (const auto& c : cases) {
        if (c.list != nullptr) {
            // Only the listed profiles: a profile file the list does not name would join it.
            std::filesystem::remove_all(home.Path() + "/.local/share/ORVANE Q730 Gaming Mouse/mouse");
            home.WriteFile(".local/share/ORVANE Q730 Gaming Mouse/mouse/ProfileList.ini", c.list);
        }
        seen.clear();
        OpenPanel();
        EXPECT_EQ(ComboTexts(Combo()), c.names);
        EXPECT_EQ(panel->GetSelectedIndex(), c.selected);
        EXPECT_EQ(NameEdit(), c.names[c.selected]);
        EXPECT_EQ(panel->GetSelectedUuid().toStdString(), panel->List().GetSelectedUuid());
        EXPECT_TRUE(std::none_of(seen.begin(), seen.end(), [](const SeenNotify& n) { return n.type == "itemselect"; }))
            << "showing the list is no choice of the user";
        EXPECT_FALSE(Find(*window, "macro_Op_tab")->IsVisible());
        EXPECT_TRUE(Find<ui::COptionUI>(*window, "deng_Op_tab")->IsSelected());
    }
}

TEST_F(ProfilePanelTest, AddCopyAndDeleteHandTheirSelectionToThePage) {
    OpenPanel();
    const struct {
        const char* button;
        QStringList names;
        int selected;
    } steps[] = {
        {"device_add_btn", {"Profile1", "Profile2"}, 1},
        {"device_copy_btn", {"Profile1", "Profile2", "Profile2 copy"}, 2},
        {"device_sub_btn", {"Profile1", "Profile2"}, 1},
        {"device_sub_btn", {"Profile1"}, 0},
    };
    for (const auto& step : steps) {
        loaded.clear();
        const std::string removed = panel->List().SelectedProfilePath();
        Click(step.button);
        EXPECT_EQ(ComboTexts(Combo()), step.names) << step.button;
        EXPECT_EQ(panel->GetSelectedIndex(), step.selected) << step.button;
        EXPECT_EQ(NameEdit(), step.names[step.selected]) << step.button;
        ASSERT_EQ(loaded.size(), 1u) << step.button << ": the page loads the new selection once";
        EXPECT_EQ(loaded.front().toStdString(), panel->List().GetSelectedUuid()) << step.button;
        if (std::string_view(step.button) == "device_sub_btn") {
            EXPECT_FALSE(home.Exists(removed.substr(home.Path().size() + 1))) << "the deleted profile's file";
        }
    }
    loaded.clear();
    Click("device_sub_btn");
    EXPECT_EQ(ComboTexts(Combo()), QStringList{"Profile1"}) << "the last profile stays";
    EXPECT_TRUE(loaded.empty());
}

TEST_F(ProfilePanelTest, ARefusedRenameShowsTheListsMessageAndChangesNothing) {
    OpenPanel();
    Click("device_add_btn");
    const auto& texts = ui::CResourceManager::GetInstance();
    const struct {
        const char* name;
        const char* message;
    } cases[] = {{"My Profile", "message_text_5_2"}, {"", "message_text_5_1"}, {"profile1", "message_text_5"}};
    for (const auto& c : cases) {
        const std::string list = home.ReadFile(".local/share/ORVANE Q730 Gaming Mouse/mouse/ProfileList.ini");
        panel->SetNameEditText(c.name);
        EXPECT_EQ(ClickForMessage("device_profile_edit_save_btn"), texts.GetText(c.message)) << c.name;
        EXPECT_EQ(ComboTexts(Combo()), (QStringList{"Profile1", "Profile2"})) << c.name;
        EXPECT_EQ(home.ReadFile(".local/share/ORVANE Q730 Gaming Mouse/mouse/ProfileList.ini"), list) << c.name;
    }

    panel->SetNameEditText("Main");
    EXPECT_EQ(ClickForMessage("device_profile_edit_save_btn"), std::nullopt);
    EXPECT_EQ(ComboTexts(Combo()), (QStringList{"Profile1", "Main"}));
    EXPECT_EQ(Combo().GetItemUserData(1), "Main");
    EXPECT_EQ(NameEdit(), "Main");
}

TEST_F(ProfilePanelTest, TheFoldButtonShowsAndHidesTheProfileButtons) {
    OpenPanel();
    const bool shown = panel->IsProfileMenuVisible();
    Click("profile_fun_spread_btn");
    EXPECT_NE(panel->IsProfileMenuVisible(), shown);
    Click("profile_fun_spread_btn");
    EXPECT_EQ(panel->IsProfileMenuVisible(), shown);
}

TEST_F(ProfilePanelTest, AFeatureTabTypeSelectsExactlyItsTab) {
    OpenPanel();
    for (int type : {4, 2, 1, 7, 0, 9}) {
        panel->SelectFeatureTab(type);
        for (int i = 0; i < static_cast<int>(std::size(kFeatureTabNames)); ++i) {
            EXPECT_EQ(Find<ui::COptionUI>(*window, kFeatureTabNames[i])->IsSelected(), i == type - 1)
                << "type " << type << ", " << kFeatureTabNames[i];
        }
    }
}

}  // namespace
}  // namespace orvane::test
