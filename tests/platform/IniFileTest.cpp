#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/IniFile.h"
#include "tests/support/TempHome.h"

namespace orvane {
namespace {

struct IniCase {
    const char* name;
    const char* before;  // nullptr: no file
    const char* section;
    IniValues values;
    const char* after;
};

class IniFileTest : public ::testing::Test {
protected:
    std::string Path() const { return home_.Path() + "/main.ini"; }
    std::string Read() const { return home_.ReadFile("main.ini"); }
    test::TempHome home_;
};

TEST_F(IniFileTest, KeysAreSetInTheirSectionAndEveryOtherLineStays) {
    const IniCase cases[] = {
        {"new file", nullptr, "SKINIMAGE", {{"FLAGS", "1"}, {"IMAGE", "a.png"}}, "[SKINIMAGE]\nFLAGS=1\nIMAGE=a.png\n"},
        {"replaced in place", "[SKINIMAGE]\nFLAGS=0\nIMAGE=old.png\n", "SKINIMAGE", {{"FLAGS", "1"}},
         "[SKINIMAGE]\nFLAGS=1\nIMAGE=old.png\n"},
        {"names without case", "[skinimage]\nflags = 0\n", "SKINIMAGE", {{"FLAGS", "1"}}, "[skinimage]\nFLAGS=1\n"},
        {"added at the end of its section", "; note\n[A]\nx=1\n\n[B]\ny=2\n", "A", {{"z", "3"}},
         "; note\n[A]\nx=1\nz=3\n\n[B]\ny=2\n"},
        {"section added at the end", "[B]\ny=2", "A", {{"z", "3"}}, "[B]\ny=2\n[A]\nz=3\n"},
        {"a key of another section is not touched", "[B]\nz=9\n[A]\n", "A", {{"z", "3"}}, "[B]\nz=9\n[A]\nz=3\n"},
        {"values keep their spaces and script", nullptr, "S", {{"IMAGE", "/home/u/My Pictures/海.png"}},
         "[S]\nIMAGE=/home/u/My Pictures/海.png\n"},
    };
    for (const IniCase& c : cases) {
        std::filesystem::remove(Path());
        if (c.before != nullptr) home_.WriteFile("main.ini", c.before);
        EXPECT_TRUE(WriteIniValues(Path(), c.section, c.values)) << c.name;
        EXPECT_EQ(Read(), c.after) << c.name;
    }
}

TEST_F(IniFileTest, RefusedWritesLeaveTheFileAsItWas) {
    home_.WriteFile("main.ini", "[S]\nk=1\n");
    EXPECT_FALSE(WriteIniValues(Path(), "S", {{"k", "two\nlines"}}));
    EXPECT_FALSE(WriteIniValues(Path(), "S", {{"a=b", "1"}}));
    EXPECT_FALSE(WriteIniValues(Path(), "S]", {{"k", "1"}}));
    EXPECT_FALSE(WriteIniValues(Path(), "", {{"k", "1"}}));
    EXPECT_EQ(Read(), "[S]\nk=1\n");

    // A file that is there but cannot be read whole is never replaced by a fresh one.
    std::filesystem::remove(Path());
    std::filesystem::create_directory(Path());
    EXPECT_FALSE(WriteIniValues(Path(), "S", {{"k", "1"}}));
    EXPECT_TRUE(std::filesystem::is_directory(Path()));
    EXPECT_FALSE(WriteIniValues(home_.Path() + "/missing/main.ini", "S", {{"k", "1"}}));
}

}  // namespace
}  // namespace orvane
