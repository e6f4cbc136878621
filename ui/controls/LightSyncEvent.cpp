#include "ui/controls/LightSyncEvent.h"

namespace orvane::ui {

StopSignal& LightSyncEvent() {
    static StopSignal event;
    return event;
}

}  // namespace orvane::ui
