#pragma once
// The keyboard's preview as the page's preview thread plays it: each frame advances the
// keyboard's own lighting by the turns that elapsed and, when a key's colour changed, streams the
// intensity frame to the keyboard. The stream thus runs exactly while the preview runs: at the
// preview's frame rate, only when an intensity changed, and not at all while the page is hidden or not current.
// A frame the keyboard did not take holds the stream back for kRefusedPause.

#include <atomic>
#include <chrono>
#include <memory>

#include "keyboard/KeyboardDevice.h"
#include "light/PreviewAnimator.h"

namespace orvane {

class KeyboardPreviewAnimator final : public PreviewAnimator {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kRefusedPause{200};

    explicit KeyboardPreviewAnimator(std::shared_ptr<KeyboardDevice> keyboard) : keyboard_(std::move(keyboard)) {}

    void AdvanceTurns(uint32_t turns) override;
    // Static red, the custom pattern and off need no turns once drawn and streamed.
    bool NeedsTurns() const override;
    // Turns after a restart before a still mode counts as drawn: its renderer runs at the latest
    // on the fifth turn (speed 0).
    static constexpr uint32_t kTurnsToDraw = 5;
    uint64_t Version() const override { return keyboard_->Lighting().Version(); }
    std::vector<LightColor> Colors() const override { return keyboard_->Lighting().Colors(); }

    // The next frame goes to the keyboard even when no colour changed (after the maps were read
    // or the keyboard took a block that may have changed what it shows). Any thread.
    // The lighting may have changed too: a still mode is drawn anew.
    void Restream() {
        restarted_ = true;
        streamedOnce_ = false;
    }
    // Frames sent to the keyboard so far.
    uint64_t FramesStreamed() const { return streamed_.load(); }

private:
    std::shared_ptr<KeyboardDevice> keyboard_;
    uint64_t streamedVersion_ = 0;  // preview thread only
    KeyLightFrame streamedFrame_{};
    std::atomic<bool> streamedOnce_{false};
    std::atomic<bool> restarted_{true};
    uint32_t turnsSinceRestart_ = 0;  // preview thread only
    uint64_t versionAtRestart_ = 0;
    Clock::time_point resumeAt_{};
    std::atomic<uint64_t> streamed_{0};
};

}  // namespace orvane
