#pragma once
// CSelectPanelUI ("SelectPanel"): the container of a device picture, with a rubber-band selection
// of its key buttons. A drag that starts on the panel itself (not on a button) spans the band from
// the press to the pointer; on release every item of class "DeviceKeyButton" gets its band flag:
// set when its rectangle intersects the band, cleared otherwise (other items are left alone), and
// the panel raises "click_select_end". A press and release without movement selects nothing and
// raises nothing. The band is not drawn.

#include "ui/framework/Container.h"

#include <QPoint>
#include <QRect>

namespace orvane::ui {

class CSelectPanelUI : public CVerticalLayoutUI {
public:
    using CVerticalLayoutUI::CVerticalLayoutUI;

    QString GetClass() const override { return "SelectPanel"; }

    // The band of the last or the running drag, in the panel's coordinates.
    QRect GetBandRect() const { return band_; }

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void SelectKeysInBand();

    bool dragging_ = false;
    bool armed_ = false;
    QPoint start_;
    QPoint current_;
    QRect band_;
};

}  // namespace orvane::ui
