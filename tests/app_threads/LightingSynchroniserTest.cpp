// The lighting synchroniser's thread against pages' preview states and a command channel open on
// the emulated mouse: it paints while a mouse page takes part, sleeps while none does or the
// program does not control the lights, and ends on its stop.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "app/LightingSynchroniser.h"
#include "light/LightTables.h"
#include "tests/support/SimMouse.h"

namespace orvane::test {
namespace {

using namespace std::chrono_literals;

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds limit = 3000ms) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

class LightingSynchroniserTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(channel->Open(mouse.CommandPath(), false)); }

    CQuorvantUSBDevice::SyncTarget Page(const std::shared_ptr<LightPreviewState>& preview) {
        return {preview, channel, 6, [this] { ++paints; }};
    }

    SimMouse mouse;
    std::shared_ptr<CommandChannel> channel = std::make_shared<CommandChannel>();
    std::atomic<int> paints{0};
};

TEST_F(LightingSynchroniserTest, PaintsEveryLightOfTakingPartPagesAndSleepsWithoutThem) {
    auto mousePreview = std::make_shared<LightPreviewState>(6);
    auto otherPreview = std::make_shared<LightPreviewState>(6);
    app::LightingSynchroniser sync;
    // The second page is no mouse: it is painted, but never starts the effect by itself.
    sync.SetTargets({{Page(mousePreview), true}, {Page(otherPreview), false}});
    SyncEffectSettings cycle;
    cycle.effectType = static_cast<uint8_t>(SyncEffectType::ColourCycle);
    cycle.brightness = 4;
    cycle.speed = 4;
    sync.SetSettings(cycle);
    sync.Start();

    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(sync.FramesPainted(), 0u) << "nobody takes part yet";

    channel->SetSyncLighting(true);
    sync.Wake();
    ASSERT_TRUE(WaitFor([&] { return sync.FramesPainted() > 3; }));
    const LightColor colour = mousePreview->GetLightColor(5);
    EXPECT_EQ(AlphaOf(colour), 255);
    EXPECT_GT(paints.load(), 3);

    // Another program takes the lights: the thread stops painting.
    sync.SetEnabled(false);
    std::this_thread::sleep_for(40ms);
    const uint64_t paused = sync.FramesPainted();
    std::this_thread::sleep_for(80ms);
    EXPECT_EQ(sync.FramesPainted(), paused);
    sync.SetEnabled(true);
    ASSERT_TRUE(WaitFor([&] { return sync.FramesPainted() > paused; }));

    // The device is gone: its channel closed, nobody takes part any more.
    channel->Close();
    std::this_thread::sleep_for(40ms);
    const uint64_t unplugged = sync.FramesPainted();
    std::this_thread::sleep_for(80ms);
    EXPECT_EQ(sync.FramesPainted(), unplugged);

    EXPECT_EQ(sync.Stop(), WorkerThread::StopOutcome::Ended);
}

}  // namespace
}  // namespace orvane::test
