#pragma once
// The intensity groups and the marker ring of the ripple effects: markers move round the ring,
// light up the groups they pass among its first cells, and each group fades step by step.

#include <array>
#include <cstddef>
#include <cstdint>

namespace orvane {

struct RippleField {
    static constexpr size_t kGroups = 126;
    static constexpr size_t kRingCells = 23;
    static constexpr size_t kSeedCells = 9;

    std::array<uint8_t, kGroups> intensity{};
    std::array<uint8_t, kRingCells> ring{};

    void ClearIntensity();
    // Every group i < cells whose ring cell holds a marker goes to full intensity.
    void SeedIntensity(size_t cells = kSeedCells);
    // Rotates the first `cells` cells one place; towards higher indices the value of the last
    // of them enters cell 0, towards lower indices cell 0's value enters the last.
    void RotateRing(bool towardsHigher, size_t cells = kRingCells);
    // Fades a group; fast fades the faint end slowly (by 1) instead of clearing it.
    void DecayIntensity(size_t group, bool fast);
};

}  // namespace orvane
