// The preview thread on the real clock: frames while the preview is shown and animates, nothing
// otherwise, and the UI thread painting while it animates. Waits are for conditions (with a
// generous deadline); only the checks that nothing happens wait for a time to pass.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "light/PreviewThread.h"
#include "light/TurnClock.h"
#include "platform/DebugLog.h"

namespace orvane {
namespace {

using namespace std::chrono_literals;

template <typename Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds deadline = 5s) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

std::shared_ptr<LightPreviewState> StateInMode(uint8_t mode) {
    auto state = std::make_shared<LightPreviewState>(6);
    LightInfoRecord s;
    s.light.mode = mode;
    s.light.speed = 4;
    s.light.brightness = 4;
    state->SetLightState(s);
    return state;
}

constexpr uint8_t kSpectrum = 1;
constexpr uint8_t kStaticRed = 4;

// A preview thread whose callbacks count and answer from flags the test sets.
struct Harness {
    explicit Harness(std::shared_ptr<LightPreviewState> s) : state(std::move(s)) {}

    std::shared_ptr<LightPreviewState> state;
    std::atomic<bool> open{true}, sync{false};
    std::atomic<int> looks{0}, frames{0};
    PreviewThread thread{state, [this] { ++looks; return open.load(); }, [this] { return sync.load(); },
                         [this] { ++frames; }};
};

class PreviewThreadTest : public ::testing::Test {
protected:
    void SetUp() override { previousSink_ = SetDebugSink(log_); }
    void TearDown() override { SetDebugSink(previousSink_); }

    std::shared_ptr<CapturingDebugSink> log_ = std::make_shared<CapturingDebugSink>();
    std::shared_ptr<DebugSink> previousSink_;
};

TEST_F(PreviewThreadTest, AnimatesWhileShownAndLogsItsEnd) {
    Harness h(StateInMode(kSpectrum));
    h.thread.SetShown(true);
    const uint64_t before = h.state->ColorsVersion();
    h.thread.Start();
    EXPECT_TRUE(WaitUntil([&] { return h.frames.load() >= 3; }));
    EXPECT_GT(h.state->ColorsVersion(), before + 3);
    EXPECT_EQ(h.thread.Stop(), WorkerThread::StopOutcome::Ended);
    EXPECT_FALSE(h.thread.Running());
    EXPECT_EQ(log_->Lines(), (std::vector<std::string>{"MS灯光线程设定退出", "线程退出：：对象处于激发状态\n"}));
    EXPECT_EQ(h.thread.Stop(), WorkerThread::StopOutcome::NotRunning);
    EXPECT_EQ(log_->Lines().size(), 2u);  // nothing to stop, nothing logged
}

TEST_F(PreviewThreadTest, LeavesTheLightsAloneUntilShownOpenAndFreeAgain) {
    struct Case {
        const char* name;
        bool shown, open, sync;
    };
    const Case cases[] = {
        {"not on screen", false, true, false},
        {"channel closed", true, false, false},
        {"synchroniser drives", true, true, true},
    };
    for (const Case& c : cases) {
        Harness h(StateInMode(kSpectrum));
        h.open = c.open;
        h.sync = c.sync;
        h.thread.SetShown(c.shown);
        const uint64_t before = h.state->ColorsVersion();
        h.thread.Start();
        std::this_thread::sleep_for(60ms);
        EXPECT_EQ(h.state->ColorsVersion(), before) << c.name;
        EXPECT_EQ(h.frames.load(), 0) << c.name;
        EXPECT_LE(h.looks.load(), 1) << c.name << ": it sleeps until told otherwise";

        h.open = true;
        h.sync = false;
        h.thread.SetShown(true);  // also makes it look again
        EXPECT_TRUE(WaitUntil([&] { return h.frames.load() >= 2; })) << c.name;
        EXPECT_EQ(h.thread.Stop(), WorkerThread::StopOutcome::Ended) << c.name;
    }
}

TEST_F(PreviewThreadTest, AStillPictureIsDrawnOnceAndThenNothingWakes) {
    Harness h(StateInMode(kStaticRed));
    h.thread.SetShown(true);
    h.thread.Start();
    ASSERT_TRUE(WaitUntil([&] { return h.frames.load() == 1; }));
    EXPECT_EQ(h.state->GetLightColor(0), MakeLightColor(kRed, 255));
    const int looks = h.looks.load();
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(h.looks.load(), looks);
    EXPECT_EQ(h.frames.load(), 1);

    h.state->SetMode(kSpectrum);  // the change wakes it
    EXPECT_TRUE(WaitUntil([&] { return h.frames.load() >= 3; }));
    h.thread.SetShown(false);
    std::this_thread::sleep_for(30ms);  // a frame that was under way ends
    const int frames = h.frames.load();
    std::this_thread::sleep_for(60ms);
    EXPECT_EQ(h.frames.load(), frames) << "hidden: no frames";
}

TEST_F(PreviewThreadTest, StopsPromptlyWhileSleeping) {
    Harness h(StateInMode(kSpectrum));
    h.open = false;
    h.thread.SetShown(true);
    h.thread.Start();
    ASSERT_TRUE(WaitUntil([&] { return h.looks.load() >= 1; }));
    // Its sleep ends on the stop, so the standard stop wait is never reached.
    EXPECT_EQ(h.thread.Stop(), WorkerThread::StopOutcome::Ended);
    h.thread.Start();  // and a restart runs again
    h.open = true;
    h.thread.Wake();
    EXPECT_TRUE(WaitUntil([&] { return h.frames.load() >= 1; }));
}

TEST(TurnClock, CountsWholeTurnsAndCarriesTheRest) {
    using Clock = TurnClock::Clock;
    const Clock::time_point t0{};
    TurnClock clock(t0);
    EXPECT_EQ(clock.Take(t0 + 16667us), 8u);  // 16.667 ms: 8 turns, 0.667 ms carried
    EXPECT_EQ(clock.Take(t0 + 33334us), 8u);  // 1.334 ms carried
    EXPECT_EQ(clock.Take(t0 + 50001us), 9u);
    EXPECT_EQ(clock.Take(t0 + 50001us), 0u);
    EXPECT_EQ(clock.Take(t0 + 40ms), 0u) << "time never runs back";

    // A long pause is not caught up: counting starts again where the preview resumes.
    clock.Restart(t0 + 10s);
    EXPECT_EQ(clock.Take(t0 + 10s + 4ms), 2u);
    // A stalled frame moves on by at most one second of turns.
    EXPECT_EQ(clock.Take(t0 + 15s), TurnClock::kMaxTurns);
    EXPECT_EQ(clock.Take(t0 + 15s + 2ms), 1u);
}

// The UI thread copies and edits while the preview thread animates; run under TSan.
TEST(LightPreviewConcurrency, PaintAndEditWhileThePreviewTicks) {
    auto state = std::make_shared<LightPreviewState>(6);
    LightInfoRecord s;
    s.light.speed = 5;  // a step on every turn
    s.light.brightness = 4;
    state->SetLightState(s);
    std::atomic<bool> done{false};
    std::thread preview([&] {
        for (uint32_t i = 0; i < 20000; ++i) {
            state->AdvanceTurns(i % 10);
            if (i % 16 == 0) state->TickAreaLights();
            (void)state->NeedsTurns();
        }
        done = true;
    });
    LightListEntry area;
    area.light.mode = 2;
    area.present = 1;
    LedEffectEntry step;
    step.light.mode = 4;
    step.Time = 1;
    uint64_t lastVersion = 0;
    for (uint32_t i = 0; !done; ++i) {
        const uint64_t seen = state->ColorsVersion();
        const LightColorSnapshot snap = state->LightColors();
        EXPECT_EQ(snap.colors.size(), 6u);
        EXPECT_GE(snap.version, seen);
        EXPECT_GE(snap.version, lastVersion);
        lastVersion = snap.version;
        state->SetMode(static_cast<uint8_t>(i % 13));
        state->SetMultiColor(i % 2 == 0);
        state->SetDirection(static_cast<uint8_t>(i % 3));
        if (i % 7 == 0) state->SetCustomSteps({step, step});
        if (i % 11 == 0) state->SetAreaLights({area, area, area});
        if (i % 5 == 0) state->SetLightColor(i % 6, i);
        (void)state->LightState();
    }
    preview.join();
}

// The page shows, hides and edits while the thread runs frames; run under TSan.
TEST(LightPreviewConcurrency, ShowHideAndEditWhileFramesRun) {
    Harness h(StateInMode(kSpectrum));
    h.thread.Start();
    for (int i = 0; i < 300; ++i) {
        h.thread.SetShown(i % 3 != 0);
        h.state->SetMode(static_cast<uint8_t>(i % 9));
        h.open = i % 5 != 0;
        h.thread.Wake();
        (void)h.state->LightColors();
        std::this_thread::sleep_for(100us);
    }
    EXPECT_EQ(h.thread.Stop(), WorkerThread::StopOutcome::Ended);
}

}  // namespace
}  // namespace orvane
