#pragma once
// HeadsetAudio: the headset's audio functions over its audio configuration library and the
// profile document: microphone input and monitor (switch and level), the ten-band equaliser with
// twelve presets and up to twenty named custom equalisers, and the voice effect.
//
// Two endpoints are used: the playback endpoint (equaliser, surround and room effects) and the
// capture endpoint (microphone, monitor, voice effect, noise reduction). Without a library, or
// without a playback endpoint, nothing is available and every operation leaves the headset alone.
// The headset page holds one and passes in what its controls show; one thread drives it.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "headset/AudioLibrary.h"
#include "profiles/CHs8127Profiledata.h"

namespace orvane {

struct AudioProperty;  // a library property with its endpoint and selector

struct AudioEndpoint {
    std::array<uint32_t, 4> record{};    // as the library gave it: word 1 the kind, word 3 the usable flag
    std::array<uint32_t, 3> features{};  // items 0, 4 and 6 of its feature list
};

inline constexpr int kEqPresetCount = 12;
// The gains of the preset table span this range; the document's gains are held to it.
inline constexpr int kEqGainMin = -13;
inline constexpr int kEqGainMax = 18;
inline constexpr int kMaxAudioLevel = 100;
inline constexpr int kVoiceEffectKinds = 4;
inline constexpr uint32_t kVoiceEffectFeature = 0x20000;

class HeadsetAudio {
public:
    // `library` may be null (no library: nothing available). The document must outlive this.
    HeadsetAudio(std::shared_ptr<AudioLibrary> library, CHs8127Profiledata& document);

    // Loads nothing (the library is given): ConfLibInit, the device list, the endpoints, their
    // features, the effects reset where they are unset, and the headset's state read. Returns
    // the plain messages to show, in order ("ConfLibInit called failed!",
    // "UpdateAPOAvailable failed!").
    std::vector<std::string> Init();
    bool Available() const;            // library initialised and a playback endpoint found
    bool VoiceEffectSupported() const; // capture feature word 0 bit 0x20000
    bool EqualiserAvailable() const;   // the equaliser properties work
    bool MicrophoneAvailable() const;  // "MuteControl"/"VolumeScalarControl" work
    bool MonitorAvailable() const;     // "GetAAMaxVol" read succeeded
    const AudioEndpoint& Playback() const { return playback_; }
    const AudioEndpoint& Capture() const { return capture_; }

    // The eight settings, the band list and the custom names from the document; values out of
    // range are held to their range in memory, the file is left as it is.
    void ReloadFromProfile();
    // The microphone, monitor and voice effect as the capture endpoint reports them; nothing
    // written or stored.
    void ReadHeadsetState();
    const HeadsetSystemSettings& Settings() const { return settings_; }
    const EqBandValues& Bands() const { return bands_; }  // the gains now shown
    const std::vector<std::string>& CustomNames() const { return names_; }
    int CustomSelection() const { return selection_; }  // the name list's selection: -1 or an index
    bool MicMuted() const { return micMuted_; }
    bool MonitorMuted() const { return monitorMuted_; }

    // Operations. Those that change the settings save the document; the view's inputs are passed in.
    // 1-12 applies and stores a preset, 13 the custom equaliser of the current selection; others nothing.
    void SelectEqPreset(int n);
    // Band 0-9 to `gain` on the headset, switching to the custom equaliser without a selection.
    void SetEqBand(int band, int gain);
    // Custom equaliser `selection` to the headset and the document; -1 or no such entry: nothing.
    void ApplyCustomEq(int selection);
    // With an empty name the sliders replace the bands of custom equaliser `selection` (-1 when
    // there is none); with a name they become a new custom equaliser (-1 when twenty exist, 0
    // when the name exists already in any case). 1 when stored.
    int SaveCustomEq(const std::string& name, int selection, const EqBandValues& sliders);
    // Removes custom equaliser `selection`; the last one removed falls back to preset 1. Nothing
    // is written to the headset.
    void DeleteCustomEq(int selection);
    void ToggleMicIn();
    void SetMicInLevel(int level);  // 0-100
    void ToggleMicMonitor();
    void SetMicMonitorLevel(int level);  // 0-100
    void ToggleVoiceEffect(bool on);
    void SelectVoiceEffect(int n);  // kind 1-4

private:
    void FindAudioEndpoints();
    void ReadEndpointFeatures(AudioEndpoint& endpoint, std::vector<std::string>& messages);
    void ResetHeadsetEffects();
    // One library call; a missing library or endpoint fails without one. A read's number goes
    // to `number` when given.
    int32_t Read(const AudioProperty& property, double* number = nullptr) const;
    int32_t Write(const AudioProperty& property, uint32_t value) const;
    int32_t WriteFlag(const AudioProperty& property, bool on) const { return Write(property, on ? 1u : 0u); }
    int32_t WriteLevel(const AudioProperty& property, int level) const;
    const AudioEndpoint& EndpointOf(const AudioProperty& property) const;
    void WriteBandsToHeadset();
    void StoreSettings();
    bool NameTaken(const std::string& name) const;

    std::shared_ptr<AudioLibrary> library_;
    CHs8127Profiledata& document_;
    bool initialised_ = false;
    bool equaliser_ = false;
    bool microphone_ = false;
    bool monitor_ = false;
    AudioEndpoint playback_;
    AudioEndpoint capture_;

    HeadsetSystemSettings settings_;
    EqBandValues bands_{};
    std::vector<std::string> names_;
    int selection_ = -1;
    bool micMuted_ = false;
    bool monitorMuted_ = false;
};

// The twelve equaliser presets (1..12); other numbers give preset 1.
const EqBandValues& EqPresetBands(int preset);

}  // namespace orvane
