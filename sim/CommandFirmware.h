#pragma once
// The 64-byte vendor command protocol as a device sees it: checks each request (report id 4,
// checksum of bytes 3..63, payload length <= 56), dispatches it to the model's memories and
// answers with one 64-byte reply (command id echoed in byte 3, status in byte 7, payload from
// byte 8). Status 0 on success, 0xFF for a bad checksum or length, 0xFE for an address out of
// range. Models (mouse, pad, ...) derive from it and implement the memories.
//
// Faults can be injected at any time from any thread; each counter applies to the next N
// command reports and counts down.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <span>

#include "sim/SimDevice.h"

namespace orvane::sim {

inline constexpr size_t kCommandReportBytes = 64;
inline constexpr size_t kCommandPayloadBytes = 56;
inline constexpr uint8_t kStatusOk = 0x00;
inline constexpr uint8_t kStatusBadRequest = 0xFF;
inline constexpr uint8_t kStatusOutOfRange = 0xFE;

struct CommandFaults {
    int silentReports = 0;          // no reply at all (-1: never answer again)
    int errorStatusReports = 0;     // reply with `errorStatus` instead of the real status
    uint8_t errorStatus = kStatusBadRequest;
    int wrongIdReplies = 0;         // reply with a command id that is not the request's
    int strayReports = 0;           // send an unrelated extra report before the reply
    int garbageReplies = 0;         // reply with random bytes (report id kept)
    int unplugAfterReports = -1;    // drop off the bus after answering this many more reports
    std::chrono::milliseconds latency{0};  // delay of every reply
};

class CommandFirmware : public SimFirmware {
public:
    void HandleOutputReport(size_t interfaceIndex, std::span<const uint8_t> report, SimPort& port) final;

    void SetFaults(const CommandFaults& faults);
    CommandFaults Faults() const;
    // How many command reports the device has received (valid or not).
    uint64_t ReportsReceived() const { return reportsReceived_.load(); }

protected:
    // The interface carrying command reports, and the one carrying event reports (or -1).
    virtual size_t CommandInterfaceIndex() const = 0;
    // Executes one checked command. `payload` holds the request's 56 payload bytes and receives
    // the reply's. Returns the reply status.
    virtual uint8_t Execute(uint8_t command, uint16_t address, uint8_t length, std::span<uint8_t> payload,
                            SimPort& port) = 0;

private:
    mutable std::mutex faultMutex_;
    CommandFaults faults_;
    std::atomic<uint64_t> reportsReceived_{0};
};

}  // namespace orvane::sim
