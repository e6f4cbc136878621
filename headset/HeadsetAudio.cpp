#include "headset/HeadsetAudio.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "headset/osconf/OsConfText.h"

namespace orvane {

// A property, its endpoint and the selector words put into the extra area (none: no area).
struct AudioProperty {
    std::wstring name;
    bool capture = false;
    int selectorWords = 0;
    std::array<int32_t, 3> selector{};
};

namespace {

using Property = AudioProperty;

constexpr EqBandValues kPresets[kEqPresetCount] = {
    {7, 11, 2, -3, -1, 4, 9, 12, 9, 5},
    {7, 11, 6, -3, -11, -1, 6, 13, 6, 13},
    {10, 4, 0, -3, -4, -3, -2, -1, 0, 0},
    {2, 1, -2, -3, -5, -7, 0, 4, 9, 8},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {7, 14, -13, -6, -1, 8, 13, 7, 2, 6},
    {14, 10, 4, 0, -4, -3, -1, 1, 2, 3},
    {2, 1, -2, -3, -5, -1, 7, 11, 15, 13},
    {8, 2, -4, -8, 1, 3, 8, 11, 14, 16},
    {-3, 4, 10, 0, -11, 3, 9, 13, 6, 0},
    {18, 14, 8, 2, -3, -6, -1, 2, 5, 6},
    {2, 1, -2, -4, -8, 4, 12, 16, 18, 15},
};

constexpr uint32_t kPlaybackKinds[] = {1, 12, 7, 4};  // in order of preference
constexpr uint32_t kCaptureKind = 2;
constexpr size_t kFeatureItems = 7;
constexpr size_t kFeatureItemOfWord[] = {0, 4, 6};

Property Playback(std::wstring name) { return {std::move(name), false, 0, {}}; }
Property Capture(std::wstring name) { return {std::move(name), true, 0, {}}; }
Property Capture(std::wstring name, int32_t selector) { return {std::move(name), true, 1, {selector, 0, 0}}; }

Property Band(int band) { return Playback(L"EQ_Slider" + std::to_wstring(band + 1)); }

const Property kSurround{L"VirtualSurroundEffectControl", false, 3, {4, -1, 0}};
const Property kNoiseReduction = Capture(L"Enable_ENC_LFX");
const Property kInputVolume = Capture(L"VolumeControl", -1);
const Property kEqualiserOn = Playback(L"Enable_EQ_GFX");
const Property kRoomOn = Playback(L"Enable_RFX_GFX");
const Property kRoomEnvironment = Playback(L"RFX_ENVIRONMENT");
const Property kRoomSize = Playback(L"RFX_ROOMSIZE");
const Property kMicMute = Capture(L"MuteControl");
const Property kMicLevel = Capture(L"VolumeScalarControl", -1);
const Property kMonitorVolume = Capture(L"AAVolumeControl", 0);
const Property kMonitorMute = Capture(L"AAMuteControl");
const Property kMonitorLevel = Capture(L"AAVolumeScalarControl", 0);
const Property kVoiceOn = Capture(L"Enable_MAGICVOICE");
const Property kMicEcho = Capture(L"Enable_MICECHO");
const Property kVoiceKind = Capture(L"MagicVoice_Selection");
const Property kMonitorMaximum = Capture(L"GetAAMaxVol");

int Clamp(int value, int low, int high) { return std::clamp(value, low, high); }
int Flag(int value) { return value != 0 ? 1 : 0; }

EqBandValues ClampGains(EqBandValues bands) {
    for (int32_t& gain : bands) gain = Clamp(gain, kEqGainMin, kEqGainMax);
    return bands;
}

HeadsetSystemSettings Clamped(HeadsetSystemSettings s) {
    s.MagicEnable = Flag(s.MagicEnable);
    s.MagicType = Clamp(s.MagicType, 0, kVoiceEffectKinds);
    if (s.EqType < 0 || s.EqType > CHs8127Profiledata::kCustomEqType) s.EqType = 0;
    s.CustomEqSeletIndex = Clamp(s.CustomEqSeletIndex, 0, CHs8127Profiledata::kMaxCustomEqualisers - 1);
    s.MicInSelect = Flag(s.MicInSelect);
    s.MicInValue = Clamp(s.MicInValue, 0, kMaxAudioLevel);
    s.MicMoniterSelect = Flag(s.MicMoniterSelect);
    s.MicMoniterValue = Clamp(s.MicMoniterValue, 0, kMaxAudioLevel);
    return s;
}

// A level read as a fraction: the text of 0.57 is just below 0.57 × 100 in binary, and must still
// come back as 57.
int PercentOf(double fraction) { return static_cast<int>(fraction * 100.0 + 1e-6); }

// The items of a feature list text split at ',' with empty items dropped.
std::vector<std::string> FeatureItems(void* const* area) {
    const auto* text = static_cast<const wchar_t*>(*area);
    std::vector<std::string> items;
    std::string item;
    for (size_t i = 0; i < kOsConfAreaBytes / sizeof(wchar_t) && text[i] != L'\0'; ++i) {
        if (text[i] == L',') {
            if (!item.empty()) items.push_back(std::move(item));
            item.clear();
        } else if (text[i] < 0x80) {
            item.push_back(static_cast<char>(text[i]));
        }
    }
    if (!item.empty()) items.push_back(std::move(item));
    return items;
}

uint32_t DecimalWord(const std::string& text) {
    // Decimal digits up to the first other character, as a C-style conversion reads them.
    uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        value = std::min<uint64_t>(value * 10 + static_cast<uint64_t>(c - '0'), UINT32_MAX);
    }
    return static_cast<uint32_t>(value);
}

char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return FoldCase(x) == FoldCase(y); });
}

}  // namespace

const EqBandValues& EqPresetBands(int preset) {
    return kPresets[(preset >= 1 && preset <= kEqPresetCount) ? preset - 1 : 0];
}

HeadsetAudio::HeadsetAudio(std::shared_ptr<AudioLibrary> library, CHs8127Profiledata& document)
    : library_(std::move(library)), document_(document) {}

// --- Start-up ---

std::vector<std::string> HeadsetAudio::Init() {
    std::vector<std::string> messages;
    if (!library_) return messages;
    initialised_ = library_->ConfLibInit() == 0;
    if (!initialised_) messages.emplace_back("ConfLibInit called failed!");
    library_->CreateDeviceList();
    uint32_t count = 0;
    library_->GetDeviceCount(kOsConfPlayback, count);
    if (count == 0) return messages;
    FindAudioEndpoints();
    ReadEndpointFeatures(capture_, messages);
    ReadEndpointFeatures(playback_, messages);
    ResetHeadsetEffects();
    ReadHeadsetState();
    return messages;
}

bool HeadsetAudio::Available() const { return library_ && initialised_ && playback_.record[1] != 0; }

bool HeadsetAudio::VoiceEffectSupported() const {
    return Available() && (capture_.features[0] & kVoiceEffectFeature) != 0;
}

bool HeadsetAudio::EqualiserAvailable() const { return Available() && equaliser_; }
bool HeadsetAudio::MicrophoneAvailable() const { return Available() && microphone_; }
bool HeadsetAudio::MonitorAvailable() const { return Available() && monitor_; }

void HeadsetAudio::FindAudioEndpoints() {
    uint32_t count = 0;
    library_->GetDeviceCount(kOsConfPlayback, count);
    bool found = false;
    for (uint32_t kind : kPlaybackKinds) {
        for (uint32_t i = 0; i < count && !found; ++i) {
            EndpointRecord record{};
            if (library_->GetDeviceById(kOsConfPlayback, i, record) != 0) continue;
            if (record[1] == kind && record[3] == 1) {
                playback_.record = record;
                found = true;
            }
        }
        if (found) break;
    }
    count = 0;
    library_->GetDeviceCount(kOsConfCapture, count);
    for (uint32_t i = 0; i < count; ++i) {
        EndpointRecord record{};
        if (library_->GetDeviceById(kOsConfCapture, i, record) == 0 && record[1] == kCaptureKind) {
            capture_.record = record;
            break;
        }
    }
}

void HeadsetAudio::ReadEndpointFeatures(AudioEndpoint& endpoint, std::vector<std::string>& messages) {
    if (endpoint.record[1] < 1) return;
    std::array<std::byte, kOsConfFeatureAreaBytes> buffer{};
    std::array<std::byte, kOsConfAreaBytes> extraArea{};
    void* value = buffer.data();
    void* extra = extraArea.data();
    if (library_->PropertyControl(endpoint.record, L"GetSupportFeature", &value, &extra, false) != 0) return;
    const std::vector<std::string> items = FeatureItems(&value);
    if (items.size() < kFeatureItems) {
        messages.emplace_back("UpdateAPOAvailable failed!");
        return;
    }
    for (size_t w = 0; w < endpoint.features.size(); ++w) endpoint.features[w] = DecimalWord(items[kFeatureItemOfWord[w]]);
}

void HeadsetAudio::ResetHeadsetEffects() {
    // Each property that does not read is set to 0; what reads is left as the user last set it.
    auto reset = [this](const Property& property) {
        return Read(property) == 0 || Write(property, 0) == 0;
    };
    reset(kSurround);
    reset(kNoiseReduction);
    reset(kInputVolume);
    equaliser_ = reset(kEqualiserOn);
    for (int band = 0; band < static_cast<int>(kEqBandCount); ++band) equaliser_ = reset(Band(band)) && equaliser_;
    reset(kRoomOn);
    reset(kRoomEnvironment);
    reset(kRoomSize);
    microphone_ = reset(kMicMute);
    microphone_ = reset(kMicLevel) && microphone_;
    reset(kMonitorVolume);
    reset(kMonitorMute);
    reset(kMonitorLevel);
    reset(kVoiceOn);
    reset(kVoiceKind);
}

// --- State ---

void HeadsetAudio::ReloadFromProfile() {
    settings_ = Clamped(document_.GetHeadsetSystemSettings());
    std::optional<EqBandValues> bands = settings_.EqType == CHs8127Profiledata::kCustomEqType
                                            ? document_.GetCustomEqBands(settings_.CustomEqSeletIndex)
                                            : document_.GetEqBands(settings_.EqType);
    bands_ = ClampGains(bands.value_or(EqBandValues{}));
    names_ = document_.GetCustomEqNames();
    if (names_.size() > CHs8127Profiledata::kMaxCustomEqualisers) names_.resize(CHs8127Profiledata::kMaxCustomEqualisers);
    selection_ = settings_.CustomEqSeletIndex < static_cast<int>(names_.size()) ? settings_.CustomEqSeletIndex : -1;
}

void HeadsetAudio::ReadHeadsetState() {
    if (!Available()) return;
    double value = 0;
    if (Read(kMicMute, &value) == 0) {
        micMuted_ = value != 0;
        settings_.MicInSelect = micMuted_ ? 0 : 1;
    }
    if (Read(kMicLevel, &value) == 0) settings_.MicInValue = Clamp(PercentOf(value), 0, kMaxAudioLevel);
    monitor_ = Read(kMonitorMaximum) == 0;
    if (monitor_) {
        if (Read(kMonitorMute, &value) == 0) {
            monitorMuted_ = value != 0;
            settings_.MicMoniterSelect = monitorMuted_ ? 0 : 1;
        }
        if (Read(kMonitorLevel, &value) == 0) settings_.MicMoniterValue = Clamp(PercentOf(value), 0, kMaxAudioLevel);
    }
    if ((capture_.features[0] & kVoiceEffectFeature) != 0 && Read(kVoiceOn, &value) == 0) {
        settings_.MagicEnable = Flag(static_cast<int>(value));
    }
    if (Read(kVoiceKind, &value) == 0 && value >= 0 && value <= kVoiceEffectKinds - 1) {
        settings_.MagicType = static_cast<int>(value) + 1;
    }
}

// --- Equaliser ---

void HeadsetAudio::SelectEqPreset(int n) {
    if (n == CHs8127Profiledata::kCustomEqType) {
        settings_.EqType = n;
        ApplyCustomEq(selection_);
        document_.SaveProfile();
        return;
    }
    if (n < 1 || n > kEqPresetCount) return;
    bands_ = EqPresetBands(n);
    WriteBandsToHeadset();
    settings_.EqType = n;
    StoreSettings();
    document_.SetEqBands(n, bands_);
    document_.SaveProfile();
}

void HeadsetAudio::SetEqBand(int band, int gain) {
    if (band < 0 || band >= static_cast<int>(kEqBandCount)) return;
    if (settings_.EqType != CHs8127Profiledata::kCustomEqType) {
        settings_.EqType = CHs8127Profiledata::kCustomEqType;
        selection_ = -1;
    }
    bands_[static_cast<size_t>(band)] = Clamp(gain, kEqGainMin, kEqGainMax);
    Write(Band(band), static_cast<uint32_t>(bands_[static_cast<size_t>(band)]));
}

void HeadsetAudio::ApplyCustomEq(int selection) {
    if (selection < 0 || selection >= static_cast<int>(names_.size())) return;
    bands_ = ClampGains(document_.GetCustomEqBands(selection).value_or(EqBandValues{}));
    WriteBandsToHeadset();
    selection_ = selection;
    settings_.CustomEqSeletIndex = selection;
    StoreSettings();
    document_.SaveProfile();
}

int HeadsetAudio::SaveCustomEq(const std::string& name, int selection, const EqBandValues& sliders) {
    if (name.empty()) {
        if (selection < 0 || selection >= static_cast<int>(names_.size())) return -1;
        bands_ = ClampGains(sliders);
        settings_.CustomEqSeletIndex = selection;
        StoreSettings();
        document_.SetCustomEqBands(selection, bands_);
        document_.SaveProfile();
        return 1;
    }
    if (names_.size() >= CHs8127Profiledata::kMaxCustomEqualisers) return -1;
    if (NameTaken(name)) return 0;
    names_.push_back(name);
    bands_ = ClampGains(sliders);
    selection_ = static_cast<int>(names_.size()) - 1;
    settings_.CustomEqSeletIndex = selection_;
    StoreSettings();
    document_.SetCustomEqBands(selection_, bands_);
    document_.SetCustomEqNames(names_);
    document_.SaveProfile();
    return 1;
}

void HeadsetAudio::DeleteCustomEq(int selection) {
    if (selection < 0 || selection >= static_cast<int>(names_.size())) return;
    names_.erase(names_.begin() + selection);
    if (names_.empty()) {
        selection_ = -1;
        settings_.EqType = 1;
        StoreSettings();
        bands_ = ClampGains(document_.GetEqBands(1).value_or(EqBandValues{}));
    } else {
        // The bands move up with the names, so every name keeps its own bands.
        for (int i = selection; i < static_cast<int>(names_.size()); ++i) {
            document_.SetCustomEqBands(i, document_.GetCustomEqBands(i + 1).value_or(EqBandValues{}));
        }
        selection_ = 0;
        settings_.CustomEqSeletIndex = 0;
        StoreSettings();
        bands_ = ClampGains(document_.GetCustomEqBands(0).value_or(EqBandValues{}));
    }
    // Also when none is left: a name kept in the file would come back at the next load.
    document_.SetCustomEqNames(names_);
    document_.SaveProfile();
}

// --- Microphone and monitor ---

void HeadsetAudio::ToggleMicIn() {
    micMuted_ = !micMuted_;
    if (WriteFlag(kMicMute, micMuted_) != 0) return;
    settings_.MicInSelect = micMuted_ ? 0 : 1;
    StoreSettings();
    document_.SaveProfile();
}

void HeadsetAudio::SetMicInLevel(int level) {
    const int v = Clamp(level, 0, kMaxAudioLevel);
    if (WriteLevel(kMicLevel, v) != 0) return;
    settings_.MicInValue = v;
    StoreSettings();
    document_.SaveProfile();
}

void HeadsetAudio::ToggleMicMonitor() {
    monitorMuted_ = !monitorMuted_;
    if (WriteFlag(kMonitorMute, monitorMuted_) != 0) return;
    settings_.MicMoniterSelect = monitorMuted_ ? 0 : 1;
    StoreSettings();
    document_.SaveProfile();
}

void HeadsetAudio::SetMicMonitorLevel(int level) {
    const int v = Clamp(level, 0, kMaxAudioLevel);
    if (WriteLevel(kMonitorLevel, v) != 0) return;
    settings_.MicMoniterValue = v;
    StoreSettings();
    document_.SaveProfile();
}

// --- Voice effect ---

void HeadsetAudio::ToggleVoiceEffect(bool on) {
    WriteFlag(kVoiceOn, on);
    if (on) WriteFlag(kMicEcho, false);
    settings_.MagicEnable = on ? 1 : 0;
    StoreSettings();
    document_.SaveProfile();
}

void HeadsetAudio::SelectVoiceEffect(int n) {
    if (n < 1 || n > kVoiceEffectKinds) return;
    Write(kVoiceKind, static_cast<uint32_t>(n - 1));
    settings_.MagicType = n;
    StoreSettings();
    document_.SaveProfile();
}

// --- Library calls ---

const AudioEndpoint& HeadsetAudio::EndpointOf(const AudioProperty& property) const {
    return property.capture ? capture_ : playback_;
}

int32_t HeadsetAudio::Read(const Property& property, double* number) const {
    const AudioEndpoint& endpoint = EndpointOf(property);
    if (!library_ || endpoint.record[1] < 1) return -1;
    std::array<std::byte, kOsConfAreaBytes> valueArea{};
    std::array<std::byte, kOsConfAreaBytes> extraArea{};
    std::memcpy(extraArea.data(), property.selector.data(), sizeof(int32_t) * static_cast<size_t>(property.selectorWords));
    void* value = valueArea.data();
    void* extra = extraArea.data();
    const int32_t result =
        library_->PropertyControl(endpoint.record, property.name.c_str(), &value, property.selectorWords > 0 ? &extra : nullptr, false);
    if (result == 0 && number != nullptr) {
        const std::optional<double> read = osconf::AreaNumber(&value);
        if (!read) return -1;  // a success without a number is no value to take
        *number = *read;
    }
    return result;
}

int32_t HeadsetAudio::Write(const Property& property, uint32_t word) const {
    const AudioEndpoint& endpoint = EndpointOf(property);
    if (!library_ || endpoint.record[1] < 1) return -1;
    std::array<std::byte, kOsConfAreaBytes> valueArea{};
    std::array<std::byte, kOsConfAreaBytes> extraArea{};
    std::memcpy(valueArea.data(), &word, sizeof word);
    std::memcpy(extraArea.data(), property.selector.data(), sizeof(int32_t) * static_cast<size_t>(property.selectorWords));
    void* value = valueArea.data();
    void* extra = extraArea.data();
    return library_->PropertyControl(endpoint.record, property.name.c_str(), &value,
                                     property.selectorWords > 0 ? &extra : nullptr, true);
}

int32_t HeadsetAudio::WriteLevel(const Property& property, int level) const {
    const float fraction = static_cast<float>(level) / 100.0f;
    uint32_t word = 0;
    std::memcpy(&word, &fraction, sizeof word);
    return Write(property, word);
}

void HeadsetAudio::WriteBandsToHeadset() {
    Write(kEqualiserOn, 1);
    for (int band = 0; band < static_cast<int>(kEqBandCount); ++band) {
        Write(Band(band), static_cast<uint32_t>(bands_[static_cast<size_t>(band)]));
    }
}

void HeadsetAudio::StoreSettings() { document_.SetHeadsetSystemSettings(settings_); }

bool HeadsetAudio::NameTaken(const std::string& name) const {
    return std::any_of(names_.begin(), names_.end(), [&](const std::string& n) { return SameIgnoringCase(n, name); });
}

}  // namespace orvane
