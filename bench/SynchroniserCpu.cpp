// CPU of the lighting synchroniser: its thread painting one emulated mouse page's six lights for
// a while in each effect at its fastest speed, then with nobody taking part. Prints CPU in percent
// of one core (the whole process: the thread is the only one working), the wake-ups of the
// thread's frames and the frames painted per second.
//
//   build/bin/bench_synchroniser [SECONDS per figure, default 5]
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>

#include "app/LightingSynchroniser.h"
#include "device/HidDeviceHandle.h"
#include "device/HidPath.h"
#include "sim/MouseFirmware.h"
#include "sim/SimBus.h"

namespace {

using namespace orvane;
using Clock = std::chrono::steady_clock;

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long ContextSwitches() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_nvcsw + usage.ru_nivcsw;
}

std::string CommandPath(const std::shared_ptr<sim::SimBus>& bus) {
    HidDeviceHandle h(bus);
    if (!h.EnumeratePaths()) return {};
    while (auto p = h.NextPath()) {
        if (ParseInterface(*p) == 1 && ParseCollection(*p) == 4) return *p;
    }
    return {};
}

void Measure(const char* what, app::LightingSynchroniser& sync, int seconds) {
    const uint64_t frames = sync.FramesPainted();
    const double cpu = CpuSeconds();
    const long switches = ContextSwitches();
    const Clock::time_point start = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("%-28s CPU %5.2f %% of one core  %7.1f wake-ups/s  %6.1f frames/s\n", what,
                100.0 * (CpuSeconds() - cpu) / wall, static_cast<double>(ContextSwitches() - switches) / wall,
                static_cast<double>(sync.FramesPainted() - frames) / wall);
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    auto bus = std::make_shared<sim::SimBus>();
    bus->Plug(sim::Q730Identity(), std::make_shared<sim::MouseFirmware>(sim::MouseOptions{}));
    SetActiveHidBackend(bus);
    auto channel = std::make_shared<CommandChannel>();
    if (!channel->Open(CommandPath(bus), false)) {
        std::fprintf(stderr, "bench_synchroniser: the emulated mouse did not open\n");
        return 1;
    }
    auto preview = std::make_shared<LightPreviewState>(6);
    app::LightingSynchroniser sync;
    sync.SetTargets({{{preview, channel, 6, [] {}}, true}});
    sync.Start();
    std::printf("lighting synchroniser, one emulated mouse page of 6 lights, %d s per figure\n", seconds);
    channel->SetSyncLighting(true);
    sync.Wake();
    const char* names[] = {"breathing (speed 4)", "steady (speed 4)", "flashing (speed 4)", "colour cycle (speed 4)",
                           "off (speed 4)"};
    for (int effect = 0; effect < 5; ++effect) {
        SyncEffectSettings settings;
        settings.effectType = static_cast<uint8_t>(effect);
        settings.brightness = 4;
        settings.speed = 4;
        settings.colourful = 1;
        sync.SetSettings(settings);
        Measure(names[effect], sync, seconds);
    }
    channel->SetSyncLighting(false);
    sync.Wake();
    Measure("nobody taking part", sync, seconds);
    sync.Stop();
    return 0;
}
