#include "headset/osconf/UsbSoundCard.h"

#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace orvane::osconf {
namespace {

std::optional<uint16_t> HexWord(std::string_view text) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (error != std::errc() || end != text.data() + text.size() || text.size() != 4) return std::nullopt;
    return static_cast<uint16_t>(value);
}

// The first line of a small sysfs attribute file; nullopt when it cannot be read.
std::optional<uint16_t> IdFile(const std::string& path) {
    std::ifstream in(path);
    char line[16] = {};
    if (!in.getline(line, sizeof line)) return std::nullopt;
    return HexWord(line);
}

// "card" followed by a decimal number only (not "controlC0" or "pcmC0D0p").
std::optional<int> CardNumber(const std::string& name) {
    constexpr std::string_view kPrefix = "card";
    if (!name.starts_with(kPrefix) || name.size() == kPrefix.size() || name.size() > kPrefix.size() + 3) return std::nullopt;
    int number = 0;
    const char* begin = name.data() + kPrefix.size();
    const auto [end, error] = std::from_chars(begin, name.data() + name.size(), number);
    if (error != std::errc() || end != name.data() + name.size()) return std::nullopt;
    return number;
}

}  // namespace

std::optional<UsbId> ParseUsbId(std::string_view text) {
    const size_t colon = text.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    const auto vendor = HexWord(text.substr(0, colon));
    const auto product = HexWord(text.substr(colon + 1));
    if (!vendor || !product) return std::nullopt;
    return UsbId{*vendor, *product};
}

UsbId HeadsetUsbId() {
    const char* text = std::getenv("ORVANE_HEADSET_USB_ID");
    return text != nullptr ? ParseUsbId(text).value_or(kHeadsetUsbId) : kHeadsetUsbId;
}

std::string SysfsRoot() {
    const char* root = std::getenv("ORVANE_SYSFS_ROOT");
    return root != nullptr && *root != '\0' ? root : "/sys";
}

std::optional<int> FindUsbSoundCard(const std::string& sysfsRoot, UsbId id) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::directory_iterator cards(sysfsRoot + "/class/sound", error);
    if (error) return std::nullopt;
    std::optional<int> found;
    for (; !error && cards != fs::directory_iterator(); cards.increment(error)) {
        const fs::directory_entry& entry = *cards;
        const std::optional<int> number = CardNumber(entry.path().filename().string());
        if (!number || (found && *found < *number)) continue;
        // The card's device is the USB interface; the ids are the USB device's, one level up.
        const std::string usbDevice = entry.path().string() + "/device/..";
        if (IdFile(usbDevice + "/idVendor") == id.vendor && IdFile(usbDevice + "/idProduct") == id.product) found = number;
    }
    return found;
}

}  // namespace orvane::osconf
