#include "device/HidDeviceHandle.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include "device/HidPath.h"

namespace orvane {

struct HidDeviceHandle::Connection {
    int fd = -1;        // -1 for a query-only open
    int cancelFd = -1;  // eventfd: signalled once when the handle closes this connection
    bool canRead = false;
    bool canWrite = false;
    bool numbered = false;
    std::vector<uint8_t> reportIds;  // the collection's input report ids
    size_t readBufferBytes = 0;      // longest input report of the node, plus its id byte
    std::atomic<bool> gone{false};

    ~Connection() {
        if (fd >= 0) ::close(fd);
        if (cancelFd >= 0) ::close(cancelFd);
    }
    void Cancel() const {
        uint64_t one = 1;
        // An eventfd write only fails when the counter would overflow, which one signal cannot reach.
        [[maybe_unused]] ssize_t n = ::write(cancelFd, &one, sizeof one);
    }
};

namespace {

using Clock = std::chrono::steady_clock;

// Remaining poll timeout in ms for an absolute deadline; -1 waits forever.
int RemainingMs(bool infinite, Clock::time_point deadline) {
    if (infinite) return -1;
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left <= 0 ? 0 : static_cast<int>(std::min<long long>(left, 1 << 30));
}

enum class WaitResult { Ready, TimedOut, Cancelled, Unplugged, Failed };

// Waits for `events` on the device fd or the cancel signal, whichever comes first.
WaitResult WaitFor(int fd, int cancelFd, short events, bool infinite, Clock::time_point deadline) {
    for (;;) {
        pollfd fds[2] = {{fd, events, 0}, {cancelFd, POLLIN, 0}};
        int n = ::poll(fds, 2, RemainingMs(infinite, deadline));
        if (n < 0) {
            if (errno == EINTR) continue;
            return WaitResult::Failed;
        }
        if (n == 0) return WaitResult::TimedOut;
        if (fds[1].revents != 0) return WaitResult::Cancelled;
        if (fds[0].revents & events) return WaitResult::Ready;
        if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) return WaitResult::Unplugged;
    }
}

bool IsUnplugErrno(int e) { return e == ENODEV || e == EIO || e == EPIPE || e == ECONNRESET; }

}  // namespace

HidDeviceHandle::HidDeviceHandle() : HidDeviceHandle(ActiveHidBackend()) {}

HidDeviceHandle::HidDeviceHandle(std::shared_ptr<HidBackend> backend) : backend_(std::move(backend)) {}

HidDeviceHandle::~HidDeviceHandle() {
    Close();
    FreePaths();
}

bool HidDeviceHandle::EnumeratePaths() {
    cursor_ = 0;
    paths_.clear();
    std::vector<HidNodeInfo> nodes;
    if (!backend_ || !backend_->ListNodes(nodes)) return false;
    for (const auto& node : nodes) {
        auto collections = hid::ParseReportDescriptor(node.reportDescriptor);
        if (!collections || collections->empty()) continue;  // a node we cannot parse is no usable interface
        const size_t count = collections->size();
        for (size_t i = 0; i < count; ++i) {
            int number = count == 1 ? 0 : static_cast<int>(i + 1);
            paths_.push_back(MakeCollectionPath(node.node, node.vendorId, node.productId, node.interfaceNumber, number));
        }
    }
    return true;
}

std::optional<std::string> HidDeviceHandle::NextPath() {
    if (cursor_ >= paths_.size()) return std::nullopt;
    return paths_[cursor_++];
}

void HidDeviceHandle::FreePaths() {
    paths_.clear();
    paths_.shrink_to_fit();
    cursor_ = 0;
}

bool HidDeviceHandle::Open(std::string_view path, bool read, bool write, bool overlapped, bool exclusive) {
    readAccess_ = read;
    writeAccess_ = write;
    overlapped_ = overlapped;
    exclusive_ = exclusive;
    if (path.size() > kMaxDevicePathLength) {
        Close();
        devicePath_.clear();
        lastOpenError_ = ENAMETOOLONG;
        return false;
    }
    devicePath_ = std::string(path);
    return Reopen();
}

std::shared_ptr<HidDeviceHandle::Connection> HidDeviceHandle::CurrentConnection() const {
    std::lock_guard lock(connectionMutex_);
    return connection_;
}

void HidDeviceHandle::FreeCapabilities() {
    preparsed_.reset();
    caps_ = {};
    attributes_ = {};
    for (size_t t = 0; t < hid::kReportTypeCount; ++t) {
        reportBuffers_[t].clear();
        entries_[t].clear();
    }
}

void HidDeviceHandle::Close() {
    std::shared_ptr<Connection> old;
    {
        std::lock_guard lock(connectionMutex_);
        old.swap(connection_);
    }
    // Wake any Read/Write still waiting on this connection; the fd is closed once they let go of it.
    if (old) old->Cancel();
    FreeCapabilities();
}

bool HidDeviceHandle::IsOpen() const { return CurrentConnection() != nullptr; }

bool HidDeviceHandle::Unplugged() const {
    auto c = CurrentConnection();
    return c && c->gone.load();
}

bool HidDeviceHandle::Reopen() {
    Close();
    lastOpenError_ = ENODEV;
    auto split = SplitCollectionPath(devicePath_);
    if (!split || !backend_) return false;
    auto info = backend_->QueryNode(split->node);
    if (!info) return false;
    auto collections = hid::ParseReportDescriptor(info->reportDescriptor);
    if (!collections || collections->empty()) return false;
    size_t index = 0;
    if (split->collectionNumber == 0) {
        if (collections->size() != 1) return false;
    } else {
        index = static_cast<size_t>(split->collectionNumber - 1);
        if (index >= collections->size()) return false;
    }

    auto connection = std::make_shared<Connection>();
    connection->cancelFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (connection->cancelFd < 0) {
        lastOpenError_ = errno;
        return false;
    }
    if (readAccess_ || writeAccess_) {
        int fd = backend_->OpenNode(split->node, readAccess_, writeAccess_);
        if (fd < 0) {
            lastOpenError_ = -fd;
            return false;
        }
        connection->fd = fd;
        connection->canRead = readAccess_;
        connection->canWrite = writeAccess_;
    }

    const hid::Collection& selected = (*collections)[index];
    connection->numbered = selected.numberedReports;
    connection->reportIds = selected.reportIds;
    size_t longest = 0;
    for (const auto& c : *collections) longest = std::max<size_t>(longest, c.caps.inputReportByteLength);
    connection->readBufferBytes = std::max<size_t>(longest, 1) + 1;

    preparsed_ = std::make_shared<const hid::Collection>(selected);
    caps_ = selected.caps;
    attributes_ = {info->vendorId, info->productId, info->versionNumber};
    const uint16_t lengths[] = {caps_.inputReportByteLength, caps_.outputReportByteLength, caps_.featureReportByteLength};
    for (size_t t = 0; t < hid::kReportTypeCount; ++t) {
        const auto type = static_cast<hid::ReportType>(t);
        reportBuffers_[t].assign(lengths[t], 0);
        auto& entries = entries_[t];
        for (const auto& b : selected.buttonCaps[t]) {
            HidDataEntry e;
            e.isButton = true;
            e.usagePage = b.usagePage;
            e.reportId = b.reportId;
            e.usageMin = b.usageMin;
            e.usageMax = b.isRange ? b.usageMax : b.usageMin;
            e.usageCapacity = hid::MaxUsageListLength(selected, type, b.usagePage);
            e.usages.assign(e.usageCapacity, 0);
            entries.push_back(std::move(e));
        }
        for (const auto& v : selected.valueCaps[t]) {
            const uint32_t last = v.isRange ? v.usageMax : v.usageMin;
            for (uint32_t u = v.usageMin; u <= last; ++u) {
                HidDataEntry e;
                e.usagePage = v.usagePage;
                e.reportId = v.reportId;
                e.usage = static_cast<uint16_t>(u);
                entries.push_back(std::move(e));
            }
        }
    }
    {
        std::lock_guard lock(connectionMutex_);
        connection_ = std::move(connection);
    }
    lastOpenError_ = 0;
    return true;
}

bool HidDeviceHandle::Read(uint32_t count, uint32_t& bytesRead, uint8_t* buffer, uint32_t timeoutMs) {
    bytesRead = 0;
    auto c = CurrentConnection();
    bool ok = false;
    if (c && c->canRead && buffer != nullptr) {
        const bool infinite = timeoutMs == kInfinite;
        const auto deadline = Clock::now() + std::chrono::milliseconds(infinite ? 0 : timeoutMs);
        std::vector<uint8_t> report(c->readBufferBytes);
        for (;;) {
            WaitResult w = WaitFor(c->fd, c->cancelFd, POLLIN, infinite, deadline);
            if (w == WaitResult::Unplugged) c->gone = true;
            if (w != WaitResult::Ready) break;
            // Unnumbered reports arrive without the id byte; the callers expect a leading 0.
            uint8_t* into = c->numbered ? report.data() : report.data() + 1;
            ssize_t n = ::read(c->fd, into, report.size() - (c->numbered ? 0 : 1));
            if (n < 0) {
                if (errno == EINTR || errno == EAGAIN) continue;
                if (IsUnplugErrno(errno)) c->gone = true;
                break;
            }
            if (n == 0) {  // end of file: the other side went away
                c->gone = true;
                break;
            }
            size_t length = static_cast<size_t>(n);
            if (c->numbered) {
                // Reports of the node's other collections are not ours to see.
                if (std::find(c->reportIds.begin(), c->reportIds.end(), report[0]) == c->reportIds.end()) continue;
            } else {
                report[0] = 0;
                ++length;
            }
            const size_t copied = std::min<size_t>(count, length);
            std::memcpy(buffer, report.data(), copied);
            bytesRead = static_cast<uint32_t>(copied);
            ok = true;
            break;
        }
    }
    return ok;
}

bool HidDeviceHandle::Write(uint32_t count, uint32_t& bytesWritten, const uint8_t* buffer, uint32_t timeoutMs) {
    bytesWritten = 0;
    auto c = CurrentConnection();
    bool ok = false;
    if (c && c->canWrite && buffer != nullptr && count > 0) {
        const bool infinite = timeoutMs == kInfinite;
        const auto deadline = Clock::now() + std::chrono::milliseconds(infinite ? 0 : timeoutMs);
        for (;;) {
            WaitResult w = WaitFor(c->fd, c->cancelFd, POLLOUT, infinite, deadline);
            if (w == WaitResult::Unplugged) c->gone = true;
            if (w != WaitResult::Ready) break;
            ssize_t n = ::write(c->fd, buffer, count);
            if (n < 0) {
                if (errno == EINTR || errno == EAGAIN) continue;
                if (IsUnplugErrno(errno)) c->gone = true;
                break;
            }
            bytesWritten = static_cast<uint32_t>(n);
            ok = static_cast<uint32_t>(n) == count;
            break;
        }
    }
    return ok;
}

bool HidDeviceHandle::UnpackReport(std::vector<HidDataEntry>& entries, std::span<const uint8_t> report,
                                   hid::ReportType type, const hid::Collection& preparsed) {
    if (report.empty()) return false;
    const uint8_t id = report[0];
    for (auto& e : entries) {
        if (e.reportId != id) continue;
        if (e.isButton) {
            std::vector<uint16_t> found;
            e.status = hid::GetUsages(preparsed, type, e.usagePage, report, e.usageCapacity, found);
            e.usages.assign(e.usageCapacity, 0);
            size_t kept = 0;
            for (uint16_t u : found)
                if (u >= e.usageMin && u <= e.usageMax && kept < e.usages.size()) e.usages[kept++] = u;
        } else {
            uint32_t value = 0;
            e.status = hid::GetUsageValue(preparsed, type, e.usagePage, e.usage, report, value);
            if (e.status != hid::kStatusSuccess) {
                e.isSet = true;
                return false;
            }
            e.value = value;
            int32_t scaled = 0;
            e.status = hid::GetScaledUsageValue(preparsed, type, e.usagePage, e.usage, report, scaled);
            e.scaledValue = scaled;
        }
        e.isSet = true;
    }
    return true;
}

}  // namespace orvane
