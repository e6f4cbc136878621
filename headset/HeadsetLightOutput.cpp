#include "headset/HeadsetLightOutput.h"

#include <algorithm>

namespace orvane {

void HeadsetLightOutput::Post(std::span<const LightColor> colours) {
    if (colours.size() < kHeadsetLightCount) return;
    ColourSet set{};
    std::copy_n(colours.begin(), kHeadsetLightCount, set.begin());
    sender_.Post(set);
}

}  // namespace orvane
