#include "ui/controls/HandImgButton.h"

#include "ui/framework/ImageString.h"

#include <QPainter>

namespace orvane::ui {

void CHandImgButtonUI::SetAttribute(const QString& name, const QString& value) {
    if (name == "handimage") {
        handImage_ = value;
        Invalidate();
    } else {
        CButtonUI::SetAttribute(name, value);
    }
}

void CHandImgButtonUI::paintEvent(QPaintEvent* e) {
    CButtonUI::paintEvent(e);
    QPainter painter(this);
    DrawImage(painter, rect(), handImage_);
}

void CHandImgButtonUI::enterEvent(QEnterEvent* e) {
    CButtonUI::enterEvent(e);
    if (IsEnabled()) SendNotify("msenter");
}

void CHandImgButtonUI::leaveEvent(QEvent* e) {
    CButtonUI::leaveEvent(e);
    if (IsEnabled()) SendNotify("msleave");
}

}  // namespace orvane::ui
