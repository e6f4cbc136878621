#pragma once
// hidraw hot-plug events from udev's netlink group. udev announces a node only once its rules
// have run (permissions included), so a scan pass woken by the event can open the node at once.

#include <memory>
#include <string>

#include "device/HidBackend.h"

namespace orvane {

// nullptr when udev cannot tell: no udev daemon (its "control" socket missing from
// `udevRunFolder`, as in most containers, where the netlink group stays silent) or no netlink
// socket for this process.
std::unique_ptr<HidChangeMonitor> WatchHidrawNodes(const std::string& udevRunFolder = "/run/udev");

}  // namespace orvane
