#pragma once
// What the mouse's memories take from a profile document and what a device read gives back.

#include <vector>

#include "profiles/CMouseProfiledata.h"
#include "profiles/DeviceMemoryInputs.h"
#include "profiles/MacroFile.h"
#include "protocol/ConfigBlock.h"
#include "protocol/KeyTable.h"
#include "protocol/MacroArea.h"

namespace orvane {

struct ScreenSize {
    uint8_t valid = 0;  // 0 on a profile selection, 1 when the page knows the desktop size
    uint16_t width = 0;
    uint16_t height = 0;
};

// The settings block input from the document's stored values; `liftOffOption` is the page's
// own copy of the height stage.
ConfigBlockInput SettingsFromProfile(CMouseProfiledata& profile, uint8_t liftOffOption, uint8_t activeProfile,
                                     const ScreenSize& screen);

// A read of the active block taken into the page's light state and the document: mode,
// brightness, speed, multicolour and the colour red into `lightState` (direction and the
// trailing bytes keep their values), then the active DPI stage and the light state into the
// document. Nothing is saved.
void TakeDeviceConfig(const DecodedConfig& config, LightInfoRecord& lightState, CMouseProfiledata& profile);

}  // namespace orvane
