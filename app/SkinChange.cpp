#include "app/SkinChange.h"

namespace orvane::app {

SkinChangeObserver& SkinChangeBroadcaster() {
    // Never freed: receivers may leave it during the process's own teardown.
    static auto* broadcaster = new SkinChangeObserver;
    return *broadcaster;
}

}  // namespace orvane::app
