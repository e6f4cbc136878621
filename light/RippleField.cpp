#include "light/RippleField.h"

#include <algorithm>

namespace orvane {
namespace {

struct DecayRow {
    uint8_t atLeast;
    uint8_t fast;
    uint8_t slow;
};

// Subtraction saturates at 0, so the slow row's 4 also clears values below 4.
constexpr std::array<DecayRow, 5> kDecay{{{128, 40, 40}, {64, 30, 30}, {32, 10, 10}, {17, 8, 8}, {1, 1, 4}}};

}  // namespace

void RippleField::ClearIntensity() {
    intensity.fill(0);
    ring.fill(0);
}

void RippleField::SeedIntensity(size_t cells) {
    cells = std::min(cells, kRingCells);
    for (size_t i = 0; i < cells; ++i)
        if (ring[i] != 0) intensity[i] = 255;
}

void RippleField::RotateRing(bool towardsHigher, size_t cells) {
    cells = std::min(cells, kRingCells);
    if (cells < 2) return;
    const auto first = ring.begin();
    const auto last = ring.begin() + static_cast<std::ptrdiff_t>(cells);
    if (towardsHigher) std::rotate(first, last - 1, last);
    else std::rotate(first, first + 1, last);
}

void RippleField::DecayIntensity(size_t group, bool fast) {
    if (group >= kGroups) return;
    uint8_t& value = intensity[group];
    for (const DecayRow& row : kDecay) {
        if (value >= row.atLeast) {
            value = static_cast<uint8_t>(value - std::min(value, fast ? row.fast : row.slow));
            return;
        }
    }
}

}  // namespace orvane
