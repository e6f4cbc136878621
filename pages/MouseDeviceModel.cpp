#include "pages/MouseDeviceModel.h"

namespace orvane {

bool MouseDeviceModel::Gate() {
    if (!channel_.IsOpen()) {
        Note("open", 0);
        return false;
    }
    if (channel_.SlowLink() && !channel_.QueryOnline()) {
        Note("QueryOnline", 0);
        return false;
    }
    return true;
}

void MouseDeviceModel::Note(const char* command, int result) {
    if (result != kResultSuccess && lastFailure_.command == nullptr)
        lastFailure_ = {command, result, channel_.LastFailureDetail()};
}

void MouseDeviceModel::RefreshDeviceInfo() {
    DeviceInfoRecord info;
    int r = channel_.ReadDeviceInfo(info);
    Note("ReadDeviceInfo", r);
    if (r == kResultSuccess) deviceInfo_ = info;
}

MouseDeviceModel::InitialReadOutcome MouseDeviceModel::InitialRead() {
    lastFailure_ = {};
    if (!channel_.IsOpen()) return InitialReadOutcome::ChannelClosed;
    if (!Gate()) return InitialReadOutcome::Offline;
    Note("BeginTransfer", channel_.BeginTransfer());
    RefreshDeviceInfo();
    if (!channel_.SetBlockSize(3u * deviceInfo_.KeySlots())) {
        Note("SetBlockSize", 0);
        return InitialReadOutcome::BlockSizeRefused;
    }
    std::array<uint8_t, kKeyTableMaxBytes> table{};
    int r = channel_.ReadKeyTable(table);
    Note("ReadKeyTable", r);
    // A failed read must not erase what the slots were known to hold.
    if (r == kResultSuccess) keyTable_ = table;
    Note("EndTransfer", channel_.EndTransfer());
    slotMap_ = BuildKeySlotMap(keyTable_, deviceInfo_.KeySlots());
    return InitialReadOutcome::Done;
}

std::optional<DecodedConfig> MouseDeviceModel::ReadActiveConfig() {
    lastFailure_ = {};
    if (!Gate()) return std::nullopt;
    std::array<uint8_t, 1> profile{};
    int r = channel_.ReadParameters(profile, 0);
    Note("ReadParameters", r);
    if (r != kResultSuccess) return std::nullopt;
    std::array<uint8_t, ConfigBlock::kReadBytes> block{};
    r = channel_.ReadParameters(block, static_cast<uint16_t>(profile[0] * ConfigBlock::kProfileStride));
    Note("ReadParameters", r);
    if (r != kResultSuccess) return std::nullopt;
    return DecodeConfigBlock(profile[0], block);
}

int MouseDeviceModel::WriteSettings(const ConfigBlockInput& input, uint8_t profileIndex) {
    lastFailure_ = {};
    const ConfigBlock block = ConfigBlock::Build(input, channel_.SlowLink());
    if (!Gate()) return 0;
    Note("BeginTransfer", channel_.BeginTransfer());
    if (!Gate()) return 0;
    Note("WriteParameters", channel_.WriteParameters(std::span(block.bytes).first(ConfigBlock::kWriteBytes),
                                                     static_cast<uint16_t>(profileIndex * ConfigBlock::kProfileStride)));
    if (!Gate()) return 0;
    Note("EndTransfer", channel_.EndTransfer());
    return 1;
}

int MouseDeviceModel::WriteKeyBlock(std::span<const FunctionCode> codes, uint8_t profileIndex) {
    lastFailure_ = {};
    if (!Gate()) return 0;
    RefreshDeviceInfo();
    const std::vector<uint8_t> table = BuildKeyTable(slotMap_, codes, deviceInfo_.KeySlots());
    if (!Gate()) return 0;
    Note("BeginTransfer", channel_.BeginTransfer());
    if (!Gate()) return 0;
    Note("WriteKeyTable", channel_.WriteKeyTable(table, profileIndex));
    if (!Gate()) return 0;
    Note("EndTransfer", channel_.EndTransfer());
    return 1;
}

int MouseDeviceModel::WriteMacros(const std::vector<std::vector<MacroEventBytes>>& macros) {
    lastFailure_ = {};
    if (!Gate()) return 0;
    RefreshDeviceInfo();
    MacroAreaImage compiled = CompileMacroArea(macros, MacroCapacityBytes());
    if (compiled.image.empty()) return compiled.result;
    if (!Gate()) return -1;
    Note("BeginTransfer", channel_.BeginTransfer());
    if (!Gate()) return -1;
    Note("WriteMacroData", channel_.WriteMacroData(compiled.image));
    if (!Gate()) return -1;
    Note("EndTransfer", channel_.EndTransfer());
    return 0;
}

std::optional<PowerStatus> MouseDeviceModel::ReadPowerStatus() {
    lastFailure_ = {};
    if (!Gate()) return std::nullopt;
    PowerStatus status;
    int r = channel_.ReadRecord(status.bytes, 0);
    Note("ReadRecord", r);
    if (r != kResultSuccess) return std::nullopt;
    status.MarkLink(channel_.SlowLink());
    return status;
}

}  // namespace orvane
