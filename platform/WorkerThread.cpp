#include "platform/WorkerThread.h"

#include "platform/DebugLog.h"

namespace orvane {

void StopSignal::Signal() {
    {
        std::lock_guard lock(mutex_);
        signalled_ = true;
    }
    changed_.notify_all();
}

void StopSignal::Reset() {
    std::lock_guard lock(mutex_);
    signalled_ = false;
}

bool StopSignal::IsSignalled() const {
    std::lock_guard lock(mutex_);
    return signalled_;
}

bool StopSignal::WaitFor(std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [this] { return signalled_; });
}

WorkerThread::~WorkerThread() { Stop(); }

void WorkerThread::Start(std::function<void(const StopSignal& stop)> body) {
    Stop();
    auto state = std::make_shared<State>();
    state_ = state;
    thread_ = std::thread([state, body = std::move(body)] {
        body(state->stop);
        {
            std::lock_guard lock(state->mutex);
            state->finished = true;
        }
        state->done.notify_all();
    });
}

WorkerThread::StopOutcome WorkerThread::Stop(std::chrono::milliseconds wait) {
    if (!thread_.joinable()) return StopOutcome::NotRunning;
    state_->stop.Signal();
    bool ended = false;
    {
        std::unique_lock lock(state_->mutex);
        ended = state_->done.wait_for(lock, wait, [this] { return state_->finished; });
    }
    if (ended) {
        thread_.join();
    } else {
        // Never killed: it keeps its own state alive and ends on its own.
        thread_.detach();
    }
    state_.reset();
    return ended ? StopOutcome::Ended : StopOutcome::TimedOut;
}

WorkerThread::StopOutcome WorkerThread::StopAndLog(std::chrono::milliseconds wait) {
    const StopOutcome outcome = Stop(wait);
    LogStopOutcome(outcome, kThreadStopLog);
    return outcome;
}

bool WorkerThread::Running() const {
    if (!thread_.joinable()) return false;
    std::lock_guard lock(state_->mutex);
    return !state_->finished;
}

void LogStopOutcome(WorkerThread::StopOutcome outcome, const StopLogTexts& texts) {
    const char* text = nullptr;
    switch (outcome) {
        case WorkerThread::StopOutcome::Ended: text = texts.ended; break;
        case WorkerThread::StopOutcome::TimedOut: text = texts.timedOut; break;
        case WorkerThread::StopOutcome::NotRunning: text = texts.notRunning; break;
    }
    if (text != nullptr) DebugLog(text);
}

}  // namespace orvane
