#include "app/MenuWnd.h"

#include "ui/dialogs/WindowMessageIds.h"

#include <QGuiApplication>
#include <QScreen>

namespace orvane::app {

CMenuWnd::CMenuWnd(ui::WindowImplBase* owner, QString layout) : owner_(owner), layout_(std::move(layout)) {}

bool CMenuWnd::Popup(const QPoint& at) {
    if (!Create(nullptr, "menu", Qt::Popup | Qt::FramelessWindowHint)) return false;
    QRect frame(at, size());
    if (const QScreen* screen = QGuiApplication::screenAt(at)) {
        const QRect area = screen->availableGeometry();
        frame.moveRight(std::min(frame.right(), area.right()));
        frame.moveBottom(std::min(frame.bottom(), area.bottom()));
        frame.moveLeft(std::max(frame.left(), area.left()));
        frame.moveTop(std::max(frame.top(), area.top()));
    }
    move(frame.topLeft());
    ShowWindow(true);
    return true;
}

void CMenuWnd::Notify(ui::TNotifyUI& msg) {
    if (msg.sType != "click" || msg.pSender == nullptr) return;
    const MenuCommand command{msg.pSender->GetName(), msg.pSender->GetUserData(), msg.pSender->GetText()};
    QPointer<CMenuWnd> self(this);
    if (owner_) owner_->SendMessage(ui::kMenuCommand, reinterpret_cast<ui::WParam>(&command), 0);
    if (self && !IsClosed()) Close();
}

}  // namespace orvane::app
