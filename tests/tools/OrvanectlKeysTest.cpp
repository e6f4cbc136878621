// `orvanectl keys` and `orvanectl macros` as a script runs them on the emulated mouse: a function
// set in words shows in the listing, in its JSON and in the mouse's key table; macros made, shown,
// imported and written; words and files that are refused change nothing.
#include <gtest/gtest.h>
#include <json/json.h>

#include <fstream>

#include "tests/support/RunProcess.h"
#include "tests/support/TempHome.h"

namespace orvane {
namespace {

class OrvanectlKeys : public ::testing::Test {
protected:
    test::ProcessResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--simulate", "mouse"});
        const std::string home = home_.Path();
        return test::RunProcess(ORVANECTL_PATH, args,
                                {{"HOME", home},
                                 {"ORVANE_SIM_STATE", home + "/sim"},
                                 {"ORVANE_SYSFS_ROOT", home + "/no-sysfs"},
                                 {"ORVANE_DEV_DIR", home + "/no-dev"},
                                 {"GSETTINGS_BACKEND", "memory"}});
    }

    static Json::Value Parse(const std::string& text) {
        Json::Value value;
        EXPECT_TRUE(Json::Reader().parse(text, value)) << text;
        return value;
    }

    test::TempHome home_;
};

TEST_F(OrvanectlKeys, AFunctionSetInWordsShowsInTheListingTheJsonAndTheMouse) {
    auto set = Run({"keys", "set", "3", "key:ctrl+c"});
    ASSERT_EQ(set.exitCode, 0) << set.err;
    EXPECT_NE(set.out.find("key:ctrl+c                   20 01 06"), std::string::npos) << set.out;
    const Json::Value listing = Parse(Run({"keys", "--json"}).out);
    EXPECT_EQ(listing["buttons"][3]["function"].asString(), "key:ctrl+c");
    EXPECT_EQ(listing["buttons"][3]["code"].asString(), "20 01 06");
    EXPECT_EQ(listing["buttons"][3]["default"].asString(), "forward");
    EXPECT_NE(Run({"info"}).out.find("20 01 06"), std::string::npos);

    // A second change after a fresh connection keeps the first in the mouse.
    ASSERT_EQ(Run({"keys", "set", "back", "wheel:down:3"}).exitCode, 0);
    const std::string info = Run({"info"}).out;
    EXPECT_NE(info.find("20 01 06"), std::string::npos) << info;
    EXPECT_NE(info.find("12 00 fd"), std::string::npos) << info;

    ASSERT_EQ(Run({"keys", "reset", "3"}).exitCode, 0);
    EXPECT_EQ(Parse(Run({"keys", "--json"}).out)["buttons"][3]["function"].asString(), "forward");
}

TEST_F(OrvanectlKeys, RefusedWordsAndTheOnlyLeftButtonChangeNothing) {
    for (const char* words : {"key:ctrl+nothing", "wheel:sideways:3", "macro:missing", "fire:300:1", "sparkle"}) {
        auto refused = Run({"keys", "set", "2", words});
        EXPECT_EQ(refused.exitCode, 2) << words;
        EXPECT_FALSE(refused.err.empty()) << words;
    }
    auto left = Run({"keys", "set", "left", "right"});
    EXPECT_EQ(left.exitCode, 2);
    EXPECT_NE(left.err.find("only left button"), std::string::npos) << left.err;
    EXPECT_EQ(Parse(Run({"keys", "--json"}).out)["buttons"][0]["function"].asString(), "left");
}

TEST_F(OrvanectlKeys, MacrosAreMadeShownImportedAndGivenToAButton) {
    ASSERT_EQ(Run({"macros", "add", "Burst"}).exitCode, 0);
    EXPECT_EQ(Run({"macros", "add", "burst"}).exitCode, 1) << "names are unique whatever their case";
    const std::string file = home_.Path() + "/in.mac";
    std::ofstream(file) << R"({"Events": [{"Action": "down", "Button": 4, "Type": 10, "Delay": "20"},
                                          {"Action": "up", "Button": 4, "Type": 10, "Delay": 0}]})";
    std::ofstream(home_.Path() + "/bad.mac") << R"({"Events": [{"Action": "down", "Button": 4, "Type": 42}]})";
    EXPECT_EQ(Run({"macros", "import", home_.Path() + "/bad.mac"}).exitCode, 1);
    ASSERT_EQ(Run({"macros", "import", file, "Tap"}).exitCode, 0);

    const Json::Value list = Parse(Run({"macros", "list", "--json"}).out);
    ASSERT_EQ(list["macros"].size(), 2u);
    EXPECT_EQ(list["macros"][1]["name"].asString(), "Tap");
    EXPECT_EQ(list["macros"][1]["steps"].asInt(), 2);
    const Json::Value shown = Parse(Run({"macros", "show", "tap", "--json"}).out);
    EXPECT_EQ(shown["events"][0]["Delay"].asString(), "20");

    auto assigned = Run({"keys", "set", "4", "macro:Tap:repeat=3"});
    ASSERT_EQ(assigned.exitCode, 0) << assigned.err;
    EXPECT_NE(assigned.out.find("macro:Tap:repeat=3"), std::string::npos) << assigned.out;
    EXPECT_NE(assigned.out.find("71 01 03"), std::string::npos) << assigned.out;

    ASSERT_EQ(Run({"macros", "rename", "Tap", "Double"}).exitCode, 0);
    EXPECT_NE(Run({"keys"}).out.find("macro:Double:repeat=3"), std::string::npos);
    ASSERT_EQ(Run({"macros", "export", "Double", home_.Path() + "/out.mac"}).exitCode, 0);
    ASSERT_EQ(Run({"macros", "delete", "Burst"}).exitCode, 0);
    EXPECT_EQ(Parse(Run({"macros", "list", "--json"}).out)["macros"].size(), 1u);
    EXPECT_EQ(Run({"write-macros"}).exitCode, 0);
}

}  // namespace
}  // namespace orvane
