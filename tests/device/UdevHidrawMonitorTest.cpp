// Choosing between udev's events and the 100 ms poll. Nothing here needs udev to run or a device
// to be present: the real event path needs root to trigger, so only its set-up is checked.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "device/HidrawBackend.h"
#include "device/UdevHidrawMonitor.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;

class UdevRunFolder : public ::testing::Test {
protected:
    void SetUp() override {
        std::string tmpl = (fs::temp_directory_path() / "orvane-udev-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        folder_ = tmpl;
    }
    void TearDown() override { fs::remove_all(folder_); }

    fs::path folder_;
};

TEST_F(UdevRunFolder, WithoutAUdevDaemonTheBackendOffersNoEvents) {
    // As in a container: no control socket, so udev's netlink group would stay silent.
    EXPECT_EQ(WatchHidrawNodes(folder_.string()), nullptr);
    HidrawBackend system("/sys", "/dev", folder_.string());
    EXPECT_EQ(system.WatchChanges(), nullptr);
}

TEST_F(UdevRunFolder, FixtureTreeIsPolledEvenWhereUdevRuns) {
    std::ofstream(folder_ / "control") << "";
    HidrawBackend fixture((folder_ / "sys").string(), (folder_ / "dev").string(), folder_.string());
    EXPECT_EQ(fixture.WatchChanges(), nullptr) << "udev speaks of the system's tree only";
}

TEST_F(UdevRunFolder, MonitorOpensAndDrainsWithoutBlocking) {
    std::ofstream(folder_ / "control") << "";
    auto monitor = WatchHidrawNodes(folder_.string());
    if (!monitor) GTEST_SKIP() << "no uevent netlink socket in this environment";
    ASSERT_GE(monitor->Fd(), 0);
    // With nothing received the drain must return at once: the scan thread calls it on its own.
    EXPECT_TRUE(monitor->Drain());
}

}  // namespace
}  // namespace orvane
