#pragma once
// Moves an effect position by `delta` within [0, period), wrapping at either end. A position
// that is already out of range (left over from another effect) comes back into range.

#include <cstdint>

namespace orvane {

constexpr uint8_t StepIndex(bool forward, uint8_t period, uint8_t position, uint8_t delta) {
    if (forward) {
        const unsigned next = unsigned{position} + delta;
        return next >= period ? 0 : static_cast<uint8_t>(next);
    }
    const auto next = static_cast<uint8_t>(position - delta);
    return next >= period ? static_cast<uint8_t>(period - delta) : next;
}

}  // namespace orvane
