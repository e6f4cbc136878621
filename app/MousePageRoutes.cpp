#include "app/MousePageRoutes.h"

#include "app/MainWnd.h"
#include "pages/CQuorvantMouseDevice.h"
#include "pages/NumberedName.h"
#include "ui/framework/Notify.h"
#include "ui/framework/Option.h"

namespace orvane::app {
namespace {

QString SenderOf(const FeatureEvent& event) {
    return event.notify != nullptr && event.notify->pSender != nullptr ? event.notify->pSender->GetName() : QString();
}

// An option that was deselected raises "selectchanged" too; only the one selected acts.
bool SelectedAnOption(const FeatureEvent& event) {
    const auto* option = dynamic_cast<const ui::COptionUI*>(event.notify->pSender);
    return event.notify->sType == "selectchanged" && option != nullptr && option->IsSelected();
}

void OnSystemPanel(CQuorvantMouseDevice& page, const FeatureEvent& event) {
    const auto tab = SplitNumberedName(SenderOf(event));
    if (tab && tab->HasPrefix("mouse_device_seting_option_")) {
        if (SelectedAnOption(event)) page.SelectSettingsTab(event.number);
        return;
    }
    page.OnSettingsNotify(*event.notify);
}

}  // namespace

void ConnectMousePageRoutes(CMainWnd& window) {
    window.SetFeatureHandler(Feature::KeyButton, [](const FeatureEvent& event) {
        if (event.page != nullptr) event.page->OnKeyButtonClicked(event.number);
    });
    // The keyboard's settings panel shares the report-rate option names with the mouse's.
    window.SetFeatureHandler(Feature::PerformanceSettings, [](const FeatureEvent& event) {
        if (event.page == nullptr || event.notify == nullptr) return;
        if (auto* mouse = dynamic_cast<CQuorvantMouseDevice*>(event.page)) {
            OnSystemPanel(*mouse, event);
        } else {
            event.page->OnSettingsNotify(*event.notify);
        }
    });
    // Routed on keyboard pages only.
    window.SetFeatureHandler(Feature::KeyRepeat, [](const FeatureEvent& event) {
        if (event.page != nullptr && event.notify != nullptr) event.page->OnSettingsNotify(*event.notify);
    });
}

}  // namespace orvane::app
