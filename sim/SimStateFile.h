#pragma once
// Persisted memories of the emulated devices: a JSON object whose memories are hex text,
// written atomically, so that separate program runs see one device.

#include <cstdint>
#include <json/json.h>
#include <span>
#include <string>
#include <vector>

namespace orvane::sim {

std::string HexText(std::span<const uint8_t> bytes);
// Decodes exactly `size` bytes of hex text; false for any other length or a non-hex digit.
bool BytesFromHex(const Json::Value& value, size_t size, std::vector<uint8_t>& bytes);
// True when `root[name]` is the unsigned number `expected`.
bool MemberIs(const Json::Value& root, const char* name, unsigned expected);

enum class StateFileRead {
    kMissing,  // no file yet (or no state folder): a factory-fresh device
    kBroken,   // there, but not a JSON object
    kRead,     // `root` holds the object
};
StateFileRead ReadStateFile(const std::string& path, Json::Value& root);

// Writes `root` atomically; a failure is logged under `who` ("sim mouse") and otherwise ignored,
// as the device keeps working from its memory.
void WriteStateFile(const std::string& path, const Json::Value& root, const std::string& who);

}  // namespace orvane::sim
