#include <gtest/gtest.h>

#include "device/DeviceCatalogue.h"
#include "device/HidPath.h"

namespace orvane {
namespace {

DeviceRecord Found(const std::string& path, uint16_t usagePage, uint16_t usage) {
    DeviceRecord r;
    r.vid = ParseVid(path);
    r.pid = ParsePid(path);
    r.interfaceNumber = ParseInterface(path);
    r.collectionNumber = ParseCollection(path);
    r.usagePage = usagePage;
    r.usage = usage;
    r.path = path;
    return r;
}

TEST(DeviceCatalogue, MouseCollectionsClaimTheirSlots) {
    DeviceSlotList slots = MakeDeviceSlotList();
    ASSERT_EQ(slots.size(), 9u);
    EXPECT_FALSE(AllSlotsClaimed(slots));

    auto command = Found("/dev/hidraw1&vid_320f&pid_2211&mi_01&col04", 0xFF1C, 0x92);
    ASSERT_TRUE(IsUnclaimedSupported(slots, command));
    int slot = -1;
    ASSERT_TRUE(ClaimSlot(slots, command, slot));
    EXPECT_EQ(slot, 2);
    EXPECT_EQ(command.type, kDeviceMouse);
    EXPECT_EQ(command.role, kRoleCommand);
    EXPECT_EQ(slots[2].connected, 1);
    EXPECT_EQ(slots[2].path, command.path);

    auto event = Found("/dev/hidraw1&vid_320f&pid_2211&mi_01&col03", 0x0C, 0x01);
    ASSERT_TRUE(ClaimSlot(slots, event, slot));
    EXPECT_EQ(slot, 3);
    EXPECT_EQ(event.role, kRoleEvent);
}

TEST(DeviceCatalogue, SecondIdenticalMouseFindsNoFreeSlot) {
    DeviceSlotList slots = MakeDeviceSlotList();
    auto first = Found("/dev/hidraw1&vid_320f&pid_2211&mi_01&col04", 0xFF1C, 0x92);
    auto second = Found("/dev/hidraw5&vid_320f&pid_2211&mi_01&col04", 0xFF1C, 0x92);
    int slot = -1;
    ASSERT_TRUE(ClaimSlot(slots, first, slot));
    EXPECT_FALSE(IsUnclaimedSupported(slots, second));
    EXPECT_FALSE(ClaimSlot(slots, second, slot));
}

TEST(DeviceCatalogue, UsagePageMismatchPassesPrefilterButCannotClaim) {
    DeviceSlotList slots = MakeDeviceSlotList();
    auto odd = Found("/dev/hidraw1&vid_320f&pid_2211&mi_01&col04", 0x0001, 0x06);
    EXPECT_TRUE(IsUnclaimedSupported(slots, odd));
    int slot = -1;
    EXPECT_FALSE(ClaimSlot(slots, odd, slot));
    EXPECT_EQ(slots[2].connected, 0);
}

TEST(DeviceCatalogue, UnknownDeviceIsNotSupported) {
    DeviceSlotList slots = MakeDeviceSlotList();
    EXPECT_FALSE(IsUnclaimedSupported(slots, Found("/dev/hidraw0&vid_046d&pid_c077&mi_00", 1, 2)));
}

TEST(DeviceCatalogue, Lookups) {
    EXPECT_EQ(FindCatalogueRow(0x320F, 0x2211, kDeviceMouse, kRoleCommand), 0);
    EXPECT_EQ(FindCatalogueRow(0x320F, 0x2211, kDeviceSlowLinkMouse, kRoleCommand), -1);
    EXPECT_EQ(FindInterfaceRow(0x0D8C, 0x01DA, kDeviceHeadset, kRoleCommand), 6);
    // Both keyboard catalogue rows resolve to the first matching interface row.
    EXPECT_EQ(FindInterfaceRow(0, 0, kDeviceKeyboard, kRoleCommand), 0);
    EXPECT_EQ(FindCatalogueRow(0, 0, kDeviceKeyboard, kRoleCommand), 1);
}

TEST(DeviceCatalogue, SameInterfaceIgnoresConnectionStateAndPath) {
    DeviceRecord a = SupportedInterfaces()[2];
    DeviceRecord b = a;
    b.connected = 1;
    b.path = "/dev/hidraw9&vid_320f&pid_2211&mi_01&col04";
    b.paired = 1;
    EXPECT_TRUE(SameInterface(a, b));
    b.usage = 0x93;
    EXPECT_FALSE(SameInterface(a, b));
}

TEST(DeviceCatalogue, EmptyOrFullListCountsAsAllClaimed) {
    EXPECT_TRUE(AllSlotsClaimed({}));
    DeviceSlotList slots = MakeDeviceSlotList();
    for (auto& s : slots) s.path = "x";
    EXPECT_TRUE(AllSlotsClaimed(slots));
}

}  // namespace
}  // namespace orvane
