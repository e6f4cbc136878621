// The key assignment panel's codes: each page's choice encodes to the exact three bytes and shows
// again as the same choice; keyboard codes, macros and the one-key capture by their edge cases.
#include <gtest/gtest.h>

#include "mouse/KeyAssignment.h"
#include "protocol/KeyCodeTables.h"

namespace orvane {
namespace {

constexpr FunctionCode kDefault{0x10, 0x02, 0x00};  // the right button's factory code
constexpr FunctionCode kCurrent{0x20, 0x00, 0x04};  // holds key A

KeyFunctionForm Page(int page) {
    KeyFunctionForm form;
    form.page = page;
    return form;
}

TEST(KeyAssignmentTest, EachPageEncodesToItsCodeAndShowsBackAsTheSameChoice) {
    struct Case {
        const char* what;
        KeyFunctionForm form;
        FunctionCode code;
    };
    auto with = [](int page, auto change) {
        KeyFunctionForm form = Page(page);
        change(form);
        return form;
    };
    const Case cases[] = {
        {"middle button", with(kPageMouseButton, [](auto& f) { f.entry = 1; }), {0x10, 0x04, 0x00}},
        {"move: direction 1, count 10, delay 0, speed 15",
         with(kPagePointerMove, [](auto& f) { f.direction = 1, f.count = 10, f.delay = 0, f.speed = 15; }), {0x11, 0x0F, 0x8A}},
        {"wheel down 3 steps, delay 2, speed 5",
         with(kPageWheel, [](auto& f) { f.direction = 1, f.count = 3, f.delay = 2, f.speed = 5; }), {0x12, 0x25, 0xFD}},
        {"wheel up 7", with(kPageWheel, [](auto& f) { f.direction = 0, f.count = 7, f.delay = 1, f.speed = 1; }), {0x12, 0x11, 0x07}},
        {"DPI cycle", with(kPageDpi, [](auto& f) { f.entry = 2; }), {0x13, 0x03, 0x00}},
        {"rapid fire", with(kPageRapidFire, [](auto& f) { f.interval = 40, f.fireCount = 3; }), {0x14, 40, 3}},
        {"Shift + A", with(kPageKeyboard, [](auto& f) { f.modifierOption = 2, f.keyName = "keyboard_key_A"; }), {0x20, 0x02, 0x04}},
        {"play/pause", with(kPageConsumer, [](auto& f) { f.entry = 1; }), {0x30, 0xCD, 0x00}},
        {"browser home", with(kPageConsumer, [](auto& f) { f.entry = 8; }), {0x30, 0x23, 0x02}},
        {"sleep", with(kPagePower, [](auto& f) { f.entry = 1; }), {0x40, 0x02, 0x00}},
        {"macro 1, play mode 2", with(kPageMacro, [](auto& f) { f.entry = 1, f.playMode = 2; }), {0x70, 0x01, 0x02}},
        {"macro 0 five times",
         with(kPageMacro, [](auto& f) { f.entry = 0, f.playMode = kPlayModeRepeatCount, f.repeatCount = 5, f.repeatShown = true; }),
         {0x71, 0x00, 0x05}},
        {"pattern 4", with(kPageShootPattern, [](auto& f) { f.entry = 3; }), {0x72, 0x03, 0x00}},
        {"Ctrl+V shortcut", with(kPageShortcut, [](auto& f) { f.entry = 6; }), {0x20, 0x01, 0x19}},
        {"special", Page(kPageSpecial), {0xA0, 0x02, 0x00}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EncodeKeyFunction(c.form, kCurrent, kDefault), c.code) << c.what;
        if (c.form.page == kPageShortcut) continue;  // shown on the keyboard page, below
        const ShownFunction shown = ShowKeyFunction(c.code, kDefault, 2);
        EXPECT_EQ(shown.form, c.form) << c.what;
        EXPECT_FALSE(shown.clearsCurrent) << c.what;
    }
}

TEST(KeyAssignmentTest, TheDefaultCodeAndPageZeroGoTogether) {
    EXPECT_EQ(EncodeKeyFunction(Page(kPageDefault), kCurrent, kDefault), kDefault);
    // The default shows as page 0 whatever its type; type 0 too; unknown types have no page.
    EXPECT_EQ(ShowKeyFunction(kDefault, kDefault, 0).form.page, kPageDefault);
    EXPECT_EQ(ShowKeyFunction({0x00, 0x05, 0x06}, kDefault, 0).form.page, kPageDefault);
    EXPECT_EQ(ShowKeyFunction({0x16, 0x90, 0x01}, kDefault, 0).form.page, kNoPage);
    // A table page without a selection keeps the current code.
    EXPECT_EQ(EncodeKeyFunction(Page(kPageMouseButton), kCurrent, kDefault), kCurrent);
}

TEST(KeyAssignmentTest, KeyboardCodesShowTheirModifierAndKey) {
    struct Case {
        FunctionCode code;
        int page;
        int option;
        const char* key;
        bool clears;
    };
    const Case cases[] = {
        {{0x20, 0x02, 0x04}, kPageKeyboard, 2, "keyboard_key_A", false},  // left Shift
        {{0x20, 0x20, 0x04}, kPageKeyboard, 2, "keyboard_key_A", false},  // right Shift: the same option
        {{0x20, 0x10, 0x06}, kPageKeyboard, 1, "keyboard_key_C", false},  // right Ctrl
        {{0x20, 0x03, 0x04}, kPageKeyboard, 0, "keyboard_key_A", false},  // two modifiers: none shown
        {{0x20, 0x01, 0x06}, kPageKeyboard, 1, "keyboard_key_C", false},  // a shortcut shows as Ctrl + C
        {{0x20, 0x02, 0x00}, kPageKeyboard, 0, "keyboard_key_LShift", false},
        {{0x20, 0x00, 0x28}, kPageKeyboard, 0, "keyboard_key_Enter", false},
        {{0x20, 0x00, 0x00}, kPageKeyboard, -1, "", true},
        {{0x20, 0x00, 0xEE}, kPageKeyboard, -1, "", true},
    };
    for (const Case& c : cases) {
        const ShownFunction shown = ShowKeyFunction(c.code, kDefault, 0);
        EXPECT_EQ(shown.form.page, c.page);
        EXPECT_EQ(shown.form.modifierOption, c.option) << int(c.code[1]) << " " << int(c.code[2]);
        EXPECT_EQ(shown.form.keyName, c.key) << int(c.code[1]) << " " << int(c.code[2]);
        EXPECT_EQ(shown.clearsCurrent, c.clears);
    }
    // The keyboard page without a key sends the modifier alone.
    KeyFunctionForm noKey = Page(kPageKeyboard);
    noKey.modifierOption = 3;
    EXPECT_EQ(EncodeKeyFunction(noKey, kCurrent, kDefault), (FunctionCode{0x20, 0x04, 0x00}));
}

TEST(KeyAssignmentTest, MacroCodesBeyondTheListSelectNothing) {
    const KeyFunctionForm once = ShowKeyFunction({0x70, 0x05, 0x01}, kDefault, 2).form;
    EXPECT_EQ(once.page, kPageMacro);
    EXPECT_EQ(once.entry, -1);
    EXPECT_EQ(once.playMode, -1);
    const KeyFunctionForm counted = ShowKeyFunction({0x71, 0x05, 0x09}, kDefault, 2).form;
    EXPECT_EQ(counted.entry, -1);
    EXPECT_FALSE(counted.repeatShown);
    EXPECT_EQ(counted.repeatCount, 9);
    EXPECT_EQ(counted.playMode, kPlayModeRepeatCount);
}

TEST(KeyAssignmentTest, CapturedKeysBecomeTheKeyboardPagesKey) {
    // A with no option selected: option "none", p1 0.
    auto a = CaptureKey(0x1E, false, -1, {0x20, 0x00, 0x00});
    ASSERT_TRUE(a);
    EXPECT_EQ(a->modifierOption, 0);
    EXPECT_EQ(a->keyName, "keyboard_key_A");
    EXPECT_EQ(a->code, (FunctionCode{0x20, 0x00, 0x04}));
    // Right Ctrl selects the Ctrl option and keeps the key captured before.
    auto ctrl = CaptureKey(0x1D, true, 0, a->code);
    ASSERT_TRUE(ctrl);
    EXPECT_EQ(ctrl->modifierOption, 1);
    EXPECT_FALSE(ctrl->keyName);
    EXPECT_EQ(ctrl->code, (FunctionCode{0x20, 0x01, 0x04}));
    // With Alt selected, Num Enter (extended) keeps Alt.
    auto enter = CaptureKey(0x1C, true, 3, ctrl->code);
    ASSERT_TRUE(enter);
    EXPECT_FALSE(enter->modifierOption);
    EXPECT_EQ(enter->code, (FunctionCode{0x20, 0x04, 0x58}));
    EXPECT_FALSE(CaptureKey(0x7F, false, 0, kCurrent)) << "no row has that scan code";
}

}  // namespace
}  // namespace orvane
