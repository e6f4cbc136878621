// The window never waits for the mouse: a mouse that stops answering during the connection, a
// write or "Restore defaults" leaves the UI thread running and the profile saved; edits made
// while the mouse is busy reach it in order; an unplug ends the work at once.
#include "MousePageLogicFixture.h"
#include "UiWatch.h"

#include <QElapsedTimer>

#include "ui/framework/Button.h"
#include "ui/framework/Option.h"
#include "ui/framework/Slider.h"

namespace orvane::test {
namespace {

using namespace std::chrono_literals;

void Drag(ui::CSliderUI& slider, int value) {
    slider.setSliderDown(true);
    slider.setValue(value);
    slider.setSliderDown(false);
}

class ResponsivenessTest : public MousePageLogicTest {
protected:
    void Silence() {
        sim::CommandFaults faults;
        faults.silentReports = -1;
        Firmware().SetFaults(faults);
    }
};

TEST_F(ResponsivenessTest, ASilentMouseAtConnectionLeavesTheWindowRunning) {
    Mouse();
    Silence();
    ui::LightSyncEvent().Reset();
    // The window's own creation (every catalogue page, the keyboards' 126 keys each) is not what
    // is measured: it takes seconds under the sanitizers. The connection runs after it.
    Open();
    UiWatch watch;
    ASSERT_TRUE(WaitConnected());
    ASSERT_TRUE(WaitIdle(10000));
    // Some slack for a loaded machine; the device's 2 s waits are not in it.
    EXPECT_LT(watch.LongestGapMs(), 1000);
    EXPECT_TRUE(CurrentProfileDocument().isObject()) << "the profile is loaded and saved";
}

TEST_F(ResponsivenessTest, ASilentMouseDuringRestoreDefaultsLeavesTheWindowRunningAndTheProfileSaved) {
    OpenConnected();
    ASSERT_TRUE(WaitIdle());
    Drag(*Find<ui::CSliderUI>("DPI_slider_0"), 90);
    ASSERT_EQ(StageX(DeviceBlock(), 0), 90);
    Silence();
    UiWatch watch;
    QElapsedTimer clock;
    clock.start();
    AnswerMessage([&] { Find<ui::CButtonUI>("default_btn")->click(); });
    const qint64 returned = clock.elapsed();
    EXPECT_EQ(CurrentProfileDocument()["DPIStages"]["StageDPIs"][0]["StageDPIX"].asInt(), 3) << "saved at once";
    ASSERT_TRUE(WaitIdle(10000));
    EXPECT_LT(returned, 1000) << "the click returns without waiting for the mouse";
    EXPECT_LT(watch.LongestGapMs(), 500);
    EXPECT_LT(clock.elapsed(), 2 * 2000 + 1500) << "one time-out for the key group, one for the settings group";
}

TEST_F(ResponsivenessTest, EditsMadeWhileTheMouseIsBusyReachItInOrder) {
    OpenConnected();
    ASSERT_TRUE(WaitIdle());
    sim::CommandFaults slow;
    slow.latency = 30ms;
    Firmware().SetFaults(slow);
    auto* slider = Find<ui::CSliderUI>("DPI_slider_2");
    for (int value : {20, 21, 22, 23}) Drag(*slider, value);
    Find<ui::COptionUI>("polling_rate_option_1")->SetSelected(true);
    Drag(*slider, 24);
    EXPECT_TRUE(Page()->IsDeviceBusy());
    const std::vector<uint8_t> block = DeviceBlock();
    EXPECT_EQ(StageX(block, 2), 24) << "the last edit is the one the mouse holds";
    EXPECT_EQ(block[block::kReportRateOption], 1);
    EXPECT_EQ(CurrentProfileDocument()["DPIStages"]["StageDPIs"][2]["StageDPIX"].asInt(), 24);
}

TEST_F(ResponsivenessTest, AnUnplugEndsTheWorkAtOnceAndThePageIsReusedOnReplug) {
    OpenConnected();
    ASSERT_TRUE(WaitIdle());
    CQuorvantMouseDevice* page = Page();
    sim::CommandFaults slow;
    slow.latency = 300ms;
    Firmware().SetFaults(slow);
    Drag(*Find<ui::CSliderUI>("DPI_slider_1"), 30);
    ASSERT_TRUE(page->IsDeviceBusy());
    QElapsedTimer clock;
    clock.start();
    Mouse().Unplug();
    ASSERT_TRUE(WaitIdle(3000));
    // Discovery sees the unplug within its poll; the work then ends without a time-out.
    EXPECT_LT(clock.elapsed(), 1000);
    // A re-plug before discovery took the unplug in would look like no change at all.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !MouseEntry()->IsShown() && !page->SyncChannel().IsOpen(); }, 3000));

    Firmware().SetFaults({});
    ui::LightSyncEvent().Reset();
    Mouse().Replug();
    ASSERT_TRUE(WaitConnected());
    EXPECT_EQ(Page(), page);
    Drag(*Find<ui::CSliderUI>("DPI_slider_1"), 31);
    EXPECT_EQ(StageX(DeviceBlock(), 1), 31);
}

}  // namespace
}  // namespace orvane::test
