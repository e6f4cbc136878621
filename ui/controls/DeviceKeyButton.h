#pragma once
// CDeviceKeyButtonUI ("DeviceKeyButton"): a key or light position on a device picture.
//
// Painting: the button's own look (style sheet), then, while the tint is enabled and the pointer
// is not over the button, the light image ("lightimage") in the tint colour at the tint level.
// The preview repaints light buttons (and the keys that overlap them) up to 30 times a second,
// so the button keeps its look for its current state and the tinted light between paints: a
// repaint in an unchanged state and colour is a few blits.
// Hovering a tinted button shows no light: with keep-tint-on-hover set the light returns when the
// pointer leaves; with it cleared the hover switches the tint off until a page sets it again.
// Then the overlays: with unset-image-only only the unset image ("keyunsetimage"); otherwise the
// unset image when shown, then the set image ("keysetimage") unless hidden.
//
// A double click raises "dbclick" (the release after it still raises "click"). The band flag is
// set by the select panel's rubber band.

#include "ui/controls/TintedImage.h"
#include "ui/framework/Button.h"

#include <QImage>

#include <functional>

namespace orvane::ui {

class CDeviceKeyButtonUI : public CButtonUI {
public:
    using CButtonUI::CButtonUI;

    QString GetClass() const override { return "DeviceKeyButton"; }
    void SetAttribute(const QString& name, const QString& value) override;

    // No repaint: the page repaints the buttons whose tint it changed.
    void SetTint(ArgbColor color, int level, bool enabled);
    // Called when the tint goes off (a hover with keep-tint-on-hover cleared puts it out) and
    // when the pointer leaves a button whose tint is off, so that the page can set it again.
    void SetTintLostHandler(std::function<void()> handler) { tintLost_ = std::move(handler); }
    ArgbColor GetTintColor() const { return tintColor_; }
    int GetTintLevel() const { return tintLevel_; }
    bool IsTintEnabled() const { return tintEnabled_; }

    // Repaints only when the value changes.
    void HideSetImage(bool hide);
    void ShowUnsetImage(bool show);
    void SetUnsetImageOnly(bool only);
    void SetKeepTintOnHover(bool keep);

    // No repaint.
    void SetBandSelected(bool selected) { bandSelected_ = selected; }
    bool IsBandSelected() const { return bandSelected_; }

    bool IsHot() const { return hot_; }

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    // What the button's own look depends on beyond its style sheet and font.
    struct LookKey {
        QSize size;
        qreal pixelRatio = 0;
        int state = 0;
        int features = 0;
        QString text;
        qint64 icon = 0;
        qint64 palette = 0;
        ArgbColor bkColor = 0;
        QString bkImage;
        bool operator==(const LookKey&) const = default;
    };

    void PaintOwnLook(QPainter& painter);
    void PaintLight(QPainter& painter);
    void PaintOverlays(QPainter& painter) const;

    QString lightImage_;
    QString setImage_;
    QString unsetImage_;
    bool hideSetImage_ = true;
    bool showUnsetImage_ = false;
    bool unsetImageOnly_ = false;
    bool tintEnabled_ = false;
    ArgbColor tintColor_ = 255;
    int tintLevel_ = 200;
    bool bandSelected_ = false;
    bool keepTintOnHover_ = true;
    bool hot_ = false;
    std::function<void()> tintLost_;
    LookKey lookKey_;
    QImage look_;  // null: to be drawn
    bool lookIsEmpty_ = false;
    TintedImage light_;
};

}  // namespace orvane::ui
