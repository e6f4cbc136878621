#pragma once
// `LightSyncEvent`: a process-wide manual-reset event, set by a selector entry each time its device
// has finished connecting, so the lighting synchroniser can pick up the new device. The main window
// resets it when it starts; it is never destroyed.

#include "platform/WorkerThread.h"

namespace orvane::ui {

StopSignal& LightSyncEvent();

}  // namespace orvane::ui
