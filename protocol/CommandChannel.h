#pragma once
// The command transport of one device: frames each command into 64-byte reports, sends them
// one at a time over the device's command interface and waits for each matching reply.
// Synchronous and blocking; it knows nothing of what the bytes mean.
//
// Results of the command methods: 1 success; 0 channel closed, reply read failed or timed out
// (or a caller buffer too small for what the command moves); -1 write failed; -102 / -103 the
// device answered with status 0xFF / 0xFE; -201 key-table index other than 0.
//
// Locks: a command method holds commandLock around each report exchange (not the whole
// command), StreamLightData holds lightLock instead; ioLock is taken after either, around one
// write or around the read(s) of one exchange, and never while taking another lock.

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string_view>

#include "device/HidDeviceHandle.h"
#include "protocol/CommandReport.h"

namespace orvane {

inline constexpr int kResultSuccess = 1;
inline constexpr int kResultClosedOrReadFailed = 0;
inline constexpr int kResultWriteFailed = -1;
inline constexpr int kResultStatusError = -102;
inline constexpr int kResultStatusRejected = -103;
inline constexpr int kResultBadTableIndex = -201;

// What lay behind the last failed report of a command, which its result code alone does not
// tell: result 0 may be a closed channel, a reply that never came or an unplug.
enum class ExchangeFailure : uint8_t {
    kNone,            // the report succeeded
    kClosed,          // the channel was not open (or was closed meanwhile)
    kNotSent,         // the write did not complete within the time-out
    kNoReply,         // no reply within the time-out (after the second read)
    kUnplugged,       // the device went away during the exchange
    kStatusError,     // reply status 0xFF
    kStatusRejected,  // reply status 0xFE
};

struct CommandFailureDetail {
    uint8_t commandId = 0;
    ExchangeFailure kind = ExchangeFailure::kNone;
    uint32_t timeoutMs = 0;  // the wait that ran out, for kNotSent and kNoReply
};

// Payload of command 0x03. Only bytes 5 and 6 are interpreted; the rest is carried as is.
struct DeviceInfoRecord {
    static constexpr size_t kKeySlotsOffset = 5;
    static constexpr size_t kMacroUnitsOffset = 6;

    std::array<uint8_t, 34> bytes{};

    // N: the key table holds 3 x N bytes.
    uint8_t KeySlots() const { return bytes[kKeySlotsOffset]; }
    // Macro memory size in units of 128 bytes.
    uint8_t MacroUnits() const { return bytes[kMacroUnitsOffset]; }
};
static_assert(sizeof(DeviceInfoRecord) == 34);

class CommandChannel {
public:
    static constexpr uint16_t kMaxBlockSize = 512;
    static constexpr uint8_t kChunkSize = 56;
    static constexpr uint32_t kTimeoutMs = 1000;
    static constexpr uint32_t kSlowLinkTimeoutMs = 5000;
    static constexpr uint32_t kKeyTableStride = 512;  // address step between key tables

    enum Command : uint8_t {
        kBeginTransfer = 0x01,
        kEndTransfer = 0x02,
        kReadDeviceInfo = 0x03,
        kReadParameters = 0x05,
        kWriteParameters = 0x06,
        kReadKeyTable = 0x07,
        kWriteKeyTable = 0x09,
        kWriteRecord = 0x0B,
        kStreamLightData = 0x12,
        kWriteMacroData = 0x15,
        kReadRecord = 0x1A,
        kReadKeyLightMap = 0x1B,
        kQueryOnline = 0xAA,
    };

    CommandChannel();  // HID handle on the active backend
    explicit CommandChannel(std::shared_ptr<HidBackend> backend);
    ~CommandChannel();
    CommandChannel(const CommandChannel&) = delete;
    CommandChannel& operator=(const CommandChannel&) = delete;

    // --- Opening and closing (discovery) ---
    // Opens the handle on `path` (read and write, shared) under ioLock; on success raises the
    // open flag and sets the slow-link flag. A channel that is already open is reopened.
    bool Open(std::string_view path, bool slowLink);
    // Clears the open flag, then closes the handle without taking any lock, so that an exchange
    // waiting for a reply is woken at once instead of holding up the caller.
    void Close();
    bool IsOpen() const { return openFlag.load(); }
    bool SlowLink() const { return slowLinkFlag.load(); }
    void SetSlowLink(bool on) { slowLinkFlag.store(on); }

    // --- State the pages share ---
    uint16_t BlockSize() const { return blockSize.load(); }
    uint8_t ChunkSize() const { return chunkSize; }
    bool ExchangeBusy() const { return exchangeBusy.load() != 0; }
    bool SyncLighting() const { return syncLighting.load(); }
    void SetSyncLighting(bool on) { syncLighting.store(on); }

    // A second channel on a device's event interface only reads input reports: one report under
    // ioLock (kInfinite waits until a report comes or Close wakes it). False when not open.
    bool ReadInputReport(std::span<uint8_t> buffer, uint32_t& bytesRead, uint32_t timeoutMs);
    // For decoding input reports (capabilities, preparsed data).
    HidDeviceHandle& Handle() { return handle; }

    // --- Core exchanges (used by the command methods) ---
    // Sends `request` as one report (zero-padded or truncated to 64 bytes), then reads up to
    // two replies until one echoes the command id; the last reply read is left in `reply`.
    // 1 when the last read succeeded, 0 when closed or the read failed, -1 when the write failed.
    int Exchange(std::span<const uint8_t> request, std::span<uint8_t> reply, uint32_t& bytesRead);
    // As Exchange, without the busy flag, logging or id match: one read, always 1000 ms.
    int ExchangeRaw(std::span<const uint8_t> request, std::span<uint8_t> reply, uint32_t& bytesRead);

    // --- Command methods ---
    int BeginTransfer();
    int EndTransfer();  // sleeps 10 ms first
    // `info` is written only when the whole command succeeded.
    int ReadDeviceInfo(DeviceInfoRecord& info);
    int ReadParameters(std::span<uint8_t> buffer, uint16_t address);
    int WriteParameters(std::span<const uint8_t> data, uint16_t address);
    // The key table is BlockSize() bytes; a buffer shorter than that gives 0 without I/O.
    int ReadKeyTable(std::span<uint8_t> buffer);
    int WriteKeyTable(std::span<const uint8_t> table, uint32_t tableIndex);
    // One report; more than 56 bytes gives 0 without I/O.
    int WriteRecord(std::span<const uint8_t> data, uint16_t address);
    // Chunks are dropped (and count as sent) while an exchange is in progress or in slow-link mode.
    int StreamLightData(std::span<const uint8_t> frame);
    int WriteMacroData(std::span<const uint8_t> image);
    // One report; more than 56 bytes gives 0 without I/O.
    int ReadRecord(std::span<uint8_t> output, uint16_t address);
    // BlockSize() / 3 bytes; a buffer shorter than that gives 0 without I/O.
    int ReadKeyLightMap(std::span<uint8_t> buffer);
    // One output report in the device's own framing (the headset's light reports), written as
    // it is under lightLock, no reply read. 1, or -1 when the write failed or the report is
    // empty or longer than a command report.
    int WriteOutputReport(std::span<const uint8_t> report);
    // True only when the device answers with payload byte 0 = 0xFF and a success status.
    bool QueryOnline();
    // 0..512 is stored; anything above is refused and leaves the block size as it was.
    bool SetBlockSize(uint32_t size);

    // The last command report's outcome (kNone when it succeeded): which command, and whether
    // it failed by time-out, unplug, closed channel or error status. Light frames do not count.
    CommandFailureDetail LastFailureDetail() const;

private:
    using Reply = std::array<uint8_t, kCommandReportSize>;
    using ReportSender = int (CommandChannel::*)(const CommandReport&, Reply&);

    // One report of a command under commandLock, its result mapped through the reply status.
    int SendCommandReport(const CommandReport& request, Reply& reply);
    // One light report: dropped while busy or on a slow link, else ExchangeRaw under lightLock.
    int SendLightReport(const CommandReport& request, Reply& reply);
    // The chunking shared by every multi-report command: `source` (writes) and `sink` (reads)
    // hold at least `total` bytes; report i carries bytes [56 i, 56 i + 56) at address + 56 i.
    int Transfer(uint8_t command, size_t total, uint32_t address, std::span<const uint8_t> source,
                 std::span<uint8_t> sink, ReportSender send);
    int Transfer(uint8_t command, size_t total, uint32_t address, std::span<const uint8_t> source,
                 std::span<uint8_t> sink) {
        return Transfer(command, total, address, source, sink, &CommandChannel::SendCommandReport);
    }
    // One write under ioLock: 1, or -1 when it failed or timed out.
    int WriteReport(const CommandReport& request, uint32_t timeoutMs);
    // The read(s) of one exchange under ioLock: with `matchId` a reply that does not echo the
    // request's command id is followed by one more read. 1 when the last read succeeded, else 0.
    int ReadReply(uint8_t commandId, bool matchId, std::span<uint8_t> reply, uint32_t& bytesRead,
                  uint32_t timeoutMs);
    uint32_t TimeoutMs() const { return slowLinkFlag.load() ? kSlowLinkTimeoutMs : kTimeoutMs; }
    // Notes what lay behind `result` (already mapped through the reply status).
    void RecordOutcome(uint8_t commandId, int result);

    // Fields in the order the channel has always laid them out.
    std::atomic<uint16_t> blockSize{kMaxBlockSize};
    std::atomic<uint8_t> exchangeBusy{0};  // read by StreamLightData without a lock
    std::atomic<bool> openFlag{false};
    std::atomic<bool> syncLighting{false};
    HidDeviceHandle handle;
    std::mutex ioLock;
    std::mutex commandLock;
    std::mutex lightLock;
    std::atomic<bool> slowLinkFlag{false};
    const uint8_t chunkSize = kChunkSize;
    mutable std::mutex failureLock;  // guards lastFailure only; no other lock is taken under it
    CommandFailureDetail lastFailure;
};

}  // namespace orvane
