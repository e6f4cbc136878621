// The generic reader and writer behind every profile record's field table: each rule, values of
// the wrong type, absent members, and what a write leaves alone.
#include <gtest/gtest.h>

#include <limits>

#include "profiles/JsonFieldTable.h"
#include "tests/profiles/ProfileFixture.h"

namespace orvane::test {
namespace {

using json::FieldRule;
using json::JsonField;

// One member of every kind a record table holds.
struct Sample {
    uint8_t byte = 0;
    uint16_t word = 0;
    int32_t number = 0;
    std::string text;
    KeyCodeBytes code{};
    uint8_t flag = 0;
    uint16_t low = 0;
    uint8_t kept = 0;
    uint8_t hidden = 0;
    LightSetting light;
    bool operator==(const Sample&) const = default;
};

constexpr JsonField<Sample> kSampleFields[] = {
    {"byte", &Sample::byte},
    {"word", &Sample::word},
    {"number", &Sample::number},
    {"text", &Sample::text},
    {"code", &Sample::code},
    {"flag", &Sample::flag, FieldRule::kFlag},
    {"low", &Sample::low, FieldRule::kByte},
    {"kept", &Sample::kept, FieldRule::kReadOnly},
    {"hidden", &Sample::hidden, FieldRule::kWriteOnly},
    {{"inner", "mode"}, &LightSetting::mode},
};

Sample Filled() {
    Sample s{9, 9, 9, "old", {9, 9, 9}, 9, 9, 9, 42, {}};
    s.light.mode = 9;
    return s;
}

TEST(JsonFieldTable, ReadsEachRuleAndWritesTheRecordBackLeavingOtherMembers) {
    const Json::Value document = ParseOrDie(R"({"byte": 513, "word": 65537, "number": 3e10, "text": "名前",
        "code": 66051, "flag": 2, "low": 258, "kept": 7, "hidden": 5, "inner": {"mode": 4, "note": 1},
        "other": "stays"})");
    Sample read = Filled();
    json::ReadFields(document, read, kSampleFields);
    Sample expected{1, 1, std::numeric_limits<int32_t>::max(), "名前", {1, 2, 3}, 1, 2, 7, 42, {}};
    expected.light.mode = 4;
    EXPECT_EQ(read, expected) << "a write-only member keeps what the record held";

    Json::Value written = document;
    json::WriteFields(written, read, kSampleFields);
    EXPECT_EQ(written, ParseOrDie(R"({"byte": 1, "word": 1, "number": 2147483647, "text": "名前",
        "code": 66051, "flag": 1, "low": 2, "kept": 7, "hidden": 42, "inner": {"mode": 4, "note": 1},
        "other": "stays"})"));
}

TEST(JsonFieldTable, MembersOfTheWrongTypeOrAbsentReadAsZeroOrEmpty) {
    struct Case {
        const char* name;
        const char* document;
        std::string text;  // what the text member reads
    };
    const Case cases[] = {
        {"absent", "{}", ""},
        {"null", R"({"byte": null, "word": null, "number": null, "text": null, "code": null, "flag": null,
                     "low": null, "kept": null, "inner": {"mode": null}})", ""},
        {"text", R"({"byte": "1", "word": "1", "number": "1", "text": "1", "code": "66051", "flag": "yes",
                     "low": "1", "kept": "1", "inner": {"mode": "1"}})", "1"},
        {"array", R"({"byte": [1], "word": [1], "number": [1], "text": ["a"], "code": [1], "flag": [1],
                      "low": [1], "kept": [1], "inner": [1]})", ""},
        {"object", R"({"byte": {}, "word": {}, "number": {}, "text": {}, "code": {}, "flag": {}, "low": {},
                       "kept": {}, "inner": {"mode": {}}})", ""},
        {"not an object", "[1, 2]", ""},
        {"a number", "7", ""},
    };
    for (const Case& c : cases) {
        Sample read = Filled();
        json::ReadFields(ParseOrDie(c.document), read, kSampleFields);
        Sample expected{};
        expected.text = c.text;
        expected.hidden = 42;
        EXPECT_EQ(read, expected) << c.name;
    }
}

TEST(JsonFieldTable, WritingIntoADamagedObjectRepairsIt) {
    Sample s{};
    s.light.mode = 3;
    s.text = "a";
    for (const char* damaged : {R"("text")", "[1]", R"({"inner": 5})", R"({"inner": [1, 2]})"}) {
        Json::Value object = ParseOrDie(damaged);
        json::WriteFields(object, s, kSampleFields);
        EXPECT_EQ(object, ParseOrDie(R"({"byte": 0, "word": 0, "number": 0, "text": "a", "code": 0, "flag": 0,
            "low": 0, "hidden": 0, "inner": {"mode": 3}})"))
            << damaged;
    }
}

}  // namespace
}  // namespace orvane::test
