#pragma once
// CMainWnd ("XML_MAIN"): the program's main window and the hub of its interface. It owns the
// device slot list and one device page per catalogue row with its selector entry and power
// control, the scan thread (and the thread registry it is kept in), the tray icon and its menu;
// it routes every notification of its controls to the owner of the control (FeatureRoutes.h), its
// own handlers or a feature, and handles the messages of discovery, of other programs and of
// the platform. UI thread only.
//
// Life: Create → InitWindow → "windowinit" (builds the pages, hides the window, starts the scan)
// → shown by the first BringToFront after the first scan → hidden to the tray and shown again →
// the tray menu's "exit" closes it: WM_DESTROY stops the threads and quits the event loop.

#include "app/FeatureRoutes.h"
#include "app/Language.h"
#include "app/ThreadRegistry.h"
#include "device/DeviceCatalogue.h"
#include "ui/framework/WindowImplBase.h"

#include <QDBusConnection>
#include <QPointer>
#include <QSystemTrayIcon>

#include <array>
#include <functional>
#include <memory>
#include <vector>

namespace orvane {
class CQuorvantUSBDevice;
class DeviceScanThread;
}  // namespace orvane

namespace orvane::ui {
class CDeviceOptionUI;
class CMpDevicePowerUI;
}  // namespace orvane::ui

namespace orvane::app {

class CMenuWnd;
class LightingSynchroniser;
class ScanBridge;
class FileNoticeBox;
class SessionBusMessages;
class SleepWatcher;
class TrayIcon;

enum class DeviceFamily { Mouse, Keyboard, MousePad, Headset };
inline constexpr size_t kDeviceFamilyCount = 4;
// 1 keyboard, 2 and 6 mouse, 3 mouse pad, 7 headset; no family for any other type.
std::optional<DeviceFamily> FamilyOfType(uint16_t type);

// What a feature handler is given: the notification or the window message it was routed, and the
// current page (never null for a route that needs one).
struct FeatureEvent {
    ui::TNotifyUI* notify = nullptr;
    unsigned message = 0;
    ui::WParam wParam = 0;
    ui::LParam lParam = 0;
    CQuorvantUSBDevice* page = nullptr;
    int number = -1;  // the N of a numbered family ("key_" + N)
};
using FeatureHandler = std::function<void(const FeatureEvent&)>;

// The desktop services the window works with, found at start-up.
struct ShellServices {
    QDBusConnection sessionBus = QDBusConnection::sessionBus();
    QDBusConnection systemBus = QDBusConnection::systemBus();
    // Without a notification area the close button ends the program: a window hidden to a tray
    // that is not there could never be shown or ended again.
    bool trayAvailable = QSystemTrayIcon::isSystemTrayAvailable();
};

class CMainWnd : public ui::WindowImplBase {
public:
    static constexpr int kWidth = 1350;
    static constexpr int kHeight = 810;
    static constexpr int kFitTimer = 1011;
    static constexpr int kMenuTimer = 1032;

    explicit CMainWnd(ShellServices services = {});
    ~CMainWnd() override;

    // The page of the first visible selector entry whose "device_select" option is selected.
    CQuorvantUSBDevice* GetCurrentPage() const;
    // No-device notice refreshed, then the window restored, shown and raised.
    void BringToFront();
    // 1350 × 810, centred, at DPI 96; its visibility unchanged.
    void FitToScreen();
    void ShowSelectorEntry(int index, bool show, bool select);
    // The lock of the selector and the current page's profile control around a macro recording.
    void SetRecordingLock(bool on);

    void SetFeatureHandler(Feature feature, FeatureHandler handler);
    // Before "windowinit": the first scan leaves the window hidden in the tray (when there is one).
    void SetStartInTray(bool on) { startInTray_ = on; }
    // The settings window while it is open (set by the feature that opens it).
    void SetSettingsWindow(ui::WindowImplBase* window) { settingsWindow_ = window; }

    int GetLightControlState() const { return lightControl_; }
    LightingSynchroniser& Synchroniser() { return *synchroniser_; }
    bool IsAwake() const { return awake_; }
    bool IsInitialised() const { return initialised_; }
    // The scan thread's first pass over the bus has been handled (its arrivals included).
    bool IsFirstScanHandled() const { return firstScanHandled_; }
    int GetScreenWidth() const { return screenWidth_; }
    int GetScreenHeight() const { return screenHeight_; }
    const DeviceSlotList& Slots() const { return slots_; }
    const std::vector<CQuorvantUSBDevice*>& Pages(DeviceFamily family) const {
        return pages_[static_cast<size_t>(family)];
    }
    // Selector entries in page creation order.
    std::vector<ui::CDeviceOptionUI*> SelectorEntries() const;

    // `ready` runs once, after the first scan has been handled and every device it attached has
    // connected (its entry's connect timer has run).
    void WhenDevicesConnected(std::function<void()> ready);

protected:
    QString GetSkinFile() const override { return "XML_MAIN"; }
    void InitWindow() override;
    void Notify(ui::TNotifyUI& msg) override;
    ui::LResult HandleCustomMessage(unsigned message, ui::WParam wParam, ui::LParam lParam, bool& handled) override;
    ui::CControlUI* CreateControl(const QString& tag) override;

private:
    // "windowinit" and the stop (MainWnd.cpp)
    void OnWindowInit();
    void StartScanThread();
    void StartSynchroniser();
    void OnDestroy();

    // Notifications (MainWndNotify.cpp)
    // A notification of a control the window owns; `number` is the N of a numbered family.
    void OnOwnNotify(ui::TNotifyUI& msg, const QString& sender, int number);
    void OnOwnClick(const QString& name);
    void OnTimerNotify(ui::TNotifyUI& msg);
    void RestoreDefaults();
    void CheckLightBand(ui::TNotifyUI& msg);
    // The window's DPI pair N: the moving slider's value shows in the edit; the edit's text,
    // limited to 200..6500, goes back into the edit and into the slider.
    void ShowDpiPairSlider(int n);
    void TakeDpiPairEdit(int n);
    void Forward(const Route& route, ui::TNotifyUI* msg);
    void ForwardMessage(Feature feature, unsigned message, ui::WParam wParam, ui::LParam lParam);

    // Messages (MainWndMessages.cpp)
    // Steps that run whatever the awake flag says; false when the message is not one of them.
    bool HandleAlways(unsigned message, ui::WParam wParam, ui::LParam lParam, bool& handled);
    // The rest, while the system is awake.
    void HandleAwake(unsigned message, ui::WParam wParam, ui::LParam lParam, bool& handled);
    void OnWindowTimer(int id);
    void OnTrayCallback(ui::LParam mouseMessage);
    void ToggleFromTray();
    void PopupTrayMenu();
    void SetLightControl(int state, bool announce);
    void SetPagesAnimate(bool on);
    void SetPagesLightingEnabled(bool on);
    void WatchScreens();

    // Window state helpers (MainWndScreen.cpp)
    // The selector and the current page's profile control disabled while locked.
    void LockControls(bool locked);
    void RefreshNoDeviceNotice();
    // Tool tips are plain texts: each control with a "tip" property gets that key's text.
    void ApplyToolTips();
    void CloseSettingsWindow();
    void RaiseWindow();

    // Discovery (MainWndDevices.cpp)
    void BuildDevicePages();
    bool CreateDevicePage(int slot, uint16_t role);
    void OnDeviceArrival(int slot);
    void OnDeviceRemoval(int slot);
    void AttachDevice(int slot);
    void DetachDevice(int slot);
    void AttachEventInterface(int slot, uint16_t type);
    void DetachEventInterface(int slot, uint16_t type);
    CQuorvantUSBDevice* FindPage(DeviceFamily family, const DeviceRecord& slot) const;
    int EntryIndexOf(const CQuorvantUSBDevice* page) const;
    void NoteConnectArmed(ui::CDeviceOptionUI* entry);
    // While the system sleeps, arrivals and removals wait; an arrival that is undone before the
    // resume is dropped with its removal. Replayed in order at the resume.
    void DeferDiscovery(unsigned message, int slot);
    void ReplayDeferredDiscovery();
    void CheckDevicesConnected();

    std::vector<CQuorvantUSBDevice*> LitPages() const;  // mouse, mouse pad and keyboard pages
    std::vector<CQuorvantUSBDevice*> AllPages() const;

    DeviceSlotList slots_ = MakeDeviceSlotList();
    std::array<std::vector<CQuorvantUSBDevice*>, kDeviceFamilyCount> pages_;
    std::vector<ui::CMpDevicePowerUI*> powerControls_;
    std::array<FeatureHandler, kFeatureCount> features_;
    QPointer<ui::WindowImplBase> settingsWindow_;
    QPointer<CMenuWnd> menu_;
    LanguageSwitch language_;
    int lightControl_ = 1;
    bool windowActive_ = false;
    bool animate_ = false;
    bool displayChanged_ = false;
    bool recordingLock_ = false;
    bool initialised_ = false;
    bool awake_ = true;
    bool trayAvailable_;
    bool startInTray_ = false;
    int screenWidth_ = 0;
    int screenHeight_ = 0;

    ThreadRegistry threads_;
    std::shared_ptr<ScanBridge> scanBridge_;
    std::unique_ptr<DeviceScanThread> scanThread_;
    std::unique_ptr<LightingSynchroniser> synchroniser_;
    std::unique_ptr<SessionBusMessages> sessionBus_;
    std::unique_ptr<SleepWatcher> sleepWatcher_;
    std::unique_ptr<FileNoticeBox> fileNotices_;
    std::unique_ptr<TrayIcon> tray_;

    struct DeferredDiscovery {
        unsigned message;
        int slot;
        DeviceRecord record;
    };
    std::vector<DeferredDiscovery> deferred_;

    // Devices connecting after the first scan, for WhenDevicesConnected.
    bool firstScanHandled_ = false;
    std::vector<QPointer<ui::CDeviceOptionUI>> connecting_;
    std::function<void()> devicesConnected_;
};

}  // namespace orvane::app
