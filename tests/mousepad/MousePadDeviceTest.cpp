// The pad core against the emulated pad through the host's real CommandChannel: the block's
// encoding, reading the active profile's block, lighting edits written to address 0, and a failed
// read that keeps the block copy.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "mousepad/MousePadDevice.h"
#include "tests/sim/PadOnBus.h"
#include "tests/support/TempHome.h"

namespace orvane::test {
namespace {

constexpr size_t kPadBlockBytes = 25;

struct BlockCase {
    const char* what;
    uint8_t mode;
    uint8_t speed;
    uint8_t sentMode;
    uint8_t sentSpeed;
};

TEST(PadBlock, EncodesTheSpeedInvertedAndAUserEffectAsModeZero) {
    const BlockCase cases[] = {
        {"speed 0 is stored as 4", 2, 0, 2, 4},
        {"speed 4 is stored as 0", 4, 4, 4, 0},
        {"speed 1 is stored as 3", 8, 1, 8, 3},
        {"mode 9 and up are the host's own", 10, 2, 0, 2},
    };
    for (const BlockCase& c : cases) {
        PadBlock block;
        block.bytes[4] = 0xA4;  // the pad's own byte goes back as read
        block.SetLighting({c.mode, 3, c.speed, 1, 1, 10, 20, 30});
        const auto sent = EncodePadBlock(block);
        EXPECT_EQ(sent[PadBlock::kMode], c.sentMode) << c.what;
        EXPECT_EQ(sent[PadBlock::kSpeed], c.sentSpeed) << c.what;
        EXPECT_EQ(sent[4], 0xA4) << c.what;
        EXPECT_EQ(block.bytes[PadBlock::kMode], c.mode) << "the copy keeps the mode: " << c.what;

        std::array<uint8_t, PadBlock::kReadBytes> read{};
        std::copy(sent.begin(), sent.end(), read.begin());
        EXPECT_EQ(DecodePadBlock(0, read).Lighting().speed, c.speed) << "decoding inverts back: " << c.what;
    }
}

class MousePadDeviceTest : public ::testing::Test {
protected:
    MousePadDeviceTest() {
        const std::string folder = home_.Path() + "/pad/";
        std::filesystem::create_directories(folder);
        std::ofstream(folder + "p.Json") << R"({"Device":[{"LightInfo":{"SelectItem":2,"Light":3,"Speed":1,"Fx":0,
            "MultiColor":0,"Red":16,"Green":32,"Blue":48}}]})";
        core_.SetFiles(folder, std::string(ORVANE_SOURCE_DIR) + "/DefaultData/MousePad.Json");
        EXPECT_TRUE(core_.UseProfile("p"));
        core_.LoadProfile();
    }

    Bytes ProfileBlock(uint8_t profile) const {
        const Bytes memory = pad_.firmware->ParameterMemory();
        const auto first = memory.begin() + static_cast<std::ptrdiff_t>(profile * kPadBlockBytes);
        return {first, first + kPadBlockBytes};
    }

    TempHome home_;
    PadOnBus pad_;
    MousePadDevice core_{pad_.channel};
};

TEST_F(MousePadDeviceTest, AProfileReadAtItsBlockIsWrittenBackAtAddressZeroUnderItsNumber) {
    ASSERT_TRUE(pad_.firmware->SwitchOnboardProfile(2, *pad_.device));
    PadBlock seen;
    ASSERT_TRUE(core_.ReadPadBlock([&](const PadBlock& b) { seen = b; }).Ok());
    const Bytes read = ProfileBlock(2);
    EXPECT_EQ(seen.ProfileNumber(), 2);
    EXPECT_EQ(seen.bytes[PadBlock::kSpeed], 4 - read[PadBlock::kSpeed]) << "the speed comes back the right way";
    EXPECT_EQ(core_.LightState().light.mode, 2) << "a read does not change the light state";

    ASSERT_TRUE(core_.SetLighting({4, 2, 3, 0, 0, 200, 100, 50}).Ok());
    EXPECT_EQ(pad_.firmware->ActiveProfile(), 2) << "byte 0 of the write names profile 2";
    const Bytes written = ProfileBlock(2);
    const Bytes expected{2, 4, 2, 1, read[4], 0, 200, 100, 50};
    EXPECT_EQ(Bytes(written.begin() + 1, written.begin() + 9), Bytes(expected.begin() + 1, expected.end()));
    EXPECT_EQ(Bytes(written.begin() + 9, written.end()), Bytes(read.begin() + 9, read.end()))
        << "the pad's own bytes go back as read";
}

TEST_F(MousePadDeviceTest, AFailedReadKeepsTheBlockSoNoZerosAreWrittenBack) {
    ASSERT_TRUE(core_.ReadPadBlock({}).Ok());
    const PadBlock before = core_.Block();
    ASSERT_EQ(before.bytes[PadBlock::kMode], pad_.firmware->Lighting().mode);

    for (const char* fault : {"error status", "silence"}) {
        sim::CommandFaults faults;
        if (std::string(fault) == "error status") faults.errorStatusReports = 2;
        else faults.silentReports = 1;
        pad_.firmware->SetFaults(faults);
        bool called = false;
        const DeviceOutcome read = core_.ReadPadBlock([&](const PadBlock&) { called = true; });
        EXPECT_TRUE(read.IsDeviceFailure()) << fault;
        EXPECT_FALSE(called) << fault;
        EXPECT_EQ(core_.Block(), before) << fault;
        pad_.firmware->SetFaults({});
    }
    pad_.channel.Close();
    EXPECT_TRUE(core_.ReadPadBlock({}).IsDeviceFailure());
    EXPECT_EQ(core_.Block(), before) << "a closed channel reads nothing either";
}

TEST_F(MousePadDeviceTest, LightingIsCheckedSavedAndFollowedByThePreview) {
    EXPECT_TRUE(core_.SetLighting({1, 5, 0, 0, 0, 0, 0, 0}).IsRefused()) << "brightness runs 0-4";
    EXPECT_EQ(core_.LightState().light.mode, 2) << "a refusal changes nothing";

    ASSERT_TRUE(core_.SetLighting({10, 4, 4, 1, 0, 1, 2, 3}).Ok());
    EXPECT_EQ(pad_.firmware->Lighting().mode, 0) << "a user effect is sent as mode 0";
    MousePadDevice reread(pad_.channel);
    reread.SetFiles(home_.Path() + "/pad/", std::string(ORVANE_SOURCE_DIR) + "/DefaultData/MousePad.Json");
    ASSERT_TRUE(reread.UseProfile("p"));
    reread.LoadProfile();
    EXPECT_EQ(reread.LightState().light, (LightSetting{10, 4, 4, 1, 0, 1, 2, 3})) << "saved in the profile";

    // After a read the preview plays the pad's mode and speed with the page's colour.
    ASSERT_TRUE(core_.ReadPadBlock({}).Ok());
    EXPECT_EQ(core_.PreviewSelection().light.mode, 0);
    EXPECT_EQ(core_.PreviewSelection().light.red, 1);
}

}  // namespace
}  // namespace orvane::test
