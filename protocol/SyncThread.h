#pragma once
// The sync thread of a device page: it reads the event reports of the device's event interface
// (the page's sync channel) without a time-out and reports an on-board profile switch (consumer
// usage 0x0401) so that the page can read the device's new active profile; every other usage
// goes to an optional observer (the keyboard's key events).
//
// A pending read ends when the channel is closed (the close wakes it), so the owner closes the
// channel before or while it stops the thread and a stop never waits for the device. After a
// failed read (the device went, the channel closed) the thread rests 100 ms before it reads again.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/WorkerThread.h"
#include "protocol/CommandChannel.h"

namespace orvane {

class SyncThread {
public:
    static constexpr uint16_t kProfileSwitchUsage = 0x0401;
    static constexpr std::chrono::milliseconds kTurnWait{1};
    static constexpr std::chrono::milliseconds kIdleWait{100};

    // `onProfileSwitch` and `onUsage` are called on the sync thread; like the channel they must
    // stay valid until the thread has ended, also past a stop that timed out.
    SyncThread(std::shared_ptr<CommandChannel> channel, std::function<void()> onProfileSwitch,
               std::function<void(uint16_t usage)> onUsage = {});
    ~SyncThread();
    SyncThread(const SyncThread&) = delete;
    SyncThread& operator=(const SyncThread&) = delete;

    // Starts reading the open channel, decoding with the report layout it has now (taken on the
    // calling thread, so a close on another thread cannot pull it away). A running thread is
    // stopped first. False, with nothing started, when the channel is not open.
    bool Start();
    // Signals the stop, waits up to `wait` and logs the outcome.
    WorkerThread::StopOutcome Stop(std::chrono::milliseconds wait = WorkerThread::kStopWait);
    bool Running() const { return thread_.Running(); }

private:
    std::shared_ptr<CommandChannel> channel_;
    std::function<void()> onProfileSwitch_;
    std::function<void(uint16_t)> onUsage_;
    WorkerThread thread_;
};

}  // namespace orvane
