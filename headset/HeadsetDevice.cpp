#include "headset/HeadsetDevice.h"

#include <algorithm>

#include "device/HidPath.h"

namespace orvane {

HeadsetDevice::HeadsetDevice(CommandChannel& channel)
    : MousePadDevice(channel, std::make_unique<CHs8127Profiledata>()), channel_(channel) {}

CHs8127Profiledata& HeadsetDevice::Headset() { return static_cast<CHs8127Profiledata&>(Profile()); }

const CHs8127Profiledata& HeadsetDevice::Headset() const { return static_cast<const CHs8127Profiledata&>(Profile()); }

bool HeadsetDevice::SendLightColours(std::span<const uint32_t, kHeadsetLightCount> rgba) {
    std::array<LightColor, kHeadsetLightCount> colours{};
    std::copy(rgba.begin(), rgba.end(), colours.begin());
    // The page paints every few milliseconds; an unchanged frame would only load the bus.
    if (lastSent_ == colours) return false;
    lastSent_ = colours;
    for (const HeadsetLightReport& report : BuildHeadsetLightReports(colours)) channel_.WriteOutputReport(report);
    return true;
}

bool HeadsetDevice::Emulated() const { return IsEmulatedPath(channel_.Handle().DevicePath()); }

}  // namespace orvane
