#pragma once
// The main window's routes that end on the current page's profile panel and function tabs:
// whatever the device (mouse, pad, headset), a profile chosen, reset, added, copied, deleted,
// renamed, imported or exported, and a function tab selected.

namespace orvane::app {

class CMainWnd;

void ConnectProfilePanelRoutes(CMainWnd& window);

}  // namespace orvane::app
