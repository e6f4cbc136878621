#include <gtest/gtest.h>

#include <atomic>

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

}  // namespace
}  // namespace orvane
