#pragma once
// The main window's routes of the macro panel and of macro recording: the panel's buttons and
// name list, the start and stop of a recording, the step menu, the one-key capture of the key
// assignment (message 1054) and the hook messages that carry the captured input. The input hooks
// live here, one object for the window.

namespace orvane::app {

class CMainWnd;

void ConnectMacroRoutes(CMainWnd& window);

}  // namespace orvane::app
