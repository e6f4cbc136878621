// What the profile panel says for the list's results.
#include <gtest/gtest.h>

#include "pages/ProfilePanelTexts.h"

namespace orvane::test {
namespace {

TEST(ProfilePanelTexts, EachRefusedNameHasItsMessage) {
    const struct {
        ProfileNameRefusal refusal;
        const char* message;
    } cases[] = {
        {ProfileNameRefusal::kNone, nullptr},
        {ProfileNameRefusal::kEmpty, "message_text_5_1"},
        {ProfileNameRefusal::kHasWhiteSpace, "message_text_5_2"},
        {ProfileNameRefusal::kTaken, "message_text_5"},
    };
    for (const auto& c : cases) EXPECT_STREQ(RefusalMessageId(c.refusal), c.message);
}

TEST(ProfilePanelTexts, OnlyKeyboardsReportTheResetMacroWrite) {
    const struct {
        int kind;
        int result;
        const char* message;
    } cases[] = {
        {kDeviceKeyboard, 0, nullptr},
        {kDeviceKeyboard, -1, "message_text_7"},
        {kDeviceKeyboard, 12, "message_text_16"},
        {kDeviceMouse, -1, nullptr},
        {kDeviceMouse, 12, nullptr},
    };
    for (const auto& c : cases) EXPECT_STREQ(ResetMacroMessage(c.kind, c.result), c.message) << c.kind << " " << c.result;
}

}  // namespace
}  // namespace orvane::test
