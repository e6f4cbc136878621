#pragma once
// Suspend and resume of the system, from logind's PrepareForSleep signal on the system bus, posted
// to a window as WM_POWERBROADCAST (PBT_APMSUSPEND before the sleep, PBT_APMRESUMEAUTOMATIC after
// it). Without a system bus, or without logind, nothing arrives.

#include <QDBusConnection>
#include <QObject>
#include <QPointer>

namespace orvane::ui {
class WindowImplBase;
}

namespace orvane::app {

class SleepWatcher : public QObject {
    Q_OBJECT

public:
    SleepWatcher(ui::WindowImplBase* window, QDBusConnection bus = QDBusConnection::systemBus());

    bool IsWatching() const { return watching_; }

private slots:
    void OnPrepareForSleep(bool start);

private:
    QPointer<ui::WindowImplBase> window_;
    bool watching_ = false;
};

}  // namespace orvane::app
