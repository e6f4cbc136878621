// Profile panel operations through the main window when the emulated mouse refuses the profile's
// write: the profile folder, the desktop's pointer settings and the panel are as they were, and
// the page shows the profile that is selected on disk.
#include "MousePageLogicFixture.h"

#include <map>

#include "platform/SystemMouseSettings.h"
#include "ui/framework/Combo.h"

namespace orvane::test {
namespace {

class ProfileRollbackTest : public MousePageLogicTest {
protected:
    std::map<std::string, std::string> UserFiles() const {
        std::map<std::string, std::string> files;
        for (const auto& e : std::filesystem::directory_iterator(UserFile(""))) {
            std::ifstream in(e.path(), std::ios::binary);
            files[e.path().filename().string()] = {std::istreambuf_iterator<char>(in), {}};
        }
        return files;
    }

    ui::CComboUI* Combo() const { return Find<ui::CComboUI>("device_profile_combo"); }

    std::vector<std::string> ComboTexts() const {
        std::vector<std::string> texts;
        for (int i = 0; i < Combo()->count(); ++i) texts.push_back(Combo()->itemText(i).toStdString());
        return texts;
    }
};

TEST_F(ProfileRollbackTest, AnOperationTheMouseRefusesLeavesFolderDesktopAndPanelAsTheyWere) {
    OpenConnected();
    Find<ui::CButtonUI>("device_add_btn")->click();
    ASSERT_TRUE(WaitIdle());
    ASSERT_EQ(ComboTexts(), (std::vector<std::string>{"Profile1", "Profile2"}));
    // The first profile moves the pointer differently, so selecting it would change the desktop.
    const std::string first = UserFile(Page()->GetProfileItem()->List().Entries()[0].uuid + ".Json");
    Json::Value document = JsonFileStore().ReadJsonValue(first);
    document["Device"][0]["SystemStages"]["MouseSpeed"] = 3;
    ASSERT_EQ(JsonFileStore().wirtejsonFile(first, document), 0);
    const auto desktop = CreateSystemMouseSettings();
    const PointerSettingsValues pointerBefore = ReadPointerSettings(*desktop);

    const std::map<std::string, std::string> files = UserFiles();
    const std::string shown = Page()->GetProfileFileName();
    const std::function<void()> operations[] = {
        [this] { Find<ui::CButtonUI>("device_add_btn")->click(); },
        [this] { Find<ui::CButtonUI>("device_copy_btn")->click(); },
        [this] { AnswerMessage([this] { Find<ui::CButtonUI>("device_sub_btn")->click(); }); },
        [this] { Combo()->SelectItem(0, true); },
        [this] { AnswerMessage([this] { Find<ui::CButtonUI>("device_reset_btn")->click(); }); },
    };
    int n = 0;
    for (const auto& operation : operations) {
        SCOPED_TRACE(n++);
        sim::CommandFaults faults;
        faults.errorStatusReports = 1000;
        Firmware().SetFaults(faults);
        operation();
        ASSERT_TRUE(WaitIdle());
        Firmware().SetFaults({});
        EXPECT_EQ(UserFiles(), files);
        EXPECT_EQ(ComboTexts(), (std::vector<std::string>{"Profile1", "Profile2"}));
        EXPECT_EQ(Combo()->GetCurSel(), 1);
        EXPECT_EQ(Page()->GetProfileFileName(), shown);
        const PointerSettingsValues pointer = ReadPointerSettings(*desktop);
        EXPECT_EQ(pointer.speed, pointerBefore.speed);
        EXPECT_EQ(pointer.wheelScrollLines, pointerBefore.wheelScrollLines);
    }

    // With the mouse answering again the same operation stands.
    Find<ui::CButtonUI>("device_add_btn")->click();
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(ComboTexts(), (std::vector<std::string>{"Profile1", "Profile2", "Profile3"}));
    EXPECT_EQ(UserFiles().size(), files.size() + 1);
}

}  // namespace
}  // namespace orvane::test
