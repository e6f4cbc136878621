#pragma once
// A Q730 firmware model plugged on its own emulated bus, with the host's two handles open on
// it (command collection 4, event collection 3) and a request builder that frames commands
// itself, so that the device side is checked against the wire format, not against itself.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "device/HidDeviceHandle.h"
#include "device/HidPath.h"
#include "sim/MouseFirmware.h"
#include "sim/SimBus.h"

namespace orvane::test {

using Bytes = std::vector<uint8_t>;

// One 64-byte request: id 4, checksum of bytes 3..63 in bytes 1-2.
inline Bytes MakeRequest(uint8_t command, uint16_t address, uint8_t length, std::span<const uint8_t> data = {}) {
    Bytes r(64, 0);
    r[0] = 4;
    r[3] = command;
    r[4] = length;
    r[5] = static_cast<uint8_t>(address & 0xFF);
    r[6] = static_cast<uint8_t>(address >> 8);
    for (size_t i = 0; i < data.size() && i < 56; ++i) r[8 + i] = data[i];
    unsigned sum = 0;
    for (size_t i = 3; i < 64; ++i) sum += r[i];
    r[1] = static_cast<uint8_t>(sum & 0xFF);
    r[2] = static_cast<uint8_t>(sum >> 8);
    return r;
}

// Path of collection `collection` of interface 1 on `bus` (the first device that has one).
inline std::string CollectionPathOn(const std::shared_ptr<HidBackend>& bus, int collection) {
    HidDeviceHandle h(bus);
    EXPECT_TRUE(h.EnumeratePaths());
    while (auto p = h.NextPath())
        if (ParseInterface(*p) == 1 && ParseCollection(*p) == collection) return *p;
    return {};
}

class MouseOnBus {
public:
    explicit MouseOnBus(sim::MouseOptions options = {})
        : bus(std::make_shared<sim::SimBus>()),
          mouse(std::make_shared<sim::MouseFirmware>(std::move(options))),
          device(bus->Plug(sim::Q730Identity(), mouse)),
          command(bus),
          events(bus) {
        EXPECT_TRUE(command.Open(PathOf(4), true, true, true, false));
        EXPECT_TRUE(events.Open(PathOf(3), true, false, true, false));
    }

    std::string PathOf(int collection) const { return CollectionPathOn(bus, collection); }

    bool Send(const Bytes& report) {
        uint32_t written = 0;
        return command.Write(static_cast<uint32_t>(report.size()), written, report.data(), 1000);
    }

    static std::optional<Bytes> ReadFrom(HidDeviceHandle& handle, uint32_t timeoutMs) {
        Bytes buffer(64, 0);
        uint32_t got = 0;
        if (!handle.Read(64, got, buffer.data(), timeoutMs)) return std::nullopt;
        buffer.resize(got);
        return buffer;
    }
    std::optional<Bytes> ReadReply(uint32_t timeoutMs = 1000) { return ReadFrom(command, timeoutMs); }

    // One request and its reply (nullopt when none came).
    std::optional<Bytes> Exchange(const Bytes& report, uint32_t timeoutMs = 1000) {
        if (!Send(report)) return std::nullopt;
        return ReadReply(timeoutMs);
    }
    std::optional<Bytes> Command(uint8_t cmd, uint16_t address, uint8_t length, std::span<const uint8_t> data = {}) {
        return Exchange(MakeRequest(cmd, address, length, data));
    }
    // Status byte of the reply, or -1 when none came.
    int Status(uint8_t cmd, uint16_t address, uint8_t length, std::span<const uint8_t> data = {}) {
        auto reply = Command(cmd, address, length, data);
        return reply && reply->size() == 64 ? (*reply)[7] : -1;
    }

    // Reads `total` bytes of a memory in 56-byte chunks; empty when a chunk failed.
    Bytes ReadMemory(uint8_t cmd, uint16_t address, size_t total) {
        Bytes out;
        for (size_t pos = 0; pos < total; pos += 56) {
            const auto len = static_cast<uint8_t>(std::min<size_t>(56, total - pos));
            auto reply = Command(cmd, static_cast<uint16_t>(address + pos), len);
            if (!reply || reply->size() != 64 || (*reply)[7] != 0) return {};
            out.insert(out.end(), reply->begin() + 8, reply->begin() + 8 + len);
        }
        return out;
    }

    std::shared_ptr<sim::SimBus> bus;
    std::shared_ptr<sim::MouseFirmware> mouse;
    std::shared_ptr<sim::SimDevice> device;
    HidDeviceHandle command;
    HidDeviceHandle events;
};

}  // namespace orvane::test
