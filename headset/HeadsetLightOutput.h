#pragma once
// The headset's lights follow the page's preview: the page posts each changed set of colours and
// a worker of the output's own sends the newest set. A slow or stalled headset (a light report
// waits behind a command exchange for the channel) never holds up the caller, and sets posted
// while one is being sent are merged into the newest. Nothing runs while nothing is posted.

#include <array>
#include <mutex>
#include <optional>
#include <span>

#include "headset/HeadsetDevice.h"
#include "platform/CommandWorker.h"

namespace orvane {

class HeadsetLightOutput {
public:
    explicit HeadsetLightOutput(HeadsetDevice& device) : device_(device) {}
    // Stop(): close the device's channel first so that a send in progress ends at once.
    ~HeadsetLightOutput() { Stop(); }
    HeadsetLightOutput(const HeadsetLightOutput&) = delete;
    HeadsetLightOutput& operator=(const HeadsetLightOutput&) = delete;

    // Any thread. Fewer than the headset's lights: ignored; more: the first ones.
    void Post(std::span<const LightColor> colours);
    // Drops what was not sent and waits for a send in progress.
    void Stop() { worker_.Stop(); }

private:
    void SendNewest();

    HeadsetDevice& device_;
    std::mutex mutex_;
    std::optional<std::array<LightColor, kHeadsetLightCount>> newest_;  // posted, not yet taken
    CommandWorker worker_;
};

}  // namespace orvane
