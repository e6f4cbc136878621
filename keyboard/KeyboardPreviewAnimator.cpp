#include "keyboard/KeyboardPreviewAnimator.h"

#include <algorithm>

#include "protocol/CommandChannel.h"

namespace orvane {

void KeyboardPreviewAnimator::AdvanceTurns(uint32_t turns) {
    KeyboardLighting& lighting = keyboard_->Lighting();
    if (restarted_.exchange(false)) {
        turnsSinceRestart_ = 0;
        versionAtRestart_ = lighting.Version();
    }
    turnsSinceRestart_ = std::min(turnsSinceRestart_ + turns, kTurnsToDraw);
    lighting.AdvanceTurns(turns);
    const uint64_t version = lighting.Version();
    // Nothing drawn since the restart yet: the colours are the old lighting's.
    if (version == versionAtRestart_ && turnsSinceRestart_ < kTurnsToDraw) return;
    if (streamedOnce_ && version == streamedVersion_) return;
    const Clock::time_point now = Clock::now();
    if (now < resumeAt_) return;
    // The keyboard shows intensities only: a change of hue alone sends nothing.
    const KeyLightFrame frame = lighting.Frame(keyboard_->Maps());
    if (streamedOnce_ && frame == streamedFrame_) {
        streamedVersion_ = version;
        return;
    }
    if (keyboard_->StreamFrame() != kResultSuccess) {
        resumeAt_ = now + kRefusedPause;
        return;
    }
    streamedOnce_ = true;
    streamedVersion_ = version;
    streamedFrame_ = frame;
    streamed_.fetch_add(1);
}

bool KeyboardPreviewAnimator::NeedsTurns() const {
    const uint8_t mode = keyboard_->Lighting().Selection().mode;
    const bool still = mode == 0 || mode == kCustomStaticMode || mode == kKeyboardOffMode;
    if (!still || restarted_ || turnsSinceRestart_ < kTurnsToDraw || !streamedOnce_) return true;
    return keyboard_->Lighting().Version() != streamedVersion_;
}

}  // namespace orvane
