#pragma once
// The headset's lights follow the page's preview: the page posts each changed set of colours and
// the newest set is sent on a worker of the output's own (NewestValueSender), so a slow or stalled
// headset never holds up the page.

#include <array>
#include <span>

#include "headset/HeadsetDevice.h"
#include "platform/NewestValueSender.h"

namespace orvane {

class HeadsetLightOutput {
public:
    using ColourSet = std::array<LightColor, kHeadsetLightCount>;

    explicit HeadsetLightOutput(HeadsetDevice& device)
        : sender_([&device](const ColourSet& set) { device.SendLightColours(set); }) {}

    // Any thread. Fewer than the headset's lights: ignored; more: the first ones.
    void Post(std::span<const LightColor> colours);
    // Drops what was not sent and waits for a send in progress; close the device's channel first
    // so that a send in progress ends at once.
    void Stop() { sender_.Stop(); }

private:
    NewestValueSender<ColourSet> sender_;
};

}  // namespace orvane
