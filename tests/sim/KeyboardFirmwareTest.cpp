// The keyboard model through the host's CommandChannel: its identity, the key table in scan
// order and the LED map, the 25-byte blocks, the light stream and the custom bitmap, key events
// on the consumer collection, and its memories kept across runs.
#include <gtest/gtest.h>

#include <algorithm>

#include "device/HidDeviceHandle.h"
#include "platform/DebugLog.h"
#include "platform/UserFolders.h"
#include "sim/SimModels.h"
#include "tests/sim/PadOnBus.h"
#include "tests/support/TempHome.h"

namespace orvane::test {
namespace {

using sim::KeyboardFirmware;
constexpr size_t kBlock = 25;

Bytes CodeOfKey(size_t key) {
    const auto& c = sim::KeyboardFactoryCodes()[key];
    return {c[0], c[1], c[2]};
}

TEST(KeyboardFirmware, IdentifiesItselfAsAKeyboardOfVendorZero) {
    KeyboardOnBus kb;
    EXPECT_EQ(kb.channel.Handle().Capabilities().usagePage, 0xFF1C);
    EXPECT_EQ(kb.channel.Handle().Capabilities().usage, 0x92);
    HidDeviceHandle h(kb.bus);
    ASSERT_TRUE(h.EnumeratePaths());
    int paths = 0;
    while (auto p = h.NextPath()) {
        ++paths;
        EXPECT_EQ(ParseVid(*p), 0);
        EXPECT_EQ(ParsePid(*p), 0);
    }
    EXPECT_EQ(paths, 5) << "the boot keyboard plus four collections on interface 1";
    DeviceInfoRecord info;
    ASSERT_EQ(kb.channel.ReadDeviceInfo(info), 1);
    EXPECT_EQ(info.bytes[3], 1) << "device type: keyboard";
    EXPECT_EQ(info.KeySlots(), 126);
    EXPECT_EQ(info.MacroUnits(), 16);
}

TEST(KeyboardFirmware, KeyTableHoldsTheFactoryCodesInScanOrder) {
    KeyboardOnBus kb;
    ASSERT_TRUE(kb.channel.SetBlockSize(3 * 126));
    Bytes table(378);
    const uint64_t before = kb.firmware->ReportsReceived();
    ASSERT_EQ(kb.channel.ReadKeyTable(table), 1);
    EXPECT_EQ(kb.firmware->ReportsReceived() - before, 7u) << "378 bytes: six reports of 56 and one of 42";
    EXPECT_EQ(Bytes(table.begin() + 21, table.begin() + 24), (Bytes{0x20, 0x00, 0x1A})) << "slot 7 holds W";
    for (size_t key = 0; key < 126; ++key) {
        const size_t slot = KeyboardFirmware::FactorySlotOfKey(key, 126);
        ASSERT_LT(slot, 126u);
        EXPECT_EQ(Bytes(table.begin() + 3 * slot, table.begin() + 3 * slot + 3), CodeOfKey(key)) << "key " << key;
    }
}

TEST(KeyboardFirmware, LedMapIsReadWholeInFourReports) {
    KeyboardOnBus kb;  // block size still 512: 170 bytes
    Bytes map(170);
    const uint64_t before = kb.firmware->ReportsReceived();
    ASSERT_EQ(kb.channel.ReadKeyLightMap(map), 1);
    EXPECT_EQ(kb.firmware->ReportsReceived() - before, 4u) << "56, 56, 56 and 2 bytes";
    EXPECT_EQ(map[7], KeyboardFirmware::LedOfKey(44));
    EXPECT_EQ(map[KeyboardFirmware::FactorySlotOfKey(18, 126)], sim::kNoLed) << "a placeholder key has no light";
    EXPECT_EQ(map[KeyboardFirmware::FactorySlotOfKey(103, 126)], sim::kNoLed) << "the map leaves key 103 out";
    EXPECT_EQ(KeyboardFirmware::LedOfKey(103), 100);
    EXPECT_TRUE(std::all_of(map.begin() + 126, map.end(), [](uint8_t b) { return b == sim::kNoLed; }));
}

TEST(KeyboardFirmware, BlocksAreReadAtProfileTimesTwentyFiveAndWrittenAtZero) {
    KeyboardOnBus kb;
    ASSERT_TRUE(kb.firmware->SwitchOnboardProfile(2, *kb.device));
    EXPECT_EQ(kb.Read(0, 1)[0], 2);
    const Bytes block2 = kb.Read(50, kBlock);
    EXPECT_EQ(block2[1], 6) << "factory profile 2: per-key breathing";

    Bytes block(kBlock, 0);
    block[1] = 20;  // custom static
    block[2] = 4;
    block[3] = 4 - 1;
    block[6] = 0xFF;
    block[19] = 1;  // W flag
    block[21] = 1;  // Windows key lock
    block[22] = 2;  // report rate option
    ASSERT_EQ(kb.channel.BeginTransfer(), 1);
    EXPECT_EQ(kb.channel.WriteParameters(block, 0), 1);
    EXPECT_TRUE(kb.firmware->InTransfer());
    ASSERT_EQ(kb.channel.EndTransfer(), 1);
    EXPECT_EQ(kb.firmware->ActiveProfile(), 0) << "byte 0 of the write makes profile 0 the active one";
    EXPECT_EQ(kb.Read(0, kBlock), block);
    EXPECT_EQ(kb.Read(50, kBlock), block2) << "profile 2 untouched";
}

struct RefusedWrite {
    const char* name;
    uint16_t address;
    Bytes (*edit)(Bytes block);
};

class KeyboardRefusedWrite : public ::testing::TestWithParam<RefusedWrite> {};

TEST_P(KeyboardRefusedWrite, ChangesNothing) {
    KeyboardOnBus kb;
    const Bytes block = GetParam().edit(kb.Read(0, kBlock));
    const Bytes before = kb.firmware->ParameterMemory();
    EXPECT_EQ(kb.channel.WriteParameters(block, GetParam().address), kResultStatusRejected);
    EXPECT_EQ(kb.firmware->ParameterMemory(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Table, KeyboardRefusedWrite,
    ::testing::Values(RefusedWrite{"InsideABlock", 24, [](Bytes b) { return b; }},
                      RefusedWrite{"PastTheLastProfile", 75, [](Bytes b) { return b; }},
                      RefusedWrite{"ProfileItLacks", 0, [](Bytes b) { b[0] = 3; return b; }},
                      RefusedWrite{"ModeTwentyFive", 0, [](Bytes b) { b[1] = 25; return b; }},
                      RefusedWrite{"BrightnessAboveFour", 0, [](Bytes b) { b[2] = 5; return b; }},
                      RefusedWrite{"SpeedAboveFour", 0, [](Bytes b) { b[3] = 0xFF; return b; }},
                      RefusedWrite{"SixKeyFlagTwo", 0, [](Bytes b) { b[20] = 2; return b; }},
                      RefusedWrite{"ReportRateFour", 0, [](Bytes b) { b[22] = 4; return b; }},
                      RefusedWrite{"LongerThanABlock", 0, [](Bytes b) { b.resize(26, 0); return b; }}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(KeyboardFirmware, LightStreamFillsTheFrameInThreeReports) {
    KeyboardOnBus kb;
    Bytes frame(126);
    for (size_t i = 0; i < frame.size(); ++i) frame[i] = static_cast<uint8_t>(2 * i);
    const uint64_t before = kb.firmware->ReportsReceived();
    ASSERT_EQ(kb.channel.StreamLightData(frame), 1);
    EXPECT_EQ(kb.firmware->ReportsReceived() - before, 3u);
    const auto shown = kb.firmware->LightFrame();
    EXPECT_TRUE(std::equal(frame.begin(), frame.end(), shown.begin()));
    EXPECT_EQ(kb.firmware->LightFramesBegun(), 1u);

    Bytes tooLong(127, 1);
    EXPECT_EQ(kb.channel.StreamLightData(tooLong), kResultStatusRejected) << "the last chunk lies past LED 125";
    EXPECT_EQ(kb.firmware->LightFramesBegun(), 2u);
}

TEST(KeyboardFirmware, CustomBitmapIsWrittenWholeOrOneByte) {
    KeyboardOnBus kb;
    Bytes bitmap(21, 0);
    bitmap[0] = 0x81;
    bitmap[20] = 0x02;
    ASSERT_EQ(kb.channel.WriteRecord(bitmap, 0), 1);
    const Bytes one{0x40};
    ASSERT_EQ(kb.channel.WriteRecord(one, 5), 1);
    auto stored = kb.firmware->CustomBitmap();
    bitmap[5] = 0x40;
    EXPECT_TRUE(std::equal(bitmap.begin(), bitmap.end(), stored.begin()));
    EXPECT_EQ(kb.channel.WriteRecord(one, 21), kResultStatusRejected);
}

TEST(KeyboardFirmware, KeyPressesAreAnnouncedOnTheConsumerCollection) {
    KeyboardOnBus kb;
    CommandChannel events(kb.bus);
    ASSERT_TRUE(events.Open(PathOn(kb.bus, 1, 3), false));
    ASSERT_TRUE(kb.firmware->PressKey(7, *kb.device));
    ASSERT_TRUE(kb.firmware->ReleaseKey(7, *kb.device));
    EXPECT_FALSE(kb.firmware->PressKey(126, *kb.device)) << "no slot 126";
    for (const Bytes& expected : {Bytes{3, 0x07, 0x05}, Bytes{3, 0x07, 0x06}}) {
        Bytes report(3);
        uint32_t length = 0;
        ASSERT_TRUE(events.ReadInputReport(report, length, 2000));
        EXPECT_EQ(report, expected);
    }
}

TEST(KeyboardFirmware, AnInjectedErrorStatusReachesTheStream) {
    KeyboardOnBus kb;
    sim::CommandFaults faults;
    faults.errorStatusReports = 1;
    kb.firmware->SetFaults(faults);
    EXPECT_EQ(kb.channel.StreamLightData(Bytes(126, 9)), kResultStatusError);
    EXPECT_EQ(kb.channel.StreamLightData(Bytes(126, 9)), 1) << "only the next report was faulted";
}

class KeyboardState : public ::testing::Test {
protected:
    void SetUp() override {
        options_.stateFolder = home_.Path() + "/sim";
        ASSERT_TRUE(MakeFolders(options_.stateFolder));
    }
    TempHome home_;
    sim::KeyboardOptions options_;
};

TEST_F(KeyboardState, MemoriesSurviveIntoTheNextInstance) {
    std::vector<uint8_t> keys, parameters;
    {
        KeyboardOnBus kb(options_);
        ASSERT_TRUE(kb.channel.SetBlockSize(378));
        Bytes table = kb.firmware->KeyTable();
        table[21] = 0x20, table[22] = 0x01, table[23] = 0x06;  // W becomes Ctrl+C
        ASSERT_EQ(kb.channel.WriteKeyTable(table, 0), 1);
        ASSERT_EQ(kb.channel.WriteRecord(Bytes(21, 0xAA), 0), 1);
        ASSERT_TRUE(kb.firmware->SwitchOnboardProfile(1, *kb.device));
        keys = kb.firmware->KeyTable();
        parameters = kb.firmware->ParameterMemory();
    }
    KeyboardFirmware next(options_);
    EXPECT_EQ(next.KeyTable(), keys);
    EXPECT_EQ(next.ParameterMemory(), parameters);
    EXPECT_EQ(next.ActiveProfile(), 1);
    EXPECT_EQ(next.CustomBitmap()[20], 0xAA);
}

TEST_F(KeyboardState, ABrokenFileFallsBackToTheFactoryMemories) {
    auto log = std::make_shared<CapturingDebugSink>();
    auto previous = SetDebugSink(log);
    home_.WriteFile("sim/keyboard.json", R"({"format": 1, "keySlots": 126, "macroUnits": 16, "onboardProfiles": 3})");
    KeyboardFirmware kb(options_);
    SetDebugSink(previous);
    EXPECT_EQ(kb.KeyTable(), KeyboardFirmware::FactoryKeyTable(126));
    EXPECT_EQ(kb.ParameterMemory(), KeyboardFirmware::FactoryParameterMemory(3));
    ASSERT_EQ(log->Lines().size(), 1u);
    EXPECT_NE(log->Lines()[0].find("sim keyboard: state file"), std::string::npos);
}

TEST(KeyboardSimulation, PlugsBesideTheMouseUnderItsOwnStateFile) {
    TempHome home;
    auto previous = ActiveHidBackend();
    std::string error;
    auto bus = sim::InstallSimulation("mouse,keyboard", error);
    ASSERT_TRUE(bus) << error;
    auto devices = bus->Devices();
    ASSERT_EQ(devices.size(), 2u);
    auto keyboard = std::dynamic_pointer_cast<KeyboardFirmware>(devices[1]->Firmware());
    ASSERT_TRUE(keyboard);
    EXPECT_EQ(keyboard->StateFilePath(), sim::SimStateFolder() + "/keyboard.json");
    EXPECT_EQ(devices[1]->Identity().vendorId, 0);
    SetActiveHidBackend(previous);
}

}  // namespace
}  // namespace orvane::test
