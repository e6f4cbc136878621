// The main window's notifications: its own events, then every control notification to the owner of
// its sender (FeatureRoutes.h), the window itself or a feature.
#include "app/MainWnd.h"

#include "ui/dialogs/MsgWnd.h"
#include "ui/dialogs/WindowMessageIds.h"
#include "pages/MouseSystemPanel.h"
#include "pages/CQuorvantUSBDevice.h"
#include "pages/NumberedName.h"
#include "platform/DebugLog.h"
#include "platform/UserFolders.h"
#include "profiles/JsonFileStore.h"
#include "ui/controls/DeviceKeyButton.h"
#include "ui/controls/DeviceOption.h"
#include "ui/framework/Container.h"
#include "ui/framework/Edit.h"
#include "ui/framework/Slider.h"
#include "ui/framework/TabLayout.h"

namespace orvane::app {
namespace {

bool OneOf(const QString& text, std::initializer_list<const char*> names) {
    for (const char* name : names) {
        if (text == QLatin1String(name)) return true;
    }
    return false;
}

// "vexal_DPI_slider_" + N and "vexal_DPI_edit_" + N.
QString DpiPairName(const char* prefix, int n) {
    return QLatin1String(prefix) + QString::number(n);
}

// The light band file: the user data root, then a name nothing in this program sets, then ".json".
std::string LightBandFile() {
    const std::string root = DataHomeFolder() + "/" + kProductFolderName + "/";
    MakeFolders(root);
    return root + ".json";
}

}  // namespace

void CMainWnd::Notify(ui::TNotifyUI& msg) {
    const QString sender = msg.pSender != nullptr ? msg.pSender->GetName() : QString();
    const QString& type = msg.sType;
    if (type != "timer") {
        DebugLog(type.toStdString());
        DebugLog(sender.toStdString());
    }
    // The window's own events first; every other notification goes to the owner of its sender.
    if (type == "windowinit") {
        OnWindowInit();
    } else if (type == "windowsize") {
        if (sender == "root" && displayChanged_) {
            displayChanged_ = false;
            FitToScreen();
        }
    } else if (type == "timer") {
        OnTimerNotify(msg);
    } else if (type == "msenter") {
        const CQuorvantUSBDevice* page = GetCurrentPage();
        if (sender.compare("key_2", Qt::CaseInsensitive) == 0 && page != nullptr && page->GetDeviceKind() == kDeviceMouse) {
            if (auto* key = FindControl<ui::CDeviceKeyButtonUI>("key_2")) key->SetKeepTintOnHover(false);
        }
    } else if (const std::optional<Route> route = FindRoute(sender, type)) {
        if (route->feature == Feature::MainWindow) {
            OnOwnNotify(msg, sender, route->number);
        } else {
            Forward(*route, &msg);
        }
    }
}

void CMainWnd::OnOwnNotify(ui::TNotifyUI& msg, const QString& sender, int number) {
    // The owner table lets through only what the window acts on.
    const QString& type = msg.sType;
    if (type == "click") {
        OnOwnClick(sender);
    } else if (type == "click_select_end") {
        CheckLightBand(msg);
    } else if (sender == "keyset_keyboard_text_edit") {
        SendMessage(ui::kInputCapture, type == "setfocus" ? 1 : 0, 0);
    } else if (type == "movevaluechanged") {
        ShowDpiPairSlider(number);
    } else if (type == "killfocus") {
        TakeDpiPairEdit(number);
    }
}

void CMainWnd::OnOwnClick(const QString& name) {
    if (HandleCaptionButton(name)) return;
    if (name == "closebtn") {
        CloseSettingsWindow();
        if (trayAvailable_) {
            ShowWindow(false);  // the program goes on in the tray
        } else {
            Close();
        }
    } else if (name == "nodevice_ok_btn") {
        ShowWindow(false);
    } else if (name == "control_light_status") {
        SetLightControl(lightControl_ != 0 ? 0 : 1, true);
    } else if (name == "default_btn") {
        RestoreDefaults();
    } else if (OneOf(name, {"update_ok_btn", "re_update_btn"})) {
        if (auto* pages = FindControl<ui::CTabLayoutUI>("device_updata_switch")) pages->SelectItem(1);
    } else if (OneOf(name, {"update_cancel_btn", "finish_update_btn"})) {
        if (ui::CControlUI* dialog = FindControl("device_updata_layout")) dialog->SetVisible(false);
    } else if (name == "update_close_btn") {
        if (ui::CControlUI* notice = FindControl("no_close_software_layout")) notice->SetVisible(false);
    }
}

void CMainWnd::ShowDpiPairSlider(int n) {
    const auto* slider = FindControl<ui::CSliderUI>(DpiPairName("vexal_DPI_slider_", n));
    auto* edit = FindControl<ui::CEditUI>(DpiPairName("vexal_DPI_edit_", n));
    if (slider != nullptr && edit != nullptr) edit->SetText(QString::fromStdString(MainWindowDpiText(slider->GetValue())));
}

void CMainWnd::TakeDpiPairEdit(int n) {
    auto* edit = FindControl<ui::CEditUI>(DpiPairName("vexal_DPI_edit_", n));
    if (edit == nullptr) return;
    const int dpi = MainWindowDpiFromText(edit->GetText().toStdString());
    edit->SetText(QString::fromStdString(MainWindowDpiText(dpi)));
    if (auto* slider = FindControl<ui::CSliderUI>(DpiPairName("vexal_DPI_slider_", n))) slider->SetValue(dpi);
}

void CMainWnd::RestoreDefaults() {
    CQuorvantUSBDevice* page = GetCurrentPage();
    if (page == nullptr) return;
    if (ui::ShowMessageBox(this, QString(), "message_text_22", GetDPI(), true, true) != 1) return;
    // The page may have gone while the question was open.
    page = GetCurrentPage();
    if (page == nullptr) return;
    LockControls(true);
    page->RestoreDefaults();
    page->WriteKeys(0);
    page->WriteSettings(0, 0, 1, screenWidth_, screenHeight_);
    LockControls(recordingLock_);
}

void CMainWnd::Forward(const Route& route, ui::TNotifyUI* msg) {
    CQuorvantUSBDevice* page = GetCurrentPage();
    if (route.needsPage && page == nullptr) return;
    if (route.feature == Feature::KeyRepeat && page->GetDeviceKind() != kDeviceKeyboard) return;
    const FeatureHandler& handler = features_[static_cast<size_t>(route.feature)];
    if (!handler) return;
    FeatureEvent event;
    event.notify = msg;
    event.page = page;
    event.number = route.number;
    handler(event);
}

void CMainWnd::ForwardMessage(Feature feature, unsigned message, ui::WParam wParam, ui::LParam lParam) {
    const FeatureHandler& handler = features_[static_cast<size_t>(feature)];
    if (!handler) return;
    FeatureEvent event;
    event.message = message;
    event.wParam = wParam;
    event.lParam = lParam;
    event.page = GetCurrentPage();
    handler(event);
}

void CMainWnd::OnTimerNotify(ui::TNotifyUI& msg) {
    if (msg.wParam != ui::CDeviceOptionUI::kConnectTimer) return;
    auto* entry = dynamic_cast<ui::CDeviceOptionUI*>(msg.pSender);
    if (entry == nullptr) return;
    std::erase_if(connecting_, [entry](const QPointer<ui::CDeviceOptionUI>& e) { return e == entry; });
    CheckDevicesConnected();
}

void CMainWnd::CheckLightBand(ui::TNotifyUI& msg) {
    CQuorvantUSBDevice* page = GetCurrentPage();
    if (page == nullptr || msg.pSender == nullptr) return;
    std::vector<int> marks(static_cast<size_t>(page->GetLightCount()), 0);
    bool anySelected = false;
    for (ui::CControlUI* child : ui::box_items::Items(msg.pSender->GetWidget())) {
        auto* button = dynamic_cast<ui::CDeviceKeyButtonUI*>(child);
        if (button == nullptr || child->GetClass() != "DeviceKeyButton") continue;
        for (const QString& text : {button->GetName(), button->GetUserData()}) {
            const auto split = SplitNumberedName(text);
            if (!split || !split->HasPrefix("light_") || split->number < 0 ||
                split->number >= static_cast<int>(marks.size())) {
                continue;
            }
            marks[static_cast<size_t>(split->number)] = button->IsBandSelected() || !button->IsVisible() ? 1 : 0;
            anySelected = anySelected || button->IsBandSelected();
        }
    }
    if (!anySelected || std::find(marks.begin(), marks.end(), 0) != marks.end()) return;
    if (JsonFileStore().ReadJsonValue(LightBandFile()).isNull()) return;
    page->ReloadProfile();
    page->RefreshControls();
    page->WriteSettings(0, 0, 1, screenWidth_, screenHeight_);
    page->ApplyLighting();
}

}  // namespace orvane::app
