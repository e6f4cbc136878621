#include <gtest/gtest.h>

#include <sys/stat.h>

#include "platform/AtomicFile.h"
#include "tests/support/TempHome.h"

namespace orvane {
namespace {

TEST(ReadWholeFile, RefusesWhatIsNotARegularFileWithoutWaiting) {
    test::TempHome home;
    const std::string pipe = home.Path() + "/pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::string content = "left over";
    EXPECT_FALSE(ReadWholeFile(pipe, content)) << "a pipe without a writer";
    EXPECT_TRUE(content.empty());
    EXPECT_FALSE(ReadWholeFile(home.Path(), content)) << "a folder";

    const std::string file = home.WriteFile("plain.json", "{}");
    EXPECT_TRUE(ReadWholeFile(file, content));
    EXPECT_EQ(content, "{}");
}

}  // namespace
}  // namespace orvane
