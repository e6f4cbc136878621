#pragma once
// The main window's routes that end on the lighting panel: an edit of the current page's light
// state (the page leaves synchronised lighting, stores, saves, writes and previews it) and
// "deng_same_mode", which gives every connected device the current page's effect and lets them
// take part in synchronised lighting.

#include <optional>

#include "protocol/LightSetting.h"

namespace orvane {
class CQuorvantUSBDevice;
}

namespace orvane::app {

class CMainWnd;
class LightingSynchroniser;

void ConnectLightingRoutes(CMainWnd& window, LightingSynchroniser& synchroniser);

// "deng_same_mode" on `current`: its mode becomes the common effect, which every page whose
// channel is open gets in its own mode with the current brightness, speed, direction, colourful
// flag and colour (stored, saved and written as an edit would), keyboards first, then mice, pads
// and headsets; each of them then takes part. A kind without the effect is left unchanged.
// False, with nothing changed, when the current mode has no common effect.
bool SyncLightingToAllDevices(CMainWnd& window, LightingSynchroniser& synchroniser, CQuorvantUSBDevice& current);

// The pages the synchroniser paints, in its order, handed to it again.
void UpdateSynchroniserTargets(const CMainWnd& window, LightingSynchroniser& synchroniser);

}  // namespace orvane::app
