#include "light/LightPreviewState.h"

#include <chrono>
#include <optional>

namespace orvane {
namespace {

// Effects whose every step draws the same colours.
bool IsStaticEffect(PreviewEffect effect) {
    return effect == PreviewStaticRed || effect == PreviewSteady || effect == PreviewOff;
}

void SeedOneMarker(RippleField& ripple) {
    ripple.ClearIntensity();
    ripple.ring[0] = 1;
}

}  // namespace

uint32_t SteadyClockMs() {
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

LightPreviewState::LightPreviewState(size_t lightCount, uint32_t startMs) : colors_(lightCount, 0), clockMs_(startMs) {
    SeedOneMarker(animation_.ripple);
    area_.Replace(std::vector<LightListEntry>(lightCount), lightCount);
}

template <typename Draw>
void LightPreviewState::DrawLocked(Draw&& draw) {
    LightFrame frame(colors_);
    draw(frame);
    if (frame.Changed()) version_.fetch_add(1, std::memory_order_release);
}

template <typename Change>
void LightPreviewState::ChangeSelection(Change&& change) {
    {
        std::lock_guard lock(frameMutex_);
        const uint8_t mode = selection_.light.mode;
        change(selection_);
        if (selection_.light.mode != mode) SeedOneMarker(animation_.ripple);
        drawPending_ = true;
    }
    NotifyChange();
}

void LightPreviewState::NotifyChange() {
    std::function<void()> listener;
    {
        std::lock_guard lock(listenerMutex_);
        listener = listener_;
    }
    if (listener) listener();
}

void LightPreviewState::SetChangeListener(std::function<void()> listener) {
    std::lock_guard lock(listenerMutex_);
    listener_ = std::move(listener);
}

void LightPreviewState::SetFamily(const PreviewFamily& family) {
    {
        std::lock_guard lock(frameMutex_);
        family_ = &family;
        stepCounter_ = 0;
        drawPending_ = true;
    }
    NotifyChange();
}

bool LightPreviewState::AreaLightsEveryTurn() const {
    {
        std::lock_guard lock(frameMutex_);
        if (!family_->areaLightsEveryTurn) return false;
    }
    std::lock_guard lock(areaMutex_);
    return area_.Active();
}

void LightPreviewState::SetAnimator(std::shared_ptr<PreviewAnimator> animator) {
    {
        std::lock_guard lock(animatorMutex_);
        animator_ = std::move(animator);
    }
    {
        std::lock_guard lock(frameMutex_);
        animatorVersion_ = 0;
        drawPending_ = true;
    }
    NotifyChange();
}

std::shared_ptr<PreviewAnimator> LightPreviewState::Animator() const {
    std::lock_guard lock(animatorMutex_);
    return animator_;
}

void LightPreviewState::AdvanceAnimator(PreviewAnimator& animator, uint32_t turns) {
    animator.AdvanceTurns(turns);
    const uint64_t version = animator.Version();
    std::lock_guard lock(frameMutex_);
    if (!drawPending_ && version == animatorVersion_) return;
    drawPending_ = false;
    animatorVersion_ = version;
    const std::vector<LightColor> colors = animator.Colors();
    DrawLocked([&](LightFrame& frame) {
        for (size_t i = 0; i < colors.size(); ++i) frame.Set(i, colors[i]);
    });
}

void LightPreviewState::AdvanceTurns(uint32_t turns) {
    if (const std::shared_ptr<PreviewAnimator> animator = Animator()) {
        AdvanceAnimator(*animator, turns);
        return;
    }
    // The per-light effects paint over the preview's colours once per turn.
    const bool areaEveryTurn = AreaLightsEveryTurn();
    while (turns > 0) {
        const uint32_t used = RunBuiltInTurns(areaEveryTurn ? 1 : turns);
        if (areaEveryTurn) {
            if (used == 0) RunCustomTurn();
            TickAreaLights();
            --turns;
            continue;
        }
        if (used > 0) {
            turns -= used;
            continue;
        }
        RunCustomTurn();
        --turns;
    }
}

uint32_t LightPreviewState::RunBuiltInTurns(uint32_t turns) {
    std::lock_guard lock(frameMutex_);
    const uint8_t mode = selection_.light.mode;
    if (mode > kLastBuiltInMode || family_->effects[mode] == nullptr) return 0;
    // The effect runs on the turn whose count reaches the threshold.
    const unsigned threshold = family_->threshold(selection_.light.speed);
    const uint32_t toStep = stepCounter_ + 1 >= threshold ? 1 : threshold - stepCounter_;
    if (toStep > turns) {
        stepCounter_ += turns;
        clockMs_ += turns * kTurnMs;
        return turns;
    }
    stepCounter_ = 0;
    clockMs_ += toStep * kTurnMs;
    drawPending_ = false;
    DrawLocked([&](LightFrame& frame) {
        EffectContext ctx{selection_.light, animation_, frame, clockMs_};
        family_->effects[mode](ctx);
    });
    return toStep;
}

void LightPreviewState::RunCustomTurn() {
    uint32_t now = 0;
    {
        std::lock_guard lock(frameMutex_);
        clockMs_ += kTurnMs;
        ++stepCounter_;
        now = clockMs_;
    }
    std::optional<LedEffectEntry> step;
    {
        std::lock_guard lock(stepsMutex_);
        step = steps_.Current(now);
    }
    {
        std::lock_guard lock(frameMutex_);
        if (!step) {
            drawPending_ = false;
            DrawLocked([](LightFrame& frame) { frame.Fill(0); });
            return;
        }
        // User effects keep the mouse's pace on every family.
        if (stepCounter_ >= MouseStepThreshold(step->light.speed)) {
            stepCounter_ = 0;
            drawPending_ = false;
            DrawLocked([&](LightFrame& frame) { RenderCustomStep(*step, animation_, frame, now); });
        }
    }
    std::lock_guard lock(stepsMutex_);
    steps_.AdvanceIfDue(now);
}

bool LightPreviewState::NeedsTurns() const {
    if (const std::shared_ptr<PreviewAnimator> animator = Animator()) {
        {
            std::lock_guard lock(frameMutex_);
            if (drawPending_) return true;
        }
        return animator->NeedsTurns();
    }
    PreviewEffect effect = nullptr;
    bool areaEveryTurn = false;
    {
        std::lock_guard lock(frameMutex_);
        if (drawPending_) return true;
        const uint8_t mode = selection_.light.mode;
        effect = mode <= kLastBuiltInMode ? family_->effects[mode] : nullptr;
        areaEveryTurn = family_->areaLightsEveryTurn;
    }
    if (areaEveryTurn) {
        std::lock_guard lock(areaMutex_);
        if (area_.Animates()) return true;
    }
    if (effect != nullptr) return !IsStaticEffect(effect);
    std::lock_guard lock(stepsMutex_);
    return steps_.Animates();
}

LightColorSnapshot LightPreviewState::LightColors() const {
    std::lock_guard lock(frameMutex_);
    return {colors_, version_.load(std::memory_order_relaxed)};
}

LightColor LightPreviewState::GetLightColor(size_t index) const {
    std::lock_guard lock(frameMutex_);
    return index < colors_.size() ? colors_[index] : 0;
}

void LightPreviewState::SetLightColor(size_t index, LightColor color) {
    {
        std::lock_guard lock(frameMutex_);
        DrawLocked([&](LightFrame& frame) { frame.Set(index, color); });
        drawPending_ = true;
    }
    NotifyChange();
}

size_t LightPreviewState::LightCount() const {
    std::lock_guard lock(frameMutex_);
    return colors_.size();
}

void LightPreviewState::SetLightCount(size_t count) {
    {
        std::lock_guard area(areaMutex_);
        std::lock_guard frame(frameMutex_);
        colors_.assign(count, 0);
        area_.Replace(std::vector<LightListEntry>(count), count);
        version_.fetch_add(1, std::memory_order_release);
        drawPending_ = true;
    }
    NotifyChange();
}

void LightPreviewState::SetLightState(const LightInfoRecord& state) {
    ChangeSelection([&](LightInfoRecord& s) { s = state; });
}

LightInfoRecord LightPreviewState::LightState() const {
    std::lock_guard lock(frameMutex_);
    return selection_;
}

void LightPreviewState::SetMode(uint8_t mode) {
    ChangeSelection([=](LightInfoRecord& s) { s.light.mode = mode; });
}
void LightPreviewState::SetBrightness(uint8_t brightness) {
    ChangeSelection([=](LightInfoRecord& s) { s.light.brightness = brightness; });
}
void LightPreviewState::SetSpeed(uint8_t speed) {
    ChangeSelection([=](LightInfoRecord& s) { s.light.speed = speed; });
}
void LightPreviewState::SetDirection(uint8_t direction) {
    ChangeSelection([=](LightInfoRecord& s) { s.light.direction = direction; });
}
void LightPreviewState::SetMultiColor(bool on) {
    ChangeSelection([=](LightInfoRecord& s) { s.light.multiColor = on ? 1 : 0; });
}
void LightPreviewState::SetColor(Rgb color) {
    ChangeSelection([=](LightInfoRecord& s) { SetSelectionColor(s.light, color); });
}

void LightPreviewState::SetCustomSteps(std::vector<LedEffectEntry> steps) {
    {
        std::lock_guard lock(stepsMutex_);
        steps_.Replace(std::move(steps));
    }
    {
        std::lock_guard lock(frameMutex_);
        drawPending_ = true;
    }
    NotifyChange();
}

void LightPreviewState::SetAreaLights(std::vector<LightListEntry> entries) {
    {
        std::lock_guard area(areaMutex_);
        std::lock_guard frame(frameMutex_);
        area_.Replace(std::move(entries), colors_.size());
        DrawLocked([&](LightFrame& f) { area_.Tick(f, clockMs_); });
        drawPending_ = true;
    }
    NotifyChange();
}

void LightPreviewState::TickAreaLights() {
    std::lock_guard area(areaMutex_);
    std::lock_guard frame(frameMutex_);
    DrawLocked([&](LightFrame& f) { area_.Tick(f, clockMs_); });
}

}  // namespace orvane
