// The profile panel's Import and Export buttons through the main window on the emulated mouse:
// the file dialog they ask, the exported file, an imported profile selected and written to the
// mouse, and a file of another device refused with its message and no change.
#include "MousePageLogicFixture.h"

#include <filesystem>
#include <map>

#include "profiles/CMouseProfiledata.h"
#include "ui/framework/Combo.h"
#include "ui/framework/FileDialog.h"

namespace orvane::test {
namespace {

class ProfileFilesTest : public MousePageLogicTest {
protected:
    void SetUp() override {
        MousePageLogicTest::SetUp();
        previous_ = ui::SetFileDialogAnswerer([this](const ui::FileDialogRequest& request) {
            asked.push_back(request);
            return answer;
        });
        carrier = std::filesystem::temp_directory_path() / ("orvane-carrier-" + std::to_string(::getpid()));
        std::filesystem::create_directories(carrier);
    }

    void TearDown() override {
        ui::SetFileDialogAnswerer(std::move(previous_));
        std::filesystem::remove_all(carrier);
        MousePageLogicTest::TearDown();
    }

    void Click(const char* button) { Find<ui::CButtonUI>(button)->click(); }

    std::vector<std::string> ComboTexts() {
        std::vector<std::string> texts;
        auto* combo = Find<ui::CComboUI>("device_profile_combo");
        for (int i = 0; i < combo->count(); ++i) texts.push_back(combo->itemText(i).toStdString());
        return texts;
    }

    std::map<std::string, std::string> UserFiles() const {
        std::map<std::string, std::string> files;
        for (const auto& e : std::filesystem::directory_iterator(UserFile(""))) {
            files[e.path().filename().string()] = JsonFileStore().readjsonFile(e.path().string());
        }
        return files;
    }

    std::optional<QString> answer;
    std::vector<ui::FileDialogRequest> asked;
    std::filesystem::path carrier;

private:
    ui::FileDialogAnswerer previous_;
};

TEST_F(ProfileFilesTest, ExportThenImportGivesASelectedCopyThatIsWrittenToTheMouse) {
    app::CMainWnd& window = OpenConnected();
    const std::string exported = (carrier / "Carried.json").string();
    answer = QString::fromStdString(exported);
    Click("device_export_btn");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].purpose, ui::FileDialogRequest::Purpose::kSave);
    EXPECT_EQ(asked[0].owner, &window);
    EXPECT_TRUE(asked[0].filter.contains("*.json"));
    Json::Value file = JsonFileStore().ReadJsonValue(exported);
    EXPECT_EQ(file["profilename"].asString(), "Profile1");
    EXPECT_EQ(file["Device"], JsonFileStore().ReadJsonValue(Page()->GetProfileFileName())["Device"]);

    // The carried profile differs from the one the mouse holds.
    file["Device"][0]["DPIStages"]["StageDPIs"][0]["StageDPIX"] = 50;
    ASSERT_EQ(JsonFileStore().wirtejsonFile(exported, file), 0);
    ASSERT_NE(StageX(DeviceBlock(), 0), 50);
    Click("device_import_btn");
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1].purpose, ui::FileDialogRequest::Purpose::kOpen);

    EXPECT_EQ(ComboTexts(), (std::vector<std::string>{"Profile1", "Carried"}));
    EXPECT_EQ(Find<ui::CComboUI>("device_profile_combo")->GetCurSel(), 1);
    auto* panel = Page()->GetProfileItem();
    const std::string uuid = panel->GetSelectedUuid().toStdString();
    EXPECT_NE(uuid, file["profileUUID"].asString());
    EXPECT_EQ(Page()->GetProfileFileName(), UserFile(uuid + ".Json")) << "the page loaded the new profile";
    EXPECT_EQ(JsonFileStore().ReadJsonValue(UserFile("ProfileList.ini"))["profileselect"].asInt(), 1);
    EXPECT_EQ(StageX(DeviceBlock(), 0), 50) << "and wrote it to the mouse";
}

TEST_F(ProfileFilesTest, AFileOfAnotherDeviceIsRefusedWithItsMessageAndChangesNothing) {
    OpenConnected();
    const std::vector<uint8_t> block = DeviceBlock();
    const auto files = UserFiles();
    struct Case {
        const char* file;
        const char* content;
        const char* message;
    };
    const Case cases[] = {
        {"Keys.json", R"({"profilename": "k", "profileUUID": "u", "Device": [{"KeyList": []}]})", "message_text_9"},
        {"Broken.json", R"({"profilename": "k", "profileUUID": "u", "Device": [{"DPIStages": {"StageDPIs": [{"StageXY": -3}]}}]})",
         "message_text_9_3"},
        {"Plain.json", "plain text", "message_text_9_2"},
    };
    for (const Case& c : cases) {
        const std::string path = (carrier / c.file).string();
        std::ofstream(path, std::ios::binary) << c.content;
        answer = QString::fromStdString(path);
        const QString shown = AnswerMessage([this] { Click("device_import_btn"); });
        EXPECT_EQ(shown, ui::CResourceManager::GetInstance().GetText(c.message)) << c.file;
        EXPECT_NE(shown, c.message) << "the language file has the text";
    }
    EXPECT_EQ(ComboTexts(), std::vector<std::string>{"Profile1"});
    EXPECT_EQ(UserFiles(), files);
    EXPECT_EQ(DeviceBlock(), block);

    // A cancelled dialog does nothing and says nothing.
    answer.reset();
    EXPECT_TRUE(AnswerMessage([this] { Click("device_import_btn"); }).isEmpty());
    EXPECT_TRUE(AnswerMessage([this] { Click("device_export_btn"); }).isEmpty());
    EXPECT_EQ(UserFiles(), files);
}

}  // namespace
}  // namespace orvane::test
