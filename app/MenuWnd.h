#pragma once
// CMenuWnd: a pop-up menu built from a layout file ("menu.xml"). Choosing an item (a click on any
// button of the layout) sends kMenuCommand to the owner window with the item's name, user data and
// text, then closes the menu; a click elsewhere closes it without a choice. The menu deletes
// itself once closed.

#include "ui/framework/WindowImplBase.h"

#include <QPointer>

namespace orvane::app {

// What kMenuCommand's wParam points to, valid while the message is handled.
struct MenuCommand {
    QString name;
    QString userData;
    QString text;
};

class CMenuWnd : public ui::WindowImplBase {
public:
    CMenuWnd(ui::WindowImplBase* owner, QString layout);

    // Builds and shows the menu with its top-left corner at `at` (screen coordinates), moved as
    // little as needed to stay on the screen. False when the layout cannot be built.
    bool Popup(const QPoint& at);

protected:
    QString GetSkinFile() const override { return layout_; }
    void Notify(ui::TNotifyUI& msg) override;
    void OnFinalMessage() override { deleteLater(); }

private:
    QPointer<ui::WindowImplBase> owner_;
    QString layout_;
};

}  // namespace orvane::app
