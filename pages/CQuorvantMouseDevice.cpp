#include "pages/CQuorvantMouseDevice.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

#include "app/MsgWnd.h"
#include "pages/DeviceProfileView.h"
#include "pages/MouseKeyInfo.h"
#include "pages/MouseProfileBridge.h"
#include "pages/MousePerformanceView.h"
#include "pages/NumberedName.h"
#include "pages/SyncThread.h"
#include "ui/framework/UiThreadGate.h"
#include "pages/light/PreviewThread.h"
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
constexpr KeyCodeBytes kLeftButton{0x10, 0x01, 0x00};

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

// The default profile is usable only when it holds a document for this device index.
bool HoldsDocument(const std::string& path, int deviceIndex) {
    const Json::Value root = JsonFileStore().ReadJsonValue(path);
    return json::Element(json::Member(root, "Device"), static_cast<Json::ArrayIndex>(deviceIndex)).isObject();
}

}  // namespace

CQuorvantMouseDevice::CQuorvantMouseDevice(QWidget* parent)
    : CQuorvantUSBDevice(parent),
      desktop_(CreateSystemMouseSettings()),
      device_(Channel()),
      parts_{profile_, Channel(), device_, *desktop_},
      performance_(parts_),
      uiGate_(std::make_shared<UiThreadGate>(this)) {
    SetDeviceKind(kDeviceMouse);
}

CQuorvantMouseDevice::~CQuorvantMouseDevice() {
    uiGate_->Close();
    if (previewThread_) previewThread_->Stop();
    CloseSyncChannel();
}

// --- Identity ---

void CQuorvantMouseDevice::SetDeviceFolder(const QString& folder) {
    CQuorvantUSBDevice::SetDeviceFolder(folder);
    profile_.SetDefaultProfilePath(GetDefaultProfilePath());
    actions_.reset();
}

void CQuorvantMouseDevice::SetLightTableIndex(int index) {
    CQuorvantUSBDevice::SetLightTableIndex(index);
    profile_.SetDeviceIndex(0);
}

MouseProfileActions& CQuorvantMouseDevice::Actions() {
    if (!actions_) {
        const std::string config = GetConfigName().isEmpty() ? kMouseLightConfigName : GetConfigName().toStdString();
        actions_ = std::make_unique<MouseProfileActions>(parts_, performance_, GetUserDataFolder(), config);
    }
    return *actions_;
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
    if (FindSubControlByName("LightControlItem") != nullptr) LoadLightNames();
    if (FindSubControlByName("KeySetControlItem") != nullptr) ShowKeyEditorIdle();
    performanceView_ = std::make_unique<MousePerformanceView>(*this, performance_);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        performance_.SetScreenSize(ScreenValue(screen->geometry().width()), ScreenValue(screen->geometry().height()));
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
            if (!logoRowContainer_) logoRowContainer_ = picture.GetWidget();
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

// --- Connection and profile loading ---

void CQuorvantMouseDevice::OnConnect() {
    if (device_.InitialRead() == MouseDeviceModel::InitialReadOutcome::Done && performanceView_) {
        performanceView_->SetInitialRanges();
    }
    LoadProfileOnConnect();
    RefreshControls();
    if (!previewThread_) {
        previewThread_ = std::make_unique<PreviewThread>(
            PreviewState(), [channel = ChannelPtr()] { return channel->IsOpen(); },
            [channel = ChannelPtr()] { return channel->SyncLighting(); });
    }
    previewThread_->Start();
    // The lights show the loaded lighting at once, not only from the first paint timer on.
    PaintLightButtons();
}

void CQuorvantMouseDevice::SetProfilePaths() {
    const std::string folder = GetUserDataFolder();
    // The UUID comes from the profile list file: it must name a file inside the folder.
    if (auto path = FileInFolder(folder, GetProfileUuid().toStdString(), kProfileExtension)) profile_.SetProfilePath(*path);
    profile_.SetLightConfigPath(folder + GetConfigName().toStdString() + ".config");
}

void CQuorvantMouseDevice::LoadProfileOnConnect() {
    SetProfilePaths();
    Actions().ReloadProfile();
    TakeLoadedProfile();
    // The desktop's pointer values are the truth on connection; the document follows them.
    const MouseSystemSettings system = profile_.ReadWindowsMouseSettings(*desktop_);
    profile_.SetMouseSystemSettings(system);
    performance_.Show(performance_.DpiStages(), profile_.GetActiveDpiStage(), system);
    StoreProfile();
}

int CQuorvantMouseDevice::ReloadProfile() {
    SetProfilePaths();
    Actions().ReloadProfile();
    TakeLoadedProfile();
    return 1;
}

void CQuorvantMouseDevice::TakeLoadedProfile() {
    keys_ = profile_.GetKeyList();
    ShowKeysUnselected();
    CQuorvantUSBDevice::SelectKey(-1);
    ShowKeyEditorIdle();
    ApplyLighting();
}

void CQuorvantMouseDevice::RestoreDefaults() {
    const std::string defaults = profile_.GetDefaultProfilePath();
    // Without a factory document the restore would save an empty profile over the user's.
    if (!HoldsDocument(defaults, profile_.GetDeviceIndex())) return;
    profile_.LoadProfile(defaults);
    TakeLoadedProfile();
    const std::vector<DpiStage> stages = profile_.GetDpiStages();
    performance_.Show(stages, profile_.GetActiveDpiStage(), profile_.GetMouseSystemSettings());
    StoreProfile();
    RefreshControls();
}

bool CQuorvantMouseDevice::ApplySelectedProfile() {
    CDeviceProfileUI* item = GetProfileItem();
    if (item == nullptr || item->GetSelectedUuid().isEmpty()) return false;
    SetProfileUuid(item->GetSelectedUuid());
    if (!Actions().ApplyProfile(GetProfileUuid().toStdString())) return false;
    TakeLoadedProfile();
    RefreshControls();
    return true;
}

bool CQuorvantMouseDevice::ResetSelectedProfile() {
    CDeviceProfileUI* item = GetProfileItem();
    if (item == nullptr || !Actions().ResetProfile(item->List())) return false;
    item->ShowProfiles();
    TakeLoadedProfile();
    RefreshControls();
    SetVisibleIfPresent(*this, "keyset_layout", false);
    SetVisibleIfPresent(*this, "keyset_layout", true);
    return true;
}

// --- Lighting ---

int CQuorvantMouseDevice::ApplyLighting() {
    lightState_ = profile_.GetLightInfo();
    LightInfoRecord selection = previewSelection_;
    selection.SelectItem = lightState_.SelectItem;
    selection.Light = lightState_.Light;
    selection.Speed = lightState_.Speed;
    selection.Fx = lightState_.Fx;
    selection.MultiColor = lightState_.MultiColor;
    SetSelectionColor(lightState_, {255, 255, 255});
    SetSelectionColor(selection, {255, 255, 255});
    SetPreviewSelection(selection);
    SetAreaLights(profile_.GetLightList());
    profile_.LoadLightConfig(profile_.GetLightConfigPath());
    PreviewState()->SetCustomSteps(profile_.GetLedEffectList());
    return 1;
}

void CQuorvantMouseDevice::SetPreviewSelection(const LightInfoRecord& selection) {
    previewSelection_ = selection;
    PreviewState()->SetLightState(selection);
}

void CQuorvantMouseDevice::SetLightState(uint32_t a, uint32_t b, uint32_t c) {
    lightState_ = LightInfoRecord::FromWords(a, b, c & 0xFFFFFF);
    const LightWords words = lightState_.ToWords();
    profile_.SetLightInfo(words.a, words.b, words.c);
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
    if (logoRowContainer_ && IsWindowActive()) logoRowContainer_->update();
    auto* logo = dynamic_cast<ui::CDeviceKeyButtonUI*>(logoButton_.data());
    if (logo != nullptr && logo->IsVisible() && logoLightIndex_ >= 0) {
        TintButton(*logo, colorOf(static_cast<size_t>(logoLightIndex_)));
    }
    TintLightButtons(*colors);
}

// --- Device-side changes ---

void CQuorvantMouseDevice::OnSyncRequest() {
    Channel().SetSyncLighting(false);
    // A failed or short read leaves the page and the profile as they were.
    const auto config = device_.ReadActiveConfig();
    if (!config) return;
    TakeDeviceConfig(*config, lightState_, profile_);
    LightInfoRecord selection = previewSelection_;
    selection.SelectItem = config->lightMode;
    selection.Light = config->brightness;
    selection.Speed = config->speed;
    selection.MultiColor = config->multiColor;
    SetSelectionColor(selection, kRed);
    SetPreviewSelection(selection);
    profile_.SaveProfile();
    RefreshControls();
}

void CQuorvantMouseDevice::PollPowerStatus() {
    if (const auto status = device_.ReadPowerStatus()) ShowPowerStatus(*status);
}

// --- Writes ---

int CQuorvantMouseDevice::WriteKeyBlock(int profileIndex, const std::vector<KeyListEntry>& keys) {
    return device_.WriteKeyBlock(KeyCodesFromProfile(keys), static_cast<uint8_t>(profileIndex));
}

int CQuorvantMouseDevice::WriteMacros() {
    // Macros belong to the device folder, not to a profile; without an index there is nothing to write.
    const auto macros = ReadDeviceMacros(GetUserDataFolder());
    if (!macros) return 0;
    return device_.WriteMacros(MacroEventsForDevice(*macros));
}

int CQuorvantMouseDevice::WriteSettings(int profileIndex, int activeProfile, int screenFlag, int screenWidth,
                                        int screenHeight) {
    const ScreenSize screen{static_cast<uint8_t>(screenFlag), ScreenValue(screenWidth), ScreenValue(screenHeight)};
    const auto liftOff = static_cast<uint8_t>(performance_.SystemSettings().HeightStage & 0xFF);
    return device_.WriteSettings(SettingsFromProfile(profile_, liftOff, static_cast<uint8_t>(activeProfile), screen),
                                 static_cast<uint8_t>(profileIndex));
}

void CQuorvantMouseDevice::SaveKeyAssignments() {
    WriteMacros();
    WriteKeys(0);
    StoreProfile();
}

// --- Controls ---

void CQuorvantMouseDevice::RefreshControls() {
    LoadLightNames();
    RefreshKeyInfo();
    RefreshPerformance();
}

void CQuorvantMouseDevice::RefreshKeyInfo() {
    const std::vector<KeyInfo> infos = DescribeKeys(keys_, lightNames_.macroNames);
    auto* list = FindSubControlByName<ui::CListUI>("device_setkeyinfo_list");
    for (size_t i = 0; i < infos.size(); ++i) {
        ui::CDeviceKeyButtonUI* button = GetKeyButton(static_cast<int>(i));
        if (button != nullptr) ShowKeyToolTip(*button, infos[i]);
        if (list != nullptr) ShowKeyInfoRow(*list, static_cast<int>(i), infos[i], button != nullptr && button->IsVisible());
    }
    while (list != nullptr && list->GetCount() > static_cast<int>(infos.size())) list->RemoveAt(list->GetCount() - 1);
    if (auto* logo = dynamic_cast<ui::CDeviceKeyButtonUI*>(logoButton_.data())) {
        ShowLogoToolTip(*logo, QString::fromStdString(lightNames_.ModeName(lightState_.SelectItem)));
    }
}

void CQuorvantMouseDevice::RefreshPerformance() {
    // The document may have moved the active stage (a profile switch on the device).
    performance_.Show(performance_.DpiStages(), profile_.GetActiveDpiStage(), performance_.SystemSettings());
    if (performanceView_) performanceView_->Show();
}

bool CQuorvantMouseDevice::OnPerformanceNotify(const ui::TNotifyUI& msg) {
    return performanceView_ && performanceView_->OnNotify(msg);
}

void CQuorvantMouseDevice::LoadLightNames() {
    orvane::LoadLightNames(lightNames_, GetUserDataFolder(), DefaultLightNamesPath(), GetConfigName().toStdString(),
                           GetLightTableIndex());
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
}

void CQuorvantMouseDevice::SelectKey(int index) {
    CQuorvantUSBDevice::SelectKey(index);
    SetVisibleIfPresent(*this, "keyset_layout", true);
    if (index < 0 || index >= static_cast<int>(keys_.size())) return;
    for (int i = 0; i < GetKeyButtonCount(); ++i) {
        if (ui::CDeviceKeyButtonUI* button = GetKeyButton(i)) button->HideSetImage(i != index);
    }
}

bool CQuorvantMouseDevice::HoldsOnlyLeftButton(int key) const {
    if (key < 0 || key >= static_cast<int>(keys_.size()) || keys_[static_cast<size_t>(key)].Assignment != kLeftButton) {
        return false;
    }
    const auto holders = std::count_if(keys_.begin(), keys_.end(), [](const KeyListEntry& k) { return k.Assignment == kLeftButton; });
    return holders == 1;
}

bool CQuorvantMouseDevice::OnKeyButtonClicked(int key) {
    if (GetFunctionPanel() != kPanelKeys) return false;
    if (HoldsOnlyLeftButton(key)) {
        ui::WindowImplBase* window = GetWindow();
        app::ShowMessageBox(window, QString(), "message_text_6", window != nullptr ? window->GetDPI() : 96, true, false);
        return false;
    }
    SelectKey(key);
    return true;
}

void CQuorvantMouseDevice::SetKeyAssignment(const KeyListEntry& entry) {
    const int key = GetSelectedKey();
    if (key < 0 || key >= static_cast<int>(keys_.size())) return;
    keys_[static_cast<size_t>(key)] = entry;
    profile_.SetKeyList(keys_);
}

// --- Event interface ---

bool CQuorvantMouseDevice::OpenSyncChannel(const std::string& path) {
    if (SyncChannel().IsOpen() || !SyncChannel().Open(path, false)) return false;
    if (!syncThread_) {
        syncThread_ = std::make_unique<SyncThread>(SyncChannelPtr(), [gate = uiGate_, page = this] {
            gate->Post([page] { page->ArmSyncTimer(); });
        });
    }
    syncThread_->Start();
    return true;
}

void CQuorvantMouseDevice::CloseSyncChannel() {
    // Closing first wakes the thread's pending read, so the stop does not wait for the device.
    SyncChannel().Close();
    if (syncThread_) syncThread_->Stop();
}

bool CQuorvantMouseDevice::ReopenSyncChannel(const std::string& path) {
    CloseSyncChannel();
    return OpenSyncChannel(path);
}

void CQuorvantMouseDevice::ArmSyncTimer() {
    if (ui::CDeviceOptionUI* entry = GetOptionItem()) entry->SetTimer(ui::CDeviceOptionUI::kSyncTimer, kSyncDelayMs);
}

}  // namespace orvane
