// Discovery against the emulated bus: arrivals, removals, re-plugs and stopping.
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

#include "device/DeviceScanThread.h"
#include "platform/DebugLog.h"
#include "tests/support/SimMouse.h"

namespace orvane {
namespace {

using namespace std::chrono_literals;

class RecordingListener final : public DeviceScanListener {
public:
    void OnDeviceArrival(int slot, const DeviceRecord& record) override { Note("+" + std::to_string(slot), record); }
    void OnDeviceRemoval(int slot, const DeviceRecord& record) override { Note("-" + std::to_string(slot), record); }
    void OnFirstScanDone() override { Note("first", {}); }

    bool WaitForEvents(size_t count, std::chrono::milliseconds timeout = 3s) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return events_.size() >= count; });
    }
    std::vector<std::string> Events() {
        std::lock_guard lock(mutex_);
        return events_;
    }
    std::vector<DeviceRecord> Records() {
        std::lock_guard lock(mutex_);
        return records_;
    }

private:
    void Note(std::string event, const DeviceRecord& record) {
        {
            std::lock_guard lock(mutex_);
            events_.push_back(std::move(event));
            records_.push_back(record);
        }
        changed_.notify_all();
    }
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> events_;
    std::vector<DeviceRecord> records_;
};

TEST(DeviceScanThread, PresentMouseIsReportedBeforeTheFirstPassEnds) {
    test::SimMouse mouse;
    RecordingListener listener;
    DeviceScanThread scan(listener, mouse.BusPtr());
    scan.Start();
    ASSERT_TRUE(listener.WaitForEvents(3));
    auto events = listener.Events();
    std::sort(events.begin(), events.begin() + 2);
    EXPECT_EQ(events, (std::vector<std::string>{"+2", "+3", "first"}));
    EXPECT_EQ(scan.Slot(2).connected, 1);
    EXPECT_EQ(scan.Slot(2).path, mouse.CommandPath());
    EXPECT_EQ(listener.Records()[0].type, kDeviceMouse);
}

TEST(DeviceScanThread, UnplugFreesBothSlotsAndReplugClaimsThemAgain) {
    test::SimMouse mouse;
    RecordingListener listener;
    DeviceScanThread scan(listener, mouse.BusPtr());
    scan.Start();
    ASSERT_TRUE(listener.WaitForEvents(3));

    const auto unplugged = std::chrono::steady_clock::now();
    mouse.Unplug();
    ASSERT_TRUE(listener.WaitForEvents(5));
    EXPECT_LT(std::chrono::steady_clock::now() - unplugged, 500ms);
    auto events = listener.Events();
    std::sort(events.begin() + 3, events.end());
    EXPECT_EQ(events[3], "-2");
    EXPECT_EQ(events[4], "-3");
    EXPECT_EQ(scan.Slot(2).connected, 0);
    EXPECT_TRUE(scan.Slot(2).path.empty());

    mouse.Replug();
    ASSERT_TRUE(listener.WaitForEvents(7));
    EXPECT_EQ(scan.Slot(2).connected, 1);
    EXPECT_EQ(scan.Slot(2).path, mouse.CommandPath()) << "the new node's path";
    EXPECT_EQ(listener.Events().size(), 7u) << "no first-pass notice the second time";
}

TEST(DeviceScanThread, StopsPromptlyWithItsExitLine) {
    auto log = std::make_shared<CapturingDebugSink>();
    auto previous = SetDebugSink(log);
    {
        test::SimMouse mouse;
        RecordingListener listener;
        DeviceScanThread scan(listener, mouse.BusPtr());
        scan.Start();
        ASSERT_TRUE(listener.WaitForEvents(3));
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(scan.Stop(), WorkerThread::StopOutcome::Ended);
        EXPECT_LT(std::chrono::steady_clock::now() - start, 300ms);
    }
    SetDebugSink(previous);
    const auto lines = log->Lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "抓取设备线程设定退出"), lines.end());
}

TEST(DeviceScanThread, AllSlotsTakenReducesToPresenceChecks) {
    // Without any device the scan keeps listing; with nothing to claim the pass is still reported.
    auto bus = std::make_shared<sim::SimBus>();
    RecordingListener listener;
    DeviceScanThread scan(listener, bus);
    scan.Start();
    ASSERT_TRUE(listener.WaitForEvents(1));
    EXPECT_EQ(listener.Events(), (std::vector<std::string>{"first"}));
}

}  // namespace
}  // namespace orvane
