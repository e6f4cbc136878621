// Profile import and export on real files: what an exchange file must be, the name and UUID an
// import gives, that a refused import changes nothing, and what an export writes.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "profiles/ProfileDocumentCheck.h"
#include "profiles/ProfileExchange.h"
#include "profiles/ProfileList.h"
#include "tests/profiles/ProfileFixture.h"

namespace orvane::test {
namespace {

using Problem = ProfileExchangeProblem;

constexpr const char* kMouseProfile =
    R"({"profilename": "Exported", "profileUUID": "2020_01_01_00_00_00_000", "Extra": [1, 2],
        "Device": [{"DPIStages": {"StageActive": 1, "StageDPIs": [{"StageActive": 1, "StageDPIX": 16}]},
                    "LightInfo": {"MultiColor": true}, "KeyList": [{"Assignment": 1048832}, null]}]})";
constexpr const char* kKeyboardProfile =
    R"({"profilename": "Keys", "profileUUID": "u", "Device": [{"SystemStages": {"Repeat": 3}, "KeyList": []}]})";

// A snapshot of every file below a folder, to show that nothing changed.
std::map<std::string, std::string> FolderContent(const std::string& folder) {
    std::map<std::string, std::string> content;
    for (const auto& e : std::filesystem::recursive_directory_iterator(folder)) {
        if (e.is_regular_file()) {
            std::string text;
            FILE* f = std::fopen(e.path().c_str(), "rb");
            char buffer[4096];
            for (size_t n; f != nullptr && (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) text.append(buffer, n);
            if (f != nullptr) std::fclose(f);
            content[e.path().string()] = text;
        }
    }
    return content;
}

class ProfileExchangeTest : public ProfileFolderTest {
protected:
    void SetUp() override {
        ProfileFolderTest::SetUp();
        WriteDefault(R"({"Device": [{"DPIStages": {"StageDPIs": [{"StageDPIX": 8}]}}]})");
        list.SetDeviceKind(kDeviceMouse);
        list.SetProfilePaths(folder, defaultPath);
        list.InitProfileList();
        exchange = home.Path() + "/exchange/";
        std::filesystem::create_directories(exchange);
    }

    std::string Exchange(const std::string& name, const std::string& text) const {
        WriteText(exchange + name, text);
        return exchange + name;
    }

    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& e : list.Entries()) names.push_back(e.name);
        return names;
    }

    ProfileList list;
    std::string exchange;
};

TEST(ImportedProfileName, IsTheFileNameCutBeforeItsLastDot) {
    const std::pair<const char*, const char*> cases[] = {
        {"/home/u/Gaming.json", "Gaming"},
        {"/a/My set.old.json", "My set.old"},
        {"/a/b.c/noextension", "noextension"},
        {"/a/.json", ".json"},
        {"relative.json", "relative"},
        {"/a/配置.json", "配置"},
    };
    for (const auto& [path, name] : cases) EXPECT_EQ(ImportedProfileName(path), name) << path;
}

TEST(ProfileDocumentCheck, EveryShippedDefaultProfileIsWhole) {
    for (const char* file : {"mouse.Json", "keyboard.Json", "keyboard4760.Json", "MousePad.Json", "HD.Json"}) {
        const Json::Value root = ReadJson(std::string(ORVANE_SOURCE_DIR) + "/DefaultData/" + file);
        ASSERT_TRUE(root["Device"][0].isObject()) << file;
        const auto damage = FindProfileDocumentDamage(root["Device"][0]);
        EXPECT_FALSE(damage) << file << ": " << damage->member << " should be " << damage->expected;
    }
}

TEST_F(ProfileExchangeTest, FilesThatAreNotAProfileOfThisDeviceAreRefusedAndSayWhy) {
    struct Case {
        const char* name;
        std::string text;
        int kind;
        Problem problem;
        const char* detail;  // part of the detail
    };
    const std::string names = R"("profilename": "n", "profileUUID": "u", )";
    const Case cases[] = {
        {"empty", "", kDeviceMouse, Problem::kNotAProfile, "not JSON"},
        {"not JSON", "{\"Device\": [", kDeviceMouse, Problem::kNotAProfile, "not JSON"},
        {"an array", "[{}]", kDeviceMouse, Problem::kNotAProfile, "no JSON object"},
        {"no UUID", R"({"profilename": "n", "Device": [{}]})", kDeviceMouse, Problem::kNotAProfile, "profileUUID"},
        {"null name", R"({"profilename": null, "profileUUID": "u", "Device": [{}]})", kDeviceMouse,
         Problem::kNotAProfile, "profilename"},
        {"Device an object", "{" + names + R"("Device": {"DPIStages": {}}})", kDeviceMouse, Problem::kNotAProfile,
         "\"Device\"[0]"},
        {"Device[0] an array", "{" + names + R"("Device": [[1]]})", kDeviceMousePad, Problem::kNotAProfile,
         "\"Device\"[0]"},
        {"keyboard file on a mouse", kKeyboardProfile, kDeviceMouse, Problem::kWrongDeviceKind, "keyboard"},
        {"mouse file on a keyboard", kMouseProfile, kDeviceKeyboard, Problem::kWrongDeviceKind, "mouse"},
        {"empty stages on a mouse", "{" + names + R"("Device": [{"DPIStages": {"StageDPIs": {}}}]})", kDeviceMouse,
         Problem::kWrongDeviceKind, "no DPI stages"},
        {"DPIStages text", "{" + names + R"("Device": [{"DPIStages": "x"}]})", kDeviceMousePad, Problem::kDamaged,
         "\"DPIStages\" should be an object"},
        {"resolution out of range", "{" + names + R"("Device": [{"DPIStages": {"StageDPIs": [{}, {"StageDPIX": 70000}]}}]})",
         kDeviceMouse, Problem::kDamaged, "\"DPIStages\".\"StageDPIs\"[1].\"StageDPIX\" should be a whole number from 0 to 65535"},
        {"key code text", "{" + names + R"("Device": [{"KeyList": [{"Assignment": "1"}]}]})", kDeviceKeyboard,
         Problem::kDamaged, "\"KeyList\"[0].\"Assignment\""},
        {"colour fraction", "{" + names + R"("Device": [{"LightInfo": {"Light": 2.5}}]})", kDeviceHeadset,
         Problem::kDamaged, "\"LightInfo\".\"Light\""},
        {"flag text", "{" + names + R"("Device": [{"LightList": [{"LEDDirection": "yes"}]}]})", kDeviceMousePad,
         Problem::kDamaged, "\"LEDDirection\""},
    };
    for (const Case& c : cases) {
        Json::Value root;
        const ProfileExchangeResult r = CheckProfileFile(Exchange("case.json", c.text), c.kind, root);
        EXPECT_EQ(r.problem, c.problem) << c.name << ": " << r.detail;
        EXPECT_NE(r.detail.find(c.detail), std::string::npos) << c.name << ": " << r.detail;
        EXPECT_TRUE(root.isNull()) << c.name;
        EXPECT_NE(ProfileExchangeMessage(r.problem), nullptr) << c.name;
    }
    Json::Value root;
    EXPECT_EQ(CheckProfileFile(exchange + "missing.json", kDeviceMouse, root).problem, Problem::kUnreadable);
    EXPECT_EQ(CheckProfileFile(exchange, kDeviceMouse, root).problem, Problem::kUnreadable) << "a folder";
    std::string huge = "{" + names + R"("Device": [{}], "pad": ")" + std::string(kMaxProfileFileBytes, 'x') + "\"}";
    EXPECT_EQ(CheckProfileFile(Exchange("huge.json", huge), kDeviceMousePad, root).problem, Problem::kUnreadable);
    EXPECT_EQ(ProfileExchangeMessage(Problem::kWrongDeviceKind), std::string("message_text_9"));

    // Pads and headsets take both kinds.
    for (int kind : {kDeviceMousePad, kDeviceHeadset}) {
        EXPECT_TRUE(CheckProfileFile(Exchange("m.json", kMouseProfile), kind, root).Done()) << kind;
        EXPECT_TRUE(CheckProfileFile(Exchange("k.json", kKeyboardProfile), kind, root).Done()) << kind;
    }
}

TEST_F(ProfileExchangeTest, ARefusedImportChangesNoFile) {
    const auto before = FolderContent(folder);
    const std::vector<std::string> names = Names();
    for (const std::string& text : {std::string(kKeyboardProfile), std::string("[]"),
                                    std::string(R"({"profilename": "n", "profileUUID": "u", "Device": [{"HeightStages": {"StageActive": -1}}]})")}) {
        const ProfileExchangeResult r = ImportProfile(list, Exchange("Refused.json", text));
        EXPECT_FALSE(r.Done()) << text;
        EXPECT_FALSE(DescribeProfileExchange(r).empty());
    }
    EXPECT_EQ(FolderContent(folder), before);
    EXPECT_EQ(Names(), names);
    EXPECT_EQ(list.GetSelectedIndex(), 0);
}

TEST_F(ProfileExchangeTest, AnImportAddsTheFileAsANewSelectedProfileWithItsOwnNameAndUuid) {
    const std::string path = Exchange("Gaming.json", kMouseProfile);
    const ProfileExchangeResult r = ImportProfile(list, path);
    ASSERT_TRUE(r.Done()) << r.detail;
    EXPECT_EQ(r.name, "Gaming");
    EXPECT_EQ(Names(), (std::vector<std::string>{"Profile1", "Gaming"}));
    EXPECT_EQ(list.GetSelectedIndex(), 1);
    const std::string uuid = list.GetSelectedUuid();
    EXPECT_NE(uuid, "2020_01_01_00_00_00_000");

    Json::Value expected = ParseOrDie(kMouseProfile);
    expected["profilename"] = "Gaming";
    expected["profileUUID"] = uuid;
    EXPECT_EQ(ReadJson(folder + uuid + ".Json"), expected) << "every other member as it stood";
    const Json::Value listFile = ReadJson(folder + kProfileListFileName);
    EXPECT_EQ(listFile["profilelist"][1]["profilename"].asString(), "Gaming");
    EXPECT_EQ(listFile["profilelist"][1]["profileUUID"].asString(), uuid);
    EXPECT_EQ(listFile["profilelist"][1]["profileislink"].asInt(), 0);
    EXPECT_EQ(listFile["profileselect"].asInt(), 1);

    // Names already in use, ignoring case, get "(k)" until free.
    ASSERT_TRUE(ImportProfile(list, Exchange("gaming.json", kMouseProfile)).Done());
    ASSERT_TRUE(ImportProfile(list, Exchange("GAMING.json", kMouseProfile)).Done());
    EXPECT_EQ(Names(), (std::vector<std::string>{"Profile1", "Gaming", "gaming(1)", "GAMING(1)(2)"}));
    EXPECT_TRUE(ImportProfile(list, Exchange("My set.old.json", kMouseProfile)).Done());
    EXPECT_EQ(list.SelectedName(), "My set.old") << "spaces and inner dots stay";
}

TEST_F(ProfileExchangeTest, ImportsAreNotLimitedToFiftyProfiles) {
    while (list.AddProfile().Changed()) {
    }
    ASSERT_EQ(list.Entries().size(), kMaxAddedProfiles);
    EXPECT_TRUE(ImportProfile(list, Exchange("One more.json", kMouseProfile)).Done());
    EXPECT_EQ(list.Entries().size(), kMaxAddedProfiles + 1);
}

TEST_F(ProfileExchangeTest, AnExportIsTheStoredProfileWithItsNamesAndImportsAgainAsACopy) {
    ASSERT_TRUE(list.RenameProfile("Daily").Changed());
    const std::string stored = list.SelectedProfilePath();
    Json::Value profile = ReadJson(stored);
    profile.removeMember("profileUUID");  // as a file recreated from the defaults has it
    ASSERT_EQ(JsonFileStore().wirtejsonFile(stored, profile), 0);

    const std::string target = exchange + "Daily.json";
    WriteText(target, "an older file");
    const ProfileExchangeResult r = ExportProfile(list, 0, target);
    ASSERT_TRUE(r.Done()) << r.detail;
    Json::Value expected = profile;
    expected["profileUUID"] = list.Entries()[0].uuid;
    EXPECT_EQ(ReadJson(target), expected);
    EXPECT_EQ(ReadText(target), Json::StyledWriter().write(expected) + "\n");
    EXPECT_TRUE(FilesStartingWith(exchange, "Daily.json.tmp").empty());

    ASSERT_TRUE(ImportProfile(list, target).Done());
    EXPECT_EQ(Names(), (std::vector<std::string>{"Daily", "Daily(1)"}));
    EXPECT_EQ(ReadJson(list.SelectedProfilePath())["Device"], profile["Device"]);
}

TEST_F(ProfileExchangeTest, AnExportThatCannotBeMadeLeavesTheTargetAlone) {
    EXPECT_EQ(ExportProfile(list, 1, exchange + "x.json").problem, Problem::kNoProfile);
    EXPECT_EQ(ExportProfile(list, 0, home.Path() + "/no/such/folder/x.json").problem, Problem::kNotWritten);

    const std::string target = Exchange("kept.json", "kept");
    WriteText(list.SelectedProfilePath(), R"({"Device": [{"ReportStages": {"StageActive": "fast"}}]})");
    const ProfileExchangeResult r = ExportProfile(list, 0, target);
    EXPECT_EQ(r.problem, Problem::kDamaged);
    EXPECT_NE(r.detail.find("\"ReportStages\".\"StageActive\""), std::string::npos) << r.detail;
    WriteText(list.SelectedProfilePath(), "not json");
    EXPECT_EQ(ExportProfile(list, 0, target).problem, Problem::kNotAProfile);
    EXPECT_EQ(ReadText(target), "kept");
}

}  // namespace
}  // namespace orvane::test
