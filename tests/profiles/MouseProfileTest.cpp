#include <gtest/gtest.h>

#include "platform/SystemMouseSettings.h"
#include "profiles/CMouseProfiledata.h"
#include "tests/profiles/ProfileFixture.h"

namespace orvane::test {
namespace {

class MouseProfileTest : public ProfileFolderTest {
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
    static DpiStage Stage(uint16_t index, uint8_t r) { return {1, 0, index, index, r, 0, 0}; }

    CMouseProfiledata doc;
};

TEST_F(MouseProfileTest, DpiStagesReadFromTheDocumentReplaceTheCacheByPositionOnly) {
    doc.SetDpiStages({Stage(1, 1), Stage(2, 2), Stage(3, 3), Stage(4, 4), Stage(5, 5)});
    Load(R"({"DPIStages": {"StageActive": 2, "StageDPIs": [
        {"StageActive": 1, "StageXY": 1, "StageDPIX": 65551, "StageDPIY": 31, "StageColorR": 255,
         "StageColorG": 128, "StageColorB": 7},
        {"StageActive": 0, "StageDPIX": 7}, {"StageDPIX": 63}]}})");
    auto stages = doc.GetDpiStages();
    ASSERT_EQ(stages.size(), 5u);
    EXPECT_EQ(stages[0], (DpiStage{1, 1, 15, 31, 255, 128, 7}));  // X keeps its low 16 bits
    EXPECT_EQ(stages[1], (DpiStage{0, 0, 7, 0, 0, 0, 0}));
    EXPECT_EQ(stages[2], (DpiStage{0, 0, 63, 0, 0, 0, 0}));
    EXPECT_EQ(stages[3], Stage(4, 4));
    EXPECT_EQ(stages[4], Stage(5, 5));
    EXPECT_EQ(doc.GetActiveDpiStage(), 2);
}

TEST_F(MouseProfileTest, SetDpiStagesWritesEveryMemberAndLeavesLaterElements) {
    Load(R"({"DPIStages": {"StageActive": 0, "StageDPIs": [{}, {}, {"StageDPIX": 99, "Note": "kept"}]}})");
    doc.SetDpiStages({{1, 0, 3, 3, 255, 0, 0}, {1, 1, 7, 15, 0, 255, 0}});
    doc.SetActiveDpiStage(1);
    EXPECT_EQ(doc.Document()["DPIStages"], ParseOrDie(R"({"StageActive": 1, "StageDPIs": [
        {"StageActive": 1, "StageXY": 0, "StageDPIX": 3, "StageDPIY": 3, "StageColorR": 255,
         "StageColorG": 0, "StageColorB": 0},
        {"StageActive": 1, "StageXY": 1, "StageDPIX": 7, "StageDPIY": 15, "StageColorR": 0,
         "StageColorG": 255, "StageColorB": 0},
        {"StageDPIX": 99, "Note": "kept"}]})"));
    EXPECT_EQ(doc.GetActiveDpiStage(), 1);
}

TEST(ProfileDpiStageRecord, EncodesTheNineDeviceBytesLittleEndian) {
    const std::pair<DpiStage, std::array<uint8_t, 9>> cases[] = {
        {{1, 0, 15, 15, 255, 0, 0}, {1, 0, 0x0F, 0x00, 0x0F, 0x00, 0xFF, 0x00, 0x00}},
        {{0, 1, 159, 0x1234, 1, 2, 3}, {0, 1, 0x9F, 0x00, 0x34, 0x12, 1, 2, 3}},
        {{1, 1, 0xFFFF, 0x0100, 0, 0, 0}, {1, 1, 0xFF, 0xFF, 0x00, 0x01, 0, 0, 0}},
    };
    for (const auto& [stage, bytes] : cases) {
        EXPECT_EQ(stage.Encode(), bytes);
        EXPECT_EQ(DpiStage::Decode(bytes), stage);
    }
}

TEST_F(MouseProfileTest, SystemSettingsArePackedIntoTheirThreeSections) {
    Load("{}");
    doc.SetMouseSystemSettings(0x000A0006, 0x00010001, 0x00030005, 0x1201);
    EXPECT_EQ(doc.Document()["SystemStages"], ParseOrDie(R"({"DoubleClickTime": 6, "MouseSpeed": 10,
        "PointerPrecision": 1, "ScorllPage": 1, "WheelScorlllinse": 5})"));
    EXPECT_EQ(doc.Document()["ReportStages"]["StageActive"].asInt(), 3);
    EXPECT_EQ(doc.Document()["HeightStages"]["StageActive"].asInt(), 1);
    MouseSystemSettings expected{6, 10, 1, 1, 5, 3, 1};
    EXPECT_EQ(doc.GetMouseSystemSettings(), expected);
    EXPECT_EQ(doc.CurrentMouseSystemSettings(), expected);
    MouseSystemWords w = expected.ToWords();
    EXPECT_EQ(MouseSystemSettings::FromWords(w.a, w.b, w.c, w.d), expected);
}

TEST_F(MouseProfileTest, WithoutSystemStagesEveryValueReadsZero) {
    Load(R"({"ReportStages": {"StageActive": 4}, "HeightStages": {"StageActive": 1}})");
    EXPECT_EQ(doc.GetMouseSystemSettings(), MouseSystemSettings{});
    Load(R"({"SystemStages": {"MouseSpeed": 12}})");
    EXPECT_EQ(doc.GetMouseSystemSettings(), (MouseSystemSettings{0, 12, 0, 0, 0, 0, 0}));
}

TEST_F(MouseProfileTest, TheLiftOffStageReadsAsAByteAndWritesKeepOtherMembers) {
    Load(R"({"SystemStages": {"MouseSpeed": 5, "Extra": "kept"}, "ReportStages": {"StageActive": 258},
             "HeightStages": {"StageActive": 258, "StageNum": 3},
             "DPIStages": {"StageDPIs": [{"StageDPIX": 1, "Note": "kept"}]}})");
    MouseSystemSettings s = doc.GetMouseSystemSettings();
    EXPECT_EQ(s.ReportStage, 258);
    EXPECT_EQ(s.HeightStage, 2);

    doc.SetMouseSystemSettings(s);
    doc.SetDpiStages({Stage(3, 1)});
    const Json::Value& d = doc.Document();
    EXPECT_EQ(d["SystemStages"]["Extra"].asString(), "kept");
    EXPECT_EQ(d["SystemStages"]["MouseSpeed"].asInt(), 5);
    EXPECT_EQ(d["ReportStages"]["StageActive"].asInt(), 258);
    EXPECT_EQ(d["HeightStages"], ParseOrDie(R"({"StageActive": 2, "StageNum": 3})"));
    EXPECT_EQ(d["DPIStages"]["StageDPIs"][0]["Note"].asString(), "kept");
    EXPECT_EQ(d["DPIStages"]["StageDPIs"][0]["StageDPIX"].asInt(), 3);
}

TEST(ProfileDoubleClickLevel, FollowsTheUnsignedFormula) {
    const std::pair<int, uint16_t> cases[] = {{200, 10}, {500, 6}, {900, 0}, {270, 9}, {1600, 65526}};
    for (const auto& [ms, level] : cases) EXPECT_EQ(DoubleClickLevelFromTime(ms), level) << ms;
}

TEST_F(MouseProfileTest, WindowsSettingsComeFromTheDesktopAndStagesFromTheDocument) {
    Load(R"({"SystemStages": {"MouseSpeed": 3, "DoubleClickTime": 1}, "ReportStages": {"StageActive": 2},
             "HeightStages": {"StageActive": 1}})");
    FileSystemMouseSettings system;
    ASSERT_TRUE(system.SetDoubleClickTime(500));
    ASSERT_TRUE(system.SetPointerSpeed(14));
    ASSERT_TRUE(system.SetPointerPrecision(false));
    ASSERT_TRUE(system.SetWheelScrollLines(7));
    MouseSystemSettings s = doc.ReadWindowsMouseSettings(system);
    EXPECT_EQ(s, (MouseSystemSettings{6, 14, 0, 0, 7, 2, 1}));
    EXPECT_EQ(doc.CurrentMouseSystemSettings(), s);
    EXPECT_EQ(doc.Document()["SystemStages"]["MouseSpeed"].asInt(), 3) << "the document is not changed";

    ASSERT_TRUE(system.SetWheelScrollLines(kWheelPageScroll));
    s = doc.ReadWindowsMouseSettings(system);
    EXPECT_EQ(s.ScorllPage, 1);
    EXPECT_EQ(s.WheelScorlllinse, 0xFFFF);
}

TEST_F(MouseProfileTest, CorrectInfoListsEveryEntryWithItsName) {
    Load(R"({"CorrectInfo": [{"CorrectPixThresh": 4, "CorrectMinSq": 16, "CorrectSelect": 1,
             "CorrectName": "直线修正"}, {"CorrectName": 5}]})");
    auto list = doc.GetCorrectInfo();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0], (CorrectInfoEntry{4, 16, 1, "直线修正"}));
    EXPECT_EQ(list[1], CorrectInfoEntry{});
    Load("{}");
    EXPECT_TRUE(doc.GetCorrectInfo().empty());
}

TEST_F(MouseProfileTest, MouseSectionsOfTheWrongTypeReadAsDefaults) {
    doc.SetDpiStages({Stage(7, 1)});
    Load(R"({"DPIStages": [1, 2], "SystemStages": "fast", "CorrectInfo": {"a": 1}})");
    EXPECT_EQ(doc.GetDpiStages(), std::vector<DpiStage>{Stage(7, 1)});
    EXPECT_EQ(doc.GetMouseSystemSettings(), MouseSystemSettings{});
    EXPECT_TRUE(doc.GetCorrectInfo().empty());
    Load(R"({"DPIStages": {"StageActive": "2", "StageDPIs": [[], "x"]}})");
    auto stages = doc.GetDpiStages();
    EXPECT_EQ(stages[0], DpiStage{});
    EXPECT_EQ(stages.size(), 2u);
    EXPECT_EQ(doc.GetActiveDpiStage(), 0);
}

}  // namespace
}  // namespace orvane::test
