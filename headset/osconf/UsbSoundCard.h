#pragma once
// Finding the sound card of a USB device through sysfs: card N belongs to the USB device whose
// idVendor and idProduct sit beside the card's interface (<root>/class/sound/cardN/device/..).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvane::osconf {

struct UsbId {
    uint16_t vendor = 0;
    uint16_t product = 0;
};

// The headset's: 0d8c:01da.
inline constexpr UsbId kHeadsetUsbId{0x0D8C, 0x01DA};

// "vvvv:pppp" in hex; nullopt for anything else.
std::optional<UsbId> ParseUsbId(std::string_view text);
// $ORVANE_HEADSET_USB_ID when it parses, else the headset's.
UsbId HeadsetUsbId();
// $ORVANE_SYSFS_ROOT when set, else "/sys".
std::string SysfsRoot();
// The lowest card number of the device `id` below `sysfsRoot`; nullopt when there is none.
std::optional<int> FindUsbSoundCard(const std::string& sysfsRoot, UsbId id);

}  // namespace orvane::osconf
