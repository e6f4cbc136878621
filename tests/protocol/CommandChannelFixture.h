#pragma once
// A command channel opened on the emulated Q730 on its own bus, with every report the host
// writes to the command interface kept for inspection and the debug log captured.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "device/HidDeviceHandle.h"
#include "device/HidPath.h"
#include "platform/DebugLog.h"
#include "protocol/CommandChannel.h"
#include "sim/MouseFirmware.h"
#include "sim/SimBus.h"

namespace orvane::test {

using Bytes = std::vector<uint8_t>;
using Clock = std::chrono::steady_clock;

// Keeps each report written to the command interface, then lets the mouse model answer it.
class RecordingFirmware final : public sim::SimFirmware {
public:
    explicit RecordingFirmware(std::shared_ptr<sim::MouseFirmware> mouse) : mouse_(std::move(mouse)) {}

    void HandleOutputReport(size_t interfaceIndex, std::span<const uint8_t> report, sim::SimPort& port) override {
        if (interfaceIndex == sim::MouseFirmware::kCommandInterface) {
            std::lock_guard lock(mutex_);
            requests_.emplace_back(report.begin(), report.end());
        }
        mouse_->HandleOutputReport(interfaceIndex, report, port);
    }

    std::vector<Bytes> Requests() const {
        std::lock_guard lock(mutex_);
        return requests_;
    }
    std::vector<Bytes> RequestsOf(uint8_t command) const {
        std::vector<Bytes> of;
        for (auto& r : Requests())
            if (r.size() > CommandReport::kCommandIdOffset && r[CommandReport::kCommandIdOffset] == command) of.push_back(r);
        return of;
    }

private:
    std::shared_ptr<sim::MouseFirmware> mouse_;
    mutable std::mutex mutex_;
    std::vector<Bytes> requests_;
};

class CommandChannelFixture : public ::testing::Test {
protected:
    void SetUp() override {
        log_ = std::make_shared<CapturingDebugSink>();
        SetDebugSink(log_);
        Start(sim::MouseOptions{});
    }

    void TearDown() override {
        if (channel_) channel_->Close();
        if (device_) bus_->Unplug(device_);
        SetDebugSink(nullptr);
    }

    // A fresh mouse with `options` on the bus and an open channel on its command collection.
    void Start(sim::MouseOptions options, bool slowLink = false) {
        if (channel_) channel_->Close();
        if (device_) bus_->Unplug(device_);
        mouse_ = std::make_shared<sim::MouseFirmware>(std::move(options));
        recorder_ = std::make_shared<RecordingFirmware>(mouse_);
        device_ = bus_->Plug(sim::Q730Identity(), recorder_);
        channel_ = std::make_unique<CommandChannel>(bus_);
        ASSERT_TRUE(channel_->Open(PathOf(4), slowLink));
        log_->Clear();
    }

    // Interface 1's collection `collection` (4 commands, 3 consumer events).
    std::string PathOf(int collection) const {
        HidDeviceHandle lister(bus_);
        EXPECT_TRUE(lister.EnumeratePaths());
        while (auto p = lister.NextPath())
            if (ParseInterface(*p) == 1 && ParseCollection(*p) == collection) return *p;
        ADD_FAILURE() << "no collection " << collection << " on interface 1";
        return {};
    }

    size_t LogCount(std::string_view line) const {
        const auto lines = log_->Lines();
        return static_cast<size_t>(std::count(lines.begin(), lines.end(), line));
    }

    static bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
        const auto deadline = Clock::now() + limit;
        while (!condition()) {
            if (Clock::now() > deadline) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }

    static std::chrono::milliseconds Since(Clock::time_point start) {
        return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
    }

    std::shared_ptr<sim::SimBus> bus_ = std::make_shared<sim::SimBus>();
    std::shared_ptr<sim::MouseFirmware> mouse_;
    std::shared_ptr<RecordingFirmware> recorder_;
    std::shared_ptr<sim::SimDevice> device_;
    std::shared_ptr<CapturingDebugSink> log_;
    std::unique_ptr<CommandChannel> channel_;
};

// A mouse whose key table (3 x 171 bytes) and key light map hold a whole 512-byte block.
inline sim::MouseOptions LargeTableMouse() {
    sim::MouseOptions options;
    options.keySlots = 171;
    return options;
}

}  // namespace orvane::test
