#include "app/ThreadRegistry.h"

namespace orvane::app {
namespace {

// A thread that had already ended counts as ended.
constexpr StopLogTexts kStopAllLog{"所有对象处于激发状态\n", "所有对象处于非激发状态，超时\n", "所有对象处于激发状态\n"};

}  // namespace

bool ThreadRegistry::Register(int slot, Stopper stop) {
    if (slot < 0 || slot >= kSlotCount || !stop || slots_[static_cast<size_t>(slot)]) return false;
    slots_[static_cast<size_t>(slot)] = std::move(stop);
    return true;
}

bool ThreadRegistry::IsRegistered(int slot) const {
    return slot >= 0 && slot < kSlotCount && static_cast<bool>(slots_[static_cast<size_t>(slot)]);
}

void ThreadRegistry::StopAll(std::chrono::milliseconds wait) {
    for (Stopper& stop : slots_) {
        if (!stop) continue;
        const WorkerThread::StopOutcome outcome = stop(wait);
        stop = nullptr;
        LogStopOutcome(outcome, kStopAllLog);
    }
}

}  // namespace orvane::app
