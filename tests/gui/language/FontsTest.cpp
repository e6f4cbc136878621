// The program's own fonts: the usable files of Font/ are registered, the others skipped, and
// removing them takes back exactly what was registered.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "app/Fonts.h"
#include "platform/DebugLog.h"
#include "tests/support/TempHome.h"

namespace orvane::app::test {
namespace {

constexpr const char* kPackagedThai = "/usr/share/fonts/truetype/noto/NotoSansThai-Regular.ttf";

TEST(PrivateFontsTest, UsableFilesAreRegisteredAndTheRestSkipped) {
    if (!std::filesystem::exists(kPackagedThai)) GTEST_SKIP() << "fonts-noto-core is not installed";
    orvane::test::TempHome home;
    const std::string folder = home.Path() + "/Font";
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(kPackagedThai, folder + "/NotoSansThai-Regular.ttf");
    home.WriteFile("Font/Simplified_Chinese.ttf", "not a font");  // unusable; the other two are missing
    auto log = std::make_shared<CapturingDebugSink>();
    auto previous = SetDebugSink(log);

    EXPECT_EQ(LoadPrivateFonts(QString::fromStdString(folder)), 1);
    const auto lines = log->Lines();
    ASSERT_EQ(lines.size(), 3u);
    for (const char* skipped : {"Simplified_Chinese.ttf", "Corvinel-Regular.otf", "NotoSansCJKtc-Regular.otf"}) {
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                                [&](const std::string& line) { return line.find(skipped) != std::string::npos; }))
            << skipped;
    }
    EXPECT_EQ(RemovePrivateFonts(), 1);
    EXPECT_EQ(RemovePrivateFonts(), 0);
    EXPECT_EQ(LoadPrivateFonts(QString::fromStdString(home.Path() + "/absent")), 0);
    SetDebugSink(previous);
}

}  // namespace
}  // namespace orvane::app::test
