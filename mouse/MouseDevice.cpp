#include "mouse/MouseDevice.h"

#include <algorithm>
#include <array>

#include "light/PreviewEffects.h"
#include "mouse/LightNames.h"
#include "profiles/JsonFields.h"
#include "profiles/MacroFile.h"
#include "profiles/ProfilePaths.h"

namespace orvane {
namespace {

constexpr KeyCodeBytes kLeftButton{0x10, 0x01, 0x00};

uint16_t StoredValue(int value) { return static_cast<uint16_t>(std::clamp(value, 0, 0xFFFF)); }

// The default profile is usable only when it holds a document for this device index.
bool HoldsDocument(const std::string& path, int deviceIndex) {
    const Json::Value root = JsonFileStore().ReadJsonValue(path);
    return json::Element(json::Member(root, "Device"), static_cast<Json::ArrayIndex>(deviceIndex)).isObject();
}

// The outcome of a macro write: refused when they do not fit, else the group's.
DeviceOutcome MacroOutcome(const MouseDeviceModel& memories, int result) {
    if (result > 0) {
        return DeviceOutcome::Refused("the macros do not fit the mouse's " + std::to_string(memories.MacroCapacityBytes()) +
                                          " bytes: remove " + std::to_string(result) + " events",
                                      result);
    }
    return DeviceOutcome::OfGroup(memories.LastFailure());
}

// The first device failure of a profile's writes, else the macros' refusal.
DeviceOutcome ProfileOutcome(const DeviceOutcome& keys, const DeviceOutcome& macros, const DeviceOutcome& settings) {
    for (const DeviceOutcome* o : {&keys, &macros, &settings}) {
        if (o->IsDeviceFailure()) return *o;
    }
    return macros.IsRefused() ? macros : DeviceOutcome::Done();
}

}  // namespace

struct MouseDevice::ProfileWrite {
    std::vector<FunctionCode> keys;
    std::optional<std::vector<std::vector<MacroEventBytes>>> macros;
    ConfigBlockInput settings;
};

MouseDevice::MouseDevice(CommandChannel& channel, SystemMouseSettings& desktop)
    : desktop_(desktop), memories_(channel) {}

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
    TakeUserEffectSteps();
}

void MouseDevice::TakeUserEffectSteps() {
    profile_.LoadLightConfig(profile_.GetLightConfigPath());
    const int mode = light_.light.mode;
    customLightSteps_ = mode < static_cast<int>(kBuiltInLightModes)
                            ? std::vector<LedEffectEntry>{}
                            : profile_.GetLedEffectList(lightGroup_, mode - static_cast<int>(kBuiltInLightModes));
}

DeviceOutcome MouseDevice::Connect(OutcomeHandler done) {
    return Run(
        [&m = memories_] {
            const auto read = m.InitialRead();
            if (read == MouseDeviceModel::InitialReadOutcome::Done) return SequenceResult{DeviceOutcome::Done(), {}};
            const CommandFailure failure = m.LastFailure().Failed() ? m.LastFailure() : CommandFailure{"open", 0, {}};
            return SequenceResult{DeviceOutcome::DeviceFailed(failure), {}};
        },
        std::move(done));
}

void MouseDevice::LoadProfile(OutcomeHandler done) {
    profile_.LoadProfile(profile_.GetProfilePath());
    TakeDocument();
    Run(
        [this, &m = memories_] {
            const std::optional<bool> lifted = m.ReadLiftOffSwitch();
            // A failed read leaves the switch as it was.
            return SequenceResult{DeviceOutcome::OfGroup(m.LastFailure()), [this, lifted] {
                                      if (lifted) liftOffSwitch_ = lifted;
                                  }};
        },
        std::move(done));
}

void MouseDevice::TakeDesktopPointerSettings() {
    system_ = profile_.ReadWindowsMouseSettings(desktop_);
    StoreSystem();
    profile_.SaveProfile();
}

DeviceOutcome MouseDevice::WriteProfile(bool afterReset, OutcomeHandler done) {
    ProfileWrite write{KeyCodesFromProfile(keys_), MacrosForDevice(),
                       SettingsInput(0, afterReset ? screen_ : ScreenSize{})};
    if (!afterReset) ApplyPointerSettings();
    DeviceOutcome outcome = Run(
        [this, &m = memories_, write = std::move(write), afterReset] {
            DeviceOutcome keys, macros, settings;
            auto writeKeys = [&] {
                m.WriteKeyBlock(write.keys, 0);
                keys = DeviceOutcome::OfGroup(m.LastFailure());
            };
            auto writeMacros = [&] {
                if (write.macros) macros = MacroOutcome(m, m.WriteMacros(*write.macros));
            };
            auto writeSettings = [&] {
                m.WriteSettings(write.settings, 0);
                settings = DeviceOutcome::OfGroup(m.LastFailure());
            };
            if (afterReset) {
                writeSettings();
                writeMacros();
                writeKeys();
            } else {
                writeKeys();
                writeMacros();
                writeSettings();
            }
            // Read after the write, so the switch shows what the device now holds.
            const std::optional<bool> lifted = m.ReadLiftOffSwitch();
            return SequenceResult{ProfileOutcome(keys, macros, settings), [this, lifted] {
                                      if (lifted) liftOffSwitch_ = lifted;
                                  }};
        },
        std::move(done));
    if (afterReset) ApplyPointerSettings();
    return outcome;
}

DeviceOutcome MouseDevice::SelectProfile(ProfileList& list, int index, OutcomeHandler done) {
    if (!list.SelectProfile(index).Changed()) return DeviceOutcome::Refused("there is no profile " + std::to_string(index));
    return ApplyProfile(list.GetSelectedUuid(), std::move(done));
}

DeviceOutcome MouseDevice::ApplyProfile(const std::string& uuid, OutcomeHandler done) {
    if (!UseProfile(uuid)) return DeviceOutcome::Refused("the profile \"" + uuid + "\" cannot be used");
    profile_.LoadProfile(profile_.GetProfilePath());
    TakeDocument();
    return WriteProfile(false, std::move(done));
}

DeviceOutcome MouseDevice::ResetProfile(ProfileList& list, OutcomeHandler done) {
    if (!list.ResetProfile().Changed() || !UseProfile(list.GetSelectedUuid())) {
        return DeviceOutcome::Refused("the profile could not be reset");
    }
    profile_.LoadProfile(profile_.GetProfilePath());
    TakeDocument();
    return WriteProfile(true, std::move(done));
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

DeviceOutcome MouseDevice::SaveAndWrite(OutcomeHandler done) {
    profile_.SaveProfile();
    return WriteSettings(0, 0, screen_, std::move(done));
}

DeviceOutcome MouseDevice::SetDpi(int stage, int cpi, OutcomeHandler done) {
    if (DeviceOutcome check = CheckStage(stage); !check.Ok()) return check;
    StageAt(stage).StageDPIX = static_cast<uint16_t>(ResolutionIndexFromCpi(cpi));
    StoreStages();
    return SaveAndWrite(std::move(done));
}

DeviceOutcome MouseDevice::SetStageEnabled(int stage, bool on, OutcomeHandler done) {
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
    return SaveAndWrite(std::move(done));
}

DeviceOutcome MouseDevice::SetActiveStage(int stage, OutcomeHandler done) {
    if (DeviceOutcome check = CheckStage(stage); !check.Ok()) return check;
    profile_.SetActiveDpiStage(stage);
    return SaveAndWrite(std::move(done));
}

DeviceOutcome MouseDevice::SetReportRateHz(int hz, OutcomeHandler done) {
    const auto option = ReportRateOption(hz);
    if (!option) return DeviceOutcome::Refused("the mouse reports at 125, 250, 500, 1000 or 2000 Hz");
    system_.ReportStage = static_cast<uint16_t>(*option);
    StoreSystem();
    return SaveAndWrite(std::move(done));
}

DeviceOutcome MouseDevice::SetLiftOffMm(int mm, OutcomeHandler done) {
    const auto option = LiftOffOption(mm);
    if (!option) return DeviceOutcome::Refused("the lift-off distance is 1 or 2 mm");
    system_.HeightStage = static_cast<uint16_t>(*option);
    StoreSystem();
    return SaveAndWrite(std::move(done));
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

DeviceOutcome MouseDevice::AssignKey(int key, const FunctionCode& code, OutcomeHandler done) {
    if (key < 0 || static_cast<size_t>(key) >= keys_.size()) {
        return DeviceOutcome::Refused("the mouse has buttons 0 to " + std::to_string(static_cast<int>(keys_.size()) - 1));
    }
    if (HoldsOnlyLeftButton(key) && code != kLeftButton) {
        return DeviceOutcome::Refused("button " + std::to_string(key) + " is the only left button; give another button the left click first");
    }
    KeyListEntry entry = keys_[static_cast<size_t>(key)];
    entry.Assignment = code;
    SetKeyAssignment(key, entry);
    profile_.SaveProfile();
    const DeviceOutcome macros = WriteMacros();
    if (macros.IsRefused() || macros.IsDeviceFailure()) {
        if (done) done(macros);
        return macros;
    }
    return WriteKeys(0, std::move(done));
}

void MouseDevice::SetLightState(const LightInfoRecord& light) {
    light_ = light;
    const LightWords words = light_.ToWords();
    profile_.SetLightInfo(words.a, words.b, words.c);
}

DeviceOutcome MouseDevice::SetLighting(const LightSetting& light, OutcomeHandler done) {
    if (light.brightness > kMaxLightLevel || light.speed > kMaxLightLevel) {
        return DeviceOutcome::Refused("brightness and speed run from 0 to " + std::to_string(kMaxLightLevel));
    }
    LightInfoRecord record = light_;
    record.light = light;
    record.light.direction = light.direction != 0 ? 1 : 0;
    record.light.multiColor = light.multiColor != 0 ? 1 : 0;
    SetLightState(record);
    profile_.SaveProfile();
    // A user effect's steps belong to the mode just chosen.
    TakeUserEffectSteps();
    return WriteSettings(0, 0, screen_, std::move(done));
}

// --- Writes and reads ---

ConfigBlockInput MouseDevice::SettingsInput(uint8_t activeProfile, const ScreenSize& screen) {
    const auto liftOff = static_cast<uint8_t>(system_.HeightStage & 0xFF);
    return SettingsFromProfile(profile_, liftOff, activeProfile, screen);
}

std::optional<std::vector<std::vector<MacroEventBytes>>> MouseDevice::MacrosForDevice() const {
    // Macros belong to the device folder, not to a profile; without an index there is nothing to write.
    const auto macros = ReadDeviceMacros(folder_);
    if (!macros) return std::nullopt;
    return MacroEventsForDevice(*macros);
}

DeviceOutcome MouseDevice::WriteSettings(uint8_t profileIndex, uint8_t activeProfile, const ScreenSize& screen,
                                         OutcomeHandler done) {
    return Run(
        [&m = memories_, input = SettingsInput(activeProfile, screen), profileIndex] {
            m.WriteSettings(input, profileIndex);
            return SequenceResult{DeviceOutcome::OfGroup(m.LastFailure()), {}};
        },
        std::move(done));
}

DeviceOutcome MouseDevice::WriteKeys(uint8_t profileIndex, OutcomeHandler done) {
    return Run(
        [&m = memories_, codes = KeyCodesFromProfile(keys_), profileIndex] {
            m.WriteKeyBlock(codes, profileIndex);
            return SequenceResult{DeviceOutcome::OfGroup(m.LastFailure()), {}};
        },
        std::move(done));
}

DeviceOutcome MouseDevice::WriteMacros(OutcomeHandler done) {
    auto macros = MacrosForDevice();
    if (!macros) {
        if (done) done(DeviceOutcome::Done());
        return DeviceOutcome::Done();
    }
    return Run(
        [&m = memories_, events = std::move(*macros)] {
            return SequenceResult{MacroOutcome(m, m.WriteMacros(events)), {}};
        },
        std::move(done));
}

DeviceOutcome MouseDevice::SyncFromDevice(std::function<void(const DecodedConfig&)> onRead, OutcomeHandler done) {
    return Run(
        [this, &m = memories_, onRead = std::move(onRead)] {
            std::optional<DecodedConfig> config = m.ReadActiveConfig();
            // A failed or short read leaves the lighting and the profile as they were.
            if (!config) return SequenceResult{DeviceOutcome::OfGroup(m.LastFailure()), {}};
            return SequenceResult{DeviceOutcome::Done(), [this, config = *config, onRead] {
                                      TakeDeviceConfig(config, light_, profile_);
                                      profile_.SaveProfile();
                                      if (onRead) onRead(config);
                                  }};
        },
        std::move(done));
}

DeviceOutcome MouseDevice::ReadPowerStatus(std::function<void(const PowerStatus&)> onStatus) {
    return Run(
        [&m = memories_, onStatus = std::move(onStatus)] {
            std::optional<PowerStatus> status = m.ReadPowerStatus();
            if (!status) return SequenceResult{DeviceOutcome::OfGroup(m.LastFailure()), {}};
            return SequenceResult{DeviceOutcome::Done(), [status = *status, onStatus] {
                                      if (onStatus) onStatus(status);
                                  }};
        },
        {});
}

}  // namespace orvane
