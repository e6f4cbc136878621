#pragma once
// CCircleProgressUI ("CircleProgress"): a progress shown as a ring. A full disc in the background
// colour, then a pie in the foreground colour (attribute "forecolor") from straight down,
// clockwise, sweeping value / (maximum - minimum) of the circle, then a white disc 10 pixels
// inside the rectangle, leaving a 10-pixel ring. With maximum equal to minimum nothing is swept.

#include "ui/framework/Progress.h"

namespace orvane::ui {

class CCircleProgressUI : public CProgressUI {
public:
    using CProgressUI::CProgressUI;

    QString GetClass() const override { return "CircleProgress"; }
    void SetAttribute(const QString& name, const QString& value) override;

    void SetForeColor(ArgbColor color);
    ArgbColor GetForeColor() const { return foreColor_; }
    // Degrees of the foreground pie.
    int SweepDegrees() const;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    ArgbColor foreColor_ = 0;
};

}  // namespace orvane::ui
