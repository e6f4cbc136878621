// Injected faults of the command protocol, as the host sees them through the HID layer.
#include <gtest/gtest.h>

#include <chrono>

#include "tests/sim/MouseOnBus.h"

namespace orvane::test {
namespace {

using namespace std::chrono_literals;

struct Seen {
    uint8_t commandId;
    uint8_t status;
    bool operator==(const Seen&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Seen& s) {
    return os << "{id 0x" << std::hex << int(s.commandId) << ", status 0x" << int(s.status) << std::dec << "}";
}

struct FaultCase {
    const char* name;
    sim::CommandFaults faults;
    std::vector<Seen> replies;  // every report the host reads for one request, in order
    bool executed;              // whether the request's write reached memory
};

sim::CommandFaults Faults(void (*set)(sim::CommandFaults&)) {
    sim::CommandFaults f;
    set(f);
    return f;
}

class CommandFault : public ::testing::TestWithParam<FaultCase> {};

std::vector<Seen> ReadAll(MouseOnBus& m) {
    std::vector<Seen> seen;
    while (auto reply = m.ReadReply(150)) {
        EXPECT_EQ(reply->size(), 64u);
        EXPECT_EQ((*reply)[0], 4);
        seen.push_back({(*reply)[3], (*reply)[7]});
    }
    return seen;
}

TEST_P(CommandFault, ShapesTheRepliesOfOneRequestThenWearsOff) {
    MouseOnBus m;
    m.mouse->SetFaults(GetParam().faults);
    const uint8_t factoryMode = m.mouse->ParameterMemory()[1];

    ASSERT_TRUE(m.Send(MakeRequest(0x06, 1, 1, Bytes{0x77})));
    EXPECT_EQ(ReadAll(m), GetParam().replies);
    EXPECT_EQ(m.mouse->ParameterMemory()[1], GetParam().executed ? 0x77 : factoryMode);

    // Each fault covered one report; the next one is answered normally.
    ASSERT_TRUE(m.Send(MakeRequest(0x06, 2, 1, Bytes{0x01})));
    EXPECT_EQ(ReadAll(m), (std::vector<Seen>{{0x06, 0x00}}));
    EXPECT_EQ(m.mouse->ParameterMemory()[2], 0x01);
    EXPECT_EQ(m.mouse->ReportsReceived(), 2u);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommandFault,
    ::testing::Values(
        FaultCase{"None", {}, {{0x06, 0x00}}, true},
        FaultCase{"Silent", Faults([](sim::CommandFaults& f) { f.silentReports = 1; }), {}, false},
        FaultCase{"ErrorStatusFF", Faults([](sim::CommandFaults& f) { f.errorStatusReports = 1; }), {{0x06, 0xFF}}, false},
        FaultCase{"ErrorStatusFE",
                  Faults([](sim::CommandFaults& f) {
                      f.errorStatusReports = 1;
                      f.errorStatus = 0xFE;
                  }),
                  {{0x06, 0xFE}},
                  false},
        FaultCase{"WrongId", Faults([](sim::CommandFaults& f) { f.wrongIdReplies = 1; }), {{0x86, 0x00}}, true},
        FaultCase{"StrayThenReply", Faults([](sim::CommandFaults& f) { f.strayReports = 1; }), {{0x46, 0x00}, {0x06, 0x00}}, true},
        FaultCase{"StrayThenWrongIdWithError",
                  Faults([](sim::CommandFaults& f) {
                      f.strayReports = 1;
                      f.wrongIdReplies = 1;
                      f.errorStatusReports = 1;
                      f.errorStatus = 0xFE;
                  }),
                  {{0x46, 0x00}, {0x86, 0xFE}},
                  false},
        FaultCase{"StrayWhileSilent",
                  Faults([](sim::CommandFaults& f) {
                      f.strayReports = 1;
                      f.silentReports = 1;
                  }),
                  {{0x46, 0x00}},
                  false}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(CommandFaults, CountersCountDownOnEveryReport) {
    MouseOnBus m;
    sim::CommandFaults f;
    f.errorStatusReports = 2;
    f.errorStatus = 0xFE;
    f.silentReports = 1;
    m.mouse->SetFaults(f);
    EXPECT_FALSE(m.Exchange(MakeRequest(0xAA, 0, 0), 200)) << "silent and error both cover the first report";
    EXPECT_EQ(m.Status(0xAA, 0, 0), 0xFE);
    EXPECT_EQ(m.Status(0xAA, 0, 0), 0x00);
    const auto left = m.mouse->Faults();
    EXPECT_EQ(left.silentReports, 0);
    EXPECT_EQ(left.errorStatusReports, 0);
}

TEST(CommandFaults, SilentForeverUntilCleared) {
    MouseOnBus m;
    sim::CommandFaults f;
    f.silentReports = -1;
    m.mouse->SetFaults(f);
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(m.Exchange(MakeRequest(0xAA, 0, 0), 200)) << "request " << i;
    m.mouse->SetFaults({});
    EXPECT_EQ(m.Status(0xAA, 0, 0), 0x00);
}

TEST(CommandFaults, GarbageKeepsTheReportIdButNeverEchoesTheCommand) {
    MouseOnBus m;
    sim::CommandFaults f;
    f.garbageReplies = 5;
    m.mouse->SetFaults(f);
    std::vector<Bytes> replies;
    for (int i = 0; i < 5; ++i) {
        auto reply = m.Command(0x05, 0, 8);
        ASSERT_TRUE(reply);
        EXPECT_EQ((*reply)[0], 4);
        EXPECT_NE((*reply)[3], 0x05);
        replies.push_back(*reply);
    }
    EXPECT_NE(replies[0], replies[1]) << "garbage differs from reply to reply";
    EXPECT_EQ(m.Status(0x05, 0, 8), 0x00);
}

TEST(CommandFaults, LatencyAddsToTheModelsOwn) {
    sim::MouseOptions options;
    options.latency = 100ms;
    MouseOnBus m(options);
    sim::CommandFaults f;
    f.latency = 150ms;
    m.mouse->SetFaults(f);

    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(m.Send(MakeRequest(0xAA, 0, 0)));
    EXPECT_FALSE(m.ReadReply(150)) << "not before the delay";
    ASSERT_TRUE(m.ReadReply(1000));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 250ms);
}

TEST(CommandFaults, UnplugAtTheNextReportWhenZero) {
    MouseOnBus m;
    sim::CommandFaults f;
    f.unplugAfterReports = 0;
    m.mouse->SetFaults(f);
    EXPECT_TRUE(m.device->Plugged()) << "nothing happens before a report arrives";
    EXPECT_FALSE(m.Command(0xAA, 0, 0));
    EXPECT_TRUE(m.command.Unplugged());
    uint32_t written = 0;
    const Bytes request = MakeRequest(0xAA, 0, 0);
    EXPECT_FALSE(m.command.Write(64, written, request.data(), 200)) << "writes fail once unplugged";
}

}  // namespace
}  // namespace orvane::test
