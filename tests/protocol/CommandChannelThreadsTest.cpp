// The command channel under time-outs, unplug, close from another thread and concurrent use.
#include <gtest/gtest.h>

#include <atomic>
#include <numeric>

#include "tests/protocol/CommandChannelFixture.h"

namespace orvane::test {
namespace {

using namespace std::chrono_literals;

sim::CommandFaults Silent(int reports) {
    sim::CommandFaults faults;
    faults.silentReports = reports;
    return faults;
}

sim::CommandFaults Latency(std::chrono::milliseconds latency) {
    sim::CommandFaults faults;
    faults.latency = latency;
    return faults;
}

using CommandChannelLight = CommandChannelFixture;

TEST_F(CommandChannelLight, FrameDuringAnExchangeIsDroppedAndCountsAsSent) {
    mouse_->SetFaults(Latency(300ms));
    std::atomic<int> begin{99};
    std::thread command([&] { begin = channel_->BeginTransfer(); });
    ASSERT_TRUE(WaitUntil([&] { return channel_->ExchangeBusy(); }, 2s));

    const Bytes frame(126, 0x40);
    EXPECT_EQ(channel_->StreamLightData(frame), 1);
    command.join();
    EXPECT_EQ(begin, 1);
    EXPECT_EQ(LogCount("放弃灯光数据"), 3u) << "one line per 56-byte chunk";
    EXPECT_TRUE(recorder_->RequestsOf(CommandChannel::kStreamLightData).empty());

    // With no command in progress the same frame goes out.
    mouse_->SetFaults({});
    EXPECT_EQ(channel_->StreamLightData(frame), 1);
    EXPECT_EQ(mouse_->LightFrame(), frame);
}

TEST_F(CommandChannelLight, SlowLinkDropsEveryFrameSilently) {
    Start(sim::MouseOptions{}, /*slowLink=*/true);
    EXPECT_EQ(channel_->StreamLightData(Bytes(126, 0x40)), 1);
    EXPECT_TRUE(recorder_->Requests().empty());
    EXPECT_TRUE(log_->Lines().empty());
}

using CommandChannelTimeouts = CommandChannelFixture;

TEST_F(CommandChannelTimeouts, SilentDeviceFailsTheReportAfterTwoOneSecondReads) {
    mouse_->SetFaults(Silent(1));
    const auto start = Clock::now();
    EXPECT_EQ(channel_->BeginTransfer(), 0);
    const auto took = Since(start);
    EXPECT_GE(took, 1950ms);
    EXPECT_LT(took, 2900ms) << "at most two reads of one second each";
    EXPECT_EQ(channel_->BeginTransfer(), 1) << "the device answers again";
}

TEST_F(CommandChannelTimeouts, SlowLinkWaitsFiveSecondsForAReply) {
    Start(sim::MouseOptions{}, /*slowLink=*/true);
    // A reply later than one second still arrives in time on a slow link...
    mouse_->SetFaults(Latency(1200ms));
    EXPECT_EQ(channel_->BeginTransfer(), 1);
    // ...and a silent device fails only after two reads of five seconds each.
    mouse_->SetFaults(Silent(1));
    const auto start = Clock::now();
    EXPECT_EQ(channel_->BeginTransfer(), 0);
    const auto took = Since(start);
    EXPECT_GE(took, 9950ms);
    EXPECT_LT(took, 11500ms);
}

TEST_F(CommandChannelTimeouts, UnplugStopsAMultiReportReadWithTheFailingReportsCode) {
    // Four reports of 56, 56, 56 and 32 bytes; the device drops off when the third arrives.
    sim::CommandFaults faults;
    faults.unplugAfterReports = 2;
    mouse_->SetFaults(faults);
    const Bytes memory = mouse_->ParameterMemory();
    Bytes buffer(200, 0xEE);
    const auto start = Clock::now();
    EXPECT_EQ(channel_->ReadParameters(buffer, 0), 0);
    EXPECT_LT(Since(start), 900ms) << "the unplug ends the wait, not the time-out";
    EXPECT_EQ(recorder_->Requests().size(), 3u);
    EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 112), Bytes(memory.begin(), memory.begin() + 112))
        << "chunks already received stay in the buffer";
    EXPECT_TRUE(std::all_of(buffer.begin() + 112, buffer.end(), [](uint8_t b) { return b == 0xEE; }));

    EXPECT_EQ(channel_->BeginTransfer(), -1) << "nothing can be written to a device that is gone";
}

using CommandChannelThreads = CommandChannelFixture;

TEST_F(CommandChannelThreads, CloseFromAnotherThreadEndsAWaitingExchange) {
    mouse_->SetFaults(Silent(-1));
    std::atomic<int> result{99};
    std::thread command([&] { result = channel_->BeginTransfer(); });
    // Once the device has the request the exchange is waiting for the reply.
    ASSERT_TRUE(WaitUntil([&] { return !recorder_->Requests().empty(); }, 2s));
    std::this_thread::sleep_for(20ms);

    const auto closing = Clock::now();
    channel_->Close();
    command.join();
    EXPECT_LT(Since(closing), 300ms);
    EXPECT_EQ(result, 0);

    Bytes buffer(10);
    EXPECT_EQ(channel_->ReadParameters(buffer, 0), 0);
    EXPECT_EQ(recorder_->Requests().size(), 1u);
}

TEST_F(CommandChannelThreads, CommandsFromTwoThreadsInterleaveAndBothSucceed) {
    std::atomic<int> failures{0};
    const Bytes block(100, 0x5C);
    ASSERT_TRUE(channel_->SetBlockSize(48));
    std::thread writer([&] {
        for (int i = 0; i < 20; ++i)
            if (channel_->WriteParameters(block, 256) != 1) ++failures;
    });
    std::thread reader([&] {
        Bytes table(512);
        for (int i = 0; i < 20; ++i) {
            if (channel_->ReadKeyTable(table) != 1) ++failures;
            if (!std::equal(table.begin(), table.begin() + 48, mouse_->KeyTable().begin())) ++failures;
        }
    });
    writer.join();
    reader.join();
    EXPECT_EQ(failures, 0);
    const Bytes memory = mouse_->ParameterMemory();
    EXPECT_EQ(Bytes(memory.begin() + 256, memory.begin() + 356), block);
}

TEST_F(CommandChannelThreads, EventChannelReadsReportsUntilClosed) {
    CommandChannel events(bus_);
    ASSERT_TRUE(events.Open(PathOf(3), false));
    ASSERT_TRUE(mouse_->SwitchOnboardProfile(1, *device_));
    Bytes report(64, 0);
    uint32_t got = 0;
    ASSERT_TRUE(events.ReadInputReport(report, got, 1000));
    EXPECT_EQ(Bytes(report.begin(), report.begin() + got), (Bytes{3, 0x01, 0x04}));
    ASSERT_TRUE(events.ReadInputReport(report, got, 1000));  // the release

    std::atomic<bool> result{true};
    std::thread sync([&] {
        Bytes buffer(64);
        uint32_t n = 0;
        result = events.ReadInputReport(buffer, n, HidDeviceHandle::kInfinite);
    });
    std::this_thread::sleep_for(30ms);
    events.Close();
    sync.join();
    EXPECT_FALSE(result);
    EXPECT_FALSE(events.ReadInputReport(report, got, 10));
}

}  // namespace
}  // namespace orvane::test
