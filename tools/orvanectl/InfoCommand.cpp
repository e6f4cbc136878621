// `orvanectl info` (the initial read) and `orvanectl config` (the active settings block).
#include <cstdio>

#include "mouse/MouseDeviceModel.h"
#include "tools/orvanectl/Commands.h"

namespace orvane::tool {

int InfoCommand(const GlobalOptions& options, const Args&) {
    int code = kExitOk;
    auto mouse = OpenFirstMouse(options, code);
    if (!mouse) return code;
    MouseDeviceModel model(*mouse->channel);
    auto outcome = model.InitialRead();
    if (outcome == MouseDeviceModel::InitialReadOutcome::BlockSizeRefused)
        return Fail(kExitFailure, "the device reports " + std::to_string(model.KeySlots()) + " key slots, more than 170");
    if (const auto& f = model.LastFailure(); f.command != nullptr) return NotAnswering(f.command, f.result, f.detail);

    const auto& info = model.DeviceInfo();
    std::printf("device       %s\n", mouse->record.path.c_str());
    std::printf("device info  %s\n", HexBytes(info.bytes.data(), info.bytes.size()).c_str());
    std::printf("key slots    %u (key table %u bytes)\n", info.KeySlots(), 3u * info.KeySlots());
    std::printf("macro memory %u x 128 = %zu bytes\n", info.MacroUnits(), model.MacroCapacityBytes());
    std::printf("key table\n");
    for (size_t s = 0; s < model.KeySlots(); ++s)
        std::printf("  slot %3zu  %s\n", s, HexBytes(model.KeyTableCopy().data() + 3 * s, 3).c_str());
    std::printf("key slot map\n");
    for (size_t b = 0; b < kLogicalButtonCount; ++b) {
        const uint8_t slot = model.SlotMap()[b];
        if (slot == kNoKeySlot)
            std::printf("  button %2zu  %-22s no slot\n", b, LogicalButtons()[b].nameText);
        else
            std::printf("  button %2zu  %-22s slot %u\n", b, LogicalButtons()[b].nameText, slot);
    }
    return kExitOk;
}

int ConfigCommand(const GlobalOptions& options, const Args& args) {
    if (options.headset) return HeadsetConfigCommand(options, args);
    if (options.pad) return PadConfigCommand(options, args);
    int code = kExitOk;
    auto mouse = OpenFirstMouse(options, code);
    if (!mouse) return code;
    MouseDeviceModel model(*mouse->channel);
    auto decoded = model.ReadActiveConfig();
    if (!decoded) return NotAnswering(model.LastFailure().command, model.LastFailure().result, model.LastFailure().detail);

    // The block as read, not the page's adjusted copy: this is a diagnosis tool.
    const ConfigBlock& b = decoded->raw;
    auto byte = [&](size_t o) { return static_cast<unsigned>(b.bytes[o]); };
    std::printf("active profile        %u (block at address %zu)\n", decoded->activeProfile,
                decoded->activeProfile * ConfigBlock::kProfileStride);
    std::printf("light mode            %u\n", decoded->light.mode);
    std::printf("brightness            %u\n", decoded->light.brightness);
    std::printf("speed                 %u (byte 3 = %u)\n", decoded->light.speed, static_cast<unsigned>(4 - decoded->light.speed) & 0xFF);
    std::printf("direction             %u\n", byte(ConfigBlock::kDirection));
    std::printf("multicolour           %u\n", decoded->light.multiColor);
    std::printf("colour                #%02x%02x%02x\n", byte(ConfigBlock::kRed), byte(ConfigBlock::kGreen), byte(ConfigBlock::kBlue));
    std::printf("report-rate option    %u\n", byte(ConfigBlock::kReportRate));
    std::printf("active DPI stage      %u\n", decoded->activeDpiStage);
    std::printf("lift-off option       %u\n", byte(ConfigBlock::kLiftOff));
    for (size_t k = 0; k < ConfigBlock::kDpiStageCount; ++k) {
        const DpiStage s = b.Stage(k);
        std::printf("DPI stage %zu           %s x=%d y=%d%s colour #%02x%02x%02x\n", k, s.StageActive ? "on " : "off",
                    ResolutionFromIndex(s.StageDPIX), ResolutionFromIndex(s.StageDPIY), s.StageXY ? " (separate X/Y)" : "",
                    s.StageColorR, s.StageColorG, s.StageColorB);
    }
    std::printf("screen                %s %ux%u\n", byte(ConfigBlock::kScreenValid) ? "valid" : "not set",
                b.Word(ConfigBlock::kScreenWidth), b.Word(ConfigBlock::kScreenHeight));
    std::printf("correction            min sq %u, pix thresh %u\n", byte(ConfigBlock::kCorrectMinSq),
                byte(ConfigBlock::kCorrectPixThresh));
    std::printf("raw                   %s\n", HexBytes(b.bytes.data(), b.bytes.size()).c_str());
    return kExitOk;
}

}  // namespace orvane::tool
