#include "pages/headset/CVoice8127ControlUI.h"

#include "ui/framework/Combo.h"
#include "ui/framework/Edit.h"
#include "ui/framework/Option.h"
#include "ui/framework/Slider.h"

namespace orvane {
namespace {

QString EqOptionName(int n) { return QStringLiteral("8127_eq_option_%1").arg(n); }
QString BandSliderName(int band) { return QStringLiteral("8127_eq_hz_slider_%1").arg(band); }

const QString kCustomLayout = QStringLiteral("custom_eq_option_layout");
const QString kMicInOption = QStringLiteral("8127_MicIn_option");
const QString kMonitorOption = QStringLiteral("8127_MicMoniter_option");
const QString kMicInSlider = QStringLiteral("8127_MicIn_slider");
const QString kMonitorSlider = QStringLiteral("8127_MicMoniter_slider");
const QString kNameEdit = QStringLiteral("custom_eq_name_edit");
const QString kNameCombo = QStringLiteral("custom_eq_name_combo");

}  // namespace

void* CVoice8127ControlUI::GetInterface(const QString& name) {
    if (name == "Voice8127Control") return this;
    return CVerticalLayoutUI::GetInterface(name);
}

template <class T>
T* CVoice8127ControlUI::Child(const QString& name) const {
    return FindSubControlByName<T>(name);
}

void CVoice8127ControlUI::SelectEqOption(int n) {
    for (int i = 1; i <= kEqOptions; ++i) {
        if (auto* option = Child<ui::COptionUI>(EqOptionName(i))) option->SetSelected(false, false);
    }
    eqOption_ = (n >= 1 && n <= kEqOptions) ? n : 0;
    if (eqOption_ == 0) return;
    if (auto* option = Child<ui::COptionUI>(EqOptionName(eqOption_))) option->SetSelected(true, false);
}

void CVoice8127ControlUI::SetBandValue(int band, int gain) {
    if (auto* slider = Child<ui::CSliderUI>(BandSliderName(band))) slider->SetValue(gain);
}

int CVoice8127ControlUI::GetBandValue(int band) const {
    const auto* slider = Child<ui::CSliderUI>(BandSliderName(band));
    return slider != nullptr ? slider->GetValue() : -1;
}

void CVoice8127ControlUI::EnableCustomLayout(bool enable) {
    if (auto* layout = Child<ui::CControlUI>(kCustomLayout)) layout->SetEnabled(enable);
}

void CVoice8127ControlUI::SetMicInOption(bool on) {
    if (auto* option = Child<ui::COptionUI>(kMicInOption)) option->SetSelected(on, false);
}

void CVoice8127ControlUI::SetMicMonitorOption(bool on) {
    if (auto* option = Child<ui::COptionUI>(kMonitorOption)) option->SetSelected(on, false);
}

bool CVoice8127ControlUI::GetMicInOption() const {
    const auto* option = Child<ui::COptionUI>(kMicInOption);
    return option != nullptr && option->IsSelected();
}

bool CVoice8127ControlUI::GetMicMonitorOption() const {
    const auto* option = Child<ui::COptionUI>(kMonitorOption);
    return option != nullptr && option->IsSelected();
}

void CVoice8127ControlUI::SetMicInLevel(int level) {
    if (auto* slider = Child<ui::CSliderUI>(kMicInSlider)) slider->SetValue(level);
}

int CVoice8127ControlUI::GetMicInLevel() const {
    const auto* slider = Child<ui::CSliderUI>(kMicInSlider);
    return slider != nullptr ? slider->GetValue() : -1;
}

void CVoice8127ControlUI::SetMicMonitorLevel(int level) {
    if (auto* slider = Child<ui::CSliderUI>(kMonitorSlider)) slider->SetValue(level);
}

int CVoice8127ControlUI::GetMicMonitorLevel() const {
    const auto* slider = Child<ui::CSliderUI>(kMonitorSlider);
    return slider != nullptr ? slider->GetValue() : -1;
}

void CVoice8127ControlUI::SetNameEditText(const QString& text) {
    if (auto* edit = Child<ui::CEditUI>(kNameEdit)) edit->SetText(text);
}

QString CVoice8127ControlUI::GetNameEditText() const {
    const auto* edit = Child<ui::CEditUI>(kNameEdit);
    return edit != nullptr ? edit->GetText() : QString();
}

void CVoice8127ControlUI::AddName(const QString& name) {
    if (auto* combo = Child<ui::CComboUI>(kNameCombo)) combo->AddItem(name, name, false);
}

int CVoice8127ControlUI::GetNameSelection() const {
    const auto* combo = Child<ui::CComboUI>(kNameCombo);
    return combo != nullptr ? combo->GetCurSel() : -1;
}

int CVoice8127ControlUI::GetNameCount() const {
    const auto* combo = Child<ui::CComboUI>(kNameCombo);
    return combo != nullptr ? combo->GetCount() : 0;
}

void CVoice8127ControlUI::SelectName(int index) {
    if (auto* combo = Child<ui::CComboUI>(kNameCombo)) combo->SelectItem(index, false);
    SetNameEditText({});
}

void CVoice8127ControlUI::RemoveNameAt(int index) {
    if (auto* combo = Child<ui::CComboUI>(kNameCombo)) combo->RemoveAt(index);
}

void CVoice8127ControlUI::RemoveAllNames() {
    if (auto* combo = Child<ui::CComboUI>(kNameCombo)) combo->RemoveAll();
}

QString CVoice8127ControlUI::GetNameText(int index) const {
    const auto* combo = Child<ui::CComboUI>(kNameCombo);
    return combo != nullptr ? combo->GetItemText(index) : QString();
}

void CVoice8127ControlUI::ShowAvailability(bool equaliser, bool microphone, bool monitor) {
    const std::pair<const char*, bool> parts[] = {{"voice_eq_section", equaliser},
                                                  {"voice_mic_section", microphone},
                                                  {"voice_monitor_section", monitor},
                                                  {"voice_audio_unavailable", !equaliser && !microphone && !monitor}};
    for (const auto& [name, shown] : parts) {
        if (auto* part = Child<ui::CControlUI>(QLatin1String(name))) part->SetVisible(shown);
    }
}

}  // namespace orvane
