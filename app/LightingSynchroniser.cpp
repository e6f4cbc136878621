#include "app/LightingSynchroniser.h"

#include <algorithm>

#include "platform/DebugLog.h"

namespace orvane::app {

struct LightingSynchroniser::Shared {
    mutable std::mutex mutex;
    std::condition_variable changed;
    std::vector<Target> targets;
    SyncEffectSettings settings;
    SyncEffectEngine engine;
    bool enabled = true;
    bool stopping = false;
    bool restart = true;
    uint64_t frames = 0;
};

namespace {

using Clock = SyncEffectEngine::Clock;

bool TakesPart(const CQuorvantUSBDevice::SyncTarget& page) {
    return page.channel && page.channel->IsOpen() && page.channel->SyncLighting();
}

// Steady and off show one colour: painted once, then nothing until something changes.
bool IsStatic(const SyncEffectSettings& settings) {
    return settings.effectType == static_cast<uint8_t>(SyncEffectType::Steady) ||
           settings.effectType == static_cast<uint8_t>(SyncEffectType::Off);
}

bool AnyMouseTakesPart(const std::vector<LightingSynchroniser::Target>& targets) {
    return std::any_of(targets.begin(), targets.end(),
                       [](const LightingSynchroniser::Target& t) { return t.mouse && TakesPart(t.page); });
}

}  // namespace

LightingSynchroniser::LightingSynchroniser() : shared_(std::make_shared<Shared>()) {}

LightingSynchroniser::~LightingSynchroniser() { Stop(); }

void LightingSynchroniser::Start() {
    {
        std::lock_guard lock(shared_->mutex);
        shared_->stopping = false;
    }
    thread_.Start([shared = shared_](const StopSignal&) { Run(shared); });
}

WorkerThread::StopOutcome LightingSynchroniser::Stop(std::chrono::milliseconds wait) {
    {
        std::lock_guard lock(shared_->mutex);
        shared_->stopping = true;
    }
    shared_->changed.notify_all();
    return thread_.Stop(wait);
}

void LightingSynchroniser::SetTargets(std::vector<Target> targets) {
    {
        std::lock_guard lock(shared_->mutex);
        shared_->targets = std::move(targets);
        shared_->restart = true;
    }
    Wake();
}

void LightingSynchroniser::SetSettings(const SyncEffectSettings& settings) {
    {
        std::lock_guard lock(shared_->mutex);
        shared_->settings = settings;
        shared_->restart = true;
    }
    Wake();
}

SyncEffectSettings LightingSynchroniser::Settings() const {
    std::lock_guard lock(shared_->mutex);
    return shared_->settings;
}

void LightingSynchroniser::SetEnabled(bool on) {
    {
        std::lock_guard lock(shared_->mutex);
        shared_->enabled = on;
    }
    Wake();
}

void LightingSynchroniser::Wake() { shared_->changed.notify_all(); }

uint64_t LightingSynchroniser::FramesPainted() const {
    std::lock_guard lock(shared_->mutex);
    return shared_->frames;
}

void LightingSynchroniser::Run(const std::shared_ptr<Shared>& shared) {
    std::unique_lock lock(shared->mutex);
    bool running = false;
    bool painted = false;  // since the effect last started
    while (!shared->stopping) {
        if (!shared->enabled || !AnyMouseTakesPart(shared->targets)) {
            running = false;
            // Nobody to paint: asleep until the UI thread changes something.
            shared->changed.wait(lock);
            continue;
        }
        const Clock::time_point now = Clock::now();
        if (!running || shared->restart) {
            // The effect state survives idle periods; only its clock starts again.
            shared->engine.Restart(now);
            shared->restart = false;
            running = true;
            painted = false;
        }
        if (const auto colour = shared->engine.Advance(shared->settings, now)) {
            for (const Target& target : shared->targets) {
                if (!TakesPart(target.page)) continue;
                for (int i = 0; i < target.page.lights; ++i) target.page.preview->SetLightColor(static_cast<size_t>(i), *colour);
                if (target.page.requestPaint) target.page.requestPaint();
            }
            ++shared->frames;
            painted = true;
        }
        if (painted && IsStatic(shared->settings)) {
            shared->changed.wait(lock);
            continue;
        }
        const Clock::time_point due = std::max(shared->engine.NextStep(shared->settings), now + kFrameInterval);
        shared->changed.wait_until(lock, due);
    }
    lock.unlock();
    DebugLog("同步灯光线程设定退出");
}

}  // namespace orvane::app
