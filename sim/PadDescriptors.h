#pragma once
// Report descriptors of the emulated mouse pad's two USB interfaces. The pad's controller runs
// the maker's common firmware: interface 0 is a boot keyboard that never sends a key, and
// interface 1 is byte for byte the Q730's (keyboard, system control, consumer control with the
// profile-switch usage, and the vendor command collection).

#include <array>
#include <cstdint>

#include "sim/Q730Descriptors.h"

namespace orvane::sim {

// Interface 0: boot keyboard, no report ids: modifiers, a reserved byte and six key slots in,
// five LED bits out.
inline constexpr std::array<uint8_t, 63> kPadKeyboardInterfaceDescriptor = {
    0x05, 0x01,  // Usage Page (Generic Desktop)
    0x09, 0x06,  // Usage (Keyboard)
    0xA1, 0x01,  // Collection (Application)
    0x05, 0x07,  //   Usage Page (Keyboard/Keypad)
    0x19, 0xE0,  //   Usage Minimum (Left Control)
    0x29, 0xE7,  //   Usage Maximum (Right GUI)
    0x15, 0x00,  //   Logical Minimum (0)
    0x25, 0x01,  //   Logical Maximum (1)
    0x75, 0x01,  //   Report Size (1)
    0x95, 0x08,  //   Report Count (8)
    0x81, 0x02,  //   Input (Data, Variable, Absolute)
    0x95, 0x01,  //   Report Count (1)
    0x75, 0x08,  //   Report Size (8)
    0x81, 0x01,  //   Input (Constant)
    0x95, 0x05,  //   Report Count (5)
    0x75, 0x01,  //   Report Size (1)
    0x05, 0x08,  //   Usage Page (LEDs)
    0x19, 0x01,  //   Usage Minimum (Num Lock)
    0x29, 0x05,  //   Usage Maximum (Kana)
    0x91, 0x02,  //   Output (Data, Variable, Absolute)
    0x95, 0x01,  //   Report Count (1)
    0x75, 0x03,  //   Report Size (3)
    0x91, 0x01,  //   Output (Constant)
    0x95, 0x06,  //   Report Count (6)
    0x75, 0x08,  //   Report Size (8)
    0x15, 0x00,  //   Logical Minimum (0)
    0x25, 0x65,  //   Logical Maximum (101)
    0x05, 0x07,  //   Usage Page (Keyboard/Keypad)
    0x19, 0x00,  //   Usage Minimum (0)
    0x29, 0x65,  //   Usage Maximum (101)
    0x81, 0x00,  //   Input (Data, Array, Absolute)
    0xC0,        // End Collection
};
static_assert(kPadKeyboardInterfaceDescriptor.back() == 0xC0, "element count out of step with the bytes");

inline constexpr const auto& kPadCommandInterfaceDescriptor = kQ730CommandInterfaceDescriptor;

}  // namespace orvane::sim
