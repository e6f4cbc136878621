// `orvanectl keyboard` on the emulated keyboard, as a script runs it: the settings, a key's
// function and the lighting, each shown in words and JSON and found again in the keyboard's
// memories on the next run.
#include <gtest/gtest.h>
#include <json/json.h>

#include "tests/support/RunProcess.h"
#include "tests/support/TempHome.h"

namespace orvane {
namespace {

class OrvanectlKeyboard : public ::testing::Test {
protected:
    test::ProcessResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--simulate", "keyboard", "keyboard"});
        const std::string home = home_.Path();
        return test::RunProcess(ORVANECTL_PATH, args,
                                {{"HOME", home},
                                 {"ORVANE_SIM_STATE", home + "/sim"},
                                 {"ORVANE_SYSFS_ROOT", home + "/no-sysfs"},
                                 {"ORVANE_DEV_DIR", home + "/no-dev"},
                                 {"GSETTINGS_BACKEND", "memory"}});
    }

    static Json::Value Parse(const test::ProcessResult& result) {
        Json::Value value;
        EXPECT_TRUE(Json::Reader().parse(result.out, value)) << result.out << result.err;
        return value;
    }

    test::TempHome home_;
};

TEST_F(OrvanectlKeyboard, SettingsAreWrittenAndReadBackFromTheKeyboard) {
    ASSERT_EQ(Run({"config", "win-lock", "on"}).exitCode, 0);
    ASSERT_EQ(Run({"config", "rate", "500"}).exitCode, 0);
    const Json::Value config = Parse(Run({"config", "--json"}));
    EXPECT_TRUE(config["windows_key_lock"].asBool());
    EXPECT_EQ(config["report_rate_hz"].asInt(), 500);
    const std::string block = config["block"].asString();
    EXPECT_EQ(block.substr(19 * 3, 14), "00 00 01 02 00") << "bytes 19-23 of the block the keyboard holds: " << block;

    EXPECT_EQ(Run({"config", "rate", "2000"}).exitCode, 2);
    EXPECT_EQ(Run({"config", "w-lock", "maybe"}).exitCode, 2);
}

TEST_F(OrvanectlKeyboard, AKeySetInWordsIsListedAndKept) {
    auto set = Run({"keys", "set", "44", "key:ctrl+c"});
    ASSERT_EQ(set.exitCode, 0) << set.err;
    const Json::Value keys = Parse(Run({"keys", "--json"}));
    ASSERT_EQ(keys["keys"].size(), 126u);
    EXPECT_EQ(keys["keys"][44]["function"].asString(), "key:ctrl+c");
    EXPECT_EQ(keys["keys"][44]["code"].asString(), "20 01 06");
    EXPECT_EQ(keys["keys"][43]["function"].asString(), keys["keys"][43]["default"].asString());
    ASSERT_EQ(Run({"keys", "reset", "44"}).exitCode, 0);
    EXPECT_EQ(Parse(Run({"keys", "--json"}))["keys"][44]["code"].asString(), "20 00 1a");
    EXPECT_EQ(Run({"keys", "set", "126", "key:a"}).exitCode, 2);
}

TEST_F(OrvanectlKeyboard, LightingIsSavedAndWritten) {
    auto set = Run({"light", "14", "--brightness", "3", "--speed", "1", "--json"});
    ASSERT_EQ(set.exitCode, 0) << set.err;
    EXPECT_EQ(Parse(set)["mode"].asInt(), 14);
    const std::string block = Parse(Run({"config", "--json"}))["block"].asString();
    EXPECT_EQ(block.substr(3, 8), "0e 03 03") << "mode 14, brightness 3, speed 1 stored as 3: " << block;
    EXPECT_EQ(Parse(Run({"light", "modes", "--json"})).size(), 22u);
    EXPECT_EQ(Run({"light", "30"}).exitCode, 2) << "no such mode";
}

}  // namespace
}  // namespace orvane
