#include "light/PreviewThread.h"

#include <condition_variable>
#include <mutex>
#include <optional>

#include "light/TurnClock.h"
#include "platform/DebugLog.h"

namespace orvane {

// What the page tells a running body; shared with the body so that it may outlive the thread
// object. `run` names the body that may go on: a stop or a restart moves it on.
struct PreviewThread::Pacing {
    using Clock = TurnClock::Clock;

    struct Look {
        bool ended;
        bool shown;
        uint64_t wakes;
    };

    Look Observe(uint64_t body) {
        std::lock_guard lock(mutex);
        return {run != body, shown, wakes};
    }

    // Sleeps until something changed after `look` was taken, or until `deadline`; false once the
    // body has to end.
    bool Sleep(uint64_t body, const Look& look, std::optional<Clock::time_point> deadline = std::nullopt) {
        std::unique_lock lock(mutex);
        auto changed = [&] { return run != body || wakes != look.wakes; };
        if (deadline) {
            woken.wait_until(lock, *deadline, changed);
        } else {
            woken.wait(lock, changed);
        }
        return run == body;
    }

    template <typename Change>
    void Notify(Change&& change) {
        {
            std::lock_guard lock(mutex);
            change();
            ++wakes;
        }
        woken.notify_all();
    }

    std::mutex mutex;
    std::condition_variable woken;
    uint64_t run = 0;
    uint64_t wakes = 0;
    bool shown = false;
};

PreviewThread::PreviewThread(std::shared_ptr<LightPreviewState> state, std::function<bool()> channelOpen,
                             std::function<bool()> syncLighting, std::function<void()> frameReady)
    : state_(std::move(state)),
      channelOpen_(std::move(channelOpen)),
      syncLighting_(std::move(syncLighting)),
      frameReady_(std::move(frameReady)),
      pacing_(std::make_shared<Pacing>()) {
    state_->SetChangeListener([pacing = pacing_] { pacing->Notify([] {}); });
}

PreviewThread::~PreviewThread() {
    Stop();
    state_->SetChangeListener(nullptr);
}

void PreviewThread::SetShown(bool shown) {
    pacing_->Notify([&] { pacing_->shown = shown; });
}

void PreviewThread::Wake() {
    pacing_->Notify([] {});
}

void PreviewThread::Start() {
    Stop();
    uint64_t body = 0;
    {
        std::lock_guard lock(pacing_->mutex);
        body = pacing_->run;
    }
    thread_.Start([state = state_, channelOpen = channelOpen_, syncLighting = syncLighting_,
                   frameReady = frameReady_, pacing = pacing_, body](const StopSignal&) {
        using Clock = Pacing::Clock;
        TurnClock turns;
        bool framing = false;  // frames run; paused time does not count
        Clock::time_point nextFrame{};
        uint64_t seenVersion = state->ColorsVersion();
        for (;;) {
            const Pacing::Look look = pacing->Observe(body);
            if (look.ended) break;
            if (!look.shown || !channelOpen() || syncLighting() || !state->NeedsTurns()) {
                framing = false;
                if (!pacing->Sleep(body, look)) break;
                continue;
            }
            const Clock::time_point now = Clock::now();
            if (!framing) {
                framing = true;
                turns.Restart(now);
                nextFrame = now + kFramePeriod;
            }
            if (now < nextFrame) {
                if (!pacing->Sleep(body, look, nextFrame)) break;
                continue;
            }
            state->AdvanceTurns(turns.Take(now));
            nextFrame += kFramePeriod;
            if (nextFrame <= now) nextFrame = now + kFramePeriod;
            const uint64_t version = state->ColorsVersion();
            if (version != seenVersion) {
                seenVersion = version;
                frameReady();
            }
        }
        DebugLog("MS灯光线程设定退出");
    });
}

WorkerThread::StopOutcome PreviewThread::Stop(std::chrono::milliseconds wait) {
    pacing_->Notify([&] { ++pacing_->run; });
    return thread_.StopAndLog(wait);
}

}  // namespace orvane
