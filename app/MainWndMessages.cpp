// The main window's window messages: platform events, other programs, discovery, the tray.
#include "app/MainWnd.h"
#include "app/LightingSynchroniser.h"

#include "app/MenuWnd.h"
#include "app/SessionBusMessages.h"
#include "app/TrayIcon.h"
#include "ui/dialogs/WindowMessageIds.h"
#include "pages/CQuorvantUSBDevice.h"
#include "platform/DebugLog.h"
#include "ui/framework/Label.h"

#include <QCursor>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>

#include <climits>

namespace orvane::app {
namespace {

constexpr int kMenuDelayMs = 10;
constexpr int kMenuAboveCursor = 50;

bool IsHookMessage(unsigned message) {
    for (const char* name : ui::kHookMessageNames) {
        if (message == ui::RegisterWindowMessage(name)) return true;
    }
    return false;
}

}  // namespace

ui::LResult CMainWnd::HandleCustomMessage(unsigned message, ui::WParam wParam, ui::LParam lParam, bool& handled) {
    handled = false;
    // Nothing is acted on once the window is gone (a post may still be queued).
    if (IsClosed() && message != ui::WM_DESTROY) return 0;
    if (HandleAlways(message, wParam, lParam, handled)) return 0;
    if (awake_) {
        HandleAwake(message, wParam, lParam, handled);
    } else if ((message == ui::WM_DEVICE_ARRIVAL || message == ui::WM_DEVICE_REMOVAL) && wParam < slots_.size()) {
        // Dropping them would leave a page open on a device that went while the system slept.
        DeferDiscovery(message, static_cast<int>(wParam));
        handled = true;
    }
    return 0;
}

bool CMainWnd::HandleAlways(unsigned message, ui::WParam wParam, ui::LParam lParam, bool& handled) {
    if (message == ui::WM_ACTIVATE) {
        windowActive_ = animate_ = wParam != 0;
        SetPagesAnimate(animate_);
    } else if (message == ui::WM_MOUSELEAVE || message == ui::WM_MOUSEHOVER) {
        const bool hover = message == ui::WM_MOUSEHOVER;
        DebugLog(hover ? "鼠标移入" : "鼠标移出");
        if (!windowActive_) {
            animate_ = hover;
            SetPagesAnimate(animate_);
        }
    } else if (message == ui::WmSoftwareIdentity()) {
        DebugLog(QString::asprintf("软件标示 %u，%xd%xd", message, static_cast<unsigned>(wParam), static_cast<unsigned>(lParam))
                     .toStdString());
        BringToFront();
    } else if (message == ui::WmUpdateStatus()) {
        if (settingsWindow_) settingsWindow_->PostMessage(message, wParam, lParam);
    } else if (message == ui::WmLightControlSet()) {
        if (wParam == 1 && (lParam == 0 || lParam == 1)) SetLightControl(static_cast<int>(lParam), false);
    } else if (message == ui::WM_CLOSE) {
        if (tray_) tray_->Remove();
    } else if (message == ui::WM_DESTROY) {
        OnDestroy();
        handled = true;
    } else if (message == ui::WM_POWERBROADCAST) {
        if (wParam == ui::PBT_APMRESUMEAUTOMATIC) {
            awake_ = true;
            SetPagesLightingEnabled(lightControl_ != 0);
            ReplayDeferredDiscovery();
        } else if (wParam == ui::PBT_APMSUSPEND) {
            awake_ = false;
            SetPagesLightingEnabled(false);
        }
    } else {
        return false;
    }
    return true;
}

void CMainWnd::HandleAwake(unsigned message, ui::WParam wParam, ui::LParam lParam, bool& handled) {
    if (message == ui::WM_DISPLAYCHANGE) {
        DebugLog("显示器分辨率发生变化");
        displayChanged_ = true;
        FitToScreen();
    } else if (message == ui::WM_TIMER) {
        OnWindowTimer(static_cast<int>(wParam));
        handled = true;
    } else if (message == ui::WM_DPICHANGED) {
        SetDPI(static_cast<int>(wParam & 0xFFFF));
        CenterWindow();
        if (layout() != nullptr) layout()->activate();
        DebugLog("界面 DPI 发生变化");
    } else if (message == ui::kTrayCallback) {
        OnTrayCallback(lParam);
    } else if (message == ui::kInputCapture || IsHookMessage(message)) {
        ForwardMessage(Feature::MacroRecording, message, wParam, lParam);
    } else if (message == ui::kMenuCommand) {
        const auto* command = reinterpret_cast<const MenuCommand*>(wParam);
        if (command != nullptr && command->name == "exit") {
            Close();
        } else {
            ForwardMessage(Feature::MacroRecording, message, wParam, lParam);
        }
        handled = true;
    } else if (message == ui::kDpiNotice) {
        DebugLog("界面 DPI 1发生变化");
    } else if (message == ui::kShowProgress) {
        // A page's device work in progress: wParam 0 says it is over. The notice lies over the
        // page without taking its input: edits made meanwhile queue behind the work.
        if (ui::CControlUI* progress = FindControl("setting_progress")) {
            progress->GetWidget()->setAttribute(Qt::WA_TransparentForMouseEvents);
            progress->SetVisible(wParam != 0);
        }
    } else if (message == ui::kApplyLanguage) {
        if (wParam <= static_cast<ui::WParam>(INT_MAX) && language_.ApplyLanguage(static_cast<int>(wParam))) {
            ApplyToolTips();
            update();
            if (settingsWindow_) settingsWindow_->SendMessage(ui::kApplyLanguage, 0, 0);
        }
        for (DeviceFamily family : {DeviceFamily::Mouse, DeviceFamily::Keyboard}) {
            for (CQuorvantUSBDevice* page : Pages(family)) page->RefreshTexts();
        }
    } else if (message == ui::WM_DEVICE_ARRIVAL || message == ui::WM_DEVICE_REMOVAL) {
        const int slot = wParam < slots_.size() ? static_cast<int>(wParam) : -1;
        if (message == ui::WM_DEVICE_ARRIVAL) {
            OnDeviceArrival(slot);
        } else {
            OnDeviceRemoval(slot);
        }
        CloseSettingsWindow();
    } else if (message == ui::kOpenSettingsWindow) {
        ForwardMessage(Feature::SettingsWindow, message, wParam, lParam);
    } else if (message == ui::kUpdateUpToDate) {
        if (ui::CControlUI* button = FindControl("setbtn")) button->SetBkImage(QString());
    }
}

void CMainWnd::OnWindowTimer(int id) {
    KillTimer(id);
    if (id == kFitTimer) {
        FitToScreen();
        update();
    } else if (id == kMenuTimer) {
        PopupTrayMenu();
    }
}

void CMainWnd::OnTrayCallback(ui::LParam mouseMessage) {
    if (mouseMessage == ui::WM_LBUTTONUP) ToggleFromTray();
    if (mouseMessage == ui::WM_RBUTTONUP) SetTimer(kMenuTimer, kMenuDelayMs);
}

void CMainWnd::ToggleFromTray() {
    RefreshNoDeviceNotice();
    CloseSettingsWindow();
    if (isVisible() && !isMinimized()) {
        ShowWindow(false);
        return;
    }
    ShowWindow(true);
    FitToScreen();
    showNormal();
    RaiseWindow();
    update();
}

void CMainWnd::PopupTrayMenu() {
    if (menu_) menu_->Close();
    auto* menu = new CMenuWnd(this, "menu.xml");
    if (!menu->Popup(QCursor::pos() - QPoint(0, kMenuAboveCursor))) {
        delete menu;
        return;
    }
    menu_ = menu;
}

void CMainWnd::SetLightControl(int state, bool announce) {
    lightControl_ = state;
    if (auto* label = FindControl("control_light_status")) {
        label->SetText(state != 0 ? "控制灯光" : "不控制灯光");
        label->SetResourceText(true);
    }
    if (announce) sessionBus_->Broadcast(ui::kLightControlAnnounceName, 1, state);
    SetPagesLightingEnabled(state != 0);
    synchroniser_->SetEnabled(state != 0);
}

void CMainWnd::SetPagesAnimate(bool on) {
    for (CQuorvantUSBDevice* page : LitPages()) page->SetWindowActive(on);
}

void CMainWnd::SetPagesLightingEnabled(bool on) {
    for (CQuorvantUSBDevice* page : LitPages()) page->SetLightingEnabled(on);
}

void CMainWnd::WatchScreens() {
    auto watch = [this](QScreen* screen) {
        connect(screen, &QScreen::geometryChanged, this, [this] { PostMessage(ui::WM_DISPLAYCHANGE); });
        connect(screen, &QScreen::logicalDotsPerInchChanged, this,
                [this](qreal dpi) { PostMessage(ui::WM_DPICHANGED, static_cast<ui::WParam>(dpi)); });
    };
    for (QScreen* screen : QGuiApplication::screens()) watch(screen);
    connect(qApp, &QGuiApplication::screenAdded, this, watch);
    connect(qApp, &QGuiApplication::primaryScreenChanged, this, [this] { PostMessage(ui::WM_DISPLAYCHANGE); });
}

}  // namespace orvane::app
