#pragma once
// The pad's command sequences over its CommandChannel, shared by the pad page and the
// command-line tool (the headset answers the same way): the initial read of the device info,
// reading the active profile's block, and writing a block. A group stops at the first command
// that found no answer, a closed channel or an unplugged device; an error status is an answer
// and the group goes on.

#include <optional>

#include "mousepad/PadBlock.h"
#include "protocol/CommandChannel.h"
#include "protocol/DeviceOutcome.h"

namespace orvane {

class PadDeviceModel {
public:
    explicit PadDeviceModel(CommandChannel& channel) : channel_(channel) {}

    // BeginTransfer, ReadDeviceInfo, EndTransfer. False when the channel is closed.
    bool InitialRead();
    // The active profile number p (1 byte at address 0), then 25 bytes at p × 25. nullopt when
    // either read failed, so a dead or half-answered read never replaces the caller's block.
    std::optional<PadBlock> ReadActiveBlock();
    // BeginTransfer, WriteParameters(the 21 encoded bytes at profileIndex × 64), EndTransfer.
    // False when skipped (closed channel).
    bool WriteBlock(const PadBlock& block, uint8_t profileIndex);

    const DeviceInfoRecord& DeviceInfo() const { return deviceInfo_; }
    // The first failing command of the last group, or command == nullptr when all succeeded.
    const CommandFailure& LastFailure() const { return lastFailure_; }

private:
    // A new group; false (noted) when the channel is closed.
    bool BeginGroup();
    template <class Call>
    int Command(const char* name, Call call);

    CommandChannel& channel_;
    DeviceInfoRecord deviceInfo_;
    CommandFailure lastFailure_;
    bool groupStopped_ = false;
};

}  // namespace orvane
