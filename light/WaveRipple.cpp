#include <algorithm>

#include "light/LightTables.h"
#include "light/PreviewEffects.h"
#include "light/StepIndex.h"

namespace orvane {
namespace {

// Neighbouring lights sit this many entries apart on the wheel or the wave curve.
constexpr unsigned kWaveSpacing = 7;

// The pad's ripple rings: one cell per light, or one per zone and a gap.
constexpr size_t kLightRippleCells = RippleField::kRingCells;
constexpr size_t kZoneRippleCells = 8;
// A multicolour ripple moves this far round the wheel for every light it colours.
constexpr uint8_t kRippleHueStep = 12;

// One step of a pad ripple: every second step the marked cells light their lights and the
// first `cells` cells of the ring move one place.
void PadRippleStep(EffectContext& ctx, size_t cells, bool towardsHigher) {
    PreviewAnimation& a = ctx.animation;
    a.position = StepIndex(ctx.selection.direction != 0, 192, a.position, 1);
    if (a.rippleSteps >= 2) {
        a.rippleSteps = 0;
        a.ripple.SeedIntensity(std::min(ctx.frame.size(), RippleField::kRingCells));
        a.ripple.RotateRing(towardsHigher, cells);
    }
    ++a.rippleSteps;
}

// The colour of `light` in a pad ripple: the selection's; with multicolour the next hue round
// the wheel, except while the ripple's starting end is lit, when the light keeps its colour.
Rgb PadRippleColor(EffectContext& ctx, size_t light) {
    if (ctx.selection.multiColor == 0 || ctx.frame.size() == 0) return SelectionColor(ctx.selection);
    PreviewAnimation& a = ctx.animation;
    a.position = static_cast<uint8_t>(a.position + kRippleHueStep);
    const size_t start = ctx.selection.direction != 0 ? 0 : ctx.frame.size() - 1;
    if (a.ripple.intensity[std::min(start, RippleField::kGroups - 1)] != 0) {
        const LightColor kept = ctx.frame.Get(light);
        return {RedOf(kept), GreenOf(kept), BlueOf(kept)};
    }
    return WheelColor(a.position);
}

}  // namespace

void PreviewWave(EffectContext& ctx) {
    PreviewAnimation& a = ctx.animation;
    const bool forward = ctx.selection.direction != 0;
    const uint8_t bright = BrightnessLevel(ctx.selection.brightness);
    if (ctx.selection.multiColor != 0) {
        a.position = StepIndex(forward, 192, a.position, 1);
        unsigned hue = (a.position + 1u) % kColorWheel.size();
        for (size_t i = 0; i < ctx.frame.size(); ++i, hue = (hue + kWaveSpacing) % kColorWheel.size())
            ctx.frame.Set(i, MakeLightColor(WheelColor(hue), bright));
        return;
    }
    a.position = StepIndex(forward, 96, a.position, 1);
    unsigned phase = (a.position + 1u) % kWaveCurve.size();
    const Rgb color = SelectionColor(ctx.selection);
    for (size_t i = 0; i < ctx.frame.size(); ++i, phase = (phase + kWaveSpacing) % kWaveCurve.size())
        ctx.frame.Set(i, MakeLightColor(color, Scale(bright, kWaveCurve[phase])));
}

void PreviewRipple(EffectContext& ctx) {
    PreviewAnimation& a = ctx.animation;
    const bool forward = ctx.selection.direction != 0;
    const bool fast = ctx.selection.mode != 0;
    const uint8_t bright = BrightnessLevel(ctx.selection.brightness);
    a.position = StepIndex(forward, 192, a.position, 1);
    a.ripple.SeedIntensity();
    a.ripple.RotateRing(forward);
    for (size_t g = 0; g < kRippleGroups.size(); ++g) {
        a.ripple.DecayIntensity(g, fast);
        Rgb color = SelectionColor(ctx.selection);
        if (ctx.selection.multiColor != 0) {
            a.position = static_cast<uint8_t>(a.position + 12);
            color = WheelColor(a.position);
        }
        const LightColor lit = MakeLightColor(color, Scale(bright, a.ripple.intensity[g]));
        for (uint8_t light : kRippleGroups[g])
            if (light != kNoLight) ctx.frame.Set(light, lit);
    }
}

void PreviewLightRipple(EffectContext& ctx) {
    PadRippleStep(ctx, kLightRippleCells, ctx.selection.direction != 0);
    const bool fast = ctx.selection.mode != 0;
    const uint8_t bright = BrightnessLevel(ctx.selection.brightness);
    const size_t lights = std::min(ctx.frame.size(), RippleField::kGroups);
    for (size_t i = 0; i < lights; ++i) {
        ctx.animation.ripple.DecayIntensity(i, fast);
        const Rgb color = PadRippleColor(ctx, i);
        ctx.frame.Set(i, MakeLightColor(color, Scale(bright, ctx.animation.ripple.intensity[i])));
    }
}

void PreviewZoneRipple(EffectContext& ctx) {
    PadRippleStep(ctx, kZoneRippleCells, ctx.selection.direction == 0);
    const bool fast = ctx.selection.mode != 0;
    const uint8_t bright = BrightnessLevel(ctx.selection.brightness);
    for (size_t z = 0; z < kPadRippleZones.size(); ++z) {
        ctx.animation.ripple.DecayIntensity(z, fast);
        const Rgb color = PadRippleColor(ctx, kPadRippleZones[z][0]);
        const LightColor lit = MakeLightColor(color, Scale(bright, ctx.animation.ripple.intensity[z]));
        for (uint8_t light : kPadRippleZones[z]) ctx.frame.Set(light, lit);
    }
}

}  // namespace orvane
