#pragma once
// Firmware model of the Q730 mouse: device info, parameter memory with on-board profiles
// (active-profile byte at address 0, one 128-byte block per profile), a key table in the
// device's own slot order, macro memory of M x 128 bytes and a power status. Its memories can
// persist in a state folder so that separate program runs see one device.

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "sim/CommandFirmware.h"

namespace orvane::sim {

inline constexpr uint16_t kQ730VendorId = 0x320F;
inline constexpr uint16_t kQ730ProductId = 0x2211;

struct MouseOptions {
    uint8_t keySlots = 16;       // N: the key table is 3 x N bytes
    uint8_t macroUnits = 8;      // M: macro memory is M x 128 bytes
    uint8_t onboardProfiles = 4;
    // Slot of each of the eleven factory codes (logical buttons 0..10), in the device's own
    // order; a value >= keySlots leaves that button without a slot. Slots that no button takes
    // hold codes of their own.
    std::vector<uint8_t> slotOfButton = {2, 0, 1, 4, 3, 6, 5, 8, 7, 10, 9};
    std::chrono::milliseconds latency{0};
    // Folder for the persisted memories; empty keeps them in memory only.
    std::string stateFolder;
};

struct PowerStatusBytes {
    std::array<uint8_t, 6> bytes{};
};

class MouseFirmware final : public CommandFirmware {
public:
    explicit MouseFirmware(MouseOptions options);

    // Snapshots of the memories, for tests and tools.
    std::vector<uint8_t> ParameterMemory() const;
    std::vector<uint8_t> KeyTable() const;
    std::vector<uint8_t> MacroMemory() const;
    std::array<uint8_t, 34> DeviceInfo() const;
    uint8_t ActiveProfile() const;

    void SetPowerStatus(const PowerStatusBytes& status);
    // As if the user pressed the profile button: changes the active on-board profile and sends
    // the event report (consumer usage 0x0401) on the event interface.
    void SwitchOnboardProfile(uint8_t profile, SimPort& port);

    const MouseOptions& Options() const { return options_; }

protected:
    size_t CommandInterfaceIndex() const override;
    uint8_t Execute(uint8_t command, uint16_t address, uint8_t length, std::span<uint8_t> payload,
                    SimPort& port) override;
};

// The identity (VID/PID, interfaces 0 and 1 with their report descriptors) of the Q730.
SimDeviceIdentity Q730Identity();

}  // namespace orvane::sim
