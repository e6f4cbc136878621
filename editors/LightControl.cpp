#include "editors/LightControl.h"

#include <algorithm>
#include <utility>

#include "ui/framework/ColorPalette.h"
#include "ui/framework/Combo.h"
#include "ui/framework/Edit.h"
#include "ui/framework/Notify.h"
#include "ui/framework/Option.h"
#include "ui/framework/Slider.h"

namespace orvane {
namespace {

constexpr int kModeEntryHeight = 30;

ui::ArgbColor OpaqueColour(const LightSetting& light) {
    return 0xFF000000u | (uint32_t{light.red} << 16) | (uint32_t{light.green} << 8) | light.blue;
}

// A colour component typed by the user: not a number reads 0, values beyond 0..255 are clamped.
int ComponentOf(const QString& text) {
    bool ok = false;
    const long long value = text.trimmed().toLongLong(&ok);
    return ok ? static_cast<int>(std::clamp(value, 0LL, 255LL)) : 0;
}

}  // namespace

void* CLightControlUI::GetInterface(const QString& name) {
    if (name == "LightControl") return this;
    return CHorizontalLayoutUI::GetInterface(name);
}

template <class T>
T* CLightControlUI::Child(const char* name) const {
    return FindSubControlByName<T>(QLatin1String(name));
}

void CLightControlUI::InitLightModes(const std::vector<std::string>& names, const std::vector<uint8_t>& visible,
                                     int maxBrightness, int maxSpeed) {
    if (auto* combo = Child<ui::CComboUI>("light_combo_modeSelect")) {
        combo->RemoveAll();
        for (size_t i = 0; i < names.size(); ++i) {
            const QString name = QString::fromStdString(names[i]);
            const int index = combo->AddItem(name, name, true);
            combo->SetItemVisible(index, i >= visible.size() || visible[i] != 0);
        }
        combo->setStyleSheet(QStringLiteral("QComboBox QAbstractItemView::item { min-height: %1px; }")
                                 .arg(kModeEntryHeight));
    }
    if (auto* slider = Child<ui::CSliderUI>("deng_light_slider")) slider->SetMaxValue(maxBrightness);
    if (auto* slider = Child<ui::CSliderUI>("deng_speed_slider")) slider->SetMaxValue(maxSpeed);
}

void CLightControlUI::ShowLightInfo(const LightSetting& light) {
    if (auto* combo = Child<ui::CComboUI>("light_combo_modeSelect")) combo->SelectItem(light.mode, false);
    if (auto* slider = Child<ui::CSliderUI>("deng_light_slider")) slider->SetValue(light.brightness);
    if (auto* slider = Child<ui::CSliderUI>("deng_speed_slider")) slider->SetValue(light.speed);
    ShowColourEdits(light);
    SetLightColor(OpaqueColour(light));
    SetMultiColorCheck(light.multiColor != 0);
    SetLightDirection(light.direction != 0);
    UpdateLightLayout(kind_, light.mode);
}

void CLightControlUI::SelectLightMode(int index) {
    if (auto* combo = Child<ui::CComboUI>("light_combo_modeSelect")) combo->SelectItem(index, false);
    UpdateLightLayout(kind_, index);
}

int CLightControlUI::GetSelectedLightMode() const {
    const auto* combo = Child<ui::CComboUI>("light_combo_modeSelect");
    return combo != nullptr ? combo->GetCurSel() : -1;
}

void CLightControlUI::SelectCustomLightGroup(int group) {
    if (auto* combo = Child<ui::CComboUI>("light_combo_custommodeSelect")) combo->SelectItem(group, false);
}

int CLightControlUI::GetSelectedCustomLightGroup() const {
    const auto* combo = Child<ui::CComboUI>("light_combo_custommodeSelect");
    return combo != nullptr ? combo->GetCurSel() : -1;
}

void CLightControlUI::SetLightColor(ui::ArgbColor color) {
    if (auto* palette = Child<ui::CColorPaletteUI>("deng_Color_Pallet")) palette->SetSelectColor(color);
    if (auto* swatch = Child<ui::CControlUI>("deng_colordp_btn")) swatch->SetBkColor(color);
}

void CLightControlUI::SetMultiColorCheck(bool on) {
    if (auto* check = Child<ui::COptionUI>("deng_7color_check")) check->SetSelected(on, false);
}

bool CLightControlUI::GetMultiColorCheck() const {
    const auto* check = Child<ui::COptionUI>("deng_7color_check");
    return check != nullptr && check->IsSelected();
}

void CLightControlUI::SetLightDirection(bool left) {
    if (auto* option = Child<ui::COptionUI>("deng_FXL_check")) option->SetSelected(left, false);
    if (auto* option = Child<ui::COptionUI>("deng_FXR_check")) option->SetSelected(!left, false);
}

void CLightControlUI::SetSyncLighting(bool on) {
    sync_ = on;
    UpdateLightLayout(kind_, GetSelectedLightMode());
}

void CLightControlUI::UpdateLightLayout(int kind, int mode) {
    const LightPanelLayout layout = LightLayoutFor(kind, mode, sync_);
    for (size_t i = 0; i < kLightAreaCount; ++i) {
        ui::CControlUI* control = Child<ui::CControlUI>(LightAreaName(static_cast<LightArea>(i)));
        if (control == nullptr) continue;
        const AreaState& state = layout.areas[i];
        if (state.enabled) control->SetEnabled(*state.enabled);
        if (state.visible) control->SetVisible(*state.visible);
    }
    // A slider's caption goes with it: a row never shows a caption alone.
    const std::pair<const char*, LightArea> captions[] = {{"light_brightness_label", LightArea::Brightness},
                                                          {"light_speed_label", LightArea::Speed}};
    for (const auto& [caption, area] : captions) {
        auto* label = Child<ui::CControlUI>(caption);
        auto* slider = Child<ui::CControlUI>(LightAreaName(area));
        if (label != nullptr && slider != nullptr) label->SetVisible(!slider->GetWidget()->isHidden());
    }
    if (layout.rightText != nullptr) {
        if (auto* option = Child<ui::COptionUI>("deng_FXR_check")) option->SetText(QLatin1String(layout.rightText));
    }
    if (layout.leftText != nullptr) {
        if (auto* option = Child<ui::COptionUI>("deng_FXL_check")) option->SetText(QLatin1String(layout.leftText));
    }
}

void CLightControlUI::ShowColourEdits(const LightSetting& light) {
    const std::pair<const char*, uint8_t> edits[] = {
        {"deng_edit_R", light.red}, {"deng_edit_G", light.green}, {"deng_edit_B", light.blue}};
    for (const auto& [name, value] : edits) {
        if (auto* edit = Child<ui::CEditUI>(name)) edit->SetText(QString::number(value));
    }
}

void CLightControlUI::ShowChosenColour(LightSetting& light, ui::ArgbColor rgb) {
    light.red = static_cast<uint8_t>(rgb >> 16);
    light.green = static_cast<uint8_t>(rgb >> 8);
    light.blue = static_cast<uint8_t>(rgb);
    light.multiColor = 0;
    ShowColourEdits(light);
    SetMultiColorCheck(false);
    SetLightColor(OpaqueColour(light));
}

bool CLightControlUI::TakeChange(const ui::TNotifyUI& msg, LightSetting& light) {
    if (msg.pSender == nullptr || !isAncestorOf(msg.pSender->GetWidget())) return false;
    const QString name = msg.pSender->GetName();
    const QString& type = msg.sType;
    const LightSetting before = light;
    if (type == "itemselect" && name == "light_combo_modeSelect") {
        const int mode = GetSelectedLightMode();
        if (mode < 0) return false;
        light.mode = static_cast<uint8_t>(mode);
        SelectLightMode(mode);
    } else if (type == "valuechanged" && (name == "deng_light_slider" || name == "deng_speed_slider")) {
        const auto* slider = dynamic_cast<const ui::CSliderUI*>(msg.pSender);
        if (slider == nullptr) return false;
        const auto value = static_cast<uint8_t>(std::clamp(slider->GetValue(), 0, kMaxLightLevel));
        (name == "deng_light_slider" ? light.brightness : light.speed) = value;
    } else if (type == "killfocus" && (name == "deng_edit_R" || name == "deng_edit_G" || name == "deng_edit_B")) {
        const int value = ComponentOf(msg.pSender->GetText());
        msg.pSender->SetText(QString::number(value));
        uint8_t& component = name.endsWith('R') ? light.red : name.endsWith('G') ? light.green : light.blue;
        component = static_cast<uint8_t>(value);
        ShowChosenColour(light, OpaqueColour(light));
    } else if (type == "colorchanged" && name == "deng_Color_Pallet") {
        const auto* palette = dynamic_cast<const ui::CColorPaletteUI*>(msg.pSender);
        ShowChosenColour(light, palette != nullptr ? palette->GetSelectColor() : static_cast<ui::ArgbColor>(msg.wParam));
    } else if (type == "click" && name.startsWith(QLatin1String("color_option_"), Qt::CaseInsensitive)) {
        ShowChosenColour(light, msg.pSender->GetBkColor());
    } else if (type == "selectchanged" && name == "deng_7color_check") {
        light.multiColor = GetMultiColorCheck() ? 1 : 0;
    } else if (type == "selectchanged" && (name == "deng_FXL_check" || name == "deng_FXR_check")) {
        const auto* option = dynamic_cast<const ui::COptionUI*>(msg.pSender);
        // The option the user left raises the notification too; the one chosen decides.
        if (option == nullptr || !option->IsSelected()) return false;
        const bool left = name == "deng_FXL_check";
        SetLightDirection(left);
        light.direction = left ? 1 : 0;
    } else {
        return false;
    }
    return !(light == before);
}

}  // namespace orvane
