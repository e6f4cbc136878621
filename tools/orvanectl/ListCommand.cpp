// `orvanectl list`: every HID interface and the device slot it would claim.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "tools/orvanectl/Commands.h"

namespace orvane::tool {
namespace {

const char* TypeName(uint16_t type) {
    switch (type) {
        case kDeviceKeyboard: return "keyboard";
        case kDeviceMouse: return "mouse";
        case kDeviceMousePad: return "mouse pad";
        case kDeviceSlowLinkMouse: return "mouse (slow link)";
        case kDeviceHeadset: return "headset";
        default: return "?";
    }
}

}  // namespace

int ListCommand(const GlobalOptions&, const Args& args) {
    const bool quiet = !args.empty() && args[0] == "--quiet-if-none";
    HidDeviceHandle probe;
    DeviceSlotList slots = MakeDeviceSlotList();
    std::vector<ScannedInterface> seen;
    if (!ClaimPresentInterfaces(probe, slots, nullptr, &seen)) return Fail(kExitFailure, "cannot list HID devices");
    int supported = 0;
    if (!seen.empty())
        std::printf("%-52s %-4s %-4s %-2s %-3s %-6s %-5s %s\n", "PATH", "VID", "PID", "MI", "COL", "PAGE", "USAGE", "SLOT");
    for (const auto& s : seen) {
        const DeviceRecord& r = s.record;
        std::string slot;
        if (s.slot >= 0) {
            ++supported;
            slot = std::to_string(s.slot) + " (" + TypeName(r.type) + (r.role == kRoleCommand ? ", command)" : ", events)");
        } else if (s.candidate && !s.identified) {
            slot = std::string("supported, cannot open: ") + std::strerror(s.openError);
        } else {
            slot = "unsupported";
        }
        if (s.identified)
            std::printf("%-52s %04x %04x %02x %03x %04x   %04x  %s\n", r.path.c_str(), r.vid, r.pid, r.interfaceNumber,
                        r.collectionNumber, r.usagePage, r.usage, slot.c_str());
        else
            std::printf("%-52s %04x %04x %02x %03x -      -     %s\n", r.path.c_str(), r.vid, r.pid, r.interfaceNumber,
                        r.collectionNumber, slot.c_str());
    }
    if (supported == 0) {
        if (!quiet) std::fprintf(stderr, "orvanectl: no supported device found\n");
        return kExitNoDevice;
    }
    return kExitOk;
}

}  // namespace orvane::tool
