#include "app/ShootPatternRoutes.h"

#include "app/MainWnd.h"
#include "editors/ShootControl.h"
#include "pages/CQuorvantMouseDevice.h"

namespace orvane::app {

void ConnectShootPatternRoutes(CMainWnd& window) {
    window.SetFeatureHandler(Feature::ShootPattern, [](const FeatureEvent& event) {
        auto* page = dynamic_cast<CQuorvantMouseDevice*>(event.page);
        if (page == nullptr || event.notify == nullptr) return;
        if (CShootControlUI* panel = page->GetShootPanel()) panel->OnNotify(*event.notify, event.number);
    });
}

}  // namespace orvane::app
