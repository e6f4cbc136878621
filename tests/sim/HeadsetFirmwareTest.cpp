// The headset model: the pad's command protocol on its one consumer-page interface, and the
// twelve 17-byte light reports recorded and shown per LED bank.
#include <gtest/gtest.h>

#include <array>

#include "tests/sim/PadOnBus.h"

namespace orvane::test {
namespace {

using Colours = std::array<sim::LightColour, sim::kHeadsetLights>;

Colours SomeColours() {
    Colours c;
    for (size_t i = 0; i < c.size(); ++i)
        c[i] = {static_cast<uint8_t>(10 + i), static_cast<uint8_t>(100 + i), static_cast<uint8_t>(200 + i)};
    return c;
}

// The twelve reports a host sends for one frame: per channel, bank 0x22 then 0x44, lights 0-6
// then 7-12. A six-value report keeps byte 10 as the report before it set it.
std::vector<Bytes> FrameReports(const Colours& colours) {
    std::vector<Bytes> reports;
    Bytes report(17, 0);
    report[0] = 0xFF;
    for (int channel = 0; channel < 3; ++channel)
        for (uint8_t bank : {0x22, 0x44})
            for (int high = 0; high < 2; ++high) {
                report[1] = bank;
                report[2] = static_cast<uint8_t>(0xAA + channel + 3 * high);
                const size_t first = high ? 7 : 0, count = high ? 6 : 7;
                for (size_t i = 0; i < count; ++i) {
                    const sim::LightColour& c = colours[first + i];
                    report[4 + i] = channel == 0 ? c.red : channel == 1 ? c.green : c.blue;
                }
                reports.push_back(report);
            }
    return reports;
}

// Writes reports on the command channel's own handle, then one command: replies come in order,
// so once it is answered the device has taken every report before it.
void SendThenSettle(HeadsetOnBus& h, const std::vector<Bytes>& reports) {
    for (const Bytes& r : reports) {
        uint32_t written = 0;
        ASSERT_TRUE(h.channel.Handle().Write(static_cast<uint32_t>(r.size()), written, r.data(), 1000));
    }
    ASSERT_TRUE(h.channel.QueryOnline());
}

TEST(HeadsetFirmware, AnswersThePadProtocolOnItsOnlyInterface) {
    HeadsetOnBus h;
    HidDeviceHandle probe(h.bus);
    ASSERT_TRUE(probe.EnumeratePaths());
    EXPECT_EQ(probe.PathCount(), 1u) << "the audio interfaces are no HID nodes";
    const auto& caps = h.channel.Handle().Capabilities();
    EXPECT_EQ(caps.usagePage, 0x0C);
    EXPECT_EQ(caps.usage, 0x01);
    EXPECT_EQ(caps.outputReportByteLength, 64);

    DeviceInfoRecord info;
    ASSERT_EQ(h.channel.ReadDeviceInfo(info), 1);
    EXPECT_EQ(info.bytes[3], 7) << "device type: headset";
    EXPECT_EQ(info.bytes[7] | info.bytes[8] << 8, 0x0D8C);

    Bytes block = h.Read(0, 21);
    block[1] = 8;  // off
    ASSERT_EQ(h.channel.WriteParameters(block, 0), 1);
    EXPECT_EQ(h.firmware->Lighting().mode, 8);
}

TEST(HeadsetFirmware, RecordsTheTwelveLightReportsAndShowsThem) {
    HeadsetOnBus h;
    const Colours colours = SomeColours();
    const auto frame = FrameReports(colours);
    ASSERT_EQ(frame.size(), 12u);
    SendThenSettle(h, frame);

    const auto recorded = h.firmware->LightReports();
    ASSERT_EQ(recorded.size(), 12u);
    for (size_t i = 0; i < 12; ++i) EXPECT_TRUE(std::equal(frame[i].begin(), frame[i].end(), recorded[i].begin())) << i;
    EXPECT_EQ(h.firmware->LightColours(0x22), colours);
    EXPECT_EQ(h.firmware->LightColours(0x44), colours);
    EXPECT_EQ(h.firmware->LightReportsRefused(), 0u);
    EXPECT_EQ(h.firmware->ReportsReceived(), 1u) << "only the command counts as one";

    // Recording is bounded: frames keep coming every few milliseconds while a page is open.
    for (int i = 0; i < 5; ++i) SendThenSettle(h, frame);
    EXPECT_EQ(h.firmware->LightReports().size(), sim::kHeadsetRecordedLightReports);
}

TEST(HeadsetFirmware, LightReportsMeetNoCommandFault) {
    HeadsetOnBus h;
    sim::CommandFaults faults;
    faults.silentReports = 1;
    faults.unplugAfterReports = 2;
    h.firmware->SetFaults(faults);
    const auto frame = FrameReports(SomeColours());
    for (const Bytes& r : frame) {
        uint32_t written = 0;
        ASSERT_TRUE(h.channel.Handle().Write(17, written, r.data(), 1000));
    }
    EXPECT_FALSE(h.channel.QueryOnline()) << "the silence falls on the command, not on a light report";
    EXPECT_EQ(h.firmware->LightReports().size(), 12u);
    EXPECT_TRUE(h.channel.QueryOnline());
    EXPECT_TRUE(h.device->Plugged());
    EXPECT_FALSE(h.channel.QueryOnline()) << "the third command unplugs the headset";
    EXPECT_FALSE(h.device->Plugged());
}

struct BadLightReport {
    const char* name;
    Bytes (*edit)(Bytes report);
};

class HeadsetBadLightReport : public ::testing::TestWithParam<BadLightReport> {};

TEST_P(HeadsetBadLightReport, IsRefusedAndShowsNothing) {
    HeadsetOnBus h;
    Bytes report = GetParam().edit(FrameReports(SomeColours())[0]);
    SendThenSettle(h, {report});
    EXPECT_TRUE(h.firmware->LightReports().empty());
    EXPECT_EQ(h.firmware->LightReportsRefused(), 1u);
    EXPECT_EQ(h.firmware->LightColours(0x22), Colours{});
}

INSTANTIATE_TEST_SUITE_P(
    Table, HeadsetBadLightReport,
    ::testing::Values(BadLightReport{"Short", [](Bytes r) { r.resize(16); return r; }},
                      BadLightReport{"Long", [](Bytes r) { r.push_back(0); return r; }},
                      BadLightReport{"UnknownBank", [](Bytes r) { r[1] = 0x33; return r; }},
                      BadLightReport{"RegisterPastBlue", [](Bytes r) { r[2] = 0xB0; return r; }},
                      BadLightReport{"RegisterBeforeRed", [](Bytes r) { r[2] = 0xA9; return r; }},
                      BadLightReport{"ByteThreeSet", [](Bytes r) { r[3] = 1; return r; }}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace orvane::test
