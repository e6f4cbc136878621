// The language table: layout texts are keys, code texts are plain unless marked, a switch re-texts
// every window, and a bad language file leaves the texts as they were.
#include "SkinFixture.h"

#include "ui/framework/Combo.h"
#include "ui/framework/Edit.h"
#include "ui/framework/Label.h"
#include "ui/framework/RichEdit.h"

namespace orvane::ui::test {
namespace {

class LanguageTest : public SkinTest {
protected:
    void SetUp() override {
        SkinTest::SetUp();
        ASSERT_TRUE(Resources().LoadLanguage("lan_en.xml"));
        window = OpenWindow();
        combo = window->FindControl<CComboUI>("combo");
        ASSERT_NE(combo, nullptr);
    }

    static CResourceManager& Resources() { return CResourceManager::GetInstance(); }

    QString TextOf(const char* name) const { return window->FindControl(name)->GetText(); }

    void Switch(const char* file) {
        ASSERT_TRUE(Resources().LoadLanguage(file));
        Resources().ReloadText();
    }

    std::unique_ptr<TestWindow> window;
    CComboUI* combo = nullptr;
};

TEST_F(LanguageTest, LayoutTextsFollowTheLanguage) {
    const struct {
        const char* name;
        const char* english;
        const char* chinese;
    } cases[] = {
        {"title", "Settings", "设置"},
        {"okbtn", "OK", "确定"},
        {"nested_label", "Profiles", "配置"},  // from the nested layout file
        {"plain_label", "Title_Text", "Title_Text"},  // resourcetext="false"
        {"edit", "Title_Text", "Title_Text"},  // user input is never a key
        {"key_2", "Ok_Text", "Ok_Text"},  // text given by the control's own code
    };
    for (const auto& c : cases) EXPECT_EQ(TextOf(c.name), QString::fromUtf8(c.english)) << c.name;
    EXPECT_EQ(combo->GetItemText(0), "Static");
    EXPECT_EQ(combo->GetItemText(2), "Mode_C");  // a key the table lacks shows itself

    Switch("lan_cn.xml");
    for (const auto& c : cases) EXPECT_EQ(TextOf(c.name), QString::fromUtf8(c.chinese)) << c.name;
    EXPECT_EQ(combo->GetItemText(1), QString::fromUtf8("呼吸"));
}

TEST_F(LanguageTest, CodeTextsArePlainUnlessMarkedAsKeys) {
    auto* title = window->FindControl<CLabelUI>("title");
    auto* plain = window->FindControl<CLabelUI>("plain_label");
    title->SetResourceText(false);
    title->SetText("Ok_Text");
    plain->SetResourceText(true);
    plain->SetText("Ok_Text");
    combo->AddItem("Mode_B", "key", true);
    combo->AddItem("Mode_B", "plain");
    auto* tip = new CRichEditUI;
    tip->SetName("tip");
    tip->SetTipText("Tip_Text");
    window->FindControl<CContainerUI>("page0")->Add(tip);

    EXPECT_EQ(title->GetText(), "Ok_Text");
    EXPECT_EQ(plain->GetText(), "OK");
    EXPECT_EQ(combo->GetItemText(3), "Breathing");
    EXPECT_EQ(combo->GetItemText(4), "Mode_B");
    EXPECT_EQ(tip->placeholderText(), "Type here");

    Switch("lan_cn.xml");
    EXPECT_EQ(title->GetText(), "Ok_Text");
    EXPECT_EQ(plain->GetText(), QString::fromUtf8("确定"));
    EXPECT_EQ(combo->GetItemText(3), QString::fromUtf8("呼吸"));
    EXPECT_EQ(combo->GetItemText(4), "Mode_B");
    EXPECT_EQ(tip->placeholderText(), QString::fromUtf8("在此输入"));
    EXPECT_EQ(combo->GetItemUserData(3), "key");
}

TEST_F(LanguageTest, TypedTextIsWhatTheEditReturns) {
    auto* edit = window->FindControl<CEditUI>("edit");
    edit->setText("1600");
    EXPECT_EQ(edit->GetText(), "1600");
    Resources().ReloadText();
    EXPECT_EQ(edit->text(), "1600");
}

TEST_F(LanguageTest, BadLanguageFileKeepsTheCurrentTexts) {
    for (const char* file : {"lan_broken.xml", "lan_absent.xml"}) {
        log_->Clear();
        EXPECT_FALSE(Resources().LoadLanguage(file)) << file;
        const auto lines = LogLines();
        ASSERT_EQ(lines.size(), 1u) << file;
        EXPECT_NE(lines[0].find(file), std::string::npos) << lines[0];
        if (std::string(file) == "lan_broken.xml") {
            EXPECT_NE(lines[0].find("line"), std::string::npos) << lines[0];
        }
        Resources().ReloadText();
        EXPECT_EQ(TextOf("title"), "Settings") << file;
    }
}

TEST_F(LanguageTest, CurrentLanguageNameIsKept) {
    Resources().SetLanguage("en");
    EXPECT_EQ(Resources().GetLanguage(), "en");
}

}  // namespace
}  // namespace orvane::ui::test
