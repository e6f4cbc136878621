#pragma once
// One discovery pass over the HID bus: identify every interface, claim a device slot for each
// supported one, and release slots whose interface has gone. The scan thread runs these whenever
// the bus changed; the command-line tool runs one pass.

#include <functional>
#include <string>
#include <vector>

#include "device/DeviceCatalogue.h"
#include "device/HidDeviceHandle.h"

namespace orvane {

// What one pass learnt of one interface path.
struct ScannedInterface {
    DeviceRecord record;      // VID/PID/interface/collection from the path, usage page/usage once opened
    bool candidate = false;   // matched a supported row and a free slot by address
    bool identified = false;  // the identification open succeeded
    int openError = 0;        // errno of a failed identification open
    int slot = -1;            // the slot it claimed, or -1
};

// Enumerates and claims. `onClaim(slot)` runs right after each claim, before the next path is
// looked at (the scan thread sends its arrival message from there). `unidentified`, when given,
// counts the candidates whose identification open failed (worth another try soon). False when
// enumeration failed.
bool ClaimPresentInterfaces(HidDeviceHandle& probe, DeviceSlotList& slots, const std::function<void(int)>& onClaim,
                            std::vector<ScannedInterface>* seen = nullptr, int* unidentified = nullptr);

// Releases every connected slot whose path can no longer be opened; `onLost(slot)` runs after each.
void ReleaseVanishedInterfaces(HidDeviceHandle& probe, DeviceSlotList& slots, const std::function<void(int)>& onLost);

}  // namespace orvane
