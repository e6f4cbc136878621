#pragma once
// Linux key codes (evdev, the XKB keycode minus 8 on X11 and Wayland alike) to the PC set-1 make
// code and extended flag a keyboard sends, as the keyboard key table of the key functions holds
// them.

#include <cstdint>
#include <optional>

namespace orvane {

struct PcScanCode {
    uint8_t code = 0;
    bool extended = false;
    bool operator==(const PcScanCode&) const = default;
};

// nullopt for a key no PC keyboard key of the table stands for.
std::optional<PcScanCode> PcScanCodeOfEvdev(uint16_t evdevCode);

}  // namespace orvane
