#pragma once
// Linux hidraw: nodes from /sys/class/hidraw, identity from the HID device's uevent, the report
// descriptor from sysfs (readable without opening the node), I/O on /dev/hidrawN, changes from
// udev where a udev daemon runs.

#include <string>

#include "device/HidBackend.h"

namespace orvane {

class HidrawBackend final : public HidBackend {
public:
    // The roots are configurable so the backend can run on a fixture tree; `udevRunFolder` is
    // where a running udev daemon keeps its control socket.
    explicit HidrawBackend(std::string sysfsRoot = "/sys", std::string deviceFolder = "/dev",
                           std::string udevRunFolder = "/run/udev");

    bool ListNodes(std::vector<HidNodeInfo>& nodes) override;
    std::optional<HidNodeInfo> QueryNode(const std::string& node) override;
    int OpenNode(const std::string& node, bool read, bool write) override;
    // udev's hidraw events, for the system's own tree only: udev says nothing of a fixture tree.
    std::unique_ptr<HidChangeMonitor> WatchChanges() override;

private:
    std::optional<HidNodeInfo> ReadNodeInfo(const std::string& name) const;

    std::string sysfsRoot_;
    std::string deviceFolder_;
    std::string udevRunFolder_;
};

}  // namespace orvane
