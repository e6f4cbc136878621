#include <gtest/gtest.h>

#include "profiles/MacroFile.h"
#include "tests/profiles/ProfileFixture.h"

namespace orvane::test {
namespace {

using ProfileMacroFileTest = ProfileFolderTest;

TEST_F(ProfileMacroFileTest, DeviceMacrosComeInIndexOrderWithTheirSteps) {
    WriteText(folder + "macro.config", R"({"MacroInfo": [
        {"MacroName": "macro_2", "Guid": "2019_03_07_14_05_09_042"},
        {"MacroName": "macro_1", "Guid": "2019_03_07_14_05_10_001"},
        {"MacroName": "no file", "Guid": "2019_03_07_14_05_11_000"}]})");
    WriteText(folder + "2019_03_07_14_05_09_042.mac", R"({"Events": [
        {"Action": "down", "Button": 4, "Delay": "300", "Type": 1},
        {"Action": "up", "Button": 4, "Delay": 0, "Type": 1}], "Guid": "2019_03_07_14_05_09_042",
        "MacroName": "macro_2", "Version": 64})");
    WriteText(folder + "2019_03_07_14_05_10_001.mac", R"({"Events": [
        {"Action": "down", "Button": 40, "Delay": "70000", "Type": 10}]})");
    auto macros = ReadDeviceMacros(folder);
    ASSERT_TRUE(macros.has_value());
    ASSERT_EQ(macros->size(), 3u);
    EXPECT_EQ((*macros)[0].entry, (MacroIndexEntry{"macro_2", "2019_03_07_14_05_09_042"}));
    EXPECT_EQ((*macros)[0].events,
              (std::vector<MacroEvent>{{"down", 4, 1, "300"}, {"up", 4, 1, "0"}}));
    EXPECT_TRUE((*macros)[0].events[0].IsDown());
    EXPECT_EQ((*macros)[0].events[1].DelayMilliseconds(), 0);
    EXPECT_EQ((*macros)[1].events.at(0).DelayMilliseconds(), 70000);
    EXPECT_TRUE((*macros)[2].events.empty());
}

TEST_F(ProfileMacroFileTest, AMissingOrBrokenIndexIsReportedAsUnreadable) {
    EXPECT_FALSE(ReadDeviceMacros(folder).has_value());
    WriteText(folder + "macro.config", "{\"MacroInfo\": [");
    EXPECT_FALSE(ReadDeviceMacros(folder).has_value());
    WriteText(folder + "vexal_macro.config", R"({"MacroInfo": []})");
    auto pad = ReadDeviceMacros(folder, kPadMacroIndexFileName);
    ASSERT_TRUE(pad.has_value());
    EXPECT_TRUE(pad->empty());
}

TEST_F(ProfileMacroFileTest, AnIdentifierCannotNameAFileOutsideTheUserFolder) {
    WriteText(home.Path() + "/evil.mac", R"({"Events": [{"Action": "down", "Button": 1, "Type": 1}]})");
    WriteText(folder + "sub/x.mac", R"({"Events": [{"Action": "down", "Button": 1, "Type": 1}]})");
    const std::string guids[] = {"../../../../evil", home.Path() + "/evil", "sub/x", "sub\\\\x", "..", ""};
    Json::Value index;
    for (const auto& g : guids) {
        Json::Value e;
        e["MacroName"] = "m";
        e["Guid"] = g;
        index["MacroInfo"].append(e);
    }
    ASSERT_EQ(JsonFileStore().wirtejsonFile(folder + "macro.config", index), 0);
    auto macros = ReadDeviceMacros(folder);
    ASSERT_TRUE(macros.has_value());
    ASSERT_EQ(macros->size(), std::size(guids));
    for (const auto& m : *macros) EXPECT_TRUE(m.events.empty()) << m.entry.Guid;
    EXPECT_FALSE(MacroFilePath(folder, "../evil").has_value());
    EXPECT_EQ(MacroFilePath(folder, "2019_03_07_14_05_09_042"), folder + "2019_03_07_14_05_09_042.mac");
}

TEST(ProfileFileNames, OnlyBareNamesArePlain) {
    const std::pair<std::string, bool> cases[] = {
        {"2019_03_07_14_05_09_042", true}, {"连招", true}, {"a.b", true}, {"", false}, {"..", false},
        {"a..b", false}, {"../x", false}, {"x/y", false}, {"/abs", false}, {"x\\y", false},
        {std::string("x\0y", 3), false},
    };
    for (const auto& [name, plain] : cases) EXPECT_EQ(IsPlainFileName(name), plain) << name;
}

TEST_F(ProfileMacroFileTest, WrongTypesInMacroFilesReadAsEmptyValues) {
    WriteText(folder + "macro.config", R"({"MacroInfo": [5, {"MacroName": 3, "Guid": ["a"]}, {"Guid": "m"}]})");
    WriteText(folder + "m.mac", R"({"Events": [7, {"Action": 1, "Button": "4", "Type": 1.0, "Delay": true}]})");
    auto macros = ReadDeviceMacros(folder);
    ASSERT_TRUE(macros.has_value());
    ASSERT_EQ(macros->size(), 3u);
    EXPECT_EQ((*macros)[1].entry, MacroIndexEntry{});
    EXPECT_EQ((*macros)[2].events, (std::vector<MacroEvent>{{}, {"", 0, 1, ""}}));
    WriteText(folder + "m.mac", R"({"Events": {"0": {}}})");
    EXPECT_TRUE(ReadMacroFile(folder + "m.mac").Events.empty());
}

TEST_F(ProfileMacroFileTest, NamesInAnyScriptSurviveWritingAndReading) {
    const std::vector<MacroIndexEntry> entries = {{"连招 一", "2019_03_07_14_05_09_042"}, {"มาโคร", "b"}, {"🔫 x3", "c"}};
    WriteText(folder + "macro.config", R"({"MacroInfo": [], "Other": 1})");
    ASSERT_TRUE(WriteMacroIndex(folder + "macro.config", entries));
    EXPECT_EQ(ReadMacroIndex(folder + "macro.config"), entries);
    EXPECT_EQ(ReadJson(folder + "macro.config")["Other"].asInt(), 1);

    MacroFile macro;
    macro.Guid = "c";
    macro.MacroName = "🔫 x3";
    macro.Events = {{"down", 0x04, 9, "050"}, {"up", 0x04, 9, "12ms"}};
    ASSERT_TRUE(WriteMacroFile(folder + "c.mac", macro));
    Json::Value saved = ReadJson(folder + "c.mac");
    EXPECT_EQ(saved["Events"][0], ParseOrDie(R"({"Action": "down", "Button": 4, "Delay": "50", "Type": 9})"));
    EXPECT_EQ(saved["Events"][1]["Delay"], Json::Value("12"));
    EXPECT_EQ(saved["Version"].asInt(), 64);
    MacroFile back = ReadMacroFile(folder + "c.mac");
    EXPECT_EQ(back.MacroName, "🔫 x3");
    EXPECT_EQ(back.Guid, "c");
    EXPECT_EQ(back.Events[0].DelayMilliseconds(), 50);
}

}  // namespace
}  // namespace orvane::test
