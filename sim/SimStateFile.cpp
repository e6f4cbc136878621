#include "sim/SimStateFile.h"

#include <sstream>

#include "platform/AtomicFile.h"
#include "platform/DebugLog.h"

namespace orvane::sim {
namespace {

constexpr size_t kMaxStateFileBytes = 1u << 20;  // the largest memories fit in well under 200 KiB

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::string HexText(std::span<const uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (uint8_t b : bytes) {
        text.push_back(kDigits[b >> 4]);
        text.push_back(kDigits[b & 0x0F]);
    }
    return text;
}

bool BytesFromHex(const Json::Value& value, size_t size, std::vector<uint8_t>& bytes) {
    if (!value.isString()) return false;
    const std::string text = value.asString();
    if (text.size() != size * 2) return false;
    bytes.assign(size, 0);
    for (size_t i = 0; i < size; ++i) {
        const int hi = HexDigit(text[2 * i]);
        const int lo = HexDigit(text[2 * i + 1]);
        if (hi < 0 || lo < 0) return false;
        bytes[i] = static_cast<uint8_t>((hi << 4) | lo);
    }
    return true;
}

bool MemberIs(const Json::Value& root, const char* name, unsigned expected) {
    const Json::Value& v = root[name];
    return v.isUInt() && v.asUInt() == expected;
}

StateFileRead ReadStateFile(const std::string& path, Json::Value& root) {
    std::string text;
    if (path.empty() || !ReadWholeFile(path, text, kMaxStateFileBytes)) return StateFileRead::kMissing;
    Json::CharReaderBuilder builder;
    std::string errors;
    std::istringstream in(text);
    if (!Json::parseFromStream(builder, in, &root, &errors) || !root.isObject()) return StateFileRead::kBroken;
    return StateFileRead::kRead;
}

void WriteStateFile(const std::string& path, const Json::Value& root, const std::string& who) {
    Json::StyledWriter writer;
    if (!WriteFileAtomically(path, writer.write(root) + "\n")) DebugLog(who + ": cannot write state file " + path);
}

}  // namespace orvane::sim
