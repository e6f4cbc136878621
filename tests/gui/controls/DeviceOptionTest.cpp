// The device selector entry: its named children, and the page operations its timers run.
#include "ControlsFixture.h"

#include <QElapsedTimer>
#include <QTest>

#include <thread>

#include "ui/controls/DeviceOption.h"
#include "ui/controls/DevicePageInterface.h"
#include "ui/controls/LightSyncEvent.h"
#include "ui/framework/Label.h"
#include "ui/framework/Option.h"

namespace orvane::ui::test {
namespace {

// A page that counts what the entry asks of it.
class RecordingPage final : public DevicePageInterface {
public:
    void PaintLightButtons() override { ++paints; }
    void OnConnect() override {
        ++connects;
        connectedAt = clock.elapsed();
    }
    void OnSyncRequest() override { ++syncs; }
    void ReservedTimerOperation1() override { ++reserved1; }
    void ReservedTimerOperation2() override { ++reserved2; }
    void PollPowerStatus() override {
        ++polls;
        polledAt = clock.elapsed();
    }
    bool IsChannelOpen() const override { return channelOpen; }
    bool HasPowerFlag() const override { return powerFlag; }
    void SetOptionItem(CDeviceOptionUI* entry) override { optionItem = entry; }

    int paints = 0, connects = 0, syncs = 0, reserved1 = 0, reserved2 = 0, polls = 0;
    qint64 connectedAt = -1, polledAt = -1;
    bool channelOpen = true, powerFlag = false;
    CDeviceOptionUI* optionItem = nullptr;
    QElapsedTimer clock;
};

class DeviceOptionTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        entry = Build<CDeviceOptionUI>("common\\device_ico\\4718\\DeviceOption.xml");
        ASSERT_NE(entry, nullptr);
        entry->SetPage(&page);
        page.clock.start();
        window->notes.clear();
    }

    CDeviceOptionUI* entry = nullptr;
    RecordingPage page;
};

TEST_F(DeviceOptionTest, OperationsReachTheNamedChildren) {
    EXPECT_EQ(page.optionItem, entry);
    auto* sync = entry->FindSubControlByName<COptionUI>("synchro_device_select");
    auto* device = entry->FindSubControlByName<COptionUI>("device_select");
    auto* name = entry->FindSubControlByName<CLabelUI>("device_select_name");
    ASSERT_TRUE(sync && device && name);

    entry->ShowSyncOption(false);
    EXPECT_FALSE(sync->IsVisible());
    entry->ShowSyncOption(true);
    EXPECT_TRUE(sync->IsVisible());

    entry->SetSyncSelected(true);
    EXPECT_TRUE(entry->IsSyncSelected());
    entry->SetDeviceSelected(true);
    EXPECT_TRUE(entry->IsDeviceSelected());
    entry->SetDeviceSelected(false);
    EXPECT_FALSE(entry->IsDeviceSelected());
    EXPECT_EQ(window->notes, (std::vector<Note>{{"selectchanged", "synchro_device_select", 1},
                                                {"selectchanged", "device_select", 1},
                                                {"selectchanged", "device_select", 0}}));

    entry->BindTab("device_switch", 3);
    EXPECT_EQ(entry->GetBoundTabIndex(), 3);
    EXPECT_EQ(entry->GetBoundTabName(), "device_switch");
    entry->SetOptionGroup("tab_header_device");
    EXPECT_EQ(device->GetGroup(), "tab_header_device");

    // The name is a language key; without a language table it shows as it is.
    entry->SetDeviceName("mouse");
    EXPECT_EQ(name->GetText(), "mouse");

    entry->SetDeviceKind(2, 0);
    EXPECT_EQ(entry->GetDeviceType(), 2);
    EXPECT_EQ(entry->GetDeviceRole(), 0);

    EXPECT_TRUE(entry->IsShown());
    entry->SetVisible(false);
    EXPECT_FALSE(entry->IsShown());
    EXPECT_FALSE(entry->IsVisible());
}

TEST_F(DeviceOptionTest, PowerContainerKeepsGivenValuesOnly) {
    entry->SetPowerContainer("device_power_switch", 2);
    entry->SetPowerContainer("", -1);
    EXPECT_EQ(entry->GetPowerContainer(), "device_power_switch");
    EXPECT_EQ(entry->GetPowerIndex(), 2);
    entry->SetPowerContainer("other", 0);
    EXPECT_EQ(entry->GetPowerContainer(), "other");
    EXPECT_EQ(entry->GetPowerIndex(), 0);
}

TEST_F(DeviceOptionTest, EntryWithoutChildrenOrPageDoesNothing) {
    CDeviceOptionUI bare;
    bare.SetSyncSelected(true);
    bare.SetDeviceSelected(true);
    bare.BindTab("device_switch", 1);
    bare.SetDeviceName("mouse");
    EXPECT_FALSE(bare.IsSyncSelected());
    EXPECT_FALSE(bare.IsDeviceSelected());
    EXPECT_EQ(bare.GetBoundTabIndex(), -1);
    EXPECT_TRUE(bare.GetBoundTabName().isEmpty());
    EXPECT_EQ(bare.GetPowerIndex(), -1);
    // Its timers fire without a page to run.
    for (int id = CDeviceOptionUI::kPaintTimer; id <= CDeviceOptionUI::kPowerTimer; ++id) bare.SetTimer(id, 0);
    QTest::qWait(30);
    EXPECT_EQ(bare.GetPage(), nullptr);
}

TEST_F(DeviceOptionTest, EachTimerRunsItsOperationOnce) {
    // With the channel closed and no power flag nothing re-arms, so every operation runs once.
    page.channelOpen = false;
    const struct {
        int id;
        const int* count;
    } cases[] = {
        {CDeviceOptionUI::kPaintTimer, &page.paints},   {CDeviceOptionUI::kSyncTimer, &page.syncs},
        {CDeviceOptionUI::kReservedTimer1, &page.reserved1}, {CDeviceOptionUI::kReservedTimer2, &page.reserved2},
        {CDeviceOptionUI::kPowerTimer, &page.polls},
    };
    for (const auto& c : cases) {
        entry->SetTimer(c.id, 1);
        QTRY_COMPARE(*c.count, 1);
        QTest::qWait(30);
        EXPECT_EQ(*c.count, 1) << c.id;
        EXPECT_EQ(window->Count({"timer", "device_option", static_cast<WParam>(c.id)}), 1) << c.id;
    }
    EXPECT_EQ(page.connects, 0);
}

TEST_F(DeviceOptionTest, SyncThreadArmsTheSyncTimer) {
    std::thread worker([this] { entry->SetTimer(CDeviceOptionUI::kSyncTimer, 1); });
    worker.join();
    QTRY_COMPARE(page.syncs, 1);
}

TEST_F(DeviceOptionTest, ConnectPaintsOnceThenPollsEvery5s) {
    // A second entry whose page has no power flag runs beside it.
    auto* other = Build<CDeviceOptionUI>("XML\\CustomControlXML\\DeviceOption.xml");
    ASSERT_NE(other, nullptr);
    RecordingPage unpowered;
    unpowered.clock.start();
    other->SetPage(&unpowered);
    page.powerFlag = true;
    LightSyncEvent().Reset();

    entry->StartConnectTimer();
    other->StartConnectTimer();
    // Timers of this length may fire up to 5 % early.
    QTRY_COMPARE_WITH_TIMEOUT(page.connects, 1, 2000);
    EXPECT_GE(page.connectedAt, 475);
    EXPECT_TRUE(LightSyncEvent().IsSignalled());
    QTRY_COMPARE(page.paints, 1);
    QTRY_COMPARE_WITH_TIMEOUT(page.polls, 1, 7000);
    EXPECT_GE(page.polledAt - page.connectedAt, 4750);
    EXPECT_EQ(page.connects, 1);
    EXPECT_EQ(unpowered.connects, 1);
    EXPECT_EQ(unpowered.polls, 0);
    // One paint pass after connecting: the page paints its later frames itself.
    EXPECT_EQ(page.paints, 1);
    EXPECT_EQ(unpowered.paints, 1);
}

}  // namespace
}  // namespace orvane::ui::test
