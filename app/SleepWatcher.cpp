#include "app/SleepWatcher.h"

#include "ui/dialogs/WindowMessageIds.h"
#include "ui/framework/WindowImplBase.h"

namespace orvane::app {

SleepWatcher::SleepWatcher(ui::WindowImplBase* window, QDBusConnection bus) : window_(window) {
    if (!bus.isConnected()) return;
    watching_ = bus.connect("org.freedesktop.login1", "/org/freedesktop/login1", "org.freedesktop.login1.Manager",
                            "PrepareForSleep", this, SLOT(OnPrepareForSleep(bool)));
}

void SleepWatcher::OnPrepareForSleep(bool start) {
    if (window_) window_->PostMessage(ui::WM_POWERBROADCAST, start ? ui::PBT_APMSUSPEND : ui::PBT_APMRESUMEAUTOMATIC, 0);
}

}  // namespace orvane::app
