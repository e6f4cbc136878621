#pragma once
// The program's control classes: registered with the control factory under their class names at
// start, so layout files can place them, and created by the main window's CreateControl from their
// layout tags.

#include <QString>

namespace orvane::ui {
class CControlUI;
class IDialogBuilderCallback;
}  // namespace orvane::ui

namespace orvane::app {

// The custom controls and the device page classes. UI thread, once at start.
void RegisterProgramControls();

// The control for a layout tag of the main window's skins (compared without regard to case), or
// nullptr. Tags that stand for a nested layout file are built with `callback` as theirs.
ui::CControlUI* CreateProgramControl(const QString& tag, ui::IDialogBuilderCallback* callback);

}  // namespace orvane::app
