#pragma once
// The preview turns that elapsed on the steady clock: a frame advances the preview by the turns
// since the previous one, and the part of a turn left over counts towards the next frame.

#include <chrono>
#include <cstdint>

#include "light/LightPreviewState.h"

namespace orvane {

class TurnClock {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr Clock::duration kTurn = std::chrono::milliseconds(LightPreviewState::kTurnMs);
    // A frame never catches up more than this: after a stall the preview goes on, it does not race.
    static constexpr uint32_t kMaxTurns = 500;

    explicit TurnClock(Clock::time_point start = {}) : last_(start) {}

    // Counting starts again at `now`: time while the preview was paused does not count.
    void Restart(Clock::time_point now) { last_ = now; }

    // The whole turns from the last reading to `now`.
    uint32_t Take(Clock::time_point now) {
        if (now <= last_) return 0;
        const auto turns = (now - last_) / kTurn;
        if (turns > kMaxTurns) {
            last_ = now;
            return kMaxTurns;
        }
        last_ += turns * kTurn;
        return static_cast<uint32_t>(turns);
    }

private:
    Clock::time_point last_;
};

}  // namespace orvane
