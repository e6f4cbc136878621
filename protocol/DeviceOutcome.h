#pragma once
// What a family core's operation did: done, refused (with the reason, in words), stopped by the
// device (the first command that failed and its result code), or pending on the device's command
// worker (the outcome follows through the handler). Above the wire nothing else is passed back.
// And where the cores' device sequences run.

#include <functional>
#include <string>

#include "protocol/CommandChannel.h"

namespace orvane {

// The first command of a group that did not succeed, for diagnosis.
struct CommandFailure {
    const char* command = nullptr;
    int result = kResultSuccess;
    CommandFailureDetail detail;  // the channel's account of it (time-out, unplug, status)
    bool Failed() const { return command != nullptr; }
};

struct DeviceOutcome {
    enum class Kind { kDone, kRefused, kDeviceFailed, kPending };

    Kind kind = Kind::kDone;
    std::string reason;      // kRefused
    int excess = 0;          // kRefused because it does not fit the device: how much must go
    CommandFailure failure;  // kDeviceFailed

    static DeviceOutcome Done() { return {}; }
    static DeviceOutcome Refused(std::string why, int excess = 0) {
        return {Kind::kRefused, std::move(why), excess, {}};
    }
    static DeviceOutcome DeviceFailed(const CommandFailure& failure) { return {Kind::kDeviceFailed, {}, 0, failure}; }
    static DeviceOutcome Pending() { return {Kind::kPending, {}, 0, {}}; }
    // Done, or the group's first failure.
    static DeviceOutcome OfGroup(const CommandFailure& failure) {
        return failure.Failed() ? DeviceFailed(failure) : Done();
    }

    bool Ok() const { return kind == Kind::kDone; }
    bool IsRefused() const { return kind == Kind::kRefused; }
    bool IsDeviceFailure() const { return kind == Kind::kDeviceFailed; }
    bool IsPending() const { return kind == Kind::kPending; }
};

// A device sequence, and what the thread that asked for it takes from it afterwards (a read's
// values into the core's state).
struct SequenceResult {
    DeviceOutcome outcome;
    std::function<void()> take;
};
using DeviceSequence = std::function<SequenceResult()>;
using OutcomeHandler = std::function<void(const DeviceOutcome&)>;

// Where a core's device sequences run. The core's own runs them at once on the calling thread
// (orvanectl, tests); a page posts them to the device's command worker and receives the outcome
// back on its own thread.
class SequenceRunner {
public:
    virtual ~SequenceRunner() = default;
    // Runs `sequence`, then its `take` and `done` on the caller's thread. Returns the outcome when
    // it ran at once, Pending when it runs later.
    virtual DeviceOutcome Run(DeviceSequence sequence, OutcomeHandler done) = 0;
};

// Runs every sequence at once.
class ImmediateRunner final : public SequenceRunner {
public:
    DeviceOutcome Run(DeviceSequence sequence, OutcomeHandler done) override {
        SequenceResult result = sequence();
        if (result.take) result.take();
        if (done) done(result.outcome);
        return result.outcome;
    }
};

}  // namespace orvane
