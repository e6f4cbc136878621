#include "protocol/CommandChannel.h"

#include <algorithm>
#include <chrono>
#include <limits>
#include <thread>

#include "platform/DebugLog.h"

namespace orvane {
namespace {

using Reply = std::array<uint8_t, kCommandReportSize>;

// A report the device answered is a success unless its status says otherwise.
int MapReplyStatus(int result, const Reply& reply) {
    if (result != kResultSuccess) return result;
    switch (reply[CommandReport::kStatusOffset]) {
    case kReplyStatusError:
        return kResultStatusError;
    case kReplyStatusRejected:
        return kResultStatusRejected;
    default:
        return kResultSuccess;
    }
}

// HID reads and writes take 32-bit counts; a larger caller buffer is simply not filled past that.
uint32_t ClampCount(size_t size) {
    return static_cast<uint32_t>(std::min<size_t>(size, std::numeric_limits<uint32_t>::max()));
}

}  // namespace

CommandChannel::CommandChannel() = default;

CommandChannel::CommandChannel(std::shared_ptr<HidBackend> backend) : handle(std::move(backend)) {}

CommandChannel::~CommandChannel() { openFlag.store(false); }

bool CommandChannel::Open(std::string_view path, bool slowLink) {
    std::lock_guard lock(ioLock);
    if (!handle.Open(path, true, true, true, false)) {
        // Reopening closed the previous connection, so the channel is closed now either way.
        openFlag.store(false);
        return false;
    }
    slowLinkFlag.store(slowLink);
    openFlag.store(true);
    return true;
}

void CommandChannel::Close() {
    openFlag.store(false);
    handle.Close();
}

bool CommandChannel::ReadInputReport(std::span<uint8_t> buffer, uint32_t& bytesRead, uint32_t timeoutMs) {
    bytesRead = 0;
    if (!openFlag.load()) return false;
    std::lock_guard lock(ioLock);
    return handle.Read(ClampCount(buffer.size()), bytesRead, buffer.data(), timeoutMs);
}

int CommandChannel::WriteReport(const CommandReport& request, uint32_t timeoutMs) {
    uint32_t written = 0;
    std::lock_guard lock(ioLock);
    const auto bytes = request.Bytes();
    return handle.Write(kCommandReportSize, written, bytes.data(), timeoutMs) ? kResultSuccess : kResultWriteFailed;
}

int CommandChannel::ReadReply(uint8_t commandId, bool matchId, std::span<uint8_t> reply, uint32_t& bytesRead,
                              uint32_t timeoutMs) {
    std::lock_guard lock(ioLock);
    const int reads = matchId ? 2 : 1;
    bool ok = false;
    for (int i = 0; i < reads; ++i) {
        ok = handle.Read(ClampCount(reply.size()), bytesRead, reply.data(), timeoutMs);
        // Anything but a reply echoing the command id, a timed-out read included, earns the
        // second read; a reply too short to carry an id never matches.
        if (ok && bytesRead > CommandReport::kCommandIdOffset && reply[CommandReport::kCommandIdOffset] == commandId)
            break;
    }
    return ok ? kResultSuccess : kResultClosedOrReadFailed;
}

int CommandChannel::Exchange(std::span<const uint8_t> request, std::span<uint8_t> reply, uint32_t& bytesRead) {
    exchangeBusy.store(1);
    bytesRead = 0;
    int result = kResultClosedOrReadFailed;
    if (openFlag.load()) {
        const CommandReport report = CommandReport::FromBytes(request);
        LogReport("命令", report.Bytes());
        const uint32_t timeoutMs = TimeoutMs();
        result = WriteReport(report, timeoutMs);
        if (result == kResultSuccess) {
            result = ReadReply(report.CommandId(), true, reply, bytesRead, timeoutMs);
            // The log shows 64 bytes whatever the caller's buffer holds; a longer one is cut,
            // a shorter one padded with zeros.
            Reply shown{};
            std::copy_n(reply.begin(), std::min(reply.size(), shown.size()), shown.begin());
            LogReport("返回", shown);
        }
    }
    exchangeBusy.store(0);
    return result;
}

int CommandChannel::ExchangeRaw(std::span<const uint8_t> request, std::span<uint8_t> reply, uint32_t& bytesRead) {
    bytesRead = 0;
    if (!openFlag.load()) return kResultClosedOrReadFailed;
    const CommandReport report = CommandReport::FromBytes(request);
    if (WriteReport(report, kTimeoutMs) != kResultSuccess) return kResultWriteFailed;
    return ReadReply(report.CommandId(), false, reply, bytesRead, kTimeoutMs);
}

int CommandChannel::SendCommandReport(const CommandReport& request, Reply& reply) {
    reply.fill(0);
    uint32_t bytesRead = 0;
    int result;
    {
        std::lock_guard lock(commandLock);
        result = Exchange(request.Bytes(), reply, bytesRead);
    }
    result = MapReplyStatus(result, reply);
    RecordOutcome(request.CommandId(), result);
    return result;
}

void CommandChannel::RecordOutcome(uint8_t commandId, int result) {
    CommandFailureDetail detail{commandId, ExchangeFailure::kNone, 0};
    if (result == kResultStatusError) {
        detail.kind = ExchangeFailure::kStatusError;
    } else if (result == kResultStatusRejected) {
        detail.kind = ExchangeFailure::kStatusRejected;
    } else if (result != kResultSuccess) {
        // The handle keeps the unplug seen by the failed read or write until it is closed.
        if (handle.Unplugged()) {
            detail.kind = ExchangeFailure::kUnplugged;
        } else if (!openFlag.load()) {
            detail.kind = ExchangeFailure::kClosed;
        } else {
            detail.kind = result == kResultWriteFailed ? ExchangeFailure::kNotSent : ExchangeFailure::kNoReply;
            detail.timeoutMs = TimeoutMs();
        }
    }
    std::lock_guard lock(failureLock);
    lastFailure = detail;
}

CommandFailureDetail CommandChannel::LastFailureDetail() const {
    std::lock_guard lock(failureLock);
    return lastFailure;
}

int CommandChannel::SendLightReport(const CommandReport& request, Reply& reply) {
    // Light frames never queue behind commands: a frame that would have to wait is dropped.
    if (exchangeBusy.load() != 0) {
        DebugLog("放弃灯光数据");
        return kResultSuccess;
    }
    if (slowLinkFlag.load()) return kResultSuccess;
    reply.fill(0);
    uint32_t bytesRead = 0;
    int result;
    {
        std::lock_guard lock(lightLock);
        result = ExchangeRaw(request.Bytes(), reply, bytesRead);
    }
    return MapReplyStatus(result, reply);
}

int CommandChannel::Transfer(uint8_t command, size_t total, uint32_t address, std::span<const uint8_t> source,
                             std::span<uint8_t> sink, ReportSender send) {
    // Guards the callers' promise; the public methods check their buffers before coming here.
    if ((!source.empty() && source.size() < total) || (!sink.empty() && sink.size() < total)) {
        return kResultClosedOrReadFailed;
    }
    // Cleared once per command: payload bytes past a short last chunk keep the previous
    // chunk's bytes, and the checksum covers them as they are.
    CommandReport report(command);
    Reply reply{};
    for (size_t position = 0; position < total; position += chunkSize) {
        const size_t length = position + chunkSize < total ? chunkSize : total - position;
        report.SetLength(static_cast<uint8_t>(length));
        report.SetAddress(static_cast<uint32_t>(address + position));
        if (!source.empty()) report.SetPayload(source.subspan(position, length));
        report.StoreChecksum();
        const int result = (this->*send)(report, reply);
        if (result != kResultSuccess) return result;
        if (!sink.empty()) {
            std::copy_n(reply.begin() + CommandReport::kPayloadOffset, length, sink.begin() + position);
        }
    }
    return kResultSuccess;
}

int CommandChannel::BeginTransfer() {
    CommandReport report(kBeginTransfer);
    report.StoreChecksum();
    Reply reply{};
    return SendCommandReport(report, reply);
}

int CommandChannel::EndTransfer() {
    // A short pause after the group's last write before the device is told the group ended.
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    CommandReport report(kEndTransfer);
    report.StoreChecksum();
    Reply reply{};
    return SendCommandReport(report, reply);
}

int CommandChannel::ReadDeviceInfo(DeviceInfoRecord& info) {
    DeviceInfoRecord scratch;
    const int result = Transfer(kReadDeviceInfo, scratch.bytes.size(), 0, {}, scratch.bytes);
    if (result == kResultSuccess) info = scratch;
    return result;
}

int CommandChannel::ReadParameters(std::span<uint8_t> buffer, uint16_t address) {
    return Transfer(kReadParameters, buffer.size(), address, {}, buffer);
}

int CommandChannel::WriteParameters(std::span<const uint8_t> data, uint16_t address) {
    return Transfer(kWriteParameters, data.size(), address, data, {});
}

int CommandChannel::ReadKeyTable(std::span<uint8_t> buffer) {
    const size_t total = blockSize.load();
    // A buffer shorter than the table would be overrun by the last chunks: refuse, send nothing.
    if (buffer.size() < total) return kResultClosedOrReadFailed;
    return Transfer(kReadKeyTable, total, 0, {}, buffer.first(total));
}

int CommandChannel::WriteKeyTable(std::span<const uint8_t> table, uint32_t tableIndex) {
    if (tableIndex != 0) return kResultBadTableIndex;
    const size_t total = blockSize.load();
    // Reading past a short table would send whatever follows it: refuse, send nothing.
    if (table.size() < total) return kResultClosedOrReadFailed;
    return Transfer(kWriteKeyTable, total, tableIndex * kKeyTableStride, table.first(total), {});
}

int CommandChannel::WriteRecord(std::span<const uint8_t> data, uint16_t address) {
    // A record is one report; more would not fit its payload.
    if (data.size() > kCommandPayloadSize) return kResultClosedOrReadFailed;
    CommandReport report(kWriteRecord);
    report.SetLength(static_cast<uint8_t>(data.size()));
    report.SetAddress(address);
    report.SetPayload(data);
    report.StoreChecksum();
    Reply reply{};
    return SendCommandReport(report, reply);
}

int CommandChannel::StreamLightData(std::span<const uint8_t> frame) {
    return Transfer(kStreamLightData, frame.size(), 0, frame, {}, &CommandChannel::SendLightReport);
}

int CommandChannel::WriteOutputReport(std::span<const uint8_t> report) {
    if (report.empty() || report.size() > kCommandReportSize) return kResultWriteFailed;
    uint32_t written = 0;
    std::lock_guard light(lightLock);
    std::lock_guard io(ioLock);
    return handle.Write(static_cast<uint32_t>(report.size()), written, report.data(), TimeoutMs()) ? kResultSuccess
                                                                                                   : kResultWriteFailed;
}

int CommandChannel::WriteMacroData(std::span<const uint8_t> image) {
    return Transfer(kWriteMacroData, image.size(), 0, image, {});
}

int CommandChannel::ReadRecord(std::span<uint8_t> output, uint16_t address) {
    // A record is one report; a longer output could not be filled from its payload.
    if (output.size() > kCommandPayloadSize) return kResultClosedOrReadFailed;
    CommandReport report(kReadRecord);
    report.SetLength(static_cast<uint8_t>(output.size()));
    report.SetAddress(address);
    report.StoreChecksum();
    Reply reply{};
    const int result = SendCommandReport(report, reply);
    if (result == kResultSuccess) {
        std::copy_n(reply.begin() + CommandReport::kPayloadOffset, output.size(), output.begin());
    }
    return result;
}

int CommandChannel::ReadKeyLightMap(std::span<uint8_t> buffer) {
    const size_t total = blockSize.load() / 3;
    // As ReadKeyTable: a buffer shorter than the map is refused before any I/O.
    if (buffer.size() < total) return kResultClosedOrReadFailed;
    return Transfer(kReadKeyLightMap, total, 0, {}, buffer.first(total));
}

bool CommandChannel::QueryOnline() {
    CommandReport report(kQueryOnline);
    report.StoreChecksum();
    Reply reply{};
    return SendCommandReport(report, reply) == kResultSuccess && reply[CommandReport::kPayloadOffset] == 0xFF;
}

bool CommandChannel::SetBlockSize(uint32_t size) {
    if (size > kMaxBlockSize) return false;
    blockSize.store(static_cast<uint16_t>(size));
    return true;
}

}  // namespace orvane
