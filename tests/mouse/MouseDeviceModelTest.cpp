// The mouse's command sequences end to end against the emulated Q730.
#include <gtest/gtest.h>

#include "mouse/MouseDeviceModel.h"
#include "platform/DebugLog.h"
#include "tests/support/SimMouse.h"

namespace orvane {
namespace {

class MouseModelTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(channel_.Open(mouse_.CommandPath(), false)); }

    test::SimMouse mouse_;
    CommandChannel channel_;
    MouseDeviceModel model_{channel_};
};

TEST_F(MouseModelTest, InitialReadLearnsTheDevicesSlotOrder) {
    ASSERT_EQ(model_.InitialRead(), MouseDeviceModel::InitialReadOutcome::Done);
    EXPECT_EQ(model_.LastFailure().command, nullptr);
    EXPECT_EQ(model_.KeySlots(), mouse_.Firmware().Options().keySlots);
    EXPECT_EQ(channel_.BlockSize(), 3 * model_.KeySlots());
    const auto& order = mouse_.Firmware().Options().slotOfButton;
    for (size_t b = 0; b < kLogicalButtonCount; ++b) EXPECT_EQ(model_.SlotMap()[b], order[b]) << "button " << b;
}

TEST(MouseModelSlots, ButtonsWithoutASlotStayUnmapped) {
    sim::MouseOptions options;
    options.keySlots = 6;
    test::SimMouse mouse(options);
    CommandChannel channel;
    ASSERT_TRUE(channel.Open(mouse.CommandPath(), false));
    MouseDeviceModel model(channel);
    ASSERT_EQ(model.InitialRead(), MouseDeviceModel::InitialReadOutcome::Done);
    for (size_t b = 0; b < kLogicalButtonCount; ++b) {
        const uint8_t slot = options.slotOfButton[b];
        EXPECT_EQ(model.SlotMap()[b], slot < 6 ? slot : kNoKeySlot) << "button " << b;
    }
}

TEST_F(MouseModelTest, WriteSettingsPutsTheBlockAtProfileZero) {
    ConfigBlockInput in;
    in.light.mode = 2;
    in.light.brightness = 4;
    in.light.speed = 1;
    in.activeDpiStage = 3;
    in.screenValid = 1;
    in.screenWidth = 1920;
    in.screenHeight = 1080;
    ASSERT_EQ(model_.WriteSettings(in, 0), 1);
    EXPECT_EQ(model_.LastFailure().command, nullptr);
    const auto memory = mouse_.Firmware().ParameterMemory();
    const auto expected = ConfigBlock::Build(in, false);
    EXPECT_TRUE(std::equal(expected.bytes.begin(), expected.bytes.begin() + ConfigBlock::kWriteBytes, memory.begin()));
    EXPECT_EQ(mouse_.Firmware().ActiveProfile(), 0);

    auto read = model_.ReadActiveConfig();
    ASSERT_TRUE(read);
    EXPECT_EQ(read->light.mode, 2);
    EXPECT_EQ(read->light.speed, 1);
    EXPECT_EQ(read->activeDpiStage, 3);
}

TEST_F(MouseModelTest, ReadActiveConfigFollowsAnOnboardSwitch) {
    ASSERT_TRUE(mouse_.Firmware().SwitchOnboardProfile(2, mouse_.Device()));
    auto read = model_.ReadActiveConfig();
    ASSERT_TRUE(read);
    EXPECT_EQ(read->activeProfile, 2);
    const auto memory = mouse_.Firmware().ParameterMemory();
    EXPECT_EQ(read->raw.bytes[ConfigBlock::kLightMode], memory[2 * 128 + ConfigBlock::kLightMode]);
}

TEST_F(MouseModelTest, AFailedReadDecodesNothing) {
    sim::CommandFaults faults;
    faults.silentReports = 1;  // the second read of the pair answers, the first does not
    mouse_.Firmware().SetFaults(faults);
    EXPECT_FALSE(model_.ReadActiveConfig());
    EXPECT_STREQ(model_.LastFailure().command, "ReadParameters");

    faults.silentReports = 0;
    faults.errorStatusReports = 1;
    faults.errorStatus = 0xFE;
    mouse_.Firmware().SetFaults(faults);
    EXPECT_FALSE(model_.ReadActiveConfig());
    EXPECT_EQ(model_.LastFailure().result, kResultStatusRejected);
}

TEST_F(MouseModelTest, WriteKeyBlockWritesCodesAtTheMappedSlots) {
    ASSERT_EQ(model_.InitialRead(), MouseDeviceModel::InitialReadOutcome::Done);
    std::vector<FunctionCode> codes(kLogicalButtonCount);
    for (size_t b = 0; b < codes.size(); ++b) codes[b] = {0x20, 0x00, static_cast<uint8_t>(0x04 + b)};
    ASSERT_EQ(model_.WriteKeyBlock(codes, 0), 1);
    const auto table = mouse_.Firmware().KeyTable();
    ASSERT_EQ(table.size(), 3u * model_.KeySlots());
    for (size_t b = 0; b < kLogicalButtonCount; ++b) {
        const size_t slot = model_.SlotMap()[b];
        EXPECT_EQ(table[3 * slot + 2], 0x04 + b) << "button " << b;
    }
    // Slots no button owns are cleared.
    EXPECT_EQ(table[3 * 15], 0);
}

TEST_F(MouseModelTest, WriteMacrosStoresTheImageOrSaysHowManyEventsMustGo) {
    ASSERT_EQ(model_.InitialRead(), MouseDeviceModel::InitialReadOutcome::Done);
    std::vector<std::vector<MacroEventBytes>> macros = {{{300, 1, true, 4}, {20, 1, false, 4}}};
    ASSERT_EQ(model_.WriteMacros(macros), 0);
    const auto memory = mouse_.Firmware().MacroMemory();
    const auto image = CompileMacroArea(macros, model_.MacroCapacityBytes()).image;
    EXPECT_TRUE(std::equal(image.begin(), image.end(), memory.begin()));

    const size_t capacity = model_.MacroCapacityBytes();
    std::vector<std::vector<MacroEventBytes>> tooMany = {std::vector<MacroEventBytes>((capacity - 22) / 4 + 2)};
    const auto before = mouse_.Firmware().MacroMemory();
    EXPECT_GT(model_.WriteMacros(tooMany), 0);
    EXPECT_EQ(mouse_.Firmware().MacroMemory(), before) << "nothing is written when the macros do not fit";
    EXPECT_EQ(model_.WriteMacros({}), 0);
}

TEST(MouseModelSlowLink, OfflineDeviceSkipsTheWholeGroup) {
    test::SimMouse mouse;
    CommandChannel channel;
    ASSERT_TRUE(channel.Open(mouse.CommandPath(), true));
    MouseDeviceModel model(channel);
    // An error status makes QueryOnline false at once (a silent one would take two 5 s reads).
    sim::CommandFaults faults;
    faults.errorStatusReports = 1;
    mouse.Firmware().SetFaults(faults);
    const auto before = mouse.Firmware().ReportsReceived();
    ConfigBlockInput in;
    EXPECT_EQ(model.WriteSettings(in, 0), 0);  // one refused QueryOnline, then nothing
    EXPECT_EQ(mouse.Firmware().ReportsReceived(), before + 1);
    EXPECT_STREQ(model.LastFailure().command, "QueryOnline");
}

TEST_F(MouseModelTest, ClosedChannelTouchesNothing) {
    channel_.Close();
    EXPECT_EQ(model_.InitialRead(), MouseDeviceModel::InitialReadOutcome::ChannelClosed);
    EXPECT_FALSE(model_.ReadActiveConfig());
    EXPECT_EQ(model_.WriteSettings({}, 0), 0);
    EXPECT_FALSE(model_.ReadPowerStatus());
    EXPECT_EQ(mouse_.Firmware().ReportsReceived(), 0u);
}

TEST_F(MouseModelTest, PowerStatusCarriesTheHostsLinkMark) {
    sim::PowerStatusBytes p;
    p.bytes = {87, 2, 0, 9, 1, 3};
    mouse_.Firmware().SetPowerStatus(p);
    auto status = model_.ReadPowerStatus();
    ASSERT_TRUE(status);
    EXPECT_EQ(status->Charge(), 87);
    EXPECT_EQ(status->State(), PowerStatus::kOnBattery);
    EXPECT_EQ(status->bytes[PowerStatus::kWireless], 0) << "byte 3 is the host's own mark";
}

// A dead device costs one time-out per group, not one per command.
TEST_F(MouseModelTest, AGroupStopsAtTheFirstCommandWithoutAnAnswer) {
    ASSERT_EQ(model_.InitialRead(), MouseDeviceModel::InitialReadOutcome::Done);
    sim::CommandFaults faults;
    faults.silentReports = -1;
    mouse_.Firmware().SetFaults(faults);
    const uint64_t before = mouse_.Firmware().ReportsReceived();
    model_.WriteSettings(ConfigBlockInput{}, 0);
    EXPECT_STREQ(model_.LastFailure().command, "BeginTransfer");
    EXPECT_EQ(model_.LastFailure().result, kResultClosedOrReadFailed);
    EXPECT_EQ(mouse_.Firmware().ReportsReceived(), before + 1) << "nothing after the unanswered command";

    // The next group tries again, and a mouse that answers again is written.
    mouse_.Firmware().SetFaults({});
    ASSERT_EQ(model_.WriteSettings(ConfigBlockInput{}, 0), 1);
    EXPECT_EQ(model_.LastFailure().command, nullptr);
}

TEST_F(MouseModelTest, AnErrorStatusIsAnAnswerAndTheGroupGoesOn) {
    ASSERT_EQ(model_.InitialRead(), MouseDeviceModel::InitialReadOutcome::Done);
    sim::CommandFaults faults;
    faults.errorStatusReports = 1;
    mouse_.Firmware().SetFaults(faults);
    const uint64_t before = mouse_.Firmware().ReportsReceived();
    model_.WriteSettings(ConfigBlockInput{}, 0);
    EXPECT_STREQ(model_.LastFailure().command, "BeginTransfer");
    EXPECT_EQ(model_.LastFailure().result, kResultStatusError);
    EXPECT_EQ(mouse_.Firmware().ReportsReceived(), before + 4) << "BeginTransfer, two data reports, EndTransfer";
}

TEST_F(MouseModelTest, AnUnpluggedMouseEndsTheGroupWithoutWaiting) {
    ASSERT_EQ(model_.InitialRead(), MouseDeviceModel::InitialReadOutcome::Done);
    sim::CommandFaults faults;
    faults.unplugAfterReports = 0;
    mouse_.Firmware().SetFaults(faults);
    const auto start = std::chrono::steady_clock::now();
    model_.WriteKeyBlock(std::vector<FunctionCode>(kLogicalButtonCount), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(900)) << "no time-out waited for";
    EXPECT_TRUE(model_.LastFailure().Failed());
}

}  // namespace
}  // namespace orvane
