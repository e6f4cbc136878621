#include "sim/MouseFirmware.h"

#include <algorithm>
#include <memory>

#include "platform/DebugLog.h"
#include "sim/Q730Descriptors.h"
#include "sim/SimStateFile.h"

namespace orvane::sim {
namespace {

constexpr int kStateFormat = 1;
constexpr uint8_t kLightModes = 9;
constexpr uint8_t kMaxResolutionIndex = 159;  // 16000 cpi
constexpr uint8_t kLightPositions = 6;
constexpr uint8_t kNoLight = 0xFF;
constexpr uint16_t kProfileSwitchUsage = 0x0401;
constexpr uint8_t kConsumerReportId = 3;

struct FactoryStage {
    uint16_t cpi;
    std::array<uint8_t, 3> colour;
};
constexpr std::array<FactoryStage, config_block::kDpiStageCount> kFactoryStages = {{
    {400, {0xFF, 0x00, 0x00}},
    {800, {0x00, 0xFF, 0x00}},
    {1600, {0x00, 0x00, 0xFF}},
    {3200, {0xFF, 0xFF, 0x00}},
    {6400, {0x00, 0xFF, 0xFF}},
    {12800, {0xFF, 0x00, 0xFF}},
}};

void PutLe16(std::span<uint8_t> bytes, size_t at, uint16_t value) {
    bytes[at] = static_cast<uint8_t>(value & 0xFF);
    bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

std::array<uint8_t, kDeviceInfoBytes> MakeDeviceInfo(const MouseOptions& o) {
    namespace di = device_info;
    std::array<uint8_t, kDeviceInfoBytes> info{};
    info[di::kRecordVersion] = 1;
    PutLe16(info, di::kFirmwareVersion, kQ730VersionNumber);
    info[di::kDeviceType] = 2;
    info[di::kOnboardProfiles] = o.onboardProfiles;
    info[di::kKeySlots] = o.keySlots;
    info[di::kMacroUnits] = o.macroUnits;
    PutLe16(info, di::kVendorId, kQ730VendorId);
    PutLe16(info, di::kProductId, kQ730ProductId);
    info[di::kMaxResolutionIndex] = kMaxResolutionIndex;
    info[di::kDpiStages] = static_cast<uint8_t>(config_block::kDpiStageCount);
    info[di::kLightModes] = kLightModes;
    constexpr std::string_view kModel = "Q730";
    std::copy(kModel.begin(), kModel.end(), info.begin() + di::kModelName);
    return info;
}

std::vector<uint8_t> MakeKeyLightMap(const MouseOptions& o) {
    std::vector<uint8_t> map(o.keySlots, kNoLight);
    for (uint8_t s = 0; s < o.keySlots && s < kLightPositions; ++s) map[s] = s;
    return map;
}

// Copies the request's bytes into [address, address + length) of `memory`; sets `changed`
// when that altered it.
uint8_t WriteInto(std::span<uint8_t> memory, uint16_t address, std::span<const uint8_t> data, bool& changed) {
    if (address + data.size() > memory.size()) return kStatusOutOfRange;
    auto at = memory.begin() + address;
    changed = !std::equal(data.begin(), data.end(), at);
    std::copy(data.begin(), data.end(), at);
    return kStatusOk;
}

}  // namespace

MouseOptions MouseFirmware::Checked(MouseOptions options) {
    // Address 0 (the active-profile byte) must exist.
    options.onboardProfiles = std::max<uint8_t>(options.onboardProfiles, 1);
    options.latency = std::max(options.latency, std::chrono::milliseconds(0));
    if (options.stateFileName.empty()) options.stateFileName = "mouse.json";
    return options;
}

MouseFirmware::MouseFirmware(MouseOptions options)
    : CommandFirmware(std::max(options.latency, std::chrono::milliseconds(0))),
      options_(Checked(std::move(options))),
      deviceInfo_(MakeDeviceInfo(options_)),
      keyLightMap_(MakeKeyLightMap(options_)) {
    parameters_ = FactoryParameterMemory(options_);
    keyTable_ = FactoryKeyTable(options_);
    macros_.assign(size_t{options_.macroUnits} * kMacroUnitBytes, 0);
    power_ = FactoryPowerStatus();
    LoadState();
}

std::vector<uint8_t> MouseFirmware::FactoryParameterMemory(const MouseOptions& options) {
    namespace cb = config_block;
    const size_t profiles = std::max<uint8_t>(options.onboardProfiles, 1);
    std::vector<uint8_t> memory(profiles * kProfileBlockBytes, 0);
    for (size_t p = 0; p < profiles; ++p) {
        auto block = std::span<uint8_t>(memory).subspan(p * kProfileBlockBytes, kProfileBlockBytes);
        // Profiles differ in light mode and active stage, so that a switch shows.
        block[cb::kLightMode] = static_cast<uint8_t>((p + 1) % kLightModes);
        block[cb::kBrightness] = 3;
        block[cb::kSpeedInverted] = 2;
        block[cb::kDirection] = 0;
        block[cb::kMultiColour] = 0;
        block[cb::kRed] = 0xFF;
        block[cb::kGreen] = 0x00;
        block[cb::kBlue] = 0x00;
        block[cb::kReportRateOption] = 3;
        block[cb::kActiveDpiStage] = static_cast<uint8_t>((p + 1) % cb::kDpiStageCount);
        block[cb::kLiftOffOption] = 0;
        for (size_t k = 0; k < cb::kDpiStageCount; ++k) {
            auto stage = block.subspan(cb::kFirstDpiStage + k * cb::kDpiStageBytes, cb::kDpiStageBytes);
            const uint16_t index = static_cast<uint16_t>(kFactoryStages[k].cpi / 100 - 1);
            stage[cb::kStageEnabled] = 1;
            stage[cb::kStageSeparateXY] = 0;
            PutLe16(stage, cb::kStageXIndex, index);
            PutLe16(stage, cb::kStageYIndex, index);
            std::copy(kFactoryStages[k].colour.begin(), kFactoryStages[k].colour.end(), stage.begin() + cb::kStageColour);
        }
    }
    memory[cb::kActiveProfile] = 0;
    return memory;
}

std::vector<uint8_t> MouseFirmware::FactoryKeyTable(const MouseOptions& options) {
    const size_t slots = options.keySlots;
    std::vector<uint8_t> table(slots * 3, 0);
    std::vector<bool> taken(slots, false);
    const size_t buttons = std::min(options.slotOfButton.size(), kFactoryButtonCount);
    for (size_t b = 0; b < buttons; ++b) {
        const size_t s = options.slotOfButton[b];
        if (s >= slots || taken[s]) continue;
        taken[s] = true;
        std::copy(kFactoryButtonCodes[b].begin(), kFactoryButtonCodes[b].end(), table.begin() + 3 * s);
    }
    // Slots of no logical button carry keyboard keys F1..F12 in turn, which no factory code is.
    size_t own = 0;
    for (size_t s = 0; s < slots; ++s) {
        if (taken[s]) continue;
        table[3 * s] = 0x20;
        table[3 * s + 1] = 0x00;
        table[3 * s + 2] = static_cast<uint8_t>(0x3A + own++ % 12);
    }
    return table;
}

PowerStatusBytes MouseFirmware::FactoryPowerStatus() {
    // A wired mouse: full, on external power.
    return PowerStatusBytes{{100, 0, 0, 0, 0, 0}};
}

std::vector<uint8_t> MouseFirmware::ParameterMemory() const {
    std::lock_guard lock(mutex_);
    return parameters_;
}

std::vector<uint8_t> MouseFirmware::KeyTable() const {
    std::lock_guard lock(mutex_);
    return keyTable_;
}

std::vector<uint8_t> MouseFirmware::MacroMemory() const {
    std::lock_guard lock(mutex_);
    return macros_;
}

std::array<uint8_t, kDeviceInfoBytes> MouseFirmware::DeviceInfo() const { return deviceInfo_; }

std::vector<uint8_t> MouseFirmware::KeyLightMap() const { return keyLightMap_; }

PowerStatusBytes MouseFirmware::PowerStatus() const {
    std::lock_guard lock(mutex_);
    return power_;
}

std::vector<uint8_t> MouseFirmware::LightFrame() const {
    std::lock_guard lock(mutex_);
    return lightFrame_;
}

uint8_t MouseFirmware::ActiveProfile() const {
    std::lock_guard lock(mutex_);
    return parameters_[config_block::kActiveProfile];
}

bool MouseFirmware::InTransfer() const {
    std::lock_guard lock(mutex_);
    return inTransfer_;
}

std::string MouseFirmware::StateFilePath() const {
    if (options_.stateFolder.empty()) return {};
    return options_.stateFolder + "/" + options_.stateFileName;
}

void MouseFirmware::SetPowerStatus(const PowerStatusBytes& status) {
    std::lock_guard lock(mutex_);
    if (power_.bytes == status.bytes) return;
    power_ = status;
    SaveStateLocked();
}

bool MouseFirmware::SwitchOnboardProfile(uint8_t profile, SimDevice& device) {
    {
        std::lock_guard lock(mutex_);
        if (profile >= options_.onboardProfiles) return false;
        if (parameters_[config_block::kActiveProfile] != profile) {
            parameters_[config_block::kActiveProfile] = profile;
            SaveStateLocked();
        }
    }
    // A consumer-control press of the profile usage, then the release, as the button sends them.
    device.Inject(kEventInterface, {kConsumerReportId, kProfileSwitchUsage & 0xFF, kProfileSwitchUsage >> 8});
    device.Inject(kEventInterface, {kConsumerReportId, 0x00, 0x00});
    return true;
}

uint8_t MouseFirmware::Execute(uint8_t command, uint16_t address, uint8_t length, std::span<uint8_t> payload,
                               SimPort&) {
    const auto data = std::span<const uint8_t>(payload.data(), length);
    std::lock_guard lock(mutex_);
    bool changed = false;
    uint8_t status = kStatusOk;
    switch (static_cast<MouseCommand>(command)) {
    case MouseCommand::BeginTransfer:
        inTransfer_ = true;
        break;
    case MouseCommand::EndTransfer:
        inTransfer_ = false;
        break;
    case MouseCommand::ReadDeviceInfo:
        status = ReadMemoryInto(deviceInfo_, address, length, payload);
        break;
    case MouseCommand::ReadParameters:
        status = ReadMemoryInto(parameters_, address, length, payload);
        break;
    case MouseCommand::WriteParameters:
        // The active-profile byte only takes profiles the device has.
        if (address == config_block::kActiveProfile && length > 0 && data[0] >= options_.onboardProfiles)
            status = kStatusOutOfRange;
        else
            status = WriteInto(parameters_, address, data, changed);
        break;
    case MouseCommand::ReadKeyTable:
        status = ReadMemoryInto(keyTable_, address, length, payload);
        break;
    case MouseCommand::WriteKeyTable:
        status = WriteInto(keyTable_, address, data, changed);
        break;
    case MouseCommand::WriteRecord:
        status = WriteInto(power_.bytes, address, data, changed);
        break;
    case MouseCommand::ReadRecord:
        status = ReadMemoryInto(power_.bytes, address, length, payload);
        break;
    case MouseCommand::StreamLightData: {
        // Frames are shown, not kept: only the last one is held, for inspection.
        if (address == 0) lightFrame_.clear();
        const size_t end = std::min(size_t{address} + length, kLightFrameBytes);
        if (address < end) {
            if (lightFrame_.size() < end) lightFrame_.resize(end, 0);
            std::copy_n(data.begin(), end - address, lightFrame_.begin() + address);
        }
        break;
    }
    case MouseCommand::WriteMacroData:
        status = WriteInto(macros_, address, data, changed);
        break;
    case MouseCommand::ReadKeyLightMap:
        status = ReadMemoryInto(keyLightMap_, address, length, payload);
        break;
    case MouseCommand::QueryOnline:
        std::fill(payload.begin(), payload.end(), 0);
        payload[0] = 0xFF;
        break;
    default:
        status = kStatusBadRequest;
        break;
    }
    if (changed) SaveStateLocked();
    return status;
}

void MouseFirmware::LoadState() {
    const std::string path = StateFilePath();
    auto broken = [&](const char* why) {
        DebugLog("sim mouse: state file " + path + " " + why + "; using factory state");
    };
    Json::Value root;
    switch (ReadStateFile(path, root)) {
    case StateFileRead::kMissing: return;
    case StateFileRead::kBroken: return broken("is not JSON");
    case StateFileRead::kRead: break;
    }
    if (!MemberIs(root, "format", kStateFormat)) return broken("has an unknown format");
    if (!MemberIs(root, "keySlots", options_.keySlots) || !MemberIs(root, "macroUnits", options_.macroUnits) ||
        !MemberIs(root, "onboardProfiles", options_.onboardProfiles))
        return broken("was made for another memory size");

    std::vector<uint8_t> parameters, keyTable, macros, power;
    if (!BytesFromHex(root["parameterMemory"], parameters_.size(), parameters) ||
        !BytesFromHex(root["keyTable"], keyTable_.size(), keyTable) ||
        !BytesFromHex(root["macroMemory"], macros_.size(), macros) ||
        !BytesFromHex(root["powerStatus"], kPowerStatusBytes, power))
        return broken("has a memory of the wrong size");
    if (parameters[config_block::kActiveProfile] >= options_.onboardProfiles)
        return broken("names an on-board profile the device does not have");

    std::lock_guard lock(mutex_);
    parameters_ = std::move(parameters);
    keyTable_ = std::move(keyTable);
    macros_ = std::move(macros);
    std::copy(power.begin(), power.end(), power_.bytes.begin());
}

void MouseFirmware::SaveStateLocked() const {
    const std::string path = StateFilePath();
    if (path.empty()) return;
    Json::Value root(Json::objectValue);
    root["format"] = kStateFormat;
    root["keySlots"] = options_.keySlots;
    root["macroUnits"] = options_.macroUnits;
    root["onboardProfiles"] = options_.onboardProfiles;
    root["parameterMemory"] = HexText(parameters_);
    root["keyTable"] = HexText(keyTable_);
    root["macroMemory"] = HexText(macros_);
    root["powerStatus"] = HexText(power_.bytes);
    WriteStateFile(path, root, "sim mouse");
}

SimDeviceIdentity Q730Identity() {
    SimDeviceIdentity id;
    id.model = "mouse";
    id.vendorId = kQ730VendorId;
    id.productId = kQ730ProductId;
    id.versionNumber = kQ730VersionNumber;
    id.interfaces = {
        {0, {kQ730MouseInterfaceDescriptor.begin(), kQ730MouseInterfaceDescriptor.end()}},
        {1, {kQ730CommandInterfaceDescriptor.begin(), kQ730CommandInterfaceDescriptor.end()}},
    };
    return id;
}

}  // namespace orvane::sim
