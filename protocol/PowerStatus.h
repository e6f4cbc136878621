#pragma once
// The 6-byte power record of the mouse (ReadRecord at address 0).

#include <array>
#include <cstdint>

namespace orvane {

struct PowerStatus {
    static constexpr size_t kBytes = 6;
    enum Offset : size_t { kCharge = 0, kChargeState = 1, kUnused = 2, kWireless = 3, kMessageParam = 4, kPhoneType = 5 };
    enum ChargeState : uint8_t { kExternalPower = 0, kCharging = 1, kOnBattery = 2 };

    std::array<uint8_t, kBytes> bytes{};

    // The host overwrites byte 3 with its own wireless mark before showing the record.
    void MarkLink(bool slowLink) { bytes[kWireless] = slowLink ? 1 : 0; }
    uint8_t Charge() const { return bytes[kCharge]; }
    uint8_t State() const { return bytes[kChargeState]; }
};

}  // namespace orvane
