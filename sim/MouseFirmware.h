#pragma once
// Firmware model of the Q730 mouse: device info, parameter memory with on-board profiles
// (active-profile byte at address 0, one 128-byte block per profile), a key table in the
// device's own slot order, macro memory of M x 128 bytes and a power status. Its memories can
// persist in a state folder so that separate program runs see one device.
//
// Interface 1 carries both the command collection (report 4) and the consumer collection
// (report 3) on which the device announces a profile switch, as one hidraw node.

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "sim/CommandFirmware.h"

namespace orvane::sim {

inline constexpr uint16_t kQ730VendorId = 0x320F;
inline constexpr uint16_t kQ730ProductId = 0x2211;
inline constexpr uint16_t kQ730VersionNumber = 0x0100;

inline constexpr size_t kDeviceInfoBytes = 34;
inline constexpr size_t kProfileBlockBytes = 128;
inline constexpr size_t kMacroUnitBytes = 128;
inline constexpr size_t kPowerStatusBytes = 6;
inline constexpr size_t kFactoryButtonCount = 11;
// Longest light frame the device keeps; later bytes of a frame are accepted and dropped.
inline constexpr size_t kLightFrameBytes = 512;

// Commands of the protocol, by id.
enum class MouseCommand : uint8_t {
    BeginTransfer = 0x01,
    EndTransfer = 0x02,
    ReadDeviceInfo = 0x03,
    ReadParameters = 0x05,
    WriteParameters = 0x06,
    ReadKeyTable = 0x07,
    WriteKeyTable = 0x09,
    WriteRecord = 0x0B,
    StreamLightData = 0x12,
    WriteMacroData = 0x15,
    ReadRecord = 0x1A,
    ReadKeyLightMap = 0x1B,
    QueryOnline = 0xAA,
};

// The factory codes of the eleven logical buttons (left, right, middle, forward, back,
// DPI up, DPI down, G key, DPI cycle, GM key, M8 key), in logical button order.
inline constexpr std::array<std::array<uint8_t, 3>, kFactoryButtonCount> kFactoryButtonCodes = {{
    {0x10, 0x01, 0x00}, {0x10, 0x02, 0x00}, {0x10, 0x04, 0x00}, {0x10, 0x10, 0x00},
    {0x10, 0x08, 0x00}, {0x13, 0x01, 0x00}, {0x13, 0x02, 0x00}, {0xA0, 0x02, 0x00},
    {0x13, 0x03, 0x00}, {0xA0, 0x1B, 0x00}, {0x16, 0x90, 0x01},
}};

// Named offsets of one 128-byte profile block of the parameter memory.
namespace config_block {
inline constexpr size_t kActiveProfile = 0;  // only in profile 0's block
inline constexpr size_t kLightMode = 1;
inline constexpr size_t kBrightness = 2;
inline constexpr size_t kSpeedInverted = 3;
inline constexpr size_t kDirection = 4;
inline constexpr size_t kMultiColour = 5;
inline constexpr size_t kRed = 6;
inline constexpr size_t kGreen = 7;
inline constexpr size_t kBlue = 8;
inline constexpr size_t kReportRateOption = 11;
inline constexpr size_t kActiveDpiStage = 12;
inline constexpr size_t kLiftOffOption = 13;
inline constexpr size_t kFirstDpiStage = 14;
inline constexpr size_t kDpiStageBytes = 9;
inline constexpr size_t kDpiStageCount = 6;
// Within one DPI stage.
inline constexpr size_t kStageEnabled = 0;
inline constexpr size_t kStageSeparateXY = 1;
inline constexpr size_t kStageXIndex = 2;  // 16-bit: (index + 1) x 100 cpi
inline constexpr size_t kStageYIndex = 4;
inline constexpr size_t kStageColour = 6;  // red, green, blue
inline constexpr size_t kScreenValid = 68;
static_assert(kFirstDpiStage + kDpiStageCount * kDpiStageBytes == kScreenValid);
}  // namespace config_block

// Named offsets of the 34-byte device info record.
namespace device_info {
inline constexpr size_t kRecordVersion = 0;
inline constexpr size_t kFirmwareVersion = 1;  // 16-bit, BCD major.minor
inline constexpr size_t kDeviceType = 3;       // 2: mouse
inline constexpr size_t kOnboardProfiles = 4;
inline constexpr size_t kKeySlots = 5;         // N
inline constexpr size_t kMacroUnits = 6;       // M
inline constexpr size_t kVendorId = 7;         // 16-bit
inline constexpr size_t kProductId = 9;        // 16-bit
inline constexpr size_t kMaxResolutionIndex = 11;
inline constexpr size_t kDpiStages = 12;
inline constexpr size_t kLightModes = 13;
inline constexpr size_t kModelName = 14;       // ASCII, zero-padded to the end of the record
}  // namespace device_info

struct MouseOptions {
    uint8_t keySlots = 16;       // N: the key table is 3 x N bytes
    uint8_t macroUnits = 8;      // M: macro memory is M x 128 bytes
    uint8_t onboardProfiles = 4; // at least 1
    // Slot of each of the eleven factory codes (logical buttons 0..10), in the device's own
    // order; a value >= keySlots leaves that button without a slot, as does a slot an earlier
    // button already took. Slots that no button takes hold codes of their own.
    std::vector<uint8_t> slotOfButton = {2, 0, 1, 4, 3, 6, 5, 8, 7, 10, 9};
    std::chrono::milliseconds latency{0};
    // Folder for the persisted memories; empty keeps them in memory only.
    std::string stateFolder;
    std::string stateFileName = "mouse.json";
};

struct PowerStatusBytes {
    std::array<uint8_t, kPowerStatusBytes> bytes{};
};

class MouseFirmware final : public CommandFirmware {
public:
    // Both collections the host talks to live on interface index 1.
    static constexpr size_t kCommandInterface = 1;
    static constexpr size_t kEventInterface = 1;

    explicit MouseFirmware(MouseOptions options);

    // Snapshots of the memories, for tests and tools.
    std::vector<uint8_t> ParameterMemory() const;
    std::vector<uint8_t> KeyTable() const;
    std::vector<uint8_t> MacroMemory() const;
    std::array<uint8_t, kDeviceInfoBytes> DeviceInfo() const;
    std::vector<uint8_t> KeyLightMap() const;
    PowerStatusBytes PowerStatus() const;
    std::vector<uint8_t> LightFrame() const;  // the last streamed frame's bytes (at most kLightFrameBytes)
    uint8_t ActiveProfile() const;
    bool InTransfer() const;  // between a BeginTransfer and its EndTransfer
    std::string StateFilePath() const;  // empty without a state folder

    // The factory contents, as a fresh device (or one with a broken state file) holds them.
    static std::vector<uint8_t> FactoryParameterMemory(const MouseOptions& options);
    static std::vector<uint8_t> FactoryKeyTable(const MouseOptions& options);
    static PowerStatusBytes FactoryPowerStatus();

    void SetPowerStatus(const PowerStatusBytes& status);
    // As if the user pressed the profile button: changes the active on-board profile and sends
    // the event report (consumer usage 0x0401, then its release) on the event interface of
    // `device`, which must be the device this firmware runs in. False for a profile the
    // device does not have.
    bool SwitchOnboardProfile(uint8_t profile, SimDevice& device);

    const MouseOptions& Options() const { return options_; }

protected:
    size_t CommandInterfaceIndex() const override { return kCommandInterface; }
    uint8_t Execute(uint8_t command, uint16_t address, uint8_t length, std::span<uint8_t> payload,
                    SimPort& port) override;

private:
    static MouseOptions Checked(MouseOptions options);
    void LoadState();
    void SaveStateLocked() const;

    const MouseOptions options_;
    const std::array<uint8_t, kDeviceInfoBytes> deviceInfo_;
    const std::vector<uint8_t> keyLightMap_;
    mutable std::mutex mutex_;
    std::vector<uint8_t> parameters_;
    std::vector<uint8_t> keyTable_;
    std::vector<uint8_t> macros_;
    PowerStatusBytes power_;
    std::vector<uint8_t> lightFrame_;
    bool inTransfer_ = false;
};

// The identity (VID/PID, interfaces 0 and 1 with their report descriptors) of the Q730.
SimDeviceIdentity Q730Identity();

}  // namespace orvane::sim
