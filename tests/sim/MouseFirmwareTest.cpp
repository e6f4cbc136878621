// The Q730 firmware model driven through the HID layer: reply format, memories, bounds,
// the key table's slot order and the profile-switch event.
#include <gtest/gtest.h>

#include <algorithm>

#include "protocol/CommandChannel.h"
#include "tests/sim/MouseOnBus.h"

namespace orvane::test {
namespace {

uint16_t Le16(const Bytes& b, size_t at) { return static_cast<uint16_t>(b[at] | b[at + 1] << 8); }

TEST(MouseFirmware, DeviceInfoReplyCarriesTheConfiguredSizes) {
    sim::MouseOptions options;
    options.keySlots = 20;
    options.macroUnits = 3;
    MouseOnBus m(options);

    auto reply = m.Command(0x03, 0, 34);
    ASSERT_TRUE(reply);
    ASSERT_EQ(reply->size(), 64u);
    EXPECT_EQ((*reply)[0], 4);
    EXPECT_EQ((*reply)[3], 0x03);
    EXPECT_EQ((*reply)[4], 34);
    EXPECT_EQ((*reply)[7], 0x00);
    unsigned sum = 0;
    for (size_t i = 3; i < 64; ++i) sum += (*reply)[i];
    EXPECT_EQ(Le16(*reply, 1), sum) << "replies carry a checksum of their own";

    const Bytes info(reply->begin() + 8, reply->begin() + 8 + 34);
    EXPECT_EQ(info[5], 20) << "N";
    EXPECT_EQ(info[6], 3) << "M";
    EXPECT_EQ(Le16(info, 7), 0x320F);
    EXPECT_EQ(Le16(info, 9), 0x2211);
    EXPECT_TRUE(std::all_of(reply->begin() + 8 + 34, reply->end(), [](uint8_t b) { return b == 0; }))
        << "payload past the record is zero";

    // A read at an offset echoes the address and moves the window.
    auto tail = m.Command(0x03, 5, 2);
    ASSERT_TRUE(tail);
    EXPECT_EQ((*tail)[5], 5);
    EXPECT_EQ((*tail)[8], 20);
    EXPECT_EQ((*tail)[9], 3);
}

TEST(MouseFirmware, FactoryProfilesDecodeToSensibleSettings) {
    MouseOnBus m;
    const Bytes memory = m.ReadMemory(0x05, 0, 4 * 128);
    ASSERT_EQ(memory.size(), 512u);
    EXPECT_EQ(memory[0], 0) << "profile 0 is active";
    EXPECT_EQ(memory, m.mouse->ParameterMemory());
    const int expectedCpi[6] = {400, 800, 1600, 3200, 6400, 12800};
    for (size_t p = 0; p < 4; ++p) {
        SCOPED_TRACE("profile " + std::to_string(p));
        const Bytes block(memory.begin() + 128 * p, memory.begin() + 128 * p + 84);
        EXPECT_LT(block[1], 9) << "light mode";
        EXPECT_LE(block[2], 4) << "brightness";
        EXPECT_LE(block[3], 4) << "inverted speed";
        EXPECT_LE(block[11], 4) << "report rate option";
        EXPECT_LT(block[12], 6) << "active stage";
        EXPECT_LE(block[13], 1) << "lift-off option";
        for (size_t k = 0; k < 6; ++k) {
            const size_t s = 14 + 9 * k;
            EXPECT_EQ(block[s], 1) << "stage " << k << " enabled";
            EXPECT_EQ((Le16(block, s + 2) + 1) * 100, expectedCpi[k]) << "stage " << k << " X";
            EXPECT_EQ((Le16(block, s + 4) + 1) * 100, expectedCpi[k]) << "stage " << k << " Y";
        }
    }
    EXPECT_NE(memory[1], memory[128 + 1]) << "profiles differ, so a switch is visible";
}

TEST(MouseFirmware, ParameterWriteAcrossChunksReadsBack) {
    MouseOnBus m;
    Bytes data(79);
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(0x80 + i);
    data[0] = 0;  // the active-profile byte
    // As the host writes a block: 56 + 23 bytes.
    EXPECT_EQ(m.Status(0x06, 0, 56, std::span(data).first(56)), 0x00);
    EXPECT_EQ(m.Status(0x06, 56, 23, std::span(data).subspan(56)), 0x00);

    EXPECT_EQ(m.ReadMemory(0x05, 0, 79), data);
    const Bytes memory = m.mouse->ParameterMemory();
    EXPECT_TRUE(std::equal(data.begin(), data.end(), memory.begin()));
    EXPECT_EQ(memory[79], 0) << "bytes past the write are untouched";
}

TEST(MouseFirmware, WritingTheActiveProfileByteSwitchesProfiles) {
    MouseOnBus m;
    const uint8_t two = 2;
    EXPECT_EQ(m.Status(0x06, 0, 1, std::span(&two, 1)), 0x00);
    EXPECT_EQ(m.mouse->ActiveProfile(), 2);
    const uint8_t four = 4;  // only profiles 0..3 exist
    EXPECT_EQ(m.Status(0x06, 0, 1, std::span(&four, 1)), 0xFE);
    EXPECT_EQ(m.mouse->ActiveProfile(), 2);
}

// Every malformed or out-of-range request, with the status it must get and a check that it
// changed nothing.
struct BadRequest {
    const char* name;
    Bytes report;
    int status;  // -1: no reply at all
};

Bytes WithBadChecksum() {
    Bytes r = MakeRequest(0x06, 1, 1, Bytes{0x55});
    r[1] ^= 0x01;
    return r;
}
Bytes Truncated() {
    Bytes r = MakeRequest(0x06, 1, 1, Bytes{0x55});
    r.resize(63);
    return r;
}
Bytes OtherReportId() {
    Bytes r = MakeRequest(0x06, 1, 1, Bytes{0x55});
    r[0] = 5;
    return r;
}

class MouseFirmwareBadRequest : public ::testing::TestWithParam<BadRequest> {};

TEST_P(MouseFirmwareBadRequest, IsRefusedAndChangesNothing) {
    sim::MouseOptions options;  // N = 16 (48-byte key table), M = 8, 4 profiles
    MouseOnBus m(options);
    const Bytes params = m.mouse->ParameterMemory(), keys = m.mouse->KeyTable(), macros = m.mouse->MacroMemory();

    auto reply = m.Exchange(GetParam().report, GetParam().status < 0 ? 150 : 1000);
    if (GetParam().status < 0) {
        EXPECT_FALSE(reply) << "no reply expected";
    } else {
        ASSERT_TRUE(reply);
        EXPECT_EQ((*reply)[3], GetParam().report[3]) << "the command id is echoed";
        EXPECT_EQ((*reply)[7], GetParam().status);
        EXPECT_TRUE(std::all_of(reply->begin() + 8, reply->end(), [](uint8_t b) { return b == 0; }))
            << "a refused request gets no payload";
    }
    EXPECT_EQ(m.mouse->ParameterMemory(), params);
    EXPECT_EQ(m.mouse->KeyTable(), keys);
    EXPECT_EQ(m.mouse->MacroMemory(), macros);
    // The device is still answering.
    EXPECT_EQ(m.Status(0xAA, 0, 0), 0x00);
}

const Bytes kFull56(56, 0x11);

INSTANTIATE_TEST_SUITE_P(
    Table, MouseFirmwareBadRequest,
    ::testing::Values(
        BadRequest{"BadChecksum", WithBadChecksum(), 0xFF},
        BadRequest{"Length57", MakeRequest(0x06, 1, 57, kFull56), 0xFF},
        BadRequest{"ShortReport", Truncated(), 0xFF},
        BadRequest{"UnknownCommand", MakeRequest(0x42, 0, 0), 0xFF},
        BadRequest{"OtherReportIdIsNoCommand", OtherReportId(), -1},
        BadRequest{"DeviceInfoPastItsEnd", MakeRequest(0x03, 0, 35), 0xFE},
        BadRequest{"ParametersPastTheLastProfile", MakeRequest(0x05, 4 * 128 - 1, 2), 0xFE},
        BadRequest{"ParameterWritePastTheLastProfile", MakeRequest(0x06, 4 * 128 - 55, 56, kFull56), 0xFE},
        BadRequest{"KeyTableReadPastNSlots", MakeRequest(0x07, 47, 2), 0xFE},
        BadRequest{"KeyTableWriteOfTableOne", MakeRequest(0x09, 512, 8, kFull56), 0xFE},
        BadRequest{"MacroWritePastMUnits", MakeRequest(0x15, 8 * 128 - 55, 56, kFull56), 0xFE},
        BadRequest{"RecordPastSixBytes", MakeRequest(0x1A, 5, 2), 0xFE},
        BadRequest{"RecordWritePastSixBytes", MakeRequest(0x0B, 0, 7, kFull56), 0xFE},
        BadRequest{"KeyLightMapPastNBytes", MakeRequest(0x1B, 0, 17), 0xFE}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(MouseFirmware, MemoriesAreUsableUpToTheirLastByte) {
    MouseOnBus m;
    EXPECT_EQ(m.Status(0x05, 4 * 128 - 56, 56), 0x00);
    EXPECT_EQ(m.Status(0x07, 48 - 8, 8), 0x00);
    EXPECT_EQ(m.Status(0x15, 8 * 128 - 56, 56, kFull56), 0x00);
    EXPECT_EQ(m.Status(0x1A, 0, 6), 0x00);
    EXPECT_EQ(m.Status(0x1B, 0, 16), 0x00);
    const Bytes macros = m.mouse->MacroMemory();
    ASSERT_EQ(macros.size(), 8u * 128);
    EXPECT_TRUE(std::all_of(macros.end() - 56, macros.end(), [](uint8_t b) { return b == 0x11; }));
}

struct SlotOrder {
    const char* name;
    uint8_t keySlots;
    std::vector<uint8_t> slotOfButton;
};

class MouseFirmwareKeyTable : public ::testing::TestWithParam<SlotOrder> {};

const uint8_t kFactoryCodes[11][3] = {{0x10, 0x01, 0x00}, {0x10, 0x02, 0x00}, {0x10, 0x04, 0x00}, {0x10, 0x10, 0x00},
                                      {0x10, 0x08, 0x00}, {0x13, 0x01, 0x00}, {0x13, 0x02, 0x00}, {0xA0, 0x02, 0x00},
                                      {0x13, 0x03, 0x00}, {0xA0, 0x1B, 0x00}, {0x16, 0x90, 0x01}};

TEST_P(MouseFirmwareKeyTable, HoldsFactoryCodesAtTheConfiguredSlots) {
    sim::MouseOptions options;
    options.keySlots = GetParam().keySlots;
    options.slotOfButton = GetParam().slotOfButton;
    MouseOnBus m(options);
    const size_t n = options.keySlots;
    const Bytes table = m.ReadMemory(0x07, 0, 3 * n);
    ASSERT_EQ(table.size(), 3 * n);

    std::vector<int> buttonAt(n, -1);
    for (size_t b = 0; b < 11 && b < options.slotOfButton.size(); ++b)
        if (options.slotOfButton[b] < n && buttonAt[options.slotOfButton[b]] < 0) buttonAt[options.slotOfButton[b]] = int(b);
    for (size_t s = 0; s < n; ++s) {
        const Bytes code(table.begin() + 3 * s, table.begin() + 3 * s + 3);
        if (buttonAt[s] >= 0) {
            EXPECT_EQ(code, Bytes(kFactoryCodes[buttonAt[s]], kFactoryCodes[buttonAt[s]] + 3)) << "slot " << s;
        } else {
            for (const auto& f : kFactoryCodes)
                EXPECT_NE(code, Bytes(f, f + 3)) << "slot " << s << " of no button holds a factory code";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, MouseFirmwareKeyTable,
    ::testing::Values(SlotOrder{"DefaultOrder", 16, {2, 0, 1, 4, 3, 6, 5, 8, 7, 10, 9}},
                      SlotOrder{"Reversed", 11, {10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0}},
                      SlotOrder{"SomeButtonsWithoutSlot", 8, {7, 6, 5, 4, 3, 2, 1, 0, 8, 9, 10}},
                      SlotOrder{"SlotTakenTwiceKeepsTheFirst", 12, {0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9}}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(MouseFirmware, KeyTableAndMacroWritesLandInMemory) {
    MouseOnBus m;
    const Bytes code{0x20, 0x01, 0x06};  // Ctrl+C into slot 5
    EXPECT_EQ(m.Status(0x09, 15, 3, code), 0x00);
    const Bytes table = m.mouse->KeyTable();
    EXPECT_EQ(Bytes(table.begin() + 15, table.begin() + 18), code);

    const Bytes image{0xAA, 0x55, 0x10, 0x00};
    EXPECT_EQ(m.Status(0x15, 0, 4, image), 0x00);
    const Bytes macros = m.mouse->MacroMemory();
    EXPECT_EQ(Bytes(macros.begin(), macros.begin() + 4), image);
}

TEST(MouseFirmware, PowerStatusAndOnlineQuery) {
    MouseOnBus m;
    m.mouse->SetPowerStatus({{57, 2, 0, 0, 9, 1}});
    auto reply = m.Command(0x1A, 0, 6);
    ASSERT_TRUE(reply);
    EXPECT_EQ(Bytes(reply->begin() + 8, reply->begin() + 14), (Bytes{57, 2, 0, 0, 9, 1}));

    const Bytes written{80, 1};
    EXPECT_EQ(m.Status(0x0B, 0, 2, written), 0x00);
    EXPECT_EQ(m.mouse->PowerStatus().bytes[0], 80);
    EXPECT_EQ(m.mouse->PowerStatus().bytes[1], 1);

    auto online = m.Command(0xAA, 0, 0);
    ASSERT_TRUE(online);
    EXPECT_EQ((*online)[7], 0x00);
    EXPECT_EQ((*online)[8], 0xFF);
}

TEST(MouseFirmware, LightStreamKeepsOnlyTheLastFrame) {
    MouseOnBus m;
    EXPECT_EQ(m.Status(0x12, 0, 4, Bytes{1, 2, 3, 4}), 0x00);
    EXPECT_EQ(m.Status(0x12, 0, 2, Bytes{9, 8}), 0x00);
    EXPECT_EQ(m.mouse->LightFrame(), (Bytes{9, 8}));
    EXPECT_EQ(m.Status(0x12, 600, 56, kFull56), 0x00) << "bytes past the kept frame are accepted";
}

TEST(MouseFirmware, ProfileSwitchEventArrivesOnTheConsumerCollectionOnly) {
    MouseOnBus m;
    EXPECT_FALSE(m.mouse->SwitchOnboardProfile(4, *m.device)) << "no profile 4";
    EXPECT_FALSE(MouseOnBus::ReadFrom(m.events, 100)) << "a refused switch sends nothing";

    ASSERT_TRUE(m.mouse->SwitchOnboardProfile(3, *m.device));
    EXPECT_EQ(m.mouse->ActiveProfile(), 3);
    EXPECT_EQ(MouseOnBus::ReadFrom(m.events, 1000), (Bytes{3, 0x01, 0x04}));
    EXPECT_EQ(MouseOnBus::ReadFrom(m.events, 1000), (Bytes{3, 0x00, 0x00})) << "then the release";
    EXPECT_FALSE(m.ReadReply(100)) << "the command collection sees no event report";

    // The host's decoder sees usage 0x0401 in the press.
    m.mouse->SwitchOnboardProfile(1, *m.device);
    Bytes press(3, 0);
    uint32_t got = 0;
    ASSERT_TRUE(m.events.Read(3, got, press.data(), 1000));
    auto& entries = m.events.DataEntries(hid::ReportType::Input);
    ASSERT_TRUE(HidDeviceHandle::UnpackReport(entries, press, hid::ReportType::Input, *m.events.PreparsedData()));
    ASSERT_FALSE(entries.empty());
    ASSERT_FALSE(entries[0].usages.empty());
    EXPECT_EQ(entries[0].usages[0], 0x0401);
    EXPECT_EQ(m.ReadMemory(0x05, 0, 1), Bytes{1});
}

TEST(MouseFirmware, UnplugMidTransferHangsUpTheHost) {
    MouseOnBus m;
    sim::CommandFaults faults;
    faults.unplugAfterReports = 2;
    m.mouse->SetFaults(faults);

    EXPECT_EQ(m.Status(0x15, 0, 56, kFull56), 0x00);
    EXPECT_EQ(m.Status(0x15, 56, 56, kFull56), 0x00);
    ASSERT_TRUE(m.Send(MakeRequest(0x15, 112, 56, kFull56)));
    EXPECT_FALSE(m.ReadReply(1000)) << "the third report is not answered";
    EXPECT_TRUE(m.command.Unplugged());
    EXPECT_FALSE(MouseOnBus::ReadFrom(m.events, 1000)) << "every connection of the device hangs up";
    EXPECT_TRUE(m.events.Unplugged());
    EXPECT_FALSE(m.device->Plugged());
    std::vector<HidNodeInfo> nodes;
    ASSERT_TRUE(m.bus->ListNodes(nodes));
    EXPECT_TRUE(nodes.empty()) << "the device is gone from the bus";
    EXPECT_FALSE(m.command.Reopen());

    const Bytes macros = m.mouse->MacroMemory();
    EXPECT_EQ(macros[111], 0x11) << "what was answered stays written";
    EXPECT_EQ(macros[112], 0x00);
}

// The host's own command channel against the model: the connect sequence of a mouse page.
TEST(MouseFirmware, HostCommandChannelRunsTheConnectSequence) {
    MouseOnBus m;
    CommandChannel channel(m.bus);
    ASSERT_TRUE(channel.Open(m.PathOf(4), false));
    EXPECT_EQ(channel.BeginTransfer(), kResultSuccess);
    EXPECT_TRUE(m.mouse->InTransfer());
    DeviceInfoRecord info;
    ASSERT_EQ(channel.ReadDeviceInfo(info), kResultSuccess);
    EXPECT_EQ(info.KeySlots(), 16);
    EXPECT_EQ(info.MacroUnits(), 8);
    ASSERT_TRUE(channel.SetBlockSize(3u * info.KeySlots()));
    Bytes table(channel.BlockSize());
    EXPECT_EQ(channel.ReadKeyTable(table), kResultSuccess);
    EXPECT_EQ(table, m.mouse->KeyTable());
    EXPECT_EQ(channel.EndTransfer(), kResultSuccess);
    EXPECT_FALSE(m.mouse->InTransfer());

    uint8_t active = 0xEE;
    EXPECT_EQ(channel.ReadParameters(std::span(&active, 1), 0), kResultSuccess);
    EXPECT_EQ(active, 0);
    Bytes block(84);
    EXPECT_EQ(channel.ReadParameters(block, 0), kResultSuccess);
    EXPECT_TRUE(std::equal(block.begin(), block.end(), m.mouse->ParameterMemory().begin()));

    // The whole macro memory is writable; one byte more is refused by the device.
    EXPECT_EQ(channel.WriteMacroData(Bytes(8 * 128, 0x22)), kResultSuccess);
    EXPECT_EQ(channel.WriteMacroData(Bytes(8 * 128 + 1, 0x33)), kResultStatusRejected);
    EXPECT_TRUE(channel.QueryOnline());
}

}  // namespace
}  // namespace orvane::test
