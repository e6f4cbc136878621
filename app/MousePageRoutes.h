#pragma once
// The main window's routes that end on the mouse page: the key buttons of the picture, the
// system panel and its settings tabs. Each handler acts only while a mouse page is current.

namespace orvane::app {

class CMainWnd;

void ConnectMousePageRoutes(CMainWnd& window);

}  // namespace orvane::app
