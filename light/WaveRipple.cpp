#include "light/LightTables.h"
#include "light/PreviewEffects.h"
#include "light/StepIndex.h"

namespace orvane {
namespace {

// Neighbouring lights sit this many entries apart on the wheel or the wave curve.
constexpr unsigned kWaveSpacing = 7;

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

}  // namespace orvane
