#include "mouse/LightNames.h"

#include "profiles/JsonFields.h"
#include "profiles/JsonFileStore.h"
#include "profiles/MacroFile.h"
#include "profiles/ProfilePaths.h"

namespace orvane {
namespace {

constexpr int kBuiltInModes = static_cast<int>(kBuiltInLightModes);

// The "LightName" of every element of `entries`, or nothing when `entries` is not an array.
bool TakeNames(const Json::Value& entries, std::vector<std::string>& names) {
    if (!entries.isArray()) return false;
    names.clear();
    for (const Json::Value& entry : entries) names.push_back(json::TextOf(json::Member(entry, "LightName")));
    return true;
}

}  // namespace

std::string LightNameLists::ModeName(int mode) const {
    const auto& names = mode < kBuiltInModes ? modeNames : customNames;
    const int index = mode < kBuiltInModes ? mode : mode - kBuiltInModes;
    if (index < 0 || static_cast<size_t>(index) >= names.size()) return {};
    return names[static_cast<size_t>(index)];
}

void LoadLightNames(LightNameLists& lists, const std::string& userFolder, const std::string& defaultLightFile,
                    const std::string& configName, int tableIndex) {
    if (const auto macros = ReadMacroIndex(userFolder + kMacroIndexFileName)) {
        lists.macroNames.clear();
        for (const MacroIndexEntry& macro : *macros) lists.macroNames.push_back(macro.MacroName);
    }
    if (tableIndex < 0) return;
    const auto index = static_cast<Json::ArrayIndex>(tableIndex);
    const JsonFileStore store;
    const Json::Value defaults = store.ReadJsonValue(defaultLightFile);
    const Json::Value& modes = json::Element(json::Member(defaults, "DefaultLightName"), index);
    if (TakeNames(modes, lists.modeNames)) {
        lists.modeVisible.clear();
        for (const Json::Value& mode : modes) lists.modeVisible.push_back(json::BoolOf(json::Member(mode, "visible")) ? 1 : 0);
    }
    TakeNames(json::Element(json::Member(defaults, "AreaLightName"), index), lists.areaNames);
    if (const auto config = FileInFolder(userFolder, configName, ".config")) {
        TakeNames(json::Element(json::Member(store.ReadJsonValue(*config), "LightInfo"), index), lists.customNames);
    }
}

}  // namespace orvane
