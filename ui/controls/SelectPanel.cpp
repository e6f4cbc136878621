#include "ui/controls/SelectPanel.h"

#include "ui/controls/DeviceKeyButton.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyleOption>

#include <algorithm>

namespace orvane::ui {
namespace {

bool IsOpaque(const QImage& image) {
    const int width = image.width();
    const int height = image.height();
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            if (qAlpha(line[x]) != 255) return false;
        }
    }
    return true;
}

}  // namespace

CSelectPanelUI::CSelectPanelUI(QWidget* parent) : CVerticalLayoutUI(parent) {
    // Every paint covers its area with the picture, so nothing behind needs painting.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

bool CSelectPanelUI::event(QEvent* e) {
    switch (e->type()) {
        case QEvent::Resize:
        case QEvent::Move:
        case QEvent::StyleChange:
        case QEvent::PaletteChange:
            pictureStale_ = true;
            break;
        case QEvent::Show:
        case QEvent::ParentChange:
            WatchAncestors();
            pictureStale_ = true;
            break;
        default:
            break;
    }
    return CVerticalLayoutUI::event(e);
}

void CSelectPanelUI::WatchAncestors() {
    for (const QPointer<QWidget>& ancestor : ancestors_) {
        if (ancestor) ancestor->removeEventFilter(this);
    }
    ancestors_.clear();
    for (QWidget* w = parentWidget(); w != nullptr; w = w->isWindow() ? nullptr : w->parentWidget()) {
        w->installEventFilter(this);
        ancestors_.emplace_back(w);
    }
}

bool CSelectPanelUI::eventFilter(QObject* watched, QEvent* e) {
    auto* ancestor = qobject_cast<QWidget*>(watched);
    if (ancestor == nullptr) return CVerticalLayoutUI::eventFilter(watched, e);
    switch (e->type()) {
        case QEvent::Paint: {
            // Being opaque, the panel is left out of its ancestors' paints; one that reaches the
            // ring around it is a repaint of all of the ancestor, or at least of its near side.
            const QRect area(mapTo(ancestor, QPoint(0, 0)), size());
            const QRegion ring = QRegion(area.adjusted(-1, -1, 1, 1)) - QRegion(area);
            if (static_cast<QPaintEvent*>(e)->region().intersects(ring)) pictureStale_ = true;
            break;
        }
        case QEvent::Resize:
        case QEvent::Move:
        case QEvent::StyleChange:
        case QEvent::PaletteChange:
            pictureStale_ = true;
            break;
        default:
            break;
    }
    return CVerticalLayoutUI::eventFilter(watched, e);
}

bool CSelectPanelUI::PictureIsCurrent() const {
    return !pictureStale_ && !picture_.isNull() && picture_.devicePixelRatio() == devicePixelRatioF() &&
           picture_.deviceIndependentSize().toSize() == size() && pictureBkColor_ == GetBkColor() &&
           pictureBkImage_ == GetBkImage();
}

void CSelectPanelUI::DrawPicture() {
    const qreal ratio = devicePixelRatioF();
    picture_ = QImage(size() * ratio, QImage::Format_ARGB32_Premultiplied);
    picture_.setDevicePixelRatio(ratio);
    picture_.fill(Qt::transparent);
    QPainter painter(&picture_);
    // What lies behind: each ancestor's own painting, the window first with its background.
    for (auto it = ancestors_.rbegin(); it != ancestors_.rend(); ++it) {
        QWidget* ancestor = it->data();
        if (ancestor == nullptr) continue;
        const QRegion area(QRect(mapTo(ancestor, QPoint(0, 0)), size()));
        ancestor->render(&painter, QPoint(0, 0), area,
                         ancestor->isWindow() ? QWidget::DrawWindowBackground : QWidget::RenderFlags());
    }
    // The panel's own look, as the base paints it.
    QStyleOption option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
    if (HasBackground()) PaintBackground(painter, rect());
    painter.end();
    // Behind an opaque window the picture is opaque: copied, not blended, it costs least.
    if (IsOpaque(picture_)) picture_ = picture_.convertToFormat(QImage::Format_RGB32);
    pictureStale_ = false;
    pictureBkColor_ = GetBkColor();
    pictureBkImage_ = GetBkImage();
}

void CSelectPanelUI::paintEvent(QPaintEvent* e) {
    if (!PictureIsCurrent()) DrawPicture();
    QPainter painter(this);
    // An opaque picture is copied whatever the mode; with transparency it must replace what the
    // backing store holds there.
    if (picture_.hasAlphaChannel()) painter.setCompositionMode(QPainter::CompositionMode_Source);
    // Rectangle by rectangle: the raster engine hands a copy of a tall region to worker threads,
    // which for the few small rectangles of a preview frame costs more than the copy.
    const qreal ratio = picture_.devicePixelRatio();
    for (const QRect& area : e->region()) {
        painter.setClipRect(area);
        painter.drawImage(area, picture_, QRect(area.topLeft() * ratio, area.size() * ratio));
    }
}

void CSelectPanelUI::mousePressEvent(QMouseEvent* e) {
    CVerticalLayoutUI::mousePressEvent(e);
    if (e->button() != Qt::LeftButton || !IsEnabled()) return;
    armed_ = true;
    start_ = e->position().toPoint();
}

void CSelectPanelUI::mouseMoveEvent(QMouseEvent* e) {
    CVerticalLayoutUI::mouseMoveEvent(e);
    if (armed_) dragging_ = true;
    if (!dragging_) return;
    current_ = e->position().toPoint();
    // Edges as the band spans them: right and bottom exclusive, so a line-thin band is empty.
    const int left = std::min(start_.x(), current_.x());
    const int top = std::min(start_.y(), current_.y());
    band_ = QRect(left, top, std::max(start_.x(), current_.x()) - left, std::max(start_.y(), current_.y()) - top);
    update();
}

void CSelectPanelUI::mouseReleaseEvent(QMouseEvent* e) {
    CVerticalLayoutUI::mouseReleaseEvent(e);
    if (e->button() != Qt::LeftButton) return;
    armed_ = false;
    if (!dragging_) return;
    dragging_ = false;
    start_ = current_;
    SelectKeysInBand();
    update();
    SendNotify("click_select_end");
}

void CSelectPanelUI::SelectKeysInBand() {
    for (int i = 0; i < GetCount(); ++i) {
        CControlUI* item = GetItemAt(i);
        if (item->GetClass() != "DeviceKeyButton") continue;
        auto* key = dynamic_cast<CDeviceKeyButtonUI*>(item);
        if (key == nullptr) continue;
        const QRect area(key->mapTo(this, QPoint(0, 0)), key->size());
        key->SetBandSelected(area.intersects(band_));
    }
}

}  // namespace orvane::ui
