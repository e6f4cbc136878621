// A fuzzed report descriptor and report through the real HID layer: the parser, the
// capabilities and data entries an open builds, the usage getters and UnpackReport.
// Input: descriptor length (2 bytes, little-endian), the descriptor, then one report.
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "device/HidDeviceHandle.h"
#include "fuzz/FuzzNode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvane;
    if (size < 2) return 0;
    const size_t length = std::min<size_t>(static_cast<size_t>(data[0] | data[1] << 8), size - 2);
    const std::vector<uint8_t> descriptor(data + 2, data + 2 + length);
    const std::span<const uint8_t> report(data + 2 + length, size - 2 - length);

    const auto collections = hid::ParseReportDescriptor(descriptor);
    if (!collections) return 0;
    auto node = std::make_shared<fuzz::FuzzNode>(descriptor, std::vector<std::vector<uint8_t>>{});
    for (size_t index = 1; index <= collections->size() && index <= 16; ++index) {
        // Neither read nor write access: the interface is only queried, as discovery does.
        HidDeviceHandle handle(node);
        if (!handle.Open(fuzz::FuzzNode::PathOf(static_cast<int>(index)), false, false, true, false)) continue;
        const auto preparsed = handle.PreparsedData();
        if (!preparsed) std::abort();
        for (size_t t = 0; t < hid::kReportTypeCount; ++t) {
            const auto type = static_cast<hid::ReportType>(t);
            auto& entries = handle.DataEntries(type);
            HidDeviceHandle::UnpackReport(entries, report, type, *preparsed);
            for (const auto& e : entries) {
                if (e.isButton && e.usages.size() != e.usageCapacity) std::abort();
                if (e.isButton) continue;
                uint32_t value = 0;
                int32_t scaled = 0;
                hid::GetUsageValue(*preparsed, type, e.usagePage, e.usage, report, value);
                hid::GetScaledUsageValue(*preparsed, type, e.usagePage, e.usage, report, scaled);
            }
        }
    }
    return 0;
}
