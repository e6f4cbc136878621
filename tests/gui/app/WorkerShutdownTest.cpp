// What the shutdown relies on: a worker blocked in a synchronous call onto the UI thread is
// released when the call gate closes, and the registry's bounded stop with its log lines.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QObject>
#include <QTest>

#include <atomic>
#include <thread>

#include "app/SyncUiCall.h"
#include "app/ThreadRegistry.h"
#include "platform/DebugLog.h"

namespace orvane::app {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// A worker thread making one call, with what came of it.
struct Caller {
    std::atomic<bool> done{false};
    std::atomic<bool> result{false};
    std::atomic<bool> ran{false};
    std::thread::id ranOn;
    std::thread thread;

    void Start(SyncUiCallGate& gate) {
        thread = std::thread([this, &gate] {
            result = gate.Call([this] {
                ranOn = std::this_thread::get_id();
                ran = true;
            });
            done = true;
        });
    }
    ~Caller() {
        if (thread.joinable()) thread.join();
    }
};

TEST(SyncUiCallGate, RunsTheCallOnTheUiThreadAndWaitsForIt) {
    QObject context;
    SyncUiCallGate gate(&context);
    Caller caller;
    caller.Start(gate);
    ASSERT_TRUE(QTest::qWaitFor([&] { return caller.done.load(); }, 2000));
    EXPECT_TRUE(caller.result);
    EXPECT_EQ(caller.ranOn, std::this_thread::get_id());
}

TEST(SyncUiCallGate, ClosingReleasesAWaitingCallerAndTheCallNeverRuns) {
    QObject context;
    SyncUiCallGate gate(&context);
    Caller caller;
    caller.Start(gate);
    // The UI thread handles no events now, as while it waits for its workers to end.
    std::this_thread::sleep_for(100ms);
    ASSERT_FALSE(caller.done);
    const auto closed = Clock::now();
    gate.Close();
    caller.thread.join();
    EXPECT_LT(Clock::now() - closed, 200ms);
    EXPECT_FALSE(caller.result);
    QCoreApplication::processEvents();
    EXPECT_FALSE(caller.ran) << "a dropped call must not run later";
    EXPECT_FALSE(gate.Call([] {}));
    EXPECT_FALSE(gate.Post([] {}));
}

TEST(SyncUiCallGate, ADestroyedContextReleasesTheCaller) {
    auto context = std::make_unique<QObject>();
    SyncUiCallGate gate(context.get());
    Caller caller;
    caller.Start(gate);
    std::this_thread::sleep_for(100ms);  // queued by now
    context.reset();
    ASSERT_TRUE(QTest::qWaitFor([&] { return caller.done.load(); }, 2000));
    EXPECT_FALSE(caller.result);
    EXPECT_FALSE(caller.ran);
}

TEST(ThreadRegistry, StopsEachThreadWithinItsWaitAndLogsHowItEnded) {
    auto log = std::make_shared<CapturingDebugSink>();
    auto previous = SetDebugSink(log);
    WorkerThread prompt;
    prompt.Start([](const StopSignal& stop) {
        while (!stop.WaitFor(1ms)) {
        }
    });
    // Deaf to its stop signal until released; it keeps what it uses alive itself.
    auto release = std::make_shared<StopSignal>();
    WorkerThread stubborn;
    stubborn.Start([release](const StopSignal&) { release->WaitFor(10s); });

    ThreadRegistry registry;
    EXPECT_FALSE(registry.Register(ThreadRegistry::kSlotCount, [&](auto wait) { return prompt.Stop(wait); }));
    EXPECT_TRUE(registry.Register(ThreadRegistry::kScanThreadSlot, [&](auto wait) { return prompt.Stop(wait); }));
    EXPECT_FALSE(registry.Register(ThreadRegistry::kScanThreadSlot, [&](auto wait) { return stubborn.Stop(wait); }));
    EXPECT_TRUE(registry.Register(ThreadRegistry::kSynchroniserSlot, [&](auto wait) { return stubborn.Stop(wait); }));

    const auto start = Clock::now();
    registry.StopAll(100ms);
    EXPECT_LT(Clock::now() - start, 500ms);
    EXPECT_EQ(log->Lines(), (std::vector<std::string>{"所有对象处于激发状态\n", "所有对象处于非激发状态，超时\n"}));
    EXPECT_FALSE(registry.IsRegistered(ThreadRegistry::kScanThreadSlot));

    log->Clear();
    registry.StopAll();
    EXPECT_TRUE(log->Lines().empty()) << "stopped threads are not stopped twice";

    WorkerThread neverStarted;
    EXPECT_TRUE(registry.Register(ThreadRegistry::kScanThreadSlot, [&](auto wait) { return neverStarted.Stop(wait); }));
    registry.StopAll();
    EXPECT_EQ(log->Lines(), std::vector<std::string>{"所有对象处于激发状态\n"}) << "a thread already ended counts as ended";
    release->Signal();
    SetDebugSink(previous);
}

}  // namespace
}  // namespace orvane::app
