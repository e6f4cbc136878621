// The command channel end to end through the emulated Q730: what goes on the wire, what the
// device ends up holding, and how replies and device errors map to results.
#include <gtest/gtest.h>

#include <cstdio>
#include <numeric>

#include "tests/protocol/CommandChannelFixture.h"

namespace orvane::test {
namespace {

using namespace std::chrono_literals;

constexpr const char* kZeroLine =
    "00 00 00 00   00 00 00 00   00 00 00 00   00 00 00 00  00 00 00 00  00 00 00 00  00 00 00 00  00 00 00 00";

Bytes Pattern(size_t size, uint8_t first) {
    Bytes bytes(size);
    std::iota(bytes.begin(), bytes.end(), first);
    return bytes;
}

Bytes Prefix(const Bytes& bytes, size_t size) { return Bytes(bytes.begin(), bytes.begin() + std::min(size, bytes.size())); }

int AddressOf(const Bytes& report) { return report[5] | report[6] << 8; }

using CommandChannelWire = CommandChannelFixture;

TEST_F(CommandChannelWire, BeginTransferSendsTheFixedReportAndLogsBothWays) {
    EXPECT_EQ(channel_->BeginTransfer(), 1);
    EXPECT_TRUE(mouse_->InTransfer());

    Bytes expected(64, 0);
    expected[0] = 0x04;
    expected[1] = 0x01;  // checksum 0x0001: only the command id is non-zero in bytes 3..63
    expected[3] = 0x01;
    ASSERT_EQ(recorder_->Requests(), std::vector<Bytes>{expected});

    // The device echoes the header and answers status 0 with an empty payload: the same bytes.
    const std::string first =
        "04 01 00 01   00 00 00 00   00 00 00 00   00 00 00 00  00 00 00 00  00 00 00 00  00 00 00 00  00 00 00 00";
    EXPECT_EQ(log_->Lines(), (std::vector<std::string>{"命令", first, kZeroLine, "返回", first, kZeroLine}));
}

TEST_F(CommandChannelWire, ConnectSequenceReadsTheWholeKeyTable) {
    DeviceInfoRecord info;
    ASSERT_EQ(channel_->BeginTransfer(), 1);
    ASSERT_EQ(channel_->ReadDeviceInfo(info), 1);
    EXPECT_EQ(info.bytes, mouse_->DeviceInfo());
    EXPECT_EQ(info.KeySlots(), 16);
    EXPECT_EQ(info.MacroUnits(), 8);
    ASSERT_TRUE(channel_->SetBlockSize(3u * info.KeySlots()));

    Bytes table(512, 0xEE);
    ASSERT_EQ(channel_->ReadKeyTable(table), 1);
    EXPECT_EQ(Prefix(table, 48), mouse_->KeyTable());
    EXPECT_TRUE(std::all_of(table.begin() + 48, table.end(), [](uint8_t b) { return b == 0xEE; }))
        << "only blockSize bytes are moved";

    const auto start = Clock::now();
    ASSERT_EQ(channel_->EndTransfer(), 1);
    EXPECT_GE(Since(start), 10ms);
    EXPECT_FALSE(mouse_->InTransfer());

    const auto info34 = recorder_->RequestsOf(CommandChannel::kReadDeviceInfo);
    ASSERT_EQ(info34.size(), 1u);
    EXPECT_EQ(info34[0][4], 34);
    EXPECT_EQ(info34[0][5], 0);
    EXPECT_EQ(info34[0][6], 0);
    EXPECT_EQ(recorder_->RequestsOf(CommandChannel::kReadKeyTable).size(), 1u);
}

TEST_F(CommandChannelWire, DeviceInfoRecordIsUntouchedWhenTheReadFails) {
    DeviceInfoRecord kept;
    kept.bytes.fill(0x5A);
    sim::CommandFaults faults;
    faults.errorStatusReports = 1;
    faults.errorStatus = 0xFE;
    mouse_->SetFaults(faults);
    EXPECT_EQ(channel_->ReadDeviceInfo(kept), -103);
    EXPECT_TRUE(std::all_of(kept.bytes.begin(), kept.bytes.end(), [](uint8_t b) { return b == 0x5A; }));
}

TEST_F(CommandChannelWire, QueryOnlineIsTrueOnlyForAnOnlineMark) {
    struct Case {
        const char* name;
        int errorStatusReports;
        uint8_t status;
        bool online;
    };
    // An error status injected in place of the command answers with an empty payload.
    const Case cases[] = {
        {"device answers", 0, 0, true},
        {"success status, payload byte 0 not 0xFF", 1, 0x00, false},
        {"status 0xFF", 1, 0xFF, false},
        {"status 0xFE", 1, 0xFE, false},
    };
    for (const Case& c : cases) {
        sim::CommandFaults faults;
        faults.errorStatusReports = c.errorStatusReports;
        faults.errorStatus = c.status;
        mouse_->SetFaults(faults);
        EXPECT_EQ(channel_->QueryOnline(), c.online) << c.name;
    }
    Bytes expected(64, 0);
    expected[0] = 0x04;
    expected[1] = 0xAA;
    expected[3] = 0xAA;
    for (const Bytes& r : recorder_->Requests()) EXPECT_EQ(r, expected);
}

TEST_F(CommandChannelWire, ParametersRoundTripAcrossChunks) {
    const Bytes block = Pattern(79, 0x30);
    ASSERT_EQ(channel_->WriteParameters(block, 128), 1);
    const Bytes memory = mouse_->ParameterMemory();
    EXPECT_EQ(Bytes(memory.begin() + 128, memory.begin() + 207), block);

    const auto writes = recorder_->RequestsOf(CommandChannel::kWriteParameters);
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0][4], 56);
    EXPECT_EQ(AddressOf(writes[0]), 128);
    EXPECT_EQ(writes[1][4], 23);
    EXPECT_EQ(AddressOf(writes[1]), 184);

    Bytes back(79, 0);
    ASSERT_EQ(channel_->ReadParameters(back, 128), 1);
    EXPECT_EQ(back, block);
    Bytes active(1, 0xEE);
    ASSERT_EQ(channel_->ReadParameters(active, 0), 1);
    EXPECT_EQ(active[0], mouse_->ActiveProfile());
}

TEST_F(CommandChannelWire, RecordsAndMacroImageReachTheirMemories) {
    sim::PowerStatusBytes power{{57, 2, 0, 0, 9, 3}};
    mouse_->SetPowerStatus(power);
    Bytes status(6, 0);
    ASSERT_EQ(channel_->ReadRecord(status, 0), 1);
    EXPECT_TRUE(std::equal(status.begin(), status.end(), power.bytes.begin()));

    const Bytes record = {80, 1, 0, 0};
    ASSERT_EQ(channel_->WriteRecord(record, 1), 1);
    EXPECT_EQ(mouse_->PowerStatus().bytes, (std::array<uint8_t, 6>{57, 80, 1, 0, 0, 3}));
    const auto writes = recorder_->RequestsOf(CommandChannel::kWriteRecord);
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0][4], 4);
    EXPECT_EQ(writes[0][5], 1);

    const Bytes image = Pattern(8 * 128, 0);  // the whole macro memory: 19 reports
    ASSERT_EQ(channel_->WriteMacroData(image), 1);
    EXPECT_EQ(mouse_->MacroMemory(), image);
    EXPECT_EQ(recorder_->RequestsOf(CommandChannel::kWriteMacroData).size(), 19u);
}

TEST_F(CommandChannelWire, LightFrameIsStreamedWithoutLogging) {
    const Bytes frame = Pattern(126, 1);
    EXPECT_EQ(channel_->StreamLightData(frame), 1);
    EXPECT_EQ(mouse_->LightFrame(), frame);
    EXPECT_EQ(recorder_->RequestsOf(CommandChannel::kStreamLightData).size(), 3u);
    EXPECT_TRUE(log_->Lines().empty());
}

TEST_F(CommandChannelWire, ReplyStatusDecidesAndStopsTheCommand) {
    struct Case {
        uint8_t status;
        int result;
        size_t reportsSent;
    };
    // Three reports; the first one is answered with the status.
    for (const Case& c : {Case{0x00, 1, 3}, Case{0x01, 1, 3}, Case{0xFF, -102, 1}, Case{0xFE, -103, 1}}) {
        sim::CommandFaults faults;
        faults.errorStatusReports = 1;
        faults.errorStatus = c.status;
        mouse_->SetFaults(faults);
        const size_t before = recorder_->Requests().size();
        EXPECT_EQ(channel_->WriteParameters(Bytes(120, 7), 128), c.result) << int{c.status};
        EXPECT_EQ(recorder_->Requests().size() - before, c.reportsSent) << int{c.status};
    }
    // The device's own refusal: past the end of the parameter memory.
    EXPECT_EQ(channel_->WriteParameters(Bytes(40, 7), 0x1F0), -103);
}

TEST_F(CommandChannelWire, ReplyWithAnotherIdIsSkippedOnce) {
    struct Case {
        const char* name;
        int strayReports;
        int wrongIdReplies;
        int errorStatusReports;
        int result;
        uint8_t loggedId;  // command id of the reply the log shows: the last one read
    };
    const Case cases[] = {
        {"stray report, then the reply", 1, 0, 0, 1, 0x01},
        {"two replies with wrong ids: the second counts", 1, 1, 0, 1, 0x81},
        {"two replies with wrong ids: the second's status counts", 1, 1, 1, -103, 0x81},
    };
    for (const Case& c : cases) {
        sim::CommandFaults faults;
        faults.strayReports = c.strayReports;
        faults.wrongIdReplies = c.wrongIdReplies;
        faults.errorStatusReports = c.errorStatusReports;
        faults.errorStatus = 0xFE;
        mouse_->SetFaults(faults);
        log_->Clear();
        EXPECT_EQ(channel_->BeginTransfer(), c.result) << c.name;
        const auto lines = log_->Lines();
        ASSERT_EQ(lines.size(), 6u) << c.name;
        EXPECT_EQ(lines[3], "返回");
        char id[3];
        std::snprintf(id, sizeof id, "%02x", c.loggedId);
        EXPECT_EQ(lines[4].substr(9, 2), id) << c.name;
        // Nothing is left queued for the next command.
        EXPECT_EQ(channel_->BeginTransfer(), 1) << c.name;
    }
}

TEST_F(CommandChannelWire, ExchangeTakesRequestsAndRepliesOfAnyLength) {
    // A longer request is cut to one report.
    Bytes longRequest = Pattern(70, 0);
    longRequest[0] = 4;
    Bytes reply(100, 0xEE);
    uint32_t got = 99;
    EXPECT_EQ(channel_->Exchange(longRequest, reply, got), 1);
    EXPECT_EQ(recorder_->Requests().back(), Prefix(longRequest, 64));
    EXPECT_EQ(got, 64u);
    EXPECT_EQ(reply[7], 0xFF) << "its checksum is wrong, so the device refuses it";
    EXPECT_TRUE(std::all_of(reply.begin() + 64, reply.end(), [](uint8_t b) { return b == 0xEE; }));

    // A shorter one is padded with zeros.
    const Bytes shortRequest = {4, 1, 0, 1};
    EXPECT_EQ(channel_->Exchange(shortRequest, reply, got), 1);
    Bytes padded(64, 0);
    std::copy(shortRequest.begin(), shortRequest.end(), padded.begin());
    EXPECT_EQ(recorder_->Requests().back(), padded);
    EXPECT_EQ(reply[7], 0x00);

    // A short reply buffer takes what fits; the raw exchange neither matches ids nor logs.
    log_->Clear();
    Bytes tiny(2, 0);
    EXPECT_EQ(channel_->ExchangeRaw(shortRequest, tiny, got), 1);
    EXPECT_EQ(got, 2u);
    EXPECT_EQ(tiny, (Bytes{4, 1}));
    EXPECT_TRUE(log_->Lines().empty());
}

TEST_F(CommandChannelWire, NothingToMoveSendsNothing) {
    struct Case {
        const char* name;
        uint32_t blockSize;
        std::function<int(CommandChannel&)> run;
    };
    Bytes buffer(512, 0);
    const Case cases[] = {
        {"ReadParameters", 512, [&](CommandChannel& c) { return c.ReadParameters({}, 0); }},
        {"WriteParameters", 512, [&](CommandChannel& c) { return c.WriteParameters({}, 0); }},
        {"WriteMacroData", 512, [&](CommandChannel& c) { return c.WriteMacroData({}); }},
        {"StreamLightData", 512, [&](CommandChannel& c) { return c.StreamLightData({}); }},
        {"ReadKeyTable", 0, [&](CommandChannel& c) { return c.ReadKeyTable(buffer); }},
        {"WriteKeyTable", 0, [&](CommandChannel& c) { return c.WriteKeyTable(buffer, 0); }},
        {"ReadKeyLightMap", 2, [&](CommandChannel& c) { return c.ReadKeyLightMap(buffer); }},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(channel_->SetBlockSize(c.blockSize));
        EXPECT_EQ(c.run(*channel_), 1) << c.name;
    }
    EXPECT_TRUE(recorder_->Requests().empty());
}

TEST_F(CommandChannelWire, CallerBufferShorterThanTheCommandMovesIsRefusedUnsent) {
    struct Case {
        const char* name;
        std::function<int(CommandChannel&)> run;
    };
    Bytes buffer(512, 0);
    const auto shortOf = [&](size_t size) { return std::span<uint8_t>(buffer).first(size); };
    const Case cases[] = {
        {"ReadKeyTable 511 of 512", [&](CommandChannel& c) { return c.ReadKeyTable(shortOf(511)); }},
        {"WriteKeyTable 511 of 512", [&](CommandChannel& c) { return c.WriteKeyTable(shortOf(511), 0); }},
        {"ReadKeyLightMap 169 of 170", [&](CommandChannel& c) { return c.ReadKeyLightMap(shortOf(169)); }},
        {"WriteRecord of 57", [&](CommandChannel& c) { return c.WriteRecord(shortOf(57), 0); }},
        {"ReadRecord of 57", [&](CommandChannel& c) { return c.ReadRecord(shortOf(57), 0); }},
    };
    for (const Case& c : cases) EXPECT_EQ(c.run(*channel_), 0) << c.name;
    EXPECT_TRUE(recorder_->Requests().empty());
}

TEST_F(CommandChannelWire, ClosedChannelAnswersZeroWithoutIo) {
    channel_->Close();
    EXPECT_FALSE(channel_->IsOpen());
    struct Case {
        const char* name;
        std::function<int(CommandChannel&)> run;
    };
    Bytes buffer(512, 0);
    DeviceInfoRecord info;
    const Case cases[] = {
        {"BeginTransfer", [](CommandChannel& c) { return c.BeginTransfer(); }},
        {"EndTransfer", [](CommandChannel& c) { return c.EndTransfer(); }},
        {"ReadDeviceInfo", [&](CommandChannel& c) { return c.ReadDeviceInfo(info); }},
        {"ReadParameters", [&](CommandChannel& c) { return c.ReadParameters(std::span(buffer).first(10), 0); }},
        {"WriteParameters", [&](CommandChannel& c) { return c.WriteParameters(std::span(buffer).first(10), 0); }},
        {"ReadKeyTable", [&](CommandChannel& c) { return c.ReadKeyTable(buffer); }},
        {"WriteKeyTable", [&](CommandChannel& c) { return c.WriteKeyTable(buffer, 0); }},
        {"WriteRecord", [&](CommandChannel& c) { return c.WriteRecord(std::span(buffer).first(6), 0); }},
        {"StreamLightData", [&](CommandChannel& c) { return c.StreamLightData(std::span(buffer).first(126)); }},
        {"WriteMacroData", [&](CommandChannel& c) { return c.WriteMacroData(buffer); }},
        {"ReadRecord", [&](CommandChannel& c) { return c.ReadRecord(std::span(buffer).first(6), 0); }},
        {"ReadKeyLightMap", [&](CommandChannel& c) { return c.ReadKeyLightMap(buffer); }},
        {"QueryOnline", [](CommandChannel& c) { return int{c.QueryOnline()}; }},
    };
    for (const Case& c : cases) EXPECT_EQ(c.run(*channel_), 0) << c.name;
    uint32_t got = 99;
    EXPECT_EQ(channel_->Exchange(std::span(buffer).first(64), buffer, got), 0);
    EXPECT_EQ(got, 0u);
    got = 99;
    EXPECT_EQ(channel_->ExchangeRaw(std::span(buffer).first(64), buffer, got), 0);
    EXPECT_EQ(got, 0u);
    EXPECT_EQ(channel_->WriteKeyTable(buffer, 1), -201) << "the table index is checked before anything else";
    EXPECT_TRUE(recorder_->Requests().empty());
    EXPECT_TRUE(log_->Lines().empty());
}

TEST_F(CommandChannelWire, BlockSizeTakesAtMost512) {
    EXPECT_EQ(channel_->BlockSize(), 512);
    EXPECT_TRUE(channel_->SetBlockSize(48));
    struct Case {
        uint32_t size;
        bool taken;
        uint16_t after;
    };
    // 66048 would read as 512 if it were cut to 16 bits first.
    for (const Case& c : {Case{513, false, 48}, Case{66048, false, 48}, Case{512, true, 512}, Case{0, true, 0}}) {
        EXPECT_EQ(channel_->SetBlockSize(c.size), c.taken) << c.size;
        EXPECT_EQ(channel_->BlockSize(), c.after) << c.size;
    }
}

using CommandChannelLargeTable = CommandChannelFixture;

TEST_F(CommandChannelLargeTable, KeyTableOf512BytesTakesTenReports) {
    Start(LargeTableMouse());
    const Bytes table = Pattern(512, 3);
    ASSERT_EQ(channel_->WriteKeyTable(table, 0), 1);
    EXPECT_EQ(Prefix(mouse_->KeyTable(), 512), table);

    const auto reports = recorder_->Requests();
    ASSERT_EQ(reports.size(), 10u);
    for (size_t i = 0; i < reports.size(); ++i) {
        EXPECT_EQ(reports[i][3], CommandChannel::kWriteKeyTable);
        EXPECT_EQ(reports[i][4], i < 9 ? 56 : 8) << i;
        EXPECT_EQ(AddressOf(reports[i]), static_cast<int>(56 * i)) << i;
    }
    // The report is cleared once per command: the short last chunk still carries the rest of
    // the chunk before it.
    EXPECT_EQ(Bytes(reports[9].begin() + 8, reports[9].begin() + 16), Bytes(table.begin() + 504, table.end()));
    EXPECT_EQ(Bytes(reports[9].begin() + 16, reports[9].end()), Bytes(table.begin() + 456, table.begin() + 504));

    Bytes back(512, 0);
    ASSERT_EQ(channel_->ReadKeyTable(back), 1);
    EXPECT_EQ(back, table);

    const size_t sent = recorder_->Requests().size();
    EXPECT_EQ(channel_->WriteKeyTable(table, 1), -201);
    EXPECT_EQ(recorder_->Requests().size(), sent);
}

TEST_F(CommandChannelLargeTable, KeyLightMapIsAThirdOfTheBlock) {
    Start(LargeTableMouse());
    Bytes map(512, 0xEE);
    ASSERT_EQ(channel_->ReadKeyLightMap(map), 1);
    EXPECT_EQ(Prefix(map, 170), Prefix(mouse_->KeyLightMap(), 170));
    EXPECT_EQ(map[170], 0xEE);

    const auto reports = recorder_->Requests();
    ASSERT_EQ(reports.size(), 4u);
    const uint8_t lengths[] = {56, 56, 56, 2};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(reports[i][3], CommandChannel::kReadKeyLightMap);
        EXPECT_EQ(reports[i][4], lengths[i]) << i;
        EXPECT_EQ(AddressOf(reports[i]), static_cast<int>(56 * i)) << i;
    }
}

}  // namespace
}  // namespace orvane::test
