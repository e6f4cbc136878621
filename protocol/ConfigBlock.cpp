#include "protocol/ConfigBlock.h"

#include <algorithm>

namespace orvane {
namespace {

// The firmware knows light modes 0..8; user effects (9 and up) run on the host.
constexpr uint8_t kFirstHostLightMode = 9;

void PutWord(std::array<uint8_t, ConfigBlock::kReadBytes>& b, size_t offset, uint16_t v) {
    b[offset] = static_cast<uint8_t>(v & 0xFF);
    b[offset + 1] = static_cast<uint8_t>(v >> 8);
}

}  // namespace

ConfigBlock ConfigBlock::Build(const ConfigBlockInput& in, bool slowLink) {
    ConfigBlock c;
    auto& b = c.bytes;
    b[kActiveProfile] = in.activeProfile;
    const LightSetting& light = in.light;
    b[kLightMode] = light.mode >= kFirstHostLightMode ? 0 : light.mode;
    b[kBrightness] = light.brightness;
    b[kSpeed] = slowLink ? light.speed : static_cast<uint8_t>(4 - light.speed);
    b[kDirection] = light.direction;
    b[kMultiColor] = light.multiColor;
    b[kRed] = light.red;
    b[kGreen] = light.green;
    b[kBlue] = light.blue;
    b[kReportRate] = in.reportRateOption;
    b[kActiveDpiStage] = in.activeDpiStage;
    b[kLiftOff] = in.liftOffOption;
    for (size_t k = 0; k < kDpiStageCount && k < in.dpiStages.size(); ++k) {
        const auto stage = in.dpiStages[k].Encode();
        std::copy(stage.begin(), stage.end(), b.begin() + static_cast<std::ptrdiff_t>(kDpiStages + k * kDpiStageBytes));
    }
    b[kScreenValid] = in.screenValid;
    PutWord(b, kScreenWidth, in.screenWidth);
    PutWord(b, kScreenHeight, in.screenHeight);
    if (in.correction) {
        b[kCorrectMinSq] = in.correction->first;
        b[kCorrectPixThresh] = in.correction->second;
    }
    return c;
}

DpiStage ConfigBlock::Stage(size_t k) const {
    std::array<uint8_t, kDpiStageBytes> stage{};
    const auto from = bytes.begin() + static_cast<std::ptrdiff_t>(kDpiStages + k * kDpiStageBytes);
    std::copy(from, from + kDpiStageBytes, stage.begin());
    return DpiStage::Decode(stage);
}

DecodedConfig DecodeConfigBlock(uint8_t activeProfile, const std::array<uint8_t, ConfigBlock::kReadBytes>& raw) {
    DecodedConfig d;
    d.activeProfile = activeProfile;
    d.raw.bytes = raw;
    d.block.bytes = raw;
    auto& b = d.block.bytes;
    b[ConfigBlock::kActiveProfile] = activeProfile;
    b[ConfigBlock::kReserved9] = 0;
    b[ConfigBlock::kRed] = 255;
    b[ConfigBlock::kGreen] = 0;
    b[ConfigBlock::kBlue] = 0;
    using C = ConfigBlock;
    d.light = {b[C::kLightMode], b[C::kBrightness], static_cast<uint8_t>(4 - b[C::kSpeed]), b[C::kDirection],
               b[C::kMultiColor], b[C::kRed], b[C::kGreen], b[C::kBlue]};
    d.activeDpiStage = b[ConfigBlock::kActiveDpiStage];
    return d;
}

LightSetting DecodedConfig::LightKeepingDirection(const LightSetting& current) const {
    LightSetting taken = light;
    taken.direction = current.direction;
    return taken;
}

}  // namespace orvane
