#pragma once
// The preview effects: each call is one animation step that rewrites the light colours from
// the lighting selection and the animation state it carries on.

#include <array>
#include <cstdint>

#include "light/LightFrame.h"
#include "light/RippleField.h"
#include "protocol/LightSetting.h"

namespace orvane {

struct PreviewAnimation {
    uint8_t position = 0;  // phase of the current effect
    uint8_t colour = 0;    // colour index of the current effect
    bool blinkOn = false;
    uint32_t lastBlinkMs = 0;
    RippleField ripple;
    uint8_t rippleSteps = 0;  // the pad's ripples move their ring every second step
};

struct EffectContext {
    LightSetting& selection;
    PreviewAnimation& animation;
    LightFrame& frame;
    uint32_t nowMs = 0;
};

using PreviewEffect = void (*)(EffectContext&);

// The seven effects every page has (modes 1-7 of the mouse).
void PreviewSpectrum(EffectContext& ctx);
void PreviewBreathFourColors(EffectContext& ctx);
void PreviewFlash(EffectContext& ctx);
void PreviewStaticRed(EffectContext& ctx);  // also makes the selection's colour red
void PreviewFlashFourColors(EffectContext& ctx);
void PreviewBreathCycle(EffectContext& ctx);  // without multicolour also makes the selection red
void PreviewOff(EffectContext& ctx);

// The mouse's own: mode 0 and mode 8.
void PreviewWave(EffectContext& ctx);
void PreviewRipple(EffectContext& ctx);

// The pad's own. Every light in the selection's colour.
void PreviewSteady(EffectContext& ctx);
// A ripple of single lights: each light follows its own cell of the 23-cell ring.
void PreviewLightRipple(EffectContext& ctx);
// A ripple of the seven mirrored zones (lights 1 and 14, 2 and 13, … 7 and 8) over 8 ring cells.
void PreviewZoneRipple(EffectContext& ctx);

// Building blocks the effects above and the custom steps share.
// One breath of the curve, two positions per step: the selection's colour, or with multicolour
// a wheel hue that moves on after every breath.
void Breathe(EffectContext& ctx);
// Every light in `color` at the selection's brightness.
void FillSteady(EffectContext& ctx, Rgb color);

// Preview by mouse mode 0-8.
inline constexpr std::array<PreviewEffect, 9> kMousePreviews{
    PreviewWave,      PreviewSpectrum,        PreviewBreathFourColors, PreviewFlash, PreviewStaticRed,
    PreviewFlashFourColors, PreviewBreathCycle, PreviewOff,              PreviewRipple};

}  // namespace orvane
