#include "ui/controls/DeviceKeyButton.h"

#include "ui/controls/TintedImage.h"
#include "ui/framework/ImageString.h"

#include <QMouseEvent>
#include <QPainter>

namespace orvane::ui {

void CDeviceKeyButtonUI::SetAttribute(const QString& name, const QString& value) {
    if (name == "lightimage") {
        lightImage_ = value;
    } else if (name == "keysetimage") {
        setImage_ = value;
    } else if (name == "keyunsetimage") {
        unsetImage_ = value;
    } else {
        CButtonUI::SetAttribute(name, value);
        return;
    }
    Invalidate();
}

void CDeviceKeyButtonUI::SetTint(ArgbColor color, int level, bool enabled) {
    tintColor_ = color;
    tintLevel_ = level;
    tintEnabled_ = enabled;
}

void CDeviceKeyButtonUI::HideSetImage(bool hide) {
    if (hideSetImage_ == hide) return;
    hideSetImage_ = hide;
    Invalidate();
}

void CDeviceKeyButtonUI::ShowUnsetImage(bool show) {
    showUnsetImage_ = show;
    Invalidate();
}

void CDeviceKeyButtonUI::SetUnsetImageOnly(bool only) {
    unsetImageOnly_ = only;
    Invalidate();
}

void CDeviceKeyButtonUI::SetKeepTintOnHover(bool keep) {
    keepTintOnHover_ = keep;
    Invalidate();
}

void CDeviceKeyButtonUI::paintEvent(QPaintEvent* e) {
    CButtonUI::paintEvent(e);
    QPainter painter(this);
    PaintLight(painter);
    PaintOverlays(painter);
}

void CDeviceKeyButtonUI::PaintLight(QPainter& painter) {
    if (!tintEnabled_) return;
    if (!hot_) {
        DrawTintedImage(painter, rect(), lightImage_, TintToColor(tintColor_), tintLevel_);
    } else if (!keepTintOnHover_) {
        SetTint(tintColor_, tintLevel_, false);
    }
}

void CDeviceKeyButtonUI::PaintOverlays(QPainter& painter) const {
    if (unsetImageOnly_) {
        DrawImage(painter, rect(), unsetImage_);
        return;
    }
    if (showUnsetImage_) DrawImage(painter, rect(), unsetImage_);
    if (!hideSetImage_) DrawImage(painter, rect(), setImage_);
}

void CDeviceKeyButtonUI::enterEvent(QEnterEvent* e) {
    CButtonUI::enterEvent(e);
    hot_ = true;
    update();
}

void CDeviceKeyButtonUI::leaveEvent(QEvent* e) {
    CButtonUI::leaveEvent(e);
    hot_ = false;
    update();
}

void CDeviceKeyButtonUI::mouseDoubleClickEvent(QMouseEvent* e) {
    // The base takes a double click as a press: the button is down and has the mouse, so the
    // release that follows clicks.
    CButtonUI::mouseDoubleClickEvent(e);
    if (e->button() == Qt::LeftButton && IsEnabled() && rect().contains(e->position().toPoint())) {
        SendNotify("dbclick");
        Invalidate();
    }
}

}  // namespace orvane::ui
