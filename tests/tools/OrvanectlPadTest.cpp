// orvanectl on the emulated mouse pad, run as a user runs it with a temporary HOME: the pad's
// block decoded, a lighting change written to address 0 with the speed inverted, the profiles,
// and how the pad is chosen.
#include <gtest/gtest.h>
#include <json/json.h>

#include <map>

#include "sim/PadFirmware.h"
#include "tests/support/RunProcess.h"
#include "tests/support/TempHome.h"

namespace orvane {
namespace {

class OrvanectlPad : public ::testing::Test {
protected:
    test::ProcessResult Run(std::vector<std::string> args) {
        std::map<std::string, std::string> env{{"HOME", home_.Path()},
                                               {"ORVANE_SIM_STATE", home_.Path() + "/sim"},
                                               {"ORVANE_SYSFS_ROOT", home_.Path() + "/no-sysfs"},
                                               {"ORVANE_DEV_DIR", home_.Path() + "/no-dev"}};
        return test::RunProcess(ORVANECTL_PATH, args, env);
    }
    // The emulated pad's memory as the last run left it.
    std::vector<uint8_t> PadMemory() {
        sim::PadOptions options;
        options.stateFolder = home_.Path() + "/sim";
        return sim::PadFirmware(sim::MousePadModel(), options).ParameterMemory();
    }
    static Json::Value Parse(const std::string& text) {
        Json::Value doc;
        EXPECT_TRUE(Json::Reader().parse(text, doc)) << text;
        return doc;
    }
    test::TempHome home_;
};

TEST_F(OrvanectlPad, ALightChangeIsWrittenAtAddressZeroAndReadBackDecoded) {
    auto r = Run({"--simulate", "pad", "--pad", "light", "4", "--colour", "102030", "--brightness", "3", "--speed", "1"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::vector<uint8_t> memory = PadMemory();
    EXPECT_EQ(std::vector<uint8_t>(memory.begin(), memory.begin() + 9),
              (std::vector<uint8_t>{0, 4, 3, 3, memory[4], 0, 0x10, 0x20, 0x30}))
        << "profile 0, flashing, brightness 3, speed 1 stored as 3, colour";

    r = Run({"--simulate", "pad", "--pad", "config", "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const Json::Value block = Parse(r.out);
    EXPECT_EQ(block["profile"].asInt(), 0);
    EXPECT_EQ(block["mode"].asInt(), 4);
    EXPECT_EQ(block["speed"].asInt(), 1);
    EXPECT_EQ(block["colour"].asString(), "102030");

    r = Run({"--simulate", "pad", "--pad", "light", "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Parse(r.out)["mode"].asInt(), 4) << "the profile holds the change";
}

TEST_F(OrvanectlPad, BadValuesAreRefusedWithNothingWritten) {
    const std::vector<uint8_t> before = PadMemory();
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"light", "2", "--brightness", "7"}, {"light", "12"}, {"profiles", "select", "9"}}) {
        std::vector<std::string> full{"--simulate", "pad", "--pad"};
        full.insert(full.end(), args.begin(), args.end());
        EXPECT_EQ(Run(full).exitCode, 2) << args[0] << ' ' << args[1];
    }
    EXPECT_EQ(PadMemory(), before);
}

TEST_F(OrvanectlPad, ProfilesAreThePadsOwnAndASelectionWritesItsLighting) {
    ASSERT_EQ(Run({"--simulate", "pad", "--pad", "light", "8"}).exitCode, 0);
    ASSERT_EQ(Run({"--simulate", "pad", "--pad", "profiles", "add"}).exitCode, 0);
    EXPECT_EQ(PadMemory()[1], 0) << "the new profile's lighting (the shipped one: wave) is written";
    auto r = Run({"--simulate", "pad", "--pad", "profiles", "select", "0"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(PadMemory()[1], 8) << "profile 0 holds the lights off";
    r = Run({"--simulate", "pad", "--pad", "profiles", "list"});
    EXPECT_NE(r.out.find("Profile2"), std::string::npos) << r.out;
    EXPECT_EQ(Run({"--simulate", "mouse", "profiles", "list"}).out.find("Profile2"), std::string::npos)
        << "the mouse's profiles are its own";

    // A profile file of the pad comes back in as a profile of its own, selected and written.
    const std::string file = home_.Path() + "/pad-profile.json";
    r = Run({"--simulate", "pad", "--pad", "profiles", "export", "0", file});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    ASSERT_EQ(Run({"--simulate", "pad", "--pad", "profiles", "select", "1"}).exitCode, 0);
    ASSERT_EQ(PadMemory()[1], 0);
    r = Run({"--simulate", "pad", "--pad", "profiles", "import", file});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("written to the mouse pad"), std::string::npos) << r.out;
    EXPECT_EQ(PadMemory()[1], 8) << "the imported copy of profile 0";
    EXPECT_EQ(Run({"--simulate", "pad", "--pad", "profiles", "import", home_.Path() + "/no-such.json"}).exitCode, 1);
}

TEST_F(OrvanectlPad, ThePadIsChosenByItsInterfaceOrByPad) {
    const auto list = Run({"--simulate", "mouse,pad", "list"});
    const size_t at = list.out.find("mouse pad, command");
    ASSERT_NE(at, std::string::npos) << list.out;
    const size_t lineStart = list.out.rfind('\n', at) + 1;
    const std::string path = list.out.substr(lineStart, list.out.find(' ', lineStart) - lineStart);
    auto r = Run({"--simulate", "mouse,pad", "--device", path, "config"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("block at address 0"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("DPI stage"), std::string::npos) << "the pad's block, not the mouse's";
    EXPECT_EQ(Run({"--simulate", "mouse", "--pad", "config"}).exitCode, 3) << "no pad plugged in";
}

}  // namespace
}  // namespace orvane
