// The hidraw backend on a fixture sysfs tree, with FIFOs standing in for /dev/hidrawN.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "device/DeviceScanThread.h"
#include "device/HidDeviceHandle.h"
#include "device/HidPath.h"
#include "device/HidrawBackend.h"
#include "sim/Q730Descriptors.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;

class HidrawFixture : public ::testing::Test {
protected:
    void SetUp() override {
        std::string tmpl = (fs::temp_directory_path() / "orvane-sysfs-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        root_ = tmpl;
        fs::create_directories(root_ / "sys/class/hidraw");
        fs::create_directories(root_ / "dev");
        backend_ = std::make_shared<HidrawBackend>((root_ / "sys").string(), (root_ / "dev").string());
    }
    void TearDown() override { fs::remove_all(root_); }

    template <typename Bytes>
    void AddNode(int number, const std::string& hidId, const std::string& phys, const Bytes& descriptor) {
        const fs::path device = root_ / "sys/class/hidraw" / ("hidraw" + std::to_string(number)) / "device";
        fs::create_directories(device);
        std::ofstream(device / "uevent") << "DRIVER=hid-generic\nHID_ID=" << hidId << "\nHID_NAME=Test\nHID_PHYS=" << phys
                                         << "\n";
        std::ofstream out(device / "report_descriptor", std::ios::binary);
        out.write(reinterpret_cast<const char*>(descriptor.data()), static_cast<std::streamsize>(descriptor.size()));
        const std::string node = (root_ / "dev" / ("hidraw" + std::to_string(number))).string();
        ASSERT_EQ(::mkfifo(node.c_str(), 0600), 0);
    }
    void AddQ730(int commandNode) {
        AddNode(commandNode - 1, "0003:0000320F:00002211", "usb-0000:00:14.0-2/input0", sim::kQ730MouseInterfaceDescriptor);
        AddNode(commandNode, "0003:0000320F:00002211", "usb-0000:00:14.0-2/input1", sim::kQ730CommandInterfaceDescriptor);
    }
    std::string Node(int number) const { return (root_ / "dev" / ("hidraw" + std::to_string(number))).string(); }

    std::vector<std::string> AllPaths(HidDeviceHandle& h) {
        std::vector<std::string> paths;
        EXPECT_TRUE(h.EnumeratePaths());
        while (auto p = h.NextPath()) paths.push_back(*p);
        return paths;
    }

    fs::path root_;
    std::shared_ptr<HidrawBackend> backend_;
};

TEST_F(HidrawFixture, NoDevicesGivesAnEmptyList) {
    HidDeviceHandle h(backend_);
    EXPECT_TRUE(h.EnumeratePaths());
    EXPECT_EQ(h.PathCount(), 0u);
    EXPECT_FALSE(h.NextPath());

    fs::remove_all(root_ / "sys/class");  // a kernel without the hidraw class
    EXPECT_TRUE(h.EnumeratePaths());
    EXPECT_EQ(h.PathCount(), 0u);
}

TEST_F(HidrawFixture, ListsOnePathPerTopLevelCollection) {
    AddQ730(5);
    HidDeviceHandle h(backend_);
    auto paths = AllPaths(h);
    std::sort(paths.begin(), paths.end());
    const std::vector<std::string> expected = {
        Node(4) + "&vid_320f&pid_2211&mi_00",
        Node(5) + "&vid_320f&pid_2211&mi_01&col01",
        Node(5) + "&vid_320f&pid_2211&mi_01&col02",
        Node(5) + "&vid_320f&pid_2211&mi_01&col03",
        Node(5) + "&vid_320f&pid_2211&mi_01&col04",
    };
    EXPECT_EQ(paths, expected);
    EXPECT_EQ(ParseCollection(paths[4]), 4);
    EXPECT_EQ(ParseInterface(paths[4]), 1);
}

TEST_F(HidrawFixture, NinthInterfaceKeepsTheFirstEight) {
    for (int i = 0; i < 9; ++i) AddNode(i, "0003:0000046D:0000C077", "usb-1/input0", sim::kQ730MouseInterfaceDescriptor);
    HidDeviceHandle h(backend_);
    auto paths = AllPaths(h);
    ASSERT_EQ(paths.size(), 9u);
    std::sort(paths.begin(), paths.end());
    for (int i = 0; i < 9; ++i) EXPECT_EQ(paths[static_cast<size_t>(i)], Node(i) + "&vid_046d&pid_c077&mi_00");
}

TEST_F(HidrawFixture, BrokenNodesAreSkipped) {
    const std::array<uint8_t, 3> truncated = {0x05, 0x01, 0x09};
    AddNode(0, "0003:0000320F:00002211", "usb-1/input1", truncated);
    AddNode(1, "garbage", "usb-1/input1", sim::kQ730MouseInterfaceDescriptor);
    AddNode(2, "0005:0000046D:0000B012", "bt-addr", sim::kQ730MouseInterfaceDescriptor);  // Bluetooth: no &mi_
    HidDeviceHandle h(backend_);
    auto paths = AllPaths(h);
    ASSERT_EQ(paths.size(), 1u);
    EXPECT_EQ(paths[0], Node(2) + "&vid_046d&pid_b012");
}

TEST_F(HidrawFixture, OpenReadsIdentityAndCapabilitiesOfTheCollection) {
    AddQ730(1);
    HidDeviceHandle h(backend_);
    ASSERT_TRUE(h.Open(Node(1) + "&vid_320f&pid_2211&mi_01&col04", true, true, true, false));
    EXPECT_EQ(h.Attributes().vendorId, 0x320F);
    EXPECT_EQ(h.Attributes().productId, 0x2211);
    EXPECT_EQ(h.Capabilities().usagePage, 0xFF1C);
    EXPECT_EQ(h.Capabilities().usage, 0x92);
    EXPECT_EQ(h.Capabilities().inputReportByteLength, 64);
    EXPECT_EQ(h.Capabilities().outputReportByteLength, 64);
    EXPECT_EQ(h.ReportBuffer(hid::ReportType::Output).size(), 64u);

    ASSERT_TRUE(h.Open(Node(1) + "&vid_320f&pid_2211&mi_01&col03", false, false, true, false));
    EXPECT_EQ(h.Capabilities().usagePage, 0x0C);
    EXPECT_EQ(h.Capabilities().usage, 0x01);
    h.Close();
    EXPECT_FALSE(h.IsOpen());
    EXPECT_EQ(h.Capabilities().usagePage, 0);
}

TEST_F(HidrawFixture, OpenRefusesWhatItCannotServe) {
    AddQ730(1);
    HidDeviceHandle h(backend_);
    EXPECT_FALSE(h.Open(Node(1) + "&vid_320f&pid_2211&mi_01&col09", true, true, true, false));  // no such collection
    EXPECT_FALSE(h.Open(Node(1) + "&vid_320f&pid_2211&mi_01", true, true, true, false));        // ambiguous
    EXPECT_FALSE(h.Open(Node(7) + "&vid_320f&pid_2211&mi_01&col04", true, true, true, false));  // absent
    EXPECT_FALSE(h.Open("/dev/hidraw1", true, true, true, false));                              // not a collection path

    std::string longPath = Node(1) + "&vid_320f&pid_2211&mi_01&col04";
    longPath.insert(0, std::string(kMaxDevicePathLength + 1 - longPath.size(), '/'));
    EXPECT_FALSE(h.Open(longPath, true, true, true, false));
    EXPECT_EQ(h.LastOpenError(), ENAMETOOLONG);
    EXPECT_TRUE(h.DevicePath().empty());
}

TEST_F(HidrawFixture, PermissionDeniedIsReported) {
    if (::geteuid() == 0) GTEST_SKIP() << "root bypasses file permissions";
    AddQ730(1);
    ::chmod(Node(1).c_str(), 0);
    HidDeviceHandle h(backend_);
    EXPECT_FALSE(h.Open(Node(1) + "&vid_320f&pid_2211&mi_01&col04", true, true, true, false));
    EXPECT_EQ(h.LastOpenError(), EACCES);
}

TEST_F(HidrawFixture, ReadTimesOutWithNothingRead) {
    AddQ730(1);
    HidDeviceHandle h(backend_);
    ASSERT_TRUE(h.Open(Node(1) + "&vid_320f&pid_2211&mi_01&col04", true, true, true, false));
    uint8_t buffer[64] = {0xAA};
    uint32_t got = 99;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(h.Read(sizeof buffer, got, buffer, 150));
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(got, 0u);
    EXPECT_EQ(buffer[0], 0xAA);
    EXPECT_GE(waited, std::chrono::milliseconds(140));
}

TEST_F(HidrawFixture, ReadDeliversTheCollectionsReport) {
    AddQ730(1);
    HidDeviceHandle h(backend_);
    ASSERT_TRUE(h.Open(Node(1) + "&vid_320f&pid_2211&mi_01&col04", true, true, true, false));
    int writer = ::open(Node(1).c_str(), O_WRONLY | O_NONBLOCK);
    ASSERT_GE(writer, 0);
    uint8_t report[64] = {4, 0, 0, 0x01};
    ASSERT_EQ(::write(writer, report, sizeof report), 64);
    uint8_t buffer[64] = {};
    uint32_t got = 0;
    EXPECT_TRUE(h.Read(sizeof buffer, got, buffer, 1000));
    EXPECT_EQ(got, 64u);
    EXPECT_EQ(buffer[3], 0x01);
    ::close(writer);
}

TEST_F(HidrawFixture, CloseFromAnotherThreadWakesAnEndlessRead) {
    AddQ730(1);
    HidDeviceHandle h(backend_);
    ASSERT_TRUE(h.Open(Node(1) + "&vid_320f&pid_2211&mi_01&col03", true, true, true, false));
    bool result = true;
    std::thread reader([&] {
        uint8_t buffer[64];
        uint32_t got = 0;
        result = h.Read(sizeof buffer, got, buffer, HidDeviceHandle::kInfinite);
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const auto start = std::chrono::steady_clock::now();
    h.Close();
    reader.join();
    EXPECT_FALSE(result);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
}

// A tree udev knows nothing of has no change events: discovery polls it and still sees the
// mouse come and go.
TEST_F(HidrawFixture, DiscoveryPollsATreeWithoutChangeEvents) {
    class Counter final : public DeviceScanListener {
    public:
        void OnDeviceArrival(int slot, const DeviceRecord&) override { arrivals |= 1 << slot; }
        void OnDeviceRemoval(int slot, const DeviceRecord&) override { removals |= 1 << slot; }
        void OnFirstScanDone() override { firstPass = true; }
        std::atomic<int> arrivals{0}, removals{0};
        std::atomic<bool> firstPass{false};
    } listener;
    auto waitFor = [](auto condition) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        while (!condition() && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return condition();
    };
    DeviceScanThread scan(listener, backend_);
    scan.Start();
    ASSERT_TRUE(waitFor([&] { return listener.firstPass.load(); }));

    AddQ730(1);
    EXPECT_TRUE(waitFor([&] { return listener.arrivals.load() == 0b1100; })) << "slots 2 and 3";
    fs::remove(Node(1));
    EXPECT_TRUE(waitFor([&] { return listener.removals.load() == 0b1100; }));
}

}  // namespace
}  // namespace orvane
