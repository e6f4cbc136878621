#include "app/SessionBusMessages.h"

#include "ui/framework/WindowImplBase.h"

#include <QDBusMessage>

namespace orvane::app {

QString BusMemberName(std::string_view registeredName) {
    QString member = QString::fromUtf8(registeredName.data(), static_cast<qsizetype>(registeredName.size()));
    for (QChar& c : member) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
        if (!ok) c = '_';
    }
    // A member may not start with a digit.
    if (member.isEmpty() || member[0].isDigit()) member.prepend('_');
    return member;
}

SessionBusMessages::SessionBusMessages(QDBusConnection bus) : bus_(std::move(bus)) {}

bool SessionBusMessages::Broadcast(std::string_view registeredName, ui::WParam wParam, ui::LParam lParam) {
    if (!bus_.isConnected()) return false;
    QDBusMessage signal = QDBusMessage::createSignal(kBusObjectPath, kBusInterface, BusMemberName(registeredName));
    signal << static_cast<qulonglong>(wParam) << static_cast<qlonglong>(lParam);
    return bus_.send(signal);
}

bool SessionBusMessages::Listen(std::string_view registeredName, ui::WindowImplBase* window) {
    if (!bus_.isConnected() || window == nullptr) return false;
    window_ = window;
    const QString member = BusMemberName(registeredName);
    messages_.insert(member, ui::RegisterWindowMessage(registeredName));
    return bus_.connect(QString(), kBusObjectPath, kBusInterface, member, this, SLOT(OnSignal(QDBusMessage)));
}

void SessionBusMessages::OnSignal(const QDBusMessage& message) {
    if (window_ == nullptr || message.service() == bus_.baseService()) return;
    const auto number = messages_.constFind(message.member());
    const QList<QVariant> args = message.arguments();
    // Anything but exactly (uint64, int64) is not one of ours.
    if (number == messages_.constEnd() || args.size() != 2 || args[0].typeId() != QMetaType::ULongLong ||
        args[1].typeId() != QMetaType::LongLong) {
        return;
    }
    window_->PostMessage(*number, static_cast<ui::WParam>(args[0].toULongLong()),
                         static_cast<ui::LParam>(args[1].toLongLong()));
}

}  // namespace orvane::app
