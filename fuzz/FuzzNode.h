#pragma once
// One HID node made of fuzz input, behind the same HidBackend interface as hidraw: a report
// descriptor, and a socketpair whose far end holds a list of input reports. After the last one
// the far end stops sending, so the host sees the node go away instead of waiting for a time-out.

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "device/HidBackend.h"
#include "device/HidPath.h"

namespace orvane::fuzz {

inline constexpr const char* kNode = "fuzz/hidraw0";
inline constexpr uint16_t kVendorId = 0x320F;
inline constexpr uint16_t kProductId = 0x2211;
inline constexpr int kInterface = 1;

class FuzzNode final : public HidBackend {
public:
    FuzzNode(std::vector<uint8_t> descriptor, std::vector<std::vector<uint8_t>> reports)
        : descriptor_(std::move(descriptor)), reports_(std::move(reports)) {}
    ~FuzzNode() override { ClosePeer(); }

    bool ListNodes(std::vector<HidNodeInfo>& nodes) override {
        nodes = {Info()};
        return true;
    }
    std::optional<HidNodeInfo> QueryNode(const std::string& node) override {
        if (node != kNode) return std::nullopt;
        return Info();
    }
    int OpenNode(const std::string& node, bool, bool) override {
        if (node != kNode) return -ENODEV;
        int pair[2];
        if (::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, pair) != 0) return -errno;
        ClosePeer();
        peer_ = pair[1];
        ::fcntl(peer_, F_SETFL, O_NONBLOCK);
        for (const auto& report : reports_) {
            if (::send(peer_, report.data(), report.size(), MSG_NOSIGNAL) < 0) break;
        }
        ::shutdown(peer_, SHUT_WR);
        return pair[0];
    }
    // One fixed node: nothing comes or goes.
    std::unique_ptr<HidChangeMonitor> WatchChanges() override { return nullptr; }

    static std::string PathOf(int collection) {
        return MakeCollectionPath(kNode, kVendorId, kProductId, kInterface, collection);
    }

private:
    HidNodeInfo Info() const { return {kNode, kVendorId, kProductId, 0x0100, kInterface, descriptor_}; }
    void ClosePeer() {
        if (peer_ >= 0) ::close(peer_);
        peer_ = -1;
    }

    std::vector<uint8_t> descriptor_;
    std::vector<std::vector<uint8_t>> reports_;
    int peer_ = -1;
};

}  // namespace orvane::fuzz
