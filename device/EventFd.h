#pragma once
// A wake-up signal that poll() can wait on beside device and netlink descriptors: one thread
// signals, another finds the descriptor readable and drains it.

namespace orvane {

class EventFd {
public:
    EventFd();
    ~EventFd();
    EventFd(const EventFd&) = delete;
    EventFd& operator=(const EventFd&) = delete;

    // -1 when the descriptor could not be created (out of descriptors).
    int Fd() const { return fd_; }
    void Signal() const;
    // Clears the signal; safe when nothing was signalled.
    void Drain() const;

private:
    int fd_ = -1;
};

}  // namespace orvane
