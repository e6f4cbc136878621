#include "sim/PadFirmware.h"

#include <algorithm>

#include "platform/DebugLog.h"
#include "sim/PadDescriptors.h"
#include "sim/SimStateFile.h"

namespace orvane::sim {
namespace {

constexpr int kStateFormat = 1;
constexpr uint16_t kProfileSwitchUsage = 0x0401;
constexpr uint8_t kConsumerReportId = 3;

// Factory profiles, so that a profile switch shows: mode, brightness, speed (as the user counts
// it), multicolour, colour. A pad with more profiles repeats them.
constexpr std::array<PadLighting, 4> kFactoryLighting = {{
    {2, 4, 1, 0, 0x00, 0xFF, 0x80},  // breathing
    {0, 3, 2, 1, 0xFF, 0x00, 0x00},  // wave, multicolour
    {3, 4, 0, 0, 0x00, 0x80, 0xFF},  // static
    {7, 2, 4, 1, 0xFF, 0xFF, 0xFF},  // zone ripple, multicolour
}};

void PutLe16(std::span<uint8_t> bytes, size_t at, uint16_t value) {
    bytes[at] = static_cast<uint8_t>(value & 0xFF);
    bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

std::array<uint8_t, kDeviceInfoBytes> MakeDeviceInfo(const PadModel& m, const PadOptions& o) {
    namespace di = device_info;
    std::array<uint8_t, kDeviceInfoBytes> info{};
    info[di::kRecordVersion] = 1;
    PutLe16(info, di::kFirmwareVersion, m.versionNumber);
    info[di::kDeviceType] = m.deviceType;
    info[di::kOnboardProfiles] = o.onboardProfiles;
    PutLe16(info, di::kVendorId, m.vendorId);
    PutLe16(info, di::kProductId, m.productId);
    info[di::kLightModes] = pad_block::kLightModes;
    const size_t room = kDeviceInfoBytes - di::kModelName;
    std::copy_n(m.modelName.begin(), std::min(m.modelName.size(), room), info.begin() + di::kModelName);
    return info;
}

// Whether the lighting bytes of a block (from byte 1 on, as far as `block` reaches) are ones the
// pad can show.
bool LightingInRange(std::span<const uint8_t> block) {
    namespace pb = pad_block;
    return !(block.size() > pb::kLightMode && block[pb::kLightMode] >= pb::kLightModes) &&
           !(block.size() > pb::kBrightness && block[pb::kBrightness] > pb::kMaxLevel) &&
           !(block.size() > pb::kSpeedInverted && block[pb::kSpeedInverted] > pb::kMaxLevel);
}

}  // namespace

PadOptions PadFirmware::Checked(PadOptions options, const PadModel& model) {
    // Address 0 (the active-profile byte) must exist.
    options.onboardProfiles = std::max<uint8_t>(options.onboardProfiles, 1);
    options.latency = std::max(options.latency, std::chrono::milliseconds(0));
    if (options.stateFileName.empty()) options.stateFileName = model.name + ".json";
    return options;
}

PadFirmware::PadFirmware(PadModel model, PadOptions options)
    : CommandFirmware(std::max(options.latency, std::chrono::milliseconds(0))),
      model_(std::move(model)),
      options_(Checked(std::move(options), model_)),
      deviceInfo_(MakeDeviceInfo(model_, options_)),
      parameters_(FactoryParameterMemory(options_.onboardProfiles)) {
    LoadState();
}

std::vector<uint8_t> PadFirmware::FactoryParameterMemory(uint8_t onboardProfiles) {
    namespace pb = pad_block;
    const size_t profiles = std::max<uint8_t>(onboardProfiles, 1);
    std::vector<uint8_t> memory(profiles * kPadBlockBytes, 0);
    for (size_t p = 0; p < profiles; ++p) {
        auto block = std::span<uint8_t>(memory).subspan(p * kPadBlockBytes, kPadBlockBytes);
        const PadLighting& l = kFactoryLighting[p % kFactoryLighting.size()];
        block[pb::kProfileNumber] = static_cast<uint8_t>(p);  // profile 0's is the active profile
        block[pb::kLightMode] = l.mode;
        block[pb::kBrightness] = l.brightness;
        block[pb::kSpeedInverted] = static_cast<uint8_t>(pb::kMaxLevel - l.speed);
        block[pb::kMultiColour] = l.multiColour;
        block[pb::kRed] = l.red;
        block[pb::kGreen] = l.green;
        block[pb::kBlue] = l.blue;
        // The firmware's own settings are not zero, so that a host that drops them shows.
        for (size_t i = pb::kFirstOwnByte; i < kPadBlockBytes; ++i) block[i] = static_cast<uint8_t>(0x10 + i);
    }
    return memory;
}

std::vector<uint8_t> PadFirmware::ParameterMemory() const {
    std::lock_guard lock(mutex_);
    return parameters_;
}

uint8_t PadFirmware::ActiveProfile() const {
    std::lock_guard lock(mutex_);
    return parameters_[pad_block::kProfileNumber];
}

PadLighting PadFirmware::Lighting(std::optional<uint8_t> profile) const {
    namespace pb = pad_block;
    std::lock_guard lock(mutex_);
    const size_t p = profile.value_or(parameters_[pb::kProfileNumber]);
    if (p >= options_.onboardProfiles) return {};
    const auto block = std::span<const uint8_t>(parameters_).subspan(p * kPadBlockBytes, kPadBlockBytes);
    return {block[pb::kLightMode],
            block[pb::kBrightness],
            static_cast<uint8_t>(pb::kMaxLevel - block[pb::kSpeedInverted]),
            block[pb::kMultiColour],
            block[pb::kRed],
            block[pb::kGreen],
            block[pb::kBlue]};
}

bool PadFirmware::InTransfer() const {
    std::lock_guard lock(mutex_);
    return inTransfer_;
}

std::string PadFirmware::StateFilePath() const {
    if (options_.stateFolder.empty()) return {};
    return options_.stateFolder + "/" + options_.stateFileName;
}

bool PadFirmware::SwitchOnboardProfile(uint8_t profile, SimDevice& device) {
    {
        std::lock_guard lock(mutex_);
        if (profile >= options_.onboardProfiles) return false;
        if (parameters_[pad_block::kProfileNumber] != profile) {
            parameters_[pad_block::kProfileNumber] = profile;
            SaveStateLocked();
        }
    }
    if (model_.eventInterface) {
        // A consumer-control press of the profile usage, then the release, as the button sends them.
        device.Inject(*model_.eventInterface, {kConsumerReportId, kProfileSwitchUsage & 0xFF, kProfileSwitchUsage >> 8});
        device.Inject(*model_.eventInterface, {kConsumerReportId, 0x00, 0x00});
    }
    return true;
}

uint8_t PadFirmware::WriteBlock(uint16_t address, std::span<const uint8_t> data) {
    if (address != 0 || data.size() > kPadBlockBytes) return kStatusOutOfRange;
    if (data.empty()) return kStatusOk;
    const uint8_t profile = data[pad_block::kProfileNumber];
    if (profile >= options_.onboardProfiles || !LightingInRange(data)) return kStatusOutOfRange;
    auto block = std::span<uint8_t>(parameters_).subspan(profile * kPadBlockBytes, kPadBlockBytes);
    const bool changed = parameters_[pad_block::kProfileNumber] != profile ||
                         !std::equal(data.begin() + 1, data.end(), block.begin() + 1);
    parameters_[pad_block::kProfileNumber] = profile;
    std::copy(data.begin() + 1, data.end(), block.begin() + 1);
    if (changed) SaveStateLocked();
    return kStatusOk;
}

uint8_t PadFirmware::Execute(uint8_t command, uint16_t address, uint8_t length, std::span<uint8_t> payload,
                             SimPort&) {
    std::lock_guard lock(mutex_);
    switch (static_cast<MouseCommand>(command)) {
    case MouseCommand::BeginTransfer:
        inTransfer_ = true;
        return kStatusOk;
    case MouseCommand::EndTransfer:
        inTransfer_ = false;
        return kStatusOk;
    case MouseCommand::ReadDeviceInfo:
        return ReadMemoryInto(deviceInfo_, address, length, payload);
    case MouseCommand::ReadParameters:
        return ReadMemoryInto(parameters_, address, length, payload);
    case MouseCommand::WriteParameters:
        return WriteBlock(address, std::span<const uint8_t>(payload.data(), length));
    case MouseCommand::QueryOnline:
        std::fill(payload.begin(), payload.end(), 0);
        payload[0] = 0xFF;
        return kStatusOk;
    default:
        // No key table, macros, power status or light stream on this firmware.
        return kStatusBadRequest;
    }
}

void PadFirmware::LoadState() {
    const std::string path = StateFilePath();
    auto broken = [&](const char* why) {
        DebugLog("sim " + model_.name + ": state file " + path + " " + why + "; using factory state");
    };
    Json::Value root;
    switch (ReadStateFile(path, root)) {
    case StateFileRead::kMissing: return;
    case StateFileRead::kBroken: return broken("is not JSON");
    case StateFileRead::kRead: break;
    }
    if (!MemberIs(root, "format", kStateFormat)) return broken("has an unknown format");
    if (!MemberIs(root, "onboardProfiles", options_.onboardProfiles)) return broken("was made for another memory size");
    std::vector<uint8_t> parameters;
    if (!BytesFromHex(root["parameterMemory"], parameters_.size(), parameters))
        return broken("has a memory of the wrong size");
    if (parameters[pad_block::kProfileNumber] >= options_.onboardProfiles)
        return broken("names an on-board profile the device does not have");
    for (size_t p = 0; p < options_.onboardProfiles; ++p)
        if (!LightingInRange(std::span<const uint8_t>(parameters).subspan(p * kPadBlockBytes, kPadBlockBytes)))
            return broken("holds a lighting the device cannot show");

    std::lock_guard lock(mutex_);
    parameters_ = std::move(parameters);
}

void PadFirmware::SaveStateLocked() const {
    const std::string path = StateFilePath();
    if (path.empty()) return;
    Json::Value root(Json::objectValue);
    root["format"] = kStateFormat;
    root["onboardProfiles"] = options_.onboardProfiles;
    root["parameterMemory"] = HexText(parameters_);
    WriteStateFile(path, root, "sim " + model_.name);
}

const PadModel& MousePadModel() {
    static const PadModel model{"pad", 0x0C45, 0x6627, 0x0105, 3, "MousePad", 1, 1};
    return model;
}

SimDeviceIdentity IdentityOf(const PadModel& model, std::vector<SimInterface> interfaces) {
    SimDeviceIdentity id;
    id.model = model.name;
    id.vendorId = model.vendorId;
    id.productId = model.productId;
    id.versionNumber = model.versionNumber;
    id.interfaces = std::move(interfaces);
    return id;
}

SimDeviceIdentity MousePadIdentity() {
    return IdentityOf(MousePadModel(),
                      {{0, {kPadKeyboardInterfaceDescriptor.begin(), kPadKeyboardInterfaceDescriptor.end()}},
                       {1, {kPadCommandInterfaceDescriptor.begin(), kPadCommandInterfaceDescriptor.end()}}});
}

}  // namespace orvane::sim
