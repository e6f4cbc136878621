#include "light/AreaLights.h"

#include <algorithm>

#include "light/LightTables.h"

namespace orvane {
namespace {

enum AreaMode : uint8_t { kBreathe = 0, kSteady = 1, kFlash = 2, kCycle = 3, kOff = 4 };

// Hues only grow; they go round the wheel.
uint8_t NextHue(uint8_t hue, unsigned delta) {
    const unsigned next = hue + delta;
    return next >= kColorWheel.size() ? 0 : static_cast<uint8_t>(next);
}

}  // namespace

void AreaLightEffects::Replace(std::vector<LightListEntry> entries, size_t lightCount) {
    entries_ = std::move(entries);
    states_.assign(lightCount, LightState{});
    for (size_t i = 0; i < std::min(entries_.size(), states_.size()); ++i) {
        states_[i].cycleThreshold = SpeedPeriod(entries_[i].light.speed);
        states_[i].flashPeriodMs = FlashPeriodMs(entries_[i].light.speed);
    }
}

void AreaLightEffects::Tick(LightFrame& frame, uint32_t nowMs) {
    const size_t n = std::min({entries_.size(), states_.size(), frame.size()});
    for (size_t i = 0; i < n; ++i) {
        const LightSetting& e = entries_[i].light;
        LightState& s = states_[i];
        const uint8_t bright = BrightnessLevel(e.brightness);
        // Every entry keeps flash time, whatever its mode, so a later switch to flashing is in step.
        if (nowMs - s.flashChangedMs >= s.flashPeriodMs) {
            s.flashOn = !s.flashOn;
            s.flashChangedMs = nowMs;
            s.flashHue = NextHue(s.flashHue, 14);
        }
        if (entries_[i].present == 0) continue;
        switch (e.mode) {
        case kBreathe: {
            const Rgb color = e.multiColor != 0 ? WheelColor(s.breathHue) : SelectionColor(e);
            s.breathPhase = static_cast<uint8_t>(s.breathPhase + e.speed + 4);
            if (s.breathPhase >= kBreathCurve.size()) {
                s.breathPhase = 0;
                s.breathHue = NextHue(s.breathHue, 1);
            }
            frame.Set(i, MakeLightColor(color, Scale(kBreathCurve[s.breathPhase], bright)));
            break;
        }
        case kSteady: frame.Set(i, MakeLightColor(SelectionColor(e), bright)); break;
        case kFlash: {
            const Rgb color = e.multiColor != 0 ? WheelColor(s.flashHue) : SelectionColor(e);
            frame.Set(i, s.flashOn ? MakeLightColor(color, bright) : 0);
            break;
        }
        case kCycle:
            if (++s.cycleCounter >= s.cycleThreshold) {
                s.cycleCounter = 0;
                s.cycleHue = NextHue(s.cycleHue, 1);
            }
            frame.Set(i, MakeLightColor(WheelColor(s.cycleHue), bright));
            break;
        case kOff: frame.Set(i, 0); break;
        default: break;
        }
    }
}

bool AreaLightEffects::Active() const {
    const size_t n = std::min(entries_.size(), states_.size());
    return std::any_of(entries_.begin(), entries_.begin() + static_cast<std::ptrdiff_t>(n), [](const LightListEntry& e) {
        return e.present != 0 && e.light.mode <= kOff;
    });
}

bool AreaLightEffects::Animates() const {
    const size_t n = std::min(entries_.size(), states_.size());
    return std::any_of(entries_.begin(), entries_.begin() + static_cast<std::ptrdiff_t>(n), [](const LightListEntry& e) {
        return e.present != 0 && (e.light.mode == kBreathe || e.light.mode == kFlash || e.light.mode == kCycle);
    });
}

}  // namespace orvane
