#pragma once
// HeadsetDevice: the USB headset's family core. Its lighting, profiles and parameter block are
// the mouse pad's (MousePadDevice) over its own document, which adds the audio settings; its
// lights are driven by output reports of their own (HeadsetLightReports).

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "headset/HeadsetLightReports.h"
#include "mousepad/MousePadDevice.h"
#include "profiles/CHs8127Profiledata.h"

namespace orvane {

class HeadsetDevice : public MousePadDevice {
public:
    explicit HeadsetDevice(CommandChannel& channel);

    CHs8127Profiledata& Headset();
    const CHs8127Profiledata& Headset() const;

    // Sends the 13 light colours (red byte 0 … alpha byte 3) as the twelve light reports on the
    // command interface; the write results are not checked. Colours equal to the last sent are
    // not sent again. True when the reports went out.
    bool SendLightColours(std::span<const uint32_t, kHeadsetLightCount> rgba);

    // Whether the command interface is on the emulated HID bus (the emulated audio library
    // then stands in for the headset's sound card).
    bool Emulated() const;

private:
    CommandChannel& channel_;
    std::optional<std::array<LightColor, kHeadsetLightCount>> lastSent_;
};

}  // namespace orvane
