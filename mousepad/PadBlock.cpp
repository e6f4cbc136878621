#include "mousepad/PadBlock.h"

#include <algorithm>

namespace orvane {

LightSetting PadBlock::Lighting(const LightSetting& keep) const {
    LightSetting light = keep;
    light.mode = bytes[kMode];
    light.brightness = bytes[kBrightness];
    light.speed = bytes[kSpeed];
    light.multiColor = bytes[kMultiColor];
    light.red = bytes[kRed];
    light.green = bytes[kGreen];
    light.blue = bytes[kBlue];
    return light;
}

void PadBlock::SetLighting(const LightSetting& light) {
    bytes[kMode] = light.mode;
    bytes[kBrightness] = light.brightness;
    bytes[kSpeed] = light.speed;
    bytes[kMultiColor] = light.multiColor;
    bytes[kRed] = light.red;
    bytes[kGreen] = light.green;
    bytes[kBlue] = light.blue;
}

PadBlock DecodePadBlock(uint8_t profile, std::span<const uint8_t, PadBlock::kReadBytes> read) {
    PadBlock block;
    std::copy_n(read.begin(), PadBlock::kBytes, block.bytes.begin());
    block.bytes[PadBlock::kProfileNumber] = profile;
    block.bytes[PadBlock::kSpeed] = static_cast<uint8_t>(PadBlock::kSpeedBase - block.bytes[PadBlock::kSpeed]);
    return block;
}

std::array<uint8_t, PadBlock::kBytes> EncodePadBlock(const PadBlock& block) {
    std::array<uint8_t, PadBlock::kBytes> out = block.bytes;
    out[PadBlock::kSpeed] = static_cast<uint8_t>(PadBlock::kSpeedBase - out[PadBlock::kSpeed]);
    if (out[PadBlock::kMode] >= PadBlock::kFirstHostMode) out[PadBlock::kMode] = 0;
    return out;
}

}  // namespace orvane
