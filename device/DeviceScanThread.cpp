#include "device/DeviceScanThread.h"

#include <atomic>

#include "device/DeviceScan.h"
#include "platform/DebugLog.h"

namespace orvane {

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
    auto shared = shared_;
    thread_.Start([shared](const StopSignal& stop) { Run(shared, stop); });
}

WorkerThread::StopOutcome DeviceScanThread::Stop(std::chrono::milliseconds wait) { return thread_.Stop(wait); }

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

void DeviceScanThread::Run(const std::shared_ptr<Shared>& shared, const StopSignal& stop) {
    HidDeviceHandle probe(shared->backend);
    bool firstPass = true;
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
    for (;;) {
        if (stop.WaitFor(std::chrono::milliseconds(1))) break;
        if (!AllSlotsClaimed(slots)) {
            if (!ClaimPresentInterfaces(probe, slots, [&](int s) { publish(s, true); })) {
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
        if (stop.WaitFor(kPollInterval)) break;
    }
    DebugLog("抓取设备线程设定退出");
}

}  // namespace orvane
