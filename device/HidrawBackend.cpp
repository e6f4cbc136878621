#include "device/HidrawBackend.h"

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "device/UdevHidrawMonitor.h"
#include "platform/AtomicFile.h"

namespace orvane {
namespace {

// The kernel caps report descriptors at 4 KiB.
constexpr size_t kMaxDescriptorBytes = 4096;
constexpr size_t kMaxUeventBytes = 16384;

bool IsHidrawName(const std::string& name) {
    if (name.rfind("hidraw", 0) != 0 || name.size() == 6) return false;
    for (size_t i = 6; i < name.size(); ++i)
        if (name[i] < '0' || name[i] > '9') return false;
    return true;
}

std::string UeventValue(const std::string& uevent, const std::string& key) {
    size_t pos = 0;
    while (pos < uevent.size()) {
        size_t end = uevent.find('\n', pos);
        if (end == std::string::npos) end = uevent.size();
        if (uevent.compare(pos, key.size() + 1, key + "=") == 0) return uevent.substr(pos + key.size() + 1, end - pos - key.size() - 1);
        pos = end + 1;
    }
    return {};
}

// "HID_ID=0003:0000320F:00002211": bus, vendor, product in hex.
bool ParseHidId(const std::string& text, unsigned& bus, unsigned& vendor, unsigned& product) {
    char* end = nullptr;
    const char* p = text.c_str();
    unsigned long values[3];
    for (int i = 0; i < 3; ++i) {
        errno = 0;
        values[i] = std::strtoul(p, &end, 16);
        if (end == p || errno != 0 || values[i] > 0xFFFFFFFFul) return false;
        if (i < 2) {
            if (*end != ':') return false;
            p = end + 1;
        }
    }
    if (*end != '\0') return false;
    bus = static_cast<unsigned>(values[0]);
    vendor = static_cast<unsigned>(values[1]);
    product = static_cast<unsigned>(values[2]);
    return vendor <= 0xFFFF && product <= 0xFFFF;
}

// "HID_PHYS=usb-0000:00:14.0-2/input1": the USB interface number.
int InterfaceFromPhys(const std::string& phys) {
    size_t at = phys.rfind("/input");
    if (at == std::string::npos) return -1;
    const char* digits = phys.c_str() + at + 6;
    char* end = nullptr;
    long n = std::strtol(digits, &end, 10);
    if (end == digits || n < 0 || n > 255) return -1;
    return static_cast<int>(n);
}

}  // namespace

HidrawBackend::HidrawBackend(std::string sysfsRoot, std::string deviceFolder, std::string udevRunFolder)
    : sysfsRoot_(std::move(sysfsRoot)), deviceFolder_(std::move(deviceFolder)), udevRunFolder_(std::move(udevRunFolder)) {}

std::optional<HidNodeInfo> HidrawBackend::ReadNodeInfo(const std::string& name) const {
    const std::string device = sysfsRoot_ + "/class/hidraw/" + name + "/device";
    std::string uevent;
    if (!ReadWholeFile(device + "/uevent", uevent, kMaxUeventBytes)) return std::nullopt;
    unsigned bus = 0, vendor = 0, product = 0;
    if (!ParseHidId(UeventValue(uevent, "HID_ID"), bus, vendor, product)) return std::nullopt;

    HidNodeInfo info;
    info.node = deviceFolder_ + "/" + name;
    info.vendorId = static_cast<uint16_t>(vendor);
    info.productId = static_cast<uint16_t>(product);
    constexpr unsigned kBusUsb = 3;
    info.interfaceNumber = bus == kBusUsb ? InterfaceFromPhys(UeventValue(uevent, "HID_PHYS")) : -1;

    std::string descriptor;
    if (!ReadWholeFile(device + "/report_descriptor", descriptor, kMaxDescriptorBytes)) return std::nullopt;
    info.reportDescriptor.assign(descriptor.begin(), descriptor.end());

    // bcdDevice of the USB device: two levels above the HID device (HID device → USB interface → USB device).
    std::string bcd;
    if (ReadWholeFile(device + "/../../bcdDevice", bcd, 64)) {
        unsigned long v = std::strtoul(bcd.c_str(), nullptr, 16);
        if (v <= 0xFFFF) info.versionNumber = static_cast<uint16_t>(v);
    }
    return info;
}

bool HidrawBackend::ListNodes(std::vector<HidNodeInfo>& nodes) {
    nodes.clear();
    const std::string folder = sysfsRoot_ + "/class/hidraw";
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return errno == ENOENT;  // no hidraw class at all: simply no devices
    while (const dirent* entry = ::readdir(dir)) {
        std::string name = entry->d_name;
        if (!IsHidrawName(name)) continue;
        if (auto info = ReadNodeInfo(name)) nodes.push_back(std::move(*info));
    }
    ::closedir(dir);
    return true;
}

std::optional<HidNodeInfo> HidrawBackend::QueryNode(const std::string& node) {
    const std::string prefix = deviceFolder_ + "/";
    if (node.rfind(prefix, 0) != 0) return std::nullopt;
    std::string name = node.substr(prefix.size());
    if (!IsHidrawName(name)) return std::nullopt;
    struct stat st {};
    if (::stat(node.c_str(), &st) != 0) return std::nullopt;
    return ReadNodeInfo(name);
}

int HidrawBackend::OpenNode(const std::string& node, bool read, bool write) {
    int flags = read && write ? O_RDWR : write ? O_WRONLY : O_RDONLY;
    int fd = ::open(node.c_str(), flags | O_NONBLOCK | O_CLOEXEC);
    return fd >= 0 ? fd : -errno;
}

std::unique_ptr<HidChangeMonitor> HidrawBackend::WatchChanges() {
    if (sysfsRoot_ != "/sys" || deviceFolder_ != "/dev") return nullptr;
    return WatchHidrawNodes(udevRunFolder_);
}

}  // namespace orvane
