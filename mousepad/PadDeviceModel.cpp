#include "mousepad/PadDeviceModel.h"

#include <array>

namespace orvane {
namespace {

// No answer, no channel or no device: the rest of the group would not be answered either.
bool DeviceGone(int result) { return result == kResultClosedOrReadFailed || result == kResultWriteFailed; }

}  // namespace

bool PadDeviceModel::BeginGroup() {
    lastFailure_ = {};
    groupStopped_ = false;
    if (channel_.IsOpen()) return true;
    lastFailure_ = {"open", kResultClosedOrReadFailed, channel_.LastFailureDetail()};
    return false;
}

template <class Call>
int PadDeviceModel::Command(const char* name, Call call) {
    if (groupStopped_) return kResultClosedOrReadFailed;
    const int result = call();
    if (result != kResultSuccess && lastFailure_.command == nullptr)
        lastFailure_ = {name, result, channel_.LastFailureDetail()};
    if (DeviceGone(result)) groupStopped_ = true;
    return result;
}

bool PadDeviceModel::InitialRead() {
    if (!BeginGroup()) return false;
    Command("BeginTransfer", [this] { return channel_.BeginTransfer(); });
    DeviceInfoRecord info;
    if (Command("ReadDeviceInfo", [&] { return channel_.ReadDeviceInfo(info); }) == kResultSuccess) deviceInfo_ = info;
    Command("EndTransfer", [this] { return channel_.EndTransfer(); });
    return true;
}

std::optional<PadBlock> PadDeviceModel::ReadActiveBlock() {
    if (!BeginGroup()) return std::nullopt;
    std::array<uint8_t, 1> profile{};
    if (Command("ReadParameters", [&] { return channel_.ReadParameters(profile, 0); }) != kResultSuccess) return std::nullopt;
    std::array<uint8_t, PadBlock::kReadBytes> read{};
    const auto address = static_cast<uint16_t>(profile[0] * PadBlock::kReadStride);
    if (Command("ReadParameters", [&] { return channel_.ReadParameters(read, address); }) != kResultSuccess) {
        return std::nullopt;
    }
    return DecodePadBlock(profile[0], read);
}

bool PadDeviceModel::WriteBlock(const PadBlock& block, uint8_t profileIndex) {
    if (!BeginGroup()) return false;
    const std::array<uint8_t, PadBlock::kBytes> bytes = EncodePadBlock(block);
    Command("BeginTransfer", [this] { return channel_.BeginTransfer(); });
    const auto address = static_cast<uint16_t>(profileIndex * PadBlock::kWriteStride);
    Command("WriteParameters", [&] { return channel_.WriteParameters(bytes, address); });
    Command("EndTransfer", [this] { return channel_.EndTransfer(); });
    return true;
}

}  // namespace orvane
