#pragma once
// CQuorvantHS8127Device ("QuorvantHS8127Device"): the USB headset's page, built from
// "XML\\DeviceXml\\hs8127device.xml". For lighting, profiles and the parameter block it is the
// mouse pad's page over the headset's core (HeadsetDevice); it adds the audio functions
// (HeadsetAudio over the audio configuration library: equaliser, microphone input and monitor,
// voice effect) shown by the panels "Voice8127ControlItem" and "MagicControlItem", and sends the
// preview's colours to the headset's lights, which have no effects of their own.
//
// Device kind 7. UI thread only; the light output runs on the core's writer thread.

#include <memory>

#include "pages/CQuorvantMousePadDevice.h"

namespace orvane {

class CMagicControlUI;
class CVoice8127ControlUI;
class HeadsetAudio;
class HeadsetDevice;
class HeadsetLightOutput;

class CQuorvantHS8127Device : public CQuorvantMousePadDevice {
public:
    explicit CQuorvantHS8127Device(QWidget* parent = nullptr);
    ~CQuorvantHS8127Device() override;

    QString GetClass() const override { return "QuorvantHS8127Device"; }

    // The pad's bindings with the headset's picture and the two audio panels.
    int InitPage() override;
    // The pad's connection; the first one loads the audio library (InitHeadsetAudio). Then what
    // the audio endpoints report replaces the stored microphone, monitor and voice effect values
    // (nothing is written to them), and everything is shown.
    void OnConnect() override;
    // The pad's reload, then the audio settings, bands and custom names of the profile.
    int ReloadProfile() override;
    // The pad's controls, then the audio panels from the audio state, without notifications.
    void RefreshControls() override;
    // The pad's paint pass; changed colours also go to the headset's lights.
    void PaintLightButtons() override;

    // --- The audio panels' operations (the main window routes their notifications here) ---
    // Loads the audio library (emulated for a headset on the emulated bus), takes the profile's
    // audio settings and finds the endpoints; the library's plain messages are shown without
    // stopping anything.
    void InitHeadsetAudio();
    void SelectEqPreset(int n);
    // Band slider n (0-9) moved.
    void SetEqBand(int n);
    void ApplyCustomEq();
    // 1 saved; 0 a name that exists (the main window tells "message_text_5"); -1 nothing to save.
    int SaveCustomEq();
    void DeleteCustomEq();
    void ToggleMicIn();
    void SetMicInLevel();
    void ToggleMicMonitor();
    void SetMicMonitorLevel();
    void ToggleVoiceEffect();
    void SelectVoiceEffect(int n);

    HeadsetDevice& Headset();
    // Null before InitHeadsetAudio.
    HeadsetAudio* Audio() const { return audio_.get(); }
    CVoice8127ControlUI* GetVoicePanel() const;
    CMagicControlUI* GetMagicPanel() const;

protected:
    const char* LightPictureName() const override { return "hs8127_device_key_light"; }

private:
    // The panels show the audio state.
    void ShowAudioState();
    void ShowBands();
    void ShowCustomNames();

    std::unique_ptr<HeadsetLightOutput> lightOutput_;
    std::unique_ptr<HeadsetAudio> audio_;
    QPointer<QWidget> voicePanel_;
    QPointer<QWidget> magicPanel_;
};

}  // namespace orvane
