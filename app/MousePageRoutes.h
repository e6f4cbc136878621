#pragma once
// The main window's routes of the device pages' pictures and system panels: a key button goes to
// the current page; the mouse's system panel and its settings tabs to a mouse page, the settings
// panel of any other page (the keyboard's) to that page.

namespace orvane::app {

class CMainWnd;

void ConnectMousePageRoutes(CMainWnd& window);

}  // namespace orvane::app
