#pragma once
// The page's light preview thread: every turn it waits 1 ms on its stop signal, idles 100 ms
// while the device's channel is closed, leaves the lights to the lighting synchroniser while
// that runs, and otherwise makes one preview turn.

#include <functional>
#include <memory>

#include "light/LightPreviewState.h"
#include "platform/WorkerThread.h"

namespace orvane {

class PreviewThread {
public:
    static constexpr std::chrono::milliseconds kTurnWait{1};
    static constexpr std::chrono::milliseconds kClosedSleep{100};

    // `channelOpen` and `syncLighting` are called on the preview thread; like the state they
    // must stay valid until the thread has ended, also past a stop that timed out.
    PreviewThread(std::shared_ptr<LightPreviewState> state, std::function<bool()> channelOpen,
                  std::function<bool()> syncLighting);
    ~PreviewThread();
    PreviewThread(const PreviewThread&) = delete;
    PreviewThread& operator=(const PreviewThread&) = delete;

    // A running thread is stopped first.
    void Start();
    // Signals the stop, waits up to `wait` and logs the outcome.
    WorkerThread::StopOutcome Stop(std::chrono::milliseconds wait = WorkerThread::kStopWait);
    bool Running() const { return thread_.Running(); }

private:
    std::shared_ptr<LightPreviewState> state_;
    std::function<bool()> channelOpen_;
    std::function<bool()> syncLighting_;
    WorkerThread thread_;
};

}  // namespace orvane
