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
    page.OnPerformanceNotify(*event.notify);
}

// The handler runs `act` for a notification while the current page is a mouse page.
FeatureHandler ForMousePage(void (*act)(CQuorvantMouseDevice&, const FeatureEvent&)) {
    return [act](const FeatureEvent& event) {
        auto* page = dynamic_cast<CQuorvantMouseDevice*>(event.page);
        if (page != nullptr && event.notify != nullptr) act(*page, event);
    };
}

}  // namespace

void ConnectMousePageRoutes(CMainWnd& window) {
    window.SetFeatureHandler(Feature::KeyButton, ForMousePage([](CQuorvantMouseDevice& page, const FeatureEvent& event) {
                                 page.OnKeyButtonClicked(event.number);
                             }));
    window.SetFeatureHandler(Feature::PerformanceSettings, ForMousePage(OnSystemPanel));
}

}  // namespace orvane::app
