#pragma once
// Discovery by polling: every 100 ms, while some slot is free, the bus is listed and each
// supported interface claims a slot; then every connected slot is checked for presence. The
// listener hears of each arrival and removal synchronously (the thread waits for it), and once
// after the first complete pass.

#include <memory>
#include <mutex>

#include "device/DeviceCatalogue.h"
#include "device/HidBackend.h"
#include "platform/WorkerThread.h"

namespace orvane {

class DeviceScanListener {
public:
    virtual ~DeviceScanListener() = default;
    // Called on the scan thread; the scan goes on only when these return.
    virtual void OnDeviceArrival(int slot, const DeviceRecord& record) = 0;
    virtual void OnDeviceRemoval(int slot, const DeviceRecord& record) = 0;
    virtual void OnFirstScanDone() = 0;
};

class DeviceScanThread {
public:
    static constexpr std::chrono::milliseconds kPollInterval{100};

    // The listener must outlive the thread's run (until Stop returns Ended).
    explicit DeviceScanThread(DeviceScanListener& listener, std::shared_ptr<HidBackend> backend = ActiveHidBackend());
    ~DeviceScanThread();

    void Start();
    WorkerThread::StopOutcome Stop(std::chrono::milliseconds wait = WorkerThread::kStopWait);

    // A copy of slot `index` (the device slot list is the scan thread's to write).
    DeviceRecord Slot(int index) const;
    size_t SlotCount() const;
    // True once the thread ended because the bus could not be listed.
    bool EnumerationFailed() const;

private:
    struct Shared;
    static void Run(const std::shared_ptr<Shared>& shared, const StopSignal& stop);

    std::shared_ptr<Shared> shared_;
    WorkerThread thread_;
};

}  // namespace orvane
