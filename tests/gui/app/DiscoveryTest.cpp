// Discovery end to end: the emulated mouse plugged, unplugged and plugged again while the main
// window runs, and what the window shows each time.
#include "ShellFixture.h"

#include <QElapsedTimer>

#include "ui/dialogs/WindowMessageIds.h"
#include "ui/controls/LightSyncEvent.h"
#include "ui/framework/TabLayout.h"

namespace orvane::app::test {
namespace {

TEST_F(ShellTest, WindowStartsAt800x572CentredAndIsShownAfterTheFirstScanWithNoDevice) {
    CMainWnd window(TestServices());
    ASSERT_TRUE(CreateMainWindow(window));
    EXPECT_EQ(window.size(), QSize(800, 572));
    const QRect screen = window.screen()->availableGeometry();
    EXPECT_EQ(window.frameGeometry().center(), screen.center());
    EXPECT_FALSE(window.isVisible()) << "hidden until the first scan is done";

    ASSERT_TRUE(QTest::qWaitFor([&] { return window.isVisible(); }, 5000));
    EXPECT_TRUE(window.IsInitialised());
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.size() == QSize(1350, 810); }, 2000));
    EXPECT_EQ(window.frameGeometry().center(), screen.center());
    ui::CControlUI* notice = window.FindControl("No_device_Link");
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(notice->IsVisible());
    EXPECT_EQ(window.GetCurrentPage(), nullptr);
    EXPECT_EQ(window.SelectorEntries().size(), 5u) << "one hidden entry per catalogue row";
    for (ui::CDeviceOptionUI* entry : window.SelectorEntries()) EXPECT_FALSE(entry->IsShown());
}

TEST_F(ShellTest, MousePresentAtStartIsShownSelectedAndConnects) {
    orvane::test::SimMouse& mouse = Mouse();
    CMainWnd& window = Open();

    CQuorvantUSBDevice* page = MousePage();
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(Logged("12312312312312323123123"));
    EXPECT_TRUE(Logged("添加一个鼠标设备"));
    EXPECT_EQ(window.Slots()[2].path, mouse.CommandPath());
    EXPECT_TRUE(page->Channel().IsOpen());
    EXPECT_TRUE(page->SyncChannel().IsOpen()) << "the event collection claims slot 3";
    EXPECT_EQ(page->GetDeviceRecord().path, mouse.CommandPath()) << "the page holds the claimed record";
    ASSERT_NE(MouseEntry(), nullptr);
    EXPECT_TRUE(MouseEntry()->IsShown());
    EXPECT_TRUE(MouseEntry()->IsDeviceSelected());
    EXPECT_EQ(window.GetCurrentPage(), page);
    EXPECT_FALSE(NoDeviceNoticeShown());
    auto* pages = window.FindControl<ui::CTabLayoutUI>("device_switch");
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(pages->GetItemAt(pages->GetCurSel()), page);

    // The entry's connect timer runs the page's connection half a second after the arrival.
    bool connected = false;
    window.WhenDevicesConnected([&] { connected = true; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return connected; }, 2000));
    EXPECT_TRUE(ui::LightSyncEvent().IsSignalled());
}

TEST_F(ShellTest, UnplugHidesTheEntryAndReplugReusesThePage) {
    orvane::test::SimMouse& mouse = Mouse();
    mouse.Unplug();
    CMainWnd& window = Open();
    EXPECT_TRUE(NoDeviceNoticeShown());
    CQuorvantUSBDevice* page = MousePage();
    ASSERT_NE(page, nullptr);
    ASSERT_FALSE(MouseEntry()->IsShown());

    ui::LightSyncEvent().Reset();
    QElapsedTimer sincePlug;
    sincePlug.start();
    mouse.Replug();
    ASSERT_TRUE(QTest::qWaitFor([&] { return MouseEntry()->IsShown(); }, 2000));
    EXPECT_TRUE(MouseEntry()->IsDeviceSelected());
    EXPECT_EQ(window.GetCurrentPage(), page);
    EXPECT_FALSE(NoDeviceNoticeShown());
    EXPECT_FALSE(ui::LightSyncEvent().IsSignalled()) << "the connect timer waits 500 ms";
    ASSERT_TRUE(QTest::qWaitFor([&] { return ui::LightSyncEvent().IsSignalled(); }, 2000));
    EXPECT_GE(sincePlug.elapsed(), 500);

    mouse.Unplug();
    // Both collections go: the command one hides the entry, the event one closes the sync channel.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !MouseEntry()->IsShown() && !page->SyncChannel().IsOpen(); }, 2000));
    EXPECT_FALSE(page->Channel().IsOpen());
    EXPECT_TRUE(NoDeviceNoticeShown());
    EXPECT_EQ(window.GetCurrentPage(), nullptr);
    EXPECT_TRUE(Logged("删除一个鼠标设备"));

    mouse.Replug();
    ASSERT_TRUE(QTest::qWaitFor([&] { return MouseEntry()->IsShown(); }, 2000));
    EXPECT_EQ(MousePage(), page) << "pages live as long as the window";
    EXPECT_EQ(window.Pages(DeviceFamily::Mouse).size(), 1u);
    EXPECT_TRUE(page->Channel().IsOpen());
    EXPECT_EQ(page->GetDeviceRecord().path, mouse.CommandPath()) << "the new node";
    EXPECT_EQ(window.GetCurrentPage(), page);
}

TEST_F(ShellTest, UnplugOfTheSelectedDeviceSelectsAnotherVisibleOne) {
    orvane::test::SimMouse& mouse = Mouse();
    CMainWnd& window = Open();
    // A second device: the mouse pad's entry (index 2) shown, not selected.
    const auto entries = window.SelectorEntries();
    ui::CDeviceOptionUI* pad = entries[2];
    ASSERT_EQ(pad->GetPage(), window.Pages(DeviceFamily::MousePad).front());
    window.ShowSelectorEntry(2, true, false);
    ASSERT_TRUE(MouseEntry()->IsDeviceSelected());

    mouse.Unplug();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !MouseEntry()->IsShown(); }, 2000));
    EXPECT_TRUE(pad->IsDeviceSelected());
    EXPECT_EQ(window.GetCurrentPage(), window.Pages(DeviceFamily::MousePad).front());
    EXPECT_FALSE(NoDeviceNoticeShown());
}

TEST_F(ShellTest, UnplugDuringTheConnectDelayLeavesTheShellConsistent) {
    orvane::test::SimMouse& mouse = Mouse();
    mouse.Unplug();
    CMainWnd& window = Open();
    ui::LightSyncEvent().Reset();
    mouse.Replug();
    ASSERT_TRUE(QTest::qWaitFor([&] { return MouseEntry()->IsShown(); }, 2000));
    mouse.Unplug();  // before the entry's 500 ms connect timer
    ASSERT_TRUE(QTest::qWaitFor([&] { return !MouseEntry()->IsShown(); }, 2000));

    bool connected = false;
    window.WhenDevicesConnected([&] { connected = true; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return connected; }, 2000)) << "the pending connect still completes";
    EXPECT_FALSE(MousePage()->Channel().IsOpen());
    EXPECT_TRUE(NoDeviceNoticeShown());
    EXPECT_EQ(window.GetCurrentPage(), nullptr);

    mouse.Replug();
    ASSERT_TRUE(QTest::qWaitFor([&] { return MouseEntry()->IsShown(); }, 2000));
    EXPECT_TRUE(MousePage()->Channel().IsOpen());
}

TEST_F(ShellTest, ArrivalsWaitWhileTheSystemSleeps) {
    orvane::test::SimMouse& mouse = Mouse();
    mouse.Unplug();
    CMainWnd& window = Open();
    window.SendMessage(ui::WM_POWERBROADCAST, ui::PBT_APMSUSPEND, 0);
    EXPECT_FALSE(window.IsAwake());
    EXPECT_FALSE(MousePage()->IsLightingEnabled());

    mouse.Replug();
    QTest::qWait(400);
    EXPECT_FALSE(MouseEntry()->IsShown());
    EXPECT_FALSE(MousePage()->Channel().IsOpen());

    window.SendMessage(ui::WM_POWERBROADCAST, ui::PBT_APMRESUMEAUTOMATIC, 0);
    EXPECT_TRUE(MouseEntry()->IsShown());
    EXPECT_TRUE(MousePage()->Channel().IsOpen());
    EXPECT_TRUE(MousePage()->IsLightingEnabled());

    // Gone while asleep: the page does not stay open on the vanished device.
    window.SendMessage(ui::WM_POWERBROADCAST, ui::PBT_APMSUSPEND, 0);
    mouse.Unplug();
    QTest::qWait(400);
    EXPECT_TRUE(MousePage()->Channel().IsOpen()) << "not handled before the resume";
    window.SendMessage(ui::WM_POWERBROADCAST, ui::PBT_APMRESUMEAUTOMATIC, 0);
    EXPECT_FALSE(MousePage()->Channel().IsOpen());
    EXPECT_FALSE(MouseEntry()->IsShown());
}

}  // namespace
}  // namespace orvane::app::test
