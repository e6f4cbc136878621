#include "pages/CQuorvantMouseDevice.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

#include "editors/LightControl.h"
#include "editors/ShootControl.h"
#include "editors/keys/CKeySetControlUI.h"
#include "editors/keys/CMacroControlUI.h"
#include "ui/dialogs/MsgWnd.h"
#include "pages/DeviceProfileView.h"
#include "pages/LightModeList.h"
#include "pages/MouseKeyInfo.h"
#include "pages/MousePerformanceView.h"
#include "pages/NumberedName.h"
#include "pages/PageCommandRunner.h"
#include "ui/dialogs/WindowMessageIds.h"
#include "ui/framework/UiThreadGate.h"
#include "profiles/JsonFields.h"
#include "profiles/MacroFile.h"
#include "profiles/ProfilePaths.h"
#include "ui/controls/CachedChild.h"
#include "ui/controls/DeviceKeyButton.h"
#include "ui/controls/DeviceOption.h"
#include "ui/framework/List.h"
#include "ui/framework/Option.h"
#include "ui/framework/TabLayout.h"
#include "ui/framework/WindowImplBase.h"

namespace orvane {
namespace {

constexpr LightColor kWhite = MakeLightColor({255, 255, 255}, 255);

// The items of a container control (a box or a tab layout); none for any other control.
std::vector<ui::CControlUI*> ItemsOf(ui::CControlUI& control) {
    std::vector<ui::CControlUI*> items;
    if (auto* container = dynamic_cast<ui::IContainerUI*>(&control)) {
        for (int i = 0; i < container->GetCount(); ++i) items.push_back(container->GetItemAt(i));
    }
    return items;
}

void SetVisibleIfPresent(const ui::CControlUI& scope, const char* name, bool visible) {
    if (ui::CControlUI* control = scope.FindSubControlByName(name)) control->SetVisible(visible);
}

uint16_t ScreenValue(int value) { return static_cast<uint16_t>(std::clamp(value, 0, 0xFFFF)); }

}  // namespace

CQuorvantMouseDevice::CQuorvantMouseDevice(QWidget* parent)
    : CQuorvantUSBDevice(parent),
      desktop_(CreateSystemMouseSettings()),
      mouse_(Channel(), *desktop_),
      uiGate_(std::make_shared<UiThreadGate>(this)),
      runner_(std::make_unique<PageCommandRunner>(uiGate_, [this](bool busy) { OnDeviceBusy(busy); })) {
    SetDeviceKind(kDeviceMouse);
    SetProfileGuardDesktop(*desktop_);
    SetReadsSyncChannel(true);
    mouse_.SetRunner(*runner_);
}

CQuorvantMouseDevice::~CQuorvantMouseDevice() {
    uiGate_->Close();
    StopPreviewThread();
    CloseSyncChannel();
    // The pages go with the program: the running sequence ends at once on the closed channel.
    Channel().Close();
    runner_->Stop();
}

bool CQuorvantMouseDevice::IsDeviceBusy() const { return runner_->Busy(); }

// --- Identity ---

void CQuorvantMouseDevice::SetDeviceFolder(const QString& folder) {
    CQuorvantUSBDevice::SetDeviceFolder(folder);
    mouse_.SetFiles(GetUserDataFolder(), GetDefaultProfilePath(), GetConfigName().toStdString());
}

void CQuorvantMouseDevice::SetLightTableIndex(int index) {
    CQuorvantUSBDevice::SetLightTableIndex(index);
    mouse_.Profile().SetDeviceIndex(0);
    mouse_.SetLightGroup(index);
}

// --- Binding ---

int CQuorvantMouseDevice::BindControls() {
    if (GetPageName().isEmpty()) {
        UnbindAll();
        return 1;
    }
    ui::CControlUI* settings = FindSubControlByName("mouse_device_seting_layout");
    if (settings == nullptr) return 1;
    ui::CControlUI* firstPanel = nullptr;
    for (ui::CControlUI* child : ItemsOf(*settings)) {
        if (child->GetClass() != "SelectPanel") continue;
        BindPicture(*child);
        if (firstPanel == nullptr) firstPanel = child;
    }
    SetSelectPanel(firstPanel);
    if (firstPanel == nullptr) return 1;

    if (auto* item = FindSubControlByName<CDeviceProfileUI>("DeviceProfileItem")) {
        profileItem_ = item;
        item->SetDeviceKind(GetDeviceKind());
        item->SetProfilePaths(GetUserDataFolder(), GetDefaultProfilePath());
        item->InitProfileList();
        item->SelectFeatureTab(kPanelLighting);
        SetProfileUuid(item->GetSelectedUuid());
    }
    if (auto* panel = FindSubControlByName<CLightControlUI>("LightControlItem")) {
        lightPanel_ = panel;
        panel->SetLightDeviceKind(GetDeviceKind());
    }
    if (FindSubControlByName("LightControlItem") != nullptr) LoadLightNames();
    if (auto* shoot = FindSubControlByName<CShootControlUI>("ShootControlItem")) {
        shootPanel_ = shoot;
        shoot->SetShootUserFolder(GetUserDataFolder());
        shoot->SetShootFactoryFolder(DefaultDataFolder());
        shoot->BindShootControls();
        shoot->SelectPattern(0);
        shoot->SelectShot(0);
    }
    if (CMacroControlUI* macros = GetMacroItem()) {
        macros->SetMacroFolder(GetUserDataFolder());
        macros->LoadMacroList();
    }
    if (CKeySetControlUI* keySet = GetKeySetItem()) {
        keySet->BindKeySetControls();
        keySet->SetKeySetDeviceKind(GetDeviceKind());
        ShowKeyEditorIdle();
        if (const CMacroControlUI* macros = GetMacroItem()) keySet->FillMacroNames(macros->GetMacroNames());
    }
    performanceView_ = std::make_unique<MousePerformanceView>(*this, mouse_);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        mouse_.SetScreenSize(ScreenValue(screen->geometry().width()), ScreenValue(screen->geometry().height()));
    }
    SelectSettingsTab(0);
    return 1;
}

void CQuorvantMouseDevice::BindPicture(ui::CControlUI& picture) {
    for (ui::CControlUI* child : ItemsOf(picture)) {
        auto* button = dynamic_cast<ui::CDeviceKeyButtonUI*>(child);
        if (button == nullptr || child->GetClass() != "DeviceKeyButton") continue;
        // The logo shows the logo light only, whatever its name's number part reads as.
        if (button->GetToolTip().compare("logo", Qt::CaseInsensitive) == 0) {
            logoButton_ = button;
            continue;
        }
        const auto name = SplitNumberedName(button->GetName());
        const auto user = SplitNumberedName(button->GetUserData());
        if (name && name->HasPrefix("key_") && name->number < GetKeyButtonCount()) BindKeyButton(name->number, button);
        if (name && name->HasPrefix("light_") && name->number < GetLightCount()) BindLightButton(name->number, button);
        if (name && name->HasPrefix("light_0_") && name->number >= 0) {
            const auto n = static_cast<size_t>(name->number);
            if (n < logoRow_.size()) {
                logoRow_[n] = button;
            } else {
                logoRow_.push_back(button);
            }
            TintButton(*button, kWhite);
        }
        if (user && user->HasPrefix("light_") && user->number < GetLightCount()) BindLightButton(user->number, button);
    }
}

void CQuorvantMouseDevice::SelectSettingsTab(int n) {
    if (auto* tabs = FindSubControlByName<ui::CTabLayoutUI>("mouse_device_seting_layout")) {
        tabs->SelectItem(n >= 0 && n < tabs->GetCount() ? n : 0);
    }
    ui::CControlUI* options = FindSubControlByName("mouse_option_layout");
    if (options == nullptr) return;
    const QString selected = QStringLiteral("mouse_device_seting_option_%1").arg(n);
    for (ui::CControlUI* child : ItemsOf(*options)) {
        auto* option = dynamic_cast<ui::COptionUI*>(child);
        if (option != nullptr) option->SetSelected(child->GetName().compare(selected, Qt::CaseInsensitive) == 0, false);
    }
}

CDeviceProfileUI* CQuorvantMouseDevice::GetProfileItem() const {
    return dynamic_cast<CDeviceProfileUI*>(profileItem_.data());
}

CMacroControlUI* CQuorvantMouseDevice::GetMacroItem() const {
    return ui::CachedChild<CMacroControlUI>(macroItem_, this, "MacroControlItem");
}

CKeySetControlUI* CQuorvantMouseDevice::GetKeySetItem() const {
    return ui::CachedChild<CKeySetControlUI>(keySetItem_, this, "KeySetControlItem");
}

// --- Connection and profile loading ---

void CQuorvantMouseDevice::OnConnect() {
    mouse_.Connect([this](const DeviceOutcome& read) {
        if (!read.Ok() || !performanceView_) return;
        performanceView_->SetInitialRanges();
        RefreshPerformance();
    });
    LoadProfileOnConnect();
    RefreshControls();
    StartPreviewThread();
    // The lights show the loaded lighting at once, not only from the first paint timer on.
    PaintLightButtons();
}

void CQuorvantMouseDevice::SetProfilePaths() {
    mouse_.SetFiles(GetUserDataFolder(), GetDefaultProfilePath(), GetConfigName().toStdString());
    mouse_.UseProfile(GetProfileUuid().toStdString());
}

void CQuorvantMouseDevice::LoadProfileOnConnect() {
    SetProfilePaths();
    // The lift-off switch comes with the device's answer.
    mouse_.LoadProfile([this](const DeviceOutcome&) { RefreshPerformance(); });
    TakeLoadedProfile();
    // The desktop's pointer values are the truth on connection; the document follows them.
    mouse_.TakeDesktopPointerSettings();
}

int CQuorvantMouseDevice::ReloadProfile() {
    SetProfilePaths();
    mouse_.LoadProfile([this](const DeviceOutcome&) { RefreshPerformance(); });
    TakeLoadedProfile();
    return 1;
}

void CQuorvantMouseDevice::TakeLoadedProfile() {
    ShowKeysUnselected();
    CQuorvantUSBDevice::SelectKey(-1);
    ShowKeyEditorIdle();
    ApplyLighting();
}

void CQuorvantMouseDevice::RestoreDefaults() {
    if (!mouse_.RestoreDefaults().Ok()) return;
    TakeLoadedProfile();
    RefreshControls();
}

bool CQuorvantMouseDevice::ApplySelectedProfile() {
    CDeviceProfileUI* item = GetProfileItem();
    if (item == nullptr || item->GetSelectedUuid().isEmpty()) return false;
    SetProfileUuid(item->GetSelectedUuid());
    const DeviceOutcome applied = RunProfileChange(
        [&](OutcomeHandler done) { return mouse_.ApplyProfile(GetProfileUuid().toStdString(), std::move(done)); },
        [this](const DeviceOutcome&) { RefreshPerformance(); });
    if (applied.IsRefused()) return false;
    TakeLoadedProfile();
    RefreshControls();
    return true;
}

void CQuorvantMouseDevice::ReloadPutBackProfile() {
    SetProfilePaths();
    mouse_.LoadProfile();
    TakeLoadedProfile();
    RefreshControls();
}

bool CQuorvantMouseDevice::ResetSelectedProfile() {
    CDeviceProfileUI* item = GetProfileItem();
    if (item == nullptr) return false;
    const DeviceOutcome reset =
        RunProfileChange([&](OutcomeHandler done) { return mouse_.ResetProfile(item->List(), std::move(done)); },
                         [this](const DeviceOutcome&) { RefreshPerformance(); });
    if (reset.IsRefused()) return false;
    item->ShowProfiles();
    TakeLoadedProfile();
    RefreshControls();
    SetVisibleIfPresent(*this, "keyset_layout", false);
    SetVisibleIfPresent(*this, "keyset_layout", true);
    return true;
}

// --- Lighting ---

int CQuorvantMouseDevice::ApplyLighting() {
    mouse_.TakeLighting();
    const LightInfoRecord& light = mouse_.LightState();
    LightInfoRecord selection = previewSelection_;
    selection.light = light.light;
    SetPreviewSelection(selection);
    SetAreaLights(mouse_.Profile().GetLightList());
    PreviewState()->SetCustomSteps(mouse_.CustomLightSteps());
    return 1;
}

bool CQuorvantMouseDevice::ChangeLighting(const LightSetting& light) {
    SetSyncLighting(false);
    if (mouse_.SetLighting(light).IsRefused()) return false;
    ApplyLighting();
    if (CLightControlUI* panel = GetLightPanel()) panel->ShowLightInfo(mouse_.LightState().light);
    RefreshKeyInfo();
    return true;
}

CShootControlUI* CQuorvantMouseDevice::GetShootPanel() const {
    return dynamic_cast<CShootControlUI*>(shootPanel_.data());
}

CLightControlUI* CQuorvantMouseDevice::GetLightPanel() const { return dynamic_cast<CLightControlUI*>(lightPanel_.data()); }

void CQuorvantMouseDevice::SetPreviewSelection(const LightInfoRecord& selection) {
    previewSelection_ = selection;
    PreviewState()->SetLightState(selection);
}

void CQuorvantMouseDevice::SetLightState(uint32_t a, uint32_t b, uint32_t c) {
    mouse_.SetLightState(LightInfoRecord::FromWords(a, b, c & 0xFFFFFF));
}

void CQuorvantMouseDevice::PaintLightButtons() {
    const auto colors = TakeChangedColors();
    if (!colors) {
        RestoreLostTints();
        return;
    }
    auto colorOf = [&colors](size_t i) { return i < colors->colors.size() ? colors->colors[i] : LightColor{0}; };
    for (size_t i = 0; i < logoRow_.size(); ++i) {
        ui::CDeviceKeyButtonUI* button = logoRow_[i].data();
        if (button != nullptr && button->IsVisible()) TintButton(*button, colorOf(i));
    }
    auto* logo = dynamic_cast<ui::CDeviceKeyButtonUI*>(logoButton_.data());
    if (logo != nullptr && logo->IsVisible() && logoLightIndex_ >= 0) {
        TintButton(*logo, colorOf(static_cast<size_t>(logoLightIndex_)));
    }
    TintLightButtons(*colors);
}

// --- Device-side changes ---

void CQuorvantMouseDevice::OnSyncRequest() {
    SetSyncLighting(false);
    // A failed or short read leaves the page and the profile as they were.
    mouse_.SyncFromDevice([this](const DecodedConfig& config) {
        LightInfoRecord selection = previewSelection_;
        selection.light = config.LightKeepingDirection(selection.light);
        SetPreviewSelection(selection);
        RefreshControls();
    });
}

void CQuorvantMouseDevice::PollPowerStatus() {
    mouse_.ReadPowerStatus([this](const PowerStatus& status) { ShowPowerStatus(status); });
}

// --- Writes ---

// The writes run on the command worker: 1 (and 0 for macros) means the write was taken on.
int CQuorvantMouseDevice::WriteKeys(int profileIndex) {
    return mouse_.WriteKeys(static_cast<uint8_t>(profileIndex)).IsRefused() ? 0 : 1;
}

int CQuorvantMouseDevice::WriteMacros() { return mouse_.WriteMacros().IsRefused() ? -1 : 0; }

int CQuorvantMouseDevice::WriteSettings(int profileIndex, int activeProfile, int screenFlag, int screenWidth,
                                        int screenHeight) {
    const ScreenSize screen{static_cast<uint8_t>(screenFlag), ScreenValue(screenWidth), ScreenValue(screenHeight)};
    return mouse_.WriteSettings(static_cast<uint8_t>(profileIndex), static_cast<uint8_t>(activeProfile), screen)
                   .IsRefused()
               ? 0
               : 1;
}

void CQuorvantMouseDevice::SaveKeyAssignments() {
    mouse_.WriteMacros([this](const DeviceOutcome& outcome) {
        if (outcome.excess > 0) ShowPageMessage("message_text_16", outcome.excess);
    });
    WriteKeys(0);
    StoreProfile();
}

// --- Controls ---

void CQuorvantMouseDevice::RefreshControls() {
    LoadLightNames();
    if (CLightControlUI* panel = GetLightPanel()) panel->ShowLightInfo(mouse_.LightState().light);
    RefreshKeyInfo();
    RefreshPerformance();
}

void CQuorvantMouseDevice::RefreshKeyInfo() {
    const std::vector<KeyInfo> infos = DescribeKeys(mouse_.Keys(), lightNames_.macroNames);
    auto* list = FindSubControlByName<ui::CListUI>("device_setkeyinfo_list");
    for (size_t i = 0; i < infos.size(); ++i) {
        ui::CDeviceKeyButtonUI* button = GetKeyButton(static_cast<int>(i));
        if (button != nullptr) ShowKeyToolTip(*button, infos[i]);
        if (list != nullptr) ShowKeyInfoRow(*list, static_cast<int>(i), infos[i], button != nullptr && button->IsVisible());
    }
    while (list != nullptr && list->GetCount() > static_cast<int>(infos.size())) list->RemoveAt(list->GetCount() - 1);
    if (auto* logo = dynamic_cast<ui::CDeviceKeyButtonUI*>(logoButton_.data())) {
        ShowLogoToolTip(*logo, QString::fromStdString(lightNames_.ModeName(mouse_.LightState().light.mode)));
    }
}

void CQuorvantMouseDevice::RefreshPerformance() {
    // The document may have moved the active stage (a profile switch on the device).
    if (performanceView_) performanceView_->Show();
}

bool CQuorvantMouseDevice::OnSettingsNotify(const ui::TNotifyUI& msg) {
    return performanceView_ && performanceView_->OnNotify(msg);
}

void CQuorvantMouseDevice::LoadLightNames() {
    orvane::LoadLightNames(lightNames_, GetUserDataFolder(), DefaultLightNamesPath(), GetConfigName().toStdString(),
                           GetLightTableIndex());
    if (CLightControlUI* panel = GetLightPanel()) ShowLightModes(*panel, lightNames_, mouse_.LightState().light.mode);
}

void CQuorvantMouseDevice::SwitchFunctionPanel(int type) {
    CQuorvantUSBDevice::SwitchFunctionPanel(type);
    ui::CControlUI* tip = ui::CachedChild<ui::CControlUI>(tip_, this, "device_tishi_info");
    if (tip == nullptr) return;
    if (type != kPanelKeys) {
        ReloadProfile();
        // What the reload dropped must not stay on screen.
        RefreshControls();
    }
    tip->SetVisible(type == kPanelLighting || type == kPanelKeys || type == kPanelSystem);
}

void CQuorvantMouseDevice::ShowKeysUnselected() {
    for (int i = 0; i < GetKeyButtonCount(); ++i) {
        if (ui::CDeviceKeyButtonUI* button = GetKeyButton(i)) {
            button->HideSetImage(true);
            button->ShowUnsetImage(false);
        }
    }
}

void CQuorvantMouseDevice::ShowKeyEditorIdle() {
    SetVisibleIfPresent(*this, "keyset_layout", false);
    SetVisibleIfPresent(*this, "msinput_layout", true);
    if (CKeySetControlUI* keySet = GetKeySetItem()) keySet->SetKeyButtonsEnabled(false);
}

void CQuorvantMouseDevice::SelectKey(int index) {
    CQuorvantUSBDevice::SelectKey(index);
    SetVisibleIfPresent(*this, "keyset_layout", true);
    if (index < 0 || index >= static_cast<int>(mouse_.Keys().size())) return;
    for (int i = 0; i < GetKeyButtonCount(); ++i) {
        if (ui::CDeviceKeyButtonUI* button = GetKeyButton(i)) button->HideSetImage(i != index);
    }
    if (CKeySetControlUI* keySet = GetKeySetItem()) keySet->SetKeyEntry(mouse_.Keys()[static_cast<size_t>(index)]);
}

bool CQuorvantMouseDevice::OnKeyButtonClicked(int key) {
    if (GetFunctionPanel() != kPanelKeys) return false;
    if (mouse_.HoldsOnlyLeftButton(key)) {
        ui::WindowImplBase* window = GetWindow();
        ui::ShowMessageBox(window, QString(), "message_text_6", window != nullptr ? window->GetDPI() : 96, true, false);
        return false;
    }
    SelectKey(key);
    return true;
}

void CQuorvantMouseDevice::SetKeyAssignment(const KeyListEntry& entry) { mouse_.SetKeyAssignment(GetSelectedKey(), entry); }

}  // namespace orvane
