#include "keyboard/KeyLightEffects.h"

#include <algorithm>
#include <cstdlib>

#include "light/LightTables.h"
#include "light/StepIndex.h"

namespace orvane {
namespace {

constexpr size_t kKeys = kKeyboardKeyCount;
constexpr uint8_t kFull = 255;
constexpr uint8_t kRestLevel = 64;      // mode 12: keys glow dimly between presses
constexpr uint8_t kRippleFade = 32;     // mode 9: intensity lost per step behind a ring
constexpr uint8_t kMaxRippleRadius = kKeyGridColumns;
constexpr uint8_t kSweepBand = 8;       // mode 18: steps a row or column stays lit

bool Forward(const KeyEffectContext& ctx) { return ctx.selection.direction != 0; }
uint8_t Bright(const KeyEffectContext& ctx) { return BrightnessLevel(ctx.selection.brightness); }
// The selection's colour, or with multicolour the wheel at `hue`.
Rgb ColorAt(const KeyEffectContext& ctx, unsigned hue) {
    return ctx.selection.multiColor != 0 ? WheelColor(hue) : SelectionColor(ctx.selection);
}
void SetKey(KeyEffectContext& ctx, size_t key, Rgb color, uint8_t intensity) {
    ctx.frame.Set(key, MakeLightColor(color, Scale(intensity, Bright(ctx))));
}
const KeyCell& CellOf(size_t key) { return KeyboardKeyCells()[key]; }
uint8_t Lower(uint8_t value, uint8_t by) { return value > by ? static_cast<uint8_t>(value - by) : 0; }

// A shared effect of every page over the key lights.
template <PreviewEffect effect>
void Shared(KeyEffectContext& ctx) {
    EffectContext shared{ctx.selection, ctx.state.animation, ctx.frame, ctx.nowMs};
    effect(shared);
}

// --- Renderers ---

// Mode 2: even columns breathe against odd ones.
void ColumnPattern(KeyEffectContext& ctx) {
    PreviewAnimation& a = ctx.state.animation;
    a.position = StepIndex(Forward(ctx), 128, a.position, 2);
    if (a.position == 0) a.colour = static_cast<uint8_t>((a.colour + 16) % kColorWheel.size());
    for (size_t k = 0; k < kKeys; ++k) {
        const unsigned phase = (a.position + (CellOf(k).column % 2 == 0 ? 0u : 64u)) % 128;
        SetKey(ctx, k, ColorAt(ctx, a.colour), kBreathCurve[phase]);
    }
}

// Mode 3: the colour wheel rolls along the columns.
void ColumnWave(KeyEffectContext& ctx) {
    PreviewAnimation& a = ctx.state.animation;
    a.position = StepIndex(Forward(ctx), 192, a.position, 2);
    for (size_t k = 0; k < kKeys; ++k) SetKey(ctx, k, WheelColor(a.position + 8u * CellOf(k).column), kFull);
}

// Mode 4: a wave of intensity rolls along the columns.
void ColumnIntensityWave(KeyEffectContext& ctx) {
    PreviewAnimation& a = ctx.state.animation;
    a.position = StepIndex(Forward(ctx), 96, a.position, 1);
    for (size_t k = 0; k < kKeys; ++k) {
        const unsigned column = CellOf(k).column;
        SetKey(ctx, k, ColorAt(ctx, 8 * column), kWaveCurve[(a.position + 4 * column) % kWaveCurve.size()]);
    }
}

// Mode 5: the colour wheel rolls along the rows.
void RowWave(KeyEffectContext& ctx) {
    PreviewAnimation& a = ctx.state.animation;
    a.position = StepIndex(Forward(ctx), 192, a.position, 2);
    for (size_t k = 0; k < kKeys; ++k) SetKey(ctx, k, WheelColor(a.position + 32u * CellOf(k).row), kFull);
}

// Mode 6: every key breathes, a little behind the key before it.
void KeyBreathing(KeyEffectContext& ctx) {
    for (size_t k = 0; k < kKeys; ++k) {
        uint8_t& phase = ctx.state.level[k];
        phase = StepIndex(Forward(ctx), 128, phase, 2);
        SetKey(ctx, k, ColorAt(ctx, ctx.state.hue[k]), kBreathCurve[phase]);
    }
}

// Mode 7: the colour wheel runs through the keys in key order.
void KeyOrderWave(KeyEffectContext& ctx) {
    PreviewAnimation& a = ctx.state.animation;
    a.position = StepIndex(Forward(ctx), 192, a.position, 1);
    for (size_t k = 0; k < kKeys; ++k) SetKey(ctx, k, WheelColor(a.position + 3u * k), kFull);
}

// Mode 8: a diagonal intensity wave over the keys laid on a 12 x 12 grid.
void GridWave(KeyEffectContext& ctx) {
    PreviewAnimation& a = ctx.state.animation;
    a.position = StepIndex(Forward(ctx), 96, a.position, 1);
    for (size_t k = 0; k < kKeys; ++k) {
        const unsigned x = CellOf(k).column * 12u / kKeyGridColumns;
        const unsigned y = CellOf(k).row * 12u / kKeyGridRows;
        SetKey(ctx, k, ColorAt(ctx, 16 * (x + y)), kWaveCurve[(a.position + 8 * (x + y)) % kWaveCurve.size()]);
    }
}

// Mode 9: each press sends a ring out over the grid; the keys it passes flare and fade.
void ReactiveRipple(KeyEffectContext& ctx) {
    auto& level = ctx.state.level;
    for (uint8_t& l : level) l = Lower(l, kRippleFade);
    for (KeyRipple& r : ctx.state.ripples) {
        if (!r.active) continue;
        for (size_t k = 0; k < kKeys; ++k) {
            const int dx = std::abs(int{CellOf(k).column} - int{r.origin.column});
            const int dy = std::abs(int{CellOf(k).row} - int{r.origin.row});
            if (std::max(dx, dy) == r.radius) level[k] = kFull;
        }
        if (++r.radius > kMaxRippleRadius) r.active = false;
    }
    for (size_t k = 0; k < kKeys; ++k) SetKey(ctx, k, ColorAt(ctx, ctx.state.hue[k]), level[k]);
}

// Modes 10, 11 and 14: a pressed key stays lit, a released one fades by `fade` per step.
template <uint8_t fade>
void PressFade(KeyEffectContext& ctx) {
    for (size_t k = 0; k < kKeys; ++k) {
        if (ctx.state.press[k] != 1) ctx.state.level[k] = Lower(ctx.state.level[k], fade);
        SetKey(ctx, k, ColorAt(ctx, ctx.state.hue[k]), ctx.state.level[k]);
    }
}

// Mode 12: keys glow at rest; a press lights the key fully, its release fades it back to the glow.
void ReactiveOverGlow(KeyEffectContext& ctx) {
    for (size_t k = 0; k < kKeys; ++k) {
        uint8_t& l = ctx.state.level[k];
        if (ctx.state.press[k] != 1) l = std::max(Lower(l, 8), kRestLevel);
        SetKey(ctx, k, SelectionColor(ctx.selection), l);
    }
}

// Mode 13: keys lit at rest; a press darkens the key, its release fades it back by 1 per step.
// The level counts darkness.
void DarkenOnPress(KeyEffectContext& ctx) {
    for (size_t k = 0; k < kKeys; ++k) {
        uint8_t& dark = ctx.state.level[k];
        if (ctx.state.press[k] == 2) dark = Lower(dark, 1);
        SetKey(ctx, k, SelectionColor(ctx.selection), static_cast<uint8_t>(kFull - dark));
    }
}

// Mode 15: every key's intensity climbs and drops back, staggered in key order.
void KeyIntensityCycle(KeyEffectContext& ctx) {
    for (size_t k = 0; k < kKeys; ++k) {
        uint8_t& l = ctx.state.level[k];
        l = static_cast<uint8_t>(Forward(ctx) ? l + 1 : l - 1);
        SetKey(ctx, k, ColorAt(ctx, ctx.state.hue[k]), l);
    }
}

// Mode 16: every key breathes on its own, with a new random hue each breath.
void RandomHueBreathing(KeyEffectContext& ctx) {
    for (size_t k = 0; k < kKeys; ++k) {
        uint8_t& phase = ctx.state.level[k];
        phase = StepIndex(true, 128, phase, 2);
        if (phase == 0) ctx.state.hue[k] = static_cast<uint8_t>(ctx.state.NextRandom() % kColorWheel.size());
        SetKey(ctx, k, WheelColor(ctx.state.hue[k]), kBreathCurve[phase]);
    }
}

// Mode 17: keys light up at random and fade like stars.
void Starlight(KeyEffectContext& ctx) {
    for (uint8_t& l : ctx.state.level) l = Lower(l, 4);
    for (int n = 0; n < 2; ++n) {
        const size_t k = ctx.state.NextRandom() % kKeys;
        ctx.state.level[k] = kFull;
        ctx.state.hue[k] = static_cast<uint8_t>(ctx.state.NextRandom() % kColorWheel.size());
    }
    for (size_t k = 0; k < kKeys; ++k) SetKey(ctx, k, ColorAt(ctx, ctx.state.hue[k]), ctx.state.level[k]);
}

// Mode 18: a lit band sweeps across the keyboard: row by row on one product, column by column
// on every other.
void Sweep(KeyEffectContext& ctx) {
    const bool rows = ctx.state.productId == kRowSweepProductId;
    const unsigned lines = rows ? kKeyGridRows : kKeyGridColumns;
    static_assert(kKeyGridColumns * kSweepBand <= 255, "the sweep's period fits a position");
    PreviewAnimation& a = ctx.state.animation;
    a.position = StepIndex(Forward(ctx), static_cast<uint8_t>(lines * kSweepBand), a.position, 1);
    const unsigned lit = a.position / kSweepBand;
    for (size_t k = 0; k < kKeys; ++k) {
        const unsigned line = rows ? CellOf(k).row : CellOf(k).column;
        SetKey(ctx, k, ColorAt(ctx, line * 192 / lines), line == lit ? kFull : 0);
    }
}

// Mode 19: a chequerboard whose squares swap at the flash period of the speed.
void Chequerboard(KeyEffectContext& ctx) {
    PreviewAnimation& a = ctx.state.animation;
    if (ctx.nowMs - a.lastBlinkMs >= FlashPeriodMs(ctx.selection.speed)) {
        a.blinkOn = !a.blinkOn;
        a.lastBlinkMs = ctx.nowMs;
        a.colour = static_cast<uint8_t>((a.colour + 32) % kColorWheel.size());
    }
    for (size_t k = 0; k < kKeys; ++k) {
        const bool even = (CellOf(k).column + CellOf(k).row) % 2 == 0;
        SetKey(ctx, k, ColorAt(ctx, a.colour), even == a.blinkOn ? kFull : 0);
    }
}

// Mode 20: the keys of the custom pattern at full brightness, the rest dark.
void CustomStatic(KeyEffectContext& ctx) {
    for (size_t k = 0; k < kKeys; ++k)
        SetKey(ctx, k, SelectionColor(ctx.selection), ctx.state.customLit[k] ? kFull : 0);
}

// --- Initialisers ---

void StaggerPhases(KeyEffectState& s) {
    ClearKeyEffects(s);
    for (size_t k = 0; k < kKeys; ++k) {
        s.level[k] = static_cast<uint8_t>(4 * k % 128);
        s.hue[k] = static_cast<uint8_t>(12 * k % kColorWheel.size());
    }
}

void GlowAtRest(KeyEffectState& s) {
    ClearKeyEffects(s);
    s.level.fill(kRestLevel);
}

void StaggerLevels(KeyEffectState& s) {
    ClearKeyEffects(s);
    for (size_t k = 0; k < kKeys; ++k) {
        s.level[k] = static_cast<uint8_t>(2 * k);
        s.hue[k] = static_cast<uint8_t>(3 * k % kColorWheel.size());
    }
}

void RandomPhases(KeyEffectState& s) {
    ClearKeyEffects(s);
    for (size_t k = 0; k < kKeys; ++k) {
        s.level[k] = static_cast<uint8_t>(2 * (s.NextRandom() % 64));
        s.hue[k] = static_cast<uint8_t>(s.NextRandom() % kColorWheel.size());
    }
}

void StartLit(KeyEffectState& s) {
    ClearKeyEffects(s);
    s.animation.blinkOn = true;
}

// --- Key press handlers ---

void StartRipple(KeyEffectState& s, size_t key, KeyEvent kind) {
    if (kind != KeyEvent::kPress) return;
    auto free = std::find_if(s.ripples.begin(), s.ripples.end(), [](const KeyRipple& r) { return !r.active; });
    // With every ring in use the oldest gives way.
    if (free == s.ripples.end())
        free = std::max_element(s.ripples.begin(), s.ripples.end(),
                                [](const KeyRipple& a, const KeyRipple& b) { return a.radius < b.radius; });
    *free = {CellOf(key), 0, true};
    s.hue[key] = s.animation.colour;
}

// Notes the press; a press takes the key's level to full (light, or darkness in mode 13).
void LightWhilePressed(KeyEffectState& s, size_t key, KeyEvent kind) {
    s.press[key] = static_cast<uint8_t>(kind);
    if (kind == KeyEvent::kPress) s.level[key] = kFull;
}

// As LightWhilePressed, each press a hue further round the wheel.
void LightInNextHue(KeyEffectState& s, size_t key, KeyEvent kind) {
    LightWhilePressed(s, key, kind);
    if (kind != KeyEvent::kPress) return;
    s.hue[key] = s.animation.colour;
    s.animation.colour = static_cast<uint8_t>((s.animation.colour + 24) % kColorWheel.size());
}

constexpr KeyInitialiser kDefault = ClearKeyEffects;

const std::array<KeyboardLightMode, kFirstCustomStepMode + 1> kModes = {{
    {Shared<PreviewStaticRed>, kDefault, nullptr},    // 0
    {Shared<PreviewBreathCycle>, kDefault, nullptr},  // 1
    {ColumnPattern, kDefault, nullptr},               // 2
    {ColumnWave, kDefault, nullptr},                  // 3
    {ColumnIntensityWave, kDefault, nullptr},         // 4: its initialiser is the default one
    {RowWave, kDefault, nullptr},                     // 5
    {KeyBreathing, StaggerPhases, nullptr},           // 6
    {KeyOrderWave, kDefault, nullptr},                // 7
    {GridWave, kDefault, nullptr},                    // 8
    {ReactiveRipple, kDefault, StartRipple},          // 9
    {PressFade<8>, kDefault, LightWhilePressed},      // 10
    {PressFade<16>, kDefault, LightInNextHue},        // 11
    {ReactiveOverGlow, GlowAtRest, LightWhilePressed},  // 12
    {DarkenOnPress, kDefault, LightWhilePressed},     // 13: the level counts darkness
    {PressFade<5>, kDefault, LightWhilePressed},      // 14
    {KeyIntensityCycle, StaggerLevels, nullptr},      // 15
    {RandomHueBreathing, RandomPhases, nullptr},      // 16
    {Starlight, ClearKeyEffects, nullptr},            // 17
    {Sweep, ClearKeyEffects, nullptr},                // 18
    {Chequerboard, StartLit, nullptr},                // 19
    {CustomStatic, kDefault, nullptr},                // 20: the page sends the bitmap on entry
    {Shared<PreviewOff>, kDefault, nullptr},          // 21
    {nullptr, kDefault, nullptr},                     // 22 and above: the user effect
}};

}  // namespace

uint32_t KeyEffectState::NextRandom() {
    random ^= random << 13;
    random ^= random >> 17;
    random ^= random << 5;
    return random;
}

std::optional<SlotEvent> SlotEventFromUsage(uint16_t usage) {
    constexpr uint16_t kPressUsage = 0x0500;
    constexpr uint16_t kReleaseUsage = 0x0600;
    if (usage >= kPressUsage && usage < kReleaseUsage) return SlotEvent{static_cast<size_t>(usage - kPressUsage), KeyEvent::kPress};
    if (usage >= kReleaseUsage && usage < kReleaseUsage + 0x100) return SlotEvent{static_cast<size_t>(usage - kReleaseUsage), KeyEvent::kRelease};
    return std::nullopt;
}

void ClearKeyEffects(KeyEffectState& state) {
    state.animation = {};
    state.level.fill(0);
    state.hue.fill(0);
    state.press.fill(0);
    state.ripples.fill({});
}

const KeyboardLightMode& KeyboardLightModeOf(uint8_t mode) {
    return kModes[std::min<size_t>(mode, kFirstCustomStepMode)];
}

}  // namespace orvane
