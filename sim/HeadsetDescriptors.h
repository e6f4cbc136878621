#pragma once
// Report descriptor of the emulated headset's HID interface (USB interface 3; interfaces 0-2
// are its audio control and streams, which are no HID nodes). One top-level collection on the
// consumer page carries three reports:
//   report 1 in: volume up, volume down, mute, play/pause buttons (input 2 bytes)
//   report 4 in and out: the vendor command protocol, 63 bytes each way (64 with the id)
//   report 0xFF out: one light register write, 16 bytes (17 with the id)

#include <array>
#include <cstdint>

namespace orvane::sim {

inline constexpr std::array<uint8_t, 59> kHeadsetInterfaceDescriptor = {
    0x05, 0x0C,        // Usage Page (Consumer)
    0x09, 0x01,        // Usage (Consumer Control)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x01,        //   Report ID (1)
    0x15, 0x00,        //   Logical Minimum (0)
    0x25, 0x01,        //   Logical Maximum (1)
    0x75, 0x01,        //   Report Size (1)
    0x95, 0x04,        //   Report Count (4)
    0x09, 0xE9,        //   Usage (Volume Increment)
    0x09, 0xEA,        //   Usage (Volume Decrement)
    0x09, 0xE2,        //   Usage (Mute)
    0x09, 0xCD,        //   Usage (Play/Pause)
    0x81, 0x02,        //   Input (Data, Variable, Absolute)
    0x95, 0x04,        //   Report Count (4)
    0x81, 0x01,        //   Input (Constant)
    0x06, 0x1C, 0xFF,  //   Usage Page (Vendor 0xFF1C)
    0x85, 0x04,        //   Report ID (4)
    0x26, 0xFF, 0x00,  //   Logical Maximum (255)
    0x75, 0x08,        //   Report Size (8)
    0x95, 0x3F,        //   Report Count (63)
    0x09, 0x01,        //   Usage (0x01)
    0x81, 0x02,        //   Input (Data, Variable, Absolute)
    0x09, 0x02,        //   Usage (0x02)
    0x91, 0x02,        //   Output (Data, Variable, Absolute)
    0x85, 0xFF,        //   Report ID (0xFF)
    0x95, 0x10,        //   Report Count (16)
    0x09, 0x03,        //   Usage (0x03)
    0x91, 0x02,        //   Output (Data, Variable, Absolute)
    0xC0,              // End Collection
};
static_assert(kHeadsetInterfaceDescriptor.back() == 0xC0, "element count out of step with the bytes");

}  // namespace orvane::sim
