#include "sim/HeadsetFirmware.h"

#include <algorithm>

#include "sim/HeadsetDescriptors.h"

namespace orvane::sim {
namespace {

constexpr size_t kBankByte = 1;
constexpr size_t kRegisterByte = 2;
constexpr size_t kZeroByte = 3;
constexpr size_t kFirstValueByte = 4;
constexpr size_t kLowLights = 7;  // lights 0-6 in the low registers, 7-12 in the high ones

// Register 0xAA + k: colour channel k % 3 (red, green, blue), of the high lights when k >= 3.
constexpr uint8_t kFirstRegister = 0xAA;
constexpr uint8_t kRegisterCount = 6;

}  // namespace

HeadsetFirmware::HeadsetFirmware(PadOptions options) : PadFirmware(HeadsetModel(), std::move(options)) {}

std::vector<HeadsetLightReport> HeadsetFirmware::LightReports() const {
    std::lock_guard lock(lightMutex_);
    return {lightReports_.begin(), lightReports_.end()};
}

uint64_t HeadsetFirmware::LightReportsRefused() const {
    std::lock_guard lock(lightMutex_);
    return lightReportsRefused_;
}

std::array<LightColour, kHeadsetLights> HeadsetFirmware::LightColours(uint8_t bank) const {
    std::lock_guard lock(lightMutex_);
    for (size_t b = 0; b < std::size(kHeadsetLightBanks); ++b)
        if (kHeadsetLightBanks[b] == bank) return banks_[b];
    return {};
}

bool HeadsetFirmware::TakeOwnReport(size_t interfaceIndex, std::span<const uint8_t> report) {
    if (interfaceIndex != CommandInterfaceIndex() || report.empty() || report[0] != kHeadsetLightReportId)
        return false;
    std::lock_guard lock(lightMutex_);
    if (!Apply(report)) {
        ++lightReportsRefused_;
        return true;
    }
    HeadsetLightReport kept;
    std::copy(report.begin(), report.end(), kept.begin());
    if (lightReports_.size() == kHeadsetRecordedLightReports) lightReports_.pop_front();
    lightReports_.push_back(kept);
    return true;
}

bool HeadsetFirmware::Apply(std::span<const uint8_t> report) {
    if (report.size() != kHeadsetLightReportBytes || report[kZeroByte] != 0) return false;
    const auto bank = std::find(std::begin(kHeadsetLightBanks), std::end(kHeadsetLightBanks), report[kBankByte]);
    const unsigned k = static_cast<uint8_t>(report[kRegisterByte] - kFirstRegister);
    if (bank == std::end(kHeadsetLightBanks) || k >= kRegisterCount) return false;

    const bool high = k >= 3;
    const size_t first = high ? kLowLights : 0;
    const size_t count = high ? kHeadsetLights - kLowLights : kLowLights;
    auto& lights = banks_[static_cast<size_t>(bank - std::begin(kHeadsetLightBanks))];
    for (size_t i = 0; i < count; ++i) {
        const uint8_t value = report[kFirstValueByte + i];
        LightColour& c = lights[first + i];
        (k % 3 == 0 ? c.red : k % 3 == 1 ? c.green : c.blue) = value;
    }
    return true;
}

const PadModel& HeadsetModel() {
    static const PadModel model{"headset", 0x0D8C, 0x01DA, 0x0100, 7, "HS8127", 0, std::nullopt};
    return model;
}

SimDeviceIdentity HeadsetIdentity() {
    return IdentityOf(HeadsetModel(), {{3, {kHeadsetInterfaceDescriptor.begin(), kHeadsetInterfaceDescriptor.end()}}});
}

}  // namespace orvane::sim
