#include "headset/HeadsetLightReports.h"

#include <algorithm>

namespace orvane {
namespace {

constexpr uint8_t kReportId = 0xFF;
constexpr uint8_t kBanks[] = {0x22, 0x44};
constexpr size_t kValueOffset = 4;
constexpr size_t kFirstHalf = 7;  // lights 0-6; lights 7-12 follow in the next register
// Registers of lights 0-6 for red, green and blue; those of lights 7-12 are 3 above.
constexpr uint8_t kFirstRegisters[] = {0xAA, 0xAB, 0xAC};
constexpr uint8_t kSecondHalfStep = 3;

uint8_t Channel(uint8_t value, uint8_t alpha) {
    return static_cast<uint8_t>(std::min<unsigned>((unsigned{value} * alpha) >> 8, kHeadsetChannelLimit));
}

}  // namespace

HeadsetLightFrame BuildHeadsetLightReports(std::span<const LightColor, kHeadsetLightCount> colours) {
    std::array<std::array<uint8_t, kHeadsetLightCount>, 3> channels{};
    for (size_t i = 0; i < kHeadsetLightCount; ++i) {
        const uint8_t alpha = AlphaOf(colours[i]);
        channels[0][i] = Channel(RedOf(colours[i]), alpha);
        channels[1][i] = Channel(GreenOf(colours[i]), alpha);
        channels[2][i] = Channel(BlueOf(colours[i]), alpha);
    }
    HeadsetLightFrame frame{};
    // One buffer for the whole frame, as the headset has always been sent it: a six-value report
    // leaves the seventh value of the report before it in byte 10.
    HeadsetLightReport report{};
    report[0] = kReportId;
    size_t n = 0;
    for (size_t channel = 0; channel < 3; ++channel) {
        for (uint8_t bank : kBanks) {
            for (size_t half = 0; half < 2; ++half) {
                report[1] = bank;
                report[2] = static_cast<uint8_t>(kFirstRegisters[channel] + (half == 0 ? 0 : kSecondHalfStep));
                const size_t first = half == 0 ? 0 : kFirstHalf;
                const size_t last = half == 0 ? kFirstHalf : kHeadsetLightCount;
                std::copy(channels[channel].begin() + static_cast<std::ptrdiff_t>(first),
                          channels[channel].begin() + static_cast<std::ptrdiff_t>(last), report.begin() + kValueOffset);
                frame[n++] = report;
            }
        }
    }
    return frame;
}

}  // namespace orvane
