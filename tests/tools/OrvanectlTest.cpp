// orvanectl run as a user runs it, against the emulated mouse and a temporary HOME.
#include <gtest/gtest.h>

#include "tests/support/RunProcess.h"
#include "tests/support/TempHome.h"

namespace orvane {
namespace {

class Orvanectl : public ::testing::Test {
protected:
    test::ProcessResult Run(std::vector<std::string> args, std::map<std::string, std::string> env = {}) {
        env.emplace("HOME", home_.Path());
        env.emplace("ORVANE_SIM_STATE", home_.Path() + "/sim");
        // Never the real bus: an empty fixture tree unless a test simulates.
        env.emplace("ORVANE_SYSFS_ROOT", home_.Path() + "/no-sysfs");
        env.emplace("ORVANE_DEV_DIR", home_.Path() + "/no-dev");
        return test::RunProcess(ORVANECTL_PATH, args, env);
    }
    test::TempHome home_;
};

TEST_F(Orvanectl, ListWithoutDevicesSaysSoAndExitsWithItsCode) {
    auto r = Run({"list"});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_NE(r.err.find("no supported device"), std::string::npos);
}

TEST_F(Orvanectl, ListShowsTheMouseSlots) {
    auto r = Run({"--simulate", "mouse", "list"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("&mi_01&col04"), std::string::npos);
    EXPECT_NE(r.out.find("2 (mouse, command)"), std::string::npos);
    EXPECT_NE(r.out.find("3 (mouse, events)"), std::string::npos);
    EXPECT_NE(r.out.find("unsupported"), std::string::npos);
}

TEST_F(Orvanectl, InfoWithDebugShowsTheWholeExchange) {
    auto r = Run({"--simulate", "mouse", "--debug", "info"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("key slots    16"), std::string::npos);
    EXPECT_NE(r.out.find("mouse_key_left         slot 2"), std::string::npos);
    // BeginTransfer, ReadDeviceInfo, ReadKeyTable (48 bytes: one report), EndTransfer.
    size_t commands = 0;
    for (size_t at = r.err.find("命令"); at != std::string::npos; at = r.err.find("命令", at + 1)) ++commands;
    EXPECT_EQ(commands, 4u);
    EXPECT_NE(r.err.find("04 01 00 01   00 00 00 00"), std::string::npos);
    EXPECT_NE(r.err.find("返回"), std::string::npos);
}

TEST_F(Orvanectl, EnvironmentChoosesTheSimulationToo) {
    auto r = Run({"config"}, {{"ORVANE_SIMULATE", "mouse"}});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("DPI stage 0           on  x=400"), std::string::npos);
}

TEST_F(Orvanectl, SilentDeviceNamesTheCommandAndResult) {
    auto r = Run({"--simulate", "mouse", "config"}, {{"ORVANE_SIM_FAULTS", "silent=-1"}});
    EXPECT_EQ(r.exitCode, 5);
    EXPECT_NE(r.err.find("did not answer ReadParameters (result 0)"), std::string::npos) << r.err;
}

TEST_F(Orvanectl, BadUsageIsRefused) {
    EXPECT_EQ(Run({"frobnicate"}).exitCode, 2);
    EXPECT_EQ(Run({"--simulate"}).exitCode, 2);
    auto r = Run({"--simulate", "toaster", "info"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("mouse"), std::string::npos) << "the error names the known models";
}

}  // namespace
}  // namespace orvane
