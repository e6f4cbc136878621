#pragma once
// The emulated HID bus: a HidBackend whose nodes are firmware models of our devices.
// Devices can be plugged and unplugged at run time from any thread.

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "device/HidBackend.h"
#include "sim/SimDevice.h"

namespace orvane::sim {

class SimBus final : public HidBackend {
public:
    // Plugs a device; returns it so callers (tests, tools) can reach its firmware.
    std::shared_ptr<SimDevice> Plug(SimDeviceIdentity identity, std::shared_ptr<SimFirmware> firmware);
    void Unplug(const std::shared_ptr<SimDevice>& device);
    std::vector<std::shared_ptr<SimDevice>> Devices() const;

    bool ListNodes(std::vector<HidNodeInfo>& nodes) override;
    std::optional<HidNodeInfo> QueryNode(const std::string& node) override;
    int OpenNode(const std::string& node, bool read, bool write) override;

private:
    struct Node {
        std::string name;  // "sim/hidrawN"
        std::shared_ptr<SimDevice> device;
        size_t interfaceIndex;
    };
    HidNodeInfo InfoOf(const Node& n) const;
    const Node* FindNode(const std::string& name) const;

    mutable std::mutex mutex_;
    std::vector<Node> nodes_;
    unsigned nextNodeNumber_ = 0;  // node names are never reused, as the kernel's minor numbers mostly are not
};

}  // namespace orvane::sim
