#include "tests/support/SimMouse.h"

#include "device/HidDeviceHandle.h"
#include "device/HidPath.h"

namespace orvane::test {

SimMouse::SimMouse(sim::MouseOptions options)
    : bus_(std::make_shared<sim::SimBus>()), firmware_(std::make_shared<sim::MouseFirmware>(std::move(options))) {
    previous_ = ActiveHidBackend();
    SetActiveHidBackend(bus_);
    device_ = bus_->Plug(sim::Q730Identity(), firmware_);
}

SimMouse::~SimMouse() {
    SetActiveHidBackend(previous_);
    bus_->Unplug(device_);
}

std::string SimMouse::PathOf(int collection) const {
    HidDeviceHandle h(bus_);
    if (!h.EnumeratePaths()) return {};
    while (auto p = h.NextPath())
        if (ParseInterface(*p) == 1 && ParseCollection(*p) == collection) return *p;
    return {};
}

std::string SimMouse::CommandPath() const { return PathOf(4); }
std::string SimMouse::EventPath() const { return PathOf(3); }

void SimMouse::Unplug() { bus_->Unplug(device_); }

void SimMouse::Replug() {
    bus_->Unplug(device_);
    device_ = bus_->Plug(sim::Q730Identity(), firmware_);
}

}  // namespace orvane::test
