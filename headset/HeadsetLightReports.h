#pragma once
// The headset's light output: its 13 lights are driven through two LED driver banks with twelve
// 17-byte output reports per frame (byte 0 0xFF, byte 1 bank, byte 2 register, byte 3 0, bytes
// 4.. the register values).

#include <array>
#include <cstdint>
#include <span>

#include "light/LightColor.h"

namespace orvane {

inline constexpr size_t kHeadsetLightCount = 13;
inline constexpr size_t kHeadsetLightReportSize = 17;
inline constexpr size_t kHeadsetLightReportCount = 12;
// The brightest a channel is driven.
inline constexpr uint8_t kHeadsetChannelLimit = 247;

using HeadsetLightReport = std::array<uint8_t, kHeadsetLightReportSize>;
using HeadsetLightFrame = std::array<HeadsetLightReport, kHeadsetLightReportCount>;

// The reports for 13 light colours (red byte 0 … alpha byte 3): each channel scaled by the
// alpha, (c × alpha) >> 8, and limited to 247. Red, then green, then blue; each as lights 0-6 and
// 7-12 to bank 0x22, then the same to bank 0x44. A report of six values keeps byte 10 as the
// report before it set it; bytes 11-16 are 0.
HeadsetLightFrame BuildHeadsetLightReports(std::span<const LightColor, kHeadsetLightCount> colours);

}  // namespace orvane
