#include "light/LightTables.h"
#include "light/PreviewEffects.h"
#include "light/StepIndex.h"

namespace orvane {
namespace {

bool Forward(const EffectContext& ctx) { return ctx.selection.direction != 0; }
uint8_t Bright(const EffectContext& ctx) { return BrightnessLevel(ctx.selection.brightness); }

// Adds `delta` to an index and starts again at 0 once it reaches `limit`.
uint8_t Advance(uint8_t index, unsigned delta, unsigned limit) {
    const unsigned next = index + delta;
    return next >= limit ? 0 : static_cast<uint8_t>(next);
}

// Toggles the blink once a flash period has passed since the last toggle; true when it did.
bool BlinkDue(EffectContext& ctx) {
    PreviewAnimation& a = ctx.animation;
    if (ctx.nowMs - a.lastBlinkMs < FlashPeriodMs(ctx.selection.speed)) return false;
    a.blinkOn = !a.blinkOn;
    a.lastBlinkMs = ctx.nowMs;
    return true;
}

void FillBlink(EffectContext& ctx, Rgb color) {
    ctx.frame.Fill(ctx.animation.blinkOn ? MakeLightColor(color, Bright(ctx)) : 0);
}

}  // namespace

void FillSteady(EffectContext& ctx, Rgb color) { ctx.frame.Fill(MakeLightColor(color, Bright(ctx))); }

void Breathe(EffectContext& ctx) {
    PreviewAnimation& a = ctx.animation;
    a.position = StepIndex(Forward(ctx), 128, a.position, 2);
    if (a.position == 0) a.colour = Advance(a.colour, 16, kColorWheel.size());
    const Rgb color = ctx.selection.multiColor != 0 ? WheelColor(a.colour) : SelectionColor(ctx.selection);
    ctx.frame.Fill(MakeLightColor(color, Scale(kBreathCurve[a.position], Bright(ctx))));
}

void PreviewSpectrum(EffectContext& ctx) {
    PreviewAnimation& a = ctx.animation;
    a.position = StepIndex(Forward(ctx), 192, a.position, 1);
    FillSteady(ctx, WheelColor(a.position));
}

void PreviewBreathFourColors(EffectContext& ctx) {
    PreviewAnimation& a = ctx.animation;
    a.position = StepIndex(Forward(ctx), 128, a.position, 1);
    if (a.position == 0) a.colour = Advance(a.colour, 1, kFixedColors.size());
    ctx.frame.Fill(MakeLightColor(FixedColor(a.colour), Scale(kBreathCurve[a.position], Bright(ctx))));
}

void PreviewFlash(EffectContext& ctx) {
    PreviewAnimation& a = ctx.animation;
    if (BlinkDue(ctx)) a.position = Advance(a.position, 16, kColorWheel.size());
    FillBlink(ctx, ctx.selection.multiColor != 0 ? WheelColor(a.position) : SelectionColor(ctx.selection));
}

void PreviewStaticRed(EffectContext& ctx) {
    SetSelectionColor(ctx.selection, kRed);
    FillSteady(ctx, kRed);
}

void PreviewFlashFourColors(EffectContext& ctx) {
    PreviewAnimation& a = ctx.animation;
    if (BlinkDue(ctx)) a.position = Advance(a.position, 1, kFixedColors.size());
    FillBlink(ctx, FixedColor(a.position));
}

void PreviewBreathCycle(EffectContext& ctx) {
    if (ctx.selection.multiColor == 0) SetSelectionColor(ctx.selection, kRed);
    Breathe(ctx);
}

void PreviewOff(EffectContext& ctx) { ctx.frame.Fill(0); }

void PreviewSteady(EffectContext& ctx) { FillSteady(ctx, SelectionColor(ctx.selection)); }

}  // namespace orvane
