#pragma once
// The 64-byte vendor command report: one HID output report per request, one 64-byte input
// report per reply, with the same byte layout both ways.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace orvane {

inline constexpr size_t kCommandReportSize = 64;
inline constexpr size_t kCommandPayloadSize = 56;
inline constexpr uint8_t kCommandReportId = 4;

// Reply status values that mean failure; every other value is success.
inline constexpr uint8_t kReplyStatusError = 0xFF;
inline constexpr uint8_t kReplyStatusRejected = 0xFE;

class CommandReport {
public:
    // Byte offsets, the same in requests and replies.
    static constexpr size_t kReportIdOffset = 0;
    static constexpr size_t kChecksumLowOffset = 1;
    static constexpr size_t kChecksumHighOffset = 2;
    static constexpr size_t kCommandIdOffset = 3;
    static constexpr size_t kLengthOffset = 4;
    static constexpr size_t kAddressLowOffset = 5;
    static constexpr size_t kAddressHighOffset = 6;
    static constexpr size_t kStatusOffset = 7;
    static constexpr size_t kPayloadOffset = 8;
    // The checksum covers everything from the command id to the end of the payload.
    static constexpr size_t kChecksumFirstByte = kCommandIdOffset;

    // A cleared request for `commandId`: report id 4, status 0, everything else 0.
    explicit CommandReport(uint8_t commandId = 0);
    // A request taken from caller bytes: zero-padded when shorter than 64, truncated when longer.
    static CommandReport FromBytes(std::span<const uint8_t> bytes);

    uint8_t CommandId() const { return bytes_[kCommandIdOffset]; }
    uint8_t Length() const { return bytes_[kLengthOffset]; }
    uint16_t Address() const;
    uint8_t Status() const { return bytes_[kStatusOffset]; }

    void SetLength(uint8_t length) { bytes_[kLengthOffset] = length; }
    // Only the low 16 bits of the address travel, little-endian.
    void SetAddress(uint32_t address);
    // Copies at most one payload's worth; bytes past `data` keep what they held.
    void SetPayload(std::span<const uint8_t> data);
    std::span<uint8_t, kCommandPayloadSize> Payload() { return std::span(bytes_).subspan<kPayloadOffset>(); }
    std::span<const uint8_t, kCommandPayloadSize> Payload() const { return std::span(bytes_).subspan<kPayloadOffset>(); }

    // Sum of bytes 3..63; at most 61 x 255 = 15555, so 16 bits never overflow.
    uint16_t ComputeChecksum() const;
    uint16_t StoredChecksum() const;
    void StoreChecksum();

    std::span<uint8_t, kCommandReportSize> Bytes() { return bytes_; }
    std::span<const uint8_t, kCommandReportSize> Bytes() const { return bytes_; }
    uint8_t operator[](size_t offset) const { return bytes_[offset]; }

private:
    std::array<uint8_t, kCommandReportSize> bytes_{};
};
static_assert(sizeof(CommandReport) == kCommandReportSize);
static_assert(CommandReport::kPayloadOffset + kCommandPayloadSize == kCommandReportSize);

// One debug line for 32 report bytes: eight groups of four lower-case hex bytes, three blanks
// after each of the first three groups, two after the others.
std::string FormatReportLine(std::span<const uint8_t, 32> bytes);

// Logs `title` ("命令" or "返回"), then bytes 0..31 and 32..63 of the report, one line each.
void LogReport(std::string_view title, std::span<const uint8_t, kCommandReportSize> report);

}  // namespace orvane
