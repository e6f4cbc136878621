#include <gtest/gtest.h>

#include "profiles/CHs8127Profiledata.h"
#include "profiles/CKeyboardProfiledata.h"
#include "tests/profiles/ProfileFixture.h"

namespace orvane::test {
namespace {

template <typename Document>
class DocumentTest : public ProfileFolderTest {
protected:
    void SetUp() override {
        ProfileFolderTest::SetUp();
        WriteDefault(R"({"Device": [{}]})");
        doc.SetDefaultProfilePath(defaultPath);
        doc.SetProfilePath(folder + "p.Json");
    }
    void Load(const std::string& deviceJson) {
        WriteText(folder + "p.Json", R"({"Device": [)" + deviceJson + "]}");
        doc.LoadProfile(folder + "p.Json");
    }
    Document doc;
};

using KeyboardProfileTest = DocumentTest<CKeyboardProfiledata>;
using HeadsetProfileTest = DocumentTest<CHs8127Profiledata>;

TEST_F(KeyboardProfileTest, SettingsWordsUnpackIntoSixMembersAndBack) {
    Load("{}");
    doc.SetKeyboardSystemSettings(0x0002001F, 0x00030001, 0x00010000);
    EXPECT_EQ(doc.Document()["SystemStages"], ParseOrDie(R"({"Repeat": 31, "RepeatDelay": 2, "Key6Flag": 1,
        "PollingRate": 3, "WFlag": 0, "WinFlag": 1})"));
    KeyboardSystemSettings k = doc.GetKeyboardSystemSettings();
    EXPECT_EQ(k, (KeyboardSystemSettings{31, 2, 1, 3, 0, 1}));
    KeyboardSystemWords w = k.ToWords();
    EXPECT_EQ(w.a, 0x0002001Fu);
    EXPECT_EQ(w.b, 0x00030001u);
    EXPECT_EQ(w.c, 0x00010000u);
    EXPECT_EQ(doc.ReadWindowsKeyboardSettings(20, 3), (KeyboardSystemSettings{20, 3, 1, 3, 0, 1}));
}

TEST_F(KeyboardProfileTest, AMissingCustomGroupIsCreatedWithTheHighlightedKeysAndReadsEmpty) {
    Load(R"({"CustomLightMode": {"CustomLightModeGroupIndex": 2}})");
    EXPECT_EQ(doc.GetCustomLightGroupIndex(), 2);
    EXPECT_TRUE(doc.GetCustomLightColors(1, 126).empty());
    const Json::Value& group = doc.Document()["CustomLightMode"]["LightColorInfo"][1];
    ASSERT_EQ(group.size(), 126u);
    for (Json::ArrayIndex k = 0; k < group.size(); ++k) {
        bool lit = k == 44 || k == 64 || k == 65 || k == 66 || k == 96 || k == 113 || k == 114 || k == 115;
        EXPECT_EQ(group[k], ParseOrDie(lit ? R"({"Red": 255, "Green": 0, "Blue": 0, "Alpha": 255})"
                                           : R"({"Red": 0, "Green": 0, "Blue": 0, "Alpha": 0})"))
            << k;
    }
    auto colors = doc.GetCustomLightColors(1, 126);
    ASSERT_EQ(colors.size(), 126u);
    EXPECT_EQ(colors[44], (CustomLightColor{255, 0, 0, 255}));
    EXPECT_EQ(doc.CachedCustomLightColors(), colors);
}

TEST_F(KeyboardProfileTest, EntriesMissingFromAnExistingGroupAreCreatedAndReturned) {
    Load(R"({"CustomLightMode": {"LightColorInfo": [[{"Red": 1, "Green": 2, "Blue": 3, "Alpha": 4}]]}})");
    auto colors = doc.GetCustomLightColors(0, 66);
    ASSERT_EQ(colors.size(), 66u);
    EXPECT_EQ(colors[0], (CustomLightColor{1, 2, 3, 4}));
    EXPECT_EQ(colors[1], CustomLightColor{});
    EXPECT_EQ(colors[65], (CustomLightColor{255, 0, 0, 255}));
    EXPECT_EQ(doc.Document()["CustomLightMode"]["LightColorInfo"][0].size(), 66u);

    doc.SetCustomLightColors(0, {{9, 8, 7, 6}});
    doc.SetCustomLightGroupIndex(0);
    EXPECT_EQ(doc.GetCustomLightColors(0, 1), (std::vector<CustomLightColor>{{9, 8, 7, 6}}));
    EXPECT_EQ(doc.GetCustomLightGroupIndex(), 0);
    EXPECT_TRUE(doc.GetCustomLightColors(-1, 5).empty());
    EXPECT_TRUE(doc.GetCustomLightColors(CKeyboardProfiledata::kMaxCustomLightGroups, 5).empty());
    EXPECT_EQ(doc.Document()["CustomLightMode"]["LightColorInfo"].size(), 1u);
}

TEST_F(HeadsetProfileTest, SystemSettingsAreWrittenInFullAndReadBack) {
    Load("{}");
    EXPECT_EQ(doc.GetHeadsetSystemSettings(), HeadsetSystemSettings{});
    HeadsetSystemSettings h{1, 3, 13, 2, 1, 80, 0, 45};
    doc.SetHeadsetSystemSettings(h);
    EXPECT_EQ(doc.Document()["SystemSetStages"], ParseOrDie(R"({"MagicEnable": 1, "MagicType": 3,
        "EqType": 13, "CustomEqSeletIndex": 2, "MicInSelect": 1, "MicInValue": 80,
        "MicMoniterSelect": 0, "MicMoniterValue": 45})"));
    EXPECT_EQ(doc.GetHeadsetSystemSettings(), h);
    EXPECT_EQ(doc.CurrentHeadsetSystemSettings(), h);
}

TEST_F(HeadsetProfileTest, PresetNumbersOutsideTheTableMeanPresetOneAndThirteenHasNoBands) {
    Load(R"({"EQHzValueInfo": [[], [{"value": 7}, {"value": 11}]]})");
    const EqBandValues presetOne{7, 11, 0, 0, 0, 0, 0, 0, 0, 0};
    for (int preset : {0, 1, 14, -3}) {
        auto bands = doc.GetEqBands(preset);
        ASSERT_TRUE(bands.has_value()) << preset;
        EXPECT_EQ(*bands, presetOne) << preset;
    }
    // Absent bands were created with 0.
    EXPECT_EQ(doc.Document()["EQHzValueInfo"][1].size(), 10u);
    EXPECT_EQ(doc.Document()["EQHzValueInfo"][1][9], ParseOrDie(R"({"value": 0})"));

    EXPECT_FALSE(doc.GetEqBands(13).has_value());
    doc.SetEqBands(13, EqBandValues{1, 1, 1, 1, 1, 1, 1, 1, 1, 1});
    EXPECT_EQ(doc.Document()["EQHzValueInfo"].size(), 2u) << "preset 13 is never written";

    const EqBandValues gains{-3, 4, 10, 0, -11, 3, 9, 13, 6, 0};
    doc.SetEqBands(10, gains);
    EXPECT_EQ(doc.Document()["EQHzValueInfo"][10][4], ParseOrDie(R"({"value": -11})"));
    EXPECT_EQ(doc.GetEqBands(10), gains);
    EXPECT_EQ(doc.CurrentEqBands(), gains);
}

TEST_F(HeadsetProfileTest, CustomEqualisersKeepTheirNamesAndBands) {
    Load("{}");
    const std::vector<std::string> names = {"Bass", "游戏", "เพลง", "🎧"};
    doc.SetCustomEqNames(names);
    const EqBandValues gains{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    doc.SetCustomEqBands(3, gains);
    ASSERT_EQ(doc.SaveProfile(), 0);

    CHs8127Profiledata reloaded;
    reloaded.LoadProfile(folder + "p.Json");
    EXPECT_EQ(reloaded.GetCustomEqNames(), names);
    EXPECT_EQ(reloaded.GetCustomEqBands(3), gains);
    EXPECT_EQ(reloaded.GetCustomEqBands(0), EqBandValues{});
    EXPECT_FALSE(reloaded.GetCustomEqBands(CHs8127Profiledata::kMaxCustomEqualisers).has_value());

    doc.SetCustomEqNames({"only"});
    EXPECT_EQ(doc.GetCustomEqNames(), std::vector<std::string>{"only"});
}

}  // namespace
}  // namespace orvane::test
