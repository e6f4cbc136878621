// Discovery against the emulated bus: arrivals, removals, re-plugs, stopping, and waking only
// when the bus changed.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "device/DeviceScanThread.h"
#include "device/HidDeviceHandle.h"
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

// The emulated bus seen through counters: one listing per scan pass, one query per presence
// check or identification. Without `events` it hides its change monitor, as a system without udev.
// `refusedOpens` opens fail with EACCES first (-1: all), as before udev has set a node's permissions.
class CountingBus final : public HidBackend {
public:
    CountingBus(std::shared_ptr<HidBackend> bus, bool events) : bus_(std::move(bus)), events_(events) {}

    bool ListNodes(std::vector<HidNodeInfo>& nodes) override {
        ++listings;
        return bus_->ListNodes(nodes);
    }
    std::optional<HidNodeInfo> QueryNode(const std::string& node) override {
        ++queries;
        return bus_->QueryNode(node);
    }
    int OpenNode(const std::string& node, bool read, bool write) override {
        if (refusedOpens.load() < 0) return -EACCES;
        if (refusedOpens.load() > 0) {
            --refusedOpens;
            return -EACCES;
        }
        return bus_->OpenNode(node, read, write);
    }
    std::unique_ptr<HidChangeMonitor> WatchChanges() override { return events_ ? bus_->WatchChanges() : nullptr; }

    std::atomic<int> listings{0};
    std::atomic<int> queries{0};
    std::atomic<int> refusedOpens{0};

private:
    std::shared_ptr<HidBackend> bus_;
    bool events_;
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

TEST(DeviceScanThread, IdleBusWakesNothingWithChangeEventsAndIsPolledWithout) {
    struct Case {
        bool events;
        const char* name;
    };
    for (const Case& c : {Case{true, "with change events"}, Case{false, "without change events"}}) {
        SCOPED_TRACE(c.name);
        test::SimMouse mouse;
        auto bus = std::make_shared<CountingBus>(mouse.BusPtr(), c.events);
        RecordingListener listener;
        DeviceScanThread scan(listener, bus);
        scan.Start();
        ASSERT_TRUE(listener.WaitForEvents(3));
        std::this_thread::sleep_for(200ms);  // the first pass's presence checks
        const int queriesAfterFirstPass = bus->queries.load();

        std::this_thread::sleep_for(1s);
        if (c.events) {
            EXPECT_EQ(bus->listings.load(), 1) << "only the first pass";
            EXPECT_EQ(bus->queries.load(), queriesAfterFirstPass) << "no presence checks while nothing changes";
        } else {
            EXPECT_GE(bus->listings.load(), 5) << "the 100 ms poll";
        }
        EXPECT_EQ(listener.Events().size(), 3u);
    }
}

TEST(DeviceScanThread, PlugAndUnplugWakeAnIdleScan) {
    auto simBus = std::make_shared<sim::SimBus>();
    auto bus = std::make_shared<CountingBus>(simBus, true);
    RecordingListener listener;
    DeviceScanThread scan(listener, bus);
    scan.Start();
    ASSERT_TRUE(listener.WaitForEvents(1));
    std::this_thread::sleep_for(300ms);  // idle: a poll would have passed three times by now
    ASSERT_EQ(bus->listings.load(), 1);

    auto firmware = std::make_shared<sim::MouseFirmware>(sim::MouseOptions{});
    auto start = std::chrono::steady_clock::now();
    auto device = simBus->Plug(sim::Q730Identity(), firmware);
    ASSERT_TRUE(listener.WaitForEvents(3));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 500ms);
    EXPECT_EQ(scan.Slot(2).connected, 1);

    start = std::chrono::steady_clock::now();
    simBus->Unplug(device);
    ASSERT_TRUE(listener.WaitForEvents(5));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 500ms);
    EXPECT_EQ(scan.Slot(2).connected, 0);
    // The removal may show in the plug's own pass (its presence checks run after the arrivals);
    // the unplug's pass follows either way, and then nothing more.
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(bus->listings.load(), 3) << "one pass per change";
}

TEST(DeviceScanThread, InterfaceThatWillNotOpenIsRetriedForAWhileOnly) {
    struct Case {
        int refusedOpens;
        bool arrives;
    };
    for (const Case& c : {Case{3, true}, Case{-1, false}}) {
        SCOPED_TRACE(c.refusedOpens);
        test::SimMouse mouse;
        auto bus = std::make_shared<CountingBus>(mouse.BusPtr(), true);
        bus->refusedOpens = c.refusedOpens;
        RecordingListener listener;
        DeviceScanThread scan(listener, bus);
        scan.Start();
        if (c.arrives) {
            EXPECT_TRUE(listener.WaitForEvents(3)) << "retried without any change on the bus";
            continue;
        }
        // Never opens: the retries run out, then the scan sleeps until the bus changes.
        const int passes = 1 + DeviceScanThread::kIdentifyRetries;
        const auto deadline = std::chrono::steady_clock::now() + 5s;
        while (bus->listings.load() < passes && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(10ms);
        std::this_thread::sleep_for(500ms);
        EXPECT_EQ(bus->listings.load(), passes);
        EXPECT_EQ(listener.Events(), (std::vector<std::string>{"first"}));

        bus->refusedOpens = 0;  // permissions given, and udev announces the change
        mouse.Replug();
        EXPECT_TRUE(listener.WaitForEvents(3));
    }
}

TEST(DeviceScanThread, DeviceThatDropsOffByItselfIsSeen) {
    // The firmware pulls itself off the bus mid-transfer; the bus never hears an Unplug call.
    test::SimMouse mouse;
    RecordingListener listener;
    DeviceScanThread scan(listener, mouse.BusPtr());
    scan.Start();
    ASSERT_TRUE(listener.WaitForEvents(3));

    sim::CommandFaults faults;
    faults.unplugAfterReports = 0;
    mouse.Firmware().SetFaults(faults);
    HidDeviceHandle channel(mouse.BusPtr());
    ASSERT_TRUE(channel.Open(mouse.CommandPath(), true, true, true, false));
    std::vector<uint8_t> report(64, 0);
    report[0] = 4;
    uint32_t written = 0;
    ASSERT_TRUE(channel.Write(static_cast<uint32_t>(report.size()), written, report.data(), 1000));

    ASSERT_TRUE(listener.WaitForEvents(5));
    auto events = listener.Events();
    std::sort(events.begin() + 3, events.end());
    EXPECT_EQ(events[3], "-2");
    EXPECT_EQ(events[4], "-3");
}

}  // namespace
}  // namespace orvane
