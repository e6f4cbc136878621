#pragma once
// The kind of a device: the type column of the catalogue, a page's device kind and the kind a
// profile list belongs to.

#include <cstdint>

namespace orvane {

enum DeviceType : uint16_t {
    kDeviceKeyboard = 1,
    kDeviceMouse = 2,
    kDeviceMousePad = 3,
    kDeviceSlowLinkMouse = 6,
    kDeviceHeadset = 7,
};

}  // namespace orvane
