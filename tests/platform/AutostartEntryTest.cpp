// The autostart entry in a temporary HOME.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "platform/AutostartEntry.h"
#include "tests/support/TempHome.h"

namespace orvane {
namespace {

constexpr const char* kEntry = ".config/autostart/orvane-q730.desktop";

TEST(AutostartEntry, IsWrittenStartingTheProgramMinimisedAndRemoved) {
    test::TempHome home;
    EXPECT_FALSE(IsAutostartEnabled());
    ASSERT_TRUE(EnableAutostart("/usr/bin/orvane-q730"));
    EXPECT_EQ(AutostartEntryPath(), home.Path() + "/" + kEntry);
    const std::string text = home.ReadFile(kEntry);
    EXPECT_EQ(text.rfind("[Desktop Entry]\n", 0), 0u);
    EXPECT_NE(text.find("\nType=Application\n"), std::string::npos);
    EXPECT_NE(text.find("\nExec=\"/usr/bin/orvane-q730\" --minimized\n"), std::string::npos) << text;
    EXPECT_TRUE(IsAutostartEnabled());

    EXPECT_TRUE(DisableAutostart());
    EXPECT_FALSE(home.Exists(kEntry));
    EXPECT_TRUE(DisableAutostart());  // nothing there is still off
}

TEST(AutostartEntry, QuotesTheProgramPathByTheDesktopEntryRules) {
    const std::pair<const char*, const char*> cases[] = {
        {"/opt/My Apps/orvane-q730", R"(Exec="/opt/My Apps/orvane-q730" --minimized)"},
        {"/opt/a\"b$c`d\\e/orvane", R"(Exec="/opt/a\\"b\\$c\\`d\\\\e/orvane" --minimized)"},
        {"/opt/100%/orvane", R"(Exec="/opt/100%%/orvane" --minimized)"},
    };
    for (const auto& [path, exec] : cases) {
        EXPECT_NE(AutostartEntryText(path).find(std::string("\n") + exec + "\n"), std::string::npos) << path;
    }
    test::TempHome home;
    for (const char* refused : {"", "orvane-q730", "/opt/a\nX-Evil=1/orvane"}) EXPECT_FALSE(EnableAutostart(refused)) << refused;
    EXPECT_FALSE(home.Exists(kEntry));
}

TEST(AutostartEntry, ASwitchedOffEntryCountsAsOff) {
    test::TempHome home;
    EXPECT_FALSE((home.WriteFile(kEntry, "[Desktop Entry]\nExec=x\nHidden=true\n"), IsAutostartEnabled()));
    EXPECT_FALSE((home.WriteFile(kEntry, "[Desktop Entry]\nX-GNOME-Autostart-enabled=false\n"), IsAutostartEnabled()));
    EXPECT_TRUE((home.WriteFile(kEntry, "[Desktop Entry]\nExec=x\n[Desktop Action x]\nHidden=true\n"), IsAutostartEnabled()));
}

}  // namespace
}  // namespace orvane
