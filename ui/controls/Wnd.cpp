#include "ui/controls/Wnd.h"

namespace orvane::ui {

void CWndUI::Attach(QWidget* window) {
    if (attached_ == window) return;
    if (attached_) attached_->setParent(nullptr);
    attached_ = window;
    if (!attached_) return;
    attached_->setParent(this);
    attached_->setGeometry(rect());
    attached_->show();
}

void CWndUI::resizeEvent(QResizeEvent* e) {
    CBasicControlUI::resizeEvent(e);
    if (attached_) attached_->setGeometry(rect());
}

}  // namespace orvane::ui
