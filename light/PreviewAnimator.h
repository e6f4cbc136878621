#pragma once
// A family whose preview is not made of the shared effects (the keyboard's per-key modes, fed by
// key presses) animates its own colours behind this interface. The preview state advances it by
// the same turns the preview thread counts and shows its colours, so the family is paced, painted
// and paused exactly as every other page's preview.

#include <cstdint>
#include <vector>

#include "light/LightColor.h"

namespace orvane {

class PreviewAnimator {
public:
    virtual ~PreviewAnimator() = default;
    // Called on the preview thread, never with a lock of the preview state held.
    virtual void AdvanceTurns(uint32_t turns) = 0;
    // Whether more turns can change a colour.
    virtual bool NeedsTurns() const = 0;
    // Moves whenever a colour changed.
    virtual uint64_t Version() const = 0;
    // One colour per light position.
    virtual std::vector<LightColor> Colors() const = 0;
};

}  // namespace orvane
