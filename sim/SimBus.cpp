#include "sim/SimBus.h"

#include <algorithm>
#include <cerrno>

#include "device/HidPath.h"

namespace orvane::sim {
namespace {

class SimChangeMonitor final : public HidChangeMonitor {
public:
    explicit SimChangeMonitor(std::shared_ptr<EventFd> event) : event_(std::move(event)) {}
    int Fd() const override { return event_->Fd(); }
    bool Drain() override {
        event_->Drain();
        return true;
    }

private:
    std::shared_ptr<EventFd> event_;
};

}  // namespace

void SimBus::Watchers::Notify() {
    std::lock_guard lock(mutex);
    std::erase_if(events, [](const std::weak_ptr<EventFd>& e) { return e.expired(); });
    for (const auto& e : events)
        if (auto event = e.lock()) event->Signal();
}

std::shared_ptr<SimDevice> SimBus::Plug(SimDeviceIdentity identity, std::shared_ptr<SimFirmware> firmware) {
    // Whoever unplugs the device (the bus, or its firmware as a fault), the monitors hear of it.
    auto device = std::make_shared<SimDevice>(std::move(identity), std::move(firmware),
                                              [watchers = std::weak_ptr<Watchers>(watchers_)] {
                                                  if (auto w = watchers.lock()) w->Notify();
                                              });
    {
        std::lock_guard lock(mutex_);
        for (size_t i = 0; i < device->Identity().interfaces.size(); ++i)
            nodes_.push_back({std::string(kEmulatedNodePrefix) + "hidraw" + std::to_string(nextNodeNumber_++), device, i});
    }
    watchers_->Notify();
    return device;
}

void SimBus::Unplug(const std::shared_ptr<SimDevice>& device) {
    if (!device) return;
    {
        std::lock_guard lock(mutex_);
        std::erase_if(nodes_, [&](const Node& n) { return n.device == device; });
    }
    device->Unplug();
}

std::vector<std::shared_ptr<SimDevice>> SimBus::Devices() const {
    std::lock_guard lock(mutex_);
    std::vector<std::shared_ptr<SimDevice>> out;
    for (const auto& n : nodes_)
        if (std::find(out.begin(), out.end(), n.device) == out.end()) out.push_back(n.device);
    return out;
}

HidNodeInfo SimBus::InfoOf(const Node& n) const {
    const auto& id = n.device->Identity();
    HidNodeInfo info;
    info.node = n.name;
    info.vendorId = id.vendorId;
    info.productId = id.productId;
    info.versionNumber = id.versionNumber;
    info.interfaceNumber = id.interfaces[n.interfaceIndex].interfaceNumber;
    info.reportDescriptor = id.interfaces[n.interfaceIndex].reportDescriptor;
    return info;
}

const SimBus::Node* SimBus::FindNode(const std::string& name) const {
    for (const auto& n : nodes_)
        // A device that unplugged itself (a firmware fault) is gone even before the bus hears of it.
        if (n.name == name && n.device->Plugged()) return &n;
    return nullptr;
}

bool SimBus::ListNodes(std::vector<HidNodeInfo>& nodes) {
    std::lock_guard lock(mutex_);
    nodes.clear();
    for (const auto& n : nodes_)
        if (n.device->Plugged()) nodes.push_back(InfoOf(n));
    return true;
}

std::optional<HidNodeInfo> SimBus::QueryNode(const std::string& node) {
    std::lock_guard lock(mutex_);
    const Node* n = FindNode(node);
    if (n == nullptr) return std::nullopt;
    return InfoOf(*n);
}

std::unique_ptr<HidChangeMonitor> SimBus::WatchChanges() {
    auto event = std::make_shared<EventFd>();
    if (event->Fd() < 0) return nullptr;
    std::lock_guard lock(watchers_->mutex);
    watchers_->events.push_back(event);
    return std::make_unique<SimChangeMonitor>(std::move(event));
}

int SimBus::OpenNode(const std::string& node, bool, bool) {
    std::shared_ptr<SimDevice> device;
    size_t index = 0;
    {
        std::lock_guard lock(mutex_);
        const Node* n = FindNode(node);
        if (n == nullptr) return -ENODEV;
        device = n->device;
        index = n->interfaceIndex;
    }
    return device->Connect(index);
}

}  // namespace orvane::sim
