#pragma once
// The main window's routes to the headset page's audio panels: equaliser presets, bands and
// custom equalisers, microphone input and monitor, voice effect. They act only while the
// current page is a headset.

namespace orvane::app {

class CMainWnd;

void ConnectHeadsetRoutes(CMainWnd& window);

}  // namespace orvane::app
