#include "mouse/MouseProfileActions.h"

#include "profiles/JsonFields.h"
#include "profiles/MacroFile.h"
#include "profiles/ProfilePaths.h"

namespace orvane {

MouseProfileActions::MouseProfileActions(MousePageParts parts, PerformanceSettings& performance,
                                         std::string userDataFolder, std::string lightConfigName)
    : parts_(parts),
      performance_(performance),
      folder_(std::move(userDataFolder)),
      lightConfigName_(std::move(lightConfigName)) {}

bool MouseProfileActions::UseProfile(const std::string& uuid) {
    const auto path = FileInFolder(folder_, uuid, kProfileExtension);
    if (!path) return false;
    parts_.profile.SetProfilePath(*path);
    parts_.profile.SetLightConfigPath(folder_ + lightConfigName_ + ".config");
    return true;
}

void MouseProfileActions::TakeDocument() {
    CMouseProfiledata& profile = parts_.profile;
    mirror_.keys = profile.GetKeyList();
    mirror_.light = profile.GetLightInfo();
    profile.LoadLightConfig(profile.GetLightConfigPath());
    mirror_.customLightSteps = profile.GetLedEffectList();
    const std::vector<DpiStage> stages = profile.GetDpiStages();
    performance_.Show(stages, profile.GetActiveDpiStage(), profile.GetMouseSystemSettings());
}

void MouseProfileActions::LoadCurrentProfile() {
    parts_.profile.LoadProfile(parts_.profile.GetProfilePath());
    TakeDocument();
}

void MouseProfileActions::ReloadProfile() {
    LoadCurrentProfile();
    performance_.ShowLiftOffSwitch();
}

int MouseProfileActions::WriteKeys() {
    return parts_.device.WriteKeyBlock(KeyCodesFromProfile(mirror_.keys), 0);
}

int MouseProfileActions::WriteMacros() {
    // Macros belong to the device folder, not to a profile; without an index there is nothing to write.
    const auto macros = ReadDeviceMacros(folder_);
    if (!macros) return 0;
    return parts_.device.WriteMacros(MacroEventsForDevice(*macros));
}

std::optional<MouseWriteResults> MouseProfileActions::SelectProfile(ProfileList& list, int index) {
    if (!list.SelectProfile(index).Changed()) return std::nullopt;
    return ApplyProfile(list.GetSelectedUuid());
}

std::optional<MouseWriteResults> MouseProfileActions::ApplyProfile(const std::string& uuid) {
    if (!UseProfile(uuid)) return std::nullopt;
    LoadCurrentProfile();
    performance_.ApplyPointerSettings();
    MouseWriteResults results;
    results.keys = WriteKeys();
    results.macros = WriteMacros();
    results.settings = performance_.WriteDeviceSettings(ScreenSize{});
    // Read after the write, so the switch shows what the device now holds.
    performance_.ShowLiftOffSwitch();
    return results;
}

std::optional<MouseWriteResults> MouseProfileActions::ResetProfile(ProfileList& list) {
    if (!list.ResetProfile().Changed() || !UseProfile(list.GetSelectedUuid())) return std::nullopt;
    LoadCurrentProfile();
    MouseWriteResults results;
    results.settings = performance_.WriteDeviceSettings(performance_.Screen());
    results.macros = WriteMacros();
    results.keys = WriteKeys();
    performance_.ApplyPointerSettings();
    performance_.ShowLiftOffSwitch();
    return results;
}

std::optional<MouseWriteResults> MouseProfileActions::RestoreDefaults() {
    CMouseProfiledata& profile = parts_.profile;
    const std::string defaults = profile.GetDefaultProfilePath();
    const Json::Value root = JsonFileStore().ReadJsonValue(defaults);
    // Without a factory document the restore would save an empty profile over the user's.
    const auto index = static_cast<Json::ArrayIndex>(profile.GetDeviceIndex());
    if (!json::Element(json::Member(root, "Device"), index).isObject()) return std::nullopt;
    profile.LoadProfile(defaults);
    TakeDocument();
    profile.SaveProfile();
    MouseWriteResults results;
    results.keys = WriteKeys();
    results.settings = performance_.WriteDeviceSettings(performance_.Screen());
    performance_.ShowLiftOffSwitch();
    return results;
}

}  // namespace orvane
