#pragma once
// Firmware model of the per-key backlit keyboard (the catalogue's keyboard rows, vendor and
// product id 0): device info, a parameter memory of on-board profiles (one 25-byte
// KeyboardBlock each), a key table of N slots in the keyboard's scan order, the per-slot LED map,
// macro memory, the custom static light bitmap, the per-key light stream and key events.
//
// Parameter memory: profile p's block at p x 25; address 0, byte 0 of profile 0's block, holds
// the active profile. Writes go to the start of a block, at most one block long; byte 0 of a
// write at address 0 makes that profile the active one. A lighting or option byte out of range
// refuses the whole write (0xFE).
//
// The LED map (command 0x1B) is 170 bytes, the most a 512-byte block size reads: slot s's LED
// number at s, 0xFF for slots without a light and past the last slot. The light stream
// (command 0x12) fills a 126-byte intensity frame, LED n at offset n; the last frame is kept
// for tests, with a count of frames begun.
//
// Key events: PressKey / ReleaseKey send the consumer usage 0x0500 + slot / 0x0600 + slot on
// collection 3 of interface 1, where the host's sync thread reads them.

#include <array>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "sim/CommandFirmware.h"
#include "sim/MouseFirmware.h"

namespace orvane::sim {

inline constexpr size_t kKeyboardKeyCount = 126;
inline constexpr size_t kKeyboardBlockBytes = 25;
inline constexpr size_t kKeyLightMapBytes = 170;  // 512 / 3
inline constexpr size_t kKeyboardFrameBytes = 126;
inline constexpr size_t kCustomBitmapBytes = 21;
inline constexpr uint8_t kNoLed = 0xFF;

namespace keyboard_block {
inline constexpr size_t kProfileNumber = 0;  // the active profile, in profile 0's block
inline constexpr size_t kLightMode = 1;
inline constexpr size_t kBrightness = 2;
inline constexpr size_t kSpeedInverted = 3;
inline constexpr size_t kDirection = 4;
inline constexpr size_t kMultiColour = 5;
inline constexpr size_t kRed = 6;
inline constexpr size_t kGreen = 7;
inline constexpr size_t kBlue = 8;
inline constexpr size_t kWFlag = 19;
inline constexpr size_t kSixKeyFlag = 20;
inline constexpr size_t kWinLock = 21;
inline constexpr size_t kReportRate = 22;
inline constexpr uint8_t kLightModes = 25;
inline constexpr uint8_t kMaxLevel = 4;        // brightness and speed
inline constexpr uint8_t kReportRateOptions = 4;
}  // namespace keyboard_block

// The factory function code of each logical key 0..125 (what the host matches slots by).
const std::array<std::array<uint8_t, 3>, kKeyboardKeyCount>& KeyboardFactoryCodes();

struct KeyboardOptions {
    uint8_t keySlots = 126;       // N, at most 170
    uint8_t macroUnits = 16;      // macro memory of M x 128 bytes
    uint8_t onboardProfiles = 3;  // at least 1
    std::chrono::milliseconds latency{0};
    // Folder for the persisted memories; empty keeps them in memory only.
    std::string stateFolder;
    std::string stateFileName = "keyboard.json";
};

class KeyboardFirmware final : public CommandFirmware {
public:
    // Both collections the host talks to live on interface index 1.
    static constexpr size_t kCommandInterface = 1;
    static constexpr size_t kEventInterface = 1;

    explicit KeyboardFirmware(KeyboardOptions options);

    // The slot that holds logical key k in the keyboard's scan order (a fixed permutation; slot 7
    // holds key 44, W); keys past the last slot have none (kNoLed).
    static uint8_t FactorySlotOfKey(size_t key, uint8_t keySlots);
    // The LED a logical key lights: its place in the LED chain, kNoLed for the placeholder keys.
    static uint8_t LedOfKey(size_t key);

    // Snapshots, for tests and tools.
    std::vector<uint8_t> ParameterMemory() const;  // onboardProfiles x 25 bytes
    std::vector<uint8_t> KeyTable() const;         // 3 x N bytes
    std::vector<uint8_t> KeyLightMap() const;      // 170 bytes
    std::vector<uint8_t> MacroMemory() const;
    std::array<uint8_t, kCustomBitmapBytes> CustomBitmap() const;
    std::array<uint8_t, kKeyboardFrameBytes> LightFrame() const;  // the last streamed frame
    uint64_t LightFramesBegun() const;  // stream chunks at offset 0
    std::array<uint8_t, kDeviceInfoBytes> DeviceInfo() const { return deviceInfo_; }
    uint8_t ActiveProfile() const;
    bool InTransfer() const;
    std::string StateFilePath() const;  // empty without a state folder

    static std::vector<uint8_t> FactoryParameterMemory(uint8_t onboardProfiles);
    static std::vector<uint8_t> FactoryKeyTable(uint8_t keySlots);

    // As if the user pressed or released the key in `slot`; `device` must be the device this
    // firmware runs in. False for a slot the keyboard does not have.
    bool PressKey(uint8_t slot, SimDevice& device) const;
    bool ReleaseKey(uint8_t slot, SimDevice& device) const;
    // The profile button: the active profile changes and 0x0401 is announced, then released.
    bool SwitchOnboardProfile(uint8_t profile, SimDevice& device);

    const KeyboardOptions& Options() const { return options_; }

protected:
    size_t CommandInterfaceIndex() const override { return kCommandInterface; }
    uint8_t Execute(uint8_t command, uint16_t address, uint8_t length, std::span<uint8_t> payload,
                    SimPort& port) override;

private:
    static KeyboardOptions Checked(KeyboardOptions options);
    uint8_t WriteParameters(uint16_t address, std::span<const uint8_t> data, bool& changed);
    uint8_t StreamLight(uint16_t address, std::span<const uint8_t> data);
    bool SendKeyEvent(uint16_t base, uint8_t slot, SimDevice& device) const;
    void LoadState();
    void SaveStateLocked() const;

    const KeyboardOptions options_;
    const std::array<uint8_t, kDeviceInfoBytes> deviceInfo_;
    const std::vector<uint8_t> keyLightMap_;
    mutable std::mutex mutex_;
    std::vector<uint8_t> parameters_;
    std::vector<uint8_t> keyTable_;
    std::vector<uint8_t> macros_;
    std::array<uint8_t, kCustomBitmapBytes> bitmap_{};
    std::array<uint8_t, kPowerStatusBytes> power_{100, 0, 0, 0, 0, 0};  // wired: full, external power
    std::array<uint8_t, kKeyboardFrameBytes> frame_{};
    uint64_t framesBegun_ = 0;
    bool inTransfer_ = false;
};

// The identity of the keyboard: vendor and product id 0, interfaces 0 and 1.
SimDeviceIdentity KeyboardIdentity();

}  // namespace orvane::sim
