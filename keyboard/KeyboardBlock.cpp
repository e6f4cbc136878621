#include "keyboard/KeyboardBlock.h"

#include <algorithm>

namespace orvane {
namespace {

uint8_t Flag(uint16_t value) { return value != 0 ? 1 : 0; }
uint8_t Level(uint8_t value) { return std::min<uint8_t>(value, kMaxLightLevel); }

}  // namespace

KeyboardBlock KeyboardBlock::Build(uint8_t activeProfile, const LightSetting& light,
                                   const KeyboardSystemSettings& settings) {
    KeyboardBlock b;
    b.bytes[kActiveProfile] = activeProfile;
    b.bytes[kLightMode] = light.mode < kKeyboardLightModes ? light.mode : 0;
    b.bytes[kBrightness] = Level(light.brightness);
    b.bytes[kSpeed] = static_cast<uint8_t>(kMaxLightLevel - Level(light.speed));
    b.bytes[kDirection] = Flag(light.direction);
    b.bytes[kMultiColor] = Flag(light.multiColor);
    b.bytes[kRed] = light.red;
    b.bytes[kGreen] = light.green;
    b.bytes[kBlue] = light.blue;
    b.bytes[kWFlag] = Flag(settings.WFlag);
    b.bytes[kSixKeyFlag] = Flag(settings.Key6Flag);
    b.bytes[kWinLock] = Flag(settings.WinFlag);
    b.bytes[kReportRate] = static_cast<uint8_t>(std::min<uint16_t>(settings.PollingRate, kKeyboardReportRateOptions - 1));
    return b;
}

std::optional<DecodedKeyboardBlock> DecodeKeyboardBlock(uint8_t activeProfile,
                                                        const std::array<uint8_t, KeyboardBlock::kBytes>& raw,
                                                        const LightSetting& current) {
    using B = KeyboardBlock;
    if (raw[B::kLightMode] >= kKeyboardLightModes || raw[B::kBrightness] > kMaxLightLevel ||
        raw[B::kSpeed] > kMaxLightLevel)
        return std::nullopt;
    DecodedKeyboardBlock d;
    d.activeProfile = activeProfile;
    d.light = current;
    d.light.mode = raw[B::kLightMode];
    d.light.brightness = raw[B::kBrightness];
    d.light.speed = static_cast<uint8_t>(kMaxLightLevel - raw[B::kSpeed]);
    d.light.multiColor = Flag(raw[B::kMultiColor]);
    d.light.red = raw[B::kRed];
    d.light.green = raw[B::kGreen];
    d.light.blue = raw[B::kBlue];
    d.WFlag = raw[B::kWFlag];
    d.Key6Flag = raw[B::kSixKeyFlag];
    d.WinFlag = raw[B::kWinLock];
    return d;
}

}  // namespace orvane
