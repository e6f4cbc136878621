#include "app/KeyAssignmentRoutes.h"

#include "app/MainWnd.h"
#include "editors/keys/CKeySetControlUI.h"
#include "pages/CQuorvantUSBDevice.h"
#include "ui/framework/Notify.h"

namespace orvane::app {
namespace {

void OnKeyAssignment(const FeatureEvent& event) {
    CQuorvantUSBDevice* page = event.page;
    CKeySetControlUI* panel = page != nullptr ? page->GetKeySetItem() : nullptr;
    if (panel == nullptr || event.notify == nullptr) return;
    const ui::CControlUI* sender = event.notify->pSender;
    if (event.notify->sType == "click" && sender != nullptr && sender->GetName() == "key_butt_prosave") {
        panel->SetKeyButtonsEnabled(false);
        page->SaveKeyAssignments();
        return;
    }
    if (panel->OnNotify(*event.notify)) ApplyKeyFunction(*page, *panel);
}

}  // namespace

void ApplyKeyFunction(CQuorvantUSBDevice& page, CKeySetControlUI& panel) {
    panel.SetKeyButtonsEnabled(true);
    page.SetKeyAssignment(panel.BuildFunctionCode());
    page.RefreshTexts();
}

void ConnectKeyAssignmentRoutes(CMainWnd& window) {
    window.SetFeatureHandler(Feature::KeyAssignment, OnKeyAssignment);
}

}  // namespace orvane::app
