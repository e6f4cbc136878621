#include "app/ScanBridge.h"

namespace orvane::app {

ScanBridge::ScanBridge(QObject* context, ScanHandlers handlers) : handlers_(std::move(handlers)), gate_(context) {}

void ScanBridge::OnDeviceArrival(int slot, const DeviceRecord& record) {
    gate_.Call([this, slot, &record] { handlers_.arrival(slot, record); });
}

void ScanBridge::OnDeviceRemoval(int slot, const DeviceRecord& record) {
    gate_.Call([this, slot, &record] { handlers_.removal(slot, record); });
}

void ScanBridge::OnFirstScanDone() {
    gate_.Post([this] { handlers_.firstScanDone(); });
}

}  // namespace orvane::app
