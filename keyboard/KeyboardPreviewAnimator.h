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
    // Static red, the custom pattern and off need no turns once drawn.
    bool NeedsTurns() const override;
    uint64_t Version() const override { return keyboard_->Lighting().Version(); }
    std::vector<LightColor> Colors() const override { return keyboard_->Lighting().Colors(); }

    // The next frame goes to the keyboard even when no colour changed (after the maps were read
    // or the keyboard took a block that may have changed what it shows). Any thread.
    void Restream() { streamedOnce_ = false; }
    // Frames sent to the keyboard so far.
    uint64_t FramesStreamed() const { return streamed_.load(); }

private:
    std::shared_ptr<KeyboardDevice> keyboard_;
    uint64_t streamedVersion_ = 0;  // preview thread only
    KeyLightFrame streamedFrame_{};
    std::atomic<bool> streamedOnce_{false};
    Clock::time_point resumeAt_{};
    std::atomic<uint64_t> streamed_{0};
};

}  // namespace orvane
