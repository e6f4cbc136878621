#pragma once
// The keyboard's parameter block: 25 bytes per on-board profile in parameter memory, profile p's
// at p x 25; address 0 (byte 0 of profile 0's block) holds the active profile.

#include <array>
#include <cstdint>
#include <optional>

#include "profiles/ProfileRecords.h"
#include "protocol/LightSetting.h"

namespace orvane {

inline constexpr uint8_t kKeyboardLightModes = 25;  // 0-24; the block takes no higher mode
inline constexpr uint8_t kKeyboardReportRateOptions = 4;

struct KeyboardBlock {
    static constexpr size_t kBytes = 25;
    static constexpr size_t kProfileStride = 25;

    enum Offset : size_t {
        kActiveProfile = 0,
        kLightMode = 1,
        kBrightness = 2,
        kSpeed = 3,  // stored inverted: 4 - speed
        kDirection = 4,
        kMultiColor = 5,
        kRed = 6,
        kGreen = 7,
        kBlue = 8,
        kReserved9 = 9,  // 9-18
        kWFlag = 19,
        kSixKeyFlag = 20,
        kWinLock = 21,
        kReportRate = 22,
        kReserved23 = 23,  // 23-24
    };
    static_assert(kReserved23 + 2 == kBytes);

    std::array<uint8_t, kBytes> bytes{};

    // A mode of 25 or more is written as 0; levels above 4 as 4, flags as 0 or 1 and a report
    // rate option above 3 as 3, values the keyboard would otherwise refuse the whole block for.
    static KeyboardBlock Build(uint8_t activeProfile, const LightSetting& light, const KeyboardSystemSettings& settings);
};

// What a read of the active profile's block gives the host: the lighting (direction is not
// taken from the keyboard: it keeps `current`'s) and the three flags.
struct DecodedKeyboardBlock {
    uint8_t activeProfile = 0;
    LightSetting light;
    uint16_t WFlag = 0;
    uint16_t Key6Flag = 0;
    uint16_t WinFlag = 0;
};

// nullopt when a value lies outside what the keyboard keeps (mode, levels), so a garbled reply
// never reaches the profile.
std::optional<DecodedKeyboardBlock> DecodeKeyboardBlock(uint8_t activeProfile,
                                                        const std::array<uint8_t, KeyboardBlock::kBytes>& raw,
                                                        const LightSetting& current);

// The block at address 0 tells whether the keyboard takes key assignments: only when its red and
// green bytes both hold a value (a keyboard whose profile colour lacks either shows a notice in the
// key editor instead).
inline bool TakesKeyAssignments(const std::array<uint8_t, KeyboardBlock::kBytes>& firstBlock) {
    return firstBlock[KeyboardBlock::kRed] != 0 && firstBlock[KeyboardBlock::kGreen] != 0;
}

}  // namespace orvane
