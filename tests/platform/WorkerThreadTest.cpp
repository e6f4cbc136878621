#include <gtest/gtest.h>

#include <atomic>

#include "platform/DebugLog.h"
#include "platform/WorkerThread.h"

namespace orvane {
namespace {

using namespace std::chrono_literals;

TEST(WorkerThread, StopEndsABodyThatWatchesItsSignal) {
    WorkerThread t;
    std::atomic<int> turns{0};
    t.Start([&](const StopSignal& stop) {
        while (!stop.WaitFor(1ms)) ++turns;
    });
    while (turns < 3) std::this_thread::yield();
    EXPECT_TRUE(t.Running());
    EXPECT_EQ(t.Stop(), WorkerThread::StopOutcome::Ended);
    EXPECT_FALSE(t.Running());
    EXPECT_EQ(t.Stop(), WorkerThread::StopOutcome::NotRunning);
}

TEST(WorkerThread, ABodyThatOverrunsIsDetachedNotKilledAndFinishesSafely) {
    auto finished = std::make_shared<std::atomic<bool>>(false);
    auto release = std::make_shared<StopSignal>();
    {
        WorkerThread t;
        t.Start([finished, release](const StopSignal&) {
            release->WaitFor(5s);  // ignores its own stop signal
            *finished = true;
        });
        EXPECT_EQ(t.Stop(50ms), WorkerThread::StopOutcome::TimedOut);
    }
    EXPECT_FALSE(*finished);
    release->Signal();
    for (int i = 0; i < 1000 && !*finished; ++i) std::this_thread::sleep_for(1ms);
    EXPECT_TRUE(*finished) << "the detached body ran to its end on state it owns";
}

TEST(WorkerThread, RestartingStopsTheEarlierRun) {
    WorkerThread t;
    std::atomic<int> runs{0};
    auto body = [&](const StopSignal& stop) {
        ++runs;
        stop.WaitFor(10s);
    };
    t.Start(body);
    t.Start(body);
    EXPECT_EQ(t.Stop(), WorkerThread::StopOutcome::Ended);
    EXPECT_EQ(runs, 2);
}

TEST(WorkerThread, StopAndLogReportsEachOutcomeInTheOwnersTexts) {
    auto log = std::make_shared<CapturingDebugSink>();
    const auto previous = SetDebugSink(log);
    auto release = std::make_shared<StopSignal>();
    WorkerThread t;
    t.Start([](const StopSignal& stop) { stop.WaitFor(10s); });
    EXPECT_EQ(t.StopAndLog(), WorkerThread::StopOutcome::Ended);
    EXPECT_EQ(t.StopAndLog(), WorkerThread::StopOutcome::NotRunning);
    t.Start([release](const StopSignal&) { release->WaitFor(10s); });
    EXPECT_EQ(t.StopAndLog(20ms), WorkerThread::StopOutcome::TimedOut);
    release->Signal();
    SetDebugSink(previous);
    EXPECT_EQ(log->Lines(), (std::vector<std::string>{"线程退出：：对象处于激发状态\n",
                                                      "线程退出：：对象处于非激发状态，超时\n"}))
        << "nothing for a thread that was not running";
}

}  // namespace
}  // namespace orvane
