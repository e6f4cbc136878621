#include "device/DeviceScan.h"

#include "device/HidPath.h"

namespace orvane {

bool ClaimPresentInterfaces(HidDeviceHandle& probe, DeviceSlotList& slots, const std::function<void(int)>& onClaim,
                            std::vector<ScannedInterface>* seen, int* unidentified) {
    if (unidentified != nullptr) *unidentified = 0;
    if (!probe.EnumeratePaths()) return false;
    // The path list lives apart from the open state, so the same handle identifies each path.
    while (auto path = probe.NextPath()) {
        ScannedInterface s;
        s.record.vid = ParseVid(*path);
        s.record.pid = ParsePid(*path);
        s.record.interfaceNumber = ParseInterface(*path);
        s.record.collectionNumber = ParseCollection(*path);
        s.record.path = *path;
        s.candidate = IsUnclaimedSupported(slots, s.record);
        // Only candidates need opening; a listing opens everything to show its usage.
        if (s.candidate || seen != nullptr) {
            s.identified = probe.Open(*path, true, false, true, false);
            s.openError = probe.LastOpenError();
            if (s.identified) {
                s.record.vid = probe.Attributes().vendorId;
                s.record.pid = probe.Attributes().productId;
                s.record.usagePage = probe.Capabilities().usagePage;
                s.record.usage = probe.Capabilities().usage;
                probe.Close();
                if (s.candidate && ClaimSlot(slots, s.record, s.slot) && onClaim) onClaim(s.slot);
            } else if (s.candidate && unidentified != nullptr) {
                ++*unidentified;
            }
        }
        if (seen != nullptr) seen->push_back(std::move(s));
    }
    probe.FreePaths();
    return true;
}

void ReleaseVanishedInterfaces(HidDeviceHandle& probe, DeviceSlotList& slots, const std::function<void(int)>& onLost) {
    for (size_t i = 0; i < slots.size(); ++i) {
        DeviceRecord& slot = slots[i];
        if (slot.connected == 0) continue;
        // Presence test: a query-only open needs no access rights.
        if (probe.Open(slot.path, false, false, true, false)) {
            probe.Close();
            continue;
        }
        slot.connected = 0;
        slot.path.clear();
        if (onLost) onLost(static_cast<int>(i));
    }
}

}  // namespace orvane
