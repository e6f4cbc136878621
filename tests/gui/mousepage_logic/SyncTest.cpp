// A profile switch made on the mouse itself: the event report on the mouse's second collection
// makes the page read the new active profile 500 ms later and show its lighting in red; a read
// that fails takes nothing into the page or the profile.
#include "MousePageLogicFixture.h"

#include <QElapsedTimer>

#include "light/LightColor.h"
#include "light/LightTables.h"
#include "ui/framework/Option.h"

namespace orvane::test {
namespace {

// The emulated mouse's factory profile p: light mode p + 1, brightness 3, speed 2, DPI stage p + 1.
constexpr uint8_t kSwitchedProfile = 2;
constexpr uint8_t kSwitchedMode = 3;
constexpr uint8_t kSwitchedStage = 3;

TEST_F(MousePageLogicTest, AProfileSwitchOnTheMouseShowsTheNewBlockHalfASecondLater) {
    OpenConnected();
    CQuorvantMouseDevice* page = Page();
    ASSERT_EQ(page->GetLightState().light.mode, 0);

    QElapsedTimer sinceSwitch;
    sinceSwitch.start();
    ASSERT_TRUE(Firmware().SwitchOnboardProfile(kSwitchedProfile, Mouse().Device()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Logged("接收到自动添加设备的同步信息要求"); }, 2000));
    EXPECT_TRUE(Logged("接收到自动添加设备的同步信息要求  TEST"));
    EXPECT_EQ(page->GetLightState().light.mode, 0) << "not read before the timer";
    ASSERT_TRUE(QTest::qWaitFor([&] { return page->GetLightState().light.mode == kSwitchedMode; }, 2000));
    EXPECT_GE(sinceSwitch.elapsed(), 450);

    const LightSetting light = page->GetLightState().light;
    EXPECT_EQ(light.brightness, 3);
    EXPECT_EQ(light.speed, 2);
    EXPECT_EQ(SelectionColor(light), kRed);
    const Json::Value saved = CurrentProfileDocument();
    EXPECT_EQ(saved["LightInfo"]["SelectItem"].asInt(), kSwitchedMode);
    EXPECT_EQ(saved["LightInfo"]["Light"].asInt(), 3);
    EXPECT_EQ(saved["DPIStages"]["StageActive"].asInt(), kSwitchedStage);
    EXPECT_TRUE(Find<ui::COptionUI>("DPI_rank_check_3")->IsSelected()) << "the active stage is shown";
}

TEST_F(MousePageLogicTest, ASwitchWhoseReadFailsChangesNothing) {
    OpenConnected();
    CQuorvantMouseDevice* page = Page();
    const Json::Value before = CurrentProfileDocument();
    const LightInfoRecord light = page->GetLightState();

    ASSERT_TRUE(Firmware().SwitchOnboardProfile(kSwitchedProfile, Mouse().Device()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Logged("接收到自动添加设备的同步信息要求"); }, 2000));
    sim::CommandFaults faults;
    faults.silentReports = -1;
    Firmware().SetFaults(faults);
    // The timer, then the read giving up (two reads of one second each).
    QTest::qWait(3500);
    EXPECT_EQ(page->GetLightState(), light);
    EXPECT_EQ(CurrentProfileDocument(), before);
}

}  // namespace
}  // namespace orvane::test
