#include "sim/SimDevice.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <optional>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace orvane::sim {
namespace {

// A real device's input queue is small; beyond this many undelivered reports we drop, as it would.
constexpr size_t kMaxPendingReports = 256;
constexpr size_t kMaxReportBytes = 4096;

}  // namespace

SimDevice::SimDevice(SimDeviceIdentity identity, std::shared_ptr<SimFirmware> firmware, std::function<void()> onUnplug)
    : identity_(std::move(identity)), firmware_(std::move(firmware)), onUnplug_(std::move(onUnplug)) {
    thread_ = std::thread([this] { Run(); });
}

SimDevice::~SimDevice() {
    Unplug();
    if (thread_.joinable()) thread_.join();
    CloseConnections();
}

bool SimDevice::Plugged() const {
    std::lock_guard lock(mutex_);
    return plugged_;
}

int SimDevice::Connect(size_t interfaceIndex) {
    if (interfaceIndex >= identity_.interfaces.size()) return -ENODEV;
    int fds[2];
    if (::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, fds) != 0) return -errno;
    {
        std::lock_guard lock(mutex_);
        if (!plugged_) {
            ::close(fds[0]);
            ::close(fds[1]);
            return -ENODEV;
        }
        connections_.push_back({fds[1], interfaceIndex});
    }
    Wake();
    return fds[0];
}

void SimDevice::Inject(size_t interfaceIndex, std::vector<uint8_t> report, std::chrono::milliseconds delay) {
    SendInputReport(interfaceIndex, std::move(report), delay);
}

void SimDevice::SendInputReport(size_t interfaceIndex, std::vector<uint8_t> report, std::chrono::milliseconds delay) {
    {
        std::lock_guard lock(mutex_);
        if (!plugged_ || pending_.size() >= kMaxPendingReports) return;
        pending_.push_back({std::chrono::steady_clock::now() + delay, interfaceIndex, std::move(report)});
    }
    Wake();
}

void SimDevice::Unplug() {
    {
        std::lock_guard lock(mutex_);
        if (!plugged_) return;
        plugged_ = false;
        pending_.clear();
    }
    // The device thread closes the device ends (only it touches them), which gives every host
    // end POLLHUP and EOF, as a pulled cable does.
    Wake();
    if (onUnplug_) onUnplug_();
}

void SimDevice::CloseConnections() {
    std::vector<Connection> closing;
    {
        std::lock_guard lock(mutex_);
        closing.swap(connections_);
    }
    for (const auto& c : closing) ::close(c.fd);
}

void SimDevice::Wake() { wake_.Signal(); }

void SimDevice::DeliverDue() {
    std::vector<Pending> due;
    std::vector<Connection> targets;
    {
        std::lock_guard lock(mutex_);
        const auto now = std::chrono::steady_clock::now();
        // Keep order: deliver the due prefix in the order the reports were queued.
        auto firstNotDue = std::stable_partition(pending_.begin(), pending_.end(),
                                                 [now](const Pending& p) { return p.due <= now; });
        due.assign(std::make_move_iterator(pending_.begin()), std::make_move_iterator(firstNotDue));
        pending_.erase(pending_.begin(), firstNotDue);
        targets = connections_;
    }
    for (const auto& p : due)
        for (const auto& c : targets)
            // A host that does not read loses reports once its queue is full, as with hidraw.
            if (c.interfaceIndex == p.interfaceIndex) ::send(c.fd, p.report.data(), p.report.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
}

void SimDevice::Run() {
    // A device's reply delay is its own: no timer slack of the host's scheduler on top of it.
    ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    std::vector<uint8_t> buffer(kMaxReportBytes);
    for (;;) {
        std::vector<pollfd> fds;
        std::vector<Connection> polled;
        // Until the first pending report is due; none: until a report or a wake-up comes.
        std::optional<std::chrono::nanoseconds> wait;
        {
            std::unique_lock lock(mutex_);
            if (!plugged_) {
                lock.unlock();
                CloseConnections();
                return;
            }
            polled = connections_;
            const auto now = std::chrono::steady_clock::now();
            for (const auto& p : pending_) {
                const auto left = std::clamp<std::chrono::nanoseconds>(p.due - now, std::chrono::nanoseconds(0),
                                                                        std::chrono::minutes(1));
                wait = wait ? std::min(*wait, left) : left;
            }
        }
        fds.push_back({wake_.Fd(), POLLIN, 0});
        for (const auto& c : polled) fds.push_back({c.fd, POLLIN, 0});
        // To the nanosecond, so that a reply delay of 1 ms is 1 ms and not the next whole millisecond.
        timespec timeout{};
        if (wait) {
            timeout.tv_sec = static_cast<time_t>(std::chrono::duration_cast<std::chrono::seconds>(*wait).count());
            timeout.tv_nsec = static_cast<long>((*wait % std::chrono::seconds(1)).count());
        }
        int n = ::ppoll(fds.data(), fds.size(), wait ? &timeout : nullptr, nullptr);
        if (n < 0 && errno != EINTR) return;
        if (fds[0].revents & POLLIN) wake_.Drain();
        for (size_t i = 1; i < fds.size(); ++i) {
            const Connection& c = polled[i - 1];
            if (fds[i].revents & (POLLHUP | POLLERR)) {
                // The host closed its end: forget the connection.
                std::lock_guard lock(mutex_);
                auto it = std::find_if(connections_.begin(), connections_.end(), [&](const Connection& k) { return k.fd == c.fd; });
                if (it != connections_.end()) {
                    ::close(it->fd);
                    connections_.erase(it);
                }
                continue;
            }
            if (!(fds[i].revents & POLLIN)) continue;
            ssize_t got = ::recv(c.fd, buffer.data(), buffer.size(), MSG_DONTWAIT);
            if (got <= 0) continue;
            if (!Plugged()) break;
            firmware_->HandleOutputReport(c.interfaceIndex, std::span<const uint8_t>(buffer.data(), static_cast<size_t>(got)), *this);
        }
        DeliverDue();
    }
}

}  // namespace orvane::sim
