#include <gtest/gtest.h>

#include "device/DeviceKind.h"
#include "light/LightPanelRules.h"

namespace orvane::test {
namespace {

// One letter per area: E enabled, D disabled, H disabled and hidden, S shown, h hidden, '.' untouched.
char Code(const AreaState& s) {
    if (s.enabled == false && s.visible == false) return 'H';
    if (s.enabled) return *s.enabled ? 'E' : 'D';
    if (s.visible) return *s.visible ? 'S' : 'h';
    return '.';
}

// Effect, colourful, colour, palette, brightness, speed, direction, brightness row, speed row,
// on/off, custom, same-mode button.
std::string Codes(const LightPanelLayout& l) {
    std::string codes;
    for (const AreaState& s : l.areas) codes += Code(s);
    return codes;
}

struct LayoutCase {
    int kind;
    int mode;
    bool sync;
    const char* codes;
};

TEST(LightPanelRulesTest, EachKindAndModeEnablesTheAreasOfItsRow) {
    const LayoutCase cases[] = {
        {kDeviceMouse, 0, true, "EDDDEEHShh.S"},
        {kDeviceMouse, 3, false, "EEEEEEHShh.h"},
        {kDeviceMouse, 4, true, "EDDEEDHShh.S"},
        {kDeviceMouse, 6, true, "EDDDEEHSSh.S"},
        {kDeviceMouse, 7, true, "EDDDHDHShh.S"},
        {kDeviceMouse, 8, true, "DEEEEEHShh.S"},
        {kDeviceMouse, 9, true, "EDDDDDHShh.S"},  // a user effect: only the effect list
        {kDeviceMouse, 40, false, "EDDDDDHShh.h"},
        {kDeviceSlowLinkMouse, 3, false, "EEEEEEHShh.h"},
        {kDeviceMousePad, 0, true, "EEEEEEE....h"},
        {kDeviceMousePad, 1, true, "EDDDEED....S"},
        {kDeviceMousePad, 3, true, "EDEEEDD....S"},
        {kDeviceHeadset, 8, false, "EDDDDDD....h"},
        {kDeviceHeadset, 6, true, "EDDDDDD....h"},
        {kDeviceKeyboard, 0, true, "EDDDEHhSShhS"},
        {kDeviceKeyboard, 2, true, "EDDDEHhSShhh"},
        {kDeviceKeyboard, 4, true, "EDDDEESSShhh"},
        {kDeviceKeyboard, 20, true, "EDDDEHhSSSSh"},
        {kDeviceKeyboard, 21, true, "EDDDHHhSShhS"},
        {kDeviceKeyboard, 22, true, "EDDDDDhSShhh"},
    };
    for (const LayoutCase& c : cases) {
        EXPECT_EQ(Codes(LightLayoutFor(c.kind, c.mode, c.sync)), c.codes) << "kind " << c.kind << " mode " << c.mode;
    }
    EXPECT_EQ(Codes(LightLayoutFor(5, 0, true)), "............");
}

TEST(LightPanelRulesTest, KeyboardModesNameTheDirectionsTheyRun) {
    const struct {
        int mode;
        std::string right, left;
    } cases[] = {
        {3, "light_set_left_to_right_text", "light_set_right_to_left_text"},
        {5, "light_set_up_to_down_text", "light_set_down_to_up_text"},
        {7, "light_set_anti_clock_text", "light_set_clockwise_text"},
        {8, "light_set_inside_to_outside_text", "light_set_outside_to_inside_text"},
    };
    for (const auto& c : cases) {
        const LightPanelLayout l = LightLayoutFor(kDeviceKeyboard, c.mode, false);
        EXPECT_EQ(l.rightText, c.right);
        EXPECT_EQ(l.leftText, c.left);
    }
    EXPECT_EQ(LightLayoutFor(kDeviceMouse, 3, false).rightText, nullptr);
}

TEST(LightPanelRulesTest, CommonEffectsTranslateEveryKindsOwnModes) {
    // Copying mouse mode 4 (steady) gives a pad mode 3; mouse mode 1 (colour cycle) has no keyboard mode.
    EXPECT_EQ(CommonEffectOfMode(kDeviceMouse, 4), 1);
    EXPECT_EQ(ModeOfCommonEffect(kDeviceMousePad, 1), 3);
    EXPECT_EQ(CommonEffectOfMode(kDeviceMouse, 1), 3);
    EXPECT_EQ(ModeOfCommonEffect(kDeviceKeyboard, 3), std::nullopt);
    EXPECT_EQ(ModeOfCommonEffect(kDeviceHeadset, 3), 1);
    EXPECT_EQ(CommonEffectOfMode(kDeviceKeyboard, 2), std::nullopt);
    EXPECT_EQ(CommonEffectOfMode(kDeviceMouse, 0), std::nullopt);
    // Every effect a kind offers comes back to the mode it came from.
    for (int kind : {kDeviceKeyboard, kDeviceMouse, kDeviceMousePad, kDeviceHeadset}) {
        for (int effect = 0; effect < kCommonEffectCount; ++effect) {
            if (const auto mode = ModeOfCommonEffect(kind, effect)) {
                EXPECT_EQ(CommonEffectOfMode(kind, *mode), effect);
            }
        }
    }
}

}  // namespace
}  // namespace orvane::test
