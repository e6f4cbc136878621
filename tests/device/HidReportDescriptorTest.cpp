#include "device/HidReportDescriptor.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>

#include "sim/Q730Descriptors.h"

namespace orvane::hid {
namespace {

using Bytes = std::vector<uint8_t>;

// A three-button boot mouse: buttons, X/Y/wheel as three single usages on one item, no report ids.
constexpr uint8_t kBootMouse[] = {
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01,  // Generic Desktop / Mouse, Application
    0x09, 0x01, 0xA1, 0x00,              //   Pointer, Physical
    0x05, 0x09, 0x19, 0x01, 0x29, 0x03,  //     Buttons 1..3
    0x15, 0x00, 0x25, 0x01, 0x95, 0x03, 0x75, 0x01, 0x81, 0x02,
    0x95, 0x01, 0x75, 0x05, 0x81, 0x01,  //     5 bits padding
    0x05, 0x01, 0x09, 0x30, 0x09, 0x31, 0x09, 0x38,  // X, Y, Wheel
    0x15, 0x81, 0x25, 0x7F, 0x75, 0x08, 0x95, 0x03, 0x81, 0x06,
    0xC0, 0xC0,
};

// A keyboard interface: keyboard (report 1, LED output) and consumer control (report 3, two
// 16-bit usage slots).
constexpr uint8_t kKeyboardInterface[] = {
    0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x85, 0x01,
    0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7, 0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x08, 0x81, 0x02,
    0x95, 0x01, 0x75, 0x08, 0x81, 0x01,
    0x95, 0x05, 0x75, 0x01, 0x05, 0x08, 0x19, 0x01, 0x29, 0x05, 0x91, 0x02,  // LEDs
    0x95, 0x01, 0x75, 0x03, 0x91, 0x01,
    0x95, 0x06, 0x75, 0x08, 0x15, 0x00, 0x25, 0x65, 0x05, 0x07, 0x19, 0x00, 0x29, 0x65, 0x81, 0x00,
    0xC0,
    0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x03,
    0x15, 0x01, 0x26, 0x9C, 0x02, 0x19, 0x01, 0x2A, 0x9C, 0x02, 0x75, 0x10, 0x95, 0x02, 0x81, 0x00,
    0xC0,
};

// A joystick with report ids: report 1 buttons, X/Y scaled into 0..255 and a hat switch with a
// null state; report 2 four vendor values from one usage range; feature report 5 with units.
constexpr uint8_t kJoystick[] = {
    0x05, 0x01, 0x09, 0x04, 0xA1, 0x01,
    0x85, 0x01,
    0x05, 0x09, 0x19, 0x01, 0x29, 0x08, 0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x08, 0x81, 0x02,
    0x05, 0x01, 0x09, 0x30, 0x09, 0x31, 0x15, 0x81, 0x25, 0x7F, 0x35, 0x00, 0x46, 0xFF, 0x00,
    0x75, 0x08, 0x95, 0x02, 0x81, 0x02,
    0x09, 0x39, 0x15, 0x00, 0x25, 0x07, 0x35, 0x00, 0x46, 0x3B, 0x01, 0x65, 0x14,
    0x75, 0x04, 0x95, 0x01, 0x81, 0x42,
    0x75, 0x04, 0x95, 0x01, 0x81, 0x01,
    0x85, 0x02,
    0x06, 0x00, 0xFF, 0x19, 0x01, 0x29, 0x04, 0x15, 0x00, 0x26, 0xFF, 0x7F, 0x35, 0x00, 0x45, 0x00,
    0x65, 0x00, 0x75, 0x10, 0x95, 0x04, 0x81, 0x02,
    0x85, 0x05,
    0x09, 0x20, 0x15, 0x00, 0x26, 0xFF, 0x0F, 0x35, 0x00, 0x45, 0x64, 0x55, 0x0E, 0x66, 0x01, 0x10,
    0x75, 0x10, 0x95, 0x01, 0xB1, 0x02,
    0xC0,
};

std::vector<Collection> Parse(std::span<const uint8_t> descriptor) {
    auto parsed = ParseReportDescriptor(descriptor);
    EXPECT_TRUE(parsed.has_value());
    return parsed ? *parsed : std::vector<Collection>{};
}

struct UsagesResult {
    uint32_t status;
    std::vector<uint16_t> usages;
};

UsagesResult Usages(const Collection& c, uint16_t page, const Bytes& report, uint32_t maxUsages = 64,
                    ReportType type = ReportType::Input) {
    UsagesResult r;
    r.status = GetUsages(c, type, page, report, maxUsages, r.usages);
    return r;
}

std::pair<uint32_t, uint32_t> Value(const Collection& c, uint16_t page, uint16_t usage, const Bytes& report,
                                    ReportType type = ReportType::Input) {
    uint32_t value = 0xDEADBEEF;
    const uint32_t status = GetUsageValue(c, type, page, usage, report, value);
    return {status, value};
}

std::pair<uint32_t, int32_t> Scaled(const Collection& c, uint16_t page, uint16_t usage, const Bytes& report,
                                    ReportType type = ReportType::Input) {
    int32_t value = INT32_MIN;
    const uint32_t status = GetScaledUsageValue(c, type, page, usage, report, value);
    return {status, value};
}

// Appends a short item holding `value` in the fewest bytes that keep its sign.
void AppendSigned(Bytes& out, uint8_t prefix, int64_t value) {
    if (value >= INT8_MIN && value <= INT8_MAX) {
        out.insert(out.end(), {static_cast<uint8_t>(prefix | 1), static_cast<uint8_t>(value)});
    } else if (value >= INT16_MIN && value <= INT16_MAX) {
        out.insert(out.end(), {static_cast<uint8_t>(prefix | 2), static_cast<uint8_t>(value),
                               static_cast<uint8_t>(value >> 8)});
    } else {
        const auto v = static_cast<uint32_t>(value);
        out.insert(out.end(), {static_cast<uint8_t>(prefix | 3), static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8),
                               static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 24)});
    }
}

// Wraps items into a vendor application collection (page 0xFF00, usage 1).
Bytes InApplication(const Bytes& items) {
    static constexpr uint8_t kOpen[] = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01};
    Bytes d;
    d.reserve(std::size(kOpen) + items.size() + 1);
    d.insert(d.end(), std::begin(kOpen), std::end(kOpen));
    d.insert(d.end(), items.begin(), items.end());
    d.push_back(0xC0);
    return d;
}

// ---- real-world descriptors ----

TEST(HidReportDescriptorTest, BootMouseLayout) {
    const auto cs = Parse(kBootMouse);
    ASSERT_EQ(cs.size(), 1u);
    const Collection& c = cs[0];
    EXPECT_EQ(c.caps.usagePage, 0x01);
    EXPECT_EQ(c.caps.usage, 0x02);
    EXPECT_FALSE(c.numberedReports);
    EXPECT_EQ(c.reportIds, std::vector<uint8_t>{0});
    EXPECT_EQ(c.caps.inputReportByteLength, 5);  // id byte + buttons + X + Y + wheel
    EXPECT_EQ(c.caps.outputReportByteLength, 0);
    EXPECT_EQ(c.caps.featureReportByteLength, 0);
    EXPECT_EQ(c.caps.numberInputButtonCaps, 1);
    EXPECT_EQ(c.caps.numberInputValueCaps, 3);

    const ButtonCaps& b = c.buttonCaps[0].at(0);
    EXPECT_EQ(b.usagePage, 0x09);
    EXPECT_TRUE(b.isRange);
    EXPECT_FALSE(b.isArray);
    EXPECT_EQ(b.usageMin, 1);
    EXPECT_EQ(b.usageMax, 3);
    EXPECT_EQ(b.bitOffset, 0u);
    EXPECT_EQ(b.reportCount, 3);

    // One capability per usage, each a field of its own.
    const uint16_t usages[] = {0x30, 0x31, 0x38};
    for (size_t i = 0; i < 3; ++i) {
        const ValueCaps& v = c.valueCaps[0].at(i);
        EXPECT_EQ(v.usagePage, 0x01);
        EXPECT_FALSE(v.isRange);
        EXPECT_EQ(v.usageMin, usages[i]);
        EXPECT_EQ(v.usageMax, usages[i]);
        EXPECT_EQ(v.bitOffset, 8 + 8 * i);
        EXPECT_EQ(v.reportCount, 1);
        EXPECT_EQ(v.logicalMin, -127);
        EXPECT_EQ(v.logicalMax, 127);
    }
    EXPECT_EQ(MaxUsageListLength(c, ReportType::Input, 0x09), 3u);
    EXPECT_EQ(MaxUsageListLength(c, ReportType::Input, 0), 3u);
    EXPECT_EQ(MaxUsageListLength(c, ReportType::Input, 0x01), 0u);
    EXPECT_EQ(MaxUsageListLength(c, ReportType::Output, 0), 0u);
}

TEST(HidReportDescriptorTest, BootMouseDecoding) {
    const auto cs = Parse(kBootMouse);
    ASSERT_EQ(cs.size(), 1u);
    const Collection& c = cs[0];
    const Bytes report = {0x00, 0xFD, 0xFE, 0x02, 0x81};  // padding bits set: must be ignored

    auto buttons = Usages(c, 0x09, report);
    EXPECT_EQ(buttons.status, kStatusSuccess);
    EXPECT_EQ(buttons.usages, (std::vector<uint16_t>{1, 3}));

    EXPECT_EQ(Value(c, 0x01, 0x30, report), std::make_pair(kStatusSuccess, 0xFEu));  // raw, not sign-extended
    EXPECT_EQ(Scaled(c, 0x01, 0x30, report), std::make_pair(kStatusSuccess, -2));
    EXPECT_EQ(Scaled(c, 0x01, 0x31, report), std::make_pair(kStatusSuccess, 2));
    EXPECT_EQ(Scaled(c, 0x01, 0x38, report), std::make_pair(kStatusSuccess, -127));

    // An unnumbered report still starts with a 0 id byte.
    EXPECT_EQ(Usages(c, 0x09, {0x01, 0x01, 0, 0, 0}).status, kStatusIncompatibleReportId);
    EXPECT_EQ(Value(c, 0x01, 0x30, {0x01, 0x01, 0, 0, 0}).first, kStatusIncompatibleReportId);
}

TEST(HidReportDescriptorTest, ReportLengthAndTypeChecks) {
    const auto cs = Parse(kBootMouse);
    ASSERT_EQ(cs.size(), 1u);
    const Collection& c = cs[0];
    struct Case {
        const char* name;
        Bytes report;
        ReportType type;
        uint32_t status;
    };
    const Case cases[] = {
        {"empty report", {}, ReportType::Input, kStatusInvalidReportLength},
        {"one byte short", {0x00, 0x01, 0x00, 0x00}, ReportType::Input, kStatusInvalidReportLength},
        {"exact length", {0x00, 0x01, 0x00, 0x00, 0x00}, ReportType::Input, kStatusSuccess},
        {"longer than needed", {0x00, 0x01, 0x00, 0x00, 0x00, 0xAA, 0xBB}, ReportType::Input, kStatusSuccess},
        {"type without fields", {0x00, 0x01}, ReportType::Feature, kStatusUsageNotFound},
        {"unknown type", {0x00, 0x01, 0x00, 0x00, 0x00}, static_cast<ReportType>(3), kStatusInvalidReportType},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        EXPECT_EQ(Usages(c, 0x09, k.report, 8, k.type).status, k.status);
        EXPECT_EQ(Value(c, 0x01, 0x30, k.report, k.type).first, k.status);
        EXPECT_EQ(Scaled(c, 0x01, 0x30, k.report, k.type).first, k.status);
    }
    EXPECT_EQ(MaxUsageListLength(c, static_cast<ReportType>(3), 0), 0u);
}

TEST(HidReportDescriptorTest, KeyboardInterfaceCollections) {
    const auto cs = Parse(kKeyboardInterface);
    ASSERT_EQ(cs.size(), 2u);
    const Collection& kb = cs[0];
    const Collection& cc = cs[1];

    EXPECT_EQ(kb.caps.usagePage, 0x01);
    EXPECT_EQ(kb.caps.usage, 0x06);
    EXPECT_TRUE(kb.numberedReports);
    EXPECT_EQ(kb.reportIds, std::vector<uint8_t>{1});
    EXPECT_TRUE(kb.HasReportId(1));
    EXPECT_FALSE(kb.HasReportId(3));
    EXPECT_EQ(kb.caps.inputReportByteLength, 9);
    EXPECT_EQ(kb.caps.outputReportByteLength, 2);
    EXPECT_EQ(kb.caps.featureReportByteLength, 0);
    EXPECT_EQ(kb.caps.numberInputButtonCaps, 2);
    EXPECT_EQ(kb.caps.numberInputValueCaps, 0);
    EXPECT_EQ(kb.caps.numberOutputButtonCaps, 1);
    EXPECT_EQ(MaxUsageListLength(kb, ReportType::Input, 0x07), 8u + 6u);
    EXPECT_EQ(MaxUsageListLength(kb, ReportType::Output, 0x08), 5u);

    const ButtonCaps& keys = kb.buttonCaps[0].at(1);
    EXPECT_TRUE(keys.isArray);
    EXPECT_TRUE(keys.isRange);
    EXPECT_EQ(keys.bitOffset, 16u);
    EXPECT_EQ(keys.reportSize, 8);
    EXPECT_EQ(keys.reportCount, 6);
    EXPECT_EQ(keys.logicalMax, 0x65);

    EXPECT_EQ(cc.caps.usagePage, 0x0C);
    EXPECT_EQ(cc.caps.usage, 0x01);
    EXPECT_EQ(cc.reportIds, std::vector<uint8_t>{3});
    EXPECT_EQ(cc.caps.inputReportByteLength, 5);  // lengths count this collection's reports only
    EXPECT_EQ(cc.caps.outputReportByteLength, 0);
    EXPECT_EQ(MaxUsageListLength(cc, ReportType::Input, 0x0C), 2u);
}

TEST(HidReportDescriptorTest, KeyboardInterfaceDecoding) {
    const auto cs = Parse(kKeyboardInterface);
    ASSERT_EQ(cs.size(), 2u);
    const Collection& kb = cs[0];
    const Collection& cc = cs[1];

    // Left Shift + Right Shift, keys a and b, an out-of-range slot value and empty slots.
    const Bytes keys = {0x01, 0x22, 0x00, 0x04, 0x00, 0x05, 0x70, 0x00, 0x00};
    auto r = Usages(kb, 0x07, keys);
    EXPECT_EQ(r.status, kStatusSuccess);
    EXPECT_EQ(r.usages, (std::vector<uint16_t>{0xE1, 0xE5, 0x04, 0x05}));

    r = Usages(kb, 0x07, keys, 3);
    EXPECT_EQ(r.status, kStatusBufferTooSmall);
    EXPECT_EQ(r.usages, (std::vector<uint16_t>{0xE1, 0xE5, 0x04}));

    r = Usages(kb, 0x07, keys, 4);
    EXPECT_EQ(r.status, kStatusSuccess);

    r = Usages(kb, 0x08, {0x01, 0x05}, 8, ReportType::Output);
    EXPECT_EQ(r.status, kStatusSuccess);
    EXPECT_EQ(r.usages, (std::vector<uint16_t>{1, 3}));

    struct Case {
        const char* name;
        Bytes report;
        uint32_t status;
        std::vector<uint16_t> usages;
    };
    const Case consumer[] = {
        {"two usages", {0x03, 0xE9, 0x00, 0xCD, 0x00}, kStatusSuccess, {0xE9, 0xCD}},
        {"top of the range", {0x03, 0x9C, 0x02, 0x00, 0x00}, kStatusSuccess, {0x29C}},
        {"nothing pressed (0 is below logical minimum)", {0x03, 0x00, 0x00, 0x00, 0x00}, kStatusSuccess, {}},
        {"above logical maximum", {0x03, 0x9D, 0x02, 0xE2, 0x00}, kStatusSuccess, {0xE2}},
        {"report of another collection", {0x01, 0xE9, 0x00, 0x00, 0x00}, kStatusIncompatibleReportId, {}},
    };
    for (const Case& k : consumer) {
        SCOPED_TRACE(k.name);
        r = Usages(cc, 0x0C, k.report);
        EXPECT_EQ(r.status, k.status);
        EXPECT_EQ(r.usages, k.usages);
    }
    // A page the collection has no buttons on at all.
    EXPECT_EQ(Usages(cc, 0x07, {0x03, 0xE9, 0x00, 0x00, 0x00}).status, kStatusUsageNotFound);
    EXPECT_EQ(Usages(kb, 0x07, {0x03, 0, 0, 0, 0, 0, 0, 0, 0}).status, kStatusIncompatibleReportId);
}

TEST(HidReportDescriptorTest, JoystickWithReportIdsAndValueRange) {
    const auto cs = Parse(kJoystick);
    ASSERT_EQ(cs.size(), 1u);
    const Collection& c = cs[0];
    EXPECT_EQ(c.caps.usage, 0x04);
    EXPECT_EQ(c.reportIds, (std::vector<uint8_t>{1, 2, 5}));
    EXPECT_EQ(c.caps.inputReportByteLength, 9);  // the longer of report 1 (4 bytes) and report 2 (8)
    EXPECT_EQ(c.caps.featureReportByteLength, 3);
    EXPECT_EQ(c.caps.numberInputButtonCaps, 1);
    EXPECT_EQ(c.caps.numberInputValueCaps, 4);  // X, Y, hat, vendor range
    EXPECT_EQ(c.caps.numberFeatureValueCaps, 1);

    const ValueCaps& range = c.valueCaps[0].at(3);
    EXPECT_EQ(range.reportId, 2);
    EXPECT_TRUE(range.isRange);
    EXPECT_EQ(range.usagePage, 0xFF00);
    EXPECT_EQ(range.usageMin, 1);
    EXPECT_EQ(range.usageMax, 4);
    EXPECT_EQ(range.reportCount, 4);
    EXPECT_EQ(range.bitOffset, 0u);

    const ValueCaps& hat = c.valueCaps[0].at(2);
    EXPECT_TRUE(hat.hasNull);
    EXPECT_EQ(hat.units, 0x14u);
    EXPECT_EQ(hat.bitOffset, 24u);
    const ValueCaps& feature = c.valueCaps[2].at(0);
    EXPECT_EQ(feature.units, 0x1001u);
    EXPECT_EQ(feature.unitsExponent, 0x0Eu);
    EXPECT_EQ(feature.physicalMax, 100);

    // Every usage of the range is a field of its own.
    const Bytes values = {0x02, 0x11, 0x00, 0x22, 0x01, 0x33, 0x02, 0xFF, 0x7F};
    const uint32_t expected[] = {0x0011, 0x0122, 0x0233, 0x7FFF};
    for (uint16_t u = 1; u <= 4; ++u) {
        SCOPED_TRACE(u);
        EXPECT_EQ(Value(c, 0xFF00, u, values), std::make_pair(kStatusSuccess, expected[u - 1]));
        EXPECT_EQ(Scaled(c, 0xFF00, u, values), std::make_pair(kStatusSuccess, static_cast<int32_t>(expected[u - 1])));
    }
    EXPECT_EQ(Value(c, 0xFF00, 5, values).first, kStatusUsageNotFound);
    EXPECT_EQ(Value(c, 0x01, 0x30, values).first, kStatusIncompatibleReportId);
    EXPECT_EQ(Usages(c, 0x09, values).status, kStatusIncompatibleReportId);

    struct Case {
        const char* name;
        uint16_t usage;
        Bytes report;
        uint32_t status;
        int32_t value;
    };
    const Case cases[] = {
        {"X at logical minimum", 0x30, {0x01, 0, 0x81, 0, 0, 0, 0, 0, 0}, kStatusSuccess, 0},
        {"X at logical maximum", 0x30, {0x01, 0, 0x7F, 0, 0, 0, 0, 0, 0}, kStatusSuccess, 255},
        {"X centred", 0x30, {0x01, 0, 0x00, 0, 0, 0, 0, 0, 0}, kStatusSuccess, 127},
        {"X below range, no null state", 0x30, {0x01, 0, 0x80, 0, 0, 0, 0, 0, 0}, kStatusValueOutOfRange, INT32_MIN},
        {"Y", 0x31, {0x01, 0, 0, 0x81, 0, 0, 0, 0, 0}, kStatusSuccess, 0},
        {"hat east", 0x39, {0x01, 0, 0, 0, 0xF2, 0, 0, 0, 0}, kStatusSuccess, 90},
        {"hat north-west", 0x39, {0x01, 0, 0, 0, 0x07, 0, 0, 0, 0}, kStatusSuccess, 315},
        {"hat released", 0x39, {0x01, 0, 0, 0, 0x08, 0, 0, 0, 0}, kStatusNull, INT32_MIN},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        EXPECT_EQ(Scaled(c, 0x01, k.usage, k.report), std::make_pair(k.status, k.value));
    }

    auto r = Usages(c, 0x09, {0x01, 0x81, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(r.status, kStatusSuccess);
    EXPECT_EQ(r.usages, (std::vector<uint16_t>{1, 8}));
    // Report 1 is only four bytes on the wire, but callers pass the type's full length.
    EXPECT_EQ(Usages(c, 0x09, {0x01, 0x81, 0, 0, 0}).status, kStatusInvalidReportLength);

    EXPECT_EQ(Scaled(c, 0xFF00, 0x20, {0x05, 0xFF, 0x0F}, ReportType::Feature), std::make_pair(kStatusSuccess, 100));
    EXPECT_EQ(Scaled(c, 0xFF00, 0x20, {0x05, 0x00, 0x08}, ReportType::Feature), std::make_pair(kStatusSuccess, 50));
}

// ---- the emulated Q730 ----

TEST(HidReportDescriptorTest, Q730MouseInterface) {
    const auto cs = Parse(sim::kQ730MouseInterfaceDescriptor);
    ASSERT_EQ(cs.size(), 1u);
    const Collection& c = cs[0];
    EXPECT_EQ(c.caps.usagePage, 0x01);
    EXPECT_EQ(c.caps.usage, 0x02);
    EXPECT_FALSE(c.numberedReports);
    EXPECT_EQ(c.caps.inputReportByteLength, 7);
    EXPECT_EQ(MaxUsageListLength(c, ReportType::Input, 0x09), 5u);

    const Bytes report = {0x00, 0x15, 0xFF, 0xFF, 0x00, 0x80, 0xFF};
    auto r = Usages(c, 0x09, report);
    EXPECT_EQ(r.status, kStatusSuccess);
    EXPECT_EQ(r.usages, (std::vector<uint16_t>{1, 3, 5}));
    EXPECT_EQ(Scaled(c, 0x01, 0x30, report), std::make_pair(kStatusSuccess, -1));
    EXPECT_EQ(Scaled(c, 0x01, 0x31, report).first, kStatusValueOutOfRange);  // -32768 < -32767
    EXPECT_EQ(Value(c, 0x01, 0x31, report), std::make_pair(kStatusSuccess, 0x8000u));
    EXPECT_EQ(Scaled(c, 0x01, 0x38, report), std::make_pair(kStatusSuccess, -1));
}

TEST(HidReportDescriptorTest, Q730CommandInterfaceCollections) {
    const auto cs = Parse(sim::kQ730CommandInterfaceDescriptor);
    ASSERT_EQ(cs.size(), 4u);
    struct Expected {
        uint16_t page, usage;
        uint8_t id;
        uint16_t in, out, feature;
        uint16_t inButtons, inValues, outValues;
    };
    const Expected expected[] = {
        {0x01, 0x06, 1, 9, 0, 0, 2, 0, 0},
        {0x01, 0x80, 2, 2, 0, 0, 1, 0, 0},
        {0x0C, 0x01, 3, 3, 0, 0, 1, 0, 0},
        {0xFF1C, 0x92, 4, 64, 64, 0, 0, 1, 1},
    };
    for (size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE("col0" + std::to_string(i + 1));
        const Collection& c = cs[i];
        const Expected& e = expected[i];
        EXPECT_EQ(c.caps.usagePage, e.page);
        EXPECT_EQ(c.caps.usage, e.usage);
        EXPECT_TRUE(c.numberedReports);
        EXPECT_EQ(c.reportIds, std::vector<uint8_t>{e.id});
        EXPECT_EQ(c.caps.inputReportByteLength, e.in);
        EXPECT_EQ(c.caps.outputReportByteLength, e.out);
        EXPECT_EQ(c.caps.featureReportByteLength, e.feature);
        EXPECT_EQ(c.caps.numberInputButtonCaps, e.inButtons);
        EXPECT_EQ(c.caps.numberInputValueCaps, e.inValues);
        EXPECT_EQ(c.caps.numberOutputValueCaps, e.outValues);
    }
}

TEST(HidReportDescriptorTest, Q730CommandInterfaceDecoding) {
    const auto cs = Parse(sim::kQ730CommandInterfaceDescriptor);
    ASSERT_EQ(cs.size(), 4u);

    auto r = Usages(cs[0], 0x07, {0x01, 0x01, 0x00, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00});
    EXPECT_EQ(r.status, kStatusSuccess);
    EXPECT_EQ(r.usages, (std::vector<uint16_t>{0xE0, 0x04}));

    r = Usages(cs[1], 0x01, {0x02, 0x02});
    EXPECT_EQ(r.status, kStatusSuccess);
    EXPECT_EQ(r.usages, std::vector<uint16_t>{0x82});

    EXPECT_EQ(MaxUsageListLength(cs[2], ReportType::Input, 0x0C), 1u);
    r = Usages(cs[2], 0x0C, {0x03, 0x01, 0x04});
    EXPECT_EQ(r.status, kStatusSuccess);
    EXPECT_EQ(r.usages, std::vector<uint16_t>{0x0401});
    r = Usages(cs[2], 0x0C, {0x03, 0x00, 0x00});
    EXPECT_EQ(r.status, kStatusSuccess);
    EXPECT_TRUE(r.usages.empty());

    Bytes in(64, 0);
    in[0] = 0x04;
    in[1] = 0xA5;
    in[63] = 0x5A;
    EXPECT_EQ(Value(cs[3], 0xFF1C, 0x01, in), std::make_pair(kStatusSuccess, 0xA5u));
    EXPECT_EQ(Value(cs[3], 0xFF1C, 0x02, in, ReportType::Output), std::make_pair(kStatusSuccess, 0xA5u));
    EXPECT_EQ(Value(cs[3], 0xFF1C, 0x01, Bytes(in.begin(), in.end() - 1)).first, kStatusInvalidReportLength);
    EXPECT_EQ(Value(cs[3], 0xFF1C, 0x02, in).first, kStatusUsageNotFound);
}

// ---- item encoding ----

TEST(HidReportDescriptorTest, LogicalAndPhysicalSignBySize) {
    struct Case {
        const char* name;
        Bytes items;
        int32_t logicalMin, logicalMax, physicalMin, physicalMax;
    };
    const Case cases[] = {
        {"1-byte signed", {0x15, 0xFF, 0x25, 0x01}, -1, 1, 0, 0},
        {"1-byte maximum unsigned over a non-negative minimum", {0x15, 0x00, 0x25, 0xFF}, 0, 255, 0, 0},
        {"1-byte symmetric", {0x15, 0x81, 0x25, 0x7F}, -127, 127, 0, 0},
        {"2-byte signed", {0x16, 0x00, 0x80, 0x26, 0xFF, 0x7F}, -32768, 32767, 0, 0},
        {"2-byte maximum unsigned", {0x15, 0x00, 0x26, 0xFF, 0xFF}, 0, 65535, 0, 0},
        {"4-byte extremes", {0x17, 0x00, 0x00, 0x00, 0x80, 0x27, 0xFF, 0xFF, 0xFF, 0x7F}, INT32_MIN, INT32_MAX, 0, 0},
        {"maximum declared before a negative minimum", {0x25, 0xFE, 0x15, 0xFF}, -1, -2, 0, 0},
        {"maximum declared before a non-negative minimum", {0x25, 0xFE, 0x15, 0x00}, 0, 254, 0, 0},
        {"physical signed", {0x15, 0x00, 0x25, 0x0A, 0x35, 0x9C, 0x45, 0x64}, 0, 10, -100, 100},
        {"physical unsigned", {0x15, 0x00, 0x25, 0x0A, 0x35, 0x00, 0x45, 0xC8}, 0, 10, 0, 200},
        {"zero-size items mean 0", {0x15, 0x05, 0x14, 0x25, 0x05, 0x24}, 0, 0, 0, 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Bytes items = k.items;
        items.insert(items.end(), {0x75, 0x20, 0x95, 0x01, 0x09, 0x10, 0x81, 0x02});
        const auto cs = Parse(InApplication(items));
        ASSERT_EQ(cs.size(), 1u);
        ASSERT_EQ(cs[0].valueCaps[0].size(), 1u);
        const ValueCaps& v = cs[0].valueCaps[0][0];
        EXPECT_EQ(v.logicalMin, k.logicalMin);
        EXPECT_EQ(v.logicalMax, k.logicalMax);
        EXPECT_EQ(v.physicalMin, k.physicalMin);
        EXPECT_EQ(v.physicalMax, k.physicalMax);
    }
}

TEST(HidReportDescriptorTest, ScaledValues) {
    struct Case {
        const char* name;
        uint8_t size;
        int64_t logicalMin, logicalMax, physicalMin, physicalMax;
        bool nullState;
        uint32_t raw;
        uint32_t status;
        int32_t value;
    };
    const Case cases[] = {
        {"unsigned, physical same as logical", 8, 0, 255, 0, 0, false, 200, kStatusSuccess, 200},
        {"8-bit sign extension", 8, -127, 127, 0, 0, false, 0xFF, kStatusSuccess, -1},
        {"12-bit sign extension", 12, -2048, 2047, 0, 0, false, 0x800, kStatusSuccess, -2048},
        {"4-bit field", 4, -8, 7, 0, 0, false, 0x9, kStatusSuccess, -7},
        {"1-bit value (not a button)", 1, -1, 0, 0, 0, false, 1, kStatusSuccess, -1},
        {"scaled down", 16, 0, 1000, 0, 100, false, 500, kStatusSuccess, 50},
        {"scaled into a signed range, low end", 16, -32768, 32767, -1000, 1000, false, 0x8000, kStatusSuccess, -1000},
        {"scaled into a signed range, high end", 16, -32768, 32767, -1000, 1000, false, 0x7FFF, kStatusSuccess, 1000},
        {"32-bit minimum", 32, INT32_MIN, INT32_MAX, 0, 0, false, 0x80000000u, kStatusSuccess, INT32_MIN},
        {"32-bit spans do not overflow", 32, INT32_MIN, INT32_MAX, INT32_MIN, INT32_MAX, false, 0x7FFFFFFF,
         kStatusSuccess, INT32_MAX},
        {"below range, no null state", 8, 10, 20, 0, 0, false, 9, kStatusValueOutOfRange, INT32_MIN},
        {"above range, no null state", 8, 10, 20, 0, 0, false, 21, kStatusValueOutOfRange, INT32_MIN},
        {"out of range with null state", 8, 10, 20, 0, 0, true, 0, kStatusNull, INT32_MIN},
        {"signed out of range with null state", 8, -100, 100, 0, 0, true, 0x80, kStatusNull, INT32_MIN},
        {"empty logical range", 8, 5, 5, 0, 0, false, 5, kStatusBadLogPhyValues, INT32_MIN},
        {"empty physical range", 8, 0, 10, 7, 7, false, 5, kStatusBadLogPhyValues, INT32_MIN},
        {"reversed physical range", 8, 0, 10, 100, 50, false, 5, kStatusBadLogPhyValues, INT32_MIN},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Bytes items;
        AppendSigned(items, 0x14, k.logicalMin);
        AppendSigned(items, 0x24, k.logicalMax);
        AppendSigned(items, 0x34, k.physicalMin);
        AppendSigned(items, 0x44, k.physicalMax);
        items.insert(items.end(), {0x75, k.size, 0x95, 0x01, 0x09, 0x10,
                                   0x81, static_cast<uint8_t>(k.nullState ? 0x42 : 0x02)});
        if (k.size % 8) items.insert(items.end(), {0x75, static_cast<uint8_t>(8 - k.size % 8), 0x81, 0x01});
        const auto cs = Parse(InApplication(items));
        ASSERT_EQ(cs.size(), 1u);
        ASSERT_EQ(cs[0].valueCaps[0].size(), 1u);

        Bytes report = {0x00};
        for (unsigned b = 0; b < (k.size + 7u) / 8u; ++b) report.push_back(static_cast<uint8_t>(k.raw >> (8 * b)));
        // Padding bits above the field must not leak into it.
        if (k.size % 8) report.back() |= static_cast<uint8_t>(0xFF << (k.size % 8));
        ASSERT_EQ(report.size(), cs[0].caps.inputReportByteLength);

        EXPECT_EQ(Value(cs[0], 0xFF00, 0x10, report), std::make_pair(kStatusSuccess, k.raw));
        EXPECT_EQ(Scaled(cs[0], 0xFF00, 0x10, report), std::make_pair(k.status, k.value));
    }
}

// ---- usages, locals and the global stack ----

TEST(HidReportDescriptorTest, SingleUsagesOnOneVariableItem) {
    // X and Y over four 8-bit fields: Y repeats for the last three. Z is past the fields.
    const auto cs = Parse(InApplication({0x05, 0x01, 0x09, 0x30, 0x09, 0x31, 0x15, 0x00, 0x26, 0xFF, 0x00,
                                         0x75, 0x08, 0x95, 0x04, 0x81, 0x02,
                                         0x09, 0x30, 0x09, 0x31, 0x09, 0x32, 0x95, 0x02, 0x81, 0x02}));
    ASSERT_EQ(cs.size(), 1u);
    const auto& values = cs[0].valueCaps[0];
    ASSERT_EQ(values.size(), 4u);
    EXPECT_EQ(values[0].usageMin, 0x30);
    EXPECT_EQ(values[0].reportCount, 1);
    EXPECT_EQ(values[1].usageMin, 0x31);
    EXPECT_EQ(values[1].bitOffset, 8u);
    EXPECT_EQ(values[1].reportCount, 3);
    EXPECT_EQ(values[2].bitOffset, 32u);
    EXPECT_EQ(values[3].usageMin, 0x31);
    EXPECT_EQ(values[3].bitOffset, 40u);
    EXPECT_EQ(cs[0].caps.inputReportByteLength, 7);
    // A repeated usage reads its first field.
    EXPECT_EQ(Value(cs[0], 0x01, 0x31, {0x00, 1, 2, 3, 4, 5, 6}), std::make_pair(kStatusSuccess, 2u));
}

TEST(HidReportDescriptorTest, ButtonRangesAgainstReportCount) {
    struct Case {
        const char* name;
        uint8_t usageMax, count;
        uint16_t capsUsageMax;
        uint32_t maxList;
        Bytes report;
        std::vector<uint16_t> usages;
    };
    const Case cases[] = {
        {"range fills the fields", 8, 8, 8, 8, {0x00, 0x81}, {1, 8}},
        {"range longer than the fields is cut", 16, 4, 4, 4, {0x00, 0x0F}, {1, 2, 3, 4}},
        {"last usage repeats over extra fields, reported once", 2, 8, 2, 2, {0x00, 0xF0}, {2}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Bytes items = {0x05, 0x09, 0x19, 0x01, 0x29, k.usageMax, 0x15, 0x00, 0x25, 0x01,
                       0x75, 0x01, 0x95, k.count, 0x81, 0x02};
        if (k.count % 8) items.insert(items.end(), {0x95, static_cast<uint8_t>(8 - k.count % 8), 0x81, 0x01});
        const auto cs = Parse(InApplication(items));
        ASSERT_EQ(cs.size(), 1u);
        ASSERT_EQ(cs[0].buttonCaps[0].size(), 1u);
        EXPECT_EQ(cs[0].buttonCaps[0][0].usageMax, k.capsUsageMax);
        EXPECT_EQ(MaxUsageListLength(cs[0], ReportType::Input, 0x09), k.maxList);
        const auto r = Usages(cs[0], 0x09, k.report);
        EXPECT_EQ(r.status, kStatusSuccess);
        EXPECT_EQ(r.usages, k.usages);
    }
}

TEST(HidReportDescriptorTest, ArrayOfSingleUsagesAcrossPages) {
    // Three selectors, the middle one an extended usage on the keyboard page; values 1..3.
    const auto cs = Parse(InApplication({0x05, 0x0C, 0x09, 0xE9, 0x0B, 0x04, 0x00, 0x07, 0x00, 0x09, 0xEA,
                                         0x15, 0x01, 0x25, 0x03, 0x75, 0x08, 0x95, 0x02, 0x81, 0x00}));
    ASSERT_EQ(cs.size(), 1u);
    const Collection& c = cs[0];
    ASSERT_EQ(c.buttonCaps[0].size(), 3u);
    EXPECT_EQ(c.buttonCaps[0][1].usagePage, 0x07);
    EXPECT_EQ(c.buttonCaps[0][1].usageMin, 0x04);
    EXPECT_EQ(c.caps.inputReportByteLength, 3);
    // One array item: as many usages as fields, however many selectors it has.
    EXPECT_EQ(MaxUsageListLength(c, ReportType::Input, 0), 2u);
    EXPECT_EQ(MaxUsageListLength(c, ReportType::Input, 0x07), 2u);

    struct Case {
        Bytes report;
        std::vector<uint16_t> consumer, keyboard;
    };
    const Case cases[] = {
        {{0x00, 0x01, 0x03}, {0xE9, 0xEA}, {}},
        {{0x00, 0x02, 0x00}, {}, {0x04}},
        {{0x00, 0x04, 0x03}, {0xEA}, {}},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(Usages(c, 0x0C, k.report).usages, k.consumer);
        EXPECT_EQ(Usages(c, 0x07, k.report).usages, k.keyboard);
    }
}

TEST(HidReportDescriptorTest, LocalItemsEndAtEachMainItem) {
    // Usage X belongs to the first item only; the physical collection's usage to no field.
    const auto cs = Parse(InApplication({0x05, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x01,
                                         0x09, 0x30, 0x81, 0x02, 0x81, 0x02,
                                         0x09, 0x01, 0xA1, 0x00, 0x81, 0x02, 0xC0}));
    ASSERT_EQ(cs.size(), 1u);
    const auto& values = cs[0].valueCaps[0];
    ASSERT_EQ(values.size(), 3u);
    EXPECT_EQ(values[0].usageMin, 0x30);
    EXPECT_EQ(values[1].usageMin, 0);
    EXPECT_EQ(values[2].usageMin, 0);
    EXPECT_EQ(values[2].bitOffset, 16u);
}

TEST(HidReportDescriptorTest, UsageCompletion) {
    struct Case {
        const char* name;
        Bytes prologue;
        uint16_t page, usage;
    };
    const Case cases[] = {
        {"page before usage", {0x05, 0x01, 0x09, 0x06}, 0x01, 0x06},
        {"page after the usage applies to it", {0x09, 0x06, 0x05, 0x01}, 0x01, 0x06},
        {"page change after a usage of the old page does not re-page it",
         {0x05, 0x0C, 0x09, 0x01, 0x05, 0x01, 0x09, 0x02},
         0x0C,
         0x01},
        {"extended usage keeps its own page", {0x05, 0x01, 0x0B, 0x01, 0x00, 0x0C, 0x00}, 0x0C, 0x01},
        {"first usage of a delimited set", {0x05, 0x01, 0xA9, 0x01, 0x09, 0x05, 0x09, 0x04, 0xA9, 0x00}, 0x01, 0x05},
        {"no usage", {0x05, 0x0C}, 0x0C, 0x00},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Bytes d = k.prologue;
        d.insert(d.end(), {0xA1, 0x01, 0x75, 0x08, 0x95, 0x01, 0x81, 0x01, 0xC0});
        const auto cs = Parse(d);
        ASSERT_EQ(cs.size(), 1u);
        EXPECT_EQ(cs[0].caps.usagePage, k.page);
        EXPECT_EQ(cs[0].caps.usage, k.usage);
    }
}

TEST(HidReportDescriptorTest, PushAndPopRestoreGlobals) {
    // Push 8-bit GD state, declare a 16-bit vendor field, pop back to the 8-bit GD state.
    const auto cs = Parse(InApplication({0x05, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x01,
                                         0xA4, 0x06, 0x00, 0xFF, 0x75, 0x10, 0x09, 0x20, 0x81, 0x02,
                                         0xB4, 0x09, 0x30, 0x81, 0x02}));
    ASSERT_EQ(cs.size(), 1u);
    const auto& values = cs[0].valueCaps[0];
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values[0].usagePage, 0xFF00);
    EXPECT_EQ(values[0].reportSize, 16);
    EXPECT_EQ(values[1].usagePage, 0x01);
    EXPECT_EQ(values[1].reportSize, 8);
    EXPECT_EQ(values[1].bitOffset, 16u);
}

TEST(HidReportDescriptorTest, ReportIdsAreScopedToTheirCollection) {
    // Two collections; each one's lengths and ids come from its own reports only.
    const auto cs = Parse(Bytes{0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x07, 0x75, 0x08, 0x95, 0x10,
                                0x81, 0x02, 0x85, 0x09, 0x95, 0x02, 0xB1, 0x02, 0xC0,
                                0x06, 0x00, 0xFF, 0x09, 0x02, 0xA1, 0x01, 0x85, 0x08, 0x95, 0x02, 0x91, 0x02, 0xC0});
    ASSERT_EQ(cs.size(), 2u);
    EXPECT_EQ(cs[0].reportIds, (std::vector<uint8_t>{7, 9}));
    EXPECT_EQ(cs[0].caps.inputReportByteLength, 17);
    EXPECT_EQ(cs[0].caps.outputReportByteLength, 0);
    EXPECT_EQ(cs[0].caps.featureReportByteLength, 3);
    EXPECT_EQ(cs[1].reportIds, std::vector<uint8_t>{8});
    EXPECT_EQ(cs[1].caps.inputReportByteLength, 0);
    EXPECT_EQ(cs[1].caps.outputReportByteLength, 3);
    EXPECT_EQ(cs[1].valueCaps[1].at(0).reportId, 8);
}

// ---- limits and malformed input ----

Bytes Nested(size_t depth) {
    Bytes d = {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01};
    for (size_t i = 1; i < depth; ++i) d.insert(d.end(), {0xA1, 0x00});
    d.insert(d.end(), {0x75, 0x08, 0x95, 0x01, 0x81, 0x01});
    d.insert(d.end(), depth, 0xC0);
    return d;
}

Bytes Pushed(size_t depth) {
    Bytes d;
    d.insert(d.end(), depth, 0xA4);
    d.insert(d.end(), depth, 0xB4);
    return InApplication(d);
}

Bytes LongReport(uint16_t count) {
    return InApplication({0x75, 0x08, 0x96, static_cast<uint8_t>(count), static_cast<uint8_t>(count >> 8), 0x81, 0x01});
}

TEST(HidReportDescriptorTest, AcceptsLimitsAndSkippableItems) {
    struct Case {
        const char* name;
        Bytes descriptor;
        uint16_t inputLength;
    };
    const Case cases[] = {
        {"32 nested collections", Nested(32), 2},
        {"16 pushes", Pushed(16), 0},
        {"4 KiB of report data", LongReport(4096), 4097},
        {"32-bit value", InApplication({0x75, 0x20, 0x95, 0x01, 0x09, 0x10, 0x81, 0x02}), 5},
        {"long item skipped",
         InApplication({0xFE, 0x03, 0x10, 0xAA, 0xBB, 0xCC, 0x75, 0x08, 0x95, 0x01, 0x81, 0x02}),
         2},
        {"empty long item", InApplication({0xFE, 0x00, 0x10, 0x75, 0x08, 0x95, 0x01, 0x81, 0x02}), 2},
        {"reserved item ignored", InApplication({0x0D, 0x55, 0x75, 0x08, 0x95, 0x01, 0x81, 0x02}), 2},
        {"wide constant padding", InApplication({0x75, 0x40, 0x95, 0x01, 0x81, 0x01}), 9},
        {"zero report count takes no space", InApplication({0x75, 0x08, 0x95, 0x00, 0x81, 0x02}), 0},
        {"fields outside any collection take space only",
         {0x85, 0x01, 0x75, 0x08, 0x95, 0x02, 0x81, 0x01, 0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x95, 0x01,
          0x81, 0x02, 0xC0},
         4},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        const auto cs = Parse(k.descriptor);
        ASSERT_EQ(cs.size(), 1u);
        EXPECT_EQ(cs[0].caps.inputReportByteLength, k.inputLength);
    }
}

TEST(HidReportDescriptorTest, RefusesMalformedDescriptors) {
    struct Case {
        const char* name;
        Bytes descriptor;
    };
    const Bytes mouse(std::begin(kBootMouse), std::end(kBootMouse));
    const Case cases[] = {
        {"empty", {}},
        {"truncated mid-collection", Bytes(mouse.begin(), mouse.end() - 1)},
        {"item data past the end", {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x26, 0xFF}},
        {"4-byte item cut short", {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x27, 0xFF, 0xFF, 0xFF}},
        {"long item header cut short", InApplication({0xFE, 0x02})},
        {"long item data cut short", {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0xFE, 0x04, 0x10, 0x01, 0x02, 0xC0}},
        {"end collection without collection", {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0xC0, 0xC0}},
        {"collection left open", {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x09, 0x01, 0xA1, 0x00, 0xC0}},
        {"33 nested collections", Nested(33)},
        {"pop without push", {0x05, 0x01, 0xB4, 0x09, 0x02, 0xA1, 0x01, 0xC0}},
        {"more pops than pushes", InApplication({0xA4, 0xB4, 0xB4})},
        {"17 pushes", Pushed(17)},
        {"value wider than 32 bits", InApplication({0x75, 0x21, 0x95, 0x01, 0x09, 0x10, 0x81, 0x02})},
        {"array wider than 32 bits", InApplication({0x19, 0x00, 0x29, 0x10, 0x75, 0x28, 0x95, 0x01, 0x81, 0x00})},
        {"report data over 4 KiB", LongReport(4097)},
        {"report over 4 KiB across items", InApplication({0x75, 0x08, 0x96, 0x00, 0x10, 0x81, 0x01, 0x75, 0x01,
                                                          0x95, 0x01, 0x81, 0x01})},
        {"overflowing size times count", InApplication({0x77, 0xFF, 0xFF, 0xFF, 0xFF, 0x97, 0xFF, 0xFF, 0xFF, 0xFF,
                                                        0x81, 0x01})},
        {"report id 0, even when a valid id follows",
         InApplication({0x85, 0x00, 0x85, 0x01, 0x75, 0x08, 0x95, 0x01, 0x81, 0x02})},
        {"report id above 255", InApplication({0x86, 0x00, 0x01, 0x75, 0x08, 0x95, 0x01, 0x81, 0x02})},
        {"unnumbered field next to numbered ones",
         InApplication({0x75, 0x08, 0x95, 0x01, 0x81, 0x02, 0x85, 0x01, 0x81, 0x02})},
        {"usage page wider than 16 bits", InApplication({0x07, 0x00, 0x00, 0x01, 0x00})},
        {"usage range across pages", InApplication({0x1B, 0x01, 0x00, 0x09, 0x00, 0x2B, 0x05, 0x00, 0x0C, 0x00,
                                                    0x75, 0x01, 0x95, 0x05, 0x81, 0x02})},
        {"usage minimum above maximum", InApplication({0x19, 0x05, 0x29, 0x01, 0x75, 0x01, 0x95, 0x05, 0x81, 0x02})},
        {"nested delimiter", InApplication({0xA9, 0x01, 0xA9, 0x01, 0x09, 0x01, 0xA9, 0x00, 0xA9, 0x00})},
        {"top-level collection that is not an application", {0x05, 0x01, 0x09, 0x01, 0xA1, 0x00, 0xC0}},
        {"global items only", {0x05, 0x01, 0x15, 0x00, 0x25, 0x01}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        EXPECT_FALSE(ParseReportDescriptor(k.descriptor).has_value());
    }
}

// ---- robustness: nothing a device hands us may crash the parser or the decoders ----

std::vector<Bytes> GoodDescriptors() {
    return {
        Bytes(std::begin(kBootMouse), std::end(kBootMouse)),
        Bytes(std::begin(kKeyboardInterface), std::end(kKeyboardInterface)),
        Bytes(std::begin(kJoystick), std::end(kJoystick)),
        Bytes(sim::kQ730MouseInterfaceDescriptor.begin(), sim::kQ730MouseInterfaceDescriptor.end()),
        Bytes(sim::kQ730CommandInterfaceDescriptor.begin(), sim::kQ730CommandInterfaceDescriptor.end()),
    };
}

// Decodes random reports against every capability, and checks what must hold for any parse:
// a full-length report with a collection's id can be decoded, and no button list exceeds the
// maximum usage list length.
void ExerciseDecoders(const std::vector<Collection>& collections, std::mt19937& rng) {
    std::uniform_int_distribution<int> byte(0, 255);
    for (const Collection& c : collections) {
        for (size_t t = 0; t < kReportTypeCount; ++t) {
            const auto type = static_cast<ReportType>(t);
            const uint16_t length = t == 0 ? c.caps.inputReportByteLength
                                           : t == 1 ? c.caps.outputReportByteLength : c.caps.featureReportByteLength;
            for (uint8_t id : c.reportIds) {
                for (size_t size : {size_t{0}, size_t{1}, size_t(length ? length - 1 : 0), size_t(length)}) {
                    Bytes report(size);
                    for (auto& b : report) b = static_cast<uint8_t>(byte(rng));
                    if (!report.empty()) report[0] = id;
                    const bool full = size == length && size > 0;
                    for (const ButtonCaps& b : c.buttonCaps[t]) {
                        std::vector<uint16_t> usages;
                        const uint32_t max = MaxUsageListLength(c, type, b.usagePage);
                        const uint32_t status = GetUsages(c, type, b.usagePage, report, max, usages);
                        EXPECT_LE(usages.size(), max);
                        if (full && b.reportId == id) {
                            EXPECT_EQ(status, kStatusSuccess);
                        }
                    }
                    for (const ValueCaps& v : c.valueCaps[t]) {
                        // The first usages and the last one of a range are enough to reach every edge.
                        const uint32_t last = v.usageMax;
                        for (uint32_t u = v.usageMin; u <= last;
                             u = (u >= v.usageMin + 2u && u < last) ? last : u + 1) {
                            uint32_t raw = 0;
                            int32_t scaled = 0;
                            const uint32_t status =
                                GetUsageValue(c, type, v.usagePage, static_cast<uint16_t>(u), report, raw);
                            GetScaledUsageValue(c, type, v.usagePage, static_cast<uint16_t>(u), report, scaled);
                            if (full && v.reportId == id) {
                                EXPECT_EQ(status, kStatusSuccess);
                            }
                        }
                    }
                }
            }
        }
    }
}

TEST(HidReportDescriptorTest, EveryPrefixOfAGoodDescriptor) {
    std::mt19937 rng(7);
    for (const Bytes& d : GoodDescriptors()) {
        const auto full = Parse(d);
        ExerciseDecoders(full, rng);
        for (size_t n = 0; n < d.size(); ++n) {
            const auto prefix = ParseReportDescriptor(std::span(d).first(n));
            if (!prefix) continue;
            // Only a cut right after a top-level collection survives, and it keeps the ones before.
            SCOPED_TRACE(n);
            ASSERT_LT(prefix->size(), full.size());
            for (size_t i = 0; i < prefix->size(); ++i) {
                EXPECT_EQ((*prefix)[i].caps.usagePage, full[i].caps.usagePage);
                EXPECT_EQ((*prefix)[i].caps.usage, full[i].caps.usage);
                EXPECT_EQ((*prefix)[i].caps.inputReportByteLength, full[i].caps.inputReportByteLength);
            }
            ExerciseDecoders(*prefix, rng);
        }
    }
}

TEST(HidReportDescriptorTest, RandomAndMutatedDescriptors) {
    std::mt19937 rng(20240611);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int i = 0; i < 20000; ++i) {
        Bytes d(static_cast<size_t>(rng() % 200));
        for (auto& b : d) b = static_cast<uint8_t>(byte(rng));
        if (const auto cs = ParseReportDescriptor(d)) ExerciseDecoders(*cs, rng);
    }
    size_t survived = 0;
    for (const Bytes& good : GoodDescriptors()) {
        for (int i = 0; i < 3000; ++i) {
            Bytes d = good;
            for (int flips = 1 + static_cast<int>(rng() % 4); flips > 0; --flips)
                d[rng() % d.size()] = static_cast<uint8_t>(byte(rng));
            if (const auto cs = ParseReportDescriptor(d)) {
                ++survived;
                ExerciseDecoders(*cs, rng);
            }
        }
    }
    // The mutations must reach the decoders, not only the refusals.
    EXPECT_GT(survived, 1000u);
}

}  // namespace
}  // namespace orvane::hid
