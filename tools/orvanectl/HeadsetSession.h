#pragma once
// The headset as its page holds it once connected, audio included: the pad side's session on the
// headset, and its audio functions on the audio library that goes with it (the emulated one for
// the emulated headset), started, with the profile and the headset's state read.

#include <memory>
#include <string>
#include <vector>

#include "headset/HeadsetAudio.h"
#include "headset/HeadsetDevice.h"
#include "tools/orvanectl/PadSession.h"

namespace Json {
class Value;
}

namespace orvane::tool {

struct HeadsetSession {
    explicit HeadsetSession(std::unique_ptr<PadSession> padSession);

    std::unique_ptr<PadSession> session;
    HeadsetDevice& device;
    HeadsetAudio audio;
};

// Opens the first headset with its selected profile; the audio library's start-up messages
// go to stderr.
std::unique_ptr<HeadsetSession> OpenHeadsetSession(const GlobalOptions& options, int& exitCode);

// The audio state: what is available, the equaliser, microphone, monitor and voice effect.
Json::Value AudioJson(const HeadsetAudio& audio);
void PrintAudio(const HeadsetAudio& audio);

}  // namespace orvane::tool
