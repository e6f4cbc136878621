#pragma once
// The main window's side of the skin window: "skinbtn" opens a new skin window under the button,
// and the window receives the skin-change broadcasts, applying each choice to its control "root":
// a colour as the background colour without picture, a picture with background colour 0.

namespace orvane::app {

class CMainWnd;

// Registers the skin window's feature handler and the window as a receiver of the skin-change
// broadcaster, for as long as the window lives.
void ConnectSkinWindow(CMainWnd& window);

}  // namespace orvane::app
