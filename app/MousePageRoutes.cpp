#include "app/MousePageRoutes.h"

#include "app/MainWnd.h"
#include "pages/CQuorvantMouseDevice.h"
#include "pages/DeviceProfileView.h"
#include "profiles/ProfileList.h"
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
    if (panel == nullptr || event.notify == nullptr) return;
    const QString sender = SenderOf(event);
    if (event.notify->sType == "itemselect") {
        // The combo moved: the list follows it, then the page loads and writes that profile.
        if (sender != "device_profile_combo") return;
        panel->SelectProfile(panel->GetSelectedIndex(), false);
        page.ApplySelectedProfile();
    } else if (sender == "device_reset_btn") {
        page.ResetSelectedProfile();
    } else {
        panel->OnClick(sender);
    }
}

void OnSettingsChange(CQuorvantMouseDevice& page, const FeatureEvent& event) {
    if (event.notify == nullptr) return;
    const int panel = FunctionPanelOfTab(SenderOf(event));
    if (panel == 0) {
        page.OnPerformanceNotify(*event.notify);
        return;
    }
    // A tab that was deselected says so too; only the one selected switches the panel.
    const auto* tab = dynamic_cast<const ui::COptionUI*>(event.notify->pSender);
    if (event.notify->sType != "selectchanged" || tab == nullptr || !tab->IsSelected()) return;
    page.SwitchFunctionPanel(panel);
    if (CDeviceProfileUI* profiles = page.GetProfileItem()) profiles->SelectFeatureTab(panel);
}

// The handler runs `act` with the current page when that is a mouse page.
FeatureHandler ForMousePage(void (*act)(CQuorvantMouseDevice&, const FeatureEvent&)) {
    return [act](const FeatureEvent& event) {
        if (auto* page = dynamic_cast<CQuorvantMouseDevice*>(event.page)) act(*page, event);
    };
}

}  // namespace

void ConnectMousePageRoutes(CMainWnd& window) {
    window.SetFeatureHandler(Feature::ProfileList, ForMousePage(OnProfilePanel));
    window.SetFeatureHandler(Feature::KeyButton, ForMousePage([](CQuorvantMouseDevice& page, const FeatureEvent& event) {
                                 page.OnKeyButtonClicked(event.number);
                             }));
    window.SetFeatureHandler(Feature::KeyAssignment, ForMousePage([](CQuorvantMouseDevice& page, const FeatureEvent& event) {
                                 if (SenderOf(event) == "key_butt_prosave") page.SaveKeyAssignments();
                             }));
    window.SetFeatureHandler(Feature::PerformanceSettings, ForMousePage(OnSettingsChange));
}

}  // namespace orvane::app
