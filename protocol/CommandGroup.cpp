#include "protocol/CommandGroup.h"

namespace orvane {
namespace {

// No answer, no channel or no device: the device will not answer the rest of the group either.
bool DeviceGone(int result) { return result == kResultClosedOrReadFailed || result == kResultWriteFailed; }

}  // namespace

bool CommandGroup::Gate() {
    if (stopped_) return false;
    if (!channel_.IsOpen()) {
        Note("open", 0);
        return false;
    }
    if (channel_.SlowLink() && Command("QueryOnline", [this] { return channel_.QueryOnline() ? kResultSuccess : 0; }) != kResultSuccess) {
        return false;
    }
    return true;
}

void CommandGroup::Note(const char* command, int result) {
    if (result != kResultSuccess && lastFailure_.command == nullptr)
        lastFailure_ = {command, result, channel_.LastFailureDetail()};
    if (DeviceGone(result)) stopped_ = true;
}

int WriteMacroMemory(CommandGroup& group, const std::vector<std::vector<MacroEventBytes>>& macros, size_t capacityBytes) {
    MacroAreaImage compiled = CompileMacroArea(macros, capacityBytes);
    if (compiled.image.empty()) return compiled.result;
    CommandChannel& channel = group.Channel();
    if (!group.Gate()) return -1;
    group.Command("BeginTransfer", [&] { return channel.BeginTransfer(); });
    if (!group.Gate()) return -1;
    group.Command("WriteMacroData", [&] { return channel.WriteMacroData(compiled.image); });
    if (!group.Gate()) return -1;
    group.Command("EndTransfer", [&] { return channel.EndTransfer(); });
    return 0;
}

}  // namespace orvane
