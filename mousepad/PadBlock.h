#pragma once
// PadBlock: the pad's 21-byte lighting parameter block as the host holds it. On the pad each
// profile's block is 25 bytes at profile × 25 (the host keeps the first 21) and the speed is
// stored inverted (4 − speed); the host writes 21 bytes at address 0, byte 0 naming the profile.
// Bytes 4 and 9-20 are the pad's own: written back as last read.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "protocol/LightSetting.h"

namespace orvane {

struct PadBlock {
    static constexpr size_t kBytes = 21;
    static constexpr size_t kReadBytes = 25;     // one profile's block as the pad reads it
    static constexpr uint16_t kReadStride = 25;  // profile p's block is read at p × 25
    static constexpr uint16_t kWriteStride = 64; // a block is written at profile index × 64
    static constexpr uint8_t kSpeedBase = 4;     // the pad stores 4 − speed
    // Modes the pad runs itself; a user effect's number is sent as mode 0.
    static constexpr uint8_t kFirstHostMode = 9;

    // Offsets.
    static constexpr size_t kProfileNumber = 0;
    static constexpr size_t kMode = 1;
    static constexpr size_t kBrightness = 2;
    static constexpr size_t kSpeed = 3;
    static constexpr size_t kMultiColor = 5;
    static constexpr size_t kRed = 6;
    static constexpr size_t kGreen = 7;
    static constexpr size_t kBlue = 8;

    std::array<uint8_t, kBytes> bytes{};

    uint8_t ProfileNumber() const { return bytes[kProfileNumber]; }
    // Mode, brightness, speed (as the user counts it), multicolour and colour; the pad keeps no
    // direction, so `direction` comes from `keep`.
    LightSetting Lighting(const LightSetting& keep = {}) const;
    // Bytes 1, 2, 3, 5, 6, 7, 8 from `light`; the profile number and the pad's own bytes stay.
    void SetLighting(const LightSetting& light);

    bool operator==(const PadBlock&) const = default;
};
static_assert(sizeof(PadBlock) == PadBlock::kBytes);

// A read of profile `profile`'s block (the first 21 of its 25 bytes): byte 0 becomes the profile
// number, the speed is turned back the right way.
PadBlock DecodePadBlock(uint8_t profile, std::span<const uint8_t, PadBlock::kReadBytes> read);

// The 21 bytes the pad is sent: the speed inverted, a host-only mode (9 and up) as 0.
std::array<uint8_t, PadBlock::kBytes> EncodePadBlock(const PadBlock& block);

}  // namespace orvane
