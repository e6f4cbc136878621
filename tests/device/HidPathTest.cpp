#include <gtest/gtest.h>

#include "device/HidPath.h"

namespace orvane {
namespace {

struct ParseCase {
    const char* path;
    uint16_t vid, pid, mi, col;
};

class HidPathParse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(HidPathParse, ReadsEachToken) {
    const auto& c = GetParam();
    EXPECT_EQ(ParseVid(c.path), c.vid);
    EXPECT_EQ(ParsePid(c.path), c.pid);
    EXPECT_EQ(ParseInterface(c.path), c.mi);
    EXPECT_EQ(ParseCollection(c.path), c.col);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, HidPathParse,
    ::testing::Values(ParseCase{"/dev/hidraw3&vid_320f&pid_2211&mi_01&col04", 0x320F, 0x2211, 1, 4},
                      ParseCase{"\\\\?\\HID#VID_320F&PID_2211&MI_01&Col03#7&1a&0&0002#{4d1e55b2}", 0x320F, 0x2211, 1, 3},
                      ParseCase{"/dev/hidraw0", 0, 0, 0, 0},
                      ParseCase{"x&vid_&pid_zz&mi_&col", 0, 0, 0, 0},
                      // Only the low 16 bits of a longer number count.
                      ParseCase{"a&vid_1320f&pid_0x2211&mi_0001", 0x320F, 0x2211, 1, 0}));

TEST(HidPath, MakeAndSplitRoundTrip) {
    const std::string path = MakeCollectionPath("/dev/hidraw7", 0x0C45, 0x6627, 1, 3);
    EXPECT_EQ(path, "/dev/hidraw7&vid_0c45&pid_6627&mi_01&col03");
    auto split = SplitCollectionPath(path);
    ASSERT_TRUE(split);
    EXPECT_EQ(split->node, "/dev/hidraw7");
    EXPECT_EQ(split->collectionNumber, 3);

    const std::string single = MakeCollectionPath("sim/hidraw2", 0x0D8C, 0x01DA, 3, 0);
    EXPECT_EQ(single, "sim/hidraw2&vid_0d8c&pid_01da&mi_03");
    EXPECT_EQ(SplitCollectionPath(single)->collectionNumber, 0);
    EXPECT_FALSE(SplitCollectionPath("/dev/hidraw2"));
}

}  // namespace
}  // namespace orvane
