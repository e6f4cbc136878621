// Host cost of the device core against the emulated mouse at zero latency, and of one
// enumeration pass over a fixture hidraw tree.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

#include "device/DeviceScan.h"
#include "device/HidrawBackend.h"
#include "mouse/MouseDeviceModel.h"
#include "sim/MouseFirmware.h"
#include "sim/Q730Descriptors.h"
#include "sim/SimBus.h"

namespace {

using namespace orvane;

struct MouseOnBus {
    MouseOnBus() {
        bus = std::make_shared<sim::SimBus>();
        device = bus->Plug(sim::Q730Identity(), std::make_shared<sim::MouseFirmware>(sim::MouseOptions{}));
        channel = std::make_unique<CommandChannel>(bus);
        HidDeviceHandle h(bus);
        h.EnumeratePaths();
        while (auto p = h.NextPath())
            if (p->ends_with("&col04")) channel->Open(*p, false);
    }
    std::shared_ptr<sim::SimBus> bus;
    std::shared_ptr<sim::SimDevice> device;
    std::unique_ptr<CommandChannel> channel;
};

void BM_Exchange(benchmark::State& state) {
    MouseOnBus mouse;
    std::array<uint8_t, 64> request{4, 0x01, 0x00, 0x01};
    std::array<uint8_t, 64> reply{};
    for (auto _ : state) {
        uint32_t got = 0;
        if (mouse.channel->Exchange(request, reply, got) != 1) state.SkipWithError("exchange failed");
        benchmark::DoNotOptimize(reply);
    }
}
BENCHMARK(BM_Exchange)->Unit(benchmark::kMicrosecond);

void BM_InitialRead(benchmark::State& state) {
    MouseOnBus mouse;
    MouseDeviceModel model(*mouse.channel);
    for (auto _ : state) {
        if (model.InitialRead() != MouseDeviceModel::InitialReadOutcome::Done) state.SkipWithError("initial read failed");
    }
}
BENCHMARK(BM_InitialRead)->Unit(benchmark::kMicrosecond);

// 50 hidraw nodes: 25 two-interface mice, only the sysfs side (enumeration opens nothing).
struct FixtureTree {
    FixtureTree() {
        root = std::filesystem::temp_directory_path() / ("orvane-bench-sysfs-" + std::to_string(::getpid()));
        std::filesystem::create_directories(root / "dev");
        for (int n = 0; n < 50; ++n) {
            const auto device = root / "sys/class/hidraw" / ("hidraw" + std::to_string(n)) / "device";
            std::filesystem::create_directories(device);
            std::ofstream(device / "uevent") << "HID_ID=0003:0000320F:00002211\nHID_PHYS=usb-0000:00:14.0-" << n / 2
                                             << "/input" << n % 2 << "\n";
            const auto& d = n % 2 ? std::span<const uint8_t>(sim::kQ730CommandInterfaceDescriptor)
                                  : std::span<const uint8_t>(sim::kQ730MouseInterfaceDescriptor);
            std::ofstream(device / "report_descriptor", std::ios::binary)
                .write(reinterpret_cast<const char*>(d.data()), static_cast<std::streamsize>(d.size()));
            const std::string node = (root / "dev" / ("hidraw" + std::to_string(n))).string();
            ::mkfifo(node.c_str(), 0600);
        }
    }
    ~FixtureTree() { std::filesystem::remove_all(root); }
    std::filesystem::path root;
};

void BM_EnumerateFiftyNodes(benchmark::State& state) {
    FixtureTree tree;
    auto backend = std::make_shared<HidrawBackend>((tree.root / "sys").string(), (tree.root / "dev").string());
    HidDeviceHandle probe(backend);
    for (auto _ : state) {
        if (!probe.EnumeratePaths() || probe.PathCount() != 25 * 5) state.SkipWithError("enumeration failed");
        probe.FreePaths();
    }
}
BENCHMARK(BM_EnumerateFiftyNodes)->Unit(benchmark::kMicrosecond);

// A whole discovery pass over the same tree: enumeration plus identification opens.
void BM_DiscoveryPassFiftyNodes(benchmark::State& state) {
    FixtureTree tree;
    auto backend = std::make_shared<HidrawBackend>((tree.root / "sys").string(), (tree.root / "dev").string());
    HidDeviceHandle probe(backend);
    for (auto _ : state) {
        DeviceSlotList slots = MakeDeviceSlotList();
        ClaimPresentInterfaces(probe, slots, nullptr);
        benchmark::DoNotOptimize(slots);
    }
}
BENCHMARK(BM_DiscoveryPassFiftyNodes)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
