#include "keyboard/KeyboardMemories.h"

namespace orvane {

void KeyboardMemories::RefreshDeviceInfo() {
    DeviceInfoRecord info;
    if (group_.Command("ReadDeviceInfo", [&] { return channel_.ReadDeviceInfo(info); }) == kResultSuccess)
        deviceInfo_ = info;
}

template <class Write>
int KeyboardMemories::WriteInTransfer(const char* name, Write write) {
    if (!group_.Gate()) return 0;
    group_.Command("BeginTransfer", [this] { return channel_.BeginTransfer(); });
    if (!group_.Gate()) return 0;
    group_.Command(name, write);
    if (!group_.Gate()) return 0;
    group_.Command("EndTransfer", [this] { return channel_.EndTransfer(); });
    return 1;
}

KeyboardMemories::InitialReadOutcome KeyboardMemories::InitialRead() {
    group_.Begin();
    if (!channel_.IsOpen()) return InitialReadOutcome::ChannelClosed;
    if (!group_.Gate()) return InitialReadOutcome::Offline;
    group_.Command("BeginTransfer", [this] { return channel_.BeginTransfer(); });
    RefreshDeviceInfo();
    if (!channel_.SetBlockSize(3u * deviceInfo_.KeySlots())) {
        group_.Note("SetBlockSize", 0);
        return InitialReadOutcome::BlockSizeRefused;
    }
    std::array<uint8_t, kKeyTableMaxBytes> table{};
    if (group_.Command("ReadKeyTable", [&] { return channel_.ReadKeyTable(table); }) == kResultSuccess) keyTable_ = table;
    std::array<uint8_t, kKeyLightMapBytes> leds;
    leds.fill(kNoKeyLed);
    if (group_.Command("ReadKeyLightMap", [&] { return channel_.ReadKeyLightMap(leds); }) == kResultSuccess) {
        // Bytes past the block size's share are not the keyboard's: no LED.
        std::fill(leds.begin() + channel_.BlockSize() / 3, leds.end(), kNoKeyLed);
        ledMap_ = leds;
    }
    group_.Command("EndTransfer", [this] { return channel_.EndTransfer(); });
    maps_ = BuildKeyboardMaps(keyTable_, ledMap_, deviceInfo_.KeySlots());
    return InitialReadOutcome::Done;
}

std::optional<std::pair<uint8_t, std::array<uint8_t, KeyboardBlock::kBytes>>> KeyboardMemories::ReadActiveBlock() {
    group_.Begin();
    if (!group_.Gate()) return std::nullopt;
    std::array<uint8_t, 1> profile{};
    if (group_.Command("ReadParameters", [&] { return channel_.ReadParameters(profile, 0); }) != kResultSuccess)
        return std::nullopt;
    std::array<uint8_t, KeyboardBlock::kBytes> block{};
    const auto address = static_cast<uint16_t>(profile[0] * KeyboardBlock::kProfileStride);
    if (group_.Command("ReadParameters", [&] { return channel_.ReadParameters(block, address); }) != kResultSuccess)
        return std::nullopt;
    return std::make_pair(profile[0], block);
}

std::optional<std::array<uint8_t, KeyboardBlock::kBytes>> KeyboardMemories::ReadFirstBlock() {
    group_.Begin();
    if (!group_.Gate()) return std::nullopt;
    std::array<uint8_t, KeyboardBlock::kBytes> block{};
    if (group_.Command("ReadParameters", [&] { return channel_.ReadParameters(block, 0); }) != kResultSuccess)
        return std::nullopt;
    return block;
}

int KeyboardMemories::WriteBlock(const KeyboardBlock& block, uint8_t profileIndex) {
    group_.Begin();
    const auto address = static_cast<uint16_t>(profileIndex * KeyboardBlock::kProfileStride);
    return WriteInTransfer("WriteParameters", [&] { return channel_.WriteParameters(block.bytes, address); });
}

int KeyboardMemories::WriteKeyBlock(std::span<const FunctionCode> codes, uint8_t profileIndex) {
    group_.Begin();
    if (!group_.Gate()) return 0;
    RefreshDeviceInfo();
    ClaimSlotsOfCurrentCodes(codes);
    const std::vector<uint8_t> table = BuildKeyboardKeyTable(maps_, keyTable_, codes, deviceInfo_.KeySlots());
    return WriteInTransfer("WriteKeyTable", [&] { return channel_.WriteKeyTable(table, profileIndex); });
}

int KeyboardMemories::WriteMacros(const std::vector<std::vector<MacroEventBytes>>& macros) {
    group_.Begin();
    if (!group_.Gate()) return 0;
    RefreshDeviceInfo();
    return WriteMacroMemory(group_, macros, MacroCapacityBytes());
}

int KeyboardMemories::WriteCustomBitmap(const CustomLightBitmap& bitmap) {
    group_.Begin();
    if (!group_.Gate()) return 0;
    return group_.Command("WriteRecord", [&] { return channel_.WriteRecord(bitmap, 0); });
}

int KeyboardMemories::WriteCustomBitmapByte(size_t index, uint8_t value) {
    group_.Begin();
    if (index >= kCustomLightBitmapBytes || !group_.Gate()) return 0;
    const std::array<uint8_t, 1> byte{value};
    return group_.Command("WriteRecord", [&] { return channel_.WriteRecord(byte, static_cast<uint16_t>(index)); });
}

void KeyboardMemories::ClaimSlotsOfCurrentCodes(std::span<const FunctionCode> codes) {
    ClaimKeyboardSlotsOfCurrentCodes(maps_, keyTable_, ledMap_, deviceInfo_.KeySlots(), codes);
}

int KeyboardMemories::StreamFrame(const KeyLightFrame& frame) { return channel_.StreamLightData(frame); }

}  // namespace orvane
