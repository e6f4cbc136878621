#pragma once
// The 64-byte vendor command protocol as a device sees it: checks each request (report id 4,
// checksum of bytes 3..63, payload length <= 56), dispatches it to the model's memories and
// answers with one 64-byte reply (command id echoed in byte 3, length in byte 4, address in
// bytes 5-6, status in byte 7, payload from byte 8). Status 0 on success, 0xFF for a bad
// checksum, length or unknown command, 0xFE for an address out of range. Models (mouse, pad,
// ...) derive from it and implement the memories.
//
// Output reports with another report id are not commands of this protocol and get no reply;
// a report id 4 of the wrong size is answered with 0xFF. A model that has output reports of its
// own (a light output) takes them before any of this, so they neither count nor meet a fault.
//
// Faults can be injected at any time from any thread. Each counter covers the next N reports
// written to the command interface and counts down on every such report, so several faults
// may hit one report. Faults on the request (silence, error status, unplug) keep the command
// from running; faults on the reply (wrong id, garbage, stray report, latency) let it run.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <random>
#include <span>
#include <vector>

#include "sim/SimDevice.h"

namespace orvane::sim {

inline constexpr size_t kCommandReportBytes = 64;
inline constexpr size_t kCommandPayloadBytes = 56;
inline constexpr uint8_t kCommandReportId = 4;
inline constexpr uint8_t kStatusOk = 0x00;
inline constexpr uint8_t kStatusBadRequest = 0xFF;
inline constexpr uint8_t kStatusOutOfRange = 0xFE;

// Byte positions of the command report (request and reply).
inline constexpr size_t kReportIdByte = 0;
inline constexpr size_t kChecksumLowByte = 1;
inline constexpr size_t kChecksumHighByte = 2;
inline constexpr size_t kCommandIdByte = 3;
inline constexpr size_t kLengthByte = 4;
inline constexpr size_t kAddressLowByte = 5;
inline constexpr size_t kAddressHighByte = 6;
inline constexpr size_t kStatusByte = 7;
inline constexpr size_t kPayloadByte = 8;
static_assert(kPayloadByte + kCommandPayloadBytes == kCommandReportBytes);

// Sum of bytes 3..63, the checksum both sides put in bytes 1-2.
uint16_t CommandChecksum(std::span<const uint8_t, kCommandReportBytes> report);

// Answers a read of [address, address + length) of `memory` into the reply payload: status 0,
// or 0xFE when the range does not lie within the memory.
uint8_t ReadMemoryInto(std::span<const uint8_t> memory, uint16_t address, uint8_t length, std::span<uint8_t> payload);

struct CommandFaults {
    int silentReports = 0;          // no reply at all (-1: never answer again)
    int errorStatusReports = 0;     // reply with `errorStatus` instead of running the command
    uint8_t errorStatus = kStatusBadRequest;
    int wrongIdReplies = 0;         // reply with command id (request id ^ 0x80)
    int strayReports = 0;           // send an extra report (command id = request id ^ 0x40) before the reply
    int garbageReplies = 0;         // reply with pseudo-random bytes (report id kept, never the request's id)
    // Drop off the bus when a report arrives after this many more were answered (0: at the
    // next report, which is then not answered); -1 never.
    int unplugAfterReports = -1;
    std::chrono::milliseconds latency{0};  // added to the delay of every reply
};

class CommandFirmware : public SimFirmware {
public:
    void HandleOutputReport(size_t interfaceIndex, std::span<const uint8_t> report, SimPort& port) final;

    void SetFaults(const CommandFaults& faults);
    CommandFaults Faults() const;
    // How many reports the device has received on its command interface (valid or not).
    uint64_t ReportsReceived() const { return reportsReceived_.load(); }

protected:
    // `baseLatency`: the model's own reply delay, before any injected latency.
    explicit CommandFirmware(std::chrono::milliseconds baseLatency = std::chrono::milliseconds(0))
        : baseLatency_(baseLatency) {}

    // The interface carrying command reports; reports written to other interfaces are ignored.
    virtual size_t CommandInterfaceIndex() const = 0;
    // Offered every output report first; true when it was the model's own (not a command).
    // Called on the device thread only.
    virtual bool TakeOwnReport(size_t, std::span<const uint8_t>) { return false; }
    // Executes one checked command. `payload` holds the request's 56 payload bytes and receives
    // the reply's. Returns the reply status. Called on the device thread only.
    virtual uint8_t Execute(uint8_t command, uint16_t address, uint8_t length, std::span<uint8_t> payload,
                            SimPort& port) = 0;

private:
    // What the faults make of one report, decided (and counted down) when it arrives.
    struct FaultPlan {
        bool unplug = false;
        bool silent = false;
        bool errorStatus = false;
        uint8_t status = kStatusOk;
        bool wrongId = false;
        bool stray = false;
        bool garbage = false;
        std::chrono::milliseconds latency{0};
    };
    FaultPlan TakeFaultPlan();
    std::vector<uint8_t> Reply(std::span<const uint8_t> request, uint8_t status, std::span<const uint8_t> payload);

    const std::chrono::milliseconds baseLatency_;
    mutable std::mutex faultMutex_;
    CommandFaults faults_;
    std::minstd_rand garbage_{0x51730};  // fixed seed: a failing fault test replays identically
    std::atomic<uint64_t> reportsReceived_{0};
};

}  // namespace orvane::sim
