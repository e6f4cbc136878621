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
    b[kLightMode] = in.lightMode >= kFirstHostLightMode ? 0 : in.lightMode;
    b[kBrightness] = in.brightness;
    b[kSpeed] = slowLink ? in.speed : static_cast<uint8_t>(4 - in.speed);
    b[kDirection] = in.direction;
    b[kMultiColor] = in.multiColor;
    b[kRed] = in.red;
    b[kGreen] = in.green;
    b[kBlue] = in.blue;
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
    d.lightMode = b[ConfigBlock::kLightMode];
    d.brightness = b[ConfigBlock::kBrightness];
    d.speed = static_cast<uint8_t>(4 - b[ConfigBlock::kSpeed]);
    d.multiColor = b[ConfigBlock::kMultiColor];
    d.activeDpiStage = b[ConfigBlock::kActiveDpiStage];
    return d;
}

}  // namespace orvane
