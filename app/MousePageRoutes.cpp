#include "app/MousePageRoutes.h"

#include "app/MainWnd.h"
#include "pages/CQuorvantMouseDevice.h"
#include "pages/DeviceProfileView.h"
#include "pages/NumberedName.h"
#include "pages/ProfilePanelTexts.h"
#include "ui/framework/Notify.h"
#include "ui/framework/Option.h"

#include <iterator>

namespace orvane::app {
namespace {

QString SenderOf(const FeatureEvent& event) {
    return event.notify != nullptr && event.notify->pSender != nullptr ? event.notify->pSender->GetName() : QString();
}

// The function panel a tab option names (1 "deng_Op_tab" … 7 "magic_Op_tab"); 0 for any other name.
int FunctionPanelOfTab(const QString& name) {
    for (size_t i = 0; i < std::size(kFeatureTabNames); ++i) {
        if (name == QLatin1String(kFeatureTabNames[i])) return static_cast<int>(i) + 1;
    }
    return 0;
}

void OnProfilePanel(CQuorvantMouseDevice& page, const FeatureEvent& event) {
    CDeviceProfileUI* panel = page.GetProfileItem();
    if (panel == nullptr) return;
    const QString sender = SenderOf(event);
    page.ArmProfileRollback();
    if (event.notify->sType == "itemselect") {
        // The combo moved: the list follows it, then the page loads and writes that profile.
        panel->SelectProfile(panel->GetSelectedIndex(), false);
        page.ApplySelectedProfile();
    } else if (sender == "device_reset_btn") {
        page.ResetSelectedProfile();
    } else {
        panel->OnClick(sender);
    }
    page.DisarmProfileRollback();
}

// An option that was deselected raises "selectchanged" too; only the one selected acts.
bool SelectedAnOption(const FeatureEvent& event) {
    const auto* option = dynamic_cast<const ui::COptionUI*>(event.notify->pSender);
    return event.notify->sType == "selectchanged" && option != nullptr && option->IsSelected();
}

void OnFunctionTab(CQuorvantMouseDevice& page, const FeatureEvent& event) {
    const int panel = FunctionPanelOfTab(SenderOf(event));
    if (panel == 0 || !SelectedAnOption(event)) return;
    page.SwitchFunctionPanel(panel);
    if (CDeviceProfileUI* profiles = page.GetProfileItem()) profiles->SelectFeatureTab(panel);
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
    window.SetFeatureHandler(Feature::ProfileList, ForMousePage(OnProfilePanel));
    window.SetFeatureHandler(Feature::KeyButton, ForMousePage([](CQuorvantMouseDevice& page, const FeatureEvent& event) {
                                 page.OnKeyButtonClicked(event.number);
                             }));
    window.SetFeatureHandler(Feature::FunctionTabs, ForMousePage(OnFunctionTab));
    window.SetFeatureHandler(Feature::PerformanceSettings, ForMousePage(OnSystemPanel));
}

}  // namespace orvane::app
