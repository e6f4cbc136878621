#include "device/DeviceScanThread.h"

#include <atomic>
#include <cerrno>
#include <optional>
#include <poll.h>

#include "device/DeviceScan.h"
#include "platform/DebugLog.h"

namespace orvane {
namespace {

using Clock = std::chrono::steady_clock;

enum class Wake { Stop, Change, Timeout, MonitorBroken };

// Sleeps between passes until the stop, a change of the bus, or `timeout` (none: no time limit).
Wake WaitBetweenPasses(const StopSignal& stop, const EventFd& stopEvent, HidChangeMonitor* monitor,
                       std::optional<std::chrono::milliseconds> timeout) {
    // Without a stop descriptor only the StopSignal can be waited on, so the bus is polled.
    if (stopEvent.Fd() < 0) return stop.WaitFor(DeviceScanThread::kPollInterval) ? Wake::Stop : Wake::Timeout;
    const auto deadline = timeout ? Clock::now() + *timeout : Clock::time_point::max();
    for (;;) {
        int timeoutMs = -1;
        if (timeout) {
            // Rounded up: rounding down would wake early and pass again too soon.
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
            timeoutMs = left <= 0 ? 0 : static_cast<int>(left);
        }
        pollfd fds[2] = {{stopEvent.Fd(), POLLIN, 0}, {monitor != nullptr ? monitor->Fd() : -1, POLLIN, 0}};
        const int n = ::poll(fds, 2, timeoutMs);
        if (n < 0) {
            if (errno == EINTR) continue;
            // Not expected with valid descriptors; a bounded wait keeps it from spinning.
            return stop.WaitFor(DeviceScanThread::kPollInterval) ? Wake::Stop : Wake::Timeout;
        }
        if (fds[0].revents != 0 || stop.IsSignalled()) return Wake::Stop;
        if (fds[1].revents & (POLLHUP | POLLNVAL)) return Wake::MonitorBroken;
        if (fds[1].revents != 0) return monitor->Drain() ? Wake::Change : Wake::MonitorBroken;
        if (n == 0) return Wake::Timeout;
    }
}

}  // namespace

// Kept alive by the thread itself, so a thread that outlives its stop wait stays safe.
struct DeviceScanThread::Shared {
    DeviceScanListener* listener;
    std::shared_ptr<HidBackend> backend;
    mutable std::mutex slotsMutex;
    DeviceSlotList slots = MakeDeviceSlotList();
    std::atomic<bool> enumerationFailed{false};
};

DeviceScanThread::DeviceScanThread(DeviceScanListener& listener, std::shared_ptr<HidBackend> backend)
    : shared_(std::make_shared<Shared>()) {
    shared_->listener = &listener;
    shared_->backend = std::move(backend);
}

DeviceScanThread::~DeviceScanThread() { Stop(); }

void DeviceScanThread::Start() {
    Stop();
    auto shared = shared_;
    auto stopEvent = std::make_shared<EventFd>();
    stopEvent_ = stopEvent;
    thread_.Start([shared, stopEvent](const StopSignal& stop) { Run(shared, stop, *stopEvent); });
}

WorkerThread::StopOutcome DeviceScanThread::Stop(std::chrono::milliseconds wait) {
    if (stopEvent_) stopEvent_->Signal();
    return thread_.Stop(wait);
}

DeviceRecord DeviceScanThread::Slot(int index) const {
    std::lock_guard lock(shared_->slotsMutex);
    if (index < 0 || static_cast<size_t>(index) >= shared_->slots.size()) return {};
    return shared_->slots[static_cast<size_t>(index)];
}

size_t DeviceScanThread::SlotCount() const {
    std::lock_guard lock(shared_->slotsMutex);
    return shared_->slots.size();
}

bool DeviceScanThread::EnumerationFailed() const { return shared_->enumerationFailed.load(); }

void DeviceScanThread::Run(const std::shared_ptr<Shared>& shared, const StopSignal& stop, const EventFd& stopEvent) {
    HidDeviceHandle probe(shared->backend);
    // Watching starts before the first pass, so a change during that pass is not missed.
    std::unique_ptr<HidChangeMonitor> monitor = shared->backend->WatchChanges();
    if (!monitor) DebugLog("No hot-plug events from the HID bus: device discovery polls every 100 ms");
    bool firstPass = true;
    int retriesLeft = kIdentifyRetries;
    DeviceSlotList slots = MakeDeviceSlotList();  // the thread's working copy
    // Publishes slot `s` of the working copy, then tells the listener outside the lock, so the
    // listener may look at slots while it handles the change.
    auto publish = [&](int s, bool arrived) {
        const DeviceRecord record = slots[static_cast<size_t>(s)];
        {
            std::lock_guard lock(shared->slotsMutex);
            shared->slots[static_cast<size_t>(s)] = record;
        }
        if (arrived) shared->listener->OnDeviceArrival(s, record);
        else shared->listener->OnDeviceRemoval(s, record);
    };
    while (!stop.IsSignalled()) {
        int unidentified = 0;
        if (!AllSlotsClaimed(slots)) {
            if (!ClaimPresentInterfaces(probe, slots, [&](int s) { publish(s, true); }, nullptr, &unidentified)) {
                shared->enumerationFailed = true;
                DebugLog("HID enumeration failed: device discovery has stopped");
                return;
            }
            if (firstPass) {
                firstPass = false;
                shared->listener->OnFirstScanDone();
            }
        }
        ReleaseVanishedInterfaces(probe, slots, [&](int s) { publish(s, false); });

        std::optional<std::chrono::milliseconds> timeout;
        if (!monitor) {
            timeout = kPollInterval;
        } else if (unidentified > 0 && retriesLeft > 0) {
            // An interface that would not open yet (permissions still being set) is tried again soon;
            // one that never opens stops costing wake-ups after the last retry.
            --retriesLeft;
            timeout = kPollInterval;
        }
        const Wake wake = WaitBetweenPasses(stop, stopEvent, monitor.get(), timeout);
        if (wake == Wake::Stop) break;
        if (wake == Wake::Change) retriesLeft = kIdentifyRetries;
        if (wake == Wake::MonitorBroken) {
            monitor.reset();
            DebugLog("Hot-plug events stopped: device discovery polls every 100 ms");
        }
    }
    DebugLog("抓取设备线程设定退出");
}

}  // namespace orvane
