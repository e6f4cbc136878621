#include "headset/HeadsetLightOutput.h"

#include <algorithm>

namespace orvane {

void HeadsetLightOutput::Post(std::span<const LightColor> colours) {
    if (colours.size() < kHeadsetLightCount) return;
    std::array<LightColor, kHeadsetLightCount> set{};
    std::copy_n(colours.begin(), kHeadsetLightCount, set.begin());
    {
        std::lock_guard lock(mutex_);
        const bool sendQueued = newest_.has_value();
        newest_ = set;
        if (sendQueued) return;  // the queued send takes this set
    }
    if (!worker_.Post([this] { SendNewest(); })) {
        std::lock_guard lock(mutex_);
        newest_.reset();
    }
}

void HeadsetLightOutput::SendNewest() {
    std::array<LightColor, kHeadsetLightCount> set{};
    {
        std::lock_guard lock(mutex_);
        if (!newest_) return;
        set = *newest_;
        newest_.reset();
    }
    device_.SendLightColours(set);
}

}  // namespace orvane
