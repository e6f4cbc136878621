#pragma once
// The page's light preview thread. It sleeps until the preview is due a frame and then advances
// the preview by the turns that elapsed since the last frame (30 frames a second); it
// tells the page only when a frame changed a colour. It does not wake at all while the preview is
// not on screen, while the device's channel is closed, while the lighting synchroniser drives the
// lights, or while the preview shows a still picture; a change of the preview, of what is shown or
// a Wake makes it look again, and it resumes where it stopped (paused time does not count).

#include <chrono>
#include <functional>
#include <memory>

#include "light/LightPreviewState.h"
#include "platform/WorkerThread.h"

namespace orvane {

class PreviewThread {
public:
    // 1/30 s, rounded up: half the display rate. A light preview looks smooth at this rate, and
    // the repaint a frame asks for is most of what the preview costs.
    static constexpr std::chrono::microseconds kFramePeriod{33334};

    // The callbacks are called on the preview thread; like the state they must stay valid until
    // the thread has ended, also past a stop that timed out. `frameReady`: a frame changed a
    // colour since the last call.
    PreviewThread(std::shared_ptr<LightPreviewState> state, std::function<bool()> channelOpen,
                  std::function<bool()> syncLighting, std::function<void()> frameReady);
    ~PreviewThread();
    PreviewThread(const PreviewThread&) = delete;
    PreviewThread& operator=(const PreviewThread&) = delete;

    // A running thread is stopped first.
    void Start();
    // Signals the stop, waits up to `wait` and logs the outcome.
    WorkerThread::StopOutcome Stop(std::chrono::milliseconds wait = WorkerThread::kStopWait);
    bool Running() const { return thread_.Running(); }

    // Whether the preview is on screen; kept across restarts. Any thread.
    void SetShown(bool shown);
    // Makes the thread look again at the channel and the synchroniser. Any thread.
    void Wake();

private:
    struct Pacing;

    std::shared_ptr<LightPreviewState> state_;
    std::function<bool()> channelOpen_;
    std::function<bool()> syncLighting_;
    std::function<void()> frameReady_;
    std::shared_ptr<Pacing> pacing_;
    WorkerThread thread_;
};

}  // namespace orvane
