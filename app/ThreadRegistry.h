#pragma once
// The main window's worker threads by slot (0 the scan thread, 8 the lighting synchroniser).
// Stopping gives each registered thread the standard bounded wait and logs how it ended; a thread
// that does not end in time is left to finish on its own (its state is shared with it).

#include <array>
#include <chrono>
#include <functional>

#include "platform/WorkerThread.h"

namespace orvane::app {

class ThreadRegistry {
public:
    static constexpr int kSlotCount = 20;
    static constexpr int kScanThreadSlot = 0;
    static constexpr int kSynchroniserSlot = 8;

    // Signals the thread's stop and waits up to the given time for it to end.
    using Stopper = std::function<WorkerThread::StopOutcome(std::chrono::milliseconds)>;

    // False for a slot outside 0..19 or one that is taken.
    bool Register(int slot, Stopper stop);
    bool IsRegistered(int slot) const;

    // Every registered thread in slot order, each waited for at most `wait`; the slots are empty
    // afterwards. Logs "所有对象处于激发状态\n" for a thread that ended (or had already ended) and
    // "所有对象处于非激发状态，超时\n" for one still running when its wait ran out.
    void StopAll(std::chrono::milliseconds wait = WorkerThread::kStopWait);

private:
    std::array<Stopper, kSlotCount> slots_;
};

}  // namespace orvane::app
