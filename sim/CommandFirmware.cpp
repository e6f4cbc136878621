#include "sim/CommandFirmware.h"

#include <algorithm>
#include <array>

namespace orvane::sim {
namespace {

// Counts one report against a fault counter: true when the fault applies to it.
bool CountDown(int& counter) {
    if (counter < 0) return true;  // for ever
    if (counter == 0) return false;
    --counter;
    return true;
}

void PutChecksum(std::span<uint8_t, kCommandReportBytes> report) {
    const uint16_t sum = CommandChecksum(report);
    report[kChecksumLowByte] = static_cast<uint8_t>(sum & 0xFF);
    report[kChecksumHighByte] = static_cast<uint8_t>(sum >> 8);
}

}  // namespace

uint16_t CommandChecksum(std::span<const uint8_t, kCommandReportBytes> report) {
    unsigned sum = 0;
    for (size_t i = kCommandIdByte; i < kCommandReportBytes; ++i) sum += report[i];
    return static_cast<uint16_t>(sum);
}

uint8_t ReadMemoryInto(std::span<const uint8_t> memory, uint16_t address, uint8_t length, std::span<uint8_t> payload) {
    if (address + size_t{length} > memory.size() || length > payload.size()) return kStatusOutOfRange;
    std::fill(payload.begin(), payload.end(), 0);
    std::copy_n(memory.begin() + address, length, payload.begin());
    return kStatusOk;
}

void CommandFirmware::SetFaults(const CommandFaults& faults) {
    std::lock_guard lock(faultMutex_);
    faults_ = faults;
}

CommandFaults CommandFirmware::Faults() const {
    std::lock_guard lock(faultMutex_);
    return faults_;
}

CommandFirmware::FaultPlan CommandFirmware::TakeFaultPlan() {
    std::lock_guard lock(faultMutex_);
    FaultPlan plan;
    if (faults_.unplugAfterReports == 0) {
        faults_.unplugAfterReports = -1;
        plan.unplug = true;
    } else if (faults_.unplugAfterReports > 0) {
        --faults_.unplugAfterReports;
    }
    plan.silent = CountDown(faults_.silentReports);
    plan.errorStatus = CountDown(faults_.errorStatusReports);
    plan.status = faults_.errorStatus;
    plan.wrongId = CountDown(faults_.wrongIdReplies);
    plan.stray = CountDown(faults_.strayReports);
    plan.garbage = CountDown(faults_.garbageReplies);
    plan.latency = std::max(faults_.latency, std::chrono::milliseconds(0));
    return plan;
}

std::vector<uint8_t> CommandFirmware::Reply(std::span<const uint8_t> request, uint8_t status,
                                            std::span<const uint8_t> payload) {
    std::vector<uint8_t> reply(kCommandReportBytes, 0);
    reply[kReportIdByte] = kCommandReportId;
    for (size_t i = kCommandIdByte; i < kPayloadByte && i < request.size(); ++i) reply[i] = request[i];
    reply[kStatusByte] = status;
    if (status != kStatusBadRequest && status != kStatusOutOfRange)
        std::copy_n(payload.begin(), std::min(payload.size(), kCommandPayloadBytes), reply.begin() + kPayloadByte);
    PutChecksum(std::span<uint8_t, kCommandReportBytes>(reply.data(), kCommandReportBytes));
    return reply;
}

void CommandFirmware::HandleOutputReport(size_t interfaceIndex, std::span<const uint8_t> report, SimPort& port) {
    if (TakeOwnReport(interfaceIndex, report)) return;
    const size_t commandInterface = CommandInterfaceIndex();
    if (interfaceIndex != commandInterface) return;
    ++reportsReceived_;
    const FaultPlan plan = TakeFaultPlan();
    if (plan.unplug) {
        port.Unplug();
        return;
    }
    if (report.empty() || report[kReportIdByte] != kCommandReportId) return;

    const uint8_t command = report.size() > kCommandIdByte ? report[kCommandIdByte] : 0;
    const auto delay = baseLatency_ + plan.latency;
    if (plan.stray) {
        std::array<uint8_t, kCommandReportBytes> stray{};
        stray[kReportIdByte] = kCommandReportId;
        stray[kCommandIdByte] = static_cast<uint8_t>(command ^ 0x40);
        PutChecksum(stray);
        port.SendInputReport(commandInterface, std::vector<uint8_t>(stray.begin(), stray.end()), delay);
    }
    if (plan.silent) return;

    std::array<uint8_t, kCommandPayloadBytes> payload{};
    uint8_t status = kStatusBadRequest;
    if (report.size() == kCommandReportBytes) {
        const auto full = std::span<const uint8_t, kCommandReportBytes>(report.data(), kCommandReportBytes);
        const uint16_t expected = static_cast<uint16_t>(full[kChecksumLowByte] | (full[kChecksumHighByte] << 8));
        const uint8_t length = full[kLengthByte];
        const uint16_t address = static_cast<uint16_t>(full[kAddressLowByte] | (full[kAddressHighByte] << 8));
        if (plan.errorStatus) {
            status = plan.status;
        } else if (CommandChecksum(full) == expected && length <= kCommandPayloadBytes) {
            std::copy_n(full.begin() + kPayloadByte, kCommandPayloadBytes, payload.begin());
            status = Execute(command, address, length, payload, port);
        }
    }

    std::vector<uint8_t> reply = Reply(report, status, payload);
    if (plan.garbage) {
        std::lock_guard lock(faultMutex_);
        for (size_t i = 1; i < reply.size(); ++i) reply[i] = static_cast<uint8_t>(garbage_() >> 7);
    }
    if (plan.wrongId) reply[kCommandIdByte] = static_cast<uint8_t>(command ^ 0x80);
    // Garbage that happens to echo the request's id would be a valid-looking reply.
    if (plan.garbage && reply[kCommandIdByte] == command) reply[kCommandIdByte] ^= 0x80;
    port.SendInputReport(commandInterface, std::move(reply), delay);
}

}  // namespace orvane::sim
