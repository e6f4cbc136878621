#pragma once
// Firmware model of the lit mouse pad, whose command side the headset shares: device info and a
// parameter memory of on-board profiles, one 25-byte lighting block per profile.
//
// Parameter memory as reads see it: profile p's block at p x 25; address 0, the first byte of
// profile 0's block, holds the active profile. In a block: byte 1 light mode (0-8), byte 2
// brightness (0-4), byte 3 the speed stored inverted (4 - speed), byte 5 multicolour, bytes 6-8
// red, green, blue; byte 4 and bytes 9-24 are the firmware's own.
//
// The pad takes writes only at address 0, at most one block long: byte 0 names the profile to
// use (it becomes the active one) and the following bytes replace the same bytes of that
// profile's block. A mode, brightness or inverted speed out of range refuses the whole write
// (0xFE), as does a profile it does not have or any other address.

#include <array>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "sim/CommandFirmware.h"
#include "sim/MouseFirmware.h"

namespace orvane::sim {

inline constexpr size_t kPadBlockBytes = 25;

namespace pad_block {
inline constexpr size_t kProfileNumber = 0;  // the active profile, in profile 0's block
inline constexpr size_t kLightMode = 1;
inline constexpr size_t kBrightness = 2;
inline constexpr size_t kSpeedInverted = 3;
inline constexpr size_t kMultiColour = 5;
inline constexpr size_t kRed = 6;
inline constexpr size_t kGreen = 7;
inline constexpr size_t kBlue = 8;
inline constexpr size_t kFirstOwnByte = 9;  // 9..24, and byte 4, are kept as written
inline constexpr uint8_t kLightModes = 9;
inline constexpr uint8_t kMaxLevel = 4;  // brightness and speed
}  // namespace pad_block

// What tells one model of this firmware from another.
struct PadModel {
    std::string name;  // registration name: "pad", "headset"
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t versionNumber = 0;
    uint8_t deviceType = 0;  // in the device info: 3 mouse pad, 7 headset
    std::string modelName;   // in the device info, ASCII
    size_t commandInterface = 0;  // index into the identity's interfaces
    // Where a profile switch on the device is announced (consumer usage 0x0401); none on a headset.
    std::optional<size_t> eventInterface;
};

struct PadOptions {
    uint8_t onboardProfiles = 4;  // at least 1
    std::chrono::milliseconds latency{0};
    // Folder for the persisted memory; empty keeps it in memory only.
    std::string stateFolder;
    std::string stateFileName;  // empty: "<model name>.json"
};

// The lighting a profile block stands for, the speed as the user counts it.
struct PadLighting {
    uint8_t mode = 0;
    uint8_t brightness = 0;
    uint8_t speed = 0;
    uint8_t multiColour = 0;
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    bool operator==(const PadLighting&) const = default;
};

class PadFirmware : public CommandFirmware {
public:
    PadFirmware(PadModel model, PadOptions options);

    // Snapshots, for tests and tools.
    std::vector<uint8_t> ParameterMemory() const;  // onboardProfiles x 25 bytes
    uint8_t ActiveProfile() const;
    // The lighting of a profile's block; the active profile's when none is named.
    PadLighting Lighting(std::optional<uint8_t> profile = std::nullopt) const;
    std::array<uint8_t, kDeviceInfoBytes> DeviceInfo() const { return deviceInfo_; }
    bool InTransfer() const;
    std::string StateFilePath() const;  // empty without a state folder

    static std::vector<uint8_t> FactoryParameterMemory(uint8_t onboardProfiles);

    // As if the user pressed the pad's profile button: changes the active profile and, on a
    // model with an event interface, sends the consumer usage 0x0401 and its release there.
    // `device` must be the device this firmware runs in. False for a profile it does not have.
    bool SwitchOnboardProfile(uint8_t profile, SimDevice& device);

    const PadModel& Model() const { return model_; }
    const PadOptions& Options() const { return options_; }

protected:
    size_t CommandInterfaceIndex() const override { return model_.commandInterface; }
    uint8_t Execute(uint8_t command, uint16_t address, uint8_t length, std::span<uint8_t> payload,
                    SimPort& port) override;

private:
    static PadOptions Checked(PadOptions options, const PadModel& model);
    uint8_t WriteBlock(uint16_t address, std::span<const uint8_t> data);
    void LoadState();
    void SaveStateLocked() const;

    const PadModel model_;
    const PadOptions options_;
    const std::array<uint8_t, kDeviceInfoBytes> deviceInfo_;
    mutable std::mutex mutex_;
    std::vector<uint8_t> parameters_;
    bool inTransfer_ = false;
};

// A model's identity on the bus with the given interfaces.
SimDeviceIdentity IdentityOf(const PadModel& model, std::vector<SimInterface> interfaces);

// The mouse pad: VID 0x0C45, PID 0x6627, device type 3, profile switches announced on
// collection 3 of interface 1.
const PadModel& MousePadModel();
SimDeviceIdentity MousePadIdentity();

}  // namespace orvane::sim
