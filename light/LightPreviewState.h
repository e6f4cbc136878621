#pragma once
// The light state a page shares between its UI thread and its preview thread: the lighting
// selection, the animation, the light colour list, the user effect's steps and the per-light
// effects. The preview thread advances it by preview turns; the UI thread changes the selection
// and copies the colours to paint them, repainting only when the version moved.
//
// A turn is the pace unit of every effect: the original loop's 1 ms wait plus its 1 ms sleep.
// The effects' clock is the turn count (kTurnMs per turn), not the wall clock, so a run of turns
// shows the same colours however the turns are grouped into frames.
//
// Locks: the frame lock guards the selection, the animation and the colour list (held for one
// preview step or one copy); the steps lock guards the custom steps and their cursor; the area
// lock guards the per-light effects. Order: area lock before frame lock; the steps lock is
// never held with another; the change listener is called with no lock held.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "light/AreaLights.h"
#include "light/CustomSteps.h"
#include "light/LightColor.h"
#include "light/PreviewAnimator.h"
#include "light/PreviewEffects.h"
#include "light/PreviewFamily.h"
#include "profiles/ProfileRecords.h"

namespace orvane {

// Milliseconds of the steady clock; wraps like a 32-bit tick count.
uint32_t SteadyClockMs();

struct LightColorSnapshot {
    std::vector<LightColor> colors;  // one per light position
    uint64_t version = 0;
};

class LightPreviewState {
public:
    static constexpr uint8_t kLastBuiltInMode = 8;  // higher modes play the custom steps
    static constexpr uint32_t kTurnMs = 2;

    // `startMs`: the effects' clock before the first turn.
    explicit LightPreviewState(size_t lightCount = 0, uint32_t startMs = SteadyClockMs());

    // How the device's family plays its modes; the mouse's until told otherwise.
    void SetFamily(const PreviewFamily& family);
    // A family that animates its own colours: from now on turns advance `animator` instead of the
    // family's effects, and its colours become the light colours. Null goes back to the effects.
    void SetAnimator(std::shared_ptr<PreviewAnimator> animator);
    // The animator's selection changed: a sleeping preview looks again. Any thread.
    void NoteAnimatorChange() { NotifyChange(); }

    // Runs `turns` preview turns. Every turn counts a step; once the family's threshold for the
    // speed has been counted (5 − speed on the mouse) the effect of the mode runs (every turn
    // above speed 4). Modes above 8, and those the family has no effect for, play the custom
    // steps, the step's own speed setting the count. Turns that run no effect cost nothing, so a
    // frame may advance by all the turns since the last one, except on a family whose per-light
    // effects run on every turn while some light has one.
    void AdvanceTurns(uint32_t turns);
    // Whether more turns can change a colour: the mode animates, or a change has not been drawn
    // by an effect step yet, or (on a family that runs them every turn) a per-light effect
    // animates. Static colour, off, and user effects of one steady step do not animate.
    bool NeedsTurns() const;
    // Called after every change that may need turns (selection, steps, per-light effects,
    // colours, light count), on the thread that made it. Replaces the previous listener.
    void SetChangeListener(std::function<void()> listener);

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
    // Up to `turns` turns of a built-in mode, through its next effect step; the turns used, or 0
    // when the mode plays the custom steps.
    uint32_t RunBuiltInTurns(uint32_t turns);
    // Whether each turn must also step the per-light effects.
    bool AreaLightsEveryTurn() const;
    void RunCustomTurn();
    // The change listener, after the caller released its locks.
    void NotifyChange();
    // The animator's turns, and its colours taken when they changed.
    void AdvanceAnimator(PreviewAnimator& animator, uint32_t turns);
    std::shared_ptr<PreviewAnimator> Animator() const;

    mutable std::mutex frameMutex_;
    const PreviewFamily* family_ = &kMousePreviewFamily;
    LightInfoRecord selection_;
    PreviewAnimation animation_;
    std::vector<LightColor> colors_;
    uint32_t clockMs_;
    unsigned stepCounter_ = 0;
    bool drawPending_ = true;
    std::atomic<uint64_t> version_{0};

    mutable std::mutex stepsMutex_;
    CustomStepPlayer steps_;

    mutable std::mutex areaMutex_;
    AreaLightEffects area_;

    mutable std::mutex animatorMutex_;
    std::shared_ptr<PreviewAnimator> animator_;
    uint64_t animatorVersion_ = 0;  // frame lock

    std::mutex listenerMutex_;
    std::function<void()> listener_;
};

}  // namespace orvane
