#pragma once
// CSelectPanelUI ("SelectPanel"): the container of a device picture, with a rubber-band selection
// of its key buttons. A drag that starts on the panel itself (not on a button) spans the band from
// the press to the pointer; on release every item of class "DeviceKeyButton" gets its band flag:
// set when its rectangle intersects the band, cleared otherwise (other items are left alone), and
// the panel raises "click_select_end". A press and release without movement selects nothing and
// raises nothing. The band is not drawn.
//
// The light preview repaints the panel's light buttons up to 30 times a second. So that such a
// repaint costs only the buttons, the panel is opaque: it keeps its static picture (what its
// ancestors paint behind it, then its own background and image) and blits it. The picture is
// drawn again when the panel's size, look or image changes, and when an ancestor repaints right
// next to it (as it does when its own look changes, say a new skin).

#include "ui/framework/Container.h"

#include <QImage>
#include <QPoint>
#include <QPointer>
#include <QRect>

#include <vector>

namespace orvane::ui {

class CSelectPanelUI : public CVerticalLayoutUI {
public:
    explicit CSelectPanelUI(QWidget* parent = nullptr);

    QString GetClass() const override { return "SelectPanel"; }

    // The band of the last or the running drag, in the panel's coordinates.
    QRect GetBandRect() const { return band_; }

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void SelectKeysInBand();
    // Follows the ancestors' repaints and changes; the chain changes when the panel is moved
    // into another parent.
    void WatchAncestors();
    bool PictureIsCurrent() const;
    void DrawPicture();

    QImage picture_;
    bool pictureStale_ = true;
    ArgbColor pictureBkColor_ = 0;
    QString pictureBkImage_;
    std::vector<QPointer<QWidget>> ancestors_;  // the parent first

    bool dragging_ = false;
    bool armed_ = false;
    QPoint start_;
    QPoint current_;
    QRect band_;
};

}  // namespace orvane::ui
