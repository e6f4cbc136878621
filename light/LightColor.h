#pragma once
// A light's preview colour as one 32-bit word: red in byte 0, green in byte 1, blue in byte 2,
// alpha (intensity) in byte 3. The page list, the synchroniser and the painters share it.

#include <cstdint>

#include "protocol/LightSetting.h"

namespace orvane {

using LightColor = uint32_t;

struct Rgb {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kRed{255, 0, 0};

// The single colour of a lighting selection or an area light's entry.
constexpr Rgb SelectionColor(const LightSetting& s) { return {s.red, s.green, s.blue}; }
constexpr void SetSelectionColor(LightSetting& s, Rgb c) {
    s.red = c.red;
    s.green = c.green;
    s.blue = c.blue;
}

constexpr LightColor MakeLightColor(Rgb c, uint8_t alpha) {
    return uint32_t{c.red} | uint32_t{c.green} << 8 | uint32_t{c.blue} << 16 | uint32_t{alpha} << 24;
}

constexpr uint8_t RedOf(LightColor c) { return static_cast<uint8_t>(c); }
constexpr uint8_t GreenOf(LightColor c) { return static_cast<uint8_t>(c >> 8); }
constexpr uint8_t BlueOf(LightColor c) { return static_cast<uint8_t>(c >> 16); }
constexpr uint8_t AlphaOf(LightColor c) { return static_cast<uint8_t>(c >> 24); }

// level × scale / 256, truncated: how every effect dims a brightness level.
constexpr uint8_t Scale(uint8_t level, uint8_t scale) { return static_cast<uint8_t>(level * scale / 256); }

}  // namespace orvane
