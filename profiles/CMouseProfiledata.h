#pragma once
// The mouse's profile document: DPI stages, pointer and wheel settings, report-rate and
// lift-off options, correction list.

#include <vector>

#include "platform/SystemMouseSettings.h"
#include "profiles/CBasicProfiledata.h"

namespace orvane {

class CMouseProfiledata : public CBasicProfiledata {
public:
    // Stages read from "DPIStages" replace the cached ones by position; cached stages beyond
    // them are kept. Also takes the active stage from the document. Returns the cache.
    std::vector<DpiStage> GetDpiStages();
    // Caches `stages` and writes them into "StageDPIs"; elements beyond them stay.
    void SetDpiStages(const std::vector<DpiStage>& stages);
    const std::vector<DpiStage>& CachedDpiStages() const { return dpiStages_; }

    int GetActiveDpiStage() const { return activeDpiStage_; }
    void SetActiveDpiStage(int stage);

    // All zero when "SystemStages" is absent.
    MouseSystemSettings GetMouseSystemSettings() const;
    void SetMouseSystemSettings(uint32_t a, uint32_t b, uint32_t c, uint32_t d);
    void SetMouseSystemSettings(const MouseSystemSettings& settings);
    // The document's report and height stages with the desktop's pointer values; kept as the
    // current settings but not written into the document.
    MouseSystemSettings ReadWindowsMouseSettings(const SystemMouseSettings& system);
    const MouseSystemSettings& CurrentMouseSystemSettings() const { return systemSettings_; }

    std::vector<CorrectInfoEntry> GetCorrectInfo();

private:
    std::vector<DpiStage> dpiStages_;
    int activeDpiStage_ = 0;
    MouseSystemSettings systemSettings_;
    std::vector<CorrectInfoEntry> correctInfo_;
};

// The double-click level kept in profiles for a double-click time in milliseconds:
// 10 − (ms − 200) / 70 in unsigned arithmetic (200 ms → 10, 500 ms → 6, 900 ms → 0).
uint16_t DoubleClickLevelFromTime(int milliseconds);

}  // namespace orvane
