#pragma once
// The program from start to end: fonts, the single-instance check, the skin, the control classes
// and shared messages, the main window and its event loop, and the teardown in reverse order.

namespace orvane::app {

class CMainWnd;

// Builds the main window at 800 x 572, centred on the screen (it resizes itself once initialised).
// False when its layout cannot be built.
bool CreateMainWindow(CMainWnd& window);

// The process's exit status: 0 after a normal end, a second copy that woke the first, or a
// screenshot written; 1 when the main window or the screenshot could not be made; 2 for a bad
// command line or simulation list.
int RunProgram(int argc, char** argv);

}  // namespace orvane::app
