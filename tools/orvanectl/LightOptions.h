#pragma once
// The lighting as the `light` commands print and read it: MODE [--colour RRGGBB]
// [--brightness 0-4] [--speed 0-4] [--direction left|right] [--colourful].

#include <functional>
#include <string>

#include "protocol/LightSetting.h"
#include "tools/orvanectl/Commands.h"

namespace orvane::tool {

// The change `args` (MODE and options) asks for on top of `light`; false for a bad argument or a
// mode `knownMode` refuses.
bool ParseLightOptions(const Args& args, const std::function<bool(int)>& knownMode, LightSetting& light);
void PrintLight(const LightSetting& light, const std::string& modeName, bool json);

}  // namespace orvane::tool
