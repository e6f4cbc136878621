#include "protocol/DpiStage.h"

namespace orvane {

std::array<uint8_t, DpiStage::kSize> DpiStage::Encode() const {
    return {StageActive,
            StageXY,
            static_cast<uint8_t>(StageDPIX & 0xFF),
            static_cast<uint8_t>(StageDPIX >> 8),
            static_cast<uint8_t>(StageDPIY & 0xFF),
            static_cast<uint8_t>(StageDPIY >> 8),
            StageColorR,
            StageColorG,
            StageColorB};
}

DpiStage DpiStage::Decode(const std::array<uint8_t, kSize>& b) {
    DpiStage s;
    s.StageActive = b[0];
    s.StageXY = b[1];
    s.StageDPIX = static_cast<uint16_t>(b[2] | b[3] << 8);
    s.StageDPIY = static_cast<uint16_t>(b[4] | b[5] << 8);
    s.StageColorR = b[6];
    s.StageColorG = b[7];
    s.StageColorB = b[8];
    return s;
}

}  // namespace orvane
