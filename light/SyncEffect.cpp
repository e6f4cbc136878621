#include "light/SyncEffect.h"

#include <algorithm>
#include <array>

#include "light/LightTables.h"
#include "light/StepIndex.h"

namespace orvane {
namespace {

constexpr std::array<int, 5> kBreathIntervals{5, 4, 3, 2, 1};
constexpr std::array<int, 5> kOtherIntervals{28, 23, 18, 13, 7};
constexpr uint8_t kHueStep = 14;

size_t SpeedIndex(uint8_t speed) { return std::min<size_t>(speed, kBreathIntervals.size() - 1); }

}  // namespace

SyncEffectSettings SyncSettingsFromLight(int effect, const LightSetting& light) {
    SyncEffectSettings s;
    s.effectType = static_cast<uint8_t>(effect);
    s.brightness = light.brightness;
    s.speed = light.speed;
    s.breathForward = light.direction;
    s.colourful = light.multiColor;
    s.colour = SelectionColor(light);
    return s;
}

int SyncStepIntervalMs(const SyncEffectSettings& settings) {
    const size_t i = SpeedIndex(settings.speed);
    return settings.effectType == static_cast<uint8_t>(SyncEffectType::Breathing) ? kBreathIntervals[i]
                                                                                    : kOtherIntervals[i];
}

void SyncEffectEngine::Restart(Clock::time_point now) {
    lastStep_ = now;
    lastToggle_ = now;
}

SyncEffectEngine::Clock::time_point SyncEffectEngine::NextStep(const SyncEffectSettings& settings) const {
    return lastStep_ + std::chrono::milliseconds(SyncStepIntervalMs(settings));
}

std::optional<LightColor> SyncEffectEngine::Advance(const SyncEffectSettings& settings, Clock::time_point now) {
    if (settings.effectType > static_cast<uint8_t>(SyncEffectType::Off)) return std::nullopt;
    const auto interval = std::chrono::milliseconds(SyncStepIntervalMs(settings));
    if (now < lastStep_ + interval) return std::nullopt;
    auto due = (now - lastStep_) / interval;
    lastStep_ += due * interval;
    due = std::min<decltype(due)>(due, kMaxStepsPerFrame);
    std::optional<LightColor> colour;
    // Each step gets its own time, so a flash toggles where it would have without the frame.
    for (decltype(due) i = due; i > 0; --i) colour = Step(settings, lastStep_ - (i - 1) * interval);
    return colour;
}

LightColor SyncEffectEngine::Step(const SyncEffectSettings& settings, Clock::time_point now) {
    const uint8_t bright = BrightnessLevel(settings.brightness);
    switch (static_cast<SyncEffectType>(settings.effectType)) {
        case SyncEffectType::Breathing:
            breathPosition_ = StepIndex(settings.breathForward != 0, kBreathCurve.size(), breathPosition_, 2);
            return MakeLightColor(kRed, Scale(bright, kBreathCurve[breathPosition_]));
        case SyncEffectType::Steady:
            return MakeLightColor(settings.colour, bright);
        case SyncEffectType::Flashing: {
            const auto period = std::chrono::milliseconds(kBreathIntervals[SpeedIndex(settings.speed)] * 200);
            if (now - lastToggle_ >= period) {
                flashOn_ = !flashOn_;
                lastToggle_ = now;
                const unsigned hue = unsigned{flashHue_} + kHueStep;
                flashHue_ = static_cast<uint8_t>(hue >= kColorWheel.size() ? 0 : hue);
            }
            if (!flashOn_) return 0;
            return MakeLightColor(settings.colourful != 0 ? WheelColor(flashHue_) : settings.colour, bright);
        }
        case SyncEffectType::ColourCycle:
            cycleIndex_ = StepIndex(true, kColorWheel.size(), cycleIndex_, 1);
            return MakeLightColor(WheelColor(cycleIndex_), bright);
        case SyncEffectType::Off:
        default:
            return 0;
    }
}

}  // namespace orvane
