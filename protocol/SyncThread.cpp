#include "protocol/SyncThread.h"

#include <vector>

#include "platform/DebugLog.h"

namespace orvane {
namespace {

// The first usage of the first entry the report filled; 0 when it filled none.
uint16_t FirstUsage(std::vector<HidDataEntry> entries, std::span<const uint8_t> report,
                    const hid::Collection& layout) {
    if (!HidDeviceHandle::UnpackReport(entries, report, hid::ReportType::Input, layout)) return 0;
    for (const HidDataEntry& entry : entries) {
        if (!entry.isSet) continue;
        if (entry.isButton) return entry.usages.empty() ? 0 : entry.usages.front();
        return entry.usage;
    }
    return 0;
}

}  // namespace

SyncThread::SyncThread(std::shared_ptr<CommandChannel> channel, std::function<void()> onProfileSwitch,
                       std::function<void(uint16_t)> onUsage)
    : channel_(std::move(channel)), onProfileSwitch_(std::move(onProfileSwitch)), onUsage_(std::move(onUsage)) {}

SyncThread::~SyncThread() { Stop(); }

bool SyncThread::Start() {
    Stop();
    std::shared_ptr<const hid::Collection> layout = channel_->Handle().PreparsedData();
    if (!channel_->IsOpen() || !layout) return false;
    const size_t reportBytes = std::max<size_t>(channel_->Handle().Capabilities().inputReportByteLength, 1);
    thread_.Start([channel = channel_, onSwitch = onProfileSwitch_, onUsage = onUsage_, layout, reportBytes,
                   entries = channel_->Handle().DataEntries(hid::ReportType::Input)](const StopSignal& stop) {
        std::vector<uint8_t> report(reportBytes);
        for (;;) {
            if (stop.WaitFor(kTurnWait)) break;
            uint32_t length = 0;
            if (!channel->ReadInputReport(report, length, HidDeviceHandle::kInfinite) || length == 0) {
                stop.WaitFor(kIdleWait);
                continue;
            }
            DebugLog("接收到自动添加设备的同步信息要求  TEST");
            const uint16_t usage = FirstUsage(entries, std::span(report).first(length), *layout);
            if (usage != kProfileSwitchUsage) {
                if (usage != 0 && onUsage) onUsage(usage);
                continue;
            }
            DebugLog("接收到自动添加设备的同步信息要求");
            onSwitch();
        }
        DebugLog("MS设备同步线程设定退出");
    });
    return true;
}

WorkerThread::StopOutcome SyncThread::Stop(std::chrono::milliseconds wait) {
    return thread_.StopAndLog(wait);
}

}  // namespace orvane
