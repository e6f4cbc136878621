// Key functions in words: each form reads into its code and prints back as the same words.
#include <gtest/gtest.h>

#include "mouse/KeyFunctionSyntax.h"

namespace orvane {
namespace {

TEST(KeyFunctionSyntaxTest, WordsAndCodesGoBothWays) {
    const std::vector<std::string> macros = {"Burst", "Tap"};
    const std::pair<const char*, FunctionCode> cases[] = {
        {"left", {0x10, 0x01, 0x00}},           {"forward", {0x10, 0x10, 0x00}},
        {"dpi-cycle", {0x13, 0x03, 0x00}},      {"key:ctrl+c", {0x20, 0x01, 0x06}},
        {"key:shift+rctrl+f5", {0x20, 0x12, 0x3E}}, {"key:num-enter", {0x20, 0x00, 0x58}},
        {"key:ctrl", {0x20, 0x01, 0x00}},       {"key:backslash", {0x20, 0x00, 0x31}},
        {"media:play-pause", {0x30, 0xCD, 0x00}}, {"media:browser-home", {0x30, 0x23, 0x02}},
        {"power:wake", {0x40, 0x04, 0x00}},     {"wheel:down:3", {0x12, 0x00, 0xFD}},
        {"wheel:down:3:2:5", {0x12, 0x25, 0xFD}}, {"move:left:10:0:15", {0x11, 0x0F, 0x8A}},
        {"fire:40:3", {0x14, 40, 3}},           {"macro:Tap", {0x70, 0x01, 0x00}},
        {"macro:Burst:repeat=5", {0x71, 0x00, 0x05}}, {"macro:Tap:mode=2", {0x70, 0x01, 0x02}},
        {"pattern:4", {0x72, 0x03, 0x00}},      {"g-key", {0xA0, 0x02, 0x00}},
        {"disabled", {0x00, 0x00, 0x00}},       {"raw:16:90:01", {0x16, 0x90, 0x01}},
    };
    for (const auto& [words, code] : cases) {
        const ParsedFunction parsed = ParseFunctionWords(words, macros);
        ASSERT_TRUE(parsed.code) << words << ": " << parsed.error;
        EXPECT_EQ(*parsed.code, code) << words;
        EXPECT_EQ(FunctionWords(code, macros), words);
    }
    EXPECT_EQ(*ParseFunctionWords("macro:tap", macros).code, (FunctionCode{0x70, 0x01, 0x00})) << "names match without case";
}

TEST(KeyFunctionSyntaxTest, RefusedWordsSayWhy) {
    for (const char* words : {"key:ctrl+a+b", "key:nope", "wheel:down:200", "move:up:3", "fire:1", "pattern:5",
                              "macro:Nobody", "macro:Tap:repeat=0", "raw:1:2", "raw:zz:00:00", ""}) {
        const ParsedFunction parsed = ParseFunctionWords(words, {"Tap"});
        EXPECT_FALSE(parsed.code) << words;
        EXPECT_FALSE(parsed.error.empty()) << words;
    }
}

}  // namespace
}  // namespace orvane
