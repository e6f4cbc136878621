#pragma once
// Firmware model of the USB headset: the pad's command side (device info, parameter memory of
// profile blocks) on its one HID interface, plus its light output. The host drives the 13 lights
// through two LED driver banks (0x22 and 0x44) with 17-byte output reports:
//   byte 0 report id 0xFF, byte 1 bank, byte 2 register, byte 3 0, bytes 4.. register values.
// Registers 0xAA, 0xAB, 0xAC take red, green, blue of lights 0-6 (bytes 4-10); 0xAD, 0xAE, 0xAF
// those of lights 7-12 (bytes 4-9; byte 10 is ignored). The firmware records the reports it
// took (the last two frames' worth) and shows what the registers hold; a report that is not
// one of these is refused and changes nothing. Light reports never meet a command fault.

#include <array>
#include <cstdint>
#include <deque>
#include <mutex>
#include <span>
#include <vector>

#include "sim/PadFirmware.h"

namespace orvane::sim {

inline constexpr size_t kHeadsetLightReportBytes = 17;
inline constexpr uint8_t kHeadsetLightReportId = 0xFF;
inline constexpr size_t kHeadsetLights = 13;
inline constexpr uint8_t kHeadsetLightBanks[] = {0x22, 0x44};
inline constexpr size_t kHeadsetRecordedLightReports = 24;

using HeadsetLightReport = std::array<uint8_t, kHeadsetLightReportBytes>;

struct LightColour {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    bool operator==(const LightColour&) const = default;
};

class HeadsetFirmware final : public PadFirmware {
public:
    explicit HeadsetFirmware(PadOptions options);

    // The light reports taken, oldest first: at most the last kHeadsetRecordedLightReports.
    std::vector<HeadsetLightReport> LightReports() const;
    uint64_t LightReportsRefused() const;
    // What one bank's registers make the 13 lights show; all dark for a bank the headset lacks.
    std::array<LightColour, kHeadsetLights> LightColours(uint8_t bank) const;

protected:
    bool TakeOwnReport(size_t interfaceIndex, std::span<const uint8_t> report) override;

private:
    bool Apply(std::span<const uint8_t> report);

    mutable std::mutex lightMutex_;
    std::deque<HeadsetLightReport> lightReports_;  // bounded: kHeadsetRecordedLightReports
    uint64_t lightReportsRefused_ = 0;
    std::array<std::array<LightColour, kHeadsetLights>, std::size(kHeadsetLightBanks)> banks_{};
};

// The headset: VID 0x0D8C, PID 0x01DA, device type 7, its HID interface number 3.
const PadModel& HeadsetModel();
SimDeviceIdentity HeadsetIdentity();

}  // namespace orvane::sim
