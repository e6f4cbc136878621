#pragma once
// The light colour list as an effect writes it, noting whether any colour actually changed so
// that the painter repaints only then.

#include <cstddef>
#include <vector>

#include "light/LightColor.h"

namespace orvane {

class LightFrame {
public:
    explicit LightFrame(std::vector<LightColor>& colors) : colors_(colors) {}

    size_t size() const { return colors_.size(); }
    LightColor Get(size_t index) const { return index < colors_.size() ? colors_[index] : 0; }
    // Indices outside the list are ignored: effect tables name more lights than some devices have.
    void Set(size_t index, LightColor color) {
        if (index >= colors_.size() || colors_[index] == color) return;
        colors_[index] = color;
        changed_ = true;
    }
    void Fill(LightColor color) {
        for (size_t i = 0; i < colors_.size(); ++i) Set(i, color);
    }
    bool Changed() const { return changed_; }

private:
    std::vector<LightColor>& colors_;
    bool changed_ = false;
};

}  // namespace orvane
