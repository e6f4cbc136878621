// The mouse pad's side of `orvanectl config` (with --pad): the pad's active block as it holds it.
#include <json/json.h>

#include <cstdio>
#include <iostream>

#include "mousepad/PadDeviceModel.h"
#include "tools/orvanectl/Commands.h"
#include "tools/orvanectl/MouseSession.h"
#include "tools/orvanectl/PadSession.h"

namespace orvane::tool {
void PrintPadBlock(const PadBlock& block, bool json, const Json::Value* extra) {
    const LightSetting light = block.Lighting();
    char colour[8];
    std::snprintf(colour, sizeof colour, "%02x%02x%02x", light.red, light.green, light.blue);
    const std::string raw = HexBytes(block.bytes.data(), block.bytes.size());
    if (json) {
        Json::Value doc(Json::objectValue);
        doc["profile"] = block.ProfileNumber();
        doc["address"] = block.ProfileNumber() * PadBlock::kReadStride;
        doc["mode"] = light.mode;
        doc["brightness"] = light.brightness;
        doc["speed"] = light.speed;
        doc["colourful"] = light.multiColor != 0;
        doc["colour"] = colour;
        doc["raw"] = raw;
        if (extra != nullptr) {
            for (const auto& key : extra->getMemberNames()) doc[key] = (*extra)[key];
        }
        std::cout << doc.toStyledString();
        return;
    }
    std::printf("active profile        %u (block at address %u)\n", block.ProfileNumber(),
                block.ProfileNumber() * PadBlock::kReadStride);
    std::printf("light mode            %u\n", light.mode);
    std::printf("brightness            %u\n", light.brightness);
    std::printf("speed                 %u (stored as %u)\n", light.speed, (PadBlock::kSpeedBase - light.speed) & 0xFFu);
    std::printf("multicolour           %u\n", light.multiColor);
    std::printf("colour                #%s\n", colour);
    std::printf("raw                   %s\n", raw.c_str());
}

int PadConfigCommand(const GlobalOptions& options, const Args& args) {
    const bool json = !args.empty() && args[0] == "--json";
    if (args.size() > (json ? 1u : 0u)) return Fail(kExitUsage, "usage: orvanectl --pad config [--json]");
    int code = kExitOk;
    auto pad = OpenFirstPad(options, code);
    if (!pad) return code;
    PadDeviceModel model(*pad->channel);
    const std::optional<PadBlock> block = model.ReadActiveBlock();
    if (!block) return NotAnswering(model.LastFailure().command, model.LastFailure().result, model.LastFailure().detail);
    PrintPadBlock(*block, json, nullptr);
    return kExitOk;
}

}  // namespace orvane::tool
