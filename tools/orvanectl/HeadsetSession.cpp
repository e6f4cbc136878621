#include "tools/orvanectl/HeadsetSession.h"

#include <json/json.h>

#include <cstdio>

namespace orvane::tool {
namespace {

Json::Value Bands(const EqBandValues& bands) {
    Json::Value list(Json::arrayValue);
    for (int32_t gain : bands) list.append(gain);
    return list;
}

std::string BandText(const EqBandValues& bands) {
    std::string text;
    for (int32_t gain : bands) text += (text.empty() ? "" : " ") + std::to_string(gain);
    return text;
}

const char* OnOff(int value) { return value != 0 ? "on" : "off"; }
const char* Shown(bool available) { return available ? "" : "  (not available)"; }

}  // namespace

HeadsetSession::HeadsetSession(std::unique_ptr<PadSession> padSession)
    : session(std::move(padSession)),
      device(static_cast<HeadsetDevice&>(session->pad)),
      audio(AudioLibrary::ForHeadset(device.Emulated()), device.Headset()) {}

std::unique_ptr<HeadsetSession> OpenHeadsetSession(const GlobalOptions& options, int& exitCode) {
    GlobalOptions headset = options;
    headset.headset = true;
    auto padSession = OpenPadSession(headset, OpenPadProfileList(true), exitCode);
    if (!padSession) return nullptr;
    auto session = std::make_unique<HeadsetSession>(std::move(padSession));
    for (const std::string& message : session->audio.Init()) std::fprintf(stderr, "orvanectl: %s\n", message.c_str());
    session->audio.ReloadFromProfile();
    session->audio.ReadHeadsetState();
    return session;
}

Json::Value AudioJson(const HeadsetAudio& audio) {
    const HeadsetSystemSettings& s = audio.Settings();
    Json::Value doc(Json::objectValue);
    doc["available"] = audio.Available();
    Json::Value& eq = doc["equaliser"];
    eq["available"] = audio.EqualiserAvailable();
    eq["type"] = s.EqType;
    eq["bands"] = Bands(audio.Bands());
    eq["custom"] = Json::Value(Json::arrayValue);
    for (const std::string& name : audio.CustomNames()) eq["custom"].append(name);
    eq["selected"] = audio.CustomSelection();
    Json::Value& mic = doc["microphone"];
    mic["available"] = audio.MicrophoneAvailable();
    mic["on"] = s.MicInSelect != 0;
    mic["level"] = s.MicInValue;
    Json::Value& monitor = doc["monitor"];
    monitor["available"] = audio.MonitorAvailable();
    monitor["on"] = s.MicMoniterSelect != 0;
    monitor["level"] = s.MicMoniterValue;
    Json::Value& voice = doc["voice"];
    voice["available"] = audio.VoiceEffectSupported();
    voice["on"] = s.MagicEnable != 0;
    voice["kind"] = s.MagicType;
    return doc;
}

void PrintAudio(const HeadsetAudio& audio) {
    const HeadsetSystemSettings& s = audio.Settings();
    std::printf("audio                 %s\n", audio.Available() ? "available" : "not available (no audio library or no sound card)");
    std::string eq = s.EqType == CHs8127Profiledata::kCustomEqType ? std::string("custom")
                     : s.EqType == 0                               ? std::string("none")
                                                                   : "preset " + std::to_string(s.EqType);
    if (s.EqType == CHs8127Profiledata::kCustomEqType && audio.CustomSelection() >= 0) {
        eq += " \"" + audio.CustomNames()[static_cast<size_t>(audio.CustomSelection())] + "\"";
    }
    std::printf("equaliser             %s%s\n", eq.c_str(), Shown(audio.EqualiserAvailable()));
    std::printf("bands                 %s\n", BandText(audio.Bands()).c_str());
    std::string names;
    for (const std::string& name : audio.CustomNames()) names += (names.empty() ? "" : ", ") + name;
    std::printf("custom equalisers     %s\n", names.empty() ? "-" : names.c_str());
    std::printf("microphone            %s, level %d%s\n", OnOff(s.MicInSelect), s.MicInValue, Shown(audio.MicrophoneAvailable()));
    std::printf("monitor               %s, level %d%s\n", OnOff(s.MicMoniterSelect), s.MicMoniterValue,
                Shown(audio.MonitorAvailable()));
    std::printf("voice effect          %s, kind %d%s\n", OnOff(s.MagicEnable), s.MagicType, Shown(audio.VoiceEffectSupported()));
}

}  // namespace orvane::tool
