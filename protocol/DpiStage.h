#pragma once
// One DPI stage as the mouse's settings record holds it, and as profiles keep it.

#include <array>
#include <cstddef>
#include <cstdint>

namespace orvane {

// One DPI stage. The device's settings record holds it as 9 bytes: StageActive, StageXY,
// StageDPIX (LE), StageDPIY (LE), StageColorR, G, B. The resolutions are indices n meaning
// (n + 1) × 100 counts per inch.
struct DpiStage {
    static constexpr size_t kSize = 9;

    uint8_t StageActive = 0;
    uint8_t StageXY = 0;
    uint16_t StageDPIX = 0;
    uint16_t StageDPIY = 0;
    uint8_t StageColorR = 0;
    uint8_t StageColorG = 0;
    uint8_t StageColorB = 0;

    std::array<uint8_t, kSize> Encode() const;
    static DpiStage Decode(const std::array<uint8_t, kSize>& bytes);
    bool operator==(const DpiStage&) const = default;
};

}  // namespace orvane
