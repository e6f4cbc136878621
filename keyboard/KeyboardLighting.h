#pragma once
// The keyboard's light preview: the lighting selection, the per-key effect state and one colour
// per logical key, advanced by preview turns from whichever thread paces it, with key events from
// the sync thread. It also makes the intensity frame streamed to the keyboard (LED n at byte n).
//
// Pace: every turn counts a step; the mode's renderer runs once 5 - speed steps were counted
// (every turn above speed 4). User effects (modes 22 and above) play their steps on every turn.
// One lock guards everything; no call holds it while calling out.

#include <cstdint>
#include <mutex>
#include <span>
#include <vector>

#include "keyboard/KeyLightEffects.h"
#include "keyboard/KeyboardMemories.h"
#include "light/CustomSteps.h"
#include "light/LightColor.h"

namespace orvane {

// The alpha of every key's colour at its LED; zero where no key has the LED. Colours beyond the
// keyboard's keys are ignored, missing ones read dark.
KeyLightFrame BuildKeyLightFrame(std::span<const LightColor> colors, const KeyboardMaps& maps);

class KeyboardLighting {
public:
    static constexpr uint32_t kTurnMs = 2;

    explicit KeyboardLighting(uint16_t productId = 0, uint32_t startMs = 0);

    // A change of mode clears the key effects and runs the new mode's initialiser.
    void SetSelection(const LightSetting& selection);
    LightSetting Selection() const;
    // Known only once the keyboard is connected; some modes play differently per product. The
    // current mode starts afresh.
    void SetProductId(uint16_t productId);
    void SetCustomSteps(std::vector<LedEffectEntry> steps);
    // The keys the custom static pattern (mode 20) lights.
    void SetCustomPattern(const std::array<bool, kKeyboardKeyCount>& lit);

    // A key of the current mode's handler pressed or released; other modes ignore it.
    void OnKeyEvent(size_t key, KeyEvent kind);
    void AdvanceTurns(uint32_t turns);

    std::vector<LightColor> Colors() const;
    uint64_t Version() const;
    // The preview's own colours as BuildKeyLightFrame makes them.
    KeyLightFrame Frame(const KeyboardMaps& maps) const;

private:
    void RunStep();

    mutable std::mutex mutex_;
    LightSetting selection_;
    KeyEffectState state_;
    std::vector<LightColor> colors_;
    CustomStepPlayer steps_;
    uint32_t clockMs_;
    unsigned stepCounter_ = 0;
    uint64_t version_ = 0;
};

}  // namespace orvane
