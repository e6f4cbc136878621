#include "device/DeviceCatalogue.h"

namespace orvane {
namespace {

DeviceRecord Row(uint16_t vid, uint16_t pid, uint16_t mi, uint16_t col, uint16_t type, uint16_t role, uint16_t page,
                 uint16_t usage) {
    DeviceRecord r;
    r.vid = vid;
    r.pid = pid;
    r.interfaceNumber = mi;
    r.collectionNumber = col;
    r.type = type;
    r.role = role;
    r.usagePage = page;
    r.usage = usage;
    return r;
}

bool SameAddress(const DeviceRecord& a, const DeviceRecord& b) {
    return a.vid == b.vid && a.pid == b.pid && a.interfaceNumber == b.interfaceNumber &&
           a.collectionNumber == b.collectionNumber;
}

bool SameAddressAndUsage(const DeviceRecord& a, const DeviceRecord& b) {
    return SameAddress(a, b) && a.usagePage == b.usagePage && a.usage == b.usage;
}

bool IsFree(const DeviceRecord& slot) { return slot.connected == 0 && slot.path.empty(); }

}  // namespace

bool SameInterface(const DeviceRecord& a, const DeviceRecord& b) {
    return SameAddressAndUsage(a, b) && a.type == b.type && a.role == b.role;
}

const std::array<DeviceRecord, kSupportedInterfaceCount>& SupportedInterfaces() {
    static const std::array<DeviceRecord, kSupportedInterfaceCount> rows = {
        Row(0x0000, 0x0000, 1, 4, kDeviceKeyboard, kRoleCommand, 0xFF1C, 0x92),
        Row(0x0000, 0x0000, 1, 3, kDeviceKeyboard, kRoleEvent, 0x0C, 0x01),
        Row(0x320F, 0x2211, 1, 4, kDeviceMouse, kRoleCommand, 0xFF1C, 0x92),
        Row(0x320F, 0x2211, 1, 3, kDeviceMouse, kRoleEvent, 0x0C, 0x01),
        Row(0x0C45, 0x6627, 1, 4, kDeviceMousePad, kRoleCommand, 0xFF1C, 0x92),
        Row(0x0C45, 0x6627, 1, 3, kDeviceMousePad, kRoleEvent, 0x0C, 0x01),
        Row(0x0D8C, 0x01DA, 3, 0, kDeviceHeadset, kRoleCommand, 0x0C, 0x01),
        Row(0x0000, 0x0000, 1, 4, kDeviceKeyboard, kRoleCommand, 0xFF1C, 0x92),
        Row(0x0000, 0x0000, 1, 3, kDeviceKeyboard, kRoleEvent, 0x0C, 0x01),
    };
    return rows;
}

const std::array<CatalogueEntry, kCatalogueRowCount>& Catalogue() {
    static constexpr std::array<CatalogueEntry, kCatalogueRowCount> rows = {{
        {"mouse", 1, 0x320F,
         0x2211, kDeviceMouse, kRoleCommand},
        {"keyboard", 0, 0x0000,
         0x0000, kDeviceKeyboard, kRoleCommand},
        {"MousePad", 2, 0x0C45,
         0x6627, kDeviceMousePad, kRoleCommand},
        {"HD", 3, 0x0D8C, 0x01DA,
         kDeviceHeadset, kRoleCommand},
        {"keyboard4760", 4,
         0x0000, 0x0000, kDeviceKeyboard, kRoleCommand},
    }};
    return rows;
}

std::array<UpdateIdentity, kUpdateIdentityCount> UpdateIdentities() {
    return {{
        {2, 2, 0, "VEXAL", "QM52P18C_1", "Q730", "Q730:", "V0100"},
        {1, 0, 0, "VEXAL", "QM52P27C", "HALDEN RB-KITE60", "HALDEN RB-KITE60 :", ""},
        {2, 3, 0, "VEXAL", "QM52P18C_1", "4718", "4718", ""},
        {2, 3, 0, "VEXAL", "QM52P18C_1", "4718", "4718", ""},
        {1, 1, 0, "VEXAL", "QM52P31C", "HALDEN RB-KITE40", "HALDEN RB-KITE40 :", ""},
        {0, 3, 0, "VEXAL", "ALL", "R37_BX2_BX1", "ORVANE Q730 Gaming Mouse:", "V0100"},
    }};
}

int FindCatalogueRow(uint16_t vid, uint16_t pid, uint16_t type, uint16_t role) {
    const auto& rows = Catalogue();
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].vid == vid && rows[i].pid == pid && rows[i].type == type && rows[i].role == role)
            return static_cast<int>(i);
    return -1;
}

int FindInterfaceRow(uint16_t vid, uint16_t pid, uint16_t type, uint16_t role) {
    const auto& rows = SupportedInterfaces();
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].vid == vid && rows[i].pid == pid && rows[i].type == type && rows[i].role == role)
            return static_cast<int>(i);
    return -1;
}

DeviceSlotList MakeDeviceSlotList() {
    const auto& rows = SupportedInterfaces();
    return DeviceSlotList(rows.begin(), rows.end());
}

bool IsUnclaimedSupported(const DeviceSlotList& slots, const DeviceRecord& found) {
    bool supported = false;
    for (const auto& row : SupportedInterfaces()) supported = supported || SameAddress(row, found);
    if (!supported) return false;
    for (const auto& slot : slots)
        if (SameAddress(slot, found) && IsFree(slot)) return true;
    return false;
}

bool AllSlotsClaimed(const DeviceSlotList& slots) {
    for (const auto& slot : slots)
        if (IsFree(slot)) return false;
    return true;
}

bool ClaimSlot(DeviceSlotList& slots, DeviceRecord& found, int& slotIndex) {
    const DeviceRecord* row = nullptr;
    for (const auto& r : SupportedInterfaces()) {
        if (SameAddressAndUsage(r, found)) {
            row = &r;
            break;
        }
    }
    if (row == nullptr) return false;
    found.type = row->type;
    found.role = row->role;
    for (size_t i = 0; i < slots.size(); ++i) {
        DeviceRecord& slot = slots[i];
        if (SameAddressAndUsage(slot, found) && IsFree(slot)) {
            slot.connected = 1;
            slot.path = found.path;
            slotIndex = static_cast<int>(i);
            return true;
        }
    }
    return false;
}

}  // namespace orvane
