#pragma once
// CWndUI ("Wnd"): a place in a layout for a window of another kind. An attached widget covers the
// control's rectangle, moves and resizes with it and is shown and hidden with it.

#include "ui/framework/BasicControl.h"

#include <QPointer>

namespace orvane::ui {

class CWndUI : public CBasicControlUI {
public:
    using CBasicControlUI::CBasicControlUI;

    QString GetClass() const override { return "Wnd"; }

    // Takes the widget in over the control; nullptr lets the attached one go (it is not deleted).
    void Attach(QWidget* window);
    QWidget* GetAttached() const { return attached_; }

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    QPointer<QWidget> attached_;
};

}  // namespace orvane::ui
