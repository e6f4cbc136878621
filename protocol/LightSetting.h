#pragma once
// One light state: what the settings block holds at bytes 1-8, and what every profile record of
// lighting repeats under its own JSON names ("LightInfo", "LightList", a ".light" step).

#include <cstdint>

namespace orvane {

// Brightness and speed run 0..4 on every device.
inline constexpr int kMaxLightLevel = 4;

struct LightSetting {
    uint8_t mode = 0;        // effect; the firmware runs 0-8, higher ones are the host's own
    uint8_t brightness = 0;  // 0-4
    uint8_t speed = 0;       // 0-4
    uint8_t direction = 0;   // 1 one way, 0 the other
    uint8_t multiColor = 0;  // 1: the effect cycles colours instead of showing red, green, blue
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    bool operator==(const LightSetting&) const = default;
};

}  // namespace orvane
