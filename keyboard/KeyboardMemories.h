#pragma once
// The keyboard's device-memory sequences, shared by the keyboard page and the command-line tool:
// the initial read (device info, key table, LED map), reading the active profile's block, and
// the write groups for the block, the key table, the macros and the custom light bitmap, each a
// CommandGroup gated on QueryOnline on a slow link. Light frames go by the channel's light path.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "keyboard/KeyboardBlock.h"
#include "keyboard/KeyboardKeys.h"
#include "protocol/CommandChannel.h"
#include "protocol/CommandGroup.h"
#include "protocol/MacroArea.h"

namespace orvane {

inline constexpr size_t kCustomLightBitmapBytes = 21;
using CustomLightBitmap = std::array<uint8_t, kCustomLightBitmapBytes>;
using KeyLightFrame = std::array<uint8_t, kKeyLedCount>;

class KeyboardMemories {
public:
    explicit KeyboardMemories(CommandChannel& channel) : channel_(channel), group_(channel) {}

    enum class InitialReadOutcome { Done, ChannelClosed, Offline, BlockSizeRefused };
    // BeginTransfer, ReadDeviceInfo, SetBlockSize(3 x N), ReadKeyTable, ReadKeyLightMap,
    // EndTransfer; then the maps. A failed read keeps what the copy held before.
    InitialReadOutcome InitialRead();

    // The active-profile byte and that profile's block; nullopt when either read failed.
    std::optional<std::pair<uint8_t, std::array<uint8_t, KeyboardBlock::kBytes>>> ReadActiveBlock();
    // The block at address 0, read alone (no transfer group); nullopt when the read failed.
    std::optional<std::array<uint8_t, KeyboardBlock::kBytes>> ReadFirstBlock();
    // BeginTransfer, WriteParameters(25 bytes at profile x 25), EndTransfer. 1, or 0 when skipped.
    int WriteBlock(const KeyboardBlock& block, uint8_t profileIndex);
    // Refreshes N, then writes 3 x N bytes: the table as read with each mapped key's code.
    int WriteKeyBlock(std::span<const FunctionCode> codes, uint8_t profileIndex);
    // As the mouse's: 0 written or nothing to write, > 0 events to remove, -1 stopped after compiling.
    int WriteMacros(const std::vector<std::vector<MacroEventBytes>>& macros);
    // WriteRecord of the whole bitmap at address 0, or of one byte at its own address.
    int WriteCustomBitmap(const CustomLightBitmap& bitmap);
    int WriteCustomBitmapByte(size_t index, uint8_t value);
    // Keys whose factory code is in no slot take the free slot holding their code in `codes`
    // (what an earlier run wrote), and its LED.
    void ClaimSlotsOfCurrentCodes(std::span<const FunctionCode> codes);
    // One frame through the light path (dropped while a command runs); the channel's result.
    int StreamFrame(const KeyLightFrame& frame);

    const DeviceInfoRecord& DeviceInfo() const { return deviceInfo_; }
    const std::array<uint8_t, kKeyTableMaxBytes>& KeyTableCopy() const { return keyTable_; }
    const std::array<uint8_t, kKeyLightMapBytes>& LedMapCopy() const { return ledMap_; }
    const KeyboardMaps& Maps() const { return maps_; }
    size_t KeySlots() const { return deviceInfo_.KeySlots(); }
    size_t MacroCapacityBytes() const { return static_cast<size_t>(deviceInfo_.MacroUnits()) * kMacroUnitBytes; }
    const CommandFailure& LastFailure() const { return group_.LastFailure(); }

private:
    void RefreshDeviceInfo();
    // A write group of one command between BeginTransfer and EndTransfer.
    template <class Write>
    int WriteInTransfer(const char* name, Write write);

    CommandChannel& channel_;
    CommandGroup group_;
    DeviceInfoRecord deviceInfo_;
    std::array<uint8_t, kKeyTableMaxBytes> keyTable_{};
    std::array<uint8_t, kKeyLightMapBytes> ledMap_ = [] {
        std::array<uint8_t, kKeyLightMapBytes> m;
        m.fill(kNoKeyLed);
        return m;
    }();
    KeyboardMaps maps_;
};

}  // namespace orvane
