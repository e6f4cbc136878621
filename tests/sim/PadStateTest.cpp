// The pad's and the headset's memories kept in the state folder across program runs, a broken
// state file falling back to the factory memory, and the start-up that plugs them: discovery
// of all three models, their own state files and the injected faults.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "device/DeviceScan.h"
#include "platform/AtomicFile.h"
#include "platform/DebugLog.h"
#include "platform/UserFolders.h"
#include "sim/SimModels.h"
#include "tests/sim/PadOnBus.h"
#include "tests/support/TempHome.h"

namespace orvane::test {
namespace {

class PadState : public ::testing::Test {
protected:
    void SetUp() override {
        options_.stateFolder = home_.Path() + "/sim";
        ASSERT_TRUE(MakeFolders(options_.stateFolder));
        previousSink_ = SetDebugSink(log_);
    }
    void TearDown() override { SetDebugSink(previousSink_); }

    TempHome home_;
    sim::PadOptions options_;
    std::shared_ptr<CapturingDebugSink> log_ = std::make_shared<CapturingDebugSink>();
    std::shared_ptr<DebugSink> previousSink_;
};

TEST_F(PadState, MemorySurvivesIntoTheNextInstance) {
    Bytes memory;
    {
        PadOnBus pad(options_);
        pad.Read(0, 25);
        EXPECT_FALSE(home_.Exists("sim/pad.json")) << "reads leave no state behind";
        Bytes block = pad.Read(25, 21);
        block[0] = 1;
        block[1] = 4;
        ASSERT_EQ(pad.channel.WriteParameters(block, 0), 1);
        ASSERT_TRUE(pad.firmware->SwitchOnboardProfile(3, *pad.device));
        memory = pad.firmware->ParameterMemory();
    }
    sim::PadFirmware next(sim::MousePadModel(), options_);
    EXPECT_EQ(next.ParameterMemory(), memory);
    EXPECT_EQ(next.ActiveProfile(), 3);
    EXPECT_EQ(next.Lighting(1).mode, 4);
    for (const auto& line : log_->Lines()) EXPECT_EQ(line.find("state file"), std::string::npos) << line;
}

struct BrokenPadState {
    const char* name;
    const char* text;
};

class PadBrokenState : public PadState, public ::testing::WithParamInterface<BrokenPadState> {};

TEST_P(PadBrokenState, FallsBackToFactoryAndIsReplacedOnTheNextWrite) {
    home_.WriteFile("sim/pad.json", GetParam().text);
    {
        PadOnBus pad(options_);
        EXPECT_EQ(pad.firmware->ParameterMemory(), sim::PadFirmware::FactoryParameterMemory(4));
        ASSERT_EQ(log_->Lines().size(), 1u);
        EXPECT_NE(log_->Lines()[0].find("sim pad: state file"), std::string::npos) << log_->Lines()[0];
        ASSERT_TRUE(pad.firmware->SwitchOnboardProfile(2, *pad.device));
    }
    log_->Clear();
    EXPECT_EQ(sim::PadFirmware(sim::MousePadModel(), options_).ActiveProfile(), 2);
    EXPECT_TRUE(log_->Lines().empty()) << "the broken file was replaced by a good one";
}

// A good file holds {"format": 1, "onboardProfiles": 4, "parameterMemory": <200 hex digits>}.
std::string Memory(const std::string& firstBytes) {
    std::string hex = firstBytes;
    hex.resize(200, '0');
    return hex;
}
const std::string kNotShowable = "{\"format\": 1, \"onboardProfiles\": 4, \"parameterMemory\": \"" + Memory("0009") + "\"}";
const std::string kNoSuchProfile = "{\"format\": 1, \"onboardProfiles\": 4, \"parameterMemory\": \"" + Memory("04") + "\"}";
const std::string kOtherSize = "{\"format\": 1, \"onboardProfiles\": 2, \"parameterMemory\": \"" + Memory("") + "\"}";
const std::string kShortMemory = "{\"format\": 1, \"onboardProfiles\": 4, \"parameterMemory\": \"0000\"}";

INSTANTIATE_TEST_SUITE_P(Table, PadBrokenState,
                         ::testing::Values(BrokenPadState{"NotJson", "{\"format\": 1,"},
                                           BrokenPadState{"UnknownFormat", "{\"format\": 7}"},
                                           BrokenPadState{"OtherProfileCount", kOtherSize.c_str()},
                                           BrokenPadState{"MemoryTooShort", kShortMemory.c_str()},
                                           BrokenPadState{"ActiveProfileMissing", kNoSuchProfile.c_str()},
                                           BrokenPadState{"ModeItCannotShow", kNotShowable.c_str()}),
                         [](const auto& test) { return std::string(test.param.name); });

const char* const kKnobs[] = {"ORVANE_SIMULATE", "ORVANE_SIM_STATE", "ORVANE_SIM_LATENCY_MS", "ORVANE_SIM_FAULTS"};

// A fresh HOME, no simulation knobs, and the active backend put back afterwards.
class PadSimulation : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = ActiveHidBackend();
        for (const char* k : kKnobs) ::unsetenv(k);
        ::setenv("ORVANE_SIM_STATE", (home_.Path() + "/state").c_str(), 1);
    }
    void TearDown() override {
        SetActiveHidBackend(previous_);
        for (const char* k : kKnobs) ::unsetenv(k);
    }

    static std::shared_ptr<sim::PadFirmware> FirmwareOf(const std::shared_ptr<sim::SimBus>& bus, const std::string& model) {
        for (const auto& d : bus->Devices())
            if (d->Identity().model == model) return std::dynamic_pointer_cast<sim::PadFirmware>(d->Firmware());
        return nullptr;
    }

    TempHome home_;
    std::shared_ptr<HidBackend> previous_;
};

TEST_F(PadSimulation, DiscoveryClaimsTheSlotsOfAllThreeDevices) {
    std::string error;
    auto bus = sim::InstallSimulation("mouse,pad,headset", error);
    ASSERT_TRUE(bus) << error;
    HidDeviceHandle probe;
    DeviceSlotList slots = MakeDeviceSlotList();
    std::vector<int> claimed;
    ASSERT_TRUE(ClaimPresentInterfaces(probe, slots, [&](int slot) { claimed.push_back(slot); }));
    std::sort(claimed.begin(), claimed.end());
    EXPECT_EQ(claimed, (std::vector<int>{2, 3, 4, 5, 6})) << "mouse 2-3, pad 4-5, headset 6";
    EXPECT_EQ(ParseCollection(slots[6].path), 0) << "the headset's interface has one collection";
    EXPECT_EQ(ParseInterface(slots[6].path), 3);
}

TEST_F(PadSimulation, EachModelKeepsItsOwnStateFile) {
    std::string error;
    {
        auto bus = sim::InstallSimulation("pad,headset", error);
        ASSERT_TRUE(bus) << error;
        for (const auto& d : bus->Devices())
            ASSERT_TRUE(FirmwareOf(bus, d->Identity().model)->SwitchOnboardProfile(d->Identity().model == "pad" ? 1 : 3, *d));
        EXPECT_TRUE(home_.Exists("state/pad.json"));
        EXPECT_TRUE(home_.Exists("state/headset.json"));
        for (const auto& d : bus->Devices()) bus->Unplug(d);
    }
    auto again = sim::InstallSimulation("headset,pad", error);
    ASSERT_TRUE(again) << error;
    EXPECT_EQ(FirmwareOf(again, "pad")->ActiveProfile(), 1);
    EXPECT_EQ(FirmwareOf(again, "headset")->ActiveProfile(), 3);
    EXPECT_TRUE(std::dynamic_pointer_cast<sim::HeadsetFirmware>(FirmwareOf(again, "headset")));
}

TEST_F(PadSimulation, InjectedFaultsReachThePadAndTheHeadset) {
    ::setenv("ORVANE_SIM_FAULTS", "error=1,status=0xfe", 1);
    std::string error;
    auto bus = sim::InstallSimulation("pad,headset", error);
    ASSERT_TRUE(bus) << error;
    for (auto [interfaceNumber, collection] : {std::pair{1, 4}, std::pair{3, 0}}) {
        SCOPED_TRACE(interfaceNumber);
        CommandChannel channel(bus);
        ASSERT_TRUE(channel.Open(PathOn(bus, interfaceNumber, collection), false));
        Bytes block(21);
        EXPECT_EQ(channel.ReadParameters(block, 0), kResultStatusRejected) << "the injected fault";
        EXPECT_EQ(channel.ReadParameters(block, 0), 1) << "then the device answers again";
    }
}

TEST(PadFaults, UnplugDuringAWriteLeavesTheMemoryAsItWas) {
    PadOnBus pad;
    sim::CommandFaults faults;
    faults.unplugAfterReports = 1;  // BeginTransfer is answered, the write is not
    pad.firmware->SetFaults(faults);
    const Bytes before = pad.firmware->ParameterMemory();
    Bytes block(before.begin(), before.begin() + 21);
    block[1] = 8;
    EXPECT_EQ(pad.channel.BeginTransfer(), 1);
    EXPECT_EQ(pad.channel.WriteParameters(block, 0), kResultClosedOrReadFailed);
    EXPECT_EQ(pad.channel.LastFailureDetail().kind, ExchangeFailure::kUnplugged);
    EXPECT_EQ(pad.firmware->ParameterMemory(), before);
    EXPECT_FALSE(pad.device->Plugged());
}

}  // namespace
}  // namespace orvane::test
