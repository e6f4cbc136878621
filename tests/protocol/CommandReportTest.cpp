// The command report's byte layout, checksum and debug line, without a device.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <numeric>
#include <vector>

#include "protocol/CommandReport.h"

namespace orvane {
namespace {

TEST(CommandReport, DebugLineGroupsBytesInFoursWithThreeThenTwoBlanks) {
    std::array<uint8_t, 32> bytes{};
    std::iota(bytes.begin(), bytes.end(), uint8_t{0xE0});
    EXPECT_EQ(FormatReportLine(bytes),
              "e0 e1 e2 e3   e4 e5 e6 e7   e8 e9 ea eb   ec ed ee ef  "
              "f0 f1 f2 f3  f4 f5 f6 f7  f8 f9 fa fb  fc fd fe ff");
}

TEST(CommandReport, ChecksumSumsBytesThreeToTheEndLittleEndian) {
    // All 0xFF: the largest sum, 61 x 255, needs both checksum bytes and must not wrap.
    std::vector<uint8_t> full(kCommandReportSize, 0xFF);
    CommandReport report = CommandReport::FromBytes(full);
    report.StoreChecksum();
    EXPECT_EQ(report.StoredChecksum(), 15555);
    EXPECT_EQ(report[CommandReport::kChecksumLowOffset], 15555 & 0xFF);
    EXPECT_EQ(report[CommandReport::kChecksumHighOffset], 15555 >> 8);
    EXPECT_EQ(report[CommandReport::kReportIdOffset], 0xFF) << "bytes 0..2 are not summed and not touched";
}

TEST(CommandReport, AddressKeepsOnlyItsLow16Bits) {
    struct Case {
        uint32_t address;
        uint8_t low, high;
    };
    for (const Case& c : {Case{0, 0, 0}, Case{504, 0xF8, 0x01}, Case{0x1FFFF, 0xFF, 0xFF}, Case{0x10028, 0x28, 0x00}}) {
        CommandReport report(0x05);
        report.SetAddress(c.address);
        EXPECT_EQ(report[CommandReport::kAddressLowOffset], c.low) << c.address;
        EXPECT_EQ(report[CommandReport::kAddressHighOffset], c.high) << c.address;
    }
}

TEST(CommandReport, CallerBytesArePaddedOrCutToOneReport) {
    std::vector<uint8_t> longRequest(70);
    std::iota(longRequest.begin(), longRequest.end(), uint8_t{1});
    const CommandReport cut = CommandReport::FromBytes(longRequest);
    EXPECT_TRUE(std::equal(cut.Bytes().begin(), cut.Bytes().end(), longRequest.begin()));

    const std::vector<uint8_t> shortRequest = {4, 0, 0, 0x01};
    const CommandReport padded = CommandReport::FromBytes(shortRequest);
    EXPECT_EQ(padded.CommandId(), 0x01);
    EXPECT_TRUE(std::all_of(padded.Bytes().begin() + 4, padded.Bytes().end(), [](uint8_t b) { return b == 0; }));
}

}  // namespace
}  // namespace orvane
