#pragma once
// The fixed-size records that the profile document converts its sections to and from; device
// pages and editors work with these. Field names are those of the JSON members they mirror; the
// light state they share is one LightSetting, whose JSON names each record gives beside it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "protocol/DpiStage.h"
#include "protocol/LightSetting.h"

namespace orvane {

// A key's function code: type, parameter 1, parameter 2. In "KeyList" it is packed into one
// integer as byte1 << 16 | byte2 << 8 | byte3.
using KeyCodeBytes = std::array<uint8_t, 3>;
uint32_t PackAssignment(const KeyCodeBytes& code);
KeyCodeBytes UnpackAssignment(int64_t assignment);  // bits 16-23, 8-15, 0-7

// The three words in which lighting is passed between page, editor and document:
// a = mode | brightness << 8 | speed << 16 | direction << 24, b = multiColor | red << 8
// | green << 16 | blue << 24, c = the page's 16-bit value | its extra byte << 16.
struct LightWords {
    uint32_t a = 0;
    uint32_t b = 0;
    uint32_t c = 0;
};

// The lighting selection; 11 bytes in this order on the page and in the settings record.
struct LightInfoRecord {
    static constexpr size_t kSize = 11;

    // "LightInfo": "SelectItem" is the mode, "Light" the brightness, "Speed", "Fx" the
    // direction, "MultiColor", "Red", "Green", "Blue".
    LightSetting light;
    // Bytes 8-10 belong to the page and the light editor; the document never stores them.
    uint16_t EditorValue = 0;
    uint8_t EditorByte = 0;

    std::array<uint8_t, kSize> ToBytes() const;  // EditorValue little-endian at bytes 8-9
    static LightInfoRecord FromBytes(const std::array<uint8_t, kSize>& bytes);
    LightWords ToWords() const;
    static LightInfoRecord FromWords(uint32_t a, uint32_t b, uint32_t c);
    bool operator==(const LightInfoRecord&) const = default;
};

// One light or zone of "LightList".
struct LightListEntry {
    // "LEDREGMode", "LEDBrightness", "LEDSpeed", "LEDDirection" (0/1), "LEDMultiColor" (0/1),
    // "red", "green", "blue".
    LightSetting light;
    uint8_t present = 0;  // 1 when the JSON element exists; otherwise every field is 0
    bool operator==(const LightListEntry&) const = default;
};

// One step of a user light effect (".light" file, "LEDEffectList").
struct LedEffectEntry {
    // Named as in "LightList", every member an integer as it stands (the direction too).
    LightSetting light;
    int32_t Time = 0;  // milliseconds the step is shown
    int32_t Cyle = 0;
    bool operator==(const LedEffectEntry&) const = default;
};

// Key position i of "KeyList": its current and its factory function code.
struct KeyListEntry {
    uint16_t KeyIndex = 0;
    KeyCodeBytes Assignment{};
    uint16_t DefaultKeyIndex = 0;
    KeyCodeBytes DefaultAssignment{};
    bool operator==(const KeyListEntry&) const = default;
};

// The four words of SetMouseSystemSettings: a = MouseSpeed << 16 | DoubleClickTime,
// b = ScorllPage << 16 | PointerPrecision, c = report stage << 16 | WheelScorlllinse,
// d = height stage (low byte).
struct MouseSystemWords {
    uint32_t a = 0;
    uint32_t b = 0;
    uint32_t c = 0;
    uint32_t d = 0;
};

struct MouseSystemSettings {
    uint16_t DoubleClickTime = 0;  // double-click speed level
    uint16_t MouseSpeed = 0;       // pointer speed 1-20
    uint16_t PointerPrecision = 0;
    uint16_t ScorllPage = 0;
    uint16_t WheelScorlllinse = 0;
    uint16_t ReportStage = 0;  // "ReportStages"."StageActive"
    uint16_t HeightStage = 0;  // "HeightStages"."StageActive"

    MouseSystemWords ToWords() const;
    static MouseSystemSettings FromWords(uint32_t a, uint32_t b, uint32_t c, uint32_t d);
    bool operator==(const MouseSystemSettings&) const = default;
};

// a = RepeatDelay << 16 | Repeat, b = PollingRate << 16 | Key6Flag, c = WinFlag << 16 | WFlag.
struct KeyboardSystemWords {
    uint32_t a = 0;
    uint32_t b = 0;
    uint32_t c = 0;
};

struct KeyboardSystemSettings {
    uint16_t Repeat = 0;
    uint16_t RepeatDelay = 0;
    uint16_t Key6Flag = 0;
    uint16_t PollingRate = 0;
    uint16_t WFlag = 0;
    uint16_t WinFlag = 0;

    KeyboardSystemWords ToWords() const;
    static KeyboardSystemSettings FromWords(uint32_t a, uint32_t b, uint32_t c);
    bool operator==(const KeyboardSystemSettings&) const = default;
};

// "SystemSetStages" of the headset, in member order.
struct HeadsetSystemSettings {
    int32_t MagicEnable = 0;
    int32_t MagicType = 0;
    int32_t EqType = 0;  // 1-12 a preset, 13 the custom equaliser
    int32_t CustomEqSeletIndex = 0;
    int32_t MicInSelect = 0;
    int32_t MicInValue = 0;
    int32_t MicMoniterSelect = 0;
    int32_t MicMoniterValue = 0;
    bool operator==(const HeadsetSystemSettings&) const = default;
};

inline constexpr size_t kEqBandCount = 10;
using EqBandValues = std::array<int32_t, kEqBandCount>;

struct CorrectInfoEntry {
    uint8_t CorrectPixThresh = 0;
    uint8_t CorrectMinSq = 0;
    uint8_t CorrectSelect = 0;
    std::string CorrectName;  // UTF-8
    bool operator==(const CorrectInfoEntry&) const = default;
};

struct CustomLightColor {
    uint8_t Red = 0;
    uint8_t Green = 0;
    uint8_t Blue = 0;
    uint8_t Alpha = 0;
    bool operator==(const CustomLightColor&) const = default;
};

}  // namespace orvane
