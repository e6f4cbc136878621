#include "mouse/MouseDeviceModel.h"

namespace orvane {
namespace {

// Bytes 0..20 of profile 0's block: enough to reach the lift-off byte.
constexpr size_t kLiftOffReadBytes = 21;
static_assert(ConfigBlock::kLiftOff < kLiftOffReadBytes);

}  // namespace

void MouseDeviceModel::RefreshDeviceInfo() {
    DeviceInfoRecord info;
    if (Command("ReadDeviceInfo", [&] { return channel_.ReadDeviceInfo(info); }) == kResultSuccess) deviceInfo_ = info;
}

MouseDeviceModel::InitialReadOutcome MouseDeviceModel::InitialRead() {
    BeginGroup();
    if (!channel_.IsOpen()) return InitialReadOutcome::ChannelClosed;
    if (!Gate()) return InitialReadOutcome::Offline;
    Command("BeginTransfer", [this] { return channel_.BeginTransfer(); });
    RefreshDeviceInfo();
    if (!channel_.SetBlockSize(3u * deviceInfo_.KeySlots())) {
        Note("SetBlockSize", 0);
        return InitialReadOutcome::BlockSizeRefused;
    }
    std::array<uint8_t, kKeyTableMaxBytes> table{};
    // A failed read must not erase what the slots were known to hold.
    if (Command("ReadKeyTable", [&] { return channel_.ReadKeyTable(table); }) == kResultSuccess) keyTable_ = table;
    Command("EndTransfer", [this] { return channel_.EndTransfer(); });
    slotMap_ = BuildKeySlotMap(keyTable_, deviceInfo_.KeySlots());
    return InitialReadOutcome::Done;
}

std::optional<DecodedConfig> MouseDeviceModel::ReadActiveConfig() {
    BeginGroup();
    if (!Gate()) return std::nullopt;
    std::array<uint8_t, 1> profile{};
    if (Command("ReadParameters", [&] { return channel_.ReadParameters(profile, 0); }) != kResultSuccess) return std::nullopt;
    std::array<uint8_t, ConfigBlock::kReadBytes> block{};
    const auto address = static_cast<uint16_t>(profile[0] * ConfigBlock::kProfileStride);
    if (Command("ReadParameters", [&] { return channel_.ReadParameters(block, address); }) != kResultSuccess) {
        return std::nullopt;
    }
    return DecodeConfigBlock(profile[0], block);
}

std::optional<bool> MouseDeviceModel::ReadLiftOffSwitch() {
    BeginGroup();
    std::array<uint8_t, kLiftOffReadBytes> block{};
    if (Command("ReadParameters", [&] { return channel_.ReadParameters(block, 0); }) != kResultSuccess) return std::nullopt;
    return block[ConfigBlock::kLiftOff] != 0;
}

int MouseDeviceModel::WriteSettings(const ConfigBlockInput& input, uint8_t profileIndex) {
    BeginGroup();
    const ConfigBlock block = ConfigBlock::Build(input, channel_.SlowLink());
    if (!Gate()) return 0;
    Command("BeginTransfer", [this] { return channel_.BeginTransfer(); });
    if (!Gate()) return 0;
    const auto address = static_cast<uint16_t>(profileIndex * ConfigBlock::kProfileStride);
    Command("WriteParameters", [&] {
        return channel_.WriteParameters(std::span(block.bytes).first(ConfigBlock::kWriteBytes), address);
    });
    if (!Gate()) return 0;
    Command("EndTransfer", [this] { return channel_.EndTransfer(); });
    return 1;
}

int MouseDeviceModel::WriteKeyBlock(std::span<const FunctionCode> codes, uint8_t profileIndex) {
    BeginGroup();
    if (!Gate()) return 0;
    RefreshDeviceInfo();
    ClaimSlotsOfCurrentCodes(slotMap_, keyTable_, deviceInfo_.KeySlots(), codes);
    const std::vector<uint8_t> table = BuildKeyTable(slotMap_, codes, deviceInfo_.KeySlots());
    if (!Gate()) return 0;
    Command("BeginTransfer", [this] { return channel_.BeginTransfer(); });
    if (!Gate()) return 0;
    Command("WriteKeyTable", [&] { return channel_.WriteKeyTable(table, profileIndex); });
    if (!Gate()) return 0;
    Command("EndTransfer", [this] { return channel_.EndTransfer(); });
    return 1;
}

int MouseDeviceModel::WriteMacros(const std::vector<std::vector<MacroEventBytes>>& macros) {
    BeginGroup();
    if (!Gate()) return 0;
    RefreshDeviceInfo();
    return WriteMacroMemory(group_, macros, MacroCapacityBytes());
}

std::optional<PowerStatus> MouseDeviceModel::ReadPowerStatus() {
    BeginGroup();
    if (!Gate()) return std::nullopt;
    PowerStatus status;
    if (Command("ReadRecord", [&] { return channel_.ReadRecord(status.bytes, 0); }) != kResultSuccess) return std::nullopt;
    status.MarkLink(channel_.SlowLink());
    return status;
}

}  // namespace orvane
