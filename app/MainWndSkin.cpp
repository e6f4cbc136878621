#include "app/MainWndSkin.h"

#include "app/MainWnd.h"
#include "app/SkinChange.h"
#include "app/SkinFrame.h"

#include <memory>

namespace orvane::app {
namespace {

class MainWindowSkin final : public SkinChangeReceiver {
public:
    explicit MainWindowSkin(CMainWnd& window) : window_(window) {}

    int Receive(SkinChangedParam param) override {
        ui::CControlUI* root = window_.FindControl("root");
        if (root == nullptr) return 0;
        if (param.colour) {
            root->SetBkImage(QString());
            root->SetBkColor(param.backgroundColour);
        } else {
            root->SetBkColor(0);
            root->SetBkImage(param.image);
        }
        return 0;
    }

private:
    CMainWnd& window_;
};

}  // namespace

void ConnectSkinWindow(CMainWnd& window) {
    // Owned by the handler, which the window keeps until it is destroyed; leaving then, the
    // receiver takes itself off the broadcaster.
    auto receiver = std::make_shared<MainWindowSkin>(window);
    SkinChangeBroadcaster().AddReceiver(receiver.get());
    window.SetFeatureHandler(Feature::SkinWindow, [&window, receiver](const FeatureEvent& event) {
        if (event.notify != nullptr && event.notify->pSender != nullptr) CSkinFrame::Open(window, *event.notify->pSender);
    });
}

}  // namespace orvane::app
