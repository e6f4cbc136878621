#pragma once
// The main window's route to the shooting pattern panel of the current page, when that page is a
// mouse page.

namespace orvane::app {

class CMainWnd;

void ConnectShootPatternRoutes(CMainWnd& window);

}  // namespace orvane::app
