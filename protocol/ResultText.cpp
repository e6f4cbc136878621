#include "protocol/ResultText.h"

#include <cstdio>

namespace orvane {
namespace {

constexpr ResultCodeMeaning kMeanings[] = {
    {kResultSuccess, "done: every report was answered with a success status"},
    {kResultClosedOrReadFailed, "the device is not connected, or no reply came (time-out or unplug)"},
    {kResultWriteFailed, "a report could not be sent to the device (time-out or unplug)"},
    {kResultStatusError, "the device answered with the error status 0xFF"},
    {kResultStatusRejected, "the device answered with the error status 0xFE"},
    {kResultBadTableIndex, "a key table other than 0 was asked for; nothing was sent"},
};

// Whether the detail can be the cause of this result: a detail left by another command is not.
bool Explains(int result, ExchangeFailure kind) {
    switch (kind) {
        case ExchangeFailure::kNone: return false;
        case ExchangeFailure::kStatusError: return result == kResultStatusError;
        case ExchangeFailure::kStatusRejected: return result == kResultStatusRejected;
        case ExchangeFailure::kNotSent: return result == kResultWriteFailed;
        case ExchangeFailure::kNoReply: return result == kResultClosedOrReadFailed;
        case ExchangeFailure::kClosed:
        case ExchangeFailure::kUnplugged: return result == kResultClosedOrReadFailed || result == kResultWriteFailed;
    }
    return false;
}

}  // namespace

std::span<const ResultCodeMeaning> ResultCodeMeanings() { return kMeanings; }

const char* CommandName(uint8_t commandId) {
    switch (commandId) {
        case CommandChannel::kBeginTransfer: return "BeginTransfer";
        case CommandChannel::kEndTransfer: return "EndTransfer";
        case CommandChannel::kReadDeviceInfo: return "ReadDeviceInfo";
        case CommandChannel::kReadParameters: return "ReadParameters";
        case CommandChannel::kWriteParameters: return "WriteParameters";
        case CommandChannel::kReadKeyTable: return "ReadKeyTable";
        case CommandChannel::kWriteKeyTable: return "WriteKeyTable";
        case CommandChannel::kWriteRecord: return "WriteRecord";
        case CommandChannel::kStreamLightData: return "StreamLightData";
        case CommandChannel::kWriteMacroData: return "WriteMacroData";
        case CommandChannel::kReadRecord: return "ReadRecord";
        case CommandChannel::kReadKeyLightMap: return "ReadKeyLightMap";
        case CommandChannel::kQueryOnline: return "QueryOnline";
        default: return nullptr;
    }
}

std::string DescribeCommandFailure(std::string_view command, int result, const CommandFailureDetail& detail,
                                   std::string_view device) {
    const std::string what(command);
    const std::string who(device);
    const char* name = CommandName(detail.commandId);
    if (name != nullptr && what == name && Explains(result, detail.kind)) {
        switch (detail.kind) {
            case ExchangeFailure::kStatusError: return who + " reported an error (status 0xFF) to " + what;
            case ExchangeFailure::kStatusRejected: return who + " reported an error (status 0xFE) to " + what;
            case ExchangeFailure::kUnplugged: return who + " was unplugged during " + what;
            case ExchangeFailure::kClosed: return who + " is not connected; " + what + " was not sent";
            case ExchangeFailure::kNotSent:
                return what + " could not be sent to " + who + " within " + std::to_string(detail.timeoutMs) + " ms";
            case ExchangeFailure::kNoReply:
                return "no answer to " + what + " within " + std::to_string(detail.timeoutMs) + " ms";
            case ExchangeFailure::kNone: break;
        }
    }
    for (const auto& m : kMeanings) {
        if (m.code == result) return what + " failed: " + m.meaning;
    }
    return what + " failed with result " + std::to_string(result);
}

}  // namespace orvane
