#pragma once
// User light effects (modes above 8): a list of steps, each shown with its own mode,
// brightness, speed, direction, multicolour flag and colour for its Time, in order and round
// again.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "light/PreviewEffects.h"
#include "profiles/ProfileRecords.h"

namespace orvane {

class CustomStepPlayer {
public:
    // Back to the first step, whose clock starts when it is first shown.
    void Replace(std::vector<LedEffectEntry> steps);
    // The step to show at `nowMs`; nullopt when there are none.
    std::optional<LedEffectEntry> Current(uint32_t nowMs);
    // Moves on once the current step has been shown for longer than its Time.
    void AdvanceIfDue(uint32_t nowMs);
    // Whether playing on can change a colour: more than one step, or one that animates.
    bool Animates() const;

private:
    std::vector<LedEffectEntry> steps_;
    size_t cursor_ = 0;
    std::optional<uint32_t> startMs_;
};

// One animation step of `step`: mode 0 breathing, 1 steady colour, 2 flashing, 4 wave, 5 a
// steady wheel hue; other modes leave the lights as they are.
void RenderCustomStep(const LedEffectEntry& step, PreviewAnimation& animation, LightFrame& frame, uint32_t nowMs);

}  // namespace orvane
