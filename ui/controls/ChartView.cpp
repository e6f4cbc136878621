#include "ui/controls/ChartView.h"

#include "ui/framework/ImageString.h"

#include <QPainter>

namespace orvane::ui {
namespace {

constexpr int kTextStripHeight = 25;

}  // namespace

void CChartViewUI::SetAttribute(const QString& name, const QString& value) {
    CBasicControlUI::SetAttribute(name, value);
    if (name == "view") {
        if (value == "pie") view_ = View::Pie;
        if (value == "histpgram") view_ = View::Bars;
    } else if (name == "shadowimage") {
        shadowImage_ = value;
    } else if (name == "shadowimageheight") {
        shadowImageHeight_ = value.toInt();
    } else if (name == "showtext") {
        showText_ = value == "true";
    } else {
        return;
    }
    Invalidate();
}

QRect CChartViewUI::ShadowStrip() const {
    const int bottom = height() - (showText_ ? kTextStripHeight : 0);
    return QRect(0, bottom - shadowImageHeight_, width(), shadowImageHeight_);
}

void CChartViewUI::paintEvent(QPaintEvent* e) {
    CBasicControlUI::paintEvent(e);
    if (view_ != View::Bars || shadowImage_.isEmpty()) return;
    QPainter painter(this);
    if (!DrawImage(painter, ShadowStrip(), shadowImage_)) shadowImage_.clear();
}

}  // namespace orvane::ui
