#pragma once
// CHandImgButtonUI ("HandImgButton"): a button with a picture drawn over its own look (attribute
// "handimage", an image string; a "dest" in it is relative to the button and clipped to it; files
// outside the skin folder are named by absolute path). Raises "msenter" and "msleave" when the
// pointer enters and leaves it while enabled, and "click" when released over it.

#include "ui/framework/Button.h"

namespace orvane::ui {

class CHandImgButtonUI : public CButtonUI {
public:
    using CButtonUI::CButtonUI;

    QString GetClass() const override { return "HandImgButton"; }
    void SetAttribute(const QString& name, const QString& value) override;

    QString GetHandImage() const { return handImage_; }

protected:
    void paintEvent(QPaintEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    QString handImage_;
};

}  // namespace orvane::ui
