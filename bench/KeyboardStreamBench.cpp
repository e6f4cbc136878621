// The per-key light stream to the emulated keyboard, whose firmware answers each report 1 ms
// after it arrived: the frames per second streamed back to back against the floor (reports per
// frame x 1 ms), and at 30 frames per second the host's CPU per frame (the streaming thread: the
// preview's turns, the frame and its three reports) and in percent of one core, beside the whole
// process's (which includes the emulated keyboard's own thread).
//
//   build/bin/bench_keyboard_stream [SECONDS per figure, default 5]
#include <sys/resource.h>
#include <time.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>

#include "device/HidDeviceHandle.h"
#include "device/HidPath.h"
#include "keyboard/KeyboardDevice.h"
#include "sim/KeyboardFirmware.h"
#include "sim/SimBus.h"

namespace {

using namespace orvane;
using Clock = std::chrono::steady_clock;

constexpr auto kReplyDelay = std::chrono::milliseconds(1);
constexpr int kReportsPerFrame = (kKeyLedCount + CommandChannel::kChunkSize - 1) / CommandChannel::kChunkSize;

double ThreadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

std::string CommandPath(const std::shared_ptr<sim::SimBus>& bus) {
    HidDeviceHandle h(bus);
    if (!h.EnumeratePaths()) return {};
    while (auto p = h.NextPath())
        if (ParseInterface(*p) == 1 && ParseCollection(*p) == 4) return *p;
    return {};
}

struct Figures {
    double framesPerSecond = 0;
    double threadCpuPerFrameMs = 0;
    double threadCpuPercent = 0;
    double processCpuPercent = 0;
    uint64_t failed = 0;
};

// Streams for `seconds`, a frame every `period` (zero: back to back), the preview advanced by the
// turns that elapsed.
Figures Stream(KeyboardDevice& core, int seconds, Clock::duration period) {
    uint64_t frames = 0;
    Figures f;
    const double thread = ThreadCpuSeconds();
    const double process = ProcessCpuSeconds();
    const Clock::time_point start = Clock::now();
    const Clock::time_point end = start + std::chrono::seconds(seconds);
    Clock::time_point last = start;
    Clock::time_point next = start;
    while (Clock::now() < end) {
        const Clock::time_point now = Clock::now();
        core.Lighting().AdvanceTurns(static_cast<uint32_t>((now - last) / std::chrono::milliseconds(KeyboardLighting::kTurnMs)));
        last = now;
        if (core.StreamFrame() != kResultSuccess) ++f.failed;
        ++frames;
        if (period > Clock::duration::zero()) {
            next += period;
            std::this_thread::sleep_until(next);
        }
    }
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    const double threadCpu = ThreadCpuSeconds() - thread;
    f.framesPerSecond = static_cast<double>(frames) / wall;
    f.threadCpuPerFrameMs = 1000.0 * threadCpu / static_cast<double>(frames);
    f.threadCpuPercent = 100.0 * threadCpu / wall;
    f.processCpuPercent = 100.0 * (ProcessCpuSeconds() - process) / wall;
    return f;
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    auto bus = std::make_shared<sim::SimBus>();
    sim::KeyboardOptions options;
    options.latency = kReplyDelay;
    bus->Plug(sim::KeyboardIdentity(), std::make_shared<sim::KeyboardFirmware>(options));
    CommandChannel channel(bus);
    if (!channel.Open(CommandPath(bus), false)) {
        std::fprintf(stderr, "cannot open the emulated keyboard\n");
        return 1;
    }
    FileSystemKeyboardSettings desktop("/dev/null");
    KeyboardDevice core(channel, desktop);
    if (!core.Connect().Ok()) {
        std::fprintf(stderr, "the emulated keyboard did not connect\n");
        return 1;
    }
    // An intensity wave at full speed: every frame differs.
    core.Lighting().SetSelection({4, 4, 4, 1, 0, 255, 255, 255});

    const double floorFps = 1000.0 / (kReportsPerFrame * std::chrono::duration<double, std::milli>(kReplyDelay).count());
    const Figures most = Stream(core, seconds, Clock::duration::zero());
    std::printf("back to back: %6.1f frames/s, floor %.1f frames/s (%d reports x %lld ms), ratio %.3f, %llu failed\n",
                most.framesPerSecond, floorFps, kReportsPerFrame, static_cast<long long>(kReplyDelay.count()),
                most.framesPerSecond / floorFps, static_cast<unsigned long long>(most.failed));
    const Figures paced = Stream(core, seconds, std::chrono::microseconds(33334));
    std::printf("at 30 frames/s: %5.1f frames/s, host %.3f ms CPU per frame, %.2f %% of one core "
                "(whole process with the emulated keyboard: %.2f %%), %llu failed\n",
                paced.framesPerSecond, paced.threadCpuPerFrameMs, paced.threadCpuPercent, paced.processCpuPercent,
                static_cast<unsigned long long>(paced.failed));
    return 0;
}
