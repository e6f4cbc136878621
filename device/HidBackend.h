#pragma once
// Where HID nodes come from: Linux hidraw, or the emulated bus. Everything above the HID layer
// works through HidDeviceHandle and cannot tell the two apart.
//
// A node is one hidraw-like device (one USB interface). Its file descriptor behaves like a
// hidraw fd: each read() returns one input report (beginning with the report id when the
// device numbers its reports), each write() sends one output report whose first byte is the
// report id (0 for unnumbered devices), poll() reports POLLHUP/POLLERR once it is unplugged.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace orvane {

struct HidNodeInfo {
    std::string node;          // "/dev/hidraw3", "sim/hidraw1", ...
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t versionNumber = 0;
    int interfaceNumber = -1;  // USB interface, -1 when the node is not on USB
    std::vector<uint8_t> reportDescriptor;
};

// A descriptor that poll() finds readable once nodes may have come or gone.
class HidChangeMonitor {
public:
    virtual ~HidChangeMonitor() = default;
    virtual int Fd() const = 0;
    // Consumes what made Fd() readable. False when the monitor broke and will tell no more.
    virtual bool Drain() = 0;
};

class HidBackend {
public:
    virtual ~HidBackend() = default;
    // Every present node; false when the bus itself cannot be listed.
    virtual bool ListNodes(std::vector<HidNodeInfo>& nodes) = 0;
    // The node's identity without opening it; nullopt when it is not present.
    virtual std::optional<HidNodeInfo> QueryNode(const std::string& node) = 0;
    // Opens the node for report I/O; a file descriptor, or -errno (-EACCES, -ENODEV, ...).
    virtual int OpenNode(const std::string& node, bool read, bool write) = 0;
    // A new monitor of this bus's changes, or nullptr where the backend has no change events
    // (discovery then polls). Changes after this returns are signalled.
    virtual std::unique_ptr<HidChangeMonitor> WatchChanges() = 0;
};

// The backend that new HidDeviceHandle objects use. Starts as hidraw on /sys and /dev.
std::shared_ptr<HidBackend> ActiveHidBackend();
void SetActiveHidBackend(std::shared_ptr<HidBackend> backend);

}  // namespace orvane
