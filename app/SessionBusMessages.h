#pragma once
// Registered window messages shared with other programs, carried as D-Bus signals on the session
// bus: object path /org/orvane/Q730, interface org.orvane.Q730.WindowMessages, member named after
// the registered message name (every character other than a letter, digit or underscore becomes
// an underscore), arguments (uint64 wParam, int64 lParam). Without a session bus every call does
// nothing.

#include "ui/framework/WindowMessages.h"

#include <QDBusConnection>
#include <QHash>
#include <QObject>
#include <QPointer>

#include <string_view>

class QDBusMessage;

namespace orvane::ui {
class WindowImplBase;
}

namespace orvane::app {

inline constexpr const char* kBusObjectPath = "/org/orvane/Q730";
inline constexpr const char* kBusInterface = "org.orvane.Q730.WindowMessages";

// The signal member that stands for a registered message name.
QString BusMemberName(std::string_view registeredName);

class SessionBusMessages : public QObject {
    Q_OBJECT

public:
    explicit SessionBusMessages(QDBusConnection bus = QDBusConnection::sessionBus());

    bool IsConnected() const { return bus_.isConnected(); }

    // Broadcasts the registered message to every program listening; false without a bus.
    bool Broadcast(std::string_view registeredName, ui::WParam wParam, ui::LParam lParam);

    // Signals of other programs for `registeredName` are posted to `window` as that registered
    // message. Our own broadcasts are not delivered back.
    bool Listen(std::string_view registeredName, ui::WindowImplBase* window);

private slots:
    void OnSignal(const QDBusMessage& message);

private:
    QDBusConnection bus_;
    QPointer<ui::WindowImplBase> window_;
    QHash<QString, unsigned> messages_;  // signal member -> registered message number
};

}  // namespace orvane::app
