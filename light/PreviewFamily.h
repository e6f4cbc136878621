#pragma once
// How a device family plays the preview: which effect each firmware mode (0-8) runs, how many
// counted turns pass between two effect steps at each speed, and whether its per-light effects
// ("LightList") run on every turn. Modes without an effect, and every mode above 8, play the
// user effect's steps.

#include <array>
#include <cstdint>

#include "light/LightTables.h"
#include "light/PreviewEffects.h"

namespace orvane {

struct PreviewFamily {
    std::array<PreviewEffect, 9> effects;  // nullptr: the mode plays the custom steps
    unsigned (*threshold)(uint8_t speed);  // counted turns per effect step; 0 runs every turn
    bool areaLightsEveryTurn;
};

// The mouse: 5 − speed turns per step; its per-light effects are painted when they change.
constexpr unsigned MouseStepThreshold(uint8_t speed) { return speed <= 4 ? 5u - speed : 0u; }
inline constexpr PreviewFamily kMousePreviewFamily{kMousePreviews, MouseStepThreshold, false};

// The lit pad (and the headset, which shares its lighting): 28, 23, 18, 13, 7 turns by speed,
// its own ripples, and the per-light effects on every turn. Breathing and steady light show the
// chosen colour, as the pad itself does.
constexpr unsigned PadStepThreshold(uint8_t speed) { return SpeedPeriod(speed); }
inline constexpr PreviewFamily kPadPreviewFamily{
    {PreviewWave, PreviewSpectrum, Breathe, PreviewSteady, PreviewFlash, nullptr, PreviewLightRipple,
     PreviewZoneRipple, PreviewOff},
    PadStepThreshold,
    true};

}  // namespace orvane
