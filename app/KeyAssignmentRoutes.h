#pragma once
// The main window's routes of the key assignment panel: a choice applied to the selected key of
// the current page (mouse or keyboard), the key table written by "key_butt_prosave", and a key captured while the key
// text has the focus.

namespace orvane {
class CKeySetControlUI;
class CQuorvantUSBDevice;
}  // namespace orvane

namespace orvane::app {

class CMainWnd;

void ConnectKeyAssignmentRoutes(CMainWnd& window);

// The panel's choice stored for the page's selected key; nothing is sent to the device yet.
void ApplyKeyFunction(CQuorvantUSBDevice& page, CKeySetControlUI& panel);

}  // namespace orvane::app
