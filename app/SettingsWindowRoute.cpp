#include "app/SettingsWindowRoute.h"

#include "app/Language.h"
#include "app/MainWnd.h"
#include "ui/dialogs/WindowMessageIds.h"
#include "online/view/SetWnd.h"
#include "pages/CQuorvantUSBDevice.h"
#include "platform/DebugLog.h"

namespace orvane::app {
namespace {

// Every device whose command interface is open, with its HID version number.
std::vector<online::ConnectedDevice> ConnectedDevices(CMainWnd& window) {
    std::vector<online::ConnectedDevice> devices;
    for (DeviceFamily family : {DeviceFamily::Mouse, DeviceFamily::Keyboard, DeviceFamily::MousePad, DeviceFamily::Headset}) {
        for (CQuorvantUSBDevice* page : window.Pages(family)) {
            if (!page->Channel().IsOpen()) continue;
            devices.push_back({page->GetDeviceRecord(), page->Channel().Handle().Attributes().versionNumber});
        }
    }
    return devices;
}

}  // namespace

void ConnectSettingsWindow(CMainWnd& window) {
    window.SetFeatureHandler(Feature::SettingsWindow, [&window](const FeatureEvent& event) {
        OpenSettingsWindow(window, event.message == ui::kOpenSettingsWindow);
    });
}

void OpenSettingsWindow(CMainWnd& window, bool beside) {
    static bool open = false;
    if (open) return;
    online::CSetWnd settings;
    // A tool window: no task-bar entry of its own.
    if (!settings.Create(&window, "SetWnd", Qt::Tool | Qt::FramelessWindowHint,
                         QRect(0, 0, online::CSetWnd::kWidth, online::CSetWnd::kHeight))) {
        DebugLog("settings window not shown: its layout setwnd.xml could not be built");
        return;
    }
    open = true;
    settings.SetSettingsDpi(window.GetDPI());
    window.SetSettingsWindow(&settings);
    settings.SetMainWindow(&window, GetLanguageIndex());
    settings.SetUpdateRows(online::RowsToCheck(ConnectedDevices(window)));
    if (beside) {
        settings.PlaceBeside(window);
    } else {
        settings.CenterWindow();
    }
    settings.ShowModal();
    window.SetSettingsWindow(nullptr);
    open = false;
}

}  // namespace orvane::app
