// The update check end to end against an update service on the loopback interface: the rows it
// asks about, what it asks, how it reads the answers and what the page ends up saying.
#include <gtest/gtest.h>

#include <map>

#include "online/HttpClient.h"
#include "online/UpdateCheck.h"
#include "online/UpdateTime.h"
#include "profiles/JsonFileStore.h"
#include "tests/support/LoopbackOnly.h"
#include "tests/support/TempHome.h"
#include "tests/support/TestHttpServer.h"

namespace orvane::online {
namespace {

constexpr size_t kMouseRow = 0;
constexpr size_t kProgramRow = 5;

UpdateIdentity Row(size_t index, uint32_t version) {
    UpdateIdentity row = UpdateIdentities()[index];
    row.versionNumber = version;
    return row;
}

// What the check showed, call by call.
struct RecordingView : UpdateCheckView {
    void ShowUpdatePageState(UpdatePageState state) override { states.push_back(state); }
    void AddUpdateRow(const UpdateInfo& info) override { added.push_back(info); }
    void FillUpdateRow(const UpdateInfo& info, size_t index) override {
        ASSERT_LT(index, added.size());
        filled.emplace_back(index, info);
    }
    void OfferUpdate(size_t index) override { offered.push_back(index); }

    std::vector<UpdatePageState> states;
    std::vector<UpdateInfo> added;
    std::vector<std::pair<size_t, UpdateInfo>> filled;
    std::vector<size_t> offered;
};

// The service answers by app key; a key it does not know gets `{}`.
class UpdateService_ : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(test::kLoopbackOnly); }

    UpdateCheckResult Check(const std::vector<UpdateIdentity>& rows, const std::string& baseUrl) {
        UpdateService service;
        service.enabled = true;
        service.baseUrl = baseUrl;
        return RunUpdateCheck(rows, service, dateFile, view);
    }
    test::TestHttpServer::Handler Answers(std::map<std::string, std::string> byKey, bool stopAfterFirst = false) {
        return [byKey = std::move(byKey), stopAfterFirst](const test::SeenRequest& request) {
            const auto key = request.body.substr(8, request.body.find('&') - 8);
            test::ServerReply reply;
            reply.body = byKey.count(key) ? byKey.at(key) : "{}";
            reply.stopListening = stopAfterFirst;
            return reply;
        };
    }

    test::TempHome home;
    std::string dateFile = home.Path() + "/data/updatetime.config";
    RecordingView view;
};

TEST(UpdateRequest, AppKeyJoinsTheRowsFieldsAndIsNullWithoutAVersion) {
    EXPECT_EQ(BuildAppKey(Row(kMouseRow, 0)), "NULL");
    EXPECT_EQ(BuildAppKey(Row(kMouseRow, 0x0102)), "VEXAL_2_QM52P18C_1_Q730_2");
    EXPECT_EQ(BuildAppKey(Row(kProgramRow, 100)), "VEXAL_0_ALL_R37_BX2_BX1_3");
    EXPECT_EQ(UpdateRequestBody("K", 0x0102, true), "app_key=K&version=102");
    EXPECT_EQ(UpdateRequestBody("K", 0xabc, true), "app_key=K&version=abc");
    EXPECT_EQ(UpdateRequestBody("K", 100, false), "app_key=K&version=100");
}

TEST(UpdateRequest, VersionNumberDropsTheDotsAndReadsTheLeadingDigits) {
    const std::pair<const char*, uint32_t> cases[] = {
        {"1.0.0", 100}, {"1.0.1", 101}, {"10.2.3", 1023}, {"2.1.0~rc1", 210}, {"", 0}, {"v1", 0}, {"99999999999", UINT32_MAX}};
    for (const auto& [text, number] : cases) EXPECT_EQ(VersionNumberFromText(text), number) << text;
}

TEST(UpdateRequest, RowsToCheckAreTheProgramAndEachConnectedDeviceWithAVersion) {
    EXPECT_EQ(RowsToCheck({}, 100).size(), 1u);
    EXPECT_TRUE(RowsToCheck({}, 0).empty());

    const DeviceRecord& mouse = SupportedInterfaces()[2];  // the Q730's command interface
    ASSERT_EQ(mouse.type, kDeviceMouse);
    DeviceRecord slowLink = mouse;
    slowLink.type = kDeviceSlowLinkMouse;
    DeviceRecord events = mouse;
    events.role = kRoleEvent;
    for (const DeviceRecord& record : {mouse, slowLink}) {
        const auto rows = RowsToCheck({{record, 0x0102}}, 100);
        ASSERT_EQ(rows.size(), 2u);
        EXPECT_STREQ(rows[0].model, "Q730");
        EXPECT_EQ(rows[0].versionNumber, 0x0102u);
        EXPECT_STREQ(rows[1].chip, "ALL");
        EXPECT_EQ(rows[1].versionNumber, 100u);
    }
    EXPECT_EQ(RowsToCheck({{events, 0x0102}, {mouse, 0}}, 100).size(), 1u);
}

TEST(UpdateRequest, ReplyIsReadOnlyWhenItIsAnObjectOfTheExpectedTypes) {
    struct Case {
        const char* reply;
        uint32_t version;
        bool hexadecimal;
        bool replied;
        int state;
        const char* current;
        const char* next;
    };
    const std::string longName = R"({"name":")" + std::string(kMaxReplyText + 1, 'n') + R"("})";
    const Case cases[] = {
        {R"({"name":"Q730","version":"0103","path":"p","device_id":7})", 0x0102, true, true, kRowUpdateFound, "V0102", "V0103"},
        {R"({"name":"Q730","version":"0102"})", 0x0102, true, true, kRowCurrent, "V0102", "V0102"},
        {R"({"name":"Q730","version":"zz"})", 0x0102, true, true, kRowCurrent, "V0102", "Vzz"},
        {R"({"name":"Q730","version":"101","version_name":"V1.0.1"})", 100, false, true, kRowUpdateFound, "V100", "V1.0.1"},
        {R"({"version":"0103"})", 0x0102, true, true, kRowUpdateFound, "V0102", "V0103"},  // replied, but nameless
        {"<html>500</html>", 0x0102, true, false, kRowNew, "", ""},
        {R"(["name","Q730"])", 0x0102, true, false, kRowNew, "", ""},
        {R"({"name":7,"version":"0103"})", 0x0102, true, false, kRowNew, "", ""},
        {R"({"name":"Q730","version":259})", 0x0102, true, false, kRowNew, "", ""},
        {R"({"name":"Q730","version":"0103","device_id":"7"})", 0x0102, true, false, kRowNew, "", ""},
        {longName.c_str(), 0x0102, true, false, kRowNew, "", ""},
    };
    for (const Case& c : cases) {
        const UpdateInfo info = ReadUpdateReply(c.reply, c.version, c.hexadecimal);
        EXPECT_EQ(info.replied, c.replied) << c.reply;
        EXPECT_EQ(info.state, c.state) << c.reply;
        EXPECT_EQ(info.currentVersionText, c.current) << c.reply;
        EXPECT_EQ(info.newVersionText, c.next) << c.reply;
    }
    EXPECT_EQ(ReadUpdateReply(R"({"name":"Q730","path":"p","device_id":7})", 1, true).downloadLocation, "p");
    EXPECT_EQ(ReadUpdateReply(R"({"name":"Q730","path":"p","device_id":7})", 1, true).deviceId, 7);
}

TEST_F(UpdateService_, NewerDeviceFirmwareIsOfferedAndTheDateRecorded) {
    test::TestHttpServer server(Answers({{"VEXAL_2_QM52P18C_1_Q730_2", R"({"name":"Q730","version":"0103"})"}}));
    const UpdateCheckResult result = Check({Row(kMouseRow, 0x0102)}, server.Url());

    ASSERT_EQ(server.Requests().size(), 1u);
    const test::SeenRequest request = server.Requests().front();
    EXPECT_EQ(request.method, "POST");
    EXPECT_EQ(request.target, "/api/updates");
    EXPECT_EQ(request.body, std::string("app_key=VEXAL_2_QM52P18C_1_Q730_2&version=102") + '\0');

    ASSERT_EQ(view.added.size(), 1u);
    EXPECT_EQ(view.added[0].name, "Q730:");
    EXPECT_EQ(view.added[0].currentVersionText, "V0102");
    EXPECT_EQ(view.added[0].state, kRowCurrent);
    ASSERT_EQ(view.filled.size(), 1u);
    const UpdateInfo& row = view.filled[0].second;
    EXPECT_EQ(row.name, "Q730:");  // the table's name, not the service's
    EXPECT_EQ(row.state, kRowUpdateFound);
    EXPECT_EQ(row.currentVersionText, "V0102");
    EXPECT_EQ(row.newVersionText, "V0103");
    EXPECT_EQ(view.offered, std::vector<size_t>{0});
    EXPECT_EQ(view.states, (std::vector<UpdatePageState>{kPageChecking, kPageUpdatesAvailable}));
    EXPECT_EQ(result.pageState, kPageUpdatesAvailable);
    EXPECT_EQ(JsonFileStore().ReadJsonValue(dateFile)["updatelasttime"]["value"].asString(), TodayText());
}

TEST_F(UpdateService_, ProgramRowAsksInDecimalAndShowsTheVersionName) {
    test::TestHttpServer server(
        Answers({{"VEXAL_0_ALL_R37_BX2_BX1_3", R"({"name":"x","version":"101","version_name":"V1.0.1"})"}}));
    Check({Row(kProgramRow, 100)}, server.Url());
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0].body, std::string("app_key=VEXAL_0_ALL_R37_BX2_BX1_3&version=100") + '\0');
    EXPECT_EQ(view.added.at(0).currentVersionText, "V0100");
    EXPECT_EQ(view.added.at(0).name, "ORVANE Q730 Gaming Mouse:");
    const UpdateInfo& row = view.filled.at(0).second;
    EXPECT_EQ(row.currentVersionText, "V100");
    EXPECT_EQ(row.newVersionText, "V1.0.1");
    EXPECT_EQ(row.state, kRowUpdateFound);
}

TEST_F(UpdateService_, PageStateSaysWhetherAnyAnswerCameAndWhetherAnUpdateExists) {
    const std::string unreachable = "http://127.0.0.1:" + std::to_string(test::ClosedPort());
    const auto rows = std::vector{Row(kMouseRow, 0x0102), Row(kProgramRow, 100)};
    {
        SCOPED_TRACE("every row unreachable");
        const UpdateCheckResult result = Check(rows, unreachable);
        EXPECT_EQ(result.pageState, kPageNoInformation);
        EXPECT_EQ(result.failures, 2u);
        ASSERT_EQ(view.filled.size(), 2u);
        EXPECT_EQ(view.filled[0].second.currentVersionText, "V0102");
        EXPECT_EQ(view.filled[1].second.currentVersionText, "V0100");
        for (const auto& [index, info] : view.filled) {
            EXPECT_EQ(info.state, kRowCurrent);
            EXPECT_TRUE(info.newVersionText.empty());
        }
    }
    {
        SCOPED_TRACE("the second row unreachable, the first up to date");
        test::TestHttpServer server(Answers({{"VEXAL_2_QM52P18C_1_Q730_2", R"({"name":"Q730","version":"0102"})"}}, true));
        EXPECT_EQ(Check(rows, server.Url()).pageState, kPageUpToDate);
        EXPECT_EQ(server.Requests().size(), 1u);
    }
    {
        SCOPED_TRACE("an error page for every row is no information, not up to date");
        test::TestHttpServer server([](const test::SeenRequest&) {
            test::ServerReply reply;
            reply.status = 500;
            reply.body = "<html>Internal Server Error</html>";
            return reply;
        });
        EXPECT_EQ(Check(rows, server.Url()).pageState, kPageNoInformation);
    }
    {
        SCOPED_TRACE("no rows");
        EXPECT_EQ(Check({}, unreachable).pageState, kPageNoInformation);
    }
}

TEST_F(UpdateService_, BuildWithoutChecksAndACancelAskNothing) {
    test::TestHttpServer server(Answers({}));
    UpdateService off;
    off.baseUrl = server.Url();
    const UpdateCheckResult result = RunUpdateCheck({Row(kMouseRow, 0x0102)}, off, dateFile, view);
    EXPECT_EQ(result.pageState, kPageCheckOff);
    EXPECT_EQ(view.added.size(), 1u);

    UpdateService on = off;
    on.enabled = true;
    HttpCancel cancel;
    cancel.Cancel();
    EXPECT_FALSE(RunUpdateCheck({Row(kMouseRow, 0x0102)}, on, dateFile, view, &cancel).finished);
    EXPECT_EQ(server.Connections(), 0u);
    EXPECT_FALSE(home.Exists("data/updatetime.config"));
}

TEST_F(UpdateService_, LastCheckDateIsKeptOrMadeFromToday) {
    EXPECT_EQ(ReadLastCheckDate(dateFile, "2025-1-2"), "2025-1-2");  // first opening: the file is made
    const Json::Value made = JsonFileStore().ReadJsonValue(dateFile);
    EXPECT_EQ(made.getMemberNames(), std::vector<std::string>{"updatelasttime"});
    EXPECT_EQ(made["updatelasttime"]["value"].asString(), "2025-1-2");
    EXPECT_EQ(ReadLastCheckDate(dateFile, "2030-12-31"), "2025-1-2");

    for (const char* broken : {"not json", "[1]", R"({"updatelasttime":3})", R"({"updatelasttime":{"value":20250102}})",
                               R"({"updatelasttime":{"value":""}})"}) {
        home.WriteFile("data/updatetime.config", broken);
        EXPECT_EQ(ReadLastCheckDate(dateFile, "2024-3-7"), "2024-3-7") << broken;
        EXPECT_EQ(JsonFileStore().ReadJsonValue(dateFile)["updatelasttime"]["value"].asString(), "2024-3-7") << broken;
    }
}

}  // namespace
}  // namespace orvane::online
