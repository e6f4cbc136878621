// The audio configuration library for a real headset: its USB sound card found through sysfs, its
// microphone and monitor reached through the card's ALSA mixer. The capture switch and volume
// ("Mic", else "Capture") are the microphone; the playback "Mic" switch and volume (the sidetone)
// are the monitor. What the card lacks fails, so the program shows it unavailable: the equaliser,
// surround, room and voice effects have no mixer control on a plain USB sound card.
#include <alsa/asoundlib.h>

#include <cmath>
#include <cstring>
#include <cwchar>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "headset/osConfLib.h"
#include "headset/osconf/OsConfText.h"
#include "headset/osconf/UsbSoundCard.h"

namespace {

using namespace orvane::osconf;

constexpr int32_t kOk = 0;
constexpr int32_t kFailed = -1;
constexpr uint32_t kPlaybackKind = 1;
constexpr uint32_t kCaptureKind = 2;
constexpr const char* kNoFeatures = "0,0,0,0,0,0,0";

std::mutex cardMutex;
std::optional<int> card;  // guarded by cardMutex

struct MixerClose {
    void operator()(snd_mixer_t* mixer) const { snd_mixer_close(mixer); }
};
using Mixer = std::unique_ptr<snd_mixer_t, MixerClose>;

Mixer OpenMixer(int number) {
    // A card that went away since the list was made: no mixer, and no alsa-lib complaint on stderr.
    if (snd_card_load(number) != 1) return nullptr;
    snd_mixer_t* raw = nullptr;
    if (snd_mixer_open(&raw, 0) < 0) return nullptr;
    Mixer mixer(raw);
    const std::string name = "hw:" + std::to_string(number);
    if (snd_mixer_attach(raw, name.c_str()) < 0 || snd_mixer_selem_register(raw, nullptr, nullptr) < 0 ||
        snd_mixer_load(raw) < 0) {
        return nullptr;
    }
    return mixer;
}

snd_mixer_elem_t* Element(snd_mixer_t* mixer, const char* name) {
    snd_mixer_selem_id_t* id = nullptr;
    snd_mixer_selem_id_alloca(&id);
    snd_mixer_selem_id_set_name(id, name);
    snd_mixer_selem_id_set_index(id, 0);
    return snd_mixer_find_selem(mixer, id);
}

enum class Side { kCapture, kMonitor };
enum class Part { kSwitch, kVolume };

// The microphone's capture control is called "Mic" on most USB headsets, "Capture" on others.
snd_mixer_elem_t* Control(snd_mixer_t* mixer, Side side, Part part) {
    if (side == Side::kMonitor) {
        snd_mixer_elem_t* e = Element(mixer, "Mic");
        if (e == nullptr) return nullptr;
        const bool has = part == Part::kSwitch ? snd_mixer_selem_has_playback_switch(e) : snd_mixer_selem_has_playback_volume(e);
        return has ? e : nullptr;
    }
    for (const char* name : {"Mic", "Capture"}) {
        snd_mixer_elem_t* e = Element(mixer, name);
        if (e == nullptr) continue;
        const bool has = part == Part::kSwitch ? snd_mixer_selem_has_capture_switch(e) : snd_mixer_selem_has_capture_volume(e);
        if (has) return e;
    }
    return nullptr;
}

// A volume as a fraction of its range; nullopt when it cannot be read.
std::optional<double> Fraction(snd_mixer_elem_t* e, Side side) {
    long low = 0, high = 0, value = 0;
    const bool capture = side == Side::kCapture;
    if ((capture ? snd_mixer_selem_get_capture_volume_range(e, &low, &high)
                 : snd_mixer_selem_get_playback_volume_range(e, &low, &high)) < 0 ||
        high <= low) {
        return std::nullopt;
    }
    if ((capture ? snd_mixer_selem_get_capture_volume(e, SND_MIXER_SCHN_FRONT_LEFT, &value)
                 : snd_mixer_selem_get_playback_volume(e, SND_MIXER_SCHN_FRONT_LEFT, &value)) < 0) {
        return std::nullopt;
    }
    return static_cast<double>(value - low) / static_cast<double>(high - low);
}

int32_t SetFraction(snd_mixer_elem_t* e, Side side, double fraction) {
    if (!(fraction >= 0.0 && fraction <= 1.0)) return kFailed;
    long low = 0, high = 0;
    const bool capture = side == Side::kCapture;
    if ((capture ? snd_mixer_selem_get_capture_volume_range(e, &low, &high)
                 : snd_mixer_selem_get_playback_volume_range(e, &low, &high)) < 0) {
        return kFailed;
    }
    const long value = low + std::lround(fraction * static_cast<double>(high - low));
    return (capture ? snd_mixer_selem_set_capture_volume_all(e, value) : snd_mixer_selem_set_playback_volume_all(e, value)) < 0
               ? kFailed
               : kOk;
}

// Muted is the switch off.
std::optional<bool> Muted(snd_mixer_elem_t* e, Side side) {
    int on = 0;
    if ((side == Side::kCapture ? snd_mixer_selem_get_capture_switch(e, SND_MIXER_SCHN_FRONT_LEFT, &on)
                                : snd_mixer_selem_get_playback_switch(e, SND_MIXER_SCHN_FRONT_LEFT, &on)) < 0) {
        return std::nullopt;
    }
    return on == 0;
}

int32_t SetMuted(snd_mixer_elem_t* e, Side side, bool muted) {
    const int on = muted ? 0 : 1;
    return (side == Side::kCapture ? snd_mixer_selem_set_capture_switch_all(e, on)
                                   : snd_mixer_selem_set_playback_switch_all(e, on)) < 0
               ? kFailed
               : kOk;
}

float FloatOf(void** value) {
    const uint32_t word = AreaWord(value);
    float f = 0;
    std::memcpy(&f, &word, sizeof f);
    return f;
}

struct Mapping {
    const wchar_t* name;
    Side side;
    Part part;
    bool percent;  // the volume as a whole percentage rather than a fraction
};

constexpr Mapping kMappings[] = {
    {L"MuteControl", Side::kCapture, Part::kSwitch, false},
    {L"VolumeScalarControl", Side::kCapture, Part::kVolume, false},
    {L"VolumeControl", Side::kCapture, Part::kVolume, true},
    {L"AAMuteControl", Side::kMonitor, Part::kSwitch, false},
    {L"AAVolumeScalarControl", Side::kMonitor, Part::kVolume, false},
    {L"AAVolumeControl", Side::kMonitor, Part::kVolume, true},
};

// The read-only range properties: present when the side's volume is.
struct RangeProperty {
    const wchar_t* name;
    Side side;
    const char* value;
};

constexpr RangeProperty kRanges[] = {
    {L"GetMaxVol", Side::kCapture, "100"},  {L"GetMinVol", Side::kCapture, "0"},
    {L"GetVolStep", Side::kCapture, "1"},   {L"GetAAMaxVol", Side::kMonitor, "100"},
    {L"GetAAMinVol", Side::kMonitor, "0"},  {L"GetAAVolStep", Side::kMonitor, "1"},
};

int32_t PropertyOnCard(int number, const wchar_t* property, void** value, bool write) {
    if (std::wcscmp(property, L"GetSupportFeature") == 0) {
        if (write) return kFailed;
        PutAreaText(value, kNoFeatures);
        return kOk;
    }
    const Mixer mixer = OpenMixer(number);
    if (!mixer) return kFailed;
    for (const RangeProperty& range : kRanges) {
        if (std::wcscmp(property, range.name) != 0) continue;
        if (write || Control(mixer.get(), range.side, Part::kVolume) == nullptr) return kFailed;
        PutAreaText(value, range.value);
        return kOk;
    }
    for (const Mapping& m : kMappings) {
        if (std::wcscmp(property, m.name) != 0) continue;
        snd_mixer_elem_t* e = Control(mixer.get(), m.side, m.part);
        if (e == nullptr) return kFailed;
        if (m.part == Part::kSwitch) {
            if (write) return SetMuted(e, m.side, AreaWord(value) != 0);
            const std::optional<bool> muted = Muted(e, m.side);
            if (!muted) return kFailed;
            PutAreaText(value, DecimalText(int32_t{*muted ? 1 : 0}));
            return kOk;
        }
        if (write) {
            return SetFraction(e, m.side, m.percent ? static_cast<int32_t>(AreaWord(value)) / 100.0 : FloatOf(value));
        }
        const std::optional<double> fraction = Fraction(e, m.side);
        if (!fraction) return kFailed;
        PutAreaText(value, m.percent ? DecimalText(static_cast<int32_t>(std::lround(*fraction * 100)))
                                     : DecimalText(static_cast<float>(*fraction)));
        return kOk;
    }
    return kFailed;  // nothing on the card does it
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) int32_t ConfLibInit() { return kOk; }
__attribute__((visibility("default"))) int32_t ConfLibUnInit() { return kOk; }

__attribute__((visibility("default"))) int32_t CreateDeviceList() {
    std::lock_guard lock(cardMutex);
    card = FindUsbSoundCard(SysfsRoot(), HeadsetUsbId());
    return kOk;
}

__attribute__((visibility("default"))) int32_t GetDeviceCount(uint32_t flow, uint32_t* count) {
    if (count == nullptr || flow > kOsConfCapture) return kFailed;
    std::lock_guard lock(cardMutex);
    *count = card ? 1 : 0;
    return kOk;
}

__attribute__((visibility("default"))) int32_t GetDeviceById(uint32_t flow, uint32_t index, OsConfEndpoint* record) {
    if (record == nullptr || flow > kOsConfCapture || index != 0) return kFailed;
    std::lock_guard lock(cardMutex);
    if (!card) return kFailed;
    *record = {{static_cast<uint32_t>(*card), flow == kOsConfPlayback ? kPlaybackKind : kCaptureKind, 0, 1}};
    return kOk;
}

__attribute__((visibility("default"))) int32_t PropertyControl(OsConfEndpoint endpoint, const wchar_t* property,
                                                               void** value, void**, uint32_t write) {
    if (property == nullptr || value == nullptr || *value == nullptr) return kFailed;
    int number = 0;
    {
        std::lock_guard lock(cardMutex);
        if (!card || endpoint.words[0] != static_cast<uint32_t>(*card)) return kFailed;
        number = *card;
    }
    const bool capture = endpoint.words[1] == kCaptureKind;
    // The playback endpoint carries the equaliser and room effects, which a plain card lacks.
    if (!capture) {
        if (write != kOsConfRead || std::wcscmp(property, L"GetSupportFeature") != 0) return kFailed;
    }
    return PropertyOnCard(number, property, value, write == kOsConfWrite);
}

__attribute__((visibility("default"))) int32_t RegisterCallbackFunction(void (*)(void*), void*) { return kOk; }
__attribute__((visibility("default"))) int32_t ShowAsioPanel() { return kFailed; }
__attribute__((visibility("default"))) int32_t PlayTestSound(OsConfEndpoint) { return kFailed; }
__attribute__((visibility("default"))) int32_t StopTestSound(OsConfEndpoint) { return kFailed; }
__attribute__((visibility("default"))) int32_t CloseTestSound(OsConfEndpoint) { return kFailed; }

}  // extern "C"
