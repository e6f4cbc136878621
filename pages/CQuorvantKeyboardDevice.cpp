#include "pages/CQuorvantKeyboardDevice.h"

#include "editors/LightControl.h"
#include "editors/keys/CKeySetControlUI.h"
#include "editors/keys/CMacroControlUI.h"
#include "keyboard/KeyboardPreviewAnimator.h"
#include "pages/ProfilePanelTexts.h"
#include "pages/DeviceProfileView.h"
#include "pages/KeyboardSettingsPanel.h"
#include "pages/LightModeList.h"
#include "pages/MouseKeyInfo.h"
#include "pages/NumberedName.h"
#include "pages/PageCommandRunner.h"
#include "platform/NewestValueSender.h"
#include "platform/SystemKeyboardSettings.h"
#include "profiles/ProfilePaths.h"
#include "ui/controls/CachedChild.h"
#include "ui/controls/DeviceKeyButton.h"
#include "ui/framework/ResourceManager.h"
#include "ui/framework/UiThreadGate.h"
#include "ui/framework/WindowImplBase.h"

namespace orvane {
namespace {

// The backlight has one colour: the picture shows each key's intensity in it.
constexpr Rgb kBacklight{255, 0, 0};

// The core with what it refers to kept alive as long as the core: the preview and sync threads
// hold it and may outlive a page whose stop timed out.
std::shared_ptr<KeyboardDevice> MakeKeyboard(std::shared_ptr<CommandChannel> channel) {
    std::shared_ptr<SystemKeyboardSettings> desktop = CreateSystemKeyboardSettings();
    auto* keyboard = new KeyboardDevice(*channel, *desktop);
    return std::shared_ptr<KeyboardDevice>(keyboard, [channel, desktop](KeyboardDevice* k) { delete k; });
}

void SetVisibleIfPresent(const ui::CControlUI& scope, const char* name, bool visible) {
    if (ui::CControlUI* control = scope.FindSubControlByName(name)) control->SetVisible(visible);
}

// The key editor's notice panels, one per language that has one.
constexpr std::pair<const char*, const char*> kKeyNoticePanels[] = {
    {"cn", "keytishi_layout"}, {"jp", "mstishi_layout"}, {"en", "ENtishi_layout"}};

const char* KeyNoticePanelOf(const QString& language) {
    for (const auto& [name, panel] : kKeyNoticePanels) {
        if (language == QLatin1String(name)) return panel;
    }
    return nullptr;
}

}  // namespace

CQuorvantKeyboardDevice::CQuorvantKeyboardDevice(QWidget* parent)
    : CQuorvantUSBDevice(parent),
      keyboard_(MakeKeyboard(ChannelPtr())),
      animator_(std::make_shared<KeyboardPreviewAnimator>(keyboard_)),
      uiGate_(std::make_shared<UiThreadGate>(this)),
      runner_(std::make_unique<PageCommandRunner>(uiGate_, [this](bool busy) { OnDeviceBusy(busy); })),
      syncOutput_(std::make_unique<NewestValueSender<std::vector<LightColor>>>(
          [keyboard = keyboard_](const std::vector<LightColor>& colours) { keyboard->StreamColours(colours); })) {
    SetDeviceKind(kDeviceKeyboard);
    SetReadsSyncChannel(true);
    keyboard_->SetRunner(*runner_);
    SetUsageObserver([keyboard = keyboard_](uint16_t usage) {
        if (const auto event = SlotEventFromUsage(usage)) keyboard->OnKeyEvent(event->slot, event->kind);
    });
    PreviewState()->SetAnimator(animator_);
}

CQuorvantKeyboardDevice::~CQuorvantKeyboardDevice() {
    uiGate_->Close();
    StopPreviewThread();
    CloseSyncChannel();
    // The pages go with the program: the running sequence ends at once on the closed channel.
    Channel().Close();
    syncOutput_->Stop();
    runner_->Stop();
}

bool CQuorvantKeyboardDevice::IsDeviceBusy() const { return runner_->Busy(); }

uint64_t CQuorvantKeyboardDevice::FramesStreamed() const { return animator_->FramesStreamed(); }

// --- Identity ---

void CQuorvantKeyboardDevice::SetDeviceFolder(const QString& folder) {
    CQuorvantUSBDevice::SetDeviceFolder(folder);
    keyboard_->SetFiles(GetUserDataFolder(), GetDefaultProfilePath(), GetConfigName().toStdString());
}

void CQuorvantKeyboardDevice::SetLightTableIndex(int index) {
    CQuorvantUSBDevice::SetLightTableIndex(index);
    keyboard_->Profile().SetDeviceIndex(0);
    keyboard_->SetLightGroup(index);
}

// --- Binding ---

int CQuorvantKeyboardDevice::BindControls() {
    if (GetPageName().isEmpty()) {
        UnbindAll();
        return 1;
    }
    ui::CControlUI* picture = FindSubControlByName("keyboard_device_key_light");
    if (picture == nullptr) return 1;
    if (auto* container = dynamic_cast<ui::IContainerUI*>(picture)) {
        for (int i = 0; i < container->GetCount(); ++i) {
            auto* button = dynamic_cast<ui::CDeviceKeyButtonUI*>(container->GetItemAt(i));
            if (button == nullptr || button->GetClass() != "DeviceKeyButton") continue;
            const auto name = SplitNumberedName(button->GetName());
            const auto user = SplitNumberedName(button->GetUserData());
            if (name && name->HasPrefix("key_") && name->number < GetKeyButtonCount()) BindKeyButton(name->number, button);
            if (user && user->HasPrefix("light_") && user->number < GetLightCount()) BindLightButton(user->number, button);
        }
    }
    if (GetSelectPanel() == nullptr) SetSelectPanel(picture);

    if (auto* item = FindSubControlByName<CDeviceProfileUI>("DeviceProfileItem")) {
        profileItem_ = item;
        item->SetDeviceKind(GetDeviceKind());
        item->SetProfilePaths(GetUserDataFolder(), GetDefaultProfilePath());
        item->InitProfileList();
        // The profile panel hides the macro tab of keyboards; this page gives the macros a
        // panel of their own.
        if (ui::CControlUI* tab = FindSubControlByName("macro_Op_tab")) tab->SetVisible(true);
        item->SelectFeatureTab(kPanelLighting);
        SetProfileUuid(item->GetSelectedUuid());
    }
    if (auto* panel = FindSubControlByName<CLightControlUI>("LightControlItem")) {
        lightPanel_ = panel;
        panel->SetLightDeviceKind(GetDeviceKind());
        LoadLightNames();
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
    settings_ = std::make_unique<KeyboardSettingsPanel>(*this, *keyboard_);
    return 1;
}

CDeviceProfileUI* CQuorvantKeyboardDevice::GetProfileItem() const {
    return dynamic_cast<CDeviceProfileUI*>(profileItem_.data());
}

CLightControlUI* CQuorvantKeyboardDevice::GetLightPanel() const {
    return dynamic_cast<CLightControlUI*>(lightPanel_.data());
}

CMacroControlUI* CQuorvantKeyboardDevice::GetMacroItem() const {
    return ui::CachedChild<CMacroControlUI>(macroItem_, this, "MacroControlItem");
}

CKeySetControlUI* CQuorvantKeyboardDevice::GetKeySetItem() const {
    return ui::CachedChild<CKeySetControlUI>(keySetItem_, this, "KeySetControlItem");
}

// --- Connection and profiles ---

void CQuorvantKeyboardDevice::OnConnect() {
    keyboard_->Lighting().SetProductId(GetDeviceRecord().pid);
    keyboard_->Connect([this](const DeviceOutcome& read) {
        // The maps tell which LED each key lights: the frame changes with them.
        if (read.Ok()) RestartPreview();
    });
    SetProfilePaths();
    keyboard_->LoadProfileOnConnect();
    TakeLoadedProfile();
    RefreshControls();
    WriteSettings(0, 0, 1, 0, 0);
    StartPreviewThread();
    ShowLightingAtOnce();
}

void CQuorvantKeyboardDevice::ShowLightingAtOnce() {
    // A still mode is drawn by its renderer's first step, which the preview thread runs only a
    // few turns after its start: the picture does not wait for it.
    keyboard_->Lighting().AdvanceTurns(KeyboardPreviewAnimator::kTurnsToDraw);
    const std::vector<LightColor> colours = keyboard_->Lighting().Colors();
    for (size_t i = 0; i < colours.size(); ++i) PreviewState()->SetLightColor(i, colours[i]);
    PaintLightButtons();
}

void CQuorvantKeyboardDevice::SetProfilePaths() {
    keyboard_->SetFiles(GetUserDataFolder(), GetDefaultProfilePath(), GetConfigName().toStdString());
    keyboard_->UseProfile(GetProfileUuid().toStdString());
}

int CQuorvantKeyboardDevice::ReloadProfile() {
    SetProfilePaths();
    keyboard_->ReloadProfile();
    TakeLoadedProfile();
    return 1;
}

void CQuorvantKeyboardDevice::TakeLoadedProfile() {
    for (int i = 0; i < GetKeyButtonCount(); ++i) {
        if (ui::CDeviceKeyButtonUI* button = GetKeyButton(i)) {
            button->ShowUnsetImage(false);
            button->SetUnsetImageOnly(false);
        }
    }
    CQuorvantUSBDevice::SelectKey(-1);
    ShowKeyEditorIdle();
    ApplyLighting();
}

void CQuorvantKeyboardDevice::ReloadPutBackProfile() {
    SetProfilePaths();
    keyboard_->LoadProfile();
    TakeLoadedProfile();
    RefreshControls();
}

void CQuorvantKeyboardDevice::RestoreDefaults() {
    if (keyboard_->RestoreDefaults().IsRefused()) return;
    TakeLoadedProfile();
    RefreshControls();
}

bool CQuorvantKeyboardDevice::ApplySelectedProfile() {
    CDeviceProfileUI* item = GetProfileItem();
    if (item == nullptr || item->GetSelectedUuid().isEmpty()) return false;
    SetProfileUuid(item->GetSelectedUuid());
    const DeviceOutcome applied = RunProfileChange(
        [&](OutcomeHandler done) { return keyboard_->ApplyProfile(GetProfileUuid().toStdString(), std::move(done)); });
    if (applied.IsRefused()) return false;
    TakeLoadedProfile();
    RefreshControls();
    return true;
}

bool CQuorvantKeyboardDevice::ResetSelectedProfile() {
    CDeviceProfileUI* item = GetProfileItem();
    if (item == nullptr) return false;
    const DeviceOutcome reset = RunProfileChange(
        [&](OutcomeHandler done) { return keyboard_->ResetProfile(item->List(), std::move(done)); },
        [this](const DeviceOutcome&) {
            const int macros = keyboard_->LastProfileMacroWrite();
            if (const char* message = ResetMacroMessage(GetDeviceKind(), macros)) ShowPageMessage(message, macros);
        });
    if (reset.IsRefused()) return false;
    item->ShowProfiles();
    SetProfileUuid(item->GetSelectedUuid());
    TakeLoadedProfile();
    RefreshControls();
    return true;
}

// --- Lighting ---

int CQuorvantKeyboardDevice::ApplyLighting() {
    RestartPreview();
    return 1;
}

void CQuorvantKeyboardDevice::RestartPreview() {
    animator_->Restream();
    PreviewState()->NoteAnimatorChange();
}

bool CQuorvantKeyboardDevice::ChangeLighting(const LightSetting& light) {
    SetSyncLighting(false);
    if (keyboard_->SetLighting(light).IsRefused()) return false;
    RestartPreview();
    ShowLightPanel();
    return true;
}

void CQuorvantKeyboardDevice::ShowLightPanel() {
    CLightControlUI* panel = GetLightPanel();
    if (panel == nullptr) return;
    panel->ShowLightInfo(keyboard_->LightState().light);
    panel->SelectCustomLightGroup(keyboard_->CustomLightGroup());
}

void CQuorvantKeyboardDevice::LoadLightNames() {
    orvane::LoadLightNames(lightNames_, GetUserDataFolder(), DefaultLightNamesPath(), GetConfigName().toStdString(),
                           GetLightTableIndex());
    if (CLightControlUI* panel = GetLightPanel()) ShowLightModes(*panel, lightNames_, keyboard_->LightState().light.mode);
}

void CQuorvantKeyboardDevice::PaintLightButtons() {
    const auto colors = TakeChangedColors();
    if (!colors) {
        RestoreLostTints();
        return;
    }
    if (!IsLightingEnabled()) return;
    // Synchronised lighting paints the page; the preview thread, which streams otherwise, stands
    // still meanwhile.
    if (Channel().SyncLighting() && IsChannelOpen()) syncOutput_->Post(colors->colors);
    for (int i = 0; i < GetLightCount() && static_cast<size_t>(i) < colors->colors.size(); ++i) {
        ui::CDeviceKeyButtonUI* button = GetLightButton(i);
        if (button != nullptr && button->IsVisible()) {
            TintButton(*button, MakeLightColor(kBacklight, AlphaOf(colors->colors[static_cast<size_t>(i)])));
        }
    }
}

// --- Device-side changes ---

void CQuorvantKeyboardDevice::OnSyncRequest() {
    SetSyncLighting(false);
    keyboard_->SyncFromDevice([this](const DeviceOutcome& read) {
        if (!read.Ok()) return;
        RestartPreview();
        RefreshControls();
    });
}

// --- Writes: they run on the command worker ---

int CQuorvantKeyboardDevice::WriteKeys(int profileIndex) {
    return keyboard_->WriteKeys(static_cast<uint8_t>(profileIndex)).IsRefused() ? 0 : 1;
}

int CQuorvantKeyboardDevice::WriteMacros() { return keyboard_->WriteMacros().IsRefused() ? -1 : 0; }

int CQuorvantKeyboardDevice::WriteSettings(int profileIndex, int activeProfile, int screenFlag, int screenWidth,
                                           int screenHeight) {
    (void)screenFlag, (void)screenWidth, (void)screenHeight;
    return keyboard_->WriteSettings(static_cast<uint8_t>(profileIndex), static_cast<uint8_t>(activeProfile)).IsRefused()
               ? 0
               : 1;
}

void CQuorvantKeyboardDevice::SaveKeyAssignments() {
    keyboard_->WriteMacros([this](const DeviceOutcome& outcome) {
        if (outcome.excess > 0) ShowPageMessage("message_text_16", outcome.excess);
    });
    WriteKeys(0);
    StoreProfile();
    RebuildKeyInfo();
}

// --- Controls ---

void CQuorvantKeyboardDevice::RefreshControls() {
    LoadLightNames();
    ShowLightPanel();
    RebuildKeyInfo();
    ShowKeyEditorVariant();
    if (settings_) settings_->Show();
}

void CQuorvantKeyboardDevice::ShowKeyEditorVariant() {
    if (!IsChannelOpen()) return;
    keyboard_->ReadKeyAssignmentSupport([this](const DeviceOutcome& read) {
        if (read.Ok()) ShowKeyEditorFor(keyboard_->KeyAssignmentsTaken().value_or(true));
    });
}

void CQuorvantKeyboardDevice::ShowKeyEditorFor(bool keysTaken) {
    if (keysTaken) {
        if (GetSelectedKey() >= 0) SetVisibleIfPresent(*this, "keyset_layout", true);
        for (const auto& [language, panel] : kKeyNoticePanels) SetVisibleIfPresent(*this, panel, false);
        return;
    }
    SetVisibleIfPresent(*this, "keyset_layout", false);
    const char* notice = KeyNoticePanelOf(ui::CResourceManager::GetInstance().GetLanguage());
    if (notice == nullptr) return;
    for (const auto& [language, panel] : kKeyNoticePanels) SetVisibleIfPresent(*this, panel, panel == notice);
}

bool CQuorvantKeyboardDevice::OnSettingsNotify(const ui::TNotifyUI& msg) { return settings_ && settings_->OnNotify(msg); }

void CQuorvantKeyboardDevice::RebuildKeyInfo() {
    const std::vector<KeyListEntry>& keys = keyboard_->Keys();
    const ui::CControlUI* save = FindSubControlByName("key_butt_prosave");
    const bool unsaved = save != nullptr && save->IsEnabled();
    for (size_t i = 0; i < keys.size(); ++i) {
        ui::CDeviceKeyButtonUI* button = GetKeyButton(static_cast<int>(i));
        if (button == nullptr) continue;
        const QString title = DescriptionText(DescribeFunctionCode(keys[i].DefaultAssignment, lightNames_.macroNames));
        const QString description = DescriptionText(DescribeFunctionCode(keys[i].Assignment, lightNames_.macroNames));
        ShowKeyToolTip(*button, {title, description});
        if (title == description) {
            button->HideSetImage(true);
        } else if (unsaved) {
            button->ShowUnsetImage(true);
        } else {
            button->HideSetImage(false);
            button->ShowUnsetImage(false);
        }
    }
}

void CQuorvantKeyboardDevice::ShowKeyEditorIdle() {
    SetVisibleIfPresent(*this, "keyset_layout", false);
    SetVisibleIfPresent(*this, "keyinput_layout", true);
    if (CKeySetControlUI* keySet = GetKeySetItem()) keySet->SetKeyButtonsEnabled(false);
}

void CQuorvantKeyboardDevice::SwitchFunctionPanel(int type) {
    CQuorvantUSBDevice::SwitchFunctionPanel(type);
    for (int key : kLightOnlyKeys) {
        if (ui::CDeviceKeyButtonUI* button = GetKeyButton(key)) button->SetEnabled(type != kPanelKeys);
    }
    if (type == kPanelKeys) return;
    ReloadProfile();
    // What the reload dropped must not stay on screen.
    RefreshControls();
}

void CQuorvantKeyboardDevice::SelectKey(int index) {
    CQuorvantUSBDevice::SelectKey(index);
    SetVisibleIfPresent(*this, "keyset_layout", true);
    SetVisibleIfPresent(*this, "keyinput_layout", false);
    const std::vector<KeyListEntry>& keys = keyboard_->Keys();
    if (index < 0 || index >= static_cast<int>(keys.size())) return;
    for (int i = 0; i < GetKeyButtonCount(); ++i) {
        if (ui::CDeviceKeyButtonUI* button = GetKeyButton(i)) button->SetUnsetImageOnly(i == index);
    }
    if (CKeySetControlUI* keySet = GetKeySetItem()) keySet->SetKeyEntry(keys[static_cast<size_t>(index)]);
}

bool CQuorvantKeyboardDevice::OnKeyButtonClicked(int key) {
    if (GetFunctionPanel() == kPanelKeys) {
        SelectKey(key);
        ShowKeyEditorVariant();
        return true;
    }
    if (GetFunctionPanel() != kPanelLighting || keyboard_->ToggleCustomKey(key).IsRefused()) return false;
    RestartPreview();
    return true;
}

bool CQuorvantKeyboardDevice::SetCustomLightGroup(int group) {
    if (keyboard_->SetCustomLightGroup(group).IsRefused()) return false;
    RestartPreview();
    return true;
}

bool CQuorvantKeyboardDevice::SetAllCustomKeys(bool on) {
    if (keyboard_->SetAllCustomKeys(on).IsRefused()) return false;
    RestartPreview();
    return true;
}

void CQuorvantKeyboardDevice::SetKeyAssignment(const KeyListEntry& entry) {
    if (!keyboard_->SetKeyAssignment(GetSelectedKey(), entry)) return;
    if (ui::CDeviceKeyButtonUI* button = GetKeyButton(GetSelectedKey())) button->HideSetImage(true);
}

}  // namespace orvane
