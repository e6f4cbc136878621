#include "app/SleepWatcher.h"

#include "app/WindowMessageIds.h"
#include "ui/framework/WindowImplBase.h"

namespace orvane::app {

SleepWatcher::SleepWatcher(ui::WindowImplBase* window, QDBusConnection bus) : window_(window) {
    if (!bus.isConnected()) return;
    watching_ = bus.connect("org.freedesktop.login1", "/org/freedesktop/login1", "org.freedesktop.login1.Manager",
                            "PrepareForSleep", this, SLOT(OnPrepareForSleep(bool)));
}

void SleepWatcher::OnPrepareForSleep(bool start) {
    if (window_) window_->PostMessage(WM_POWERBROADCAST, start ? PBT_APMSUSPEND : PBT_APMRESUMEAUTOMATIC, 0);
}

}  // namespace orvane::app
