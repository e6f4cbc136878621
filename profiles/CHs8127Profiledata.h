#pragma once
// The headset's profile document: voice effect, equaliser and microphone settings, the preset
// equaliser bands and the named custom equalisers.

#include <optional>
#include <string>
#include <vector>

#include "profiles/CBasicProfiledata.h"

namespace orvane {

class CHs8127Profiledata : public CBasicProfiledata {
public:
    static constexpr int kCustomEqType = 13;
    static constexpr int kMaxCustomEqualisers = 20;

    // Writes all eight "SystemSetStages" values and keeps them.
    void SetHeadsetSystemSettings(const HeadsetSystemSettings& settings);
    // All zero when "SystemSetStages" is absent.
    HeadsetSystemSettings GetHeadsetSystemSettings() const;
    const HeadsetSystemSettings& CurrentHeadsetSystemSettings() const { return systemSettings_; }

    // Bands of a preset ("EQHzValueInfo"[preset]); 0 and values above 13 mean preset 1. Preset
    // 13 is the custom equaliser, which has no bands here: it reads as nullopt and is never
    // written. Bands missing from the document are created with 0 and read as 0.
    void SetEqBands(int preset, const EqBandValues& bands);
    std::optional<EqBandValues> GetEqBands(int preset);

    // "CustomEQNameInfo" is replaced by the given names.
    void SetCustomEqNames(const std::vector<std::string>& names);
    std::vector<std::string> GetCustomEqNames() const;

    // Bands of custom equaliser `index` (0..kMaxCustomEqualisers-1; others are ignored and read
    // as nullopt); missing bands are created with 0 as for presets.
    void SetCustomEqBands(int index, const EqBandValues& bands);
    std::optional<EqBandValues> GetCustomEqBands(int index);

    // The bands last read or written.
    const EqBandValues& CurrentEqBands() const { return eqBands_; }

private:
    HeadsetSystemSettings systemSettings_;
    EqBandValues eqBands_{};
};

}  // namespace orvane
