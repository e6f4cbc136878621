#pragma once
// One opened HID interface (one top-level collection of a device), with its capabilities,
// report I/O with a timeout and a cancel signal, and report decoding into usages and values.
//
// Reads and writes wait with poll() on the device fd together with an eventfd that is the
// cancel signal; data is moved only after poll() says it is ready, so a request that timed
// out or was cancelled can never complete into the caller's buffer later. Close() or
// Reopen() from another thread wakes a waiting Read/Write at once; the fd stays valid until
// that call has returned.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "device/HidBackend.h"
#include "device/HidReportDescriptor.h"

namespace orvane {

struct HidAttributes {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t versionNumber = 0;
};

// One button capability or one value usage of a report type, with its last decoded content.
struct HidDataEntry {
    bool isButton = false;
    uint16_t usagePage = 0;
    uint32_t status = hid::kStatusSuccess;
    uint32_t reportId = 0;
    bool isSet = false;
    // button entry
    uint32_t usageMin = 0;
    uint32_t usageMax = 0;
    uint32_t usageCapacity = 0;
    std::vector<uint16_t> usages;  // usageCapacity entries; kept usages first, then a 0 when room
    // value entry
    uint16_t usage = 0;
    uint32_t value = 0;
    int32_t scaledValue = 0;
};

class HidDeviceHandle {
public:
    static constexpr uint32_t kInfinite = 0xFFFFFFFFu;

    HidDeviceHandle();  // on the active backend
    explicit HidDeviceHandle(std::shared_ptr<HidBackend> backend);
    ~HidDeviceHandle();
    HidDeviceHandle(const HidDeviceHandle&) = delete;
    HidDeviceHandle& operator=(const HidDeviceHandle&) = delete;

    // Path list: one path per top-level collection of every present node.
    bool EnumeratePaths();
    std::optional<std::string> NextPath();
    void FreePaths();
    uint32_t PathCount() const { return static_cast<uint32_t>(paths_.size()); }

    // Opening with neither read nor write access only queries the interface (presence and
    // capabilities). Exclusive and overlapped are recorded; hidraw has no share modes and all
    // I/O is poll-based. A path longer than kMaxDevicePathLength is refused.
    bool Open(std::string_view path, bool read, bool write, bool overlapped, bool exclusive);
    bool Reopen();
    void Close();
    bool IsOpen() const;

    bool Read(uint32_t count, uint32_t& bytesRead, uint8_t* buffer, uint32_t timeoutMs);
    bool Write(uint32_t count, uint32_t& bytesWritten, const uint8_t* buffer, uint32_t timeoutMs);

    // Decodes one report (starting with its report-id byte) into the entries of that report id.
    static bool UnpackReport(std::vector<HidDataEntry>& entries, std::span<const uint8_t> report,
                             hid::ReportType type, const hid::Collection& preparsed);

    const std::string& DevicePath() const { return devicePath_; }
    const hid::Caps& Capabilities() const { return caps_; }
    const HidAttributes& Attributes() const { return attributes_; }
    // Shared so that a reader thread may keep decoding while another thread closes the handle.
    std::shared_ptr<const hid::Collection> PreparsedData() const { return preparsed_; }
    std::vector<HidDataEntry>& DataEntries(hid::ReportType type) { return entries_[Index(type)]; }
    std::vector<uint8_t>& ReportBuffer(hid::ReportType type) { return reportBuffers_[Index(type)]; }
    // errno of the last failed open (EACCES, ENODEV, ...), 0 after a successful one.
    int LastOpenError() const { return lastOpenError_; }
    // True after a Read/Write saw the device go away (POLLHUP/POLLERR, ENODEV).
    bool Unplugged() const;

private:
    struct Connection;
    static size_t Index(hid::ReportType type) { return static_cast<size_t>(type); }
    std::shared_ptr<Connection> CurrentConnection() const;
    void FreeCapabilities();

    std::shared_ptr<HidBackend> backend_;
    std::vector<std::string> paths_;
    uint32_t cursor_ = 0;

    bool readAccess_ = false;
    bool writeAccess_ = false;
    bool overlapped_ = false;
    bool exclusive_ = false;
    std::string devicePath_;

    mutable std::mutex connectionMutex_;  // guards only the connection pointer swap
    std::shared_ptr<Connection> connection_;

    std::shared_ptr<const hid::Collection> preparsed_;
    hid::Caps caps_;
    HidAttributes attributes_;
    std::vector<uint8_t> reportBuffers_[hid::kReportTypeCount];
    std::vector<HidDataEntry> entries_[hid::kReportTypeCount];
    int lastOpenError_ = 0;
};

}  // namespace orvane
