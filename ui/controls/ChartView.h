#pragma once
// CChartViewUI: a chart area for skins (its class name stays the framework control's). Nothing
// fills its item list, so it paints the control itself and, in the bar view, the shadow image in a
// strip along the bottom: "shadowimageheight" high, 25 pixels above the bottom edge while texts are
// shown ("showtext", on by default). A shadow image that fails to draw is forgotten.
// Attributes, each also given to the framework control first: "view" ("pie", the default, or
// "histpgram" for bars), "shadowimage", "shadowimageheight" and "showtext" ("true" sets it). The
// attributes of the items themselves ("pillarimage", "pillarimagewidth", "showhtml", "font") are
// accepted and have no effect while there are no items.

#include "ui/framework/BasicControl.h"

namespace orvane::ui {

class CChartViewUI : public CBasicControlUI {
public:
    enum class View { Pie, Bars };

    using CBasicControlUI::CBasicControlUI;

    void SetAttribute(const QString& name, const QString& value) override;

    View GetView() const { return view_; }
    QString GetShadowImage() const { return shadowImage_; }
    // Where the bar view puts the shadow image.
    QRect ShadowStrip() const;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    View view_ = View::Pie;
    QString shadowImage_;
    int shadowImageHeight_ = 0;
    bool showText_ = true;
};

}  // namespace orvane::ui
