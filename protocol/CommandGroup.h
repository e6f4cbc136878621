#pragma once
// One group of commands of a device sequence (a read or a write between BeginTransfer and
// EndTransfer): it notes the first command that failed and stops the group at the first one that
// found no answer (time-out), a closed channel or an unplugged device, so that the rest returns
// the closed-channel result without I/O and a dead device costs one time-out per group. An error
// status is an answer and the group goes on. On a slow link every gate asks QueryOnline first.

#include "protocol/CommandChannel.h"
#include "protocol/DeviceOutcome.h"
#include "protocol/MacroArea.h"

namespace orvane {

class CommandGroup {
public:
    explicit CommandGroup(CommandChannel& channel) : channel_(channel) {}

    // A new group: no failure noted, the device taken as answering.
    void Begin() {
        lastFailure_ = {};
        stopped_ = false;
    }
    // Channel open, the group not stopped and, on a slow link, the device online (noted as a
    // failure otherwise).
    bool Gate();
    // Runs one command of the group unless the group has stopped (then 0, no I/O), and notes it.
    template <class Call>
    int Command(const char* name, Call call) {
        if (stopped_) return kResultClosedOrReadFailed;
        const int result = call();
        Note(name, result);
        return result;
    }
    void Note(const char* command, int result);

    // The first failing command of the group, or command == nullptr when all succeeded.
    const CommandFailure& LastFailure() const { return lastFailure_; }
    CommandChannel& Channel() { return channel_; }

private:
    CommandChannel& channel_;
    CommandFailure lastFailure_;
    bool stopped_ = false;
};

// Compiles `macros` for a macro memory of `capacityBytes` and writes the image in a transfer.
// 0 written or nothing to write, > 0 the events that must go (nothing written), -1 the device
// stopped answering after compiling.
int WriteMacroMemory(CommandGroup& group, const std::vector<std::vector<MacroEventBytes>>& macros, size_t capacityBytes);

}  // namespace orvane
