#include "pages/KeyboardSettingsPanel.h"

#include <algorithm>

#include "pages/MouseKeyInfo.h"
#include "pages/NumberedName.h"
#include "ui/framework/Control.h"
#include "ui/framework/Notify.h"
#include "ui/framework/Option.h"
#include "ui/framework/Slider.h"

namespace orvane {
namespace {

template <class T>
T* As(const QPointer<QWidget>& control) {
    return dynamic_cast<T*>(control.data());
}

QPointer<QWidget> Lookup(ui::CControlUI& page, const QString& name) {
    ui::CControlUI* control = page.FindSubControlByName(name);
    return control != nullptr ? control->GetWidget() : nullptr;
}

template <size_t N>
void LookupRow(ui::CControlUI& page, const char* prefix, std::array<QPointer<QWidget>, N>& row) {
    for (size_t n = 0; n < N; ++n) row[n] = Lookup(page, QLatin1String(prefix) + QString::number(n));
}

template <size_t N>
void SelectOnly(const std::array<QPointer<QWidget>, N>& row, int selected) {
    for (size_t n = 0; n < N; ++n) {
        if (auto* option = As<ui::COptionUI>(row[n])) option->SetSelected(static_cast<int>(n) == selected, false);
    }
}

void Select(const QPointer<QWidget>& control, bool on) {
    if (auto* option = As<ui::COptionUI>(control)) option->SetSelected(on, false);
}

bool IsSelected(const ui::CControlUI* control) {
    const auto* option = dynamic_cast<const ui::COptionUI*>(control);
    return option != nullptr && option->IsSelected();
}

}  // namespace

KeyboardSettingsPanel::KeyboardSettingsPanel(ui::CControlUI& page, KeyboardDevice& keyboard) : keyboard_(keyboard) {
    LookupRow(page, "polling_rate_option_", reportRates_);
    LookupRow(page, "repeat_rate_check_", repeatRates_);
    LookupRow(page, "repeat_delay_check_", repeatDelays_);
    winLock_ = Lookup(page, "winlockflag_option");
    wLock_ = Lookup(page, "wflag_option");
    sixKey_ = Lookup(page, "6flag_option");
    repeatSlider_ = Lookup(page, "repeat_rate_slider");
    delayLabel_ = Lookup(page, "repeat_delay_time_label1");
    repeatField_ = Lookup(page, "repeat_input_richedit");
}

void KeyboardSettingsPanel::Show() {
    const KeyboardSystemSettings& s = keyboard_.Settings();
    SelectOnly(reportRates_, std::clamp<int>(s.PollingRate, 0, kKeyboardReportRateOptions - 1));
    Select(winLock_, s.WinFlag != 0);
    Select(wLock_, s.WFlag != 0);
    Select(sixKey_, s.Key6Flag != 0);
    SelectOnly(repeatRates_, RepeatCheckOfRate(s.Repeat));
    if (auto* slider = As<ui::CSliderUI>(repeatSlider_)) slider->SetValue(s.Repeat);
    SelectOnly(repeatDelays_, std::clamp<int>(s.RepeatDelay, 0, kKeyRepeatOptions - 1));
    ShowDelayText();
    if (auto* field = As<ui::CControlUI>(repeatField_)) {
        field->SetText(QString());
        field->SetToolTip(LanguageText("Repeat_input_text"));
    }
}

void KeyboardSettingsPanel::ShowDelayText() {
    auto* label = As<ui::CControlUI>(delayLabel_);
    if (label == nullptr) return;
    const int level = std::clamp<int>(keyboard_.Settings().RepeatDelay, 0, kKeyRepeatOptions - 1);
    label->SetText(LanguageText("Repeat_Delay_Time") + QString::number(RepeatDelayMsFromLevel(level)) + "ms");
}

bool KeyboardSettingsPanel::OnNotify(const ui::TNotifyUI& msg) {
    const ui::CControlUI* sender = msg.pSender;
    if (sender == nullptr) return false;
    const QString name = sender->GetName();
    if (msg.sType == "valuechanged" && sender->GetWidget() == repeatSlider_) {
        if (const auto* slider = dynamic_cast<const ui::CSliderUI*>(sender)) keyboard_.SetRepeatRate(slider->GetValue());
        Show();
        return true;
    }
    if (msg.sType == "click" && name == "reset_repeat_btn") {
        keyboard_.ResetKeyRepeat();
        Show();
        return true;
    }
    if (msg.sType != "selectchanged") return false;
    const bool on = IsSelected(sender);
    if (sender->GetWidget() == winLock_) {
        keyboard_.SetWindowsKeyLock(on);
        return true;
    }
    if (sender->GetWidget() == wLock_) {
        keyboard_.SetWKeyLock(on);
        return true;
    }
    if (sender->GetWidget() == sixKey_) {
        keyboard_.SetSixKeyRollover(on);
        return true;
    }
    const auto numbered = SplitNumberedName(name);
    if (!numbered || numbered->number < 0) return false;
    const int n = numbered->number;
    // A deselected option raises "selectchanged" too; only the one selected acts.
    if (numbered->HasPrefix("polling_rate_option_") && n < kKeyboardReportRateOptions) {
        if (on) keyboard_.SetReportRateHz(kKeyboardReportRatesHz[static_cast<size_t>(n)]);
        return true;
    }
    if (numbered->HasPrefix("repeat_rate_check_") && n < kKeyRepeatOptions) {
        if (on) keyboard_.SetRepeatRate(RepeatRateOfCheck(n));
        return true;
    }
    if (numbered->HasPrefix("repeat_delay_check_") && n < kKeyRepeatOptions) {
        if (on) keyboard_.SetRepeatDelayMs(RepeatDelayMsFromLevel(n));
        ShowDelayText();
        return true;
    }
    return false;
}

}  // namespace orvane
