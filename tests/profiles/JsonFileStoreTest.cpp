#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <regex>

#include "profiles/JsonFields.h"
#include "profiles/JsonFileStore.h"
#include "tests/profiles/ProfileFixture.h"

namespace orvane::test {
namespace {

using ProfileFileStoreTest = ProfileFolderTest;

TEST_F(ProfileFileStoreTest, WritesStyledJsonWithOneLineFeedAndLogsTheResult) {
    Json::Value v;
    v["b"] = 2;
    v["a"]["list"].append("x");
    CapturedLog log;
    std::string path = folder + "out.Json";
    ASSERT_EQ(JsonFileStore().wirtejsonFile(path, v), 0);
    EXPECT_EQ(ReadText(path), Json::StyledWriter().write(v) + "\n");
    EXPECT_EQ(log.Lines(), std::vector<std::string>{"wirtejsonFile 错误吗：：0\n"});
}

TEST_F(ProfileFileStoreTest, WriteReplacesTheFileInsteadOfRewritingItInPlace) {
    std::string path = folder + "p.Json";
    std::string old = "{ \"old\" : \"" + std::string(10000, 'x') + "\" }\n";
    WriteText(path, old);
    // A reader that opened the old file keeps seeing all of it: the new content went to a new
    // file that was renamed over the name, never into the old one.
    int fd = ::open(path.c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    Json::Value v;
    v["new"] = 1;
    ASSERT_EQ(JsonFileStore().wirtejsonFile(path, v), 0);
    std::string seen(old.size() + 16, '\0');
    ssize_t n = ::pread(fd, seen.data(), seen.size(), 0);
    ::close(fd);
    seen.resize(n > 0 ? static_cast<size_t>(n) : 0);
    EXPECT_EQ(seen, old);
    EXPECT_EQ(ReadJson(path), v);
    EXPECT_EQ(FilesStartingWith(folder, "p.Json.tmp"), std::vector<std::string>{});
}

TEST_F(ProfileFileStoreTest, FailedWriteReturnsOneAndLeavesNothingBehind) {
    CapturedLog log;
    Json::Value v(1);
    EXPECT_EQ(JsonFileStore().wirtejsonFile(folder + "missing-folder/p.Json", v), 1);
    EXPECT_EQ(log.Lines(), std::vector<std::string>{"wirtejsonFile 错误吗：：2\n"});  // ENOENT

    // The target is a folder: the temporary file is made, the rename fails, it is removed.
    std::filesystem::create_directories(folder + "taken");
    EXPECT_EQ(JsonFileStore().wirtejsonFile(folder + "taken", v), 1);
    EXPECT_TRUE(std::filesystem::is_directory(folder + "taken"));
    EXPECT_EQ(FilesStartingWith(folder, "taken.tmp"), std::vector<std::string>{});
}

TEST_F(ProfileFileStoreTest, ReadLogsTheErrorCodeAndThePathOfAFileWithNoContent) {
    WriteText(folder + "ok.Json", "{\"a\":1}");
    CapturedLog log;
    JsonFileStore store;
    EXPECT_EQ(store.ReadJsonValue(folder + "ok.Json")["a"].asInt(), 1);
    EXPECT_TRUE(store.ReadJsonValue(folder + "none.Json").isNull());
    EXPECT_EQ(log.Lines(), (std::vector<std::string>{"readjsonFile 错误吗：：0\n", "readjsonFile 错误吗：：2\n",
                                                     folder + "none.Json"}));
}

TEST_F(ProfileFileStoreTest, EveryKindOfBadFileReadsAsNullWithItsReason) {
    struct Case {
        const char* name;
        std::string content;
        JsonFileStatus status;
    };
    const Case cases[] = {
        {"empty", "", JsonFileStatus::kNoContent},
        {"truncated", "{\"Device\": [ {\"LightInfo\": ", JsonFileStatus::kUnparsable},
        {"binary", std::string("\x00\x01\xff\xfe", 4), JsonFileStatus::kUnparsable},
        {"too deep", std::string(5000, '[') + std::string(5000, ']'), JsonFileStatus::kUnparsable},
        {"commented", "// written by hand\n{\"a\": 1 /* one */}", JsonFileStatus::kParsed},
    };
    JsonFileStore store;
    for (const auto& c : cases) {
        std::string path = folder + c.name;
        WriteText(path, c.content);
        JsonFileResult r = store.ReadJsonChecked(path);
        EXPECT_EQ(r.status, c.status) << c.name;
        EXPECT_EQ(store.ReadJsonValue(path).isNull(), c.status != JsonFileStatus::kParsed) << c.name;
    }
    EXPECT_EQ(store.ReadJsonChecked(folder + "not-there").status, JsonFileStatus::kNoContent);
    std::filesystem::create_directories(folder + "a-folder");
    EXPECT_EQ(store.ReadJsonChecked(folder + "a-folder").status, JsonFileStatus::kUnreadable);
    EXPECT_EQ(store.ReadJsonValue(folder + "commented")["a"].asInt(), 1);
}

TEST(ProfileTimeStampName, PadsEveryFieldAndGivesThreeDigitMilliseconds) {
    std::tm t{};
    t.tm_year = 2019 - 1900;
    t.tm_mon = 2;
    t.tm_mday = 7;
    t.tm_hour = 14;
    t.tm_min = 5;
    t.tm_sec = 9;
    EXPECT_EQ(JsonFileStore::MakeTimeStampName(t, 42), "2019_03_07_14_05_09_042");
    t.tm_mon = 11;
    t.tm_mday = 31;
    t.tm_hour = 23;
    t.tm_min = 59;
    t.tm_sec = 59;
    EXPECT_EQ(JsonFileStore::MakeTimeStampName(t, 999), "2019_12_31_23_59_59_999");
    EXPECT_TRUE(std::regex_match(JsonFileStore().MakeTimeStampName(),
                                 std::regex(R"(\d{4}_\d{2}_\d{2}_\d{2}_\d{2}_\d{2}_\d{3})")));
}

TEST(ProfileText, NamesInAnyScriptSurviveAWriteAndARead) {
    const std::string names[] = {"Profile 1", "默认配置 二", "โปรไฟล์เกม", "🎮 FPS 😀", "Ünïcödé – ✓"};
    Json::Value root;
    for (const auto& name : names) root["names"].append(ToProfileText(name));
    Json::Value back;
    ASSERT_TRUE(ParseJsonText(Json::StyledWriter().write(root), back));
    for (Json::ArrayIndex i = 0; i < std::size(names); ++i) {
        EXPECT_EQ(FromProfileText(back["names"][i].asString()), names[i]);
    }
}

TEST(ProfileText, BytesThatAreNotUtf8BecomeReplacementCharactersAndNothingElseIsLost) {
    const std::string kBad = "\xEF\xBF\xBD";
    const std::pair<std::string, std::string> cases[] = {
        {"a\xff" "b", "a" + kBad + "b"},
        {"\xC0\xAF" "x", kBad + kBad + "x"},          // overlong '/'
        {"\xED\xA0\x80", kBad + kBad + kBad},         // UTF-16 surrogate
        {"\xE4\xB8", kBad + kBad},                    // cut short
        {"中\xF4\x90\x80\x80文", "中" + kBad + kBad + kBad + kBad + "文"},  // above U+10FFFF
    };
    for (const auto& [in, out] : cases) {
        EXPECT_EQ(ToProfileText(in), out);
        EXPECT_EQ(FromProfileText(in), out);
    }
}

TEST(ProfileJsonFields, WronglyTypedMembersReadAsZeroFalseOrEmpty) {
    Json::Value doc = ParseOrDie(R"({"int": 300, "neg": -1, "big": 18446744073709551615, "real": 2.9,
        "huge": 1e300, "text": "12", "bool": true, "list": [1], "obj": {"a": 1}, "null": null})");
    struct Case {
        const char* key;
        int64_t asInt;
        uint8_t asByte;
        bool asBool;
        std::string asText;
    };
    const Case cases[] = {
        {"int", 300, 44, true, ""},  {"neg", -1, 255, true, ""},   {"big", -1, 255, true, ""},
        {"real", 2, 2, true, ""},    {"huge", 0, 0, true, ""},     {"text", 0, 0, false, "12"},
        {"bool", 1, 1, true, ""},    {"list", 0, 0, false, ""},    {"obj", 0, 0, false, ""},
        {"null", 0, 0, false, ""},   {"absent", 0, 0, false, ""},
    };
    for (const auto& c : cases) {
        const Json::Value& v = json::Member(doc, c.key);
        EXPECT_EQ(json::IntOf(v), c.asInt) << c.key;
        EXPECT_EQ(json::ByteOf(v), c.asByte) << c.key;
        EXPECT_EQ(json::BoolOf(v), c.asBool) << c.key;
        EXPECT_EQ(json::TextOf(v), c.asText) << c.key;
    }
    // Indexing through values of the wrong kind gives null instead of throwing.
    EXPECT_TRUE(json::Member(doc["list"], "a").isNull());
    EXPECT_TRUE(json::Element(doc["obj"], 0).isNull());
    EXPECT_TRUE(json::Element(doc["list"], 5).isNull());
    EXPECT_TRUE(json::Member(doc["text"], "a").isNull());
}

TEST(ProfileJsonFields, DecimalTextReadsLikeAtoi) {
    const std::pair<const char*, int32_t> cases[] = {
        {"50", 50}, {"  12ms", 12}, {"-5", -5}, {"+7", 7}, {"abc", 0}, {"", 0}, {"99999999999", 2147483647},
        {"-99999999999", -2147483647 - 1}, {"70000", 70000},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(json::ParseDecimal(text), value) << text;
    EXPECT_EQ(json::DecimalTextOf(Json::Value(0)), "0");
    EXPECT_EQ(json::DecimalTextOf(Json::Value("300")), "300");
    EXPECT_EQ(json::DecimalTextOf(Json::Value(true)), "");
}

TEST(ProfileJsonFields, WritingIntoAValueOfTheWrongKindRepairsIt) {
    Json::Value v = 5;
    json::MemberSlot(v, "a") = 1;
    EXPECT_EQ(v, ParseOrDie(R"({"a": 1})"));
    json::ElementSlot(json::MemberSlot(v, "a"), 2) = 3;
    EXPECT_EQ(v, ParseOrDie(R"({"a": [null, null, 3]})"));
}

}  // namespace
}  // namespace orvane::test
