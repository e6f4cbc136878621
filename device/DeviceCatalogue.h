#pragma once
// The program's constant knowledge of its devices: the HID interfaces it accepts, the models it
// builds pages for and their update identities. A device matching no row
// is ignored.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "device/DeviceKind.h"

namespace orvane {

inline constexpr uint16_t kRoleCommand = 0x00;
inline constexpr uint16_t kRoleEvent = 0xFF;

// One HID interface: a slot of the device list and a row of the supported-interface table.
struct DeviceRecord {
    uint16_t vid = 0;
    uint16_t pid = 0;
    uint16_t interfaceNumber = 0;
    uint16_t collectionNumber = 0;
    uint16_t type = 0;
    uint16_t role = 0;
    uint16_t connected = 0;
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    uint16_t paired = 0;
    uint16_t partnerSlot = 0;
    std::string path;
};

// Same interface: equal VID, PID, interface, collection, type, role, usage page and usage.
bool SameInterface(const DeviceRecord& a, const DeviceRecord& b);

// One supported model; the page catalogue (pages/) holds what its page is built from.
struct CatalogueEntry {
    const char* folderName;
    int deviceNumber;
    uint16_t vid;
    uint16_t pid;
    uint16_t type;
    uint16_t role;
};

struct UpdateIdentity {
    int kind;   // 2 mouse, 1 keyboard, 0 the program itself
    int group;
    uint32_t versionNumber;  // filled at run time
    const char* vendor;
    const char* chip;
    const char* model;
    const char* displayName;
    const char* versionText;
};

inline constexpr size_t kSupportedInterfaceCount = 9;
inline constexpr size_t kCatalogueRowCount = 5;
inline constexpr size_t kUpdateIdentityCount = 6;

const std::array<DeviceRecord, kSupportedInterfaceCount>& SupportedInterfaces();
const std::array<CatalogueEntry, kCatalogueRowCount>& Catalogue();
// A fresh copy each call: the version numbers are filled in by the caller.
std::array<UpdateIdentity, kUpdateIdentityCount> UpdateIdentities();

// First row with all four equal, else -1.
int FindCatalogueRow(uint16_t vid, uint16_t pid, uint16_t type, uint16_t role);
int FindInterfaceRow(uint16_t vid, uint16_t pid, uint16_t type, uint16_t role);

// The device slot list: a copy of the supported-interface table, never resized.
using DeviceSlotList = std::vector<DeviceRecord>;
DeviceSlotList MakeDeviceSlotList();

// `found` has VID, PID, interface and collection from its path.
bool IsUnclaimedSupported(const DeviceSlotList& slots, const DeviceRecord& found);
bool AllSlotsClaimed(const DeviceSlotList& slots);
// `found` now also carries usage page and usage; on success it gets type and role from the table,
// the slot is marked connected with the found path, and `slotIndex` names it.
bool ClaimSlot(DeviceSlotList& slots, DeviceRecord& found, int& slotIndex);

}  // namespace orvane
