#include "light/LightPreviewState.h"

#include <chrono>
#include <optional>

namespace orvane {
namespace {

// Counted steps between two effect steps: 5 − speed, and every turn above speed 4.
unsigned PreviewThreshold(uint8_t speed) { return speed <= 4 ? 5u - speed : 0u; }

void SeedOneMarker(RippleField& ripple) {
    ripple.ClearIntensity();
    ripple.ring[0] = 1;
}

}  // namespace

uint32_t SteadyClockMs() {
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

LightPreviewState::LightPreviewState(size_t lightCount, MsClock clock)
    : clock_(std::move(clock)), colors_(lightCount, 0), lastTickMs_(clock_()) {
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
    std::lock_guard lock(frameMutex_);
    const uint8_t mode = selection_.light.mode;
    change(selection_);
    if (selection_.light.mode != mode) SeedOneMarker(animation_.ripple);
}

void LightPreviewState::Tick() {
    const uint32_t now = clock_();
    {
        std::lock_guard lock(frameMutex_);
        if (now - lastTickMs_ > 1) {
            lastTickMs_ = now;
            ++stepCounter_;
        }
        const uint8_t mode = selection_.light.mode;
        if (mode <= kLastBuiltInMode) {
            if (stepCounter_ < PreviewThreshold(selection_.light.speed)) return;
            stepCounter_ = 0;
            DrawLocked([&](LightFrame& frame) {
                EffectContext ctx{selection_.light, animation_, frame, now};
                kMousePreviews[mode](ctx);
            });
            return;
        }
    }
    std::optional<LedEffectEntry> step;
    {
        std::lock_guard lock(stepsMutex_);
        step = steps_.Current(now);
    }
    {
        std::lock_guard lock(frameMutex_);
        if (!step) {
            DrawLocked([](LightFrame& frame) { frame.Fill(0); });
            return;
        }
        if (stepCounter_ >= PreviewThreshold(step->light.speed)) {
            stepCounter_ = 0;
            DrawLocked([&](LightFrame& frame) { RenderCustomStep(*step, animation_, frame, now); });
        }
    }
    std::lock_guard lock(stepsMutex_);
    steps_.AdvanceIfDue(now);
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
    std::lock_guard lock(frameMutex_);
    DrawLocked([&](LightFrame& frame) { frame.Set(index, color); });
}

size_t LightPreviewState::LightCount() const {
    std::lock_guard lock(frameMutex_);
    return colors_.size();
}

void LightPreviewState::SetLightCount(size_t count) {
    std::lock_guard area(areaMutex_);
    std::lock_guard frame(frameMutex_);
    colors_.assign(count, 0);
    area_.Replace(std::vector<LightListEntry>(count), count);
    version_.fetch_add(1, std::memory_order_release);
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
    std::lock_guard lock(stepsMutex_);
    steps_.Replace(std::move(steps));
}

void LightPreviewState::SetAreaLights(std::vector<LightListEntry> entries) {
    const uint32_t now = clock_();
    std::lock_guard area(areaMutex_);
    std::lock_guard frame(frameMutex_);
    area_.Replace(std::move(entries), colors_.size());
    DrawLocked([&](LightFrame& f) { area_.Tick(f, now); });
}

void LightPreviewState::TickAreaLights() {
    const uint32_t now = clock_();
    std::lock_guard area(areaMutex_);
    std::lock_guard frame(frameMutex_);
    DrawLocked([&](LightFrame& f) { area_.Tick(f, now); });
}

}  // namespace orvane
