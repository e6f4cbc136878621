#pragma once
// The keyboard's profile document: keyboard settings and the custom per-key lighting groups.

#include <vector>

#include "profiles/CBasicProfiledata.h"

namespace orvane {

class CKeyboardProfiledata : public CBasicProfiledata {
public:
    // Keys lit (red, full alpha) in a custom lighting group that is created on first read.
    static constexpr int kHighlightedKeys[] = {44, 64, 65, 66, 96, 113, 114, 115};
    // Bounds on groups and keys, so a bad caller cannot grow the document without limit;
    // groups outside them are neither read nor written.
    static constexpr int kMaxCustomLightKeys = 512;
    static constexpr int kMaxCustomLightGroups = 64;

    KeyboardSystemSettings GetKeyboardSystemSettings() const;
    // Packed as KeyboardSystemWords: a = RepeatDelay << 16 | Repeat, b = PollingRate << 16 |
    // Key6Flag, c = WinFlag << 16 | WFlag.
    void SetKeyboardSystemSettings(uint32_t a, uint32_t b, uint32_t c);
    // The document's settings with Repeat and RepeatDelay taken from the desktop's keyboard
    // repeat rate and delay.
    KeyboardSystemSettings ReadWindowsKeyboardSettings(uint16_t systemRepeat, uint16_t systemRepeatDelay) const;
    const KeyboardSystemWords& CurrentKeyboardSystemWords() const { return systemWords_; }

    // Writes `colors` as "CustomLightMode"."LightColorInfo"[group].
    void SetCustomLightColors(int group, const std::vector<CustomLightColor>& colors);
    // `count` entries of the group. A group that does not exist yet is created (all keys dark,
    // the highlighted keys lit) and read as an empty list; an entry missing from an existing
    // group is created the same way and returned as created.
    std::vector<CustomLightColor> GetCustomLightColors(int group, int count);
    const std::vector<CustomLightColor>& CachedCustomLightColors() const { return customColors_; }

    int GetCustomLightGroupIndex() const;  // 0 when absent
    void SetCustomLightGroupIndex(int group);

private:
    KeyboardSystemWords systemWords_;
    std::vector<CustomLightColor> customColors_;
};

}  // namespace orvane
