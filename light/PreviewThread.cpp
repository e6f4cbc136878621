#include "light/PreviewThread.h"

#include "platform/DebugLog.h"

namespace orvane {

PreviewThread::PreviewThread(std::shared_ptr<LightPreviewState> state, std::function<bool()> channelOpen,
                             std::function<bool()> syncLighting)
    : state_(std::move(state)), channelOpen_(std::move(channelOpen)), syncLighting_(std::move(syncLighting)) {}

PreviewThread::~PreviewThread() { Stop(); }

void PreviewThread::Start() {
    Stop();
    thread_.Start([state = state_, channelOpen = channelOpen_, syncLighting = syncLighting_](const StopSignal& stop) {
        for (;;) {
            if (stop.WaitFor(kTurnWait)) break;
            if (!channelOpen()) {
                stop.WaitFor(kClosedSleep);
                continue;
            }
            if (syncLighting()) continue;
            state->Tick();
        }
        DebugLog("MS灯光线程设定退出");
    });
}

WorkerThread::StopOutcome PreviewThread::Stop(std::chrono::milliseconds wait) {
    return thread_.StopAndLog(wait);
}

}  // namespace orvane
