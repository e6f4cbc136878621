#include "sim/KeyboardFirmware.h"

#include <algorithm>

#include "platform/DebugLog.h"
#include "sim/KeyboardDescriptors.h"
#include "sim/SimStateFile.h"

namespace orvane::sim {
namespace {

constexpr int kStateFormat = 1;
constexpr uint8_t kDeviceTypeKeyboard = 1;
constexpr uint16_t kKeyboardVersionNumber = 0x0102;
constexpr uint16_t kProfileSwitchUsage = 0x0401;
constexpr uint16_t kKeyPressUsage = 0x0500;
constexpr uint16_t kKeyReleaseUsage = 0x0600;
constexpr uint8_t kConsumerReportId = 3;
constexpr size_t kMaxKeySlots = kKeyLightMapBytes;
// The scan order: slot s holds logical key (5 s + 9) mod 126, so slot s of key k is
// 101 (k - 9) mod 126 (101 is the inverse of 5 modulo 126).
constexpr size_t kScanStride = 5;
constexpr size_t kScanOffset = 9;
constexpr size_t kScanInverse = 101;
static_assert(kScanStride * kScanInverse % kKeyboardKeyCount == 1);
// The firmware's LED map leaves this key out; the host knows its LED.
constexpr size_t kKeyMissingFromLedMap = 103;

constexpr std::array<uint8_t, 3> Key(uint8_t usage) { return {0x20, 0x00, usage}; }

// Modes, brightness, speed and colours of the factory profiles (speed as the user counts it).
struct FactoryLighting {
    uint8_t mode, brightness, speed, direction, multiColour, red, green, blue;
};
constexpr std::array<FactoryLighting, 3> kFactoryLighting = {{
    {3, 4, 2, 1, 1, 0xFF, 0xFF, 0xFF},   // wave along the columns
    {14, 3, 3, 0, 0, 0x00, 0xC0, 0xFF},  // keys light where pressed
    {6, 4, 1, 0, 0, 0xFF, 0x80, 0x00},   // per-key breathing
}};

void PutLe16(std::span<uint8_t> bytes, size_t at, uint16_t value) {
    bytes[at] = static_cast<uint8_t>(value & 0xFF);
    bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

std::array<uint8_t, kDeviceInfoBytes> MakeDeviceInfo(const KeyboardOptions& o) {
    namespace di = device_info;
    std::array<uint8_t, kDeviceInfoBytes> info{};
    info[di::kRecordVersion] = 1;
    PutLe16(info, di::kFirmwareVersion, kKeyboardVersionNumber);
    info[di::kDeviceType] = kDeviceTypeKeyboard;
    info[di::kOnboardProfiles] = o.onboardProfiles;
    info[di::kKeySlots] = o.keySlots;
    info[di::kMacroUnits] = o.macroUnits;
    info[di::kLightModes] = keyboard_block::kLightModes;
    constexpr std::string_view kModel = "KB126";
    std::copy(kModel.begin(), kModel.end(), info.begin() + di::kModelName);
    return info;
}

size_t KeyInSlot(size_t slot) { return (kScanStride * slot + kScanOffset) % kKeyboardKeyCount; }

std::vector<uint8_t> MakeKeyLightMap(uint8_t keySlots) {
    std::vector<uint8_t> map(kKeyLightMapBytes, kNoLed);
    for (size_t s = 0; s < keySlots && s < kKeyboardKeyCount; ++s) {
        const size_t key = KeyInSlot(s);
        map[s] = key == kKeyMissingFromLedMap ? kNoLed : KeyboardFirmware::LedOfKey(key);
    }
    return map;
}

// Whether the lighting and option bytes of a block (as far as `block` reaches) are ones the
// keyboard takes.
bool BlockInRange(std::span<const uint8_t> block) {
    namespace kb = keyboard_block;
    auto within = [&](size_t at, uint8_t limit) { return block.size() <= at || block[at] <= limit; };
    return within(kb::kLightMode, kb::kLightModes - 1) && within(kb::kBrightness, kb::kMaxLevel) &&
           within(kb::kSpeedInverted, kb::kMaxLevel) && within(kb::kDirection, 1) && within(kb::kMultiColour, 1) &&
           within(kb::kWFlag, 1) && within(kb::kSixKeyFlag, 1) && within(kb::kWinLock, 1) &&
           within(kb::kReportRate, kb::kReportRateOptions - 1);
}

uint8_t WriteInto(std::span<uint8_t> memory, uint16_t address, std::span<const uint8_t> data, bool& changed) {
    if (address + data.size() > memory.size()) return kStatusOutOfRange;
    auto at = memory.begin() + address;
    changed = !std::equal(data.begin(), data.end(), at);
    std::copy(data.begin(), data.end(), at);
    return kStatusOk;
}

}  // namespace

const std::array<std::array<uint8_t, 3>, kKeyboardKeyCount>& KeyboardFactoryCodes() {
    static constexpr std::array<std::array<uint8_t, 3>, kKeyboardKeyCount> codes = {{
        Key(0x29), Key(0x3A), Key(0x3B), Key(0x3C), Key(0x3D), Key(0x3E),                      // 0-5
        Key(0x3F), Key(0x40), Key(0x41), Key(0x42), Key(0x43), Key(0x44),                      // 6-11
        Key(0x45), Key(0x46), Key(0x47), Key(0x48), {0xA0, 0x1B, 0x00}, {0xA0, 0x24, 0x00},    // 12-17
        Key(0x00), Key(0x00), Key(0x00), Key(0x35), Key(0x1E), Key(0x1F),                      // 18-23
        Key(0x20), Key(0x21), Key(0x22), Key(0x23), Key(0x24), Key(0x25),                      // 24-29
        Key(0x26), Key(0x27), Key(0x2D), Key(0x2E), Key(0x2A), Key(0x49),                      // 30-35
        Key(0x4A), Key(0x4B), Key(0x53), Key(0x54), Key(0x55), Key(0x56),                      // 36-41
        Key(0x2B), Key(0x14), Key(0x1A), Key(0x08), Key(0x15), Key(0x17),                      // 42-47
        Key(0x1C), Key(0x18), Key(0x0C), Key(0x12), Key(0x13), Key(0x2F),                      // 48-53
        Key(0x30), Key(0x31), Key(0x4C), Key(0x4D), Key(0x4E), Key(0x5F),                      // 54-59
        Key(0x60), Key(0x61), Key(0x00), Key(0x39), Key(0x04), Key(0x16),                      // 60-65
        Key(0x07), Key(0x09), Key(0x0A), Key(0x0B), Key(0x0D), Key(0x0E),                      // 66-71
        Key(0x0F), Key(0x33), Key(0x34), Key(0x28), Key(0x5C), Key(0x5D),                      // 72-77
        Key(0x5E), Key(0x8A), Key(0x8B), Key(0x90), Key(0x91), Key(0x88),                      // 78-83
        {0x20, 0x02, 0x00}, Key(0x1D), Key(0x1B), Key(0x06), Key(0x19), Key(0x05),             // 84-89
        Key(0x11), Key(0x10), Key(0x36), Key(0x37), Key(0x38), {0x20, 0x20, 0x00},             // 90-95
        Key(0x52), Key(0x59), Key(0x5A), Key(0x5B), Key(0x87), Key(0x89),                      // 96-101
        Key(0x64), Key(0x85), Key(0x00), {0x20, 0x01, 0x00}, {0x20, 0x08, 0x00}, {0x20, 0x04, 0x00},  // 102-107
        Key(0x2C), {0x20, 0x40, 0x00}, {0xA0, 0x01, 0x00}, Key(0x65), {0x20, 0x10, 0x00}, Key(0x50),  // 108-113
        Key(0x51), Key(0x4F), Key(0x62), Key(0x63), Key(0x58), Key(0x57),                      // 114-119
        {0xD0, 0xA2, 0x01}, {0xD0, 0xA2, 0x02}, {0xD0, 0xA2, 0x03}, {0xD0, 0xA2, 0x04},        // 120-123
        {0xD0, 0xA2, 0x05}, {0x20, 0x80, 0x00},                                                // 124-125
    }};
    return codes;
}

uint8_t KeyboardFirmware::FactorySlotOfKey(size_t key, uint8_t keySlots) {
    if (key >= kKeyboardKeyCount) return kNoLed;
    const size_t slot = kScanInverse * ((key + kKeyboardKeyCount - kScanOffset) % kKeyboardKeyCount) % kKeyboardKeyCount;
    return slot < keySlots ? static_cast<uint8_t>(slot) : kNoLed;
}

uint8_t KeyboardFirmware::LedOfKey(size_t key) {
    if (key >= kKeyboardKeyCount || KeyboardFactoryCodes()[key] == Key(0x00)) return kNoLed;
    // The LED chain starts three keys into the host's order.
    return static_cast<uint8_t>((key + kKeyboardKeyCount - 3) % kKeyboardKeyCount);
}

KeyboardOptions KeyboardFirmware::Checked(KeyboardOptions options) {
    options.onboardProfiles = std::max<uint8_t>(options.onboardProfiles, 1);
    options.keySlots = static_cast<uint8_t>(std::min<size_t>(options.keySlots, kMaxKeySlots));
    options.latency = std::max(options.latency, std::chrono::milliseconds(0));
    if (options.stateFileName.empty()) options.stateFileName = "keyboard.json";
    return options;
}

KeyboardFirmware::KeyboardFirmware(KeyboardOptions options)
    : CommandFirmware(std::max(options.latency, std::chrono::milliseconds(0))),
      options_(Checked(std::move(options))),
      deviceInfo_(MakeDeviceInfo(options_)),
      keyLightMap_(MakeKeyLightMap(options_.keySlots)),
      parameters_(FactoryParameterMemory(options_.onboardProfiles)),
      keyTable_(FactoryKeyTable(options_.keySlots)),
      macros_(size_t{options_.macroUnits} * kMacroUnitBytes, 0) {
    LoadState();
}

std::vector<uint8_t> KeyboardFirmware::FactoryParameterMemory(uint8_t onboardProfiles) {
    namespace kb = keyboard_block;
    const size_t profiles = std::max<uint8_t>(onboardProfiles, 1);
    std::vector<uint8_t> memory(profiles * kKeyboardBlockBytes, 0);
    for (size_t p = 0; p < profiles; ++p) {
        auto block = std::span<uint8_t>(memory).subspan(p * kKeyboardBlockBytes, kKeyboardBlockBytes);
        const FactoryLighting& l = kFactoryLighting[p % kFactoryLighting.size()];
        block[kb::kProfileNumber] = static_cast<uint8_t>(p);
        block[kb::kLightMode] = l.mode;
        block[kb::kBrightness] = l.brightness;
        block[kb::kSpeedInverted] = static_cast<uint8_t>(kb::kMaxLevel - l.speed);
        block[kb::kDirection] = l.direction;
        block[kb::kMultiColour] = l.multiColour;
        block[kb::kRed] = l.red;
        block[kb::kGreen] = l.green;
        block[kb::kBlue] = l.blue;
        block[kb::kReportRate] = 3;
    }
    memory[kb::kProfileNumber] = 0;
    return memory;
}

std::vector<uint8_t> KeyboardFirmware::FactoryKeyTable(uint8_t keySlots) {
    std::vector<uint8_t> table(size_t{keySlots} * 3, 0);
    for (size_t s = 0; s < keySlots && s < kKeyboardKeyCount; ++s) {
        const auto& code = KeyboardFactoryCodes()[KeyInSlot(s)];
        std::copy(code.begin(), code.end(), table.begin() + static_cast<std::ptrdiff_t>(3 * s));
    }
    return table;
}

std::vector<uint8_t> KeyboardFirmware::ParameterMemory() const {
    std::lock_guard lock(mutex_);
    return parameters_;
}

std::vector<uint8_t> KeyboardFirmware::KeyTable() const {
    std::lock_guard lock(mutex_);
    return keyTable_;
}

std::vector<uint8_t> KeyboardFirmware::KeyLightMap() const { return keyLightMap_; }

std::vector<uint8_t> KeyboardFirmware::MacroMemory() const {
    std::lock_guard lock(mutex_);
    return macros_;
}

std::array<uint8_t, kCustomBitmapBytes> KeyboardFirmware::CustomBitmap() const {
    std::lock_guard lock(mutex_);
    return bitmap_;
}

std::array<uint8_t, kKeyboardFrameBytes> KeyboardFirmware::LightFrame() const {
    std::lock_guard lock(mutex_);
    return frame_;
}

uint64_t KeyboardFirmware::LightFramesBegun() const {
    std::lock_guard lock(mutex_);
    return framesBegun_;
}

uint8_t KeyboardFirmware::ActiveProfile() const {
    std::lock_guard lock(mutex_);
    return parameters_[keyboard_block::kProfileNumber];
}

bool KeyboardFirmware::InTransfer() const {
    std::lock_guard lock(mutex_);
    return inTransfer_;
}

std::string KeyboardFirmware::StateFilePath() const {
    if (options_.stateFolder.empty()) return {};
    return options_.stateFolder + "/" + options_.stateFileName;
}

bool KeyboardFirmware::SendKeyEvent(uint16_t base, uint8_t slot, SimDevice& device) const {
    if (slot >= options_.keySlots) return false;
    const auto usage = static_cast<uint16_t>(base + slot);
    device.Inject(kEventInterface, {kConsumerReportId, static_cast<uint8_t>(usage & 0xFF), static_cast<uint8_t>(usage >> 8)});
    return true;
}

bool KeyboardFirmware::PressKey(uint8_t slot, SimDevice& device) const { return SendKeyEvent(kKeyPressUsage, slot, device); }

bool KeyboardFirmware::ReleaseKey(uint8_t slot, SimDevice& device) const {
    return SendKeyEvent(kKeyReleaseUsage, slot, device);
}

bool KeyboardFirmware::SwitchOnboardProfile(uint8_t profile, SimDevice& device) {
    {
        std::lock_guard lock(mutex_);
        if (profile >= options_.onboardProfiles) return false;
        if (parameters_[keyboard_block::kProfileNumber] != profile) {
            parameters_[keyboard_block::kProfileNumber] = profile;
            SaveStateLocked();
        }
    }
    device.Inject(kEventInterface, {kConsumerReportId, kProfileSwitchUsage & 0xFF, kProfileSwitchUsage >> 8});
    device.Inject(kEventInterface, {kConsumerReportId, 0x00, 0x00});
    return true;
}

uint8_t KeyboardFirmware::WriteParameters(uint16_t address, std::span<const uint8_t> data, bool& changed) {
    const size_t profile = address / kKeyboardBlockBytes;
    if (address % kKeyboardBlockBytes != 0 || profile >= options_.onboardProfiles || data.size() > kKeyboardBlockBytes)
        return kStatusOutOfRange;
    if (address == 0 && !data.empty() && data[keyboard_block::kProfileNumber] >= options_.onboardProfiles)
        return kStatusOutOfRange;
    if (!BlockInRange(data)) return kStatusOutOfRange;
    return WriteInto(parameters_, address, data, changed);
}

uint8_t KeyboardFirmware::StreamLight(uint16_t address, std::span<const uint8_t> data) {
    if (address + data.size() > frame_.size()) return kStatusOutOfRange;
    if (address == 0) ++framesBegun_;
    std::copy(data.begin(), data.end(), frame_.begin() + address);
    return kStatusOk;
}

uint8_t KeyboardFirmware::Execute(uint8_t command, uint16_t address, uint8_t length, std::span<uint8_t> payload,
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
        status = WriteParameters(address, data, changed);
        break;
    case MouseCommand::ReadKeyTable:
        status = ReadMemoryInto(keyTable_, address, length, payload);
        break;
    case MouseCommand::WriteKeyTable:
        status = WriteInto(keyTable_, address, data, changed);
        break;
    case MouseCommand::ReadKeyLightMap:
        status = ReadMemoryInto(keyLightMap_, address, length, payload);
        break;
    case MouseCommand::WriteRecord:
        status = WriteInto(bitmap_, address, data, changed);
        break;
    case MouseCommand::ReadRecord:
        status = ReadMemoryInto(power_, address, length, payload);
        break;
    case MouseCommand::StreamLightData:
        status = StreamLight(address, data);
        break;
    case MouseCommand::WriteMacroData:
        status = WriteInto(macros_, address, data, changed);
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

void KeyboardFirmware::LoadState() {
    const std::string path = StateFilePath();
    auto broken = [&](const char* why) {
        DebugLog("sim keyboard: state file " + path + " " + why + "; using factory state");
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
    std::vector<uint8_t> parameters, keyTable, macros, bitmap;
    if (!BytesFromHex(root["parameterMemory"], parameters_.size(), parameters) ||
        !BytesFromHex(root["keyTable"], keyTable_.size(), keyTable) ||
        !BytesFromHex(root["macroMemory"], macros_.size(), macros) ||
        !BytesFromHex(root["customBitmap"], kCustomBitmapBytes, bitmap))
        return broken("has a memory of the wrong size");
    if (parameters[keyboard_block::kProfileNumber] >= options_.onboardProfiles)
        return broken("names an on-board profile the device does not have");
    for (size_t p = 0; p < options_.onboardProfiles; ++p) {
        if (!BlockInRange(std::span<const uint8_t>(parameters).subspan(p * kKeyboardBlockBytes, kKeyboardBlockBytes)))
            return broken("holds a setting the device cannot take");
    }

    std::lock_guard lock(mutex_);
    parameters_ = std::move(parameters);
    keyTable_ = std::move(keyTable);
    macros_ = std::move(macros);
    std::copy(bitmap.begin(), bitmap.end(), bitmap_.begin());
}

void KeyboardFirmware::SaveStateLocked() const {
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
    root["customBitmap"] = HexText(bitmap_);
    WriteStateFile(path, root, "sim keyboard");
}

SimDeviceIdentity KeyboardIdentity() {
    SimDeviceIdentity id;
    id.model = "keyboard";
    id.vendorId = 0x0000;
    id.productId = 0x0000;
    id.versionNumber = kKeyboardVersionNumber;
    id.interfaces = {
        {0, {kKeyboardBootInterfaceDescriptor.begin(), kKeyboardBootInterfaceDescriptor.end()}},
        {1, {kKeyboardCommandInterfaceDescriptor.begin(), kKeyboardCommandInterfaceDescriptor.end()}},
    };
    return id;
}

}  // namespace orvane::sim
