#pragma once
// A pad, headset or keyboard firmware model plugged on its own emulated bus, with the host's real
// CommandChannel open on its command collection, as a device page opens it.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "device/HidDeviceHandle.h"
#include "device/HidPath.h"
#include "protocol/CommandChannel.h"
#include "sim/HeadsetFirmware.h"
#include "sim/KeyboardFirmware.h"
#include "sim/PadFirmware.h"
#include "sim/SimBus.h"

namespace orvane::test {

using Bytes = std::vector<uint8_t>;

// Path of the given USB interface and collection (0: the interface has only one) on `bus`.
inline std::string PathOn(const std::shared_ptr<HidBackend>& bus, int interfaceNumber, int collection) {
    HidDeviceHandle h(bus);
    EXPECT_TRUE(h.EnumeratePaths());
    while (auto p = h.NextPath())
        if (ParseInterface(*p) == interfaceNumber && ParseCollection(*p) == collection) return *p;
    return {};
}

template <class Firmware>
struct OnBus {
    OnBus(std::shared_ptr<Firmware> model, sim::SimDeviceIdentity (*identity)(), int interfaceNumber, int collection)
        : bus(std::make_shared<sim::SimBus>()),
          firmware(std::move(model)),
          device(bus->Plug(identity(), firmware)),
          channel(bus) {
        EXPECT_TRUE(channel.Open(PathOn(bus, interfaceNumber, collection), false));
    }

    Bytes Read(uint16_t address, size_t length) {
        Bytes out(length);
        EXPECT_EQ(channel.ReadParameters(out, address), 1) << "read of " << length << " at " << address;
        return out;
    }

    std::shared_ptr<sim::SimBus> bus;
    std::shared_ptr<Firmware> firmware;
    std::shared_ptr<sim::SimDevice> device;
    CommandChannel channel;
};

// The pad, its command channel on collection 4 of interface 1.
struct PadOnBus : OnBus<sim::PadFirmware> {
    explicit PadOnBus(sim::PadOptions options = {})
        : OnBus(std::make_shared<sim::PadFirmware>(sim::MousePadModel(), std::move(options)), sim::MousePadIdentity,
                1, 4) {}
};

// The headset, its command channel on the one collection of interface 3.
struct HeadsetOnBus : OnBus<sim::HeadsetFirmware> {
    explicit HeadsetOnBus(sim::PadOptions options = {})
        : OnBus(std::make_shared<sim::HeadsetFirmware>(std::move(options)), sim::HeadsetIdentity, 3, 0) {}
};

// The keyboard, its command channel on collection 4 of interface 1.
struct KeyboardOnBus : OnBus<sim::KeyboardFirmware> {
    explicit KeyboardOnBus(sim::KeyboardOptions options = {})
        : OnBus(std::make_shared<sim::KeyboardFirmware>(std::move(options)), sim::KeyboardIdentity, 1, 4) {}
};

}  // namespace orvane::test
