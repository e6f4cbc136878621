#include "device/HidPath.h"

#include <cctype>
#include <cstdio>

namespace orvane {
namespace {

uint16_t ParseHexAfter(std::string_view path, std::string_view token) {
    auto lower = [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); };
    for (size_t i = 0; i + token.size() <= path.size(); ++i) {
        bool match = true;
        for (size_t k = 0; k < token.size() && match; ++k) match = lower(path[i + k]) == token[k];
        if (!match) continue;
        // "%x" semantics: optional sign and 0x prefix, then hex digits; only the low 16 bits count.
        size_t p = i + token.size();
        bool negative = false;
        if (p < path.size() && (path[p] == '+' || path[p] == '-')) negative = path[p++] == '-';
        if (p + 1 < path.size() && path[p] == '0' && lower(path[p + 1]) == 'x' && p + 2 < path.size() &&
            std::isxdigit(static_cast<unsigned char>(path[p + 2])))
            p += 2;
        uint32_t value = 0;
        bool any = false;
        for (; p < path.size() && std::isxdigit(static_cast<unsigned char>(path[p])); ++p) {
            char c = lower(path[p]);
            value = value * 16 + static_cast<uint32_t>(c <= '9' ? c - '0' : c - 'a' + 10);
            any = true;
        }
        if (!any) return 0;
        if (negative) value = 0u - value;
        return static_cast<uint16_t>(value & 0xFFFF);
    }
    return 0;
}

}  // namespace

uint16_t ParseVid(std::string_view path) { return ParseHexAfter(path, "vid_"); }
uint16_t ParsePid(std::string_view path) { return ParseHexAfter(path, "pid_"); }
uint16_t ParseInterface(std::string_view path) { return ParseHexAfter(path, "&mi_"); }
uint16_t ParseCollection(std::string_view path) { return ParseHexAfter(path, "&col"); }

std::string MakeCollectionPath(const std::string& node, uint16_t vid, uint16_t pid, int interfaceNumber,
                               int collectionNumber) {
    char suffix[64];
    std::snprintf(suffix, sizeof suffix, "&vid_%04x&pid_%04x", vid, pid);
    std::string path = node + suffix;
    if (interfaceNumber >= 0) {
        std::snprintf(suffix, sizeof suffix, "&mi_%02x", interfaceNumber & 0xFF);
        path += suffix;
    }
    if (collectionNumber > 0) {
        std::snprintf(suffix, sizeof suffix, "&col%02x", collectionNumber & 0xFF);
        path += suffix;
    }
    return path;
}

std::optional<CollectionPath> SplitCollectionPath(std::string_view path) {
    size_t amp = path.find("&vid_");
    if (amp == std::string_view::npos || amp == 0) return std::nullopt;
    CollectionPath result;
    result.node = std::string(path.substr(0, amp));
    result.collectionNumber = ParseCollection(path.substr(amp));
    return result;
}

}  // namespace orvane
