#pragma once
// Report descriptors of the emulated keyboard's two USB interfaces. Interface 0 is the boot
// keyboard of the maker's common firmware (as on the pad). Interface 1 carries an n-key
// roll-over keyboard, system and consumer controls and the vendor command collection; the
// consumer collection also announces profile switches (0x0401) and, for the host's reactive
// lighting, each key press (0x0500 + slot) and release (0x0600 + slot).

#include <array>
#include <cstdint>

#include "sim/PadDescriptors.h"

namespace orvane::sim {

inline constexpr const auto& kKeyboardBootInterfaceDescriptor = kPadKeyboardInterfaceDescriptor;

// Interface 1, four top-level collections in this order (col01..col04):
//   col01 keyboard, report 1: modifier bits and a bitmap of usages 0..0x97 (input 21 bytes)
//   col02 system control, report 2: power down / sleep / wake up bits (input 2 bytes)
//   col03 consumer control, report 3: one 16-bit usage slot, 0..0x0FFF (input 3 bytes)
//   col04 vendor 0xFF1C:0x92, report 4: 63 bytes each way (input and output 64 bytes)
inline constexpr std::array<uint8_t, 126> kKeyboardCommandInterfaceDescriptor = {
    // col01
    0x05, 0x01,        // Usage Page (Generic Desktop)
    0x09, 0x06,        // Usage (Keyboard)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x01,        //   Report ID (1)
    0x05, 0x07,        //   Usage Page (Keyboard/Keypad)
    0x19, 0xE0,        //   Usage Minimum (Left Control)
    0x29, 0xE7,        //   Usage Maximum (Right GUI)
    0x15, 0x00,        //   Logical Minimum (0)
    0x25, 0x01,        //   Logical Maximum (1)
    0x75, 0x01,        //   Report Size (1)
    0x95, 0x08,        //   Report Count (8)
    0x81, 0x02,        //   Input (Data, Variable, Absolute)
    0x19, 0x00,        //   Usage Minimum (0)
    0x29, 0x97,        //   Usage Maximum (0x97)
    0x95, 0x98,        //   Report Count (152)
    0x81, 0x02,        //   Input (Data, Variable, Absolute)
    0x05, 0x08,        //   Usage Page (LEDs)
    0x19, 0x01,        //   Usage Minimum (Num Lock)
    0x29, 0x05,        //   Usage Maximum (Kana)
    0x95, 0x05,        //   Report Count (5)
    0x91, 0x02,        //   Output (Data, Variable, Absolute)
    0x95, 0x03,        //   Report Count (3)
    0x91, 0x01,        //   Output (Constant)
    0xC0,              // End Collection
    // col02
    0x05, 0x01,        // Usage Page (Generic Desktop)
    0x09, 0x80,        // Usage (System Control)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x02,        //   Report ID (2)
    0x19, 0x81,        //   Usage Minimum (System Power Down)
    0x29, 0x83,        //   Usage Maximum (System Wake Up)
    0x15, 0x00,        //   Logical Minimum (0)
    0x25, 0x01,        //   Logical Maximum (1)
    0x75, 0x01,        //   Report Size (1)
    0x95, 0x03,        //   Report Count (3)
    0x81, 0x02,        //   Input (Data, Variable, Absolute)
    0x95, 0x05,        //   Report Count (5)
    0x81, 0x01,        //   Input (Constant)
    0xC0,              // End Collection
    // col03
    0x05, 0x0C,        // Usage Page (Consumer)
    0x09, 0x01,        // Usage (Consumer Control)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x03,        //   Report ID (3)
    0x19, 0x00,        //   Usage Minimum (0)
    0x2A, 0xFF, 0x0F,  //   Usage Maximum (0x0FFF)
    0x15, 0x00,        //   Logical Minimum (0)
    0x26, 0xFF, 0x0F,  //   Logical Maximum (0x0FFF)
    0x75, 0x10,        //   Report Size (16)
    0x95, 0x01,        //   Report Count (1)
    0x81, 0x00,        //   Input (Data, Array, Absolute)
    0xC0,              // End Collection
    // col04
    0x06, 0x1C, 0xFF,  // Usage Page (Vendor 0xFF1C)
    0x09, 0x92,        // Usage (0x92)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x04,        //   Report ID (4)
    0x15, 0x00,        //   Logical Minimum (0)
    0x26, 0xFF, 0x00,  //   Logical Maximum (255)
    0x75, 0x08,        //   Report Size (8)
    0x95, 0x3F,        //   Report Count (63)
    0x09, 0x01,        //   Usage (0x01)
    0x81, 0x02,        //   Input (Data, Variable, Absolute)
    0x09, 0x02,        //   Usage (0x02)
    0x91, 0x02,        //   Output (Data, Variable, Absolute)
    0xC0,              // End Collection
};
static_assert(kKeyboardCommandInterfaceDescriptor.back() == 0xC0, "element count out of step with the bytes");

}  // namespace orvane::sim
