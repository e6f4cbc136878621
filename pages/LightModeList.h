#pragma once
// The lighting panel's mode list of a device page: the built-in modes of the default light file,
// then the user's own effects, with `mode` selected.

#include "mouse/LightNames.h"

namespace orvane {

class CLightControlUI;

void ShowLightModes(CLightControlUI& panel, const LightNameLists& names, int mode);

}  // namespace orvane
