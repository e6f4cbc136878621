#include "app/TrayIcon.h"

#include "ui/dialogs/WindowMessageIds.h"
#include "ui/framework/WindowImplBase.h"

namespace orvane::app {

TrayIcon::TrayIcon(ui::WindowImplBase* window, const QIcon& icon, const QString& toolTip)
    : window_(window), icon_(icon) {
    icon_.setToolTip(toolTip);
    connect(&icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (!window_) return;
        if (reason == QSystemTrayIcon::Trigger) window_->PostMessage(ui::kTrayCallback, 0, ui::WM_LBUTTONUP);
        if (reason == QSystemTrayIcon::Context) window_->PostMessage(ui::kTrayCallback, 0, ui::WM_RBUTTONUP);
    });
    if (QSystemTrayIcon::isSystemTrayAvailable()) icon_.show();
}

}  // namespace orvane::app
