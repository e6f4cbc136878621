#include "protocol/CommandReport.h"

#include <algorithm>
#include <cstdio>

#include "platform/DebugLog.h"

namespace orvane {

CommandReport::CommandReport(uint8_t commandId) {
    bytes_[kReportIdOffset] = kCommandReportId;
    bytes_[kCommandIdOffset] = commandId;
}

CommandReport CommandReport::FromBytes(std::span<const uint8_t> bytes) {
    CommandReport report;
    report.bytes_.fill(0);
    std::copy_n(bytes.begin(), std::min(bytes.size(), kCommandReportSize), report.bytes_.begin());
    return report;
}

uint16_t CommandReport::Address() const {
    return static_cast<uint16_t>(bytes_[kAddressLowOffset] | (bytes_[kAddressHighOffset] << 8));
}

void CommandReport::SetAddress(uint32_t address) {
    bytes_[kAddressLowOffset] = static_cast<uint8_t>(address & 0xFF);
    bytes_[kAddressHighOffset] = static_cast<uint8_t>((address >> 8) & 0xFF);
}

void CommandReport::SetPayload(std::span<const uint8_t> data) {
    std::copy_n(data.begin(), std::min(data.size(), kCommandPayloadSize), bytes_.begin() + kPayloadOffset);
}

uint16_t CommandReport::ComputeChecksum() const {
    unsigned sum = 0;
    for (size_t i = kChecksumFirstByte; i < kCommandReportSize; ++i) sum += bytes_[i];
    return static_cast<uint16_t>(sum);
}

uint16_t CommandReport::StoredChecksum() const {
    return static_cast<uint16_t>(bytes_[kChecksumLowOffset] | (bytes_[kChecksumHighOffset] << 8));
}

void CommandReport::StoreChecksum() {
    const uint16_t sum = ComputeChecksum();
    bytes_[kChecksumLowOffset] = static_cast<uint8_t>(sum & 0xFF);
    bytes_[kChecksumHighOffset] = static_cast<uint8_t>(sum >> 8);
}

std::string FormatReportLine(std::span<const uint8_t, 32> b) {
    char line[128];
    std::snprintf(line, sizeof line,
                  "%02x %02x %02x %02x   %02x %02x %02x %02x   %02x %02x %02x %02x   %02x %02x %02x %02x  "
                  "%02x %02x %02x %02x  %02x %02x %02x %02x  %02x %02x %02x %02x  %02x %02x %02x %02x",
                  b[0], b[1], b[2], b[3], b[4], b[5], b[6], b[7], b[8], b[9], b[10], b[11], b[12], b[13], b[14], b[15],
                  b[16], b[17], b[18], b[19], b[20], b[21], b[22], b[23], b[24], b[25], b[26], b[27], b[28], b[29],
                  b[30], b[31]);
    return line;
}

void LogReport(std::string_view title, std::span<const uint8_t, kCommandReportSize> report) {
    DebugLog(title);
    DebugLog(FormatReportLine(report.first<32>()));
    DebugLog(FormatReportLine(report.last<32>()));
}

}  // namespace orvane
