#pragma once
// The mouse's device-memory sequences, shared by the mouse page and the command-line tool:
// the initial read, reading the active profile's settings block, and the write groups for
// settings, key table and macros, each gated on QueryOnline on a slow link.
//
// Each runs as one CommandGroup: it stops at the first command that found no answer.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "protocol/CommandChannel.h"
#include "protocol/CommandGroup.h"
#include "protocol/DeviceOutcome.h"
#include "protocol/ConfigBlock.h"
#include "protocol/KeyTable.h"
#include "protocol/MacroArea.h"
#include "protocol/PowerStatus.h"

namespace orvane {

class MouseDeviceModel {
public:
    explicit MouseDeviceModel(CommandChannel& channel) : channel_(channel), group_(channel) {}

    enum class InitialReadOutcome { Done, ChannelClosed, Offline, BlockSizeRefused };
    // BeginTransfer, ReadDeviceInfo, SetBlockSize(3 x N), ReadKeyTable, EndTransfer; then the
    // key slot map. Command results inside the group are noted, not acted on.
    InitialReadOutcome InitialRead();

    // Reads the active-profile byte and that profile's block. nullopt when either read failed,
    // so a dead or half-answered read never decodes zeros into the caller's state.
    std::optional<DecodedConfig> ReadActiveConfig();

    // BeginTransfer, WriteParameters(79 bytes at profile x 128), EndTransfer. 1, or 0 when the
    // group was skipped (closed channel, slow link offline).
    int WriteSettings(const ConfigBlockInput& input, uint8_t profileIndex);
    // Refreshes N, then writes 3 x N bytes built from the key slot map. 1, or 0 when skipped.
    int WriteKeyBlock(std::span<const FunctionCode> codes, uint8_t profileIndex);
    // Refreshes M, compiles and writes the macro area. 0 written or nothing to write, > 0 the
    // events that must go (nothing written), -1 the device stopped answering after compiling.
    int WriteMacros(const std::vector<std::vector<MacroEventBytes>>& macros);
    std::optional<PowerStatus> ReadPowerStatus();
    // Byte 13 of on-board profile 0's block: the lift-off switch. nullopt when the read failed.
    std::optional<bool> ReadLiftOffSwitch();

    const DeviceInfoRecord& DeviceInfo() const { return deviceInfo_; }
    const std::array<uint8_t, kKeyTableMaxBytes>& KeyTableCopy() const { return keyTable_; }
    const KeySlotMap& SlotMap() const { return slotMap_; }
    size_t KeySlots() const { return deviceInfo_.KeySlots(); }
    size_t MacroCapacityBytes() const { return static_cast<size_t>(deviceInfo_.MacroUnits()) * kMacroUnitBytes; }
    // The first failing command of the last group run, or command == nullptr when all succeeded.
    const CommandFailure& LastFailure() const { return group_.LastFailure(); }

private:
    void BeginGroup() { group_.Begin(); }
    bool Gate() { return group_.Gate(); }
    template <class Call>
    int Command(const char* name, Call call) {
        return group_.Command(name, call);
    }
    void Note(const char* command, int result) { group_.Note(command, result); }
    void RefreshDeviceInfo();

    CommandChannel& channel_;
    CommandGroup group_;
    DeviceInfoRecord deviceInfo_;
    std::array<uint8_t, kKeyTableMaxBytes> keyTable_{};
    KeySlotMap slotMap_ = [] {
        KeySlotMap m;
        m.fill(kNoKeySlot);
        return m;
    }();
};

}  // namespace orvane
