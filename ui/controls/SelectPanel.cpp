#include "ui/controls/SelectPanel.h"

#include "ui/controls/DeviceKeyButton.h"

#include <QMouseEvent>

#include <algorithm>

namespace orvane::ui {

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
