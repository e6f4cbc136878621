#include "profiles/ProfileRecords.h"

namespace orvane {

uint32_t PackAssignment(const KeyCodeBytes& code) {
    return uint32_t{code[0]} << 16 | uint32_t{code[1]} << 8 | uint32_t{code[2]};
}

KeyCodeBytes UnpackAssignment(int64_t assignment) {
    return {static_cast<uint8_t>((assignment >> 16) & 0xFF), static_cast<uint8_t>((assignment >> 8) & 0xFF),
            static_cast<uint8_t>(assignment & 0xFF)};
}

std::array<uint8_t, LightInfoRecord::kSize> LightInfoRecord::ToBytes() const {
    const LightSetting& l = light;
    return {l.mode, l.brightness, l.speed, l.direction, l.multiColor, l.red, l.green, l.blue,
            static_cast<uint8_t>(EditorValue & 0xFF), static_cast<uint8_t>(EditorValue >> 8), EditorByte};
}

LightInfoRecord LightInfoRecord::FromBytes(const std::array<uint8_t, kSize>& b) {
    LightInfoRecord r;
    r.light = {b[0], b[1], b[2], b[3], b[4], b[5], b[6], b[7]};
    r.EditorValue = static_cast<uint16_t>(b[8] | b[9] << 8);
    r.EditorByte = b[10];
    return r;
}

LightWords LightInfoRecord::ToWords() const {
    auto b = ToBytes();
    auto word = [&](size_t i) {
        return uint32_t{b[i]} | uint32_t{b[i + 1]} << 8 | uint32_t{b[i + 2]} << 16 | uint32_t{b[i + 3]} << 24;
    };
    return {word(0), word(4), uint32_t{EditorValue} | uint32_t{EditorByte} << 16};
}

LightInfoRecord LightInfoRecord::FromWords(uint32_t a, uint32_t b, uint32_t c) {
    auto byte = [](uint32_t w, int i) { return static_cast<uint8_t>((w >> (8 * i)) & 0xFF); };
    return FromBytes({byte(a, 0), byte(a, 1), byte(a, 2), byte(a, 3), byte(b, 0), byte(b, 1), byte(b, 2),
                      byte(b, 3), byte(c, 0), byte(c, 1), byte(c, 2)});
}

MouseSystemWords MouseSystemSettings::ToWords() const {
    return {uint32_t{MouseSpeed} << 16 | DoubleClickTime, uint32_t{ScorllPage} << 16 | PointerPrecision,
            uint32_t{ReportStage} << 16 | WheelScorlllinse, uint32_t{HeightStage} & 0xFFu};
}

MouseSystemSettings MouseSystemSettings::FromWords(uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
    MouseSystemSettings s;
    s.DoubleClickTime = static_cast<uint16_t>(a & 0xFFFF);
    s.MouseSpeed = static_cast<uint16_t>(a >> 16);
    s.PointerPrecision = static_cast<uint16_t>(b & 0xFFFF);
    s.ScorllPage = static_cast<uint16_t>(b >> 16);
    s.WheelScorlllinse = static_cast<uint16_t>(c & 0xFFFF);
    s.ReportStage = static_cast<uint16_t>(c >> 16);
    s.HeightStage = static_cast<uint16_t>(d & 0xFF);
    return s;
}

KeyboardSystemWords KeyboardSystemSettings::ToWords() const {
    return {uint32_t{RepeatDelay} << 16 | Repeat, uint32_t{PollingRate} << 16 | Key6Flag,
            uint32_t{WinFlag} << 16 | WFlag};
}

KeyboardSystemSettings KeyboardSystemSettings::FromWords(uint32_t a, uint32_t b, uint32_t c) {
    KeyboardSystemSettings s;
    s.Repeat = static_cast<uint16_t>(a & 0xFFFF);
    s.RepeatDelay = static_cast<uint16_t>(a >> 16);
    s.Key6Flag = static_cast<uint16_t>(b & 0xFFFF);
    s.PollingRate = static_cast<uint16_t>(b >> 16);
    s.WFlag = static_cast<uint16_t>(c & 0xFFFF);
    s.WinFlag = static_cast<uint16_t>(c >> 16);
    return s;
}

}  // namespace orvane
