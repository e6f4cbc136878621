// A run of profile operations stands or falls together: what the folder and the desktop held
// before the first one comes back when any of them failed, whatever came between.
#include <gtest/gtest.h>

#include "profiles/ProfileChangeGuard.h"
#include "tests/support/TempHome.h"

namespace orvane {
namespace {

class ProfileChangeGuardTest : public ::testing::Test {
protected:
    test::TempHome home;
    std::string folder = home.Path() + "/profiles";
    FileSystemMouseSettings desktop{home.Path() + "/desktop.json"};
    ProfileChangeGuard guard{desktop};

    void SetUp() override { home.WriteFile("profiles/ProfileList.ini", "before"); }
    std::string List() const { return home.ReadFile("profiles/ProfileList.ini"); }
    // One operation: Arm, its disk and desktop change, then its write begins.
    void Change(const std::string& list, int speed) {
        guard.Arm(folder);
        home.WriteFile("profiles/ProfileList.ini", list);
        desktop.SetPointerSpeed(speed);
        guard.Begin(folder);
    }
};

TEST_F(ProfileChangeGuardTest, AFailureAnywhereInARunPutsBackWhatWasBeforeTheRun) {
    const DeviceOutcome timedOut = DeviceOutcome::DeviceFailed({"WriteParameters", -2, {}});
    Change("first", 4);
    Change("second", 5);
    EXPECT_EQ(guard.Finish(DeviceOutcome::Done()), ProfileChangeGuard::End::kPending);
    EXPECT_EQ(guard.Finish(timedOut), ProfileChangeGuard::End::kPutBack);
    EXPECT_EQ(List(), "before");
    EXPECT_EQ(desktop.PointerSpeed(), FileSystemMouseSettings::kDefaultPointerSpeed);

    // The next run starts from what stands now.
    Change("third", 6);
    EXPECT_EQ(guard.Finish(DeviceOutcome::Done()), ProfileChangeGuard::End::kKept);
    EXPECT_EQ(List(), "third");
    EXPECT_EQ(desktop.PointerSpeed(), 6);
}

TEST_F(ProfileChangeGuardTest, MacrosThatDoNotFitAreNoFailureAndARenameBetweenRunsStands) {
    Change("first", 4);
    EXPECT_EQ(guard.Finish(DeviceOutcome::Refused("too many events", 50)), ProfileChangeGuard::End::kKept);

    // A change that writes nothing to the mouse: armed, then dropped.
    guard.Arm(folder);
    home.WriteFile("profiles/ProfileList.ini", "renamed");
    guard.Disarm();
    Change("second", 5);
    EXPECT_EQ(guard.Finish(DeviceOutcome::Refused("the profile cannot be used")), ProfileChangeGuard::End::kPutBack);
    EXPECT_EQ(List(), "renamed");
    EXPECT_EQ(desktop.PointerSpeed(), 4);
}

}  // namespace
}  // namespace orvane
