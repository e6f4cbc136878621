// What the channel says about a failed command: unplug, time-out and error status told apart,
// the result codes unchanged, and a late reply taken by the second read without a re-send.
#include <gtest/gtest.h>

#include "protocol/ResultText.h"
#include "tests/protocol/CommandChannelFixture.h"

namespace orvane::test {
namespace {

using namespace std::chrono_literals;
using CommandFailureText = CommandChannelFixture;

struct FailureCase {
    const char* name;
    sim::CommandFaults faults;
    const char* command;
    int result;
    const char* text;
};

sim::CommandFaults With(void (*set)(sim::CommandFaults&)) {
    sim::CommandFaults f;
    set(f);
    return f;
}

TEST_F(CommandFailureText, EachKindOfFailureIsToldInWordsWithItsUsualResultCode) {
    const FailureCase cases[] = {
        {"status 0xFF", With([](sim::CommandFaults& f) { f.errorStatusReports = 1; }), "WriteParameters", -102,
         "the mouse reported an error (status 0xFF) to WriteParameters"},
        {"status 0xFE",
         With([](sim::CommandFaults& f) {
             f.errorStatusReports = 1;
             f.errorStatus = 0xFE;
         }),
         "WriteParameters", -103, "the mouse reported an error (status 0xFE) to WriteParameters"},
        {"silence", With([](sim::CommandFaults& f) { f.silentReports = 1; }), "WriteParameters", 0,
         "no answer to WriteParameters within 1000 ms"},
        {"unplug", With([](sim::CommandFaults& f) { f.unplugAfterReports = 0; }), "WriteParameters", 0,
         "the mouse was unplugged during WriteParameters"},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        Start(sim::MouseOptions{});
        mouse_->SetFaults(c.faults);
        const int result = channel_->WriteParameters(Bytes(10, 7), 128);
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(DescribeCommandFailure(c.command, result, channel_->LastFailureDetail()), c.text);
    }
    // Gone for good: the next write cannot even be sent, and says why.
    EXPECT_EQ(channel_->BeginTransfer(), -1);
    EXPECT_EQ(DescribeCommandFailure("BeginTransfer", -1, channel_->LastFailureDetail()),
              "the mouse was unplugged during BeginTransfer");

    Start(sim::MouseOptions{});
    channel_->Close();
    EXPECT_EQ(channel_->BeginTransfer(), 0);
    EXPECT_EQ(DescribeCommandFailure("BeginTransfer", 0, channel_->LastFailureDetail()),
              "the mouse is not connected; BeginTransfer was not sent");
}

TEST_F(CommandFailureText, ASuccessClearsTheFailureAndAForeignDetailIsNotBelieved) {
    mouse_->SetFaults(With([](sim::CommandFaults& f) { f.errorStatusReports = 1; }));
    EXPECT_EQ(channel_->BeginTransfer(), -102);
    EXPECT_EQ(channel_->LastFailureDetail().kind, ExchangeFailure::kStatusError);
    EXPECT_EQ(channel_->BeginTransfer(), 1);
    EXPECT_EQ(channel_->LastFailureDetail().kind, ExchangeFailure::kNone);

    // A detail of another command, or one that cannot have given this code, gives the code's meaning.
    const CommandFailureDetail statusOfBegin{CommandChannel::kBeginTransfer, ExchangeFailure::kStatusError, 0};
    EXPECT_EQ(DescribeCommandFailure("EndTransfer", -102, statusOfBegin),
              "EndTransfer failed: the device answered with the error status 0xFF");
    EXPECT_EQ(DescribeCommandFailure("BeginTransfer", 0, statusOfBegin),
              "BeginTransfer failed: the device is not connected, or no reply came (time-out or unplug)");
    EXPECT_EQ(DescribeCommandFailure("SetBlockSize", 0, {}),
              "SetBlockSize failed: the device is not connected, or no reply came (time-out or unplug)");
}

TEST_F(CommandFailureText, EveryResultCodeHasItsMeaning) {
    std::vector<int> codes;
    for (const auto& m : ResultCodeMeanings()) {
        codes.push_back(m.code);
        EXPECT_GT(std::string(m.meaning).size(), 10u);
    }
    EXPECT_EQ(codes, (std::vector<int>{1, 0, -1, -102, -103, -201}));
    EXPECT_STREQ(CommandName(0x06), "WriteParameters");
    EXPECT_EQ(CommandName(0x42), nullptr);
}

TEST_F(CommandFailureText, AReplyLateForTheFirstReadIsTakenByTheSecondWithoutASecondWrite) {
    sim::CommandFaults late;
    late.latency = 1300ms;
    mouse_->SetFaults(late);
    const size_t before = recorder_->Requests().size();
    EXPECT_EQ(channel_->WriteParameters(Bytes(10, 7), 128), 1);
    EXPECT_EQ(recorder_->Requests().size() - before, 1u) << "the write is never sent again";
    EXPECT_EQ(mouse_->ParameterMemory()[128], 7);
}

}  // namespace
}  // namespace orvane::test
