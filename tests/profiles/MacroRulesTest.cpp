// The rules of macro steps and of recording, without a window: names, inserted mouse steps, how a
// row looks, the check of an imported file, the repeat filters, where a recorded step goes and
// which delay the step before it gets.
#include <gtest/gtest.h>

#include "profiles/MacroRecording.h"
#include "profiles/MacroSteps.h"

namespace orvane {
namespace {

TEST(MacroRulesTest, NewNamesSkipTakenOnesWhateverTheirCase) {
    EXPECT_EQ(NextMacroName({}), "macro_1");
    EXPECT_EQ(NextMacroName({"macro_1", "MACRO_2"}), "macro_3");
    EXPECT_EQ(NextMacroName({"macro_2"}), "macro_1");
}

TEST(MacroRulesTest, InsertedMouseStepsAndTheirLook) {
    EXPECT_EQ(InsertedMouseStep(0x0201, 0, 0, 50), (MacroEvent{"down", 1, 1, "50"}));
    EXPECT_EQ(InsertedMouseStep(0x0205, 0, 0, 50), (MacroEvent{"up", 2, 1, "50"}));
    EXPECT_EQ(InsertedMouseStep(kMessageXButtonDown, 1, 0, 7), (MacroEvent{"down", 8, 1, "7"}));
    EXPECT_EQ(InsertedMouseStep(kMessagePointerMove, 2, 0x1FF, 0), (MacroEvent{"down", 0xFF, 5, "0"}));
    EXPECT_FALSE(InsertedMouseStep(0x020A, 0, 0, 0));

    const StepLook up = LookOfStep({"up", 0x28, 10, "5"});
    EXPECT_EQ(up.nameKey, "keyboard_key_Enter");
    EXPECT_EQ(up.nameStyle, "macro_label_keyboard_style");
    EXPECT_EQ(up.actionStyle, "macro_label_up_style");
    const StepLook move = LookOfStep({"down", 12, 4, "5"});
    EXPECT_EQ(move.nameKey, "mouse_move_to_left_text");
    EXPECT_EQ(move.actionStyle, "macro_move_text_style");
    EXPECT_EQ(move.actionText, "12");
    EXPECT_EQ(LookOfStep({"down", 0x40, 9, "0"}).nameKey, "keyboard_key_RAlt");
    EXPECT_EQ(LookOfStep({"down", 16, 1, "0"}).nameKey, "mouse_key_forward");
    EXPECT_TRUE(LookOfStep({"down", 1, 99, "0"}).nameStyle.empty());
    EXPECT_EQ(ShownDelay({"down", 1, 1, "70000"}), 65535);
}

TEST(MacroRulesTest, AnImportedFileIsAMacroOrNothing) {
    auto parse = [](const char* text) {
        Json::Value v;
        Json::Reader().parse(text, v);
        return CheckedMacroDocument(v);
    };
    EXPECT_TRUE(parse(R"({"Events": [{"Action": "up", "Button": 4, "Type": 10, "Delay": 0}]})"));
    EXPECT_TRUE(parse(R"({"Events": []})"));
    EXPECT_FALSE(parse(R"([1, 2])"));
    EXPECT_FALSE(parse(R"({"Events": {"Action": "up"}})"));
    EXPECT_FALSE(parse(R"({"Events": [{"Action": "sideways", "Button": 4, "Type": 10, "Delay": "0"}]})"));
    EXPECT_FALSE(parse(R"({"Events": [{"Action": "up", "Button": "4", "Type": 10, "Delay": "0"}]})"));
    EXPECT_FALSE(parse(R"({"Events": [{"Action": "up", "Button": 4, "Type": 6, "Delay": "0"}]})"));
}

TEST(MacroRulesTest, RepeatFiltersDropAutoRepeatsOnly) {
    KeyRepeatFilter keys;
    EXPECT_TRUE(keys.Accept(0x1E, false, true));
    EXPECT_FALSE(keys.Accept(0x1E, false, true));
    EXPECT_TRUE(keys.Accept(0x1E, true, true)) << "the extended key is another key";
    EXPECT_TRUE(keys.Accept(0x1E, false, false));
    EXPECT_TRUE(keys.Accept(0x1E, false, true)) << "pressed again after its release";
    MouseRepeatFilter mouse;
    EXPECT_TRUE(mouse.Accept(0x0201));
    EXPECT_FALSE(mouse.Accept(0x0201)) << "a second press without a release";
    EXPECT_TRUE(mouse.Accept(0x0202));
}

TEST(MacroRulesTest, RecordedStepsGoWhereTheKindSays) {
    struct Case {
        RecordKind kind;
        int rows;
        int selected;
        std::optional<StepPlacement> place;  // insertAt, first, previousRow, select, keepSelected
    };
    const Case cases[] = {
        {RecordKind::Append, 0, -1, StepPlacement{0, true, -1, 0, -1}},
        {RecordKind::Append, 3, 1, StepPlacement{3, false, 2, 3, -1}},
        {RecordKind::Before, 3, 0, StepPlacement{0, true, -1, -1, 1}},
        {RecordKind::Before, 3, 2, StepPlacement{2, false, 1, -1, 3}},
        {RecordKind::After, 3, 1, StepPlacement{2, false, 1, 2, -1}},
        {RecordKind::Before, 3, -1, std::nullopt},
        {RecordKind::After, 0, -1, std::nullopt},
        {RecordKind::Append, kMaxMacroSteps, -1, std::nullopt},
    };
    for (const Case& c : cases) {
        const auto place = PlaceRecordedStep(c.kind, c.rows, c.selected);
        ASSERT_EQ(place.has_value(), c.place.has_value()) << c.rows << " " << c.selected;
        if (!place) continue;
        EXPECT_EQ(place->insertAt, c.place->insertAt);
        EXPECT_EQ(place->first, c.place->first);
        EXPECT_EQ(place->previousRow, c.place->previousRow);
        EXPECT_EQ(place->select, c.place->select);
        EXPECT_EQ(place->keepSelected, c.place->keepSelected);
    }
}

TEST(MacroRulesTest, DelaysAreMeasuredFixedOrNoneAndAtMost65535) {
    uint32_t last = 1000;
    EXPECT_EQ(StepDelay(kDelayMeasured, 50, 1300, last), 300);
    EXPECT_EQ(last, 1300u);
    EXPECT_EQ(StepDelay(kDelayMeasured, 50, 1300 + 70000, last), 65535);
    uint32_t wrapped = 0xFFFFFF00u;
    EXPECT_EQ(StepDelay(kDelayMeasured, 50, 0x10, wrapped), 0x110) << "the clock wrapped";
    EXPECT_EQ(StepDelay(kDelayFixed, 120, 5, last), 120);
    EXPECT_EQ(StepDelay(kDelayNone, 120, 5, last), 0);
    EXPECT_EQ(last, 71300u) << "fixed and no delays leave the clock alone";
}

TEST(MacroRulesTest, KeysAndButtonsBecomeSteps) {
    const auto a = KeyStepOf(0x1E, false, true);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->type, 10);
    EXPECT_EQ(a->button, 0x04);
    const auto rctrl = KeyStepOf(0x1D, true, false);
    ASSERT_TRUE(rctrl);
    EXPECT_EQ(rctrl->type, 9);
    EXPECT_EQ(rctrl->button, 0x10);
    EXPECT_FALSE(KeyStepOf(0x7F, false, true));
    const auto forward = MouseStepOf(kMessageXButtonUp, 2);
    ASSERT_TRUE(forward);
    EXPECT_EQ(forward->button, 16);
    EXPECT_FALSE(forward->down);
    EXPECT_FALSE(MouseStepOf(kMessageXButtonDown, 3));
    EXPECT_FALSE(MouseStepOf(0x020A, 0));
}

}  // namespace
}  // namespace orvane
