#include "light/CustomSteps.h"

#include "light/LightTables.h"

namespace orvane {
namespace {

void SteadyOwnColor(EffectContext& ctx) { FillSteady(ctx, SelectionColor(ctx.selection)); }
// Holds the hue where the animation stands, so a user effect can pause a colour cycle.
void SteadyWheelHue(EffectContext& ctx) { FillSteady(ctx, WheelColor(ctx.animation.position)); }

// By step mode; nullptr draws nothing.
constexpr std::array<PreviewEffect, 6> kStepEffects{Breathe, SteadyOwnColor, PreviewFlash,
                                                    nullptr, PreviewWave,    SteadyWheelHue};

// Step modes whose look changes from one animation step to the next: breathing, flashing, wave.
bool StepModeAnimates(uint8_t mode) { return mode == 0 || mode == 2 || mode == 4; }

}  // namespace

void CustomStepPlayer::Replace(std::vector<LedEffectEntry> steps) {
    steps_ = std::move(steps);
    cursor_ = 0;
    startMs_.reset();
}

std::optional<LedEffectEntry> CustomStepPlayer::Current(uint32_t nowMs) {
    if (steps_.empty()) return std::nullopt;
    if (cursor_ >= steps_.size()) cursor_ = 0;
    if (!startMs_) startMs_ = nowMs;
    return steps_[cursor_];
}

void CustomStepPlayer::AdvanceIfDue(uint32_t nowMs) {
    if (!startMs_ || cursor_ >= steps_.size()) return;
    if (int64_t{nowMs - *startMs_} <= steps_[cursor_].Time) return;
    ++cursor_;
    startMs_ = nowMs;
}

bool CustomStepPlayer::Animates() const {
    return steps_.size() > 1 || (steps_.size() == 1 && StepModeAnimates(steps_.front().light.mode));
}

void RenderCustomStep(const LedEffectEntry& step, PreviewAnimation& animation, LightFrame& frame, uint32_t nowMs) {
    const uint8_t mode = step.light.mode;
    if (mode >= kStepEffects.size() || kStepEffects[mode] == nullptr) return;
    // Effects may change their selection's colour; the step stays as loaded.
    LightSetting selection = step.light;
    EffectContext ctx{selection, animation, frame, nowMs};
    kStepEffects[mode](ctx);
}

}  // namespace orvane
