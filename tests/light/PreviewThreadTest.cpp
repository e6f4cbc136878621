// The preview thread on the real clock, and the UI thread painting while it animates. Waits
// are for conditions (with a generous deadline), never for a time to pass.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "light/PreviewThread.h"
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

std::shared_ptr<LightPreviewState> SpectrumState() {
    auto state = std::make_shared<LightPreviewState>(6);
    LightInfoRecord s;
    s.light.mode = 1;
    s.light.speed = 4;
    s.light.brightness = 4;
    state->SetLightState(s);
    return state;
}

class PreviewThreadTest : public ::testing::Test {
protected:
    void SetUp() override { previousSink_ = SetDebugSink(log_); }
    void TearDown() override { SetDebugSink(previousSink_); }

    std::shared_ptr<CapturingDebugSink> log_ = std::make_shared<CapturingDebugSink>();
    std::shared_ptr<DebugSink> previousSink_;
};

TEST_F(PreviewThreadTest, AnimatesWhileTheChannelIsOpenAndLogsItsEnd) {
    auto state = SpectrumState();
    PreviewThread thread(state, [] { return true; }, [] { return false; });
    const uint64_t before = state->ColorsVersion();
    thread.Start();
    EXPECT_TRUE(WaitUntil([&] { return state->ColorsVersion() > before + 3; }));
    EXPECT_EQ(thread.Stop(), WorkerThread::StopOutcome::Ended);
    EXPECT_FALSE(thread.Running());
    EXPECT_EQ(log_->Lines(), (std::vector<std::string>{"MS灯光线程设定退出", "线程退出：：对象处于激发状态\n"}));
    EXPECT_EQ(thread.Stop(), WorkerThread::StopOutcome::NotRunning);
    EXPECT_EQ(log_->Lines().size(), 2u);  // nothing to stop, nothing logged
}

TEST_F(PreviewThreadTest, LeavesTheLightsAloneWhileClosedOrSynchronised) {
    struct Case {
        const char* name;
        bool open, sync;
    };
    for (const Case& c : {Case{"channel closed", false, false}, Case{"synchroniser drives", true, true}}) {
        auto state = SpectrumState();
        std::atomic<int> turns{0};
        PreviewThread thread(
            state, [&, open = c.open] { ++turns; return open; }, [sync = c.sync] { return sync; });
        const uint64_t before = state->ColorsVersion();
        thread.Start();
        EXPECT_TRUE(WaitUntil([&] { return turns.load() >= 3; })) << c.name;
        EXPECT_EQ(thread.Stop(), WorkerThread::StopOutcome::Ended) << c.name;
        EXPECT_EQ(state->ColorsVersion(), before) << c.name;
    }
}

TEST_F(PreviewThreadTest, StopsPromptlyWhileIdlingOnAClosedChannel) {
    auto state = SpectrumState();
    std::atomic<bool> asked{false};
    PreviewThread thread(state, [&] { asked = true; return false; }, [] { return false; });
    thread.Start();
    ASSERT_TRUE(WaitUntil([&] { return asked.load(); }));
    // The 100 ms idle wait is on the stop signal, so the standard stop wait is never reached.
    EXPECT_EQ(thread.Stop(), WorkerThread::StopOutcome::Ended);
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
        for (int i = 0; i < 20000; ++i) {
            state->Tick();
            if (i % 16 == 0) state->TickAreaLights();
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

}  // namespace
}  // namespace orvane
