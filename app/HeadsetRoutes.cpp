#include "app/HeadsetRoutes.h"

#include "app/MainWnd.h"
#include "device/DeviceKind.h"
#include "pages/NumberedName.h"
#include "pages/headset/CQuorvantHS8127Device.h"
#include "ui/dialogs/MsgWnd.h"
#include "ui/framework/Notify.h"
#include "ui/framework/Option.h"

namespace orvane::app {
namespace {

QString SenderOf(const FeatureEvent& event) { return event.notify->pSender != nullptr ? event.notify->pSender->GetName() : QString(); }

// An option of a group that was deselected raises "selectchanged" too; only the one selected acts.
bool SelectedAnOption(const FeatureEvent& event) {
    const auto* option = dynamic_cast<const ui::COptionUI*>(event.notify->pSender);
    return option != nullptr && option->IsSelected();
}

bool HasPrefix(const QString& name, const char* prefix) {
    const auto split = SplitNumberedName(name);
    return split && split->HasPrefix(prefix);
}

void OnEqualiser(CMainWnd& window, CQuorvantHS8127Device& page, const FeatureEvent& event) {
    const QString sender = SenderOf(event);
    if (HasPrefix(sender, "8127_eq_option_")) {
        if (SelectedAnOption(event)) page.SelectEqPreset(event.number);
    } else if (HasPrefix(sender, "8127_eq_hz_slider_")) {
        page.SetEqBand(event.number);
    } else if (sender == "custom_eq_name_combo") {
        page.ApplyCustomEq();
    } else if (sender == "hs_EQ_btn_save") {
        if (page.SaveCustomEq() == 0) ui::ShowMessageBox(&window, QString(), "message_text_5", window.GetDPI(), true, false);
    } else if (sender == "hs_EQ_btn_delete") {
        page.DeleteCustomEq();
    }
}

void OnAudio(CQuorvantHS8127Device& page, const FeatureEvent& event) {
    const QString sender = SenderOf(event);
    if (sender == "8127_MicIn_option") {
        page.ToggleMicIn();
    } else if (sender == "8127_MicIn_slider") {
        page.SetMicInLevel();
    } else if (sender == "8127_MicMoniter_option") {
        page.ToggleMicMonitor();
    } else if (sender == "8127_MicMoniter_slider") {
        page.SetMicMonitorLevel();
    } else if (sender == "magic_enable_option") {
        page.ToggleVoiceEffect();
    } else if (HasPrefix(sender, "magic_option_")) {
        if (SelectedAnOption(event)) page.SelectVoiceEffect(event.number);
    }
}

CQuorvantHS8127Device* HeadsetPageOf(const FeatureEvent& event) {
    if (event.page == nullptr || event.notify == nullptr || event.page->GetDeviceKind() != kDeviceHeadset) return nullptr;
    return dynamic_cast<CQuorvantHS8127Device*>(event.page);
}

}  // namespace

void ConnectHeadsetRoutes(CMainWnd& window) {
    window.SetFeatureHandler(Feature::HeadsetEqualiser, [&window](const FeatureEvent& event) {
        if (CQuorvantHS8127Device* page = HeadsetPageOf(event)) OnEqualiser(window, *page, event);
    });
    window.SetFeatureHandler(Feature::HeadsetAudio, [](const FeatureEvent& event) {
        if (CQuorvantHS8127Device* page = HeadsetPageOf(event)) OnAudio(*page, event);
    });
}

}  // namespace orvane::app
