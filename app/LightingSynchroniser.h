#pragma once
// LightingSynchroniser: the main window's thread (registry slot 8) that runs one light effect on
// every page taking part in synchronised lighting, the pages whose command channel is open and
// has its syncLighting flag set. It computes the effect's colour (light/SyncEffect), sets it on
// every light of those pages and asks them for a paint pass; the pages' own previews stand still
// meanwhile.
//
// It sleeps until the next step of the effect falls due, at most at display rate; a steady or
// dark effect is painted once. It does not wake at all while no mouse page takes part or the
// program does not control the lights; the UI thread wakes it when it changes the targets, the
// settings or the flags. Stopping logs
// "同步灯光线程设定退出".

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

#include "light/SyncEffect.h"
#include "pages/CQuorvantUSBDevice.h"
#include "platform/WorkerThread.h"

namespace orvane::app {

class LightingSynchroniser {
public:
    // Frames come no faster than this, however short the effect's step.
    static constexpr std::chrono::milliseconds kFrameInterval{16};

    struct Target {
        CQuorvantUSBDevice::SyncTarget page;
        bool mouse = false;  // only a mouse page starts the effect
    };

    LightingSynchroniser();
    ~LightingSynchroniser();

    void Start();
    WorkerThread::StopOutcome Stop(std::chrono::milliseconds wait = WorkerThread::kStopWait);

    // UI thread. The pages in painting order (mice, pads, headsets, keyboards).
    void SetTargets(std::vector<Target> targets);
    // The effect changed: it starts again from its first step.
    void SetSettings(const SyncEffectSettings& settings);
    SyncEffectSettings Settings() const;
    // Off while another program controls the lights.
    void SetEnabled(bool on);
    // A page's flag or channel changed: the thread looks again.
    void Wake();

    // Frames painted so far, for tests and the benchmark.
    uint64_t FramesPainted() const;

private:
    struct Shared;
    static void Run(const std::shared_ptr<Shared>& shared);

    std::shared_ptr<Shared> shared_;
    WorkerThread thread_;
};

}  // namespace orvane::app
