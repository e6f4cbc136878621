#include "keyboard/KeyboardLighting.h"

namespace orvane {
namespace {

unsigned StepThreshold(uint8_t speed) { return speed <= kMaxLightLevel ? 5u - speed : 0u; }

}  // namespace

KeyboardLighting::KeyboardLighting(uint16_t productId, uint32_t startMs)
    : colors_(kKeyboardKeyCount, 0), clockMs_(startMs) {
    state_.productId = productId;
    KeyboardLightModeOf(selection_.mode).enter(state_);
}

void KeyboardLighting::SetSelection(const LightSetting& selection) {
    std::lock_guard lock(mutex_);
    const bool newMode = selection.mode != selection_.mode;
    selection_ = selection;
    if (newMode) KeyboardLightModeOf(selection_.mode).enter(state_);
}

void KeyboardLighting::SetProductId(uint16_t productId) {
    std::lock_guard lock(mutex_);
    if (state_.productId == productId) return;
    state_.productId = productId;
    KeyboardLightModeOf(selection_.mode).enter(state_);
}

LightSetting KeyboardLighting::Selection() const {
    std::lock_guard lock(mutex_);
    return selection_;
}

void KeyboardLighting::SetCustomSteps(std::vector<LedEffectEntry> steps) {
    std::lock_guard lock(mutex_);
    steps_.Replace(std::move(steps));
}

void KeyboardLighting::SetCustomPattern(const std::array<bool, kKeyboardKeyCount>& lit) {
    std::lock_guard lock(mutex_);
    state_.customLit = lit;
}

void KeyboardLighting::OnKeyEvent(size_t key, KeyEvent kind) {
    if (key >= kKeyboardKeyCount) return;
    std::lock_guard lock(mutex_);
    if (const KeyPressHandler handler = KeyboardLightModeOf(selection_.mode).onKey) handler(state_, key, kind);
}

void KeyboardLighting::RunStep() {
    LightFrame frame(colors_);
    if (const KeyRenderer render = KeyboardLightModeOf(selection_.mode).render) {
        KeyEffectContext ctx{selection_, state_, frame, clockMs_};
        render(ctx);
    } else if (const auto step = steps_.Current(clockMs_)) {
        RenderCustomStep(*step, state_.animation, frame, clockMs_);
        steps_.AdvanceIfDue(clockMs_);
    } else {
        frame.Fill(0);
    }
    if (frame.Changed()) ++version_;
}

void KeyboardLighting::AdvanceTurns(uint32_t turns) {
    std::lock_guard lock(mutex_);
    for (; turns > 0; --turns) {
        clockMs_ += kTurnMs;
        const bool userEffect = KeyboardLightModeOf(selection_.mode).render == nullptr;
        if (userEffect || ++stepCounter_ >= StepThreshold(selection_.speed)) {
            stepCounter_ = 0;
            RunStep();
        }
    }
}

std::vector<LightColor> KeyboardLighting::Colors() const {
    std::lock_guard lock(mutex_);
    return colors_;
}

uint64_t KeyboardLighting::Version() const {
    std::lock_guard lock(mutex_);
    return version_;
}

KeyLightFrame BuildKeyLightFrame(std::span<const LightColor> colors, const KeyboardMaps& maps) {
    KeyLightFrame frame{};
    for (size_t k = 0; k < kKeyboardKeyCount && k < colors.size(); ++k) {
        const uint8_t led = maps.ledOfKey[k];
        if (led < frame.size()) frame[led] = AlphaOf(colors[k]);
    }
    return frame;
}

KeyLightFrame KeyboardLighting::Frame(const KeyboardMaps& maps) const {
    std::lock_guard lock(mutex_);
    return BuildKeyLightFrame(colors_, maps);
}

}  // namespace orvane
