// The mouse page from plug to unplug: the initial read half a second after the arrival, the
// profile shown from the shipped default profile, nothing written on connection, and the page
// reused, with no thread left waiting, when the mouse goes and comes back (also in the middle of
// the initial read or of a write).
#include "MousePageLogicFixture.h"

#include <QElapsedTimer>

#include "protocol/KeyTable.h"
#include "ui/controls/DeviceKeyButton.h"
#include "ui/controls/MpDevicePower.h"
#include "ui/framework/Edit.h"
#include "ui/framework/List.h"
#include "ui/framework/Option.h"
#include "ui/framework/Slider.h"

namespace orvane::test {
namespace {

// The longest time the UI thread went without running its event loop while the probe lived.
class StallProbe {
public:
    StallProbe() {
        clock_.start();
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            longest_ = std::max(longest_, clock_.restart());
        });
        timer_.start(10);
    }
    qint64 LongestMs() const { return longest_; }

private:
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 longest_ = 0;
};

TEST_F(MousePageLogicTest, HalfASecondAfterThePlugThePageReadsTheMouseAndShowsTheDefaultProfile) {
    Mouse().Unplug();
    Open();
    const auto parameters = Firmware().ParameterMemory();
    const auto keyTable = Firmware().KeyTable();
    const auto macros = Firmware().MacroMemory();
    const uint64_t before = Firmware().ReportsReceived();

    ui::LightSyncEvent().Reset();
    Mouse().Replug();
    ASSERT_TRUE(QTest::qWaitFor([&] { return MouseEntry()->IsShown(); }, 2000));
    QElapsedTimer sinceShown;
    sinceShown.start();
    EXPECT_EQ(Firmware().ReportsReceived(), before) << "the page waits for the connect timer";
    ASSERT_TRUE(QTest::qWaitFor([&] { return Firmware().ReportsReceived() > before; }, 2000));
    EXPECT_GE(sinceShown.elapsed(), 400);
    ASSERT_TRUE(WaitConnected());

    CQuorvantMouseDevice* page = Page();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(Firmware().ParameterMemory(), parameters) << "nothing is written on connection";
    EXPECT_EQ(Firmware().KeyTable(), keyTable);
    EXPECT_EQ(Firmware().MacroMemory(), macros);

    // The profile list's first profile, made from DefaultData/mouse.Json, is the page's profile.
    const Json::Value shipped = ProfileDocument(std::string(ORVANE_SOURCE_DIR) + "/DefaultData/mouse.Json");
    const Json::Value saved = CurrentProfileDocument();
    EXPECT_EQ(page->GetProfileFileName(), UserFile(page->GetProfileUuid().toStdString() + ".Json"));
    EXPECT_EQ(saved["KeyList"], shipped["KeyList"]);
    EXPECT_EQ(saved["DPIStages"], shipped["DPIStages"]);
    EXPECT_EQ(saved["LightInfo"], shipped["LightInfo"]);

    // Shown: DPI stages 3, 7, 15 ... with stage 2 active, report rate option 3, the wave effect.
    EXPECT_EQ(Find<ui::CSliderUI>("DPI_slider_0")->GetValue(), 3);
    EXPECT_EQ(Find<ui::CSliderUI>("DPI_slider_0")->GetMaxValue(), kMaxDpiIndex) << "ranges set by the initial read";
    EXPECT_EQ(Find<ui::CEditUI>("DPI_edit_1")->GetText(), "800");
    EXPECT_TRUE(Find<ui::COptionUI>("DPI_rank_check_2")->IsSelected());
    EXPECT_TRUE(Find<ui::COptionUI>("polling_rate_option_3")->IsSelected());
    EXPECT_EQ(page->GetLightState().light.mode, 0);
    EXPECT_EQ(page->GetLightState().light.brightness, 4);

    // One key information row per key; those of keys without a button on the picture stay hidden.
    auto* list = Find<ui::CListUI>("device_setkeyinfo_list");
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->GetCount(), static_cast<int>(kLogicalButtonCount));
    for (int i = 0; i < list->GetCount(); ++i) {
        EXPECT_EQ(list->GetItemAt(i)->IsVisible(), i < page->GetKeyButtonCount()) << "row " << i;
    }
    const QString leftName = LanguageText("mouse_key_left");
    EXPECT_TRUE(page->GetKeyButton(0)->GetToolTip().startsWith(leftName + "\n" + LanguageText("Key_Set")));
}

TEST_F(MousePageLogicTest, ClosingTheSyncChannelEndsTheSyncThreadAtOnce) {
    OpenConnected();
    CQuorvantMouseDevice* page = Page();
    ASSERT_TRUE(page->SyncChannel().IsOpen());
    QTest::qWait(50);  // the thread is waiting in its read by now
    QElapsedTimer stop;
    stop.start();
    page->CloseSyncChannel();
    EXPECT_LT(stop.elapsed(), 300) << "the close wakes the read; the stop does not run into its 1000 ms wait";
    EXPECT_TRUE(Logged("MS设备同步线程设定退出"));
    EXPECT_TRUE(Logged("线程退出：：对象处于激发状态\n"));
    EXPECT_FALSE(Logged("线程退出：：对象处于非激发状态，超时\n"));
    EXPECT_TRUE(page->ReopenSyncChannel(Mouse().EventPath())) << "and the channel opens again";
}

TEST_F(MousePageLogicTest, UnplugAndReplugReuseThePage) {
    OpenConnected();
    CQuorvantMouseDevice* page = Page();
    Mouse().Unplug();
    // Both collections' slots go in the same scan.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !MouseEntry()->IsShown() && !page->SyncChannel().IsOpen(); }, 2000));
    EXPECT_FALSE(page->Channel().IsOpen());
    EXPECT_TRUE(Logged("MS设备同步线程设定退出"));
    EXPECT_FALSE(Logged("线程退出：：对象处于非激发状态，超时\n"));

    ui::LightSyncEvent().Reset();
    Mouse().Replug();
    ASSERT_TRUE(WaitConnected());
    EXPECT_EQ(Page(), page);
    EXPECT_TRUE(page->SyncChannel().IsOpen());
    // Connected again in full: a change reaches the mouse.
    auto* slider = Find<ui::CSliderUI>("DPI_slider_3");
    slider->SetValue(44);
    slider->SendNotify("valuechanged");
    EXPECT_EQ(StageX(DeviceBlock(), 3), 44);
}

// The mouse drops off the bus after answering `answered` more reports, from the moment `arm` runs.
struct DropCase {
    const char* name;
    int answered;
    bool duringConnect;  // else during a settings write
};

TEST_F(MousePageLogicTest, UnpluggingDuringTheInitialReadOrAWriteBlocksNothing) {
    const DropCase cases[] = {
        {"initial read, after BeginTransfer", 1, true},
        {"initial read, after the device info", 2, true},
        {"settings write, after BeginTransfer", 1, false},
    };
    OpenConnected();
    CQuorvantMouseDevice* page = Page();
    for (const DropCase& c : cases) {
        SCOPED_TRACE(c.name);
        sim::CommandFaults faults;
        faults.unplugAfterReports = c.answered;
        StallProbe probe;
        if (c.duringConnect) {
            Mouse().Unplug();
            ASSERT_TRUE(QTest::qWaitFor([&] { return !MouseEntry()->IsShown(); }, 2000));
            Firmware().SetFaults(faults);
            ui::LightSyncEvent().Reset();
            Mouse().Replug();
            ASSERT_TRUE(WaitConnected());
        } else {
            Firmware().SetFaults(faults);
            auto* slider = Find<ui::CSliderUI>("DPI_slider_1");
            slider->SetValue(20);
            slider->SendNotify("valuechanged");
            EXPECT_EQ(CurrentProfileDocument()["DPIStages"]["StageDPIs"][1]["StageDPIX"].asInt(), 20) << "saved anyway";
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return !MouseEntry()->IsShown(); }, 2000)) << "the mouse went";
        EXPECT_LT(probe.LongestMs(), 500) << "a gone device answers every command at once";
        EXPECT_FALSE(Logged("线程退出：：对象处于非激发状态，超时\n"));

        Firmware().SetFaults({});
        ui::LightSyncEvent().Reset();
        Mouse().Replug();
        ASSERT_TRUE(WaitConnected());
        EXPECT_EQ(Page(), page);
        EXPECT_EQ(Find<ui::CSliderUI>("DPI_slider_0")->GetValue(), 3) << "the profile is shown again";
    }
}

// The mouse's catalogue row has no power flag, so the poll timer never runs for it; the page's
// poll is the one every family with a power status shares.
TEST_F(MousePageLogicTest, ThePowerPollShowsWhatTheMouseReportsAndNothingOnAnErrorReply) {
    OpenConnected();
    CQuorvantMouseDevice* page = Page();
    ui::CControlUI* charge = page->GetPowerControl()->FindSubControlByName("device_power_value");
    ASSERT_NE(charge, nullptr);
    Firmware().SetPowerStatus({{85, 2, 0, 0, 0, 0}});
    page->PollPowerStatus();
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(charge->GetText(), "85%");

    sim::CommandFaults faults;
    faults.errorStatusReports = 1;
    Firmware().SetFaults(faults);
    Firmware().SetPowerStatus({{40, 2, 0, 0, 0, 0}});
    page->PollPowerStatus();
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(charge->GetText(), "85%") << "a reply with status 0xFF shows nothing";
}

}  // namespace
}  // namespace orvane::test
