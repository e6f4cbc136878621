#pragma once
// Carries the scan thread's news onto the UI thread: an arrival or removal is a synchronous call
// (the scan goes on only once the UI thread has handled it, so the handler sees the slot as the
// scan thread wrote it), the end of the first pass a posted one. Closing the bridge (before the
// scan thread is stopped) releases a scan thread waiting in a call; nothing reaches the UI after.

#include "app/SyncUiCall.h"
#include "device/DeviceScanThread.h"

#include <functional>

namespace orvane::app {

struct ScanHandlers {
    std::function<void(int slot, const DeviceRecord& record)> arrival;
    std::function<void(int slot, const DeviceRecord& record)> removal;
    std::function<void()> firstScanDone;
};

class ScanBridge final : public DeviceScanListener {
public:
    // The handlers run on `context`'s thread.
    ScanBridge(QObject* context, ScanHandlers handlers);

    void Close() { gate_.Close(); }

    void OnDeviceArrival(int slot, const DeviceRecord& record) override;
    void OnDeviceRemoval(int slot, const DeviceRecord& record) override;
    void OnFirstScanDone() override;

private:
    ScanHandlers handlers_;
    SyncUiCallGate gate_;
};

}  // namespace orvane::app
