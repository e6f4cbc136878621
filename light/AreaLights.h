#pragma once
// The per-light effects of "LightList": entry i drives light i with its own mode (0 breathing,
// 1 steady, 2 flashing, 3 colour cycle, 4 off); lights of other modes are left to the preview
// effect.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "light/LightFrame.h"
#include "profiles/ProfileRecords.h"

namespace orvane {

class AreaLightEffects {
public:
    // New entries for `lightCount` lights; every per-light effect starts afresh.
    void Replace(std::vector<LightListEntry> entries, size_t lightCount);
    // One step of every per-light effect (AreaLightTick).
    void Tick(LightFrame& frame, uint32_t nowMs);
    // Some light has an effect of its own, which a step paints over the preview's colour.
    bool Active() const;
    // Some light's own effect changes from step to step (breathing, flashing, colour cycle).
    bool Animates() const;

private:
    struct LightState {
        uint8_t breathPhase = 0;
        uint8_t breathHue = 0;
        bool flashOn = false;
        uint8_t flashHue = 0;
        uint32_t flashChangedMs = 0;
        uint32_t flashPeriodMs = 0;
        uint8_t cycleHue = 0;
        uint8_t cycleCounter = 0;
        uint8_t cycleThreshold = 0;
    };

    std::vector<LightListEntry> entries_;
    std::vector<LightState> states_;
};

}  // namespace orvane
