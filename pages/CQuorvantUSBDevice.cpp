#include "pages/CQuorvantUSBDevice.h"

#include "ui/dialogs/WindowMessageIds.h"
#include "light/PreviewThread.h"
#include "protocol/SyncThread.h"
#include "pages/DeviceProfileView.h"
#include "pages/MouseKeyInfo.h"
#include "pages/NumberedName.h"
#include "ui/framework/UiThreadGate.h"
#include "platform/DebugLog.h"
#include "profiles/ProfilePaths.h"
#include "ui/controls/CachedChild.h"
#include "ui/controls/DeviceKeyButton.h"
#include "ui/controls/DeviceOption.h"
#include "ui/controls/MpDevicePower.h"
#include "ui/dialogs/MsgWnd.h"
#include "ui/framework/TabLayout.h"
#include "ui/framework/WindowImplBase.h"

#include <QEvent>

namespace orvane {
namespace {

constexpr LightColor kWhite = MakeLightColor({255, 255, 255}, 255);

template <class T>
void Resize(std::vector<T>& list, int count) {
    list.resize(static_cast<size_t>(std::max(count, 0)));
}

// Items of "device_function_switch" and "device_key_function_switch" per panel; -1 leaves the
// key function switch as it is.
struct PanelItems {
    int function;
    int keyFunction;
};

PanelItems ItemsOfPanel(int type) {
    switch (type) {
        case CQuorvantUSBDevice::kPanelKeys:
        case CQuorvantUSBDevice::kPanelVoice: return {0, 1};
        case CQuorvantUSBDevice::kPanelMacros:
        case CQuorvantUSBDevice::kPanelMagic: return {1, -1};
        case CQuorvantUSBDevice::kPanelSystem: return {0, 2};
        case CQuorvantUSBDevice::kPanelCursor: return {2, -1};
        default: return {0, 0};
    }
}

}  // namespace

CQuorvantUSBDevice::CQuorvantUSBDevice(QWidget* parent)
    : CHorizontalLayoutUI(parent), paintGate_(std::make_shared<UiThreadGate>(this)) {}

// The channels close themselves; a family stops its own worker threads, the preview's at the
// latest here.
CQuorvantUSBDevice::~CQuorvantUSBDevice() {
    paintGate_->Close();
    StopPreviewThread();
    CloseSyncChannel();
}

bool CQuorvantUSBDevice::OpenSyncChannel(const std::string& path) {
    if (syncChannel_->IsOpen() || !syncChannel_->Open(path, false)) return false;
    if (!readsSyncChannel_) return true;
    if (!syncThread_) {
        syncThread_ = std::make_unique<SyncThread>(syncChannel_, [gate = paintGate_, page = this] {
            gate->Post([page] {
                if (ui::CDeviceOptionUI* entry = page->GetOptionItem()) entry->SetTimer(ui::CDeviceOptionUI::kSyncTimer, kSyncDelayMs);
            });
        }, usageObserver_);
    }
    syncThread_->Start();
    return true;
}

void CQuorvantUSBDevice::CloseSyncChannel() {
    // Closing first wakes the thread's pending read, so the stop does not wait for the device.
    syncChannel_->Close();
    if (syncThread_) syncThread_->Stop();
}

bool CQuorvantUSBDevice::ReopenSyncChannel(const std::string& path) {
    CloseSyncChannel();
    return OpenSyncChannel(path);
}

void CQuorvantUSBDevice::SetPageName(const QString& name) { pageName_ = name; }

void CQuorvantUSBDevice::SetMainWindow(ui::WindowImplBase* window) { mainWindow_ = window; }

void CQuorvantUSBDevice::SetKeyButtonCount(int count) {
    if (count == keyButtonCount_) return;
    keyButtonCount_ = std::max(count, 0);
    Resize(keyButtons_, keyButtonCount_);
}

void CQuorvantUSBDevice::SetLightCount(int count) {
    count = std::max(count, 0);
    if (count != lightCount_) {
        lightCount_ = count;
        Resize(lightButtons_, count);
    }
    preview_->SetLightCount(static_cast<size_t>(count));
    std::lock_guard lock(areaMutex_);
    areaLights_.assign(static_cast<size_t>(count), LightListEntry{});
}

void CQuorvantUSBDevice::SetPowerFlag(bool on) {
    powerFlag_.store(on);
    if (ui::CMpDevicePowerUI* power = GetPowerControl()) power->SetPowerLayoutVisible(on);
}

void CQuorvantUSBDevice::SetProfileUuid(const QString& uuid) { profileUuid_ = uuid; }

void CQuorvantUSBDevice::SetDeviceFolder(const QString& folder) { deviceFolder_ = folder; }

void CQuorvantUSBDevice::SetPowerControl(ui::CMpDevicePowerUI* control) {
    powerControl_ = control;
    if (control != nullptr) control->SetPowerLayoutVisible(powerFlag_.load());
}

void CQuorvantUSBDevice::SetDeviceRecord(const DeviceRecord& record) {
    record_ = record;
    deviceKind_ = record.type;
    deviceSubKind_ = record.role;
}

void CQuorvantUSBDevice::SetConfigName(const QString& name) { configName_ = name; }

ui::WindowImplBase* CQuorvantUSBDevice::GetMainWindow() const {
    return dynamic_cast<ui::WindowImplBase*>(mainWindow_.data());
}

ui::CMpDevicePowerUI* CQuorvantUSBDevice::GetPowerControl() const {
    return dynamic_cast<ui::CMpDevicePowerUI*>(powerControl_.data());
}

ui::CDeviceOptionUI* CQuorvantUSBDevice::GetOptionItem() const {
    return dynamic_cast<ui::CDeviceOptionUI*>(optionItem_.data());
}

ui::CControlUI* CQuorvantUSBDevice::GetSelectPanel() const {
    return dynamic_cast<ui::CControlUI*>(selectPanel_.data());
}

ui::CDeviceKeyButtonUI* CQuorvantUSBDevice::GetKeyButton(int index) const {
    if (index < 0 || index >= static_cast<int>(keyButtons_.size())) return nullptr;
    return keyButtons_[static_cast<size_t>(index)].data();
}

ui::CDeviceKeyButtonUI* CQuorvantUSBDevice::GetLightButton(int index) const {
    if (index < 0 || index >= static_cast<int>(lightButtons_.size())) return nullptr;
    return lightButtons_[static_cast<size_t>(index)].data();
}

std::string CQuorvantUSBDevice::GetUserDataFolder() const { return UserDataFolder(deviceFolder_.toStdString()); }

std::string CQuorvantUSBDevice::GetDefaultDataFolder() const { return DefaultDataFolder(); }

std::string CQuorvantUSBDevice::GetDefaultProfilePath() const { return DefaultProfilePath(deviceFolder_.toStdString()); }

void CQuorvantUSBDevice::SetOptionItem(ui::CDeviceOptionUI* entry) { optionItem_ = entry; }

void CQuorvantUSBDevice::SetSelectPanel(ui::CControlUI* panel) {
    selectPanel_ = panel != nullptr ? panel->GetWidget() : nullptr;
}

void CQuorvantUSBDevice::BindKeyButton(int index, ui::CDeviceKeyButtonUI* button) {
    if (index >= 0 && index < static_cast<int>(keyButtons_.size())) keyButtons_[static_cast<size_t>(index)] = button;
}

void CQuorvantUSBDevice::BindLightButton(int index, ui::CDeviceKeyButtonUI* button) {
    if (index < 0 || index >= static_cast<int>(lightButtons_.size())) return;
    lightButtons_[static_cast<size_t>(index)] = button;
    TintButton(*button, kWhite);
    button->SetTintLostHandler([this] { RequestPaint(); });
}

void CQuorvantUSBDevice::UnbindAll() {
    keyButtonCount_ = 0;
    keyButtons_.clear();
    lightCount_ = 0;
    lightButtons_.clear();
    preview_->SetLightCount(0);
    std::lock_guard lock(areaMutex_);
    areaLights_.clear();
}

int CQuorvantUSBDevice::InitPage() {
    if (pageName_.isEmpty()) {
        UnbindAll();
        return 1;
    }
    ui::CControlUI* panel = nullptr;
    for (ui::CControlUI* child : ui::box_items::Items(this)) {
        if (child->GetClass() == "SelectPanel") {
            panel = child;
            break;
        }
    }
    SetSelectPanel(panel);
    if (panel == nullptr) return 1;
    for (ui::CControlUI* child : ui::box_items::Items(panel->GetWidget())) {
        auto* button = dynamic_cast<ui::CDeviceKeyButtonUI*>(child);
        if (button == nullptr || child->GetClass() != "DeviceKeyButton") continue;
        if (auto name = SplitNumberedName(button->GetName()); name && name->HasPrefix("key_")) {
            BindKeyButton(name->number, button);
        }
        if (auto user = SplitNumberedName(button->GetUserData()); user && user->HasPrefix("light_")) {
            BindLightButton(user->number, button);
        }
    }
    return 1;
}

void CQuorvantUSBDevice::SetLightingEnabled(bool on) {
    const bool comesBack = on && !lightingEnabled_.load();
    if (comesBack) paintedVersion_.reset();
    lightingEnabled_.store(on);
    UpdatePreviewShown();
    if (comesBack) RequestPaint();
}

void CQuorvantUSBDevice::SetWindowActive(bool on) {
    windowActive_.store(on);
    UpdatePreviewShown();
}

void CQuorvantUSBDevice::SetSyncLighting(bool on) {
    channel_->SetSyncLighting(on);
    if (previewThread_) previewThread_->Wake();
}

bool CQuorvantUSBDevice::IsPreviewShown() const {
    const QWidget* top = window();
    return lightingEnabled_.load() && windowActive_.load() && isVisible() && !top->isMinimized();
}

void CQuorvantUSBDevice::UpdatePreviewShown() {
    const bool shown = IsPreviewShown();
    if (previewThread_) previewThread_->SetShown(shown);
    if (shown && !previewShown_) RequestPaint();
    previewShown_ = shown;
}

void CQuorvantUSBDevice::showEvent(QShowEvent* e) {
    CHorizontalLayoutUI::showEvent(e);
    if (watchedWindow_ != window()) {
        if (watchedWindow_) watchedWindow_->removeEventFilter(this);
        watchedWindow_ = window();
        watchedWindow_->installEventFilter(this);
    }
    UpdatePreviewShown();
}

void CQuorvantUSBDevice::hideEvent(QHideEvent* e) {
    CHorizontalLayoutUI::hideEvent(e);
    UpdatePreviewShown();
}

bool CQuorvantUSBDevice::eventFilter(QObject* watched, QEvent* e) {
    if (watched == watchedWindow_ && e->type() == QEvent::WindowStateChange) UpdatePreviewShown();
    return CHorizontalLayoutUI::eventFilter(watched, e);
}

void CQuorvantUSBDevice::StartPreviewThread() {
    if (!previewThread_) {
        previewThread_ = std::make_unique<PreviewThread>(
            preview_, [channel = channel_] { return channel->IsOpen(); },
            [channel = channel_] { return channel->SyncLighting(); }, PaintRequester());
    }
    previewThread_->SetShown(IsPreviewShown());
    previewThread_->Start();
}

void CQuorvantUSBDevice::StopPreviewThread() {
    if (previewThread_) previewThread_->Stop();
}

std::function<void()> CQuorvantUSBDevice::PaintRequester() {
    return [gate = paintGate_, queued = paintQueued_, page = this] {
        if (queued->exchange(true)) return;
        gate->Post([page, queued] {
            queued->store(false);
            page->PaintLightButtons();
        });
    };
}

void CQuorvantUSBDevice::RequestPaint() { PaintRequester()(); }

void CQuorvantUSBDevice::SetLightColor(int index, uint32_t color) {
    if (index < 0) return;
    preview_->SetLightColor(static_cast<size_t>(index), color);
    // The synchroniser's colours: the preview stands still then, so no frame would show them.
    RequestPaint();
}

uint32_t CQuorvantUSBDevice::GetLightColor(int index) const {
    return index >= 0 ? preview_->GetLightColor(static_cast<size_t>(index)) : 0;
}

std::vector<LightListEntry> CQuorvantUSBDevice::GetAreaLights() const {
    std::lock_guard lock(areaMutex_);
    return areaLights_;
}

void CQuorvantUSBDevice::SetAreaLights(std::vector<LightListEntry> lights) {
    std::lock_guard lock(areaMutex_);
    lights.resize(areaLights_.size());
    areaLights_ = lights;
    preview_->SetAreaLights(std::move(lights));
}

void CQuorvantUSBDevice::SwitchFunctionPanel(int type) {
    panelType_ = type;
    auto* functions = ui::CachedChild<ui::CTabLayoutUI>(functionSwitch_, this, "device_function_switch");
    auto* keyFunctions = ui::CachedChild<ui::CTabLayoutUI>(keyFunctionSwitch_, this, "device_key_function_switch");
    if (functions == nullptr || keyFunctions == nullptr) return;
    const PanelItems items = ItemsOfPanel(type);
    functions->SelectItem(items.function);
    if (items.keyFunction >= 0) keyFunctions->SelectItem(items.keyFunction);
}

void CQuorvantUSBDevice::ShowPowerStatus(const PowerStatus& status) {
    if (ui::CMpDevicePowerUI* power = GetPowerControl()) power->ShowPowerStatus(status.bytes);
    if (ui::WindowImplBase* window = GetMainWindow()) {
        window->SendMessage(ui::kPowerStatus, status.bytes[PowerStatus::kMessageParam], 0);
    }
}

std::optional<LightColorSnapshot> CQuorvantUSBDevice::TakeChangedColors() {
    if (paintedVersion_ && *paintedVersion_ == preview_->ColorsVersion()) return std::nullopt;
    LightColorSnapshot colors = preview_->LightColors();
    paintedVersion_ = colors.version;
    paintedColors_ = colors.colors;
    return colors;
}

void CQuorvantUSBDevice::TintLightButtons(const LightColorSnapshot& colors) {
    if (!lightingEnabled_.load()) return;
    for (size_t i = 0; i < lightButtons_.size() && i < colors.colors.size(); ++i) {
        ui::CDeviceKeyButtonUI* button = lightButtons_[i].data();
        if (button != nullptr && button->IsVisible()) TintButton(*button, colors.colors[i]);
    }
}

void CQuorvantUSBDevice::RestoreLostTints() {
    if (!lightingEnabled_.load()) return;
    for (size_t i = 0; i < lightButtons_.size() && i < paintedColors_.size(); ++i) {
        ui::CDeviceKeyButtonUI* button = lightButtons_[i].data();
        if (button != nullptr && button->IsVisible() && !button->IsTintEnabled() && !button->IsHot()) {
            TintButton(*button, paintedColors_[i]);
        }
    }
}

void CQuorvantUSBDevice::TintButton(ui::CDeviceKeyButtonUI& button, LightColor color) {
    const ui::ArgbColor tint = RedOf(color) | BlueOf(color) << 8 | GreenOf(color) << 16;
    const int level = AlphaOf(color);
    if (button.IsTintEnabled() && button.GetTintColor() == tint && button.GetTintLevel() == level) return;
    button.SetTint(tint, level, true);
    button.Invalidate();
}

DeviceOutcome CQuorvantUSBDevice::RunProfileChange(const std::function<DeviceOutcome(OutcomeHandler)>& write,
                                                  OutcomeHandler then) {
    profileGuard_.Begin(GetUserDataFolder());
    const DeviceOutcome outcome = write([this, then = std::move(then)](const DeviceOutcome& written) {
        if (then) then(written);
        FinishProfileChange(written);
    });
    // Not pending: refused before any device work, the handler was not called.
    if (!outcome.IsPending()) FinishProfileChange(outcome);
    return outcome;
}

void CQuorvantUSBDevice::FinishProfileChange(const DeviceOutcome& written) {
    const ProfileChangeGuard::End end = profileGuard_.Finish(written);
    if (end != ProfileChangeGuard::End::kPutBack && end != ProfileChangeGuard::End::kPutBackFailed) return;
    DebugLog(end == ProfileChangeGuard::End::kPutBack ? "profiles: the device did not take the profile; folder put back"
                                                      : "profiles: the device did not take the profile; folder not all put back");
    CDeviceProfileUI* item = GetProfileItem();
    if (item == nullptr) return;
    item->InitProfileList();
    SetProfileUuid(item->GetSelectedUuid());
    ReloadPutBackProfile();
}

void CQuorvantUSBDevice::ShowPageMessage(const char* messageId, int number) {
    ui::WindowImplBase* window = GetWindow();
    const QString text = LanguageText(QString::fromLatin1(messageId)).replace("%d", QString::number(number));
    ui::ShowMessageNotice(window, text, window != nullptr ? window->GetDPI() : 96);
}

void CQuorvantUSBDevice::OnDeviceBusy(bool busy) {
    if (busy) {
        if (busyTimer_ == nullptr) {
            busyTimer_ = new QTimer(this);
            busyTimer_->setSingleShot(true);
            connect(busyTimer_, &QTimer::timeout, this, [this] {
                if (ui::WindowImplBase* window = GetMainWindow()) {
                    progressShown_ = true;
                    window->PostMessage(ui::kShowProgress, 1, 0);
                }
            });
        }
        busyTimer_->start(kBusyShowMs);
        return;
    }
    if (busyTimer_ != nullptr) busyTimer_->stop();
    if (!progressShown_) return;
    progressShown_ = false;
    if (ui::WindowImplBase* window = GetMainWindow()) window->PostMessage(ui::kShowProgress, 0, 0);
}

void CQuorvantUSBDevice::PaintLightButtons() {
    if (auto colors = TakeChangedColors()) {
        TintLightButtons(*colors);
    } else {
        RestoreLostTints();
    }
}

}  // namespace orvane
