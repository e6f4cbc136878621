#include "app/LightingRoutes.h"

#include "app/LightingSynchroniser.h"
#include "app/MainWnd.h"
#include "editors/LightControl.h"
#include "light/LightPanelRules.h"
#include "pages/CQuorvantKeyboardDevice.h"
#include "ui/framework/Notify.h"

namespace orvane::app {
namespace {

void OnLightingEdit(CMainWnd& window, LightingSynchroniser& synchroniser, const FeatureEvent& event) {
    if (event.page == nullptr || event.notify == nullptr || event.notify->pSender == nullptr) return;
    CQuorvantUSBDevice& page = *event.page;
    if (event.notify->pSender->GetName() == "deng_same_mode") {
        if (event.notify->sType == "click") SyncLightingToAllDevices(window, synchroniser, page);
        return;
    }
    const QString sender = event.notify->pSender->GetName();
    CLightControlUI* panel = page.GetLightPanel();
    if (sender == "custom_bright_color_btn" || sender == "custom_off_color_btn") {
        auto* keyboard = dynamic_cast<CQuorvantKeyboardDevice*>(&page);
        if (keyboard != nullptr && event.notify->sType == "click") keyboard->SetAllCustomKeys(sender == "custom_bright_color_btn");
        return;
    }
    if (sender == "light_combo_custommodeSelect") {
        auto* keyboard = dynamic_cast<CQuorvantKeyboardDevice*>(&page);
        if (keyboard != nullptr && panel != nullptr) keyboard->SetCustomLightGroup(panel->GetSelectedCustomLightGroup());
        return;
    }
    std::optional<LightSetting> light = page.GetLighting();
    if (panel == nullptr || !light || !panel->TakeChange(*event.notify, *light)) return;
    page.ChangeLighting(*light);
    synchroniser.Wake();
}

}  // namespace

void ConnectLightingRoutes(CMainWnd& window, LightingSynchroniser& synchroniser) {
    FeatureHandler handler = [&window, &synchroniser](const FeatureEvent& event) {
        OnLightingEdit(window, synchroniser, event);
    };
    window.SetFeatureHandler(Feature::Lighting, handler);
    window.SetFeatureHandler(Feature::ColourOption, handler);
}

bool SyncLightingToAllDevices(CMainWnd& window, LightingSynchroniser& synchroniser, CQuorvantUSBDevice& current) {
    const std::optional<LightSetting> light = current.GetLighting();
    if (!light) return false;
    const std::optional<int> effect = CommonEffectOfMode(current.GetDeviceKind(), light->mode);
    if (!effect) return false;
    synchroniser.SetSettings(SyncSettingsFromLight(*effect, *light));
    for (DeviceFamily family :
         {DeviceFamily::Keyboard, DeviceFamily::Mouse, DeviceFamily::MousePad, DeviceFamily::Headset}) {
        for (CQuorvantUSBDevice* page : window.Pages(family)) {
            if (!page->IsChannelOpen() || !page->GetLighting()) continue;
            const std::optional<int> mode = ModeOfCommonEffect(page->GetDeviceKind(), *effect);
            if (!mode) continue;
            LightSetting own = *light;
            own.mode = static_cast<uint8_t>(*mode);
            // The edit leaves synchronised lighting; the page joins it afterwards.
            if (page->ChangeLighting(own)) page->SetSyncLighting(true);
        }
    }
    UpdateSynchroniserTargets(window, synchroniser);
    return true;
}

void UpdateSynchroniserTargets(const CMainWnd& window, LightingSynchroniser& synchroniser) {
    std::vector<LightingSynchroniser::Target> targets;
    for (DeviceFamily family :
         {DeviceFamily::Mouse, DeviceFamily::MousePad, DeviceFamily::Headset, DeviceFamily::Keyboard}) {
        for (CQuorvantUSBDevice* page : window.Pages(family)) {
            targets.push_back({page->GetSyncTarget(), family == DeviceFamily::Mouse});
        }
    }
    synchroniser.SetTargets(std::move(targets));
}

}  // namespace orvane::app
