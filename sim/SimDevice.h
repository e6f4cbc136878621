#pragma once
// One plugged emulated device: a firmware model behind one or more hidraw-like nodes.
//
// Every open of a node is a SOCK_SEQPACKET socketpair: the host end behaves like a hidraw fd
// (one report per read/write, POLLHUP once unplugged), the device end is served by the
// device's own thread, which hands output reports to the firmware and delivers the input
// reports it sends to every open connection of that node, as the kernel does.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "device/EventFd.h"

namespace orvane::sim {

struct SimInterface {
    int interfaceNumber = 0;
    std::vector<uint8_t> reportDescriptor;
};

struct SimDeviceIdentity {
    std::string model;  // registration name, e.g. "mouse"
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t versionNumber = 0;
    std::vector<SimInterface> interfaces;
};

// What the firmware may do to the outside world. Calls come on the device thread.
class SimPort {
public:
    virtual ~SimPort() = default;
    // Queues an input report on one interface, delivered after `delay`.
    virtual void SendInputReport(size_t interfaceIndex, std::vector<uint8_t> report,
                                 std::chrono::milliseconds delay = std::chrono::milliseconds(0)) = 0;
    // The device drops off the bus (as if its cable were pulled).
    virtual void Unplug() = 0;
};

class SimFirmware {
public:
    virtual ~SimFirmware() = default;
    // One output report written by the host to interface `interfaceIndex` (report-id byte first).
    virtual void HandleOutputReport(size_t interfaceIndex, std::span<const uint8_t> report, SimPort& port) = 0;
};

class SimDevice final : private SimPort {
public:
    // `onUnplug` runs once when the device leaves the bus, whoever pulls it (the bus or the firmware).
    SimDevice(SimDeviceIdentity identity, std::shared_ptr<SimFirmware> firmware, std::function<void()> onUnplug = {});
    ~SimDevice() override;
    SimDevice(const SimDevice&) = delete;
    SimDevice& operator=(const SimDevice&) = delete;

    const SimDeviceIdentity& Identity() const { return identity_; }
    const std::shared_ptr<SimFirmware>& Firmware() const { return firmware_; }
    bool Plugged() const;

    // A new host connection to interface `interfaceIndex`: the host end's fd, or -errno.
    int Connect(size_t interfaceIndex);
    // Sends an input report from outside the firmware (tests, scripted events).
    void Inject(size_t interfaceIndex, std::vector<uint8_t> report,
                std::chrono::milliseconds delay = std::chrono::milliseconds(0));
    // Closes every connection; hosts see POLLHUP. Idempotent; the thread ends by itself.
    void Unplug() override;

private:
    struct Connection {
        int fd;
        size_t interfaceIndex;
    };
    struct Pending {
        std::chrono::steady_clock::time_point due;
        size_t interfaceIndex;
        std::vector<uint8_t> report;
    };

    void SendInputReport(size_t interfaceIndex, std::vector<uint8_t> report, std::chrono::milliseconds delay) override;
    void Run();
    void Wake();
    void DeliverDue();
    void CloseConnections();

    SimDeviceIdentity identity_;
    std::shared_ptr<SimFirmware> firmware_;
    std::function<void()> onUnplug_;
    EventFd wake_;
    mutable std::mutex mutex_;
    bool plugged_ = true;
    std::vector<Connection> connections_;
    std::vector<Pending> pending_;  // bounded: see kMaxPendingReports
    std::thread thread_;
};

}  // namespace orvane::sim
