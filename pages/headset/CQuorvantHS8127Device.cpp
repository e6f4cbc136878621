#include "pages/headset/CQuorvantHS8127Device.h"

#include "headset/AudioLibrary.h"
#include "headset/HeadsetAudio.h"
#include "headset/HeadsetDevice.h"
#include "headset/HeadsetLightOutput.h"
#include "pages/headset/CMagicControlUI.h"
#include "pages/headset/CVoice8127ControlUI.h"
#include "ui/dialogs/MsgWnd.h"

namespace orvane {

CQuorvantHS8127Device::CQuorvantHS8127Device(QWidget* parent)
    : CQuorvantMousePadDevice(parent, kDeviceHeadset,
                              [](CommandChannel& channel) { return std::make_unique<HeadsetDevice>(channel); }),
      lightOutput_(std::make_unique<HeadsetLightOutput>(Headset())) {}

CQuorvantHS8127Device::~CQuorvantHS8127Device() {
    // A light report waiting for the channel ends at once on the closed channel.
    Channel().Close();
    lightOutput_->Stop();
}

HeadsetDevice& CQuorvantHS8127Device::Headset() { return static_cast<HeadsetDevice&>(Pad()); }

CVoice8127ControlUI* CQuorvantHS8127Device::GetVoicePanel() const {
    return dynamic_cast<CVoice8127ControlUI*>(voicePanel_.data());
}

CMagicControlUI* CQuorvantHS8127Device::GetMagicPanel() const {
    return dynamic_cast<CMagicControlUI*>(magicPanel_.data());
}

int CQuorvantHS8127Device::InitPage() {
    BindControls();
    if (auto* panel = FindSubControlByName<CVoice8127ControlUI>("Voice8127ControlItem")) voicePanel_ = panel;
    if (auto* panel = FindSubControlByName<CMagicControlUI>("MagicControlItem")) magicPanel_ = panel;
    // The audio library waits for the connection: an emulated headset takes the emulated one.
    ShowAudioState();
    return 1;
}

void CQuorvantHS8127Device::InitHeadsetAudio() {
    audio_ = std::make_unique<HeadsetAudio>(AudioLibrary::ForHeadset(Headset().Emulated()), Headset().Headset());
    audio_->ReloadFromProfile();
    for (const std::string& message : audio_->Init()) {
        ui::WindowImplBase* window = GetWindow();
        ui::ShowMessageNotice(window, QString::fromStdString(message), window != nullptr ? window->GetDPI() : 96);
    }
    ShowAudioState();
}

void CQuorvantHS8127Device::OnConnect() {
    CQuorvantMousePadDevice::OnConnect();
    if (audio_ == nullptr) {
        InitHeadsetAudio();  // reads what the endpoints report
        return;
    }
    audio_->ReadHeadsetState();
    ShowAudioState();
}

int CQuorvantHS8127Device::ReloadProfile() {
    CQuorvantMousePadDevice::ReloadProfile();
    if (audio_ != nullptr) audio_->ReloadFromProfile();
    return 1;
}

void CQuorvantHS8127Device::RefreshControls() {
    CQuorvantMousePadDevice::RefreshControls();
    ShowAudioState();
}

void CQuorvantHS8127Device::PaintLightButtons() {
    std::optional<LightColorSnapshot> colors = TakeChangedColors();
    if (!colors) {
        RestoreLostTints();
        return;
    }
    TintLightButtons(*colors);
    if (IsLightingEnabled() && IsChannelOpen()) lightOutput_->Post(colors->colors);
}

// --- What the panels show ---

void CQuorvantHS8127Device::ShowAudioState() {
    CVoice8127ControlUI* voice = GetVoicePanel();
    CMagicControlUI* magic = GetMagicPanel();
    const bool available = audio_ != nullptr && audio_->Available();
    if (magic != nullptr) magic->ShowAvailability(available && audio_->VoiceEffectSupported());
    if (voice != nullptr) {
        voice->ShowAvailability(available && audio_->EqualiserAvailable(), available && audio_->MicrophoneAvailable(),
                                available && audio_->MonitorAvailable());
    }
    if (audio_ == nullptr) return;
    const HeadsetSystemSettings& settings = audio_->Settings();
    if (magic != nullptr) {
        magic->SetEffectEnabled(settings.MagicEnable != 0);
        magic->SelectKind(settings.MagicType);
    }
    if (voice == nullptr) return;
    voice->SetMicInOption(settings.MicInSelect != 0);
    voice->SetMicInLevel(settings.MicInValue);
    voice->SetMicMonitorOption(settings.MicMoniterSelect != 0);
    voice->SetMicMonitorLevel(settings.MicMoniterValue);
    voice->SelectEqOption(settings.EqType);
    ShowCustomNames();
    voice->SelectName(audio_->CustomSelection());
    voice->EnableCustomLayout(settings.EqType == CHs8127Profiledata::kCustomEqType);
    ShowBands();
}

void CQuorvantHS8127Device::ShowBands() {
    CVoice8127ControlUI* voice = GetVoicePanel();
    if (voice == nullptr || audio_ == nullptr) return;
    const EqBandValues& bands = audio_->Bands();
    for (int i = 0; i < CVoice8127ControlUI::kBands; ++i) voice->SetBandValue(i, bands[static_cast<size_t>(i)]);
}

void CQuorvantHS8127Device::ShowCustomNames() {
    CVoice8127ControlUI* voice = GetVoicePanel();
    if (voice == nullptr || audio_ == nullptr) return;
    voice->RemoveAllNames();
    for (const std::string& name : audio_->CustomNames()) voice->AddName(QString::fromStdString(name));
}

// --- The panels' operations ---

void CQuorvantHS8127Device::SelectEqPreset(int n) {
    CVoice8127ControlUI* voice = GetVoicePanel();
    if (audio_ == nullptr || voice == nullptr) return;
    audio_->SelectEqPreset(n);
    if (n < 1 || n > CHs8127Profiledata::kCustomEqType) return;
    voice->SelectEqOption(n);
    voice->EnableCustomLayout(n == CHs8127Profiledata::kCustomEqType);
    ShowBands();
}

void CQuorvantHS8127Device::SetEqBand(int n) {
    CVoice8127ControlUI* voice = GetVoicePanel();
    if (audio_ == nullptr || voice == nullptr || n < 0 || n >= CVoice8127ControlUI::kBands) return;
    const bool wasCustom = audio_->Settings().EqType == CHs8127Profiledata::kCustomEqType;
    audio_->SetEqBand(n, voice->GetBandValue(n));
    if (wasCustom) return;
    voice->SelectEqOption(CHs8127Profiledata::kCustomEqType);
    voice->SelectName(-1);
    voice->EnableCustomLayout(true);
}

void CQuorvantHS8127Device::ApplyCustomEq() {
    CVoice8127ControlUI* voice = GetVoicePanel();
    if (audio_ == nullptr || voice == nullptr) return;
    audio_->ApplyCustomEq(voice->GetNameSelection());
    ShowBands();
}

int CQuorvantHS8127Device::SaveCustomEq() {
    CVoice8127ControlUI* voice = GetVoicePanel();
    if (audio_ == nullptr || voice == nullptr) return -1;
    EqBandValues sliders{};
    for (int i = 0; i < CVoice8127ControlUI::kBands; ++i) sliders[static_cast<size_t>(i)] = voice->GetBandValue(i);
    const std::string name = voice->GetNameEditText().trimmed().toStdString();
    const int result = audio_->SaveCustomEq(name, voice->GetNameSelection(), sliders);
    if (result == 1 && !name.empty()) {
        ShowCustomNames();
        voice->SelectName(audio_->CustomSelection());
    }
    return result;
}

void CQuorvantHS8127Device::DeleteCustomEq() {
    CVoice8127ControlUI* voice = GetVoicePanel();
    if (audio_ == nullptr || voice == nullptr) return;
    const int selection = voice->GetNameSelection();
    if (selection < 0) return;
    audio_->DeleteCustomEq(selection);
    ShowAudioState();
}

void CQuorvantHS8127Device::ToggleMicIn() {
    if (audio_ == nullptr) return;
    audio_->ToggleMicIn();
    if (CVoice8127ControlUI* voice = GetVoicePanel()) voice->SetMicInOption(!audio_->MicMuted());
}

void CQuorvantHS8127Device::SetMicInLevel() {
    CVoice8127ControlUI* voice = GetVoicePanel();
    if (audio_ != nullptr && voice != nullptr) audio_->SetMicInLevel(voice->GetMicInLevel());
}

void CQuorvantHS8127Device::ToggleMicMonitor() {
    if (audio_ == nullptr) return;
    audio_->ToggleMicMonitor();
    if (CVoice8127ControlUI* voice = GetVoicePanel()) voice->SetMicMonitorOption(!audio_->MonitorMuted());
}

void CQuorvantHS8127Device::SetMicMonitorLevel() {
    CVoice8127ControlUI* voice = GetVoicePanel();
    if (audio_ != nullptr && voice != nullptr) audio_->SetMicMonitorLevel(voice->GetMicMonitorLevel());
}

void CQuorvantHS8127Device::ToggleVoiceEffect() {
    CMagicControlUI* magic = GetMagicPanel();
    if (audio_ == nullptr || magic == nullptr) return;
    const bool on = magic->IsEffectEnabled();
    magic->SetEffectEnabled(on);
    audio_->ToggleVoiceEffect(on);
}

void CQuorvantHS8127Device::SelectVoiceEffect(int n) {
    if (audio_ == nullptr || n == 0) return;
    audio_->SelectVoiceEffect(n);
    if (CMagicControlUI* magic = GetMagicPanel()) magic->SelectKind(n);
}

}  // namespace orvane
