#pragma once
// The emulated HID bus: a HidBackend whose nodes are firmware models of our devices.
// Devices can be plugged and unplugged at run time from any thread; every change monitor of
// the bus is signalled when a device comes or goes.

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "device/EventFd.h"
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
    std::unique_ptr<HidChangeMonitor> WatchChanges() override;

private:
    // Shared with the devices' unplug hooks, which may run after the bus is gone.
    struct Watchers {
        std::mutex mutex;
        std::vector<std::weak_ptr<EventFd>> events;  // one per monitor; expired ones are pruned
        void Notify();
    };
    struct Node {
        std::string name;  // "sim/hidrawN"
        std::shared_ptr<SimDevice> device;
        size_t interfaceIndex;
    };
    HidNodeInfo InfoOf(const Node& n) const;
    const Node* FindNode(const std::string& name) const;

    mutable std::mutex mutex_;
    std::vector<Node> nodes_;
    unsigned nextNodeNumber_ = 0;
    std::shared_ptr<Watchers> watchers_ = std::make_shared<Watchers>();  // node names are never reused, as the kernel's minor numbers mostly are not
};

}  // namespace orvane::sim
