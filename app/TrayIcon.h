#pragma once
// The notification-area icon of the main window. A left click posts kTrayCallback with
// WM_LBUTTONUP, a right click (or the context-menu request) with WM_RBUTTONUP; the window shows
// its own menu. Where the desktop has no notification area nothing is shown and nothing arrives.

#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>

namespace orvane::ui {
class WindowImplBase;
}

namespace orvane::app {

class TrayIcon : public QObject {
public:
    TrayIcon(ui::WindowImplBase* window, const QIcon& icon, const QString& toolTip);

    void Remove() { icon_.hide(); }
    bool IsShown() const { return icon_.isVisible(); }

private:
    QPointer<ui::WindowImplBase> window_;
    QSystemTrayIcon icon_;
};

}  // namespace orvane::app
