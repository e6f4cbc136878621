#pragma once
// The mouse page's system panel on screen: the DPI rows, report-rate and lift-off options, the
// lift-off switch and the pointer controls of the page layout, bound to a MouseSystemPanel over
// the mouse core. A notification from one of them becomes the matching On... call; afterwards
// every control shows the panel's View() again, set without raising notifications, so showing a
// value never feeds back.
//
// The controls are found below the page once, when the view is made; a control missing from the
// layout is skipped. UI thread only.

#include <QPointer>
#include <QWidget>

#include <array>
#include <vector>

#include "pages/MouseSystemPanel.h"

namespace orvane::ui {
class CControlUI;
struct TNotifyUI;
}  // namespace orvane::ui

namespace orvane {

class MousePerformanceView {
public:
    // Finds the panel's controls below `page` and gives `mouse` the double-click slider's
    // maximum from the layout.
    MousePerformanceView(ui::CControlUI& page, MouseDevice& mouse);

    // The ranges the device's resolutions need: every "DPI_slider_N" 0..159, every "DPI_edit_N"
    // at most 16000. The last step of the page's initial read.
    void SetInitialRanges();

    // "selectchanged", "valuechanged", "movevaluechanged" or "killfocus" of one of this panel's
    // controls: the settings act on it and the controls show the result. False, with nothing
    // done, for any other notification (other pages' controls of the same names included).
    bool OnNotify(const ui::TNotifyUI& msg);

    // Every control shows the mouse core's settings.
    void Show();
    const MouseSystemPanel& Panel() const { return panel_; }

private:
    enum class Role {
        kDpiEnable, kDpiRank, kDpiSlider, kDpiEdit, kReportRate, kLiftOff,
        kPointerSpeed, kPointerPrecision, kPageScroll, kScrollLines, kDoubleClick,
    };
    struct Binding {
        QPointer<QWidget> control;
        Role role;
        int index;  // row or option number
    };

    template <class T>
    T* Find(const QString& name, Role role, int index);
    const Binding* BindingOf(const ui::CControlUI* sender) const;
    void Paint();
    bool Act(const QString& type, const Binding& binding, ui::CControlUI& sender);

    struct DpiRow {
        QPointer<QWidget> layout, check, rank, slider, edit;
    };

    ui::CControlUI& page_;
    MouseDevice& mouse_;
    MouseSystemPanel panel_;
    std::vector<Binding> bindings_;
    std::array<DpiRow, kDpiStageRows> rows_;
    std::array<QPointer<QWidget>, kReportRateOptions> reportRates_;
    std::array<QPointer<QWidget>, kLiftOffOptions> liftOffs_;
    QPointer<QWidget> liftOffSwitch_, pointerSpeed_, precision_, pageScroll_, scrollLines_, doubleClick_;
};

}  // namespace orvane
