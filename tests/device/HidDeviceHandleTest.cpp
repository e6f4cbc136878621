// The HID handle over the emulated bus: report routing per collection, unplug, cancel and decoding.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "device/HidDeviceHandle.h"
#include "device/HidPath.h"
#include "sim/Q730Descriptors.h"
#include "sim/SimBus.h"

namespace orvane {
namespace {

using namespace std::chrono_literals;

// Answers every output report with the same bytes, on the same interface.
class EchoFirmware final : public sim::SimFirmware {
public:
    void HandleOutputReport(size_t interfaceIndex, std::span<const uint8_t> report, sim::SimPort& port) override {
        port.SendInputReport(interfaceIndex, std::vector<uint8_t>(report.begin(), report.end()));
    }
};

class HidHandleOnSimBus : public ::testing::Test {
protected:
    void SetUp() override {
        bus_ = std::make_shared<sim::SimBus>();
        sim::SimDeviceIdentity id;
        id.model = "echo";
        id.vendorId = 0x320F;
        id.productId = 0x2211;
        id.versionNumber = 0x0105;
        id.interfaces = {{0, {sim::kQ730MouseInterfaceDescriptor.begin(), sim::kQ730MouseInterfaceDescriptor.end()}},
                         {1, {sim::kQ730CommandInterfaceDescriptor.begin(), sim::kQ730CommandInterfaceDescriptor.end()}}};
        device_ = bus_->Plug(id, std::make_shared<EchoFirmware>());
    }

    std::string PathOf(int collection) {
        HidDeviceHandle h(bus_);
        EXPECT_TRUE(h.EnumeratePaths());
        while (auto p = h.NextPath())
            if (ParseInterface(*p) == 1 && ParseCollection(*p) == collection) return *p;
        return {};
    }

    std::shared_ptr<sim::SimBus> bus_;
    std::shared_ptr<sim::SimDevice> device_;
};

TEST_F(HidHandleOnSimBus, ReadsThroughACollectionSeeOnlyItsReports) {
    HidDeviceHandle command(bus_), events(bus_);
    ASSERT_TRUE(command.Open(PathOf(4), true, true, true, false));
    ASSERT_TRUE(events.Open(PathOf(3), true, true, true, false));
    EXPECT_EQ(command.Attributes().versionNumber, 0x0105);

    device_->Inject(1, {3, 0x01, 0x04});
    std::vector<uint8_t> reply(64, 0);
    reply[0] = 4;
    reply[3] = 0x05;
    device_->Inject(1, reply);

    uint8_t buffer[64] = {};
    uint32_t got = 0;
    ASSERT_TRUE(command.Read(64, got, buffer, 1000));
    EXPECT_EQ(got, 64u);
    EXPECT_EQ(buffer[0], 4);
    EXPECT_EQ(buffer[3], 0x05);
    EXPECT_FALSE(command.Read(64, got, buffer, 50)) << "the consumer report must not reach the command collection";

    ASSERT_TRUE(events.Read(64, got, buffer, 1000));
    EXPECT_EQ(got, 3u);
    EXPECT_EQ(buffer[0], 3);
}

TEST_F(HidHandleOnSimBus, WriteThenReadTheReply) {
    HidDeviceHandle h(bus_);
    ASSERT_TRUE(h.Open(PathOf(4), true, true, true, false));
    std::vector<uint8_t> request(64, 0);
    request[0] = 4;
    request[3] = 0xAA;
    uint32_t written = 0;
    ASSERT_TRUE(h.Write(64, written, request.data(), 1000));
    EXPECT_EQ(written, 64u);
    uint8_t buffer[64] = {};
    uint32_t got = 0;
    ASSERT_TRUE(h.Read(64, got, buffer, 1000));
    EXPECT_EQ(buffer[3], 0xAA);
}

TEST_F(HidHandleOnSimBus, UnboundedReadEndsWhenTheDeviceIsUnplugged) {
    HidDeviceHandle h(bus_);
    ASSERT_TRUE(h.Open(PathOf(3), true, true, true, false));
    bool result = true;
    std::thread reader([&] {
        uint8_t buffer[64];
        uint32_t got = 0;
        result = h.Read(64, got, buffer, HidDeviceHandle::kInfinite);
    });
    std::this_thread::sleep_for(30ms);
    bus_->Unplug(device_);
    reader.join();
    EXPECT_FALSE(result);
    EXPECT_TRUE(h.Unplugged());

    uint32_t written = 0;
    uint8_t request[64] = {4};
    EXPECT_FALSE(h.Write(64, written, request, 100));
    EXPECT_FALSE(h.Reopen()) << "an unplugged node cannot be opened again";
}

TEST_F(HidHandleOnSimBus, ReopenWhileAnotherThreadReadsWakesIt) {
    HidDeviceHandle h(bus_);
    ASSERT_TRUE(h.Open(PathOf(4), true, true, true, false));
    bool result = true;
    std::thread reader([&] {
        uint8_t buffer[64];
        uint32_t got = 0;
        result = h.Read(64, got, buffer, HidDeviceHandle::kInfinite);
    });
    std::this_thread::sleep_for(30ms);
    EXPECT_TRUE(h.Reopen());
    reader.join();
    EXPECT_FALSE(result);
    EXPECT_TRUE(h.IsOpen());
}

TEST_F(HidHandleOnSimBus, QueryOnlyOpenSeesPresenceWithoutIo) {
    HidDeviceHandle h(bus_);
    const std::string path = PathOf(4);
    ASSERT_TRUE(h.Open(path, false, false, true, false));
    uint8_t buffer[64];
    uint32_t got = 0;
    EXPECT_FALSE(h.Read(64, got, buffer, 10));
    h.Close();
    bus_->Unplug(device_);
    EXPECT_FALSE(h.Open(path, false, false, true, false));
}

TEST_F(HidHandleOnSimBus, UnpackReportGivesTheConsumerUsage) {
    HidDeviceHandle h(bus_);
    ASSERT_TRUE(h.Open(PathOf(3), true, true, true, false));
    auto entries = h.DataEntries(hid::ReportType::Input);
    ASSERT_FALSE(entries.empty());
    const uint8_t report[] = {3, 0x01, 0x04};
    ASSERT_TRUE(HidDeviceHandle::UnpackReport(entries, report, hid::ReportType::Input, *h.PreparsedData()));
    ASSERT_TRUE(entries[0].isSet);
    ASSERT_FALSE(entries[0].usages.empty());
    EXPECT_EQ(entries[0].usages[0], 0x0401);

    // A report of another id leaves the entries alone.
    auto untouched = h.DataEntries(hid::ReportType::Input);
    const uint8_t other[] = {4, 0x01, 0x04};
    EXPECT_TRUE(HidDeviceHandle::UnpackReport(untouched, other, hid::ReportType::Input, *h.PreparsedData()));
    EXPECT_FALSE(untouched[0].isSet);
}

TEST(HidDeviceHandleValues, ValueRangeYieldsOneEntryPerUsage) {
    // Vendor collection, report id 1: four 8-bit values for usages 1..4.
    const std::vector<uint8_t> descriptor = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x01, 0x19, 0x01,
                                             0x29, 0x04, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x04,
                                             0x81, 0x02, 0xC0};
    auto bus = std::make_shared<sim::SimBus>();
    sim::SimDeviceIdentity id;
    id.vendorId = 1;
    id.productId = 2;
    id.interfaces = {{0, descriptor}};
    bus->Plug(id, std::make_shared<EchoFirmware>());
    HidDeviceHandle h(bus);
    ASSERT_TRUE(h.EnumeratePaths());
    auto path = h.NextPath();
    ASSERT_TRUE(path);
    ASSERT_TRUE(h.Open(*path, true, false, true, false));
    auto entries = h.DataEntries(hid::ReportType::Input);
    ASSERT_EQ(entries.size(), 4u);
    const uint8_t report[] = {1, 10, 20, 30, 40};
    ASSERT_TRUE(HidDeviceHandle::UnpackReport(entries, report, hid::ReportType::Input, *h.PreparsedData()));
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(entries[i].usage, i + 1);
        EXPECT_EQ(entries[i].value, 10 * (i + 1));
    }
}

}  // namespace
}  // namespace orvane
