#pragma once
// The light state a page shares between its UI thread and its preview thread: the lighting
// selection, the animation, the light colour list, the user effect's steps and the per-light
// effects. The preview thread calls Tick once per loop turn; the UI thread changes the
// selection and copies the colours to paint them, repainting only when the version moved.
//
// Locks: the frame lock guards the selection, the animation and the colour list (held for one
// preview step or one copy); the steps lock guards the custom steps and their cursor; the area
// lock guards the per-light effects. Order: area lock before frame lock; the steps lock is
// never held with another.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "light/AreaLights.h"
#include "light/CustomSteps.h"
#include "light/LightColor.h"
#include "light/PreviewEffects.h"
#include "profiles/ProfileRecords.h"

namespace orvane {

// Milliseconds of a monotonic clock; wraps like a 32-bit tick count.
using MsClock = std::function<uint32_t()>;
uint32_t SteadyClockMs();

struct LightColorSnapshot {
    std::vector<LightColor> colors;  // one per light position
    uint64_t version = 0;
};

class LightPreviewState {
public:
    static constexpr uint8_t kLastBuiltInMode = 8;  // higher modes play the custom steps

    explicit LightPreviewState(size_t lightCount = 0, MsClock clock = SteadyClockMs);

    // One turn of the preview loop: counts a step when the clock moved by more than 1 ms, and
    // once 5 − speed steps have been counted runs the effect of the mode (0 for speed 5 or
    // more: every turn). Modes above 8 play the custom steps on every turn.
    void Tick();

    // The colours and the version they belong to; the version changes only when a colour did.
    LightColorSnapshot LightColors() const;
    uint64_t ColorsVersion() const { return version_.load(std::memory_order_acquire); }
    LightColor GetLightColor(size_t index) const;  // 0 outside the list
    void SetLightColor(size_t index, LightColor color);  // ignored outside the list
    size_t LightCount() const;
    // Resizes the colour list and the per-light effects; every colour and entry becomes 0,
    // also when the count is unchanged.
    void SetLightCount(size_t count);

    // The selection the preview animates. A change of mode starts the ripple afresh.
    void SetLightState(const LightInfoRecord& state);
    LightInfoRecord LightState() const;  // modes 4 and 6 turn its colour red
    void SetMode(uint8_t mode);
    void SetBrightness(uint8_t brightness);  // 0-4
    void SetSpeed(uint8_t speed);            // 0-4
    void SetDirection(uint8_t direction);    // non-zero: forward
    void SetMultiColor(bool on);
    void SetColor(Rgb color);

    // Replaces the user effect's steps; playback starts again at the first.
    void SetCustomSteps(std::vector<LedEffectEntry> steps);
    // Replaces the per-light effects ("LightList") and paints one fresh frame of them.
    void SetAreaLights(std::vector<LightListEntry> entries);
    // One step of the per-light effects, for pages that run them on every turn.
    void TickAreaLights();

private:
    template <typename Change>
    void ChangeSelection(Change&& change);
    // Runs `draw` on the colour list; the caller holds the frame lock.
    template <typename Draw>
    void DrawLocked(Draw&& draw);

    const MsClock clock_;

    mutable std::mutex frameMutex_;
    LightInfoRecord selection_;
    PreviewAnimation animation_;
    std::vector<LightColor> colors_;
    uint32_t lastTickMs_ = 0;
    unsigned stepCounter_ = 0;
    std::atomic<uint64_t> version_{0};

    mutable std::mutex stepsMutex_;
    CustomStepPlayer steps_;

    mutable std::mutex areaMutex_;
    AreaLightEffects area_;
};

}  // namespace orvane
