// The headset's audio from the command line, through the same core its page runs: `eq`, `mic`,
// `monitor`, and `config --headset` with the audio state. Every change is written to the headset
// and kept in its selected profile as the page keeps it.
#include <json/json.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <iostream>
#include <optional>

#include "tools/orvanectl/Commands.h"
#include "tools/orvanectl/HeadsetSession.h"

namespace orvane::tool {
namespace {

constexpr const char* kEqUsage =
    "usage: orvanectl eq [--json] | eq PRESET (1-12) | eq custom NAME | eq bands G1 … G10 [--save NAME]\n"
    "       (gains -13 to 18; the bands become the custom equaliser, kept under NAME with --save)";
constexpr const char* kMicUsage = "usage: orvanectl mic [--json] | mic on|off|LEVEL (0-100)";
constexpr const char* kMonitorUsage = "usage: orvanectl monitor [--json] | monitor on|off|LEVEL (0-100)";

std::optional<int> Number(const std::string& text, int low, int high) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) return std::nullopt;
    return value;
}

int Show(const HeadsetAudio& audio, bool json) {
    if (json) {
        std::cout << AudioJson(audio).toStyledString();
    } else {
        PrintAudio(audio);
    }
    return kExitOk;
}

// Takes "--json" out of the arguments.
bool TakeJson(Args& args) { return std::erase(args, std::string("--json")) > 0; }

int SetEqualiser(HeadsetAudio& audio, const Args& args) {
    if (!audio.EqualiserAvailable()) return Fail(kExitFailure, "the headset's equaliser is not available");
    if (args[0] == "custom") {
        if (args.size() != 2) return Fail(kExitUsage, kEqUsage);
        const auto& names = audio.CustomNames();
        const auto found = std::find(names.begin(), names.end(), args[1]);
        if (found == names.end()) return Fail(kExitUsage, "no custom equaliser " + args[1]);
        audio.ApplyCustomEq(static_cast<int>(found - names.begin()));
        audio.SelectEqPreset(CHs8127Profiledata::kCustomEqType);
        return kExitOk;
    }
    if (args[0] == "bands") {
        const bool save = args.size() == 1 + kEqBandCount + 2 && args[1 + kEqBandCount] == "--save";
        if (args.size() != 1 + kEqBandCount && !save) return Fail(kExitUsage, kEqUsage);
        EqBandValues gains{};
        for (size_t b = 0; b < kEqBandCount; ++b) {
            const auto gain = Number(args[1 + b], kEqGainMin, kEqGainMax);
            if (!gain) return Fail(kExitUsage, "a gain is a whole number from -13 to 18: " + args[1 + b]);
            gains[b] = *gain;
        }
        for (size_t b = 0; b < kEqBandCount; ++b) audio.SetEqBand(static_cast<int>(b), gains[b]);
        if (!save) return kExitOk;
        switch (audio.SaveCustomEq(args.back(), -1, gains)) {
            case 1: return kExitOk;
            case 0: return Fail(kExitFailure, "a custom equaliser is already called " + args.back());
            default: return Fail(kExitFailure, "there are already 20 custom equalisers");
        }
    }
    const auto preset = args.size() == 1 ? Number(args[0], 1, kEqPresetCount) : std::nullopt;
    if (!preset) return Fail(kExitUsage, kEqUsage);
    audio.SelectEqPreset(*preset);
    return kExitOk;
}

// on, off or a level for the microphone or its monitor; the switch is flipped only when needed.
struct Channel {
    bool (HeadsetAudio::*available)() const;
    bool (HeadsetAudio::*muted)() const;
    void (HeadsetAudio::*toggle)();
    void (HeadsetAudio::*setLevel)(int);
    int32_t HeadsetSystemSettings::*select;
    int32_t HeadsetSystemSettings::*level;
    const char* noun;
    const char* usage;
};

int SetChannel(HeadsetAudio& audio, const Channel& c, const std::string& arg) {
    if (!(audio.*c.available)()) return Fail(kExitFailure, std::string("the headset's ") + c.noun + " is not available");
    if (arg == "on" || arg == "off") {
        const bool on = arg == "on";
        if ((audio.*c.muted)() == on) (audio.*c.toggle)();
        if ((audio.Settings().*c.select != 0) != on) return Fail(kExitFailure, std::string("the headset refused the ") + c.noun + " switch");
        return kExitOk;
    }
    const auto level = Number(arg, 0, kMaxAudioLevel);
    if (!level) return Fail(kExitUsage, c.usage);
    (audio.*c.setLevel)(*level);
    if (audio.Settings().*c.level != *level) return Fail(kExitFailure, std::string("the headset refused the ") + c.noun + " level");
    return kExitOk;
}

int ChannelCommand(const GlobalOptions& options, const Args& given, const Channel& channel) {
    Args args = given;
    const bool json = TakeJson(args);
    if (args.size() > 1) return Fail(kExitUsage, channel.usage);
    int code = kExitOk;
    auto headset = OpenHeadsetSession(options, code);
    if (!headset) return code;
    if (!args.empty()) {
        if (int r = SetChannel(headset->audio, channel, args[0]); r != kExitOk) return r;
    }
    return Show(headset->audio, json);
}

const Channel kMicrophone{&HeadsetAudio::MicrophoneAvailable, &HeadsetAudio::MicMuted, &HeadsetAudio::ToggleMicIn,
                          &HeadsetAudio::SetMicInLevel, &HeadsetSystemSettings::MicInSelect,
                          &HeadsetSystemSettings::MicInValue, "microphone", kMicUsage};
const Channel kMonitor{&HeadsetAudio::MonitorAvailable, &HeadsetAudio::MonitorMuted, &HeadsetAudio::ToggleMicMonitor,
                       &HeadsetAudio::SetMicMonitorLevel, &HeadsetSystemSettings::MicMoniterSelect,
                       &HeadsetSystemSettings::MicMoniterValue, "microphone monitor", kMonitorUsage};

}  // namespace

int HeadsetConfigCommand(const GlobalOptions& options, const Args& given) {
    Args args = given;
    const bool json = TakeJson(args);
    if (!args.empty()) return Fail(kExitUsage, "usage: orvanectl --headset config [--json]");
    int code = kExitOk;
    auto headset = OpenHeadsetSession(options, code);
    if (!headset) return code;
    Json::Value extra(Json::objectValue);
    extra["audio"] = AudioJson(headset->audio);
    PrintPadBlock(headset->device.Block(), json, &extra);
    if (!json) PrintAudio(headset->audio);
    return kExitOk;
}

int EqCommand(const GlobalOptions& options, const Args& given) {
    Args args = given;
    const bool json = TakeJson(args);
    int code = kExitOk;
    auto headset = OpenHeadsetSession(options, code);
    if (!headset) return code;
    if (!args.empty()) {
        if (int r = SetEqualiser(headset->audio, args); r != kExitOk) return r;
    }
    return Show(headset->audio, json);
}

int MicCommand(const GlobalOptions& options, const Args& args) { return ChannelCommand(options, args, kMicrophone); }

int MonitorCommand(const GlobalOptions& options, const Args& args) { return ChannelCommand(options, args, kMonitor); }

}  // namespace orvane::tool
