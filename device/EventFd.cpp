#include "device/EventFd.h"

#include <cstdint>
#include <sys/eventfd.h>
#include <unistd.h>

namespace orvane {

EventFd::EventFd() : fd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

EventFd::~EventFd() {
    if (fd_ >= 0) ::close(fd_);
}

void EventFd::Signal() const {
    uint64_t one = 1;
    // Fails only when the counter would overflow, and then the descriptor is readable anyway.
    [[maybe_unused]] ssize_t n = ::write(fd_, &one, sizeof one);
}

void EventFd::Drain() const {
    uint64_t count = 0;
    // Non-blocking: reading an unsignalled eventfd returns EAGAIN at once.
    [[maybe_unused]] ssize_t n = ::read(fd_, &count, sizeof count);
}

}  // namespace orvane
