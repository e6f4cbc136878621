#include "pages/MousePerformanceView.h"

#include "ui/framework/Edit.h"
#include "ui/framework/Notify.h"
#include "ui/framework/Option.h"
#include "ui/framework/Slider.h"

namespace orvane {
namespace {

template <class T>
T* As(const QPointer<QWidget>& control) {
    return dynamic_cast<T*>(control.data());
}

QString Numbered(const char* prefix, int n) {
    return QLatin1String(prefix) + QString::number(n);
}

void Select(const QPointer<QWidget>& control, bool selected) {
    if (auto* option = As<ui::COptionUI>(control)) option->SetSelected(selected, false);
}

void SetValue(const QPointer<QWidget>& control, int value) {
    if (auto* slider = As<ui::CSliderUI>(control)) slider->SetValue(value);
}

void Enable(const QPointer<QWidget>& control, bool enabled) {
    if (auto* c = As<ui::CControlUI>(control)) c->SetEnabled(enabled);
}

bool IsSelected(const ui::CControlUI& control) {
    const auto* option = dynamic_cast<const ui::COptionUI*>(&control);
    return option != nullptr && option->IsSelected();
}

int ValueOf(const ui::CControlUI& control) {
    const auto* slider = dynamic_cast<const ui::CSliderUI*>(&control);
    return slider != nullptr ? slider->GetValue() : 0;
}

}  // namespace

template <class T>
T* MousePerformanceView::Find(const QString& name, Role role, int index) {
    T* control = page_.FindSubControlByName<T>(name);
    if (control != nullptr) bindings_.push_back({control, role, index});
    return control;
}

MousePerformanceView::MousePerformanceView(ui::CControlUI& page, MouseDevice& mouse)
    : page_(page), mouse_(mouse), panel_(mouse) {
    for (int n = 0; n < kDpiStageRows; ++n) {
        DpiRow& row = rows_[n];
        if (auto* layout = page_.FindSubControlByName(Numbered("DPI_layout_", n))) row.layout = layout->GetWidget();
        row.check = Find<ui::COptionUI>(Numbered("DPI_enable_check_", n), Role::kDpiEnable, n);
        row.rank = Find<ui::COptionUI>(Numbered("DPI_rank_check_", n), Role::kDpiRank, n);
        row.slider = Find<ui::CSliderUI>(Numbered("DPI_slider_", n), Role::kDpiSlider, n);
        row.edit = Find<ui::CEditUI>(Numbered("DPI_edit_", n), Role::kDpiEdit, n);
    }
    for (int n = 0; n < kReportRateOptions; ++n) {
        reportRates_[n] = Find<ui::COptionUI>(Numbered("polling_rate_option_", n), Role::kReportRate, n);
    }
    for (int n = 0; n < kLiftOffOptions; ++n) {
        liftOffs_[n] = Find<ui::COptionUI>(Numbered("Height_rate_option_", n), Role::kLiftOff, n);
    }
    if (auto* lift = page_.FindSubControlByName<ui::CSliderUI>("height_click_slider")) liftOffSwitch_ = lift;
    pointerSpeed_ = Find<ui::CSliderUI>("pointer_speed_slider", Role::kPointerSpeed, 0);
    precision_ = Find<ui::COptionUI>("pointer_precision_check", Role::kPointerPrecision, 0);
    pageScroll_ = Find<ui::COptionUI>("scrolls_page_check", Role::kPageScroll, 0);
    scrollLines_ = Find<ui::CSliderUI>("scroll_speed_slider", Role::kScrollLines, 0);
    doubleClick_ = Find<ui::CSliderUI>("double_click_slider", Role::kDoubleClick, 0);
    if (auto* slider = As<ui::CSliderUI>(doubleClick_)) mouse_.SetDoubleClickMaximum(slider->GetMaxValue());
}

void MousePerformanceView::SetInitialRanges() {
    for (const DpiRow& row : rows_) {
        if (auto* slider = As<ui::CSliderUI>(row.slider)) {
            slider->SetMinValue(0);
            slider->SetMaxValue(kMaxDpiIndex);
        }
        if (auto* edit = As<ui::CEditUI>(row.edit)) edit->SetMaxValue(kDpiEditMaximum);
    }
}

const MousePerformanceView::Binding* MousePerformanceView::BindingOf(const ui::CControlUI* sender) const {
    if (sender == nullptr) return nullptr;
    for (const Binding& binding : bindings_) {
        if (binding.control == sender->GetWidget()) return &binding;
    }
    return nullptr;
}

bool MousePerformanceView::OnNotify(const ui::TNotifyUI& msg) {
    const Binding* binding = BindingOf(msg.pSender);
    if (binding == nullptr || !Act(msg.sType, *binding, *msg.pSender)) return false;
    Paint();
    return true;
}

bool MousePerformanceView::Act(const QString& type, const Binding& binding, ui::CControlUI& sender) {
    const int n = binding.index;
    if (type == "selectchanged") {
        switch (binding.role) {
            case Role::kDpiEnable: panel_.OnDpiEnableChanged(n, IsSelected(sender)); return true;
            case Role::kDpiRank: panel_.OnDpiRankSelected(n); return true;
            case Role::kReportRate: panel_.OnReportRateSelected(n); return true;
            case Role::kLiftOff: panel_.OnLiftOffSelected(n); return true;
            case Role::kPointerPrecision: panel_.OnPointerPrecisionChanged(IsSelected(sender)); return true;
            case Role::kPageScroll: {
                const auto* lines = As<ui::CSliderUI>(scrollLines_);
                panel_.OnPageScrollChanged(IsSelected(sender),
                                              lines != nullptr ? lines->GetValue() : panel_.View().scrollLines);
                return true;
            }
            default: return false;
        }
    }
    if (type == "valuechanged") {
        switch (binding.role) {
            case Role::kDpiSlider: panel_.OnDpiSliderReleased(n, ValueOf(sender)); return true;
            case Role::kPointerSpeed: panel_.OnPointerSpeedChanged(ValueOf(sender)); return true;
            case Role::kScrollLines: panel_.OnScrollLinesChanged(ValueOf(sender)); return true;
            case Role::kDoubleClick: panel_.OnDoubleClickChanged(ValueOf(sender)); return true;
            default: return false;
        }
    }
    if (type == "movevaluechanged" && binding.role == Role::kDpiSlider) {
        panel_.OnDpiSliderMoved(n, ValueOf(sender));
        return true;
    }
    if (type == "killfocus" && binding.role == Role::kDpiEdit) {
        panel_.OnDpiEditFinished(n, sender.GetText().toStdString());
        return true;
    }
    return false;
}

void MousePerformanceView::Show() {
    panel_.Show();
    Paint();
}

void MousePerformanceView::Paint() {
    const PerformanceView& view = panel_.View();
    for (int n = 0; n < kDpiStageRows; ++n) {
        const DpiRowView& shown = view.dpiRows[n];
        const DpiRow& row = rows_[n];
        Enable(row.layout, shown.rowEnabled);
        Select(row.check, shown.checked);
        Enable(row.check, shown.checkEnabled);
        SetValue(row.slider, shown.sliderValue);
        if (auto* edit = As<ui::CEditUI>(row.edit)) edit->SetText(QString::fromStdString(shown.editText));
        Select(row.rank, shown.rankSelected);
    }
    for (int n = 0; n < kReportRateOptions; ++n) Select(reportRates_[n], n == view.reportRateOption);
    for (int n = 0; n < kLiftOffOptions; ++n) Select(liftOffs_[n], n == view.liftOffOption);
    if (auto* lift = As<ui::CSliderUI>(liftOffSwitch_)) {
        lift->SetValue(view.liftOffSwitch ? lift->GetMaxValue() : lift->GetMinValue());
    }
    SetValue(pointerSpeed_, view.pointerSpeed);
    Select(precision_, view.pointerPrecision);
    Select(pageScroll_, view.pageScroll);
    SetValue(scrollLines_, view.scrollLines);
    SetValue(doubleClick_, view.doubleClickLevel);
}

}  // namespace orvane
