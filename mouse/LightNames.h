#pragma once
// The name lists a device page keeps for its light editor and its tool tips: the macro names of
// the user data folder, the light mode names with their visibility and the area names of the
// model's entry in the default light file, and the names of the user's own light effects.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace orvane {

// Modes 0-8 are the firmware's; the user's own effects follow as modes 9 and up.
inline constexpr size_t kBuiltInLightModes = 9;

struct LightNameLists {
    std::vector<std::string> macroNames;      // "macro.config"
    std::vector<std::string> modeNames;       // "DefaultLightName"[table index], language ids
    std::vector<uint8_t> modeVisible;         // their "visible"
    std::vector<std::string> areaNames;       // "AreaLightName"[table index], language ids
    std::vector<std::string> customNames;     // "LightInfo"[table index] of the light configuration

    // The name of light mode `mode`: a built-in mode's language id (0-8), a custom effect's own
    // name above; empty when the list has none.
    std::string ModeName(int mode) const;
};

// Fills the lists from `userFolder` + "macro.config", `defaultLightFile` and `userFolder` +
// `configName` + ".config". A list whose source is missing or unusable keeps what it held.
void LoadLightNames(LightNameLists& lists, const std::string& userFolder, const std::string& defaultLightFile,
                    const std::string& configName, int tableIndex);

}  // namespace orvane
