#pragma once
// What a family core's operation did: done, refused (with the reason, in words), or stopped by
// the device (the first command that failed and its result code). Above the wire nothing else
// is passed back.

#include <string>

#include "protocol/CommandChannel.h"

namespace orvane {

// The first command of a group that did not succeed, for diagnosis.
struct CommandFailure {
    const char* command = nullptr;
    int result = kResultSuccess;
    bool Failed() const { return command != nullptr; }
};

struct DeviceOutcome {
    enum class Kind { kDone, kRefused, kDeviceFailed };

    Kind kind = Kind::kDone;
    std::string reason;      // kRefused
    int excess = 0;          // kRefused because it does not fit the device: how much must go
    CommandFailure failure;  // kDeviceFailed

    static DeviceOutcome Done() { return {}; }
    static DeviceOutcome Refused(std::string why, int excess = 0) {
        return {Kind::kRefused, std::move(why), excess, {}};
    }
    static DeviceOutcome DeviceFailed(const CommandFailure& failure) { return {Kind::kDeviceFailed, {}, 0, failure}; }
    // Done, or the group's first failure.
    static DeviceOutcome OfGroup(const CommandFailure& failure) {
        return failure.Failed() ? DeviceFailed(failure) : Done();
    }

    bool Ok() const { return kind == Kind::kDone; }
    bool IsRefused() const { return kind == Kind::kRefused; }
    bool IsDeviceFailure() const { return kind == Kind::kDeviceFailed; }
};

}  // namespace orvane
