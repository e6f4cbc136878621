// The main window's placement and the states shown in it.
#include "app/MainWnd.h"

#include "pages/CQuorvantUSBDevice.h"
#include "ui/controls/DeviceOption.h"
#include "ui/framework/ResourceManager.h"

namespace orvane::app {

void CMainWnd::FitToScreen() {
    const bool shown = isVisible() && !isMinimized();
    if (!shown) setWindowState(windowState() & ~Qt::WindowMinimized);
    SetAllDPI(96);
    resize(kWidth, kHeight);
    CenterWindow();
    if (!shown) ShowWindow(false);
}

void CMainWnd::BringToFront() {
    RefreshNoDeviceNotice();
    showNormal();
    RaiseWindow();
}

void CMainWnd::RaiseWindow() {
    raise();
    activateWindow();
}

void CMainWnd::RefreshNoDeviceNotice() {
    bool anyShown = false;
    for (ui::CDeviceOptionUI* entry : SelectorEntries()) anyShown = anyShown || entry->IsShown();
    if (ui::CControlUI* notice = FindControl("No_device_Link")) notice->SetVisible(!anyShown);
}

void CMainWnd::ApplyToolTips() {
    const ui::CResourceManager& texts = ui::CResourceManager::GetInstance();
    for (ui::CControlUI* control : ui::ControlsBelow(this)) {
        const QVariant key = control->GetWidget()->property("tip");
        if (key.isValid()) control->SetToolTip(texts.GetText(key.toString()));
    }
}

void CMainWnd::CloseSettingsWindow() {
    if (!settingsWindow_) return;
    settingsWindow_->Close();
    settingsWindow_ = nullptr;
}

void CMainWnd::SetRecordingLock(bool on) {
    recordingLock_ = on;
    LockControls(on);
}

void CMainWnd::LockControls(bool locked) {
    if (ui::CControlUI* selector = FindControl("device_select_layout")) selector->SetEnabled(!locked);
    if (CQuorvantUSBDevice* page = GetCurrentPage()) {
        if (ui::CControlUI* profiles = page->FindSubControlByName("DeviceProfileItem")) profiles->SetEnabled(!locked);
    }
}

}  // namespace orvane::app
