#pragma once
// The mouse's settings record: one 84-byte block per on-board profile in parameter memory,
// at profile x 128; the active-profile number sits at address 0 (byte 0 of profile 0's block).

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "protocol/DpiStage.h"
#include "protocol/LightSetting.h"

namespace orvane {

// Resolution index n of a DPI stage: (n + 1) x 100 counts per inch.
inline constexpr int ResolutionFromIndex(uint16_t index) { return (index + 1) * 100; }

// The values a settings write takes from the profile and the page.
struct ConfigBlockInput {
    uint8_t activeProfile = 0;
    LightSetting light;
    uint8_t reportRateOption = 0;
    uint8_t activeDpiStage = 0;
    uint8_t liftOffOption = 0;
    std::vector<DpiStage> dpiStages;  // only the first six are stored
    uint8_t screenValid = 0;
    uint16_t screenWidth = 0;
    uint16_t screenHeight = 0;
    std::optional<std::pair<uint8_t, uint8_t>> correction;  // CorrectMinSq, CorrectPixThresh
};

struct ConfigBlock {
    static constexpr size_t kReadBytes = 84;
    static constexpr size_t kWriteBytes = 79;
    static constexpr size_t kProfileStride = 128;
    static constexpr size_t kDpiStageCount = 6;
    static constexpr size_t kDpiStageBytes = DpiStage::kSize;

    enum Offset : size_t {
        kActiveProfile = 0,
        kLightMode = 1,
        kBrightness = 2,
        kSpeed = 3,
        kDirection = 4,
        kMultiColor = 5,
        kRed = 6,
        kGreen = 7,
        kBlue = 8,
        kReserved9 = 9,
        kReportRate = 11,
        kActiveDpiStage = 12,
        kLiftOff = 13,
        kDpiStages = 14,
        kScreenValid = 68,
        kScreenWidth = 69,
        kScreenHeight = 71,
        kCorrectMinSq = 73,
        kCorrectPixThresh = 74,
    };
    static_assert(kDpiStages + kDpiStageCount * kDpiStageBytes == kScreenValid);
    static_assert(kCorrectPixThresh + 1 + 4 == kWriteBytes);

    std::array<uint8_t, kReadBytes> bytes{};

    // Speed is stored inverted (4 - speed), except on a slow link where the firmware takes it as is.
    static ConfigBlock Build(const ConfigBlockInput& in, bool slowLink);

    DpiStage Stage(size_t k) const;
    uint16_t Word(size_t offset) const { return static_cast<uint16_t>(bytes[offset] | bytes[offset + 1] << 8); }
};

// What a read of the active profile's block yields for the page and the profile.
struct DecodedConfig {
    uint8_t activeProfile = 0;
    ConfigBlock raw;    // the bytes as read
    ConfigBlock block;  // copy kept by the page: byte 0 = profile, byte 9 = 0, colour forced red
    LightSetting light;  // the copy's bytes 1-8; speed = 4 - byte 3, in 8-bit arithmetic
    uint8_t activeDpiStage = 0;

    // What a light state becomes when it takes this read: the read's light state with the
    // direction of `current`, which a read does not change.
    LightSetting LightKeepingDirection(const LightSetting& current) const;
};

DecodedConfig DecodeConfigBlock(uint8_t activeProfile, const std::array<uint8_t, ConfigBlock::kReadBytes>& raw);

}  // namespace orvane
