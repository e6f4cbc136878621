#include "pages/CQuorvantMousePadDevice.h"

#include "editors/LightControl.h"
#include "light/PreviewFamily.h"
#include "pages/DeviceProfileView.h"
#include "pages/LightModeList.h"
#include "pages/NumberedName.h"
#include "pages/PageCommandRunner.h"
#include "profiles/ProfilePaths.h"
#include "ui/controls/DeviceKeyButton.h"
#include "ui/dialogs/WindowMessageIds.h"
#include "ui/framework/UiThreadGate.h"
#include "ui/framework/WindowImplBase.h"

namespace orvane {

CQuorvantMousePadDevice::CQuorvantMousePadDevice(QWidget* parent)
    : CQuorvantMousePadDevice(parent, kDeviceMousePad,
                              [](CommandChannel& channel) { return std::make_unique<MousePadDevice>(channel); }) {}

CQuorvantMousePadDevice::CQuorvantMousePadDevice(QWidget* parent, int kind, const CoreFactory& makeCore)
    : CQuorvantUSBDevice(parent),
      uiGate_(std::make_shared<UiThreadGate>(this)),
      runner_(std::make_unique<PageCommandRunner>(uiGate_, [this](bool busy) { OnDeviceBusy(busy); })),
      pad_(makeCore(Channel())) {
    SetDeviceKind(kind);
    SetReadsSyncChannel(true);
    pad_->SetRunner(*runner_);
    PreviewState()->SetFamily(kPadPreviewFamily);
}

CQuorvantMousePadDevice::~CQuorvantMousePadDevice() {
    uiGate_->Close();
    StopPreviewThread();
    CloseSyncChannel();
    // The pages go with the program: the running sequence ends at once on the closed channel.
    Channel().Close();
    runner_->Stop();
}

bool CQuorvantMousePadDevice::IsDeviceBusy() const { return runner_->Busy(); }

// --- Identity ---

void CQuorvantMousePadDevice::SetDeviceFolder(const QString& folder) {
    CQuorvantUSBDevice::SetDeviceFolder(folder);
    pad_->SetFiles(GetUserDataFolder(), GetDefaultProfilePath(), GetConfigName().toStdString());
}

void CQuorvantMousePadDevice::SetLightTableIndex(int index) {
    CQuorvantUSBDevice::SetLightTableIndex(index);
    pad_->Profile().SetDeviceIndex(0);
    pad_->SetLightGroup(index);
}

// --- Binding ---

int CQuorvantMousePadDevice::BindControls() {
    if (GetPageName().isEmpty()) {
        UnbindAll();
        return 1;
    }
    ui::CControlUI* picture = FindSubControlByName(LightPictureName());
    if (picture == nullptr) return 1;
    if (auto* container = dynamic_cast<ui::IContainerUI*>(picture)) {
        for (int i = 0; i < container->GetCount(); ++i) {
            auto* button = dynamic_cast<ui::CDeviceKeyButtonUI*>(container->GetItemAt(i));
            if (button == nullptr || button->GetClass() != "DeviceKeyButton") continue;
            const auto name = SplitNumberedName(button->GetName());
            const auto user = SplitNumberedName(button->GetUserData());
            if (name && name->HasPrefix("key_") && name->number < GetKeyButtonCount()) BindKeyButton(name->number, button);
            if (name && name->HasPrefix("light_") && name->number < GetLightCount()) BindLightButton(name->number, button);
            if (user && user->HasPrefix("light_") && user->number < GetLightCount()) BindLightButton(user->number, button);
        }
    }
    if (GetSelectPanel() == nullptr) SetSelectPanel(picture);

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
        LoadLightNames();
    }
    return 1;
}

CDeviceProfileUI* CQuorvantMousePadDevice::GetProfileItem() const {
    return dynamic_cast<CDeviceProfileUI*>(profileItem_.data());
}

CLightControlUI* CQuorvantMousePadDevice::GetLightPanel() const {
    return dynamic_cast<CLightControlUI*>(lightPanel_.data());
}

// --- Connection and profiles ---

void CQuorvantMousePadDevice::OnConnect() {
    pad_->Connect();
    ReloadProfile();
    RefreshControls();
    StartPreviewThread();
    // The lights show the loaded lighting at once, not only from the first paint timer on.
    PaintLightButtons();
}

void CQuorvantMousePadDevice::SetProfilePaths() {
    pad_->SetFiles(GetUserDataFolder(), GetDefaultProfilePath(), GetConfigName().toStdString());
    pad_->UseProfile(GetProfileUuid().toStdString());
}

int CQuorvantMousePadDevice::ReloadProfile() {
    SetProfilePaths();
    pad_->LoadProfile();
    ShowLighting();
    return 1;
}

void CQuorvantMousePadDevice::RestoreDefaults() {
    if (!pad_->RestoreDefaults().Ok()) return;
    ShowLighting();
    RefreshControls();
}

bool CQuorvantMousePadDevice::ApplySelectedProfile() {
    CDeviceProfileUI* item = GetProfileItem();
    if (item == nullptr || item->GetSelectedUuid().isEmpty()) return false;
    SetProfileUuid(item->GetSelectedUuid());
    const DeviceOutcome applied = RunProfileChange(
        [&](OutcomeHandler done) { return pad_->ApplyProfile(GetProfileUuid().toStdString(), std::move(done)); });
    if (applied.IsRefused()) return false;
    ShowLighting();
    RefreshControls();
    return true;
}

bool CQuorvantMousePadDevice::ResetSelectedProfile() {
    CDeviceProfileUI* item = GetProfileItem();
    if (item == nullptr) return false;
    const DeviceOutcome reset =
        RunProfileChange([&](OutcomeHandler done) { return pad_->ResetProfile(item->List(), std::move(done)); });
    if (reset.IsRefused()) return false;
    item->ShowProfiles();
    ShowLighting();
    RefreshControls();
    return true;
}

void CQuorvantMousePadDevice::ReloadPutBackProfile() {
    SetProfilePaths();
    pad_->LoadProfile();
    ShowLighting();
    RefreshControls();
}

// --- Lighting ---

int CQuorvantMousePadDevice::ApplyLighting() {
    pad_->TakeLighting();
    ShowLighting();
    return 1;
}

void CQuorvantMousePadDevice::ShowLighting() {
    PreviewState()->SetLightState(pad_->PreviewSelection());
    SetAreaLights(pad_->AreaLights());
    PreviewState()->SetCustomSteps(pad_->CustomLightSteps());
}

bool CQuorvantMousePadDevice::ChangeLighting(const LightSetting& light) {
    SetSyncLighting(false);
    if (pad_->SetLighting(light).IsRefused()) return false;
    ShowLighting();
    if (CLightControlUI* panel = GetLightPanel()) panel->ShowLightInfo(pad_->LightState().light);
    return true;
}

void CQuorvantMousePadDevice::SetLightState(uint32_t a, uint32_t b, uint32_t c) {
    pad_->SetLightState(LightInfoRecord::FromWords(a, b, c & 0xFFFFFF));
}

void CQuorvantMousePadDevice::RefreshControls() {
    LoadLightNames();
    if (CLightControlUI* panel = GetLightPanel()) panel->ShowLightInfo(pad_->LightState().light);
}

void CQuorvantMousePadDevice::LoadLightNames() {
    orvane::LoadLightNames(lightNames_, GetUserDataFolder(), DefaultLightNamesPath(), GetConfigName().toStdString(),
                           GetLightTableIndex());
    if (CLightControlUI* panel = GetLightPanel()) ShowLightModes(*panel, lightNames_, pad_->LightState().light.mode);
}

// --- The pad ---

void CQuorvantMousePadDevice::OnSyncRequest() {
    SetSyncLighting(false);
    pad_->ReadPadBlock([this](const PadBlock& block) {
        ShowLighting();
        if (ui::WindowImplBase* window = GetMainWindow()) window->SendMessage(ui::kPadProfileNumber, block.ProfileNumber(), 0);
    });
}

int CQuorvantMousePadDevice::WriteSettings(int profileIndex, int activeProfile, int screenFlag, int screenWidth,
                                           int screenHeight) {
    (void)activeProfile, (void)screenFlag, (void)screenWidth, (void)screenHeight;
    return pad_->WriteSettings(static_cast<uint8_t>(profileIndex)).IsRefused() ? 0 : 1;
}

}  // namespace orvane
