#include <gtest/gtest.h>

#include <regex>

#include "profiles/CBasicProfiledata.h"
#include "profiles/JsonFields.h"
#include "tests/profiles/ProfileFixture.h"

namespace orvane::test {
namespace {

constexpr const char* kDefaultProfile = R"({"Device": [{
    "LightInfo": {"SelectItem": 2, "Light": 3, "Speed": 1, "Fx": 0, "MultiColor": 1},
    "KeyList": [{"Assignment": 1048832, "DefaultAssignment": 1048832},
                {"Assignment": 1049088, "DefaultAssignment": 1049088}]}]})";

class BasicProfileTest : public ProfileFolderTest {
protected:
    void SetUp() override {
        ProfileFolderTest::SetUp();
        WriteDefault(kDefaultProfile);
        doc.SetDefaultProfilePath(defaultPath);
        profilePath = folder + "2019_03_07_14_05_09_042.Json";
        doc.SetProfilePath(profilePath);
    }
    Json::Value DefaultDocument() const { return ParseOrDie(kDefaultProfile)["Device"][0]; }

    CBasicProfiledata doc;
    std::string profilePath;
};

TEST_F(BasicProfileTest, LoadingAMissingProfileCreatesItFromTheDefault) {
    Json::Value loaded = doc.LoadProfile(profilePath);
    EXPECT_EQ(loaded, DefaultDocument());
    EXPECT_EQ(doc.Document(), DefaultDocument());
    Json::Value expected;
    expected["Device"][0] = DefaultDocument();
    EXPECT_EQ(ReadJson(profilePath), expected);
}

TEST_F(BasicProfileTest, SavingKeepsTheMembersBesideDevice) {
    WriteText(profilePath, R"({"profilename": "FPS", "profileUUID": "2019_03_07_14_05_09_042",
                               "Device": [{"LightInfo": {"SelectItem": 1}}]})");
    doc.LoadProfile(profilePath);
    doc.SetLightInfo(0x00000005, 0, 0);
    ASSERT_EQ(doc.SaveProfile(), 0);
    Json::Value saved = ReadJson(profilePath);
    EXPECT_EQ(saved["profilename"].asString(), "FPS");
    EXPECT_EQ(saved["profileUUID"].asString(), "2019_03_07_14_05_09_042");
    EXPECT_EQ(saved["Device"][0]["LightInfo"]["SelectItem"].asInt(), 5);
}

TEST_F(BasicProfileTest, AProfileWithoutDeviceGetsTheDefaultAndKeepsItsName) {
    WriteText(profilePath, R"({"profilename": "Mine"})");
    EXPECT_EQ(doc.LoadProfile(profilePath), DefaultDocument());
    Json::Value file = ReadJson(profilePath);
    EXPECT_EQ(file["profilename"].asString(), "Mine");
    EXPECT_EQ(file["Device"][0], DefaultDocument());
    EXPECT_EQ(FilesStartingWith(folder, "2019_03_07_14_05_09_042.Json.broken-"), std::vector<std::string>{});
}

TEST_F(BasicProfileTest, AnUnreadableProfileIsKeptAsideBeforeTheDefaultReplacesIt) {
    const std::string contents[] = {"{\"profilename\": \"half writ", "[1, 2, 3]", "\"just text\"",
                                    std::string("\x89PNG\r\n\x1a\n", 8)};
    for (const auto& content : contents) {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        WriteText(profilePath, content);
        EXPECT_EQ(doc.LoadProfile(profilePath), DefaultDocument());
        auto kept = FilesStartingWith(folder, "2019_03_07_14_05_09_042.Json.broken-");
        ASSERT_EQ(kept.size(), 1u) << content;
        EXPECT_TRUE(std::regex_match(kept[0], std::regex(R"(.*\.broken-\d{4}(_\d{2}){5}_\d{3})"))) << kept[0];
        EXPECT_EQ(ReadText(folder + kept[0]), content);
        EXPECT_EQ(ReadJson(profilePath)["Device"][0], DefaultDocument());
    }
}

TEST_F(BasicProfileTest, AProfilePathTakenByAFolderIsMovedAsideToo) {
    std::filesystem::create_directories(profilePath);
    WriteText(profilePath + "/inside", "x");
    EXPECT_EQ(doc.LoadProfile(profilePath), DefaultDocument());
    auto kept = FilesStartingWith(folder, "2019_03_07_14_05_09_042.Json.broken-");
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(ReadText(folder + kept[0] + "/inside"), "x");
    EXPECT_EQ(ReadJson(profilePath)["Device"][0], DefaultDocument());
}

TEST_F(BasicProfileTest, SavingOverAnUnreadableProfileAlsoKeepsItAside) {
    WriteText(profilePath, "{ broken");
    Json::Value value;
    value["LightInfo"]["Light"] = 2;
    ASSERT_EQ(doc.SaveProfileTo(value, profilePath), 0);
    auto kept = FilesStartingWith(folder, "2019_03_07_14_05_09_042.Json.broken-");
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(ReadText(folder + kept[0]), "{ broken");
    EXPECT_EQ(ReadJson(profilePath)["Device"][0], value);
}

TEST_F(BasicProfileTest, WithoutADefaultTheDocumentStaysNullAndReadsAsDefaults) {
    std::filesystem::remove(defaultPath);
    EXPECT_TRUE(doc.LoadProfile(profilePath).isNull());
    EXPECT_EQ(ReadJson(profilePath), ParseOrDie(R"({"Device": [null]})"));
    EXPECT_EQ(doc.GetLightInfo(), LightInfoRecord{});
    EXPECT_TRUE(doc.GetKeyList().empty());
    EXPECT_TRUE(doc.GetLightList().empty());
}

TEST_F(BasicProfileTest, GoingBackToTheDefaultNeverWritesInstallationData) {
    WriteDefault("not json");
    doc.LoadProfile(defaultPath);
    EXPECT_EQ(ReadText(defaultPath), "not json");
    EXPECT_EQ(FilesStartingWith(home.Path() + "/DefaultData", "mouse.Json"), std::vector<std::string>{"mouse.Json"});
}

TEST_F(BasicProfileTest, LightInfoKeepsTheChosenColourAndPacksWordsIntoMembers) {
    WriteText(profilePath, R"({"Device": [{"LightInfo": {"SelectItem": 3, "Light": 4, "Speed": 2, "Fx": 1,
                               "MultiColor": true, "Red": 10, "Green": 20, "Blue": 30}}]})");
    doc.LoadProfile(profilePath);
    LightInfoRecord r = doc.GetLightInfo();
    EXPECT_EQ(r.ToBytes(), (std::array<uint8_t, 11>{3, 4, 2, 1, 1, 10, 20, 30, 0, 0, 0}));
    EXPECT_EQ(doc.CurrentLightInfo(), r);

    doc.SetLightInfo(0x01020304, 0x0A0B0C01, 0x00AB1234);
    EXPECT_EQ(doc.CurrentLightInfo().ToBytes(),
              (std::array<uint8_t, 11>{0x04, 0x03, 0x02, 0x01, 0x01, 0x0C, 0x0B, 0x0A, 0x34, 0x12, 0xAB}));
    EXPECT_EQ(doc.Document()["LightInfo"], ParseOrDie(R"({"SelectItem": 4, "Light": 3, "Speed": 2, "Fx": 1,
        "MultiColor": 1, "Red": 12, "Green": 11, "Blue": 10})"));
    LightWords w = doc.CurrentLightInfo().ToWords();
    EXPECT_EQ(w.a, 0x01020304u);
    EXPECT_EQ(w.b, 0x0A0B0C01u);
    EXPECT_EQ(w.c, 0x00AB1234u);

    WriteDefault(R"({"Device": [{}]})");
    doc.LoadProfile(folder + "third.Json");
    EXPECT_EQ(doc.GetLightInfo(), LightInfoRecord{});
}

TEST_F(BasicProfileTest, LightInfoOutOfRangeIsClampedAndAMissingColourReadsWhite) {
    WriteText(profilePath, R"({"Device": [{"LightInfo": {"SelectItem": 1, "Light": 9, "Speed": -3,
                               "Red": 300, "Green": "x"}}]})");
    doc.LoadProfile(profilePath);
    const LightSetting light = doc.GetLightInfo().light;
    EXPECT_EQ(light.brightness, 4);
    EXPECT_EQ(light.speed, 0);
    EXPECT_EQ((std::array<uint8_t, 3>{light.red, light.green, light.blue}), (std::array<uint8_t, 3>{255, 255, 255}));
}

TEST_F(BasicProfileTest, LightListMarksPresentEntriesAndReadsFlagsAsBooleans) {
    WriteText(profilePath, R"({"Device": [{"LightList": [
        {"LEDREGMode": 3, "LEDBrightness": 4, "LEDSpeed": 2, "LEDDirection": true, "LEDMultiColor": 0,
         "red": 255, "green": 1, "blue": 2},
        null,
        {"LEDDirection": "yes", "red": "255"}]}]})");
    doc.LoadProfile(profilePath);
    auto list = doc.GetLightList();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0], (LightListEntry{{3, 4, 2, 1, 0, 255, 1, 2}, 1}));
    EXPECT_EQ(list[1], LightListEntry{});
    EXPECT_EQ(list[2], (LightListEntry{{}, 1}));
}

TEST_F(BasicProfileTest, DirectionAndMulticolourAreFlagsInTheDocumentButIntegersInEffectSteps) {
    WriteText(profilePath, R"({"Device": [{"LightInfo": {"SelectItem": 1, "Fx": 2, "MultiColor": 2, "Extra": 1},
        "LightList": [{"LEDDirection": 2, "LEDMultiColor": 258}]}]})");
    WriteText(folder + "vexal_light.config", R"({"LightInfo": [[{}, {"Guid": "steps"}]]})");
    WriteText(folder + "steps.light", R"({"LEDEffectList": [{"LEDDirection": 2, "LEDMultiColor": 258}]})");
    doc.LoadProfile(profilePath);
    const LightSetting info = doc.GetLightInfo().light;
    EXPECT_EQ(info.direction, 2);
    EXPECT_EQ(info.multiColor, 1);
    const LightSetting area = doc.GetLightList().at(0).light;
    EXPECT_EQ(area.direction, 1);
    EXPECT_EQ(area.multiColor, 1);
    doc.LoadLightConfig(folder + "vexal_light.config");
    const LightSetting step = doc.GetLedEffectList().at(0).light;
    EXPECT_EQ(step.direction, 2);
    EXPECT_EQ(step.multiColor, 2);

    // "LightInfo" is written as a whole new object: members it does not own are dropped.
    doc.SetLightInfo(0x02000001, 0x00000002, 0);
    EXPECT_EQ(doc.Document()["LightInfo"], ParseOrDie(R"({"SelectItem": 1, "Light": 0, "Speed": 0, "Fx": 2,
        "MultiColor": 2, "Red": 0, "Green": 0, "Blue": 0})"));
}

TEST_F(BasicProfileTest, KeyListUnpacksBothCodesAndAnAbsentListEmptiesTheCache) {
    doc.LoadProfile(profilePath);
    auto keys = doc.GetKeyList();
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[1], (KeyListEntry{1, {0x10, 0x02, 0x00}, 1, {0x10, 0x02, 0x00}}));

    WriteText(folder + "nokeys.Json", R"({"Device": [{"LightInfo": {}}]})");
    doc.LoadProfile(folder + "nokeys.Json");
    EXPECT_TRUE(doc.GetKeyList().empty());
    EXPECT_TRUE(doc.CachedKeyList().empty());
}

TEST_F(BasicProfileTest, SetKeyListWritesOnlyTheCurrentCodesOfTheGivenEntries) {
    WriteText(profilePath, R"({"Device": [{"KeyList": [
        {"Assignment": 1048832, "DefaultAssignment": 1048832},
        {"Assignment": 1049088, "DefaultAssignment": 1049088},
        {"Assignment": 1049600, "DefaultAssignment": 1049600}]}]})");
    doc.LoadProfile(profilePath);
    std::vector<KeyListEntry> keys = {{0, {1, 2, 3}, 0, {9, 9, 9}}, {1, {0x70, 0x01, 0x02}, 1, {}}};
    doc.SetKeyList(keys);
    const Json::Value& list = doc.Document()["KeyList"];
    EXPECT_EQ(list[0], ParseOrDie(R"({"Assignment": 66051, "DefaultAssignment": 1048832})"));
    EXPECT_EQ(list[1], ParseOrDie(R"({"Assignment": 7340290, "DefaultAssignment": 1049088})"));
    EXPECT_EQ(list[2]["Assignment"].asInt(), 1049600);
    EXPECT_EQ(doc.CachedKeyList(), keys);
}

TEST_F(BasicProfileTest, LedEffectsComeFromTheLightFileBesideTheConfiguration) {
    WriteText(profilePath, R"({"Device": [{"LightInfo": {"SelectItem": 1}}]})");
    WriteText(folder + "vexal_light.config", R"({"LightInfo": [[{"LightName": "a", "Guid": "first"},
                                                                {"LightName": "b", "Guid": "second"}]]})");
    WriteText(folder + "second.light", R"({"LEDEffectList": [
        {"LEDREGMode": 1, "LEDDirection": 1, "LEDBrightness": 4, "LEDSpeed": 3, "LEDMultiColor": 0,
         "red": 9, "green": 8, "blue": 7, "Time": 1500, "Cyle": 2},
        {"Time": "long"},
        {"LEDBrightness": 9, "LEDSpeed": -1, "red": 300, "green": -4, "Time": -5}]})");
    doc.LoadProfile(profilePath);
    doc.GetLightInfo();
    EXPECT_TRUE(doc.GetLedEffectList().empty()) << "no light configuration loaded yet";
    doc.LoadLightConfig(folder + "vexal_light.config");
    auto steps = doc.GetLedEffectList();
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_EQ(steps[0], (LedEffectEntry{{1, 4, 3, 1, 0, 9, 8, 7}, 1500, 2}));
    EXPECT_EQ(steps[1], LedEffectEntry{});
    // Out of range: clamped, never wrapped round to another level or colour.
    EXPECT_EQ(steps[2], (LedEffectEntry{{0, 4, 0, 0, 0, 255, 0, 0}, 0, 0}));
}

TEST_F(BasicProfileTest, ALightEffectNameCannotReachOutsideTheUserFolder) {
    // A readable effect outside the folder, which a bad name would reach.
    WriteText(home.Path() + "/outside.light", R"({"LEDEffectList": [{"LEDREGMode": 1}]})");
    WriteText(folder + "sub/inner.light", R"({"LEDEffectList": [{"LEDREGMode": 1}]})");
    const std::string names[] = {"../../../../outside", home.Path() + "/outside", "sub/inner", "sub\\\\inner",
                                 "..", ""};
    WriteText(profilePath, R"({"Device": [{"LightInfo": {"SelectItem": 0}}]})");
    doc.LoadProfile(profilePath);
    doc.GetLightInfo();
    for (const auto& name : names) {
        WriteText(folder + "vexal_light.config", R"({"LightInfo": [[{"Guid": ")" + name + R"("}]]})");
        doc.LoadLightConfig(folder + "vexal_light.config");
        EXPECT_TRUE(doc.GetLedEffectList().empty()) << name;
    }
}

TEST_F(BasicProfileTest, AProfileOfWrongTypesReadsAsDefaultsAndCanBeRewritten) {
    WriteText(profilePath, R"({"Device": [{"LightInfo": "on", "LightList": {"0": 1}, "KeyList": [7, "x",
        {"Assignment": "66051"}, {"Assignment": 1.5e3}]}]})");
    doc.LoadProfile(profilePath);
    EXPECT_EQ(doc.GetLightInfo(), LightInfoRecord{});
    EXPECT_TRUE(doc.GetLightList().empty());
    auto keys = doc.GetKeyList();
    ASSERT_EQ(keys.size(), 4u);
    EXPECT_EQ(keys[2].Assignment, (KeyCodeBytes{0, 0, 0}));
    EXPECT_EQ(keys[3].Assignment, (KeyCodeBytes{0x00, 0x05, 0xDC}));
    doc.SetLightInfo(1, 0, 0);
    doc.SetKeyList({{0, {1, 2, 3}, 0, {}}});
    ASSERT_EQ(doc.SaveProfile(), 0);
    Json::Value saved = ReadJson(profilePath)["Device"][0];
    EXPECT_EQ(saved["LightInfo"]["SelectItem"].asInt(), 1);
    EXPECT_EQ(saved["KeyList"][0]["Assignment"].asInt(), 66051);

    // A document that is not an object is replaced by the default.
    WriteText(profilePath, R"({"Device": [42]})");
    EXPECT_EQ(doc.LoadProfile(profilePath), DefaultDocument());
}

TEST_F(BasicProfileTest, PathSettersIgnoreEmptyTextExceptTheLightConfiguration) {
    doc.SetProfilePath("");
    doc.SetDefaultProfilePath("");
    EXPECT_EQ(doc.GetProfilePath(), profilePath);
    EXPECT_EQ(doc.GetDefaultProfilePath(), defaultPath);
    doc.SetLightConfigPath("x");
    doc.SetLightConfigPath("");
    EXPECT_EQ(doc.GetLightConfigPath(), "");
}

TEST_F(BasicProfileTest, ProfileAndDocumentNamesInAnyScriptSurviveSaveAndLoad) {
    const std::string name = "配置 ไทย 🎮";
    Json::Value root;
    root["profilename"] = ToProfileText(name);
    root["Device"][0]["LightInfo"]["SelectItem"] = 1;
    ASSERT_EQ(doc.WriteProfileFile(root, profilePath), 0);
    doc.LoadProfile(profilePath);
    ASSERT_EQ(doc.SaveProfile(), 0);
    EXPECT_EQ(FromProfileText(json::TextOf(ReadJson(profilePath)["profilename"])), name);
}

}  // namespace
}  // namespace orvane::test
