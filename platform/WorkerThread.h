#pragma once
// The program's worker-thread pattern: a thread with a manual-reset stop signal that it checks
// at least every few milliseconds. Stopping signals it and waits a bounded time; a thread is
// never killed — one that has not ended by then is detached, and everything it uses must be
// kept alive by the body itself (shared ownership), so it can finish safely later.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace orvane {

class StopSignal {
public:
    void Signal();
    void Reset();
    bool IsSignalled() const;
    // Waits up to `timeout`; true when the signal is (or becomes) set.
    bool WaitFor(std::chrono::milliseconds timeout) const;

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    bool signalled_ = false;
};

class WorkerThread {
public:
    enum class StopOutcome { Ended, TimedOut, NotRunning };
    static constexpr std::chrono::milliseconds kStopWait{1000};

    WorkerThread() = default;
    ~WorkerThread();  // stops with the standard wait
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Starts `body`, which runs until it returns; it should return soon after `stop` is signalled.
    // A thread still running from an earlier Start is stopped first.
    void Start(std::function<void(const StopSignal& stop)> body);
    // Signals the stop and waits up to `wait` for the body to return.
    StopOutcome Stop(std::chrono::milliseconds wait = kStopWait);
    // Stop, then its outcome in the debug log as a thread's owner reports it (kThreadStopLog).
    StopOutcome StopAndLog(std::chrono::milliseconds wait = kStopWait);
    bool Running() const;

private:
    struct State {
        StopSignal stop;
        std::mutex mutex;
        std::condition_variable done;
        bool finished = false;
    };
    std::shared_ptr<State> state_;
    std::thread thread_;
};

// The debug lines a stop's outcome is reported with; a null text writes no line.
struct StopLogTexts {
    const char* ended;
    const char* timedOut;  // the thread was left to end on its own
    const char* notRunning;
};

// How the owner of one worker thread reports stopping it.
inline constexpr StopLogTexts kThreadStopLog{"线程退出：：对象处于激发状态\n", "线程退出：：对象处于非激发状态，超时\n",
                                             nullptr};

void LogStopOutcome(WorkerThread::StopOutcome outcome, const StopLogTexts& texts);

}  // namespace orvane
