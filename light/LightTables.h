#pragma once
// The fixed data of the light preview: brightness levels, breathing and wave curves, colour
// wheel, four fixed colours, flash periods and the ripple groups. Every lookup takes an index
// that may be out of range (a profile value, or a position another effect left behind) and
// brings it into the table.

#include <array>
#include <cstddef>
#include <cstdint>

#include "light/LightColor.h"

namespace orvane {

namespace light_tables_detail {

// An arithmetic run first, first + step, ..., last of a curve's rising half.
struct Run {
    uint8_t first;
    uint8_t last;
    uint8_t step;
};

template <size_t N>
constexpr size_t RisingLength(const std::array<Run, N>& runs) {
    size_t n = 0;
    for (const Run& r : runs) n += (r.last - r.first) / r.step + 1;
    return n;
}

// The rising half built from `runs`, followed by the same values in reverse order.
template <size_t Size, size_t N>
constexpr std::array<uint8_t, Size> MirroredCurve(const std::array<Run, N>& runs) {
    std::array<uint8_t, Size> curve{};
    size_t i = 0;
    for (const Run& r : runs)
        for (unsigned v = r.first; v <= r.last; v += r.step) curve[i++] = static_cast<uint8_t>(v);
    for (size_t k = 0; k < Size / 2; ++k) curve[Size - 1 - k] = curve[k];
    return curve;
}

inline constexpr std::array<Run, 7> kBreathRuns{{
    {0, 10, 1}, {12, 24, 2}, {27, 45, 3}, {49, 89, 4}, {94, 134, 5}, {140, 206, 6}, {213, 255, 7}}};
inline constexpr std::array<Run, 6> kWaveRuns{{
    {22, 24, 2}, {27, 45, 3}, {49, 89, 4}, {94, 134, 5}, {140, 206, 6}, {213, 255, 7}}};
static_assert(RisingLength(kBreathRuns) == 64);
static_assert(RisingLength(kWaveRuns) == 48);

inline constexpr std::array<uint8_t, 32> kRise{1,   3,   5,   7,   10,  14,  18,  22,  26,  32,  38,
                                               44,  50,  57,  65,  73,  81,  89,  99,  109, 119, 129,
                                               140, 152, 164, 176, 188, 200, 213, 227, 241, 255};
inline constexpr std::array<uint8_t, 32> kFall{248, 234, 220, 206, 194, 182, 170, 158, 146, 134, 124,
                                               114, 104, 94,  85,  77,  69,  61,  53,  47,  41,  35,
                                               29,  24,  20,  16,  12,  8,   6,   4,   2,   0};

// Six 32-entry sextants: red → yellow → green → cyan → blue → magenta → red.
constexpr std::array<Rgb, 192> BuildWheel() {
    std::array<Rgb, 192> wheel{};
    for (size_t k = 0; k < 32; ++k) {
        wheel[k] = {255, kRise[k], 0};
        wheel[32 + k] = {kFall[k], 255, 0};
        wheel[64 + k] = {0, 255, kRise[k]};
        wheel[96 + k] = {0, kFall[k], 255};
        wheel[128 + k] = {kRise[k], 0, 255};
        wheel[160 + k] = {255, 0, kFall[k]};
    }
    return wheel;
}

}  // namespace light_tables_detail

inline constexpr std::array<uint8_t, 5> kBrightnessLevels{0, 60, 135, 195, 255};
inline constexpr auto kBreathCurve = light_tables_detail::MirroredCurve<128>(light_tables_detail::kBreathRuns);
inline constexpr auto kWaveCurve = light_tables_detail::MirroredCurve<96>(light_tables_detail::kWaveRuns);
inline constexpr auto kColorWheel = light_tables_detail::BuildWheel();
inline constexpr std::array<Rgb, 4> kFixedColors{{{0, 255, 180}, {0, 255, 0}, {255, 255, 255}, {255, 0, 0}}};
// Indexed by speed 0-4. In units of 200 ms as flash periods, in preview turns as the pad's
// step thresholds.
inline constexpr std::array<uint8_t, 5> kFlashPeriods{28, 23, 18, 13, 7};
inline constexpr uint32_t kFlashPeriodUnitMs = 200;

// The mouse's ripple: 9 groups of up to three light indices, kNoLight for none.
inline constexpr uint8_t kNoLight = 255;
inline constexpr std::array<std::array<uint8_t, 3>, 9> kRippleGroups{{{0, 18, 18},
                                                                      {1, 17, kNoLight},
                                                                      {2, 16, kNoLight},
                                                                      {3, 15, kNoLight},
                                                                      {4, 14, kNoLight},
                                                                      {5, 13, kNoLight},
                                                                      {6, 12, kNoLight},
                                                                      {7, 9, 11},
                                                                      {8, 9, 10}}};

// The pad's zone ripple: zone z lights the two mirrored lights z + 1 and 14 − z; light 0 is in none.
inline constexpr std::array<std::array<uint8_t, 2>, 7> kPadRippleZones{
    {{1, 14}, {2, 13}, {3, 12}, {4, 11}, {5, 10}, {6, 9}, {7, 8}}};

static_assert(kBreathCurve.size() == 128 && kBreathCurve[63] == 255 && kBreathCurve[64] == 255);
static_assert(kBreathCurve[10] == 10 && kBreathCurve[11] == 12 && kBreathCurve[127] == 0);
static_assert(kWaveCurve.size() == 96 && kWaveCurve[0] == 22 && kWaveCurve[47] == 255 && kWaveCurve[95] == 22);
static_assert(kColorWheel.size() == 192);
static_assert(kColorWheel[0] == Rgb{255, 1, 0} && kColorWheel[191] == Rgb{255, 0, 0});

// Brightness above 4 reads as full brightness.
constexpr uint8_t BrightnessLevel(uint8_t brightness) {
    return kBrightnessLevels[brightness < kBrightnessLevels.size() ? brightness : kBrightnessLevels.size() - 1];
}

// A speed above 4 is faster than any table entry: 0 (on every turn, at every check).
constexpr uint8_t SpeedPeriod(uint8_t speed) { return speed < kFlashPeriods.size() ? kFlashPeriods[speed] : 0; }
constexpr uint32_t FlashPeriodMs(uint8_t speed) { return SpeedPeriod(speed) * kFlashPeriodUnitMs; }

constexpr Rgb WheelColor(unsigned index) { return kColorWheel[index % kColorWheel.size()]; }
constexpr Rgb FixedColor(unsigned index) { return kFixedColors[index % kFixedColors.size()]; }

}  // namespace orvane
