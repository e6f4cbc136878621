// `orvanectl updates` run as a user runs it, against the emulated mouse and an update service on
// the loopback interface.
#include <gtest/gtest.h>

#include <json/json.h>

#include "online/UpdateService.h"
#include "profiles/JsonFileStore.h"
#include "tests/support/LoopbackOnly.h"
#include "tests/support/RunProcess.h"
#include "tests/support/TempHome.h"
#include "tests/support/TestHttpServer.h"

namespace orvane {
namespace {

class UpdatesCommand : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(test::kLoopbackOnly);
        if (!online::UpdateChecksBuiltIn()) GTEST_SKIP() << "this build does not check for updates";
    }
    test::ProcessResult Run(std::vector<std::string> args, const std::string& serviceUrl) {
        return test::RunProcess(ORVANECTL_PATH, args,
                                {{"HOME", home_.Path()},
                                 {"ORVANE_SIM_STATE", home_.Path() + "/sim"},
                                 {"ORVANE_SYSFS_ROOT", home_.Path() + "/no-sysfs"},
                                 {"ORVANE_DEV_DIR", home_.Path() + "/no-dev"},
                                 {"ORVANE_UPDATE_URL", serviceUrl}});
    }
    test::TempHome home_;
};

TEST_F(UpdatesCommand, PrintsTheProgramAndTheConnectedMouseWithTheirVersionsAndStates) {
    test::TestHttpServer service([](const test::SeenRequest& request) {
        test::ServerReply reply;
        reply.body = request.body.find("Q730") != std::string::npos
                         ? R"({"name":"Q730","version":"0101","path":"https://example.invalid/q730.bin"})"
                         : R"({"name":"ORVANE","version":"100","version_name":"V1.0.0"})";
        return reply;
    });
    const auto text = Run({"--simulate", "mouse", "updates"}, service.Url());
    EXPECT_EQ(text.exitCode, 0) << text.err;
    EXPECT_NE(text.out.find("Q730:                          V0100      V0101      update available"), std::string::npos)
        << text.out;
    EXPECT_NE(text.out.find("ORVANE Q730 Gaming Mouse:      V100       V1.0.0     up to date"), std::string::npos)
        << text.out;
    EXPECT_NE(text.out.find("Updates are available."), std::string::npos);
    EXPECT_EQ(service.Requests().size(), 2u);

    const auto json = Run({"--simulate", "mouse", "updates", "--json"}, service.Url());
    EXPECT_EQ(json.exitCode, 0) << json.err;
    Json::Value document;
    ASSERT_TRUE(ParseJsonText(json.out, document)) << json.out;
    EXPECT_EQ(document["state"].asString(), "updates available");
    ASSERT_EQ(document["rows"].size(), 2u);
    EXPECT_EQ(document["rows"][0]["kind"].asString(), "mouse");
    EXPECT_EQ(document["rows"][0]["installed"].asString(), "V0100");
    EXPECT_EQ(document["rows"][0]["newest"].asString(), "V0101");
    EXPECT_EQ(document["rows"][0]["download"].asString(), "https://example.invalid/q730.bin");
    EXPECT_EQ(document["rows"][1]["kind"].asString(), "program");
    EXPECT_EQ(document["rows"][1]["state"].asString(), "up to date");
}

TEST_F(UpdatesCommand, NoInformationAtAllExitsWithFive) {
    const std::string unreachable = "http://127.0.0.1:" + std::to_string(test::ClosedPort());
    const auto r = Run({"updates"}, unreachable);  // no device: the program alone
    EXPECT_EQ(r.exitCode, 5);
    EXPECT_NE(r.out.find("ORVANE Q730 Gaming Mouse:      V0100      -          no answer"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("No update information could be obtained."), std::string::npos);
    EXPECT_EQ(Run({"updates", "--all"}, unreachable).exitCode, 2);
}

}  // namespace
}  // namespace orvane
