#include "ui/controls/DeviceKeyButton.h"

#include "ui/framework/ImageString.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>

namespace orvane::ui {
namespace {

// Light buttons usually have no look of their own: nothing to draw then.
bool IsTransparent(const QImage& image) {
    const int width = image.width();
    const int height = image.height();
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            if (qAlpha(line[x]) != 0) return false;
        }
    }
    return true;
}

}  // namespace

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
    const bool lost = tintEnabled_ && !enabled;
    tintColor_ = color;
    tintLevel_ = level;
    tintEnabled_ = enabled;
    if (lost && tintLost_) tintLost_();
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

bool CDeviceKeyButtonUI::event(QEvent* e) {
    // The look changes with these while its key may stay the same.
    if (e->type() == QEvent::StyleChange || e->type() == QEvent::Polish || e->type() == QEvent::FontChange) {
        look_ = QImage();
    }
    return CButtonUI::event(e);
}

void CDeviceKeyButtonUI::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintOwnLook(painter);
    PaintLight(painter);
    PaintOverlays(painter);
}

void CDeviceKeyButtonUI::PaintOwnLook(QPainter& painter) {
    QStyleOptionButton option;
    initStyleOption(&option);
    const qreal ratio = devicePixelRatioF();
    LookKey key;
    key.size = size();
    key.pixelRatio = ratio;
    key.state = static_cast<int>(option.state);
    key.features = static_cast<int>(option.features);
    key.text = option.text;
    key.icon = option.icon.cacheKey();
    key.palette = option.palette.cacheKey();
    key.bkColor = GetBkColor();
    key.bkImage = GetBkImage();
    if (look_.isNull() || !(key == lookKey_)) {
        lookKey_ = std::move(key);
        look_ = QImage(size() * ratio, QImage::Format_ARGB32_Premultiplied);
        look_.setDevicePixelRatio(ratio);
        look_.fill(Qt::transparent);
        {
            // What the base's paint draws: the background attributes, then the style's button.
            QPainter lookPainter(&look_);
            initPainter(&lookPainter);
            if (HasBackground()) PaintBackground(lookPainter, rect());
            style()->drawControl(QStyle::CE_PushButton, &option, &lookPainter, this);
        }
        lookIsEmpty_ = IsTransparent(look_);
    }
    if (!lookIsEmpty_) painter.drawImage(0, 0, look_);
}

void CDeviceKeyButtonUI::PaintLight(QPainter& painter) {
    if (!tintEnabled_) return;
    if (!hot_) {
        light_.Draw(painter, rect(), lightImage_, TintToColor(tintColor_), tintLevel_);
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
    if (!tintEnabled_ && tintLost_) tintLost_();
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
