// Choosing, applying and remembering the language: the stored choice, the fonts each language
// brings, the texts of open windows, and what a missing or broken list or text file does.
#include "LanguageFixture.h"

#include <filesystem>

#include "app/Language.h"
#include "app/LanguageFonts.h"
#include "app/LanguageStore.h"
#include "ui/framework/WindowImplBase.h"

namespace orvane::app::test {
namespace {

class BoxWindow : public ui::WindowImplBase {
protected:
    QString GetSkinFile() const override { return "XML_MSG"; }
};

class LanguageSwitchTest : public LanguageFixture {
protected:
    void SetUp() override {
        LanguageFixture::SetUp();
        ASSERT_TRUE(window.Create(nullptr, "test"));
    }

    std::string StorePath() const { return home.Path() + "/.config/ORVANE Q730 Gaming Mouse/settings.ini"; }
    bool StoreExists() const { return std::filesystem::exists(StorePath()); }
    QString Confirm() const { return window.FindControl("confirm_btn")->GetText(); }
    static QString Language() { return ui::CResourceManager::GetInstance().GetLanguage(); }

    BoxWindow window;
    LanguageSwitch languages;
};

TEST_F(LanguageSwitchTest, TheStoredIdRoundTripsThroughTheSettingsStore) {
    EXPECT_FALSE(StoreExists());
    EXPECT_EQ(ReadStoredLanguageId(), 0);
    EXPECT_EQ(GetLanguageIndex(), 0);

    const struct {
        int id;
        int index;  // in the shipped list
    } cases[] = {{2052, 1}, {1041, 3}, {1054, 15}, {2057, 0}, {4242, 0}};
    for (const auto& c : cases) {
        log_->Clear();
        ASSERT_TRUE(StoreLanguageId(c.id));
        EXPECT_TRUE(Logged("写成功！")) << c.id;
        EXPECT_EQ(ReadStoredLanguageId(), c.id);
        EXPECT_EQ(GetLanguageIndex(), c.index) << c.id;
    }
    EXPECT_EQ(StorePath(), ProductSettingsPath());
    // Replaced through a temporary file that never stays behind.
    const auto folder = std::filesystem::path(StorePath()).parent_path();
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
}

TEST_F(LanguageSwitchTest, AStoredValueThatIsNoIdGivesTheFirstLanguage) {
    for (const char* value : {"", "cn", "-", "99999999999999"}) {
        home.WriteFile(".config/ORVANE Q730 Gaming Mouse/settings.ini", std::string("[General]\nLANGUAGE=") + value + "\n");
        EXPECT_EQ(GetLanguageIndex(), 0) << value;
    }
    // Read the way atoi reads: the leading digits count.
    home.WriteFile(".config/ORVANE Q730 Gaming Mouse/settings.ini", "[General]\nLANGUAGE=2052 \n");
    EXPECT_EQ(GetLanguageIndex(), 1);
}

TEST_F(LanguageSwitchTest, ADamagedStoreYieldsWhatItCanAndIsReplacedByTheNextChoice) {
    home.WriteFile(".config/ORVANE Q730 Gaming Mouse/settings.ini", "[General\nLANGUAGE=1041\n");
    EXPECT_EQ(GetLanguageIndex(), 3);
    EXPECT_TRUE(Logged("is damaged")) << LogText();
    EXPECT_TRUE(StoreLanguageId(2052));
    EXPECT_TRUE(Logged("写成功！"));
    EXPECT_EQ(GetLanguageIndex(), 1);
}

TEST_F(LanguageSwitchTest, AStoreThatCannotBeWrittenIsReportedAsSuch) {
    // Obstacles that hold for a test run as root too, which permissions would not stop.
    const struct {
        const char* what;
        const char* file;  // made below .config
    } cases[] = {
        {"a file where the store's folder belongs", "ORVANE Q730 Gaming Mouse"},
        {"a folder where the store belongs", "ORVANE Q730 Gaming Mouse/settings.ini/x"},
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all(home.Path() + "/.config");
        home.WriteFile(std::string(".config/") + c.file, "in the way");
        log_->Clear();
        EXPECT_FALSE(StoreLanguageId(2052)) << c.what;
        EXPECT_FALSE(Logged("写成功！")) << c.what;
        EXPECT_TRUE(Logged("settings store")) << c.what << "\n" << LogText();
        EXPECT_EQ(GetLanguageIndex(), 0) << c.what;
    }
}

TEST_F(LanguageSwitchTest, StartsInTheStoredLanguageWithItsFonts) {
    WriteProgramFile("DefaultData/Language.config", R"({"Language": [
        {"Language_ID": 1041, "Language_name": "jp", "Language_file": "lan_cn.xml", "Language_text": "language_japanese"},
        {"Language_ID": 2057, "Language_name": "en", "Language_file": "lan_en.xml", "Language_text": "language_english"}]})");
    ASSERT_TRUE(StoreLanguageId(1041));
    const int index = GetLanguageIndex();
    EXPECT_EQ(index, 0);
    EXPECT_TRUE(languages.ApplyLanguage(index));
    EXPECT_EQ(languages.CurrentLanguageIndex(), 0);
    EXPECT_EQ(Language(), "jp");
    EXPECT_EQ(Confirm(), QString::fromUtf8("确定"));
    EXPECT_EQ(QApplication::font().family(), "Meiryo UI");
    EXPECT_EQ(window.font().family(), "Meiryo UI");
}

TEST_F(LanguageSwitchTest, EachLanguageBringsItsFontSetOrKeepsTheFonts) {
    const struct {
        int index;
        const char* face;  // expected afterwards
    } steps[] = {{15, "Noto Sans Thai"}, {3, "Noto Sans Thai"}, {1, "Arial Unicode MS"}, {0, "Meiryo UI"},
                 {4, "Meiryo UI"}, {2, "Arial Unicode MS"}};
    const struct {
        int id;
        int pixelSize;
        bool bold;
        bool underline;
    } table[] = {{kDefaultFontId, 15, false, false}, {0, 15, true, false}, {1, 14, false, true},
                 {2, 18, false, false}, {3, 30, false, false}, {4, 16, false, false}, {5, 20, false, false},
                 {6, 22, false, false}, {7, 14, false, false}, {8, 12, false, false}, {9, 11, false, false},
                 {10, 10, false, false}, {11, 28, false, false}, {50, 18, true, false},
                 {12, 15, false, false}};  // an id the table lacks gives the default font
    window.SetDPI(144);
    for (const auto& step : steps) {
        ASSERT_TRUE(languages.ApplyLanguage(step.index));
        for (const auto& f : table) {
            const QFont font = GetLanguageFont(f.id);
            EXPECT_EQ(font.family(), step.face) << step.index << " font " << f.id;
            EXPECT_EQ(font.pixelSize(), f.pixelSize) << f.id;
            EXPECT_EQ(font.bold(), f.bold) << f.id;
            EXPECT_EQ(font.underline(), f.underline) << f.id;
        }
        EXPECT_EQ(QApplication::font().family(), step.face) << step.index;
        // An open window shows the face at its own DPI.
        EXPECT_EQ(window.font().family(), step.face) << step.index;
        EXPECT_EQ(window.font().pixelSize(), 15 * 144 / 96) << step.index;
    }
}

TEST_F(LanguageSwitchTest, ASwitchRetextsOpenWindowsAndStoresTheChoice) {
    ASSERT_TRUE(languages.ApplyLanguage(1));
    EXPECT_EQ(Confirm(), QString::fromUtf8("确定"));
    EXPECT_EQ(Language(), "cn");
    EXPECT_EQ(ReadStoredLanguageId(), 2052);

    ASSERT_TRUE(languages.ApplyLanguage(0));
    EXPECT_EQ(Confirm(), "OK");
    EXPECT_EQ(Language(), "en");
    EXPECT_EQ(ReadStoredLanguageId(), 2057);

    // Languages without a text file of their own show the English texts under their own name.
    ASSERT_TRUE(languages.ApplyLanguage(5));
    EXPECT_EQ(Confirm(), "OK");
    EXPECT_EQ(Language(), "de");
    EXPECT_EQ(ReadStoredLanguageId(), 1031);
}

TEST_F(LanguageSwitchTest, TheSameLanguageAgainChangesAndWritesNothing) {
    ASSERT_TRUE(languages.ApplyLanguage(1));
    std::filesystem::remove(StorePath());
    ASSERT_TRUE(ui::CResourceManager::GetInstance().LoadLanguage("lan_en.xml"));
    const QFont before = QApplication::font();
    log_->Clear();

    EXPECT_FALSE(languages.ApplyLanguage(1));
    EXPECT_FALSE(StoreExists());
    EXPECT_FALSE(Logged("写成功！"));
    EXPECT_EQ(QApplication::font(), before);
    ui::CResourceManager::GetInstance().ReloadText();
    EXPECT_EQ(Confirm(), "OK");  // the table was not reloaded either
}

TEST_F(LanguageSwitchTest, ABadListOrTextFileShowsEnglishAndSaysWhy) {
    const std::string cnOnly = R"({"Language": [{"Language_ID": 2052, "Language_name": "cn", "Language_file": "%s"}]})";
    auto listNaming = [&](const std::string& file) {
        std::string text = cnOnly;
        return text.replace(text.find("%s"), 2, file);
    };
    WriteProgramFile("skin/lan_broken.xml", "<language><text id=\"msgwnd_confirm\">Broken</language>");
    const struct {
        const char* what;
        std::optional<std::string> list;  // nullopt: no list file
        int index;
        const char* logged;
        int storedId;  // 0: nothing stored
    } cases[] = {
        {"no list", std::nullopt, 1, "missing or empty", 0},
        {"list not JSON", std::string("{\"Language\": ["), 1, "not JSON", 0},
        {"no array", std::string(R"({"Language": {"Language_ID": 2052}})"), 0, "holds no \"Language\" array", 0},
        {"index past the list", listNaming("lan_cn.xml"), 4, "language 4 is not in the language list", 0},
        {"negative index", listNaming("lan_cn.xml"), -2, "language -2 is not in the language list", 0},
        {"missing text file", listNaming("lan_absent.xml"), 0, "lan_absent.xml", 2052},
        {"broken text file", listNaming("lan_broken.xml"), 0, "lan_broken.xml", 2052},
        {"no text file", std::string(R"({"Language": [{"Language_ID": 2052, "Language_name": "cn"}]})"), 0,
         "no usable text file", 2052},
        {"a path instead of a file", listNaming("../../skin/lan_cn.xml"), 0, "not a bare file name", 2052},
        {"an absolute path", listNaming("/etc/passwd"), 0, "not a bare file name", 2052},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(ProgramFolder() + "/DefaultData/Language.config");
        std::filesystem::remove(StorePath());
        if (c.list) WriteProgramFile("DefaultData/Language.config", *c.list);
        ASSERT_TRUE(ui::CResourceManager::GetInstance().LoadLanguage("lan_cn.xml"));
        ui::CResourceManager::GetInstance().ReloadText();
        log_->Clear();

        LanguageSwitch fresh;
        EXPECT_TRUE(fresh.ApplyLanguage(c.index)) << c.what;
        EXPECT_EQ(Confirm(), "OK") << c.what;
        EXPECT_EQ(Language(), "en") << c.what;
        EXPECT_TRUE(Logged(c.logged)) << c.what << "\n" << LogText();
        EXPECT_TRUE(Logged("English")) << c.what << "\n" << LogText();
        EXPECT_EQ(ReadStoredLanguageId(), c.storedId) << c.what;
        EXPECT_EQ(GetLanguageIndex(), 0) << c.what;
    }
}

}  // namespace
}  // namespace orvane::app::test
