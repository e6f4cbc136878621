#include "device/UdevHidrawMonitor.h"

#include <cerrno>
#include <libudev.h>
#include <unistd.h>

namespace orvane {
namespace {

// A burst longer than this (hundreds of nodes at once) is read on the next wake-up.
constexpr int kMaxEventsPerDrain = 256;

class UdevHidrawMonitor final : public HidChangeMonitor {
public:
    UdevHidrawMonitor(udev* context, udev_monitor* monitor) : context_(context), monitor_(monitor) {}
    ~UdevHidrawMonitor() override {
        udev_monitor_unref(monitor_);
        udev_unref(context_);
    }
    UdevHidrawMonitor(const UdevHidrawMonitor&) = delete;
    UdevHidrawMonitor& operator=(const UdevHidrawMonitor&) = delete;

    int Fd() const override { return udev_monitor_get_fd(monitor_); }

    bool Drain() override {
        // Which node and action does not matter: the scan pass that follows looks at the whole bus.
        for (int i = 0; i < kMaxEventsPerDrain; ++i) {
            errno = 0;
            udev_device* device = udev_monitor_receive_device(monitor_);
            if (device == nullptr) {
                // ENOBUFS: the socket overflowed and events were lost; the full pass still sees everything.
                return errno == 0 || errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR || errno == ENOBUFS;
            }
            udev_device_unref(device);
        }
        return true;
    }

private:
    udev* context_;
    udev_monitor* monitor_;
};

}  // namespace

std::unique_ptr<HidChangeMonitor> WatchHidrawNodes(const std::string& udevRunFolder) {
    if (::access((udevRunFolder + "/control").c_str(), F_OK) != 0) return nullptr;
    udev* context = udev_new();
    if (context == nullptr) return nullptr;
    udev_monitor* monitor = udev_monitor_new_from_netlink(context, "udev");
    if (monitor == nullptr || udev_monitor_filter_add_match_subsystem_devtype(monitor, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor) < 0 || udev_monitor_get_fd(monitor) < 0) {
        if (monitor != nullptr) udev_monitor_unref(monitor);
        udev_unref(context);
        return nullptr;
    }
    return std::make_unique<UdevHidrawMonitor>(context, monitor);
}

}  // namespace orvane
