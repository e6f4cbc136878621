#include "app/MainWnd.h"

#include "app/ControlRegistration.h"
#include "app/FileNoticeBox.h"
#include "app/LightingRoutes.h"
#include "app/LightingSynchroniser.h"
#include "app/KeyAssignmentRoutes.h"
#include "app/HeadsetRoutes.h"
#include "app/MacroRoutes.h"
#include "app/MainWndSkin.h"
#include "app/MenuWnd.h"
#include "app/MousePageRoutes.h"
#include "app/ProfilePanelRoutes.h"
#include "app/ScanBridge.h"
#include "app/ShootPatternRoutes.h"
#include "app/SettingsWindowRoute.h"
#include "app/SessionBusMessages.h"
#include "app/SleepWatcher.h"
#include "app/TrayIcon.h"
#include "ui/dialogs/WindowMessageIds.h"
#include "device/DeviceScanThread.h"
#include "pages/CQuorvantUSBDevice.h"
#include "platform/DebugLog.h"
#include "ui/controls/DeviceOption.h"
#include "ui/controls/LightSyncEvent.h"
#include "ui/framework/ResourceManager.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

#include <mutex>

namespace orvane::app {
namespace {

constexpr int kFitDelayMs = 100;
constexpr const char* kProductName = "ORVANE Q730 Gaming Mouse";
constexpr const char* kIconFile = "main/logo.svg";

// State a worker thread still uses after its stop wait ran out: it must outlive the thread, which
// may end at any later time, so it is never freed.
void KeepForever(std::shared_ptr<void> state) {
    static std::mutex mutex;
    static auto* kept = new std::vector<std::shared_ptr<void>>;
    std::lock_guard lock(mutex);
    kept->push_back(std::move(state));
}

}  // namespace

std::optional<DeviceFamily> FamilyOfType(uint16_t type) {
    switch (type) {
        case kDeviceKeyboard: return DeviceFamily::Keyboard;
        case kDeviceMouse:
        case kDeviceSlowLinkMouse: return DeviceFamily::Mouse;
        case kDeviceMousePad: return DeviceFamily::MousePad;
        case kDeviceHeadset: return DeviceFamily::Headset;
        default: return std::nullopt;
    }
}

CMainWnd::CMainWnd(ShellServices services)
    : trayAvailable_(services.trayAvailable),
      sessionBus_(std::make_unique<SessionBusMessages>(std::move(services.sessionBus))),
      sleepWatcher_(std::make_unique<SleepWatcher>(this, std::move(services.systemBus))),
      fileNotices_(std::make_unique<FileNoticeBox>(*this)) {
    synchroniser_ = std::make_unique<LightingSynchroniser>();
    ConnectMousePageRoutes(*this);
    ConnectProfilePanelRoutes(*this);
    ConnectLightingRoutes(*this, *synchroniser_);
    ConnectShootPatternRoutes(*this);
    ConnectKeyAssignmentRoutes(*this);
    ConnectMacroRoutes(*this);
    ConnectHeadsetRoutes(*this);
    ConnectSettingsWindow(*this);
    ConnectSkinWindow(*this);
}

CMainWnd::~CMainWnd() {
    // Closed or not, no worker may outlive the pages it reaches.
    if (scanBridge_) scanBridge_->Close();
    threads_.StopAll();
    delete menu_.data();
}

void CMainWnd::InitWindow() {
    DebugLog("InitWindow");
    ui::CResourceManager& resources = ui::CResourceManager::GetInstance();
    resources.LoadLanguage("lan_cn.xml");
    const QIcon icon(resources.GetFilePath(kIconFile));
    setWindowIcon(icon);
    tray_ = std::make_unique<TrayIcon>(this, icon, kProductName);
    // Other programs of the light-control protocol reach the window through these.
    sessionBus_->Listen(ui::kSoftwareIdentityName, this);
    sessionBus_->Listen(ui::kLightControlSetName, this);
    sessionBus_->Listen(ui::kUpdateStatusName, this);
    WatchScreens();
}

ui::CControlUI* CMainWnd::CreateControl(const QString& tag) {
    return CreateProgramControl(tag, this);
}

void CMainWnd::OnWindowInit() {
    sessionBus_->Broadcast(ui::kLightControlAnnounceName, 1, 1);
    if (language_.ApplyLanguage(GetLanguageIndex())) update();
    BuildDevicePages();
    ApplyToolTips();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        screenWidth_ = screen->geometry().width();
        screenHeight_ = screen->geometry().height();
    }
    ShowWindow(false);
    ui::LightSyncEvent().Reset();
    StartScanThread();
    StartSynchroniser();
    SetTimer(kFitTimer, kFitDelayMs);
    initialised_ = true;
}

void CMainWnd::StartScanThread() {
    ScanHandlers handlers;
    handlers.arrival = [this](int slot, const DeviceRecord& record) {
        if (slot < 0 || static_cast<size_t>(slot) >= slots_.size()) return;
        slots_[static_cast<size_t>(slot)] = record;
        SendMessage(ui::WM_DEVICE_ARRIVAL, static_cast<ui::WParam>(slot), 0);
    };
    handlers.removal = [this](int slot, const DeviceRecord& record) {
        if (slot < 0 || static_cast<size_t>(slot) >= slots_.size()) return;
        slots_[static_cast<size_t>(slot)] = record;
        SendMessage(ui::WM_DEVICE_REMOVAL, static_cast<ui::WParam>(slot), 0);
    };
    handlers.firstScanDone = [this] {
        // Started into the tray, the window waits there to be asked for.
        if (!startInTray_ || !trayAvailable_) SendMessage(ui::WmSoftwareIdentity(), 0, 0);
        firstScanHandled_ = true;
        CheckDevicesConnected();
    };
    scanBridge_ = std::make_shared<ScanBridge>(this, std::move(handlers));
    scanThread_ = std::make_unique<DeviceScanThread>(*scanBridge_);
    scanThread_->Start();
    threads_.Register(ThreadRegistry::kScanThreadSlot,
                      [thread = scanThread_.get(), bridge = scanBridge_](std::chrono::milliseconds wait) {
                          const WorkerThread::StopOutcome outcome = thread->Stop(wait);
                          // The thread still holds the bridge as its listener.
                          if (outcome == WorkerThread::StopOutcome::TimedOut) KeepForever(bridge);
                          return outcome;
                      });
}

void CMainWnd::StartSynchroniser() {
    UpdateSynchroniserTargets(*this, *synchroniser_);
    synchroniser_->SetEnabled(lightControl_ != 0);
    synchroniser_->Start();
    threads_.Register(ThreadRegistry::kSynchroniserSlot, [synchroniser = synchroniser_.get()](std::chrono::milliseconds wait) {
        return synchroniser->Stop(wait);
    });
}

void CMainWnd::OnDestroy() {
    DebugLog("退出测试");
    ShowWindow(false);
    if (menu_) menu_->Close();
    if (scanBridge_) scanBridge_->Close();
    threads_.StopAll();
    QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection);
}

void CMainWnd::SetFeatureHandler(Feature feature, FeatureHandler handler) {
    features_[static_cast<size_t>(feature)] = std::move(handler);
}

void CMainWnd::WhenDevicesConnected(std::function<void()> ready) {
    devicesConnected_ = std::move(ready);
    CheckDevicesConnected();
}

void CMainWnd::NoteConnectArmed(ui::CDeviceOptionUI* entry) {
    connecting_.emplace_back(entry);
}

void CMainWnd::CheckDevicesConnected() {
    std::erase_if(connecting_, [](const QPointer<ui::CDeviceOptionUI>& entry) { return entry.isNull(); });
    if (!firstScanHandled_ || !connecting_.empty() || !devicesConnected_) return;
    auto ready = std::move(devicesConnected_);
    devicesConnected_ = nullptr;
    ready();
}

std::vector<CQuorvantUSBDevice*> CMainWnd::LitPages() const {
    std::vector<CQuorvantUSBDevice*> pages;
    for (DeviceFamily family : {DeviceFamily::Mouse, DeviceFamily::MousePad, DeviceFamily::Keyboard}) {
        const auto& list = Pages(family);
        pages.insert(pages.end(), list.begin(), list.end());
    }
    return pages;
}

std::vector<CQuorvantUSBDevice*> CMainWnd::AllPages() const {
    std::vector<CQuorvantUSBDevice*> pages;
    for (const auto& list : pages_) pages.insert(pages.end(), list.begin(), list.end());
    return pages;
}

}  // namespace orvane::app
