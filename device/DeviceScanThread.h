#pragma once
// Discovery: while some slot is free, the bus is listed and each supported interface claims a
// slot; then every connected slot is checked for presence. A pass runs at start and then each
// time the bus's change monitor reports a change; a bus without change events is passed over
// every 100 ms instead. The listener hears of each arrival and removal synchronously (the thread
// waits for it), and once after the first complete pass.

#include <memory>
#include <mutex>

#include "device/DeviceCatalogue.h"
#include "device/EventFd.h"
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
    // The pass interval without change events, and the retry delay of an interface that was
    // present but could not be opened for identification.
    static constexpr std::chrono::milliseconds kPollInterval{100};
    // With change events, a failed identification is retried this many times, then only on the next change.
    static constexpr int kIdentifyRetries = 10;

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
    static void Run(const std::shared_ptr<Shared>& shared, const StopSignal& stop, const EventFd& stopEvent);

    std::shared_ptr<Shared> shared_;
    std::shared_ptr<EventFd> stopEvent_;  // the current run's; poll() cannot wait on the StopSignal
    WorkerThread thread_;
};

}  // namespace orvane
