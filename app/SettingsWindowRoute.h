#pragma once
// The main window's way into the settings window (online/view/SetWnd.h): "setbtn" opens it centred
// on the main window, message 3093 beside it. One settings window at a time; it is modal, and the
// main window knows it while it is open.

namespace orvane::app {

class CMainWnd;

void ConnectSettingsWindow(CMainWnd& window);

// Returns when the window has closed; at once when one is already open or it cannot be built.
void OpenSettingsWindow(CMainWnd& window, bool beside);

}  // namespace orvane::app
