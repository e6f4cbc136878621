// Damaged user files: a profile file or "ProfileList.ini" that is missing, empty, cut short or
// not JSON. The page connects on the default profile, keeps a damaged file beside the new one, and
// goes on writing the mouse.
#include "MousePageLogicFixture.h"

#include <filesystem>

#include "ui/framework/Slider.h"

namespace orvane::test {
namespace {

constexpr const char* kUuid = "2020_01_01_00_00_00_000";
constexpr const char* kListFile = "ProfileList.ini";

struct BadFile {
    const char* name;
    bool listFile;          // else the profile file the list names
    const char* content;    // nullptr: the file is missing
};

std::ostream& operator<<(std::ostream& out, const BadFile& c) { return out << c.name; }

class BadUserFileTest : public MousePageLogicTest, public ::testing::WithParamInterface<BadFile> {
protected:
    static std::string ValidList() {
        return std::string(R"({"profilelist":[{"profilename":"Mine","profileUUID":")") + kUuid +
               R"("}],"profileselect":0})";
    }

    // Files beside `file` that hold what it held: "<file>.broken-<time stamp>".
    std::vector<std::string> KeptCopies(const std::string& file) const {
        std::vector<std::string> kept;
        const std::filesystem::path path(file);
        for (const auto& entry : std::filesystem::directory_iterator(path.parent_path())) {
            if (entry.path().filename().string().rfind(path.filename().string() + ".broken-", 0) == 0) {
                kept.push_back(entry.path().string());
            }
        }
        return kept;
    }

    // The texts of the message boxes open now.
    static std::vector<std::string> OpenBoxTexts() {
        std::vector<std::string> texts;
        for (ui::WindowImplBase* window : ui::WindowImplBase::Windows()) {
            auto* box = dynamic_cast<ui::CMsgWnd*>(window);
            if (box == nullptr || box->IsClosed()) continue;
            // Without the zero-width spaces that let paths wrap.
            if (ui::CControlUI* text = box->FindControl("MessageText"))
                texts.push_back(text->GetText().remove(QChar(0x200B)).toStdString());
        }
        return texts;
    }

    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
};

TEST_P(BadUserFileTest, ThePageRunsOnTheDefaultProfileAndKeepsTheDamagedFile) {
    const BadFile& c = GetParam();
    const std::string profileName = std::string(kUuid) + ".Json";
    const std::string damaged = UserFile(c.listFile ? kListFile : profileName);
    if (c.listFile) {
        if (c.content != nullptr) WriteHomeFile(std::string(kUserFolderRelative) + kListFile, c.content);
    } else {
        WriteHomeFile(std::string(kUserFolderRelative) + kListFile, ValidList());
        if (c.content != nullptr) WriteHomeFile(std::string(kUserFolderRelative) + profileName, c.content);
    }

    OpenConnected();
    CQuorvantMouseDevice* page = Page();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(Find<ui::CSliderUI>("DPI_slider_0")->GetValue(), 3) << "the default profile's first stage";
    EXPECT_EQ(page->GetLightState().light.brightness, 4);
    const Json::Value document = CurrentProfileDocument();
    EXPECT_TRUE(document.isObject()) << "the profile file is whole again";
    EXPECT_EQ(document["DPIStages"]["StageDPIs"][1]["StageDPIX"].asInt(), 7);

    const std::vector<std::string> kept = KeptCopies(damaged);
    QTest::qWait(50);  // the notice is shown from the event loop
    const std::vector<std::string> boxes = OpenBoxTexts();
    if (c.content == nullptr || std::string(c.content).empty()) {
        EXPECT_TRUE(kept.empty()) << "nothing was there to keep";
        EXPECT_TRUE(boxes.empty()) << "nothing to tell";
    } else {
        ASSERT_EQ(kept.size(), 1u);
        EXPECT_EQ(Read(kept.front()), c.content);
        ASSERT_EQ(boxes.size(), 1u) << "the user is told once";
        EXPECT_NE(boxes.front().find(kept.front()), std::string::npos) << boxes.front();
    }

    // And the page goes on working.
    auto* slider = Find<ui::CSliderUI>("DPI_slider_1");
    slider->SetValue(11);
    slider->SendNotify("valuechanged");
    EXPECT_EQ(StageX(DeviceBlock(), 1), 11);
    EXPECT_EQ(CurrentProfileDocument()["DPIStages"]["StageDPIs"][1]["StageDPIX"].asInt(), 11);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadUserFileTest,
    ::testing::Values(BadFile{"ProfileMissing", false, nullptr}, BadFile{"ProfileEmpty", false, ""},
                      BadFile{"ProfileTruncated", false, R"({"Device":[{"LightInfo":{"SelectItem":)"},
                      BadFile{"ProfileNotJson", false, "profile of the mouse\n"},
                      BadFile{"ListMissing", true, nullptr}, BadFile{"ListEmpty", true, ""},
                      BadFile{"ListTruncated", true, R"({"profilelist":[{"profilename":"Mi)"},
                      BadFile{"ListNotJson", true, "[profiles]\nselected=1\n"}),
    [](const ::testing::TestParamInfo<BadFile>& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace orvane::test
