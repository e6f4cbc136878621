// The emulated audio configuration library: one playback and one capture endpoint whose
// properties live in memory. A property reads only after it was written, as on a headset whose
// effects were never set up; the read-only ones ("Get…") always read.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>
#include <set>
#include <string>

#include "headset/osConfLib.h"
#include "headset/osconf/OsConfJournal.h"
#include "headset/osconf/OsConfText.h"

namespace {

using orvane::osconf::AreaWord;
using orvane::osconf::DecimalText;
using orvane::osconf::PutAreaText;

constexpr int32_t kOk = 0;
constexpr int32_t kFailed = -1;
constexpr uint32_t kPlaybackKind = 1;
constexpr uint32_t kCaptureKind = 2;

const OsConfEndpoint kEndpoints[] = {
    {{0x100, kPlaybackKind, 0, 1}},
    {{0x200, kCaptureKind, 0, 1}},
};

// Every feature; 0x20000 in the capture list's first item is the voice effect.
constexpr const char* kPlaybackFeatures = "65535,0,0,0,65535,0,65535";
constexpr const char* kCaptureFeatures = "262143,0,0,0,65535,0,65535";

const std::set<std::wstring> kScalarLevels = {L"VolumeScalarControl", L"AAVolumeScalarControl"};

const std::set<std::wstring>& WritableProperties(uint32_t flow) {
    static const std::set<std::wstring> playback = {
        L"VirtualSurroundEffectControl", L"Enable_EQ_GFX", L"EQ_Slider1", L"EQ_Slider2", L"EQ_Slider3",
        L"EQ_Slider4", L"EQ_Slider5", L"EQ_Slider6", L"EQ_Slider7", L"EQ_Slider8", L"EQ_Slider9", L"EQ_Slider10",
        L"Enable_RFX_GFX", L"RFX_ENVIRONMENT", L"RFX_ROOMSIZE"};
    static const std::set<std::wstring> capture = {
        L"Enable_ENC_LFX", L"VolumeControl", L"MuteControl", L"VolumeScalarControl", L"AAVolumeControl",
        L"AAMuteControl", L"AAVolumeScalarControl", L"Enable_MAGICVOICE", L"Enable_MICECHO",
        L"MagicVoice_Selection"};
    return flow == kOsConfPlayback ? playback : capture;
}

std::string ReadOnlyValue(uint32_t flow, const std::wstring& property) {
    if (property == L"GetSupportFeature") {
        if (flow == kOsConfPlayback) return kPlaybackFeatures;
        const char* replaced = std::getenv("ORVANE_EMULATED_AUDIO_FEATURES");
        return replaced != nullptr ? replaced : kCaptureFeatures;
    }
    if (flow != kOsConfCapture) return {};
    if (property == L"GetMaxVol" || property == L"GetAAMaxVol") return "100";
    if (property == L"GetMinVol" || property == L"GetAAMinVol") return "0";
    if (property == L"GetVolStep" || property == L"GetAAVolStep") return "1";
    return {};
}

struct Emulation {
    std::mutex mutex;
    std::map<std::wstring, uint32_t> values[2];  // by flow
    std::deque<OsConfJournalEntry> journal;     // bounded: kOsConfJournalCapacity

    void Note(uint32_t flow, const wchar_t* property, bool write, void** value, void** extra, int32_t result) {
        OsConfJournalEntry entry{};
        std::wcsncpy(entry.property, property, kOsConfJournalNameChars - 1);
        entry.flow = flow;
        entry.write = write ? kOsConfWrite : kOsConfRead;
        entry.value = write ? AreaWord(value) : 0;
        entry.hasExtra = extra != nullptr && *extra != nullptr ? 1 : 0;
        entry.selector = static_cast<int32_t>(AreaWord(extra));
        entry.result = result;
        if (journal.size() == kOsConfJournalCapacity) journal.pop_front();
        journal.push_back(entry);
    }

    int32_t Control(uint32_t flow, const std::wstring& property, void** value, bool write) {
        if (value == nullptr || *value == nullptr) return kFailed;
        if (write) {
            if (!WritableProperties(flow).contains(property)) return kFailed;
            values[flow][property] = AreaWord(value);
            return kOk;
        }
        if (const std::string fixed = ReadOnlyValue(flow, property); !fixed.empty()) {
            PutAreaText(value, fixed);
            return kOk;
        }
        const auto found = values[flow].find(property);
        if (found == values[flow].end()) return kFailed;
        if (kScalarLevels.contains(property)) {
            float level = 0;
            std::memcpy(&level, &found->second, sizeof level);
            PutAreaText(value, DecimalText(level));
        } else {
            PutAreaText(value, DecimalText(static_cast<int32_t>(found->second)));
        }
        return kOk;
    }
};

Emulation& State() {
    static Emulation emulation;
    return emulation;
}

// The endpoint's flow, or -1 for a record that is not one of ours.
int FlowOf(const OsConfEndpoint& endpoint) {
    for (uint32_t flow = 0; flow < 2; ++flow) {
        if (std::memcmp(&endpoint, &kEndpoints[flow], sizeof endpoint) == 0) return static_cast<int>(flow);
    }
    return -1;
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) int32_t ConfLibInit() {
    const char* init = std::getenv("ORVANE_EMULATED_AUDIO_INIT");
    return init != nullptr && std::strcmp(init, "fail") == 0 ? kFailed : kOk;
}

__attribute__((visibility("default"))) int32_t ConfLibUnInit() { return kOk; }

__attribute__((visibility("default"))) int32_t CreateDeviceList() { return kOk; }

__attribute__((visibility("default"))) int32_t GetDeviceCount(uint32_t flow, uint32_t* count) {
    if (count == nullptr || flow > kOsConfCapture) return kFailed;
    *count = 1;
    return kOk;
}

__attribute__((visibility("default"))) int32_t GetDeviceById(uint32_t flow, uint32_t index, OsConfEndpoint* record) {
    if (record == nullptr || flow > kOsConfCapture || index != 0) return kFailed;
    *record = kEndpoints[flow];
    return kOk;
}

__attribute__((visibility("default"))) int32_t PropertyControl(OsConfEndpoint endpoint, const wchar_t* property,
                                                               void** value, void** extra, uint32_t write) {
    const int flow = FlowOf(endpoint);
    if (property == nullptr || flow < 0) return kFailed;
    Emulation& state = State();
    std::lock_guard lock(state.mutex);
    const auto name = std::wstring(property, wcsnlen(property, kOsConfAreaBytes));
    const int32_t result = state.Control(static_cast<uint32_t>(flow), name, value, write == kOsConfWrite);
    state.Note(static_cast<uint32_t>(flow), name.c_str(), write == kOsConfWrite, value, extra, result);
    return result;
}

__attribute__((visibility("default"))) int32_t RegisterCallbackFunction(void (*)(void*), void*) { return kOk; }
__attribute__((visibility("default"))) int32_t ShowAsioPanel() { return kFailed; }
__attribute__((visibility("default"))) int32_t PlayTestSound(OsConfEndpoint) { return kFailed; }
__attribute__((visibility("default"))) int32_t StopTestSound(OsConfEndpoint) { return kFailed; }
__attribute__((visibility("default"))) int32_t CloseTestSound(OsConfEndpoint) { return kFailed; }

__attribute__((visibility("default"))) uint32_t OsConfEmulatedJournal(OsConfJournalEntry* entries, uint32_t capacity) {
    Emulation& state = State();
    std::lock_guard lock(state.mutex);
    if (entries == nullptr) return 0;
    const size_t count = std::min<size_t>(capacity, state.journal.size());
    std::copy(state.journal.end() - static_cast<std::ptrdiff_t>(count), state.journal.end(), entries);
    return static_cast<uint32_t>(count);
}

__attribute__((visibility("default"))) void OsConfEmulatedReset() {
    Emulation& state = State();
    std::lock_guard lock(state.mutex);
    for (auto& values : state.values) values.clear();
    state.journal.clear();
}

}  // extern "C"
