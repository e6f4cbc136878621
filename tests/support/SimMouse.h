#pragma once
// An emulated Q730 on a fresh bus that is also the process's active HID backend.

#include <memory>
#include <string>

#include "device/HidBackend.h"
#include "sim/MouseFirmware.h"
#include "sim/SimBus.h"

namespace orvane::test {

class SimMouse {
public:
    explicit SimMouse(sim::MouseOptions options = {});
    ~SimMouse();
    SimMouse(const SimMouse&) = delete;
    SimMouse& operator=(const SimMouse&) = delete;

    sim::SimBus& Bus() { return *bus_; }
    const std::shared_ptr<sim::SimBus>& BusPtr() const { return bus_; }
    sim::MouseFirmware& Firmware() { return *firmware_; }
    sim::SimDevice& Device() { return *device_; }
    std::string CommandPath() const;  // collection 4 of interface 1
    std::string EventPath() const;    // collection 3 of interface 1

    void Unplug();
    void Replug();  // the same firmware (and memories) back on the bus

private:
    std::string PathOf(int collection) const;

    std::shared_ptr<sim::SimBus> bus_;
    std::shared_ptr<sim::MouseFirmware> firmware_;
    std::shared_ptr<sim::SimDevice> device_;
    std::shared_ptr<HidBackend> previous_;
};

}  // namespace orvane::test
