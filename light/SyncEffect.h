#pragma once
// The one effect the lighting synchroniser runs on every device that takes part: its settings,
// taken from the light state of the page the user copied, and the steps that compute its colour.
// Time is counted in steps of the effect's interval; a frame runs every step that fell due since
// the previous one, so the synchroniser wakes only when a frame is due.

#include <chrono>
#include <cstdint>
#include <optional>

#include "light/LightColor.h"

namespace orvane {

enum class SyncEffectType : uint8_t { Breathing = 0, Steady = 1, Flashing = 2, ColourCycle = 3, Off = 4 };

struct SyncEffectSettings {
    uint8_t effectType = static_cast<uint8_t>(SyncEffectType::Off);
    uint8_t brightness = 0;     // index into the brightness levels
    uint8_t speed = 0;          // index into the step intervals
    uint8_t breathForward = 0;  // non-zero: the breathing position moves forward
    uint8_t colourful = 0;      // flashing walks the colour wheel
    Rgb colour;
    bool operator==(const SyncEffectSettings&) const = default;
};

// The settings of common effect `effect` (0-4) with the brightness, speed, direction, colourful
// flag and colour of `light`.
SyncEffectSettings SyncSettingsFromLight(int effect, const LightSetting& light);

// The interval between two steps in milliseconds: breathing 5, 4, 3, 2, 1 by speed, every other
// effect 28, 23, 18, 13, 7; a speed above 4 runs as 4.
int SyncStepIntervalMs(const SyncEffectSettings& settings);

class SyncEffectEngine {
public:
    using Clock = std::chrono::steady_clock;
    // A frame never runs more steps than this: after a stall the effect goes on, it does not race.
    static constexpr int kMaxStepsPerFrame = 512;

    // Counting starts at `now` (taking part begins, or the settings changed).
    void Restart(Clock::time_point now);
    // The steps due by `now`, each one run in order; the colour of the last one, or nullopt when
    // none was due. An effect type above 4 runs nothing.
    std::optional<LightColor> Advance(const SyncEffectSettings& settings, Clock::time_point now);
    // When the next step falls due.
    Clock::time_point NextStep(const SyncEffectSettings& settings) const;

    // One step, as a frame runs it.
    LightColor Step(const SyncEffectSettings& settings, Clock::time_point now);

    uint8_t CycleIndex() const { return cycleIndex_; }
    uint8_t BreathPosition() const { return breathPosition_; }
    bool FlashOn() const { return flashOn_; }

private:
    Clock::time_point lastStep_{};
    Clock::time_point lastToggle_{};
    uint8_t cycleIndex_ = 0;
    uint8_t breathPosition_ = 0;
    uint8_t flashHue_ = 0;
    bool flashOn_ = false;
};

}  // namespace orvane
