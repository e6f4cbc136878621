#pragma once
// CHandImgSelectButtonUI ("HandImgSelectButton"): shows a window of a picture larger than the
// button and lets the user drag the picture inside it.
//
// "handimage" names the picture file (relative to the skin folder, or absolute). Setting it loads
// the picture, keeps its size and puts the window at the top-left corner, the button's size at that
// moment; a picture that cannot be loaded leaves everything as it was. Dragging with the left button
// moves the picture with the pointer: the window shifts the opposite way, kept inside the picture.
// "cursor" picks the pointer shape over the button by name ("arrow", "ibeam", "wait", "cross",
// "uparrow", "size", "icon", "sizenwse", "sizenesw", "sizewe", "sizens", "sizeall", "no", "hand");
// another name leaves it unchanged.

#include "ui/framework/Button.h"

#include <QPoint>
#include <QRect>
#include <QSize>

namespace orvane::ui {

class CHandImgSelectButtonUI : public CButtonUI {
public:
    using CButtonUI::CButtonUI;

    QString GetClass() const override { return "HandImgSelectButton"; }
    void SetAttribute(const QString& name, const QString& value) override;

    // The image string drawn over the button: the picture with the window as its source.
    QString GetDrawString() const { return drawString_; }
    // The part of the picture shown, in picture pixels.
    QRect GetSourceWindow() const { return window_; }
    QSize GetImageSize() const { return imageSize_; }

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void SetHandImage(const QString& name);
    void StartDrag(QMouseEvent* e);
    void UpdateDrawString();

    QString handImage_;
    QString drawString_;
    QSize imageSize_;
    QRect window_;  // the part of the picture shown
    bool dragging_ = false;
    QPoint lastPoint_;
};

}  // namespace orvane::ui
