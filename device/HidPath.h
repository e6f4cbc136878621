#pragma once
// Device paths in the form the rest of the program parses: one path per top-level collection,
// "<node>&vid_320f&pid_2211&mi_01&col04" ("&col" only when the interface has several).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// Search the path (case-insensitively) for the token and read the hex number after it:
// low 16 bits of that number, 0 when the token is absent or no number follows.
uint16_t ParseVid(std::string_view path);
uint16_t ParsePid(std::string_view path);
uint16_t ParseInterface(std::string_view path);
uint16_t ParseCollection(std::string_view path);

// Longest path the device-path field takes (259 characters plus the terminator on the
// platform the paths imitate); longer ones are refused by Open.
inline constexpr size_t kMaxDevicePathLength = 259;

// Nodes of the emulated HID bus are named "sim/hidrawN"; a path on one names an emulated device.
inline constexpr std::string_view kEmulatedNodePrefix = "sim/";
inline bool IsEmulatedPath(std::string_view path) { return path.starts_with(kEmulatedNodePrefix); }

// collectionNumber 0 = the interface has a single collection (no "&col" part).
std::string MakeCollectionPath(const std::string& node, uint16_t vid, uint16_t pid, int interfaceNumber,
                               int collectionNumber);

struct CollectionPath {
    std::string node;
    int collectionNumber = 0;  // 0 when the path names no collection
};
// Splits a path made by MakeCollectionPath; nullopt for anything else.
std::optional<CollectionPath> SplitCollectionPath(std::string_view path);

}  // namespace orvane
