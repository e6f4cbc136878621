#include "keyboard/KeyboardDevice.h"

#include <algorithm>

#include "light/LightTables.h"
#include "profiles/DeviceMemoryInputs.h"
#include "profiles/JsonFields.h"
#include "profiles/ProfilePaths.h"

namespace orvane {
namespace {

// The custom pattern marks a key as lit by a red that is not 0.
bool Lit(const CustomLightColor& c) { return c.Red != 0; }

// The colour a key of the custom pattern is switched on in: the light state's, with a red that
// is not 0 so that it counts as lit.
CustomLightColor OnColor(const LightSetting& light) {
    return {light.red != 0 ? light.red : uint8_t{255}, light.green, light.blue, BrightnessLevel(light.brightness)};
}

bool HoldsDocument(const std::string& path, int deviceIndex) {
    const Json::Value root = JsonFileStore().ReadJsonValue(path);
    return json::Element(json::Member(root, "Device"), static_cast<Json::ArrayIndex>(deviceIndex)).isObject();
}

DeviceOutcome MacroOutcome(const KeyboardMemories& memories, int result) {
    if (result > 0) {
        return DeviceOutcome::Refused("the macros do not fit the keyboard's " +
                                          std::to_string(memories.MacroCapacityBytes()) + " bytes: remove " +
                                          std::to_string(result) + " events",
                                      result);
    }
    return DeviceOutcome::OfGroup(memories.LastFailure());
}

}  // namespace

KeyboardDevice::KeyboardDevice(CommandChannel& channel, SystemKeyboardSettings& desktop, uint16_t productId)
    : channel_(channel), desktop_(desktop), memories_(channel), lighting_(productId) {
    customColors_.resize(kKeyboardKeyCount);
}

void KeyboardDevice::SetFiles(std::string userDataFolder, std::string defaultProfilePath, std::string lightConfigName) {
    folder_ = std::move(userDataFolder);
    profile_.SetDefaultProfilePath(defaultProfilePath);
    lightConfigName_ = lightConfigName.empty() ? kKeyboardLightConfigName : std::move(lightConfigName);
}

// --- Connection and profiles ---

DeviceOutcome KeyboardDevice::Connect(OutcomeHandler done) {
    return Run(
        [this, &m = memories_] {
            const auto read = m.InitialRead();
            if (read != KeyboardMemories::InitialReadOutcome::Done) {
                const CommandFailure failure = m.LastFailure().Failed() ? m.LastFailure() : CommandFailure{"open", 0, {}};
                return SequenceResult{DeviceOutcome::DeviceFailed(failure), {}};
            }
            return SequenceResult{DeviceOutcome::Done(), [this, maps = m.Maps()] { SetMaps(maps); }};
        },
        std::move(done));
}

bool KeyboardDevice::UseProfile(const std::string& uuid) {
    const auto path = FileInFolder(folder_, uuid, kProfileExtension);
    if (!path) return false;
    profile_.SetProfilePath(*path);
    profile_.SetLightConfigPath(folder_ + lightConfigName_ + ".config");
    return true;
}

void KeyboardDevice::TakeDocument() {
    keys_ = profile_.GetKeyList();
    // Keys given other functions in an earlier run hold them in their slots: find them there.
    Run(
        [this, &m = memories_, codes = KeyCodesFromProfile(keys_)] {
            m.ClaimSlotsOfCurrentCodes(codes);
            return SequenceResult{DeviceOutcome::Done(), [this, maps = m.Maps()] { SetMaps(maps); }};
        },
        {});
    settings_ = profile_.GetKeyboardSystemSettings();
    TakeCustomColors();
    TakeLighting();
}

void KeyboardDevice::TakeLighting() {
    light_ = profile_.GetLightInfo();
    profile_.LoadLightConfig(profile_.GetLightConfigPath());
    const int mode = light_.light.mode;
    lighting_.SetCustomSteps(mode < kFirstCustomStepMode ? std::vector<LedEffectEntry>{}
                                                         : profile_.GetLedEffectList(lightGroup_, mode - kFirstCustomStepMode));
    lighting_.SetSelection(light_.light);
}

void KeyboardDevice::TakeCustomColors() {
    const int group = profile_.GetCustomLightGroupIndex();
    customColors_ = profile_.GetCustomLightColors(group, static_cast<int>(kKeyboardKeyCount));
    // A group read for the first time is created in the document but read as empty: read it as created.
    if (customColors_.empty()) customColors_ = profile_.GetCustomLightColors(group, static_cast<int>(kKeyboardKeyCount));
    customColors_.resize(kKeyboardKeyCount);
    std::array<bool, kKeyboardKeyCount> lit{};
    for (size_t k = 0; k < kKeyboardKeyCount; ++k) lit[k] = Lit(customColors_[k]);
    lighting_.SetCustomPattern(lit);
}

void KeyboardDevice::StoreSettings() {
    const KeyboardSystemWords w = settings_.ToWords();
    profile_.SetKeyboardSystemSettings(w.a, w.b, w.c);
}

void KeyboardDevice::SetMaps(const KeyboardMaps& maps) {
    std::lock_guard lock(mapsMutex_);
    maps_ = maps;
}

KeyboardMaps KeyboardDevice::Maps() const {
    std::lock_guard lock(mapsMutex_);
    return maps_;
}

DeviceOutcome KeyboardDevice::LoadProfileOnConnect(OutcomeHandler done) {
    profile_.LoadProfile(profile_.GetProfilePath());
    TakeDocument();
    // The desktop is the truth about the key repeat on connection.
    settings_ = profile_.ReadWindowsKeyboardSettings(static_cast<uint16_t>(desktop_.RepeatRate()),
                                                     static_cast<uint16_t>(desktop_.RepeatDelay()));
    StoreSettings();
    profile_.SaveProfile();
    return SendCustomLightBitmap(std::move(done));
}

void KeyboardDevice::LoadProfile() {
    profile_.LoadProfile(profile_.GetProfilePath());
    TakeDocument();
}

DeviceOutcome KeyboardDevice::ReloadProfile(OutcomeHandler done) {
    LoadProfile();
    return SendCustomLightBitmap(std::move(done));
}

DeviceOutcome KeyboardDevice::WriteProfile(OutcomeHandler done) {
    ApplyKeyRepeat();
    struct Write {
        std::vector<FunctionCode> keys;
        std::optional<std::vector<std::vector<MacroEventBytes>>> macros;
        KeyboardBlock block;
        CustomLightBitmap bitmap;
    };
    std::optional<std::vector<std::vector<MacroEventBytes>>> macros;
    if (const auto read = ReadDeviceMacros(folder_)) macros = MacroEventsForDevice(*read);
    Write write{KeyCodesFromProfile(keys_), std::move(macros), KeyboardBlock::Build(0, light_.light, settings_), BuildBitmap()};
    return Run(
        [this, &m = memories_, write = std::move(write)] {
            m.WriteCustomBitmap(write.bitmap);
            const DeviceOutcome bitmap = DeviceOutcome::OfGroup(m.LastFailure());
            m.WriteKeyBlock(write.keys, 0);
            const DeviceOutcome keys = DeviceOutcome::OfGroup(m.LastFailure());
            const int macroWrite = write.macros ? m.WriteMacros(*write.macros) : 0;
            const DeviceOutcome macroOutcome = write.macros ? MacroOutcome(m, macroWrite) : DeviceOutcome::Done();
            m.WriteBlock(write.block, 0);
            const DeviceOutcome block = DeviceOutcome::OfGroup(m.LastFailure());
            DeviceOutcome outcome = macroOutcome.IsRefused() ? macroOutcome : DeviceOutcome::Done();
            for (const DeviceOutcome* o : {&bitmap, &keys, &macroOutcome, &block})
                if (o->IsDeviceFailure()) {
                    outcome = *o;
                    break;
                }
            return SequenceResult{outcome, [this, maps = m.Maps(), macroWrite] {
                                      SetMaps(maps);
                                      lastProfileMacroWrite_ = macroWrite < 0 ? -1 : macroWrite;
                                  }};
        },
        std::move(done));
}

DeviceOutcome KeyboardDevice::SelectProfile(ProfileList& list, int index, OutcomeHandler done) {
    if (!list.SelectProfile(index).Changed()) return DeviceOutcome::Refused("there is no profile " + std::to_string(index));
    return ApplyProfile(list.GetSelectedUuid(), std::move(done));
}

DeviceOutcome KeyboardDevice::ApplyProfile(const std::string& uuid, OutcomeHandler done) {
    if (!UseProfile(uuid)) return DeviceOutcome::Refused("the profile \"" + uuid + "\" cannot be used");
    profile_.LoadProfile(profile_.GetProfilePath());
    TakeDocument();
    return WriteProfile(std::move(done));
}

DeviceOutcome KeyboardDevice::ResetProfile(ProfileList& list, OutcomeHandler done) {
    if (!list.ResetProfile().Changed() || !UseProfile(list.GetSelectedUuid()))
        return DeviceOutcome::Refused("the profile could not be reset");
    profile_.LoadProfile(profile_.GetProfilePath());
    TakeDocument();
    return WriteProfile(std::move(done));
}

DeviceOutcome KeyboardDevice::RestoreDefaults(OutcomeHandler done) {
    const std::string defaults = profile_.GetDefaultProfilePath();
    // Without a factory document the restore would save an empty profile over the user's.
    if (!HoldsDocument(defaults, profile_.GetDeviceIndex()))
        return DeviceOutcome::Refused("the default profile " + defaults + " holds no settings");
    profile_.LoadProfile(defaults);
    TakeDocument();
    profile_.SaveProfile();
    return WriteProfile(std::move(done));
}

// --- Keyboard settings ---

int KeyboardDevice::ReportRateHz() const {
    return kKeyboardReportRatesHz[std::min<size_t>(settings_.PollingRate, kKeyboardReportRatesHz.size() - 1)];
}

DeviceOutcome KeyboardDevice::SaveAndWrite(OutcomeHandler done) {
    StoreSettings();
    profile_.SaveProfile();
    return WriteSettings(0, 0, std::move(done));
}

DeviceOutcome KeyboardDevice::SetReportRateHz(int hz, OutcomeHandler done) {
    const auto it = std::find(kKeyboardReportRatesHz.begin(), kKeyboardReportRatesHz.end(), hz);
    if (it == kKeyboardReportRatesHz.end()) return DeviceOutcome::Refused("the keyboard reports at 125, 250, 500 or 1000 Hz");
    settings_.PollingRate = static_cast<uint16_t>(it - kKeyboardReportRatesHz.begin());
    return SaveAndWrite(std::move(done));
}

DeviceOutcome KeyboardDevice::SetWindowsKeyLock(bool on, OutcomeHandler done) {
    settings_.WinFlag = on ? 1 : 0;
    return SaveAndWrite(std::move(done));
}

DeviceOutcome KeyboardDevice::SetWKeyLock(bool on, OutcomeHandler done) {
    settings_.WFlag = on ? 1 : 0;
    return SaveAndWrite(std::move(done));
}

DeviceOutcome KeyboardDevice::SetSixKeyRollover(bool on, OutcomeHandler done) {
    settings_.Key6Flag = on ? 1 : 0;
    return SaveAndWrite(std::move(done));
}

DeviceOutcome KeyboardDevice::SaveAndApply(bool desktopTookIt, const char* what) {
    if (desktopTookIt) return DeviceOutcome::Done();
    return DeviceOutcome::Refused(std::string("the desktop did not take the ") + what + " (the profile keeps it)");
}

DeviceOutcome KeyboardDevice::SetRepeatRate(int rate) {
    if (rate < 0 || rate > kMaxKeyRepeatRate)
        return DeviceOutcome::Refused("the repeat rate runs from 0 to " + std::to_string(kMaxKeyRepeatRate));
    settings_.Repeat = static_cast<uint16_t>(rate);
    StoreSettings();
    profile_.SaveProfile();
    return SaveAndApply(desktop_.SetRepeatRate(rate), "key repeat rate");
}

DeviceOutcome KeyboardDevice::SetRepeatDelayMs(int milliseconds) {
    const int level = RepeatDelayLevelFromMs(milliseconds);
    if (RepeatDelayMsFromLevel(level) != milliseconds)
        return DeviceOutcome::Refused("the repeat delay is 250, 500, 750 or 1000 ms");
    settings_.RepeatDelay = static_cast<uint16_t>(level);
    StoreSettings();
    profile_.SaveProfile();
    return SaveAndApply(desktop_.SetRepeatDelay(level), "key repeat delay");
}

DeviceOutcome KeyboardDevice::ResetKeyRepeat() {
    settings_.Repeat = kDefaultKeyRepeatRate;
    settings_.RepeatDelay = kDefaultKeyRepeatDelay;
    StoreSettings();
    profile_.SaveProfile();
    return SaveAndApply(ApplyKeyRepeat(), "key repeat");
}

bool KeyboardDevice::ApplyKeyRepeat() {
    const bool rate = desktop_.SetRepeatRate(std::min<int>(settings_.Repeat, kMaxKeyRepeatRate));
    return desktop_.SetRepeatDelay(std::min<int>(settings_.RepeatDelay, kMaxKeyRepeatDelay)) && rate;
}

// --- Keys ---

bool KeyboardDevice::SetKeyAssignment(int key, const KeyListEntry& entry) {
    if (key < 0 || static_cast<size_t>(key) >= keys_.size()) return false;
    keys_[static_cast<size_t>(key)] = entry;
    profile_.SetKeyList(keys_);
    return true;
}

DeviceOutcome KeyboardDevice::AssignKey(int key, const FunctionCode& code, OutcomeHandler done) {
    if (key < 0 || static_cast<size_t>(key) >= keys_.size())
        return DeviceOutcome::Refused("the keyboard has keys 0 to " + std::to_string(static_cast<int>(keys_.size()) - 1));
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

DeviceOutcome KeyboardDevice::WriteKeys(uint8_t profileIndex, OutcomeHandler done) {
    return Run(
        [this, &m = memories_, codes = KeyCodesFromProfile(keys_), profileIndex] {
            m.WriteKeyBlock(codes, profileIndex);
            return SequenceResult{DeviceOutcome::OfGroup(m.LastFailure()), [this, maps = m.Maps()] { SetMaps(maps); }};
        },
        std::move(done));
}

DeviceOutcome KeyboardDevice::WriteMacros(OutcomeHandler done) {
    const auto macros = ReadDeviceMacros(folder_);
    if (!macros) {
        if (done) done(DeviceOutcome::Done());
        return DeviceOutcome::Done();
    }
    return Run(
        [&m = memories_, events = MacroEventsForDevice(*macros)] {
            return SequenceResult{MacroOutcome(m, m.WriteMacros(events)), {}};
        },
        std::move(done));
}

DeviceOutcome KeyboardDevice::WriteSettings(uint8_t profileIndex, uint8_t activeProfile, OutcomeHandler done) {
    return Run(
        [&m = memories_, block = KeyboardBlock::Build(activeProfile, light_.light, settings_), profileIndex] {
            m.WriteBlock(block, profileIndex);
            return SequenceResult{DeviceOutcome::OfGroup(m.LastFailure()), {}};
        },
        std::move(done));
}

DeviceOutcome KeyboardDevice::ReadKeyAssignmentSupport(OutcomeHandler done) {
    return Run(
        [this, &m = memories_] {
            const auto block = m.ReadFirstBlock();
            if (!block) {
                const DeviceOutcome failed = DeviceOutcome::OfGroup(m.LastFailure());
                return SequenceResult{failed.Ok() ? DeviceOutcome::Refused("the keyboard is not connected") : failed, {}};
            }
            return SequenceResult{DeviceOutcome::Done(),
                                  [this, taken = TakesKeyAssignments(*block)] { keyAssignmentsTaken_ = taken; }};
        },
        std::move(done));
}

// --- Lighting ---

DeviceOutcome KeyboardDevice::SetLighting(const LightSetting& light, OutcomeHandler done) {
    if (light.brightness > kMaxLightLevel || light.speed > kMaxLightLevel)
        return DeviceOutcome::Refused("brightness and speed run from 0 to " + std::to_string(kMaxLightLevel));
    light_.light = light;
    light_.light.direction = light.direction != 0 ? 1 : 0;
    light_.light.multiColor = light.multiColor != 0 ? 1 : 0;
    const LightWords words = light_.ToWords();
    profile_.SetLightInfo(words.a, words.b, words.c);
    profile_.SaveProfile();
    const int mode = light_.light.mode;
    lighting_.SetCustomSteps(mode < kFirstCustomStepMode ? std::vector<LedEffectEntry>{}
                                                         : profile_.GetLedEffectList(lightGroup_, mode - kFirstCustomStepMode));
    lighting_.SetSelection(light_.light);
    if (mode == kCustomStaticMode) {
        const DeviceOutcome sent = SendCustomLightBitmap();
        if (sent.IsDeviceFailure()) {
            if (done) done(sent);
            return sent;
        }
    }
    return WriteSettings(0, 0, std::move(done));
}

CustomLightBitmap KeyboardDevice::BuildBitmap() const {
    CustomLightBitmap bitmap{};
    const KeyboardMaps maps = Maps();
    for (size_t k = 0; k < kKeyboardKeyCount; ++k) {
        const uint8_t led = maps.ledOfKey[k];
        if (led >= kKeyLedCount || !Lit(customColors_[k])) continue;
        bitmap[led % kCustomLightBitmapBytes] |= static_cast<uint8_t>(1u << (led / kCustomLightBitmapBytes));
    }
    return bitmap;
}

DeviceOutcome KeyboardDevice::SendCustomLightBitmap(OutcomeHandler done) {
    return Run(
        [&m = memories_, bitmap = BuildBitmap()] {
            m.WriteCustomBitmap(bitmap);
            return SequenceResult{DeviceOutcome::OfGroup(m.LastFailure()), {}};
        },
        std::move(done));
}

DeviceOutcome KeyboardDevice::SetCustomLightGroup(int group, OutcomeHandler done) {
    if (group < 0 || group >= CKeyboardProfiledata::kMaxCustomLightGroups)
        return DeviceOutcome::Refused("there is no custom light group " + std::to_string(group));
    profile_.SetCustomLightGroupIndex(group);
    TakeCustomColors();
    profile_.SaveProfile();
    return SendCustomLightBitmap(std::move(done));
}

DeviceOutcome KeyboardDevice::StoreCustomColorsAndWrite(std::function<int(KeyboardMemories&)> write, OutcomeHandler done) {
    profile_.SetCustomLightColors(profile_.GetCustomLightGroupIndex(), customColors_);
    profile_.SaveProfile();
    std::array<bool, kKeyboardKeyCount> lit{};
    for (size_t k = 0; k < kKeyboardKeyCount; ++k) lit[k] = Lit(customColors_[k]);
    lighting_.SetCustomPattern(lit);
    return Run(
        [&m = memories_, write = std::move(write)] {
            write(m);
            return SequenceResult{DeviceOutcome::OfGroup(m.LastFailure()), {}};
        },
        std::move(done));
}

DeviceOutcome KeyboardDevice::ToggleCustomKey(int key, OutcomeHandler done) {
    if (light_.light.mode != kCustomStaticMode) return DeviceOutcome::Refused("keys are switched one by one only in the custom mode");
    if (key < 0 || static_cast<size_t>(key) >= kKeyboardKeyCount)
        return DeviceOutcome::Refused("the keyboard has keys 0 to " + std::to_string(kKeyboardKeyCount - 1));
    CustomLightColor& c = customColors_[static_cast<size_t>(key)];
    c = Lit(c) ? CustomLightColor{0, light_.light.green, light_.light.blue, BrightnessLevel(light_.light.brightness)}
               : OnColor(light_.light);
    const uint8_t led = Maps().ledOfKey[static_cast<size_t>(key)];
    const CustomLightBitmap bitmap = BuildBitmap();
    return StoreCustomColorsAndWrite(
        [led, bitmap](KeyboardMemories& m) {
            // A key without a light changes only the pattern the page shows.
            if (led >= kKeyLedCount) return kResultSuccess;
            const size_t index = led % kCustomLightBitmapBytes;
            return m.WriteCustomBitmapByte(index, bitmap[index]);
        },
        std::move(done));
}

DeviceOutcome KeyboardDevice::SetAllCustomKeys(bool on, OutcomeHandler done) {
    for (CustomLightColor& c : customColors_) c = on ? OnColor(light_.light) : CustomLightColor{};
    CustomLightBitmap bitmap;
    bitmap.fill(on ? 0xFF : 0x00);
    return StoreCustomColorsAndWrite([bitmap](KeyboardMemories& m) { return m.WriteCustomBitmap(bitmap); },
                                     std::move(done));
}

void KeyboardDevice::OnKeyEvent(size_t slot, KeyEvent kind) {
    if (const auto key = Maps().KeyOfSlot(slot)) lighting_.OnKeyEvent(*key, kind);
}

bool KeyboardDevice::TakesFrames(const KeyboardMaps& maps) const {
    return lighting_.Selection().mode != kCustomStaticMode && !channel_.SlowLink() && maps.HasLights();
}

int KeyboardDevice::StreamFrame() {
    const KeyboardMaps maps = Maps();
    return TakesFrames(maps) ? memories_.StreamFrame(lighting_.Frame(maps)) : kResultSuccess;
}

int KeyboardDevice::StreamColours(std::span<const LightColor> colours) {
    const KeyboardMaps maps = Maps();
    return TakesFrames(maps) ? memories_.StreamFrame(BuildKeyLightFrame(colours, maps)) : kResultSuccess;
}

DeviceOutcome KeyboardDevice::SyncFromDevice(OutcomeHandler done) {
    return Run(
        [this, &m = memories_, current = light_.light] {
            const auto read = m.ReadActiveBlock();
            if (!read) return SequenceResult{DeviceOutcome::OfGroup(m.LastFailure()), {}};
            const auto decoded = DecodeKeyboardBlock(read->first, read->second, current);
            if (!decoded) return SequenceResult{DeviceOutcome::Refused("the keyboard's block holds values it does not use"), {}};
            return SequenceResult{DeviceOutcome::Done(), [this, d = *decoded] {
                                      light_.light = d.light;
                                      settings_.WFlag = d.WFlag;
                                      settings_.Key6Flag = d.Key6Flag;
                                      settings_.WinFlag = d.WinFlag;
                                      lighting_.SetSelection(light_.light);
                                      StoreSettings();
                                      const LightWords words = light_.ToWords();
                                      profile_.SetLightInfo(words.a, words.b, words.c);
                                      profile_.SaveProfile();
                                  }};
        },
        std::move(done));
}

}  // namespace orvane
