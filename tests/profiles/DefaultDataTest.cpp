// The shipped default data, read with the program's own readers.
#include <gtest/gtest.h>

#include <set>

#include "profiles/CHs8127Profiledata.h"
#include "profiles/CKeyboardProfiledata.h"
#include "profiles/CMouseProfiledata.h"
#include "profiles/JsonFields.h"
#include "tests/profiles/ProfileFixture.h"

namespace orvane::test {
namespace {

const std::string kSourceData = std::string(ORVANE_SOURCE_DIR) + "/DefaultData/";

const char* const kDeviceFolders[] = {"mouse", "keyboard", "MousePad", "HD", "keyboard4760"};

template <typename Document>
Document LoadDefault(const std::string& folder) {
    Document doc;
    std::string path = kSourceData + folder + kProfileExtension;
    doc.SetDefaultProfilePath(path);
    Json::Value loaded = doc.LoadProfile(path);
    EXPECT_TRUE(loaded.isObject()) << path;
    return doc;
}

TEST(ProfileDefaultData, EveryFileParsesAndTheBuildTreeHoldsTheSameCopy) {
    JsonFileStore store;
    std::vector<std::string> files = {kDefaultLightFileName};
    for (const char* folder : kDeviceFolders) files.push_back(std::string(folder) + kProfileExtension);
    for (const auto& name : files) {
        JsonFileResult r = store.ReadJsonChecked(kSourceData + name);
        EXPECT_EQ(r.status, JsonFileStatus::kParsed) << name;
        EXPECT_TRUE(r.value.isObject()) << name;
        EXPECT_EQ(store.readjsonFile(DefaultDataFolder() + name), store.readjsonFile(kSourceData + name)) << name;
    }
    EXPECT_EQ(DefaultProfilePath("mouse"), DefaultDataFolder() + "mouse.Json");
}

TEST(ProfileDefaultData, MouseHasItsFactoryKeysSixDpiStagesAndSystemSections) {
    auto doc = LoadDefault<CMouseProfiledata>("mouse");
    const KeyCodeBytes factory[] = {{0x10, 0x01, 0x00}, {0x10, 0x02, 0x00}, {0x10, 0x04, 0x00}, {0x10, 0x10, 0x00},
                                    {0x10, 0x08, 0x00}, {0x13, 0x01, 0x00}, {0x13, 0x02, 0x00}, {0xA0, 0x02, 0x00},
                                    {0x13, 0x03, 0x00}, {0xA0, 0x1B, 0x00}, {0x16, 0x90, 0x01}};
    auto keys = doc.GetKeyList();
    ASSERT_EQ(keys.size(), std::size(factory));
    for (size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(keys[i].Assignment, factory[i]) << i;
        EXPECT_EQ(keys[i].DefaultAssignment, factory[i]) << i;
    }

    auto stages = doc.GetDpiStages();
    ASSERT_EQ(stages.size(), 6u);
    const int cpi[] = {400, 800, 1600, 3200, 6400, 12800};
    std::set<std::array<uint8_t, 3>> colours;
    for (size_t i = 0; i < stages.size(); ++i) {
        EXPECT_EQ((stages[i].StageDPIX + 1) * 100, cpi[i]) << i;
        EXPECT_EQ(stages[i].StageDPIY, stages[i].StageDPIX) << i;
        EXPECT_EQ(stages[i].StageActive, 1) << i;
        colours.insert({stages[i].StageColorR, stages[i].StageColorG, stages[i].StageColorB});
    }
    EXPECT_EQ(colours.size(), 6u) << "each stage has its own indicator colour";
    EXPECT_LT(doc.GetActiveDpiStage(), 6);

    MouseSystemSettings s = doc.GetMouseSystemSettings();
    EXPECT_GE(s.MouseSpeed, 1);
    EXPECT_LE(s.MouseSpeed, 20);
    EXPECT_LE(s.ReportStage, 4);
    EXPECT_LE(s.HeightStage, 1);
    EXPECT_GT(s.WheelScorlllinse, 0);

    EXPECT_EQ(doc.GetLightList().size(), 6u);
    EXPECT_LT(doc.GetLightInfo().light.mode, 9);
    auto corrections = doc.GetCorrectInfo();
    ASSERT_FALSE(corrections.empty());
    for (const auto& c : corrections) EXPECT_FALSE(c.CorrectName.empty());
}

TEST(ProfileDefaultData, KeyboardsCarryTheir126FactoryCodes) {
    for (const char* folder : {"keyboard", "keyboard4760"}) {
        auto doc = LoadDefault<CKeyboardProfiledata>(folder);
        auto keys = doc.GetKeyList();
        ASSERT_EQ(keys.size(), 126u) << folder;
        EXPECT_EQ(keys[0].DefaultAssignment, (KeyCodeBytes{0x20, 0x00, 0x29})) << folder;   // Esc
        EXPECT_EQ(keys[64].DefaultAssignment, (KeyCodeBytes{0x20, 0x00, 0x04})) << folder;  // A
        EXPECT_EQ(keys[125].DefaultAssignment, (KeyCodeBytes{0x20, 0x80, 0x00})) << folder;
        for (const auto& k : keys) EXPECT_EQ(k.Assignment, k.DefaultAssignment) << folder;
        EXPECT_LT(doc.GetLightInfo().light.mode, 25) << folder;
        EXPECT_NE(doc.GetKeyboardSystemSettings(), KeyboardSystemSettings{}) << folder;
    }
}

TEST(ProfileDefaultData, PadAndHeadsetHaveLightingAndTheHeadsetItsPresets) {
    auto pad = LoadDefault<CBasicProfiledata>("MousePad");
    EXPECT_EQ(pad.GetLightInfo().light.brightness, 4);

    auto hd = LoadDefault<CHs8127Profiledata>("HD");
    HeadsetSystemSettings h = hd.GetHeadsetSystemSettings();
    EXPECT_GE(h.EqType, 1);
    EXPECT_LE(h.EqType, 12);
    EXPECT_EQ(hd.GetEqBands(1), (EqBandValues{7, 11, 2, -3, -1, 4, 9, 12, 9, 5}));
    EXPECT_EQ(hd.GetEqBands(12), (EqBandValues{2, 1, -2, -4, -8, 4, 12, 16, 18, 15}));
    EXPECT_EQ(hd.Document()["EQHzValueInfo"].size(), 13u);
}

TEST(ProfileDefaultData, LightNamesCoverEveryLightTableIndex) {
    Json::Value names = JsonFileStore().ReadJsonValue(kSourceData + kDefaultLightFileName);
    const Json::Value& modes = json::Member(names, "DefaultLightName");
    const Json::Value& areas = json::Member(names, "AreaLightName");
    // Index = the catalogue's device number: keyboard 0, mouse 1, pad 2, headset 3, keyboard 4760 4.
    const Json::ArrayIndex modeCounts[] = {25, 9, 9, 9, 25};
    const Json::ArrayIndex areaCounts[] = {0, 6, 15, 13, 0};
    ASSERT_EQ(json::ArraySize(modes), 5u);
    ASSERT_EQ(json::ArraySize(areas), 5u);
    for (Json::ArrayIndex g = 0; g < 5; ++g) {
        ASSERT_EQ(json::ArraySize(modes[g]), modeCounts[g]) << g;
        for (Json::ArrayIndex i = 0; i < modes[g].size(); ++i) {
            EXPECT_FALSE(json::TextOf(json::Member(modes[g][i], "LightName")).empty()) << g << "/" << i;
            EXPECT_TRUE(json::Member(modes[g][i], "visible").isBool()) << g << "/" << i;
        }
        ASSERT_EQ(json::ArraySize(areas[g]), areaCounts[g]) << g;
        for (Json::ArrayIndex i = 0; i < areas[g].size(); ++i) {
            EXPECT_FALSE(json::TextOf(json::Member(areas[g][i], "LightName")).empty()) << g << "/" << i;
        }
    }
}

}  // namespace
}  // namespace orvane::test
