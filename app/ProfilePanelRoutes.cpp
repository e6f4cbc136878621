#include "app/ProfilePanelRoutes.h"

#include "app/MainWnd.h"
#include "pages/CQuorvantUSBDevice.h"
#include "pages/DeviceProfileView.h"
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

void OnProfilePanel(const FeatureEvent& event) {
    if (event.page == nullptr || event.notify == nullptr) return;
    CQuorvantUSBDevice& page = *event.page;
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

void OnFunctionTab(const FeatureEvent& event) {
    if (event.page == nullptr || event.notify == nullptr) return;
    const int panel = FunctionPanelOfTab(SenderOf(event));
    // An option that was deselected raises "selectchanged" too; only the one selected acts.
    const auto* option = dynamic_cast<const ui::COptionUI*>(event.notify->pSender);
    if (panel == 0 || event.notify->sType != "selectchanged" || option == nullptr || !option->IsSelected()) return;
    event.page->SwitchFunctionPanel(panel);
    if (CDeviceProfileUI* profiles = event.page->GetProfileItem()) profiles->SelectFeatureTab(panel);
}

}  // namespace

void ConnectProfilePanelRoutes(CMainWnd& window) {
    window.SetFeatureHandler(Feature::ProfileList, OnProfilePanel);
    window.SetFeatureHandler(Feature::FunctionTabs, OnFunctionTab);
}

}  // namespace orvane::app
