#include "mouse/MouseDevice.h"

#include <algorithm>
#include <array>

#include "light/PreviewEffects.h"
#include "profiles/JsonFields.h"
#include "profiles/MacroFile.h"
#include "profiles/ProfilePaths.h"

namespace orvane {
namespace {

// Bytes 0..20 of profile 0's block: enough to reach the lift-off byte.
constexpr size_t kLiftOffReadBytes = 21;
static_assert(ConfigBlock::kLiftOff < kLiftOffReadBytes);

constexpr KeyCodeBytes kLeftButton{0x10, 0x01, 0x00};

uint16_t StoredValue(int value) { return static_cast<uint16_t>(std::clamp(value, 0, 0xFFFF)); }

// The default profile is usable only when it holds a document for this device index.
bool HoldsDocument(const std::string& path, int deviceIndex) {
    const Json::Value root = JsonFileStore().ReadJsonValue(path);
    return json::Element(json::Member(root, "Device"), static_cast<Json::ArrayIndex>(deviceIndex)).isObject();
}

}  // namespace

DeviceOutcome ProfileWriteOutcome::Overall() const {
    if (!profile.Ok()) return profile;
    for (const DeviceOutcome* o : {&keys, &macros, &settings}) {
        if (o->IsDeviceFailure()) return *o;
    }
    return macros.IsRefused() ? macros : DeviceOutcome::Done();
}

MouseDevice::MouseDevice(CommandChannel& channel, SystemMouseSettings& desktop)
    : channel_(channel), desktop_(desktop), memories_(channel) {}

void MouseDevice::SetFiles(std::string userDataFolder, std::string defaultProfilePath, std::string lightConfigName) {
    folder_ = std::move(userDataFolder);
    profile_.SetDefaultProfilePath(defaultProfilePath);
    lightConfigName_ = lightConfigName.empty() ? kMouseLightConfigName : std::move(lightConfigName);
}

// --- Connection and profiles ---

bool MouseDevice::UseProfile(const std::string& uuid) {
    // The UUID comes from the profile list file: it must name a file inside the folder.
    const auto path = FileInFolder(folder_, uuid, kProfileExtension);
    if (!path) return false;
    profile_.SetProfilePath(*path);
    profile_.SetLightConfigPath(folder_ + lightConfigName_ + ".config");
    return true;
}

void MouseDevice::TakeDocument() {
    keys_ = profile_.GetKeyList();
    TakeLighting();
    stages_ = profile_.GetDpiStages();  // also takes the active stage
    system_ = profile_.GetMouseSystemSettings();
}

void MouseDevice::TakeLighting() {
    light_ = profile_.GetLightInfo();
    // The state shows white; a colour comes with the next edit or device read.
    SetSelectionColor(light_, {255, 255, 255});
    profile_.LoadLightConfig(profile_.GetLightConfigPath());
    customLightSteps_ = profile_.GetLedEffectList();
}

void MouseDevice::LoadProfile() {
    profile_.LoadProfile(profile_.GetProfilePath());
    TakeDocument();
    ReadLiftOffSwitch();
}

void MouseDevice::ReadLiftOffSwitch() {
    std::array<uint8_t, kLiftOffReadBytes> block{};
    // A failed read leaves the switch as it was.
    if (channel_.ReadParameters(block, 0) == kResultSuccess) liftOffSwitch_ = block[ConfigBlock::kLiftOff] != 0;
}

void MouseDevice::TakeDesktopPointerSettings() {
    system_ = profile_.ReadWindowsMouseSettings(desktop_);
    StoreSystem();
    profile_.SaveProfile();
}

ProfileWriteOutcome MouseDevice::WriteProfile(bool afterReset) {
    ProfileWriteOutcome out;
    if (afterReset) {
        out.settings = WriteSettings(0, 0, screen_);
        out.macros = WriteMacros();
        out.keys = WriteKeys(0);
        ApplyPointerSettings();
    } else {
        ApplyPointerSettings();
        out.keys = WriteKeys(0);
        out.macros = WriteMacros();
        out.settings = WriteSettings(0, 0, ScreenSize{});
    }
    // Read after the write, so the switch shows what the device now holds.
    ReadLiftOffSwitch();
    return out;
}

ProfileWriteOutcome MouseDevice::SelectProfile(ProfileList& list, int index) {
    if (!list.SelectProfile(index).Changed()) {
        ProfileWriteOutcome out;
        out.profile = DeviceOutcome::Refused("no profile " + std::to_string(index));
        return out;
    }
    return ApplyProfile(list.GetSelectedUuid());
}

ProfileWriteOutcome MouseDevice::ApplyProfile(const std::string& uuid) {
    if (!UseProfile(uuid)) {
        ProfileWriteOutcome out;
        out.profile = DeviceOutcome::Refused("the profile \"" + uuid + "\" cannot be used");
        return out;
    }
    profile_.LoadProfile(profile_.GetProfilePath());
    TakeDocument();
    return WriteProfile(false);
}

ProfileWriteOutcome MouseDevice::ResetProfile(ProfileList& list) {
    if (!list.ResetProfile().Changed() || !UseProfile(list.GetSelectedUuid())) {
        ProfileWriteOutcome out;
        out.profile = DeviceOutcome::Refused("the profile could not be reset");
        return out;
    }
    profile_.LoadProfile(profile_.GetProfilePath());
    TakeDocument();
    return WriteProfile(true);
}

DeviceOutcome MouseDevice::RestoreDefaults() {
    const std::string defaults = profile_.GetDefaultProfilePath();
    // Without a factory document the restore would save an empty profile over the user's.
    if (!HoldsDocument(defaults, profile_.GetDeviceIndex())) {
        return DeviceOutcome::Refused("the default profile " + defaults + " holds no settings");
    }
    profile_.LoadProfile(defaults);
    TakeDocument();
    profile_.SaveProfile();
    return DeviceOutcome::Done();
}

// --- Device settings ---

DeviceOutcome MouseDevice::CheckStage(int stage) const {
    if (stage >= 0 && stage < kDpiStageCount) return DeviceOutcome::Done();
    return DeviceOutcome::Refused("there is no DPI stage " + std::to_string(stage));
}

DpiStage& MouseDevice::StageAt(int stage) {
    if (static_cast<size_t>(stage) >= stages_.size()) stages_.resize(static_cast<size_t>(stage) + 1);
    return stages_[static_cast<size_t>(stage)];
}

DeviceOutcome MouseDevice::SaveAndWrite() {
    profile_.SaveProfile();
    return WriteSettings(0, 0, screen_);
}

DeviceOutcome MouseDevice::SetDpi(int stage, int cpi) {
    if (DeviceOutcome check = CheckStage(stage); !check.Ok()) return check;
    StageAt(stage).StageDPIX = static_cast<uint16_t>(ResolutionIndexFromCpi(cpi));
    StoreStages();
    return SaveAndWrite();
}

DeviceOutcome MouseDevice::SetStageEnabled(int stage, bool on) {
    if (DeviceOutcome check = CheckStage(stage); !check.Ok()) return check;
    const size_t shown = std::min(stages_.size(), static_cast<size_t>(kDpiStageCount));
    const auto stagesOn = std::count_if(stages_.begin(), stages_.begin() + static_cast<std::ptrdiff_t>(shown),
                                        [](const DpiStage& s) { return s.StageActive != 0; });
    const bool isOn = static_cast<size_t>(stage) < stages_.size() && stages_[static_cast<size_t>(stage)].StageActive != 0;
    if (!on && isOn && stagesOn == 1) {
        return DeviceOutcome::Refused("stage " + std::to_string(stage) + " cannot be switched off: it is the last one on");
    }
    StageAt(stage).StageActive = on ? 1 : 0;
    StoreStages();
    return SaveAndWrite();
}

DeviceOutcome MouseDevice::SetActiveStage(int stage) {
    if (DeviceOutcome check = CheckStage(stage); !check.Ok()) return check;
    profile_.SetActiveDpiStage(stage);
    return SaveAndWrite();
}

DeviceOutcome MouseDevice::SetReportRateHz(int hz) {
    const auto option = ReportRateOption(hz);
    if (!option) return DeviceOutcome::Refused("the mouse reports at 125, 250, 500, 1000 or 2000 Hz");
    system_.ReportStage = static_cast<uint16_t>(*option);
    StoreSystem();
    return SaveAndWrite();
}

DeviceOutcome MouseDevice::SetLiftOffMm(int mm) {
    const auto option = LiftOffOption(mm);
    if (!option) return DeviceOutcome::Refused("the lift-off distance is 1 or 2 mm");
    system_.HeightStage = static_cast<uint16_t>(*option);
    StoreSystem();
    return SaveAndWrite();
}

// --- Pointer settings ---

DeviceOutcome MouseDevice::SaveAndApply(bool desktopTookIt, const char* what) {
    if (desktopTookIt) return DeviceOutcome::Done();
    return DeviceOutcome::Refused(std::string("the desktop did not take the ") + what + " (the profile keeps it)");
}

DeviceOutcome MouseDevice::SetPointerSpeed(int speed) {
    system_.MouseSpeed = StoredValue(speed);
    StoreSystem();
    profile_.SaveProfile();
    return SaveAndApply(orvane::ApplyPointerSpeed(desktop_, speed), "pointer speed");
}

DeviceOutcome MouseDevice::SetPointerPrecision(bool on) {
    system_.PointerPrecision = on ? 1 : 0;
    StoreSystem();
    profile_.SaveProfile();
    return SaveAndApply(orvane::ApplyPointerPrecision(desktop_, on ? 1 : 0), "pointer precision");
}

DeviceOutcome MouseDevice::SetScrolling(bool pageScroll, int lines) {
    system_.ScorllPage = pageScroll ? 1 : 0;
    system_.WheelScorlllinse = StoredValue(lines);
    StoreSystem();
    profile_.SaveProfile();
    return SaveAndApply(orvane::ApplyScrolling(desktop_, pageScroll, lines), "wheel setting");
}

DeviceOutcome MouseDevice::SetDoubleClickLevel(int level) {
    system_.DoubleClickTime = StoredValue(level);
    StoreSystem();
    profile_.SaveProfile();
    return SaveAndApply(orvane::ApplyDoubleClick(desktop_, level, doubleClickMaximum_), "double-click time");
}

void MouseDevice::ApplyPointerSettings() { orvane::ApplyPointerSettings(desktop_, system_, doubleClickMaximum_); }

// --- Keys and lighting ---

bool MouseDevice::SetKeyAssignment(int key, const KeyListEntry& entry) {
    if (key < 0 || static_cast<size_t>(key) >= keys_.size()) return false;
    keys_[static_cast<size_t>(key)] = entry;
    profile_.SetKeyList(keys_);
    return true;
}

bool MouseDevice::HoldsOnlyLeftButton(int key) const {
    if (key < 0 || static_cast<size_t>(key) >= keys_.size() || keys_[static_cast<size_t>(key)].Assignment != kLeftButton) {
        return false;
    }
    const auto holders =
        std::count_if(keys_.begin(), keys_.end(), [](const KeyListEntry& k) { return k.Assignment == kLeftButton; });
    return holders == 1;
}

void MouseDevice::SetLightState(const LightInfoRecord& light) {
    light_ = light;
    const LightWords words = light_.ToWords();
    profile_.SetLightInfo(words.a, words.b, words.c);
}

// --- Writes and reads ---

DeviceOutcome MouseDevice::WriteSettings(uint8_t profileIndex, uint8_t activeProfile, const ScreenSize& screen) {
    const auto liftOff = static_cast<uint8_t>(system_.HeightStage & 0xFF);
    memories_.WriteSettings(SettingsFromProfile(profile_, liftOff, activeProfile, screen), profileIndex);
    return DeviceOutcome::OfGroup(memories_.LastFailure());
}

DeviceOutcome MouseDevice::WriteKeys(uint8_t profileIndex) {
    memories_.WriteKeyBlock(KeyCodesFromProfile(keys_), profileIndex);
    return DeviceOutcome::OfGroup(memories_.LastFailure());
}

DeviceOutcome MouseDevice::WriteMacros() {
    // Macros belong to the device folder, not to a profile; without an index there is nothing to write.
    const auto macros = ReadDeviceMacros(folder_);
    if (!macros) return DeviceOutcome::Done();
    const int result = memories_.WriteMacros(MacroEventsForDevice(*macros));
    if (result > 0) {
        return DeviceOutcome::Refused("the macros do not fit the mouse's " +
                                          std::to_string(memories_.MacroCapacityBytes()) + " bytes: remove " +
                                          std::to_string(result) + " events",
                                      result);
    }
    return DeviceOutcome::OfGroup(memories_.LastFailure());
}

std::optional<DecodedConfig> MouseDevice::SyncFromDevice() {
    // A failed or short read leaves the lighting and the profile as they were.
    auto config = memories_.ReadActiveConfig();
    if (!config) return std::nullopt;
    TakeDeviceConfig(*config, light_, profile_);
    profile_.SaveProfile();
    return config;
}

}  // namespace orvane
