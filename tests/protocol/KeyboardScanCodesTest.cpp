// The keyboard key table's scan codes against the Linux key codes a capture reports: every row with
// a scan code is reached from a key code, and from the code of that very key.
#include <gtest/gtest.h>

#include <linux/input-event-codes.h>

#include <set>

#include "platform/EvdevScanCodes.h"
#include "protocol/KeyCodeTables.h"

namespace orvane {
namespace {

TEST(KeyboardScanCodesTest, EveryRowWithAScanCodeIsReachableFromALinuxKeyCode) {
    std::set<int> reached;
    for (uint16_t code = 1; code < 256; ++code) {
        const auto scan = PcScanCodeOfEvdev(code);
        if (!scan) continue;
        if (const auto row = FindKeyboardRowByScanCode(scan->code, scan->extended)) reached.insert(*row);
    }
    for (int row = 0; row < kScanCodeRows; ++row) {
        EXPECT_TRUE(reached.contains(row)) << KeyboardKeyRows()[static_cast<size_t>(row)].nameKey;
    }
}

TEST(KeyboardScanCodesTest, KeysReachTheirOwnRows) {
    const std::pair<uint16_t, const char*> keys[] = {
        {KEY_A, "keyboard_key_A"},           {KEY_LEFTCTRL, "keyboard_key_LCtrl"}, {KEY_RIGHTCTRL, "keyboard_key_RCtrl"},
        {KEY_ENTER, "keyboard_key_Enter"},   {KEY_KPENTER, "keyboard_key_Num Enter"}, {KEY_NUMLOCK, "keyboard_key_Num Lock"},
        {KEY_PAUSE, "keyboard_key_Pause"},   {KEY_SYSRQ, "keyboard_key_Print Scr"}, {KEY_KPASTERISK, "keyboard_key_Num *"},
        {KEY_COMPOSE, "keyboard_key_App"},   {KEY_LEFTMETA, "keyboard_key_LWin"},  {KEY_RIGHTSHIFT, "keyboard_key_RShift"},
        {KEY_102ND, "keyboard_key_K45"},     {KEY_RO, "keyboard_key_K56"},        {KEY_YEN, "keyboard_key_K14"},
        {KEY_UP, "keyboard_key_Up"},         {KEY_KP8, "keyboard_key_Num 8"},     {KEY_F12, "keyboard_key_F12"},
        {KEY_CAPSLOCK, "keyboard_key_Caplk"}, {KEY_COMMA, "keyboard_key_<"},
    };
    for (const auto& [code, name] : keys) {
        const auto scan = PcScanCodeOfEvdev(code);
        ASSERT_TRUE(scan) << name;
        const auto row = FindKeyboardRowByScanCode(scan->code, scan->extended);
        ASSERT_TRUE(row) << name;
        EXPECT_STREQ(KeyboardKeyRows()[static_cast<size_t>(*row)].nameKey, name);
    }
    EXPECT_FALSE(PcScanCodeOfEvdev(KEY_MUTE)) << "media keys have no set-1 row";
}

}  // namespace
}  // namespace orvane
