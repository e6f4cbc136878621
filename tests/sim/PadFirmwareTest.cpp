// The mouse pad model through the host's CommandChannel: device info, profile blocks read at
// p x 25 and written at address 0, the inverted speed, refused writes and the profile-switch
// event read by the real sync thread.
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

#include "protocol/SyncThread.h"
#include "tests/sim/PadOnBus.h"

namespace orvane::test {
namespace {

using namespace std::chrono_literals;

constexpr size_t kBlock = 25;
constexpr size_t kHostBlock = 21;

// The host's view of the pad: read the active profile's block, change its lighting, write it back.
struct HostBlock {
    uint8_t profile = 0;
    Bytes bytes;  // the first 21 bytes of the block, byte 0 := profile, speed as the pad stores it

    static HostBlock Read(PadOnBus& pad) {
        HostBlock b;
        b.profile = pad.Read(0, 1)[0];
        b.bytes = pad.Read(static_cast<uint16_t>(b.profile * kBlock), kBlock);
        b.bytes.resize(kHostBlock);
        b.bytes[0] = b.profile;
        return b;
    }
    int Write(PadOnBus& pad) const {
        EXPECT_EQ(pad.channel.BeginTransfer(), 1);
        const int result = pad.channel.WriteParameters(bytes, 0);
        EXPECT_EQ(pad.channel.EndTransfer(), 1);
        return result;
    }
};

TEST(PadFirmware, IdentifiesItselfAsAPad) {
    PadOnBus pad;
    EXPECT_EQ(pad.channel.Handle().Capabilities().usagePage, 0xFF1C);
    DeviceInfoRecord info;
    ASSERT_EQ(pad.channel.ReadDeviceInfo(info), 1);
    EXPECT_EQ(info.bytes[3], 3) << "device type: mouse pad";
    EXPECT_EQ(info.bytes[4], 4) << "on-board profiles";
    EXPECT_EQ(info.KeySlots(), 0) << "no key table";
    EXPECT_EQ(info.MacroUnits(), 0) << "no macro memory";
    EXPECT_EQ(info.bytes[7] | info.bytes[8] << 8, 0x0C45);
    EXPECT_EQ(info.bytes[9] | info.bytes[10] << 8, 0x6627);
    Bytes keys(512);
    EXPECT_EQ(pad.channel.ReadKeyTable(keys), kResultStatusError) << "a pad has no key table";
}

TEST(PadFirmware, FactoryProfileZeroIsBreathingAtSpeedOneStoredAsThree) {
    PadOnBus pad;
    const HostBlock b = HostBlock::Read(pad);
    EXPECT_EQ(b.profile, 0);
    EXPECT_EQ(b.bytes[1], 2) << "mode";
    EXPECT_EQ(b.bytes[3], 3) << "speed 1, stored inverted";
    EXPECT_EQ(pad.firmware->Lighting().speed, 1);
    EXPECT_EQ(b.bytes[9], 0x19) << "the firmware's own bytes are not zero";
}

TEST(PadFirmware, ProfileTwoIsReadAtFiftyAndWrittenAtZero) {
    PadOnBus pad;
    ASSERT_TRUE(pad.firmware->SwitchOnboardProfile(2, *pad.device));
    const Bytes before = pad.firmware->ParameterMemory();

    HostBlock b = HostBlock::Read(pad);
    ASSERT_EQ(b.profile, 2);
    EXPECT_TRUE(std::equal(b.bytes.begin() + 1, b.bytes.end(), before.begin() + 50 + 1)) << "block 2 lies at 50";

    b.bytes[1] = 6;      // light ripple
    b.bytes[2] = 1;      // brightness
    b.bytes[3] = 4 - 3;  // speed 3
    b.bytes[6] = 0x12;
    ASSERT_EQ(b.Write(pad), 1);

    const Bytes after = pad.firmware->ParameterMemory();
    EXPECT_EQ(pad.firmware->ActiveProfile(), 2) << "byte 0 of the write keeps profile 2";
    EXPECT_EQ(pad.firmware->Lighting(2), (sim::PadLighting{6, 1, 3, before[50 + 5], 0x12, before[50 + 7], before[50 + 8]}));
    EXPECT_TRUE(std::equal(before.begin() + 1, before.begin() + 50, after.begin() + 1)) << "profiles 0 and 1 untouched";
    EXPECT_TRUE(std::equal(before.begin() + 50 + 9, before.end(), after.begin() + 50 + 9))
        << "the firmware's own bytes come back as they were read, and 21-24 are not written";
    EXPECT_FALSE(pad.firmware->InTransfer());
    EXPECT_EQ(HostBlock::Read(pad).bytes, b.bytes) << "the next sync read sees the edit";
}

TEST(PadFirmware, SpeedIsStoredInvertedAtEveryLevel) {
    PadOnBus pad;
    for (uint8_t speed = 0; speed <= 4; ++speed) {
        SCOPED_TRACE("speed " + std::to_string(speed));
        HostBlock b = HostBlock::Read(pad);
        b.bytes[3] = static_cast<uint8_t>(4 - speed);
        ASSERT_EQ(b.Write(pad), 1);
        EXPECT_EQ(pad.firmware->ParameterMemory()[3], 4 - speed);
        EXPECT_EQ(pad.firmware->Lighting().speed, speed);
        EXPECT_EQ(4 - HostBlock::Read(pad).bytes[3], speed) << "and inverted back on the next read";
    }
}

struct RefusedWrite {
    const char* name;
    uint16_t address;
    Bytes (*edit)(Bytes block);
};

class PadRefusedWrite : public ::testing::TestWithParam<RefusedWrite> {};

TEST_P(PadRefusedWrite, ChangesNothing) {
    PadOnBus pad;
    Bytes block = pad.Read(0, kHostBlock);
    block = GetParam().edit(block);
    const Bytes before = pad.firmware->ParameterMemory();
    EXPECT_EQ(pad.channel.WriteParameters(block, GetParam().address), kResultStatusRejected);
    EXPECT_EQ(pad.firmware->ParameterMemory(), before);
    EXPECT_TRUE(pad.channel.QueryOnline()) << "and the pad still answers";
}

INSTANTIATE_TEST_SUITE_P(
    Table, PadRefusedWrite,
    ::testing::Values(
        RefusedWrite{"OtherWindow", 64, [](Bytes b) { return b; }},
        RefusedWrite{"InsideABlock", 25, [](Bytes b) { return b; }},
        RefusedWrite{"ProfileItLacks", 0, [](Bytes b) { b[0] = 4; return b; }},
        RefusedWrite{"UserEffectMode", 0, [](Bytes b) { b[1] = 10; return b; }},
        RefusedWrite{"BrightnessAboveFour", 0, [](Bytes b) { b[2] = 5; return b; }},
        RefusedWrite{"SpeedAboveFour", 0, [](Bytes b) { b[3] = 0xFF; return b; }},
        RefusedWrite{"LongerThanABlock", 0, [](Bytes b) { b.resize(26, 0); return b; }}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(PadFirmware, ReadsBeyondTheLastBlockAreRefused) {
    PadOnBus pad;  // four profiles: 100 bytes
    Bytes block(kBlock);
    EXPECT_EQ(pad.channel.ReadParameters(block, 75), 1);
    EXPECT_EQ(pad.channel.ReadParameters(block, 76), kResultStatusRejected);
}

TEST(PadFirmware, ProfileButtonIsAnnouncedToTheSyncThread) {
    PadOnBus pad;
    auto events = std::make_shared<CommandChannel>(pad.bus);
    ASSERT_TRUE(events->Open(PathOn(pad.bus, 1, 3), false));
    std::mutex mutex;
    std::condition_variable changed;
    int switches = 0;
    SyncThread sync(events, [&] {
        std::lock_guard lock(mutex);
        ++switches;
        changed.notify_all();
    });
    ASSERT_TRUE(sync.Start());

    EXPECT_FALSE(pad.firmware->SwitchOnboardProfile(4, *pad.device)) << "the pad has profiles 0-3";
    ASSERT_TRUE(pad.firmware->SwitchOnboardProfile(1, *pad.device));
    {
        std::unique_lock lock(mutex);
        EXPECT_TRUE(changed.wait_for(lock, 2s, [&] { return switches > 0; }));
    }
    EXPECT_EQ(pad.Read(0, 1)[0], 1);
    events->Close();
    sync.Stop();
    EXPECT_EQ(switches, 1) << "the press, not the release, is a switch";
}

}  // namespace
}  // namespace orvane::test
