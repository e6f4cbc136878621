#pragma once
// A small HID report-descriptor parser: top-level collections with their report ids, report
// lengths and button/value capabilities, plus the usage and value extraction that hidraw lacks.
// Status values and report-length conventions follow the platform HID parser the rest of the
// program was written against: every report length counts the report-id byte (0 when the
// device uses no report ids), and a report passed in begins with that byte.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace orvane::hid {

enum class ReportType : uint8_t { Input = 0, Output = 1, Feature = 2 };
inline constexpr size_t kReportTypeCount = 3;

// Parser status codes (same values as the platform HID parser's).
inline constexpr uint32_t kStatusSuccess = 0x00110000;
inline constexpr uint32_t kStatusNull = 0x80110001;
inline constexpr uint32_t kStatusInvalidPreparsedData = 0xC0110001;
inline constexpr uint32_t kStatusInvalidReportType = 0xC0110002;
inline constexpr uint32_t kStatusInvalidReportLength = 0xC0110003;
inline constexpr uint32_t kStatusUsageNotFound = 0xC0110004;
inline constexpr uint32_t kStatusValueOutOfRange = 0xC0110005;
inline constexpr uint32_t kStatusBadLogPhyValues = 0xC0110006;
inline constexpr uint32_t kStatusBufferTooSmall = 0xC0110007;
inline constexpr uint32_t kStatusIncompatibleReportId = 0xC011000A;

// One button capability: a main item whose fields are one bit each (variable) or an array of
// usage selectors. For a non-range capability usageMin == usageMax.
struct ButtonCaps {
    uint16_t usagePage = 0;
    uint8_t reportId = 0;
    bool isRange = false;
    uint16_t usageMin = 0;
    uint16_t usageMax = 0;
    bool isArray = false;
    uint32_t bitOffset = 0;  // from the start of the report data, after the report-id byte
    uint16_t reportSize = 0;   // bits per field
    uint16_t reportCount = 0;  // fields
    int32_t logicalMin = 0;
    int32_t logicalMax = 0;
};

// One value capability: a variable main item of fields wider than a bit (or 1-bit fields
// whose logical range is not 0..1). A range capability covers usageMin..usageMax, one field each.
struct ValueCaps {
    uint16_t usagePage = 0;
    uint8_t reportId = 0;
    bool isRange = false;
    uint16_t usageMin = 0;
    uint16_t usageMax = 0;
    uint32_t bitOffset = 0;
    uint16_t reportSize = 0;
    uint16_t reportCount = 0;
    int32_t logicalMin = 0;
    int32_t logicalMax = 0;
    int32_t physicalMin = 0;
    int32_t physicalMax = 0;
    bool hasNull = false;
    uint32_t units = 0;
    uint32_t unitsExponent = 0;
};

// Counterpart of HIDP_CAPS for one top-level collection.
struct Caps {
    uint16_t usage = 0;
    uint16_t usagePage = 0;
    uint16_t inputReportByteLength = 0;    // 0 when the collection has no input report
    uint16_t outputReportByteLength = 0;
    uint16_t featureReportByteLength = 0;
    uint16_t numberInputButtonCaps = 0;
    uint16_t numberInputValueCaps = 0;
    uint16_t numberOutputButtonCaps = 0;
    uint16_t numberOutputValueCaps = 0;
    uint16_t numberFeatureButtonCaps = 0;
    uint16_t numberFeatureValueCaps = 0;
};

// One top-level collection with everything the HID layer needs of it (the "preparsed data").
struct Collection {
    Caps caps;
    bool numberedReports = false;        // the descriptor declares report ids
    std::vector<uint8_t> reportIds;      // ids of this collection's reports, ascending, unique
    std::array<std::vector<ButtonCaps>, kReportTypeCount> buttonCaps;
    std::array<std::vector<ValueCaps>, kReportTypeCount> valueCaps;

    bool HasReportId(uint8_t id) const;
};

// Parses a whole report descriptor into its top-level collections, in descriptor order.
// A truncated or malformed descriptor (bad item sizes, unbalanced collections, push/pop
// underflow, report ids out of 1..255, reports larger than 4 KiB, nothing declared) gives nullopt.
std::optional<std::vector<Collection>> ParseReportDescriptor(std::span<const uint8_t> descriptor);

// HidP_MaxUsageListLength: how many usages GetUsages can return at most for the page
// (0 = every page) of that report type.
uint32_t MaxUsageListLength(const Collection& c, ReportType type, uint16_t usagePage);

// HidP_GetUsages: the button usages of `usagePage` that are on in `report` (which starts with
// its report-id byte). At most `maxUsages` usages go into `usages` (which is resized to the count);
// kStatusBufferTooSmall when more are on.
uint32_t GetUsages(const Collection& c, ReportType type, uint16_t usagePage, std::span<const uint8_t> report,
                   uint32_t maxUsages, std::vector<uint16_t>& usages);

// HidP_GetUsageValue: the raw (logical, not sign-extended) value of one value usage.
uint32_t GetUsageValue(const Collection& c, ReportType type, uint16_t usagePage, uint16_t usage,
                       std::span<const uint8_t> report, uint32_t& value);

// HidP_GetScaledUsageValue: the value scaled from the logical into the physical range.
uint32_t GetScaledUsageValue(const Collection& c, ReportType type, uint16_t usagePage, uint16_t usage,
                             std::span<const uint8_t> report, int32_t& value);

}  // namespace orvane::hid
