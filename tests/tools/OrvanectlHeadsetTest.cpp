// orvanectl on the emulated headset with the emulated audio library, run as a user runs it with a
// temporary HOME: the audio functions kept in the headset's profile, the audio state in config,
// and how the headset is chosen.
#include <gtest/gtest.h>
#include <json/json.h>

#include <fstream>
#include <map>
#include <sstream>

#include "tests/support/RunProcess.h"
#include "tests/support/TempHome.h"

namespace orvane {
namespace {

class OrvanectlHeadset : public ::testing::Test {
protected:
    test::ProcessResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--simulate", "headset"});
        std::map<std::string, std::string> env{{"HOME", home_.Path()},
                                               {"ORVANE_SIM_STATE", home_.Path() + "/sim"},
                                               {"ORVANE_SYSFS_ROOT", home_.Path() + "/no-sysfs"},
                                               {"ORVANE_DEV_DIR", home_.Path() + "/no-dev"}};
        return test::RunProcess(ORVANECTL_PATH, args, env);
    }
    static Json::Value Parse(const std::string& text) {
        Json::Value doc;
        EXPECT_TRUE(Json::Reader().parse(text, doc)) << text;
        return doc;
    }
    // The headset's selected profile's settings as the file holds them.
    Json::Value StoredSettings() {
        const auto list = Run({"--headset", "profiles", "list"});
        const size_t star = list.out.find('*');
        EXPECT_NE(star, std::string::npos) << list.out;
        const std::string uuid = list.out.substr(list.out.rfind(' ', list.out.find('\n', star)) + 1,
                                                 list.out.find('\n', star) - list.out.rfind(' ', list.out.find('\n', star)) - 1);
        std::ifstream in(home_.Path() + "/.local/share/ORVANE Q730 Gaming Mouse/HD/" + uuid + ".Json");
        std::stringstream text;
        text << in.rdbuf();
        return Parse(text.str())["Device"][0]["SystemSetStages"];
    }
    test::TempHome home_;
};

TEST_F(OrvanectlHeadset, AudioChangesAreWrittenAndKeptInTheProfile) {
    auto r = Run({"mic", "57", "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Parse(r.out)["microphone"]["level"].asInt(), 57);
    EXPECT_EQ(StoredSettings()["MicInValue"].asInt(), 57);

    r = Run({"monitor", "off"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(StoredSettings()["MicMoniterSelect"].asInt(), 0);

    r = Run({"eq", "7", "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const Json::Value eq = Parse(r.out)["equaliser"];
    EXPECT_EQ(eq["type"].asInt(), 7);
    EXPECT_EQ(eq["bands"][0].asInt(), 14);
    EXPECT_EQ(StoredSettings()["EqType"].asInt(), 7);

    r = Run({"eq", "bands", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "--save", "Mine"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    r = Run({"eq", "custom", "Mine", "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const Json::Value custom = Parse(r.out)["equaliser"];
    EXPECT_EQ(custom["type"].asInt(), 13);
    EXPECT_EQ(custom["custom"][0].asString(), "Mine");
    EXPECT_EQ(custom["bands"][9].asInt(), 10);
    EXPECT_EQ(Run({"eq", "bands", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "--save", "MINE"}).exitCode, 1)
        << "the name exists in another case";

    r = Run({"--headset", "config", "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const Json::Value config = Parse(r.out);
    EXPECT_EQ(config["profile"].asInt(), 0);
    EXPECT_TRUE(config["audio"]["available"].asBool());
    EXPECT_EQ(config["audio"]["equaliser"]["type"].asInt(), 13);
}

TEST_F(OrvanectlHeadset, BadValuesAreRefusedWithNothingStored) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"mic", "101"}, {"mic", "loud"}, {"monitor", "-1"},
                                                 {"eq", "13"}, {"eq", "0"}, {"eq", "bands", "1", "2"},
                                                 {"eq", "bands", "19", "0", "0", "0", "0", "0", "0", "0", "0", "0"},
                                                 {"eq", "custom", "nothing"}}) {
        EXPECT_EQ(Run(args).exitCode, 2) << args[0] << " " << args[1];
    }
    EXPECT_EQ(StoredSettings()["MicInValue"].asInt(), 80) << "the default profile's value";
}

TEST_F(OrvanectlHeadset, TheHeadsetIsChosenByItsInterfaceOrByHeadset) {
    const auto list = Run({"list"});
    const size_t at = list.out.find("headset, command");
    ASSERT_NE(at, std::string::npos) << list.out;
    const size_t lineStart = list.out.rfind('\n', at) + 1;
    const std::string path = list.out.substr(lineStart, list.out.find(' ', lineStart) - lineStart);
    auto r = Run({"--device", path, "config"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("microphone"), std::string::npos) << r.out;
    EXPECT_EQ(Run({"--pad", "--headset", "config"}).exitCode, 2);
    r = Run({"--headset", "light", "--json"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
}

}  // namespace
}  // namespace orvane
