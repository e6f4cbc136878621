#include "mousepad/MousePadDevice.h"

#include "light/LightPreviewState.h"
#include "profiles/JsonFields.h"
#include "profiles/ProfilePaths.h"

namespace orvane {
namespace {

constexpr int kFirstUserEffectMode = LightPreviewState::kLastBuiltInMode + 1;

// The default profile is usable only when it holds a document for this device index.
bool HoldsDocument(const std::string& path, int deviceIndex) {
    const Json::Value root = JsonFileStore().ReadJsonValue(path);
    return json::Element(json::Member(root, "Device"), static_cast<Json::ArrayIndex>(deviceIndex)).isObject();
}

}  // namespace

MousePadDevice::MousePadDevice(CommandChannel& channel)
    : MousePadDevice(channel, std::make_unique<CBasicProfiledata>()) {}

MousePadDevice::MousePadDevice(CommandChannel& channel, std::unique_ptr<CBasicProfiledata> document)
    : memories_(channel), profile_(std::move(document)) {}

MousePadDevice::~MousePadDevice() = default;

void MousePadDevice::SetFiles(std::string userDataFolder, std::string defaultProfilePath, std::string lightConfigName) {
    folder_ = std::move(userDataFolder);
    profile_->SetDefaultProfilePath(defaultProfilePath);
    lightConfigName_ = lightConfigName.empty() ? kPadLightConfigName : std::move(lightConfigName);
}

// --- Connection and profiles ---

DeviceOutcome MousePadDevice::Connect(OutcomeHandler done) {
    return Run(
        [this, &m = memories_] {
            if (!m.InitialRead()) return SequenceResult{DeviceOutcome::DeviceFailed(m.LastFailure()), {}};
            const DeviceOutcome outcome = DeviceOutcome::OfGroup(m.LastFailure());
            const DeviceInfoRecord info = m.DeviceInfo();
            // Every write sends the whole block: without this read the pad's own bytes would be
            // overwritten with zeros by the first edit.
            const std::optional<PadBlock> block = m.ReadActiveBlock();
            return SequenceResult{block ? outcome : DeviceOutcome::DeviceFailed(m.LastFailure()), [this, info, block] {
                                      deviceInfo_ = info;
                                      if (!block) return;
                                      block_ = *block;
                                      // The profile, not the pad, says what the lights do.
                                      block_.SetLighting(light_.light);
                                  }};
        },
        std::move(done));
}

bool MousePadDevice::UseProfile(const std::string& uuid) {
    // The UUID comes from the profile list file: it must name a file inside the folder.
    const auto path = FileInFolder(folder_, uuid, kProfileExtension);
    if (!path) return false;
    profile_->SetProfilePath(*path);
    profile_->SetLightConfigPath(folder_ + lightConfigName_ + ".config");
    return true;
}

void MousePadDevice::LoadProfile() {
    profile_->LoadProfile(profile_->GetProfilePath());
    TakeLighting();
}

DeviceOutcome MousePadDevice::LoadAndWrite(OutcomeHandler done) {
    LoadProfile();
    return WriteSettings(0, std::move(done));
}

DeviceOutcome MousePadDevice::SelectProfile(ProfileList& list, int index, OutcomeHandler done) {
    if (!list.SelectProfile(index).Changed()) return DeviceOutcome::Refused("there is no profile " + std::to_string(index));
    return ApplyProfile(list.GetSelectedUuid(), std::move(done));
}

DeviceOutcome MousePadDevice::ApplyProfile(const std::string& uuid, OutcomeHandler done) {
    if (!UseProfile(uuid)) return DeviceOutcome::Refused("the profile \"" + uuid + "\" cannot be used");
    return LoadAndWrite(std::move(done));
}

DeviceOutcome MousePadDevice::ResetProfile(ProfileList& list, OutcomeHandler done) {
    if (!list.ResetProfile().Changed() || !UseProfile(list.GetSelectedUuid())) {
        return DeviceOutcome::Refused("the profile could not be reset");
    }
    return LoadAndWrite(std::move(done));
}

DeviceOutcome MousePadDevice::RestoreDefaults() {
    const std::string defaults = profile_->GetDefaultProfilePath();
    // Without a factory document the restore would save an empty profile over the user's.
    if (!HoldsDocument(defaults, profile_->GetDeviceIndex())) {
        return DeviceOutcome::Refused("the default profile " + defaults + " holds no settings");
    }
    // The document's file stays the current profile's.
    profile_->LoadProfile(defaults);
    TakeLighting();
    profile_->SaveProfile();
    return DeviceOutcome::Done();
}

// --- Lighting ---

void MousePadDevice::SetLightState(const LightInfoRecord& light) {
    light_ = light;
    const LightWords words = light_.ToWords();
    profile_->SetLightInfo(words.a, words.b, words.c);
}

void MousePadDevice::TakeLighting() {
    light_ = profile_->GetLightInfo();
    block_.SetLighting(light_.light);
    areaLights_ = profile_->GetLightList();
    profile_->LoadLightConfig(profile_->GetLightConfigPath());
    // A user effect is mode 9 and up: entry mode - 9 of the light group, the entry whose name the
    // lighting panel lists for that mode. The pad's own modes have no steps.
    const int mode = light_.light.mode;
    customLightSteps_ = mode < kFirstUserEffectMode ? std::vector<LedEffectEntry>{}
                                                    : profile_->GetLedEffectList(lightGroup_, mode - kFirstUserEffectMode);
}

DeviceOutcome MousePadDevice::SetLighting(const LightSetting& light, OutcomeHandler done) {
    if (light.brightness > kMaxLightLevel || light.speed > kMaxLightLevel) {
        return DeviceOutcome::Refused("brightness and speed run from 0 to " + std::to_string(kMaxLightLevel));
    }
    LightInfoRecord record = light_;
    record.light = light;
    record.light.direction = light.direction != 0 ? 1 : 0;
    record.light.multiColor = light.multiColor != 0 ? 1 : 0;
    SetLightState(record);
    profile_->SaveProfile();
    TakeLighting();
    return WriteSettings(0, std::move(done));
}

LightInfoRecord MousePadDevice::PreviewSelection() const {
    LightInfoRecord selection = light_;
    selection.light.mode = block_.bytes[PadBlock::kMode];
    selection.light.speed = block_.bytes[PadBlock::kSpeed];
    return selection;
}

// --- The pad ---

DeviceOutcome MousePadDevice::WriteSettings(uint8_t profileIndex, OutcomeHandler done) {
    return Run(
        [&m = memories_, block = block_, profileIndex] {
            const bool written = m.WriteBlock(block, profileIndex);
            const CommandFailure failure = m.LastFailure();
            return SequenceResult{written ? DeviceOutcome::OfGroup(failure) : DeviceOutcome::DeviceFailed(failure), {}};
        },
        std::move(done));
}

DeviceOutcome MousePadDevice::ReadPadBlock(std::function<void(const PadBlock&)> onRead, OutcomeHandler done) {
    return Run(
        [this, &m = memories_, onRead = std::move(onRead)] {
            const std::optional<PadBlock> read = m.ReadActiveBlock();
            // Nothing read: the copy stays, so the next edit never writes zeros back.
            if (!read) return SequenceResult{DeviceOutcome::DeviceFailed(m.LastFailure()), {}};
            return SequenceResult{DeviceOutcome::Done(), [this, block = *read, onRead] {
                                      block_ = block;
                                      if (onRead) onRead(block_);
                                  }};
        },
        std::move(done));
}

}  // namespace orvane
