// The model registry and the simulation start-up: names, environment knobs, state folder and
// the active HID backend.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <optional>

#include "device/HidBackend.h"
#include "device/HidDeviceHandle.h"
#include "device/HidPath.h"
#include "sim/MouseFirmware.h"
#include "sim/SimModels.h"
#include "tests/sim/MouseOnBus.h"
#include "tests/support/TempHome.h"

namespace orvane::test {
namespace {

using namespace std::chrono_literals;

const char* const kKnobs[] = {"ORVANE_SIMULATE",          "ORVANE_SIM_LATENCY_MS",        "ORVANE_SIM_FAULTS",
                              "ORVANE_SIM_MOUSE_KEY_SLOTS", "ORVANE_SIM_MOUSE_MACRO_UNITS", "ORVANE_SIM_MOUSE_PROFILES"};

// A fresh HOME, no simulation knobs set, and the active backend put back afterwards.
class Simulation : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = ActiveHidBackend();
        for (const char* k : kKnobs) ::unsetenv(k);
    }
    void TearDown() override {
        SetActiveHidBackend(previous_);
        for (const char* k : kKnobs) ::unsetenv(k);
    }

    static std::shared_ptr<sim::MouseFirmware> MouseOf(const std::shared_ptr<sim::SimBus>& bus, size_t index = 0) {
        auto devices = bus->Devices();
        if (index >= devices.size()) return nullptr;
        return std::dynamic_pointer_cast<sim::MouseFirmware>(devices[index]->Firmware());
    }

    TempHome home_;
    std::shared_ptr<HidBackend> previous_;
};

TEST_F(Simulation, MousePlugsOnTheActiveBackend) {
    std::string error;
    auto bus = sim::InstallSimulation("mouse", error);
    ASSERT_TRUE(bus) << error;
    EXPECT_EQ(ActiveHidBackend(), bus);

    // Found through the ordinary handle, as a program would.
    HidDeviceHandle h;
    ASSERT_TRUE(h.EnumeratePaths());
    std::vector<std::string> paths;
    while (auto p = h.NextPath()) paths.push_back(*p);
    ASSERT_EQ(paths.size(), 5u) << "interface 0 plus the four collections of interface 1";
    for (const auto& p : paths) {
        EXPECT_EQ(ParseVid(p), 0x320F);
        EXPECT_EQ(ParsePid(p), 0x2211);
    }
    ASSERT_TRUE(h.Open(paths.back(), true, true, true, false));
    EXPECT_EQ(h.Capabilities().usagePage, 0xFF1C);
    EXPECT_EQ(h.Capabilities().usage, 0x92);
}

TEST_F(Simulation, DefaultStateFolderIsBelowTheStateHome) {
    EXPECT_EQ(sim::SimStateFolder(), home_.Path() + "/.local/state/orvane-q730/sim");
    ::setenv("ORVANE_SIM_STATE", (home_.Path() + "/elsewhere").c_str(), 1);
    EXPECT_EQ(sim::SimStateFolder(), home_.Path() + "/elsewhere");
    ::setenv("ORVANE_SIM_STATE", "", 1);
    EXPECT_EQ(sim::SimStateFolder(), home_.Path() + "/.local/state/orvane-q730/sim") << "empty counts as unset";
}

TEST_F(Simulation, TwoMiceKeepSeparateStateFiles) {
    ::setenv("ORVANE_SIM_STATE", (home_.Path() + "/state").c_str(), 1);
    std::string error;
    auto bus = sim::InstallSimulation(" mouse , mouse ", error);
    ASSERT_TRUE(bus) << error;
    ASSERT_EQ(bus->Devices().size(), 2u);
    MouseOf(bus, 0)->SetPowerStatus({{10, 0, 0, 0, 0, 0}});
    MouseOf(bus, 1)->SetPowerStatus({{20, 0, 0, 0, 0, 0}});
    EXPECT_TRUE(home_.Exists("state/mouse.json"));
    EXPECT_TRUE(home_.Exists("state/mouse-2.json"));

    // The next run sees the same two devices.
    auto again = sim::InstallSimulation("mouse,mouse", error);
    ASSERT_TRUE(again) << error;
    EXPECT_EQ(MouseOf(again, 0)->PowerStatus().bytes[0], 10);
    EXPECT_EQ(MouseOf(again, 1)->PowerStatus().bytes[0], 20);
}

struct BadList {
    const char* name;
    const char* list;
    const char* mentions;  // the error must name this
};

class SimulationBadList : public Simulation, public ::testing::WithParamInterface<BadList> {};

TEST_P(SimulationBadList, InstallsNothingAndNamesTheKnownModels) {
    std::string error;
    EXPECT_FALSE(sim::InstallSimulation(GetParam().list, error));
    EXPECT_EQ(ActiveHidBackend(), previous_);
    EXPECT_NE(error.find(GetParam().mentions), std::string::npos) << error;
    EXPECT_NE(error.find("known models: "), std::string::npos) << error;
    EXPECT_NE(error.find("mouse"), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(Table, SimulationBadList,
                         ::testing::Values(BadList{"UnknownAfterKnown", "mouse,trackball", "\"trackball\""},
                                           BadList{"CaseMatters", "Mouse", "\"Mouse\""},
                                           BadList{"EmptyItem", "mouse,,mouse", "empty model name"},
                                           BadList{"EmptyList", "", "empty model name"}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST_F(Simulation, FlagWinsOverEnvironment) {
    EXPECT_EQ(sim::ChooseSimulationList(std::nullopt), std::nullopt);
    ::setenv("ORVANE_SIMULATE", "", 1);
    EXPECT_EQ(sim::ChooseSimulationList(std::nullopt), std::nullopt) << "empty counts as unset";
    ::setenv("ORVANE_SIMULATE", "mouse,pad", 1);
    EXPECT_EQ(sim::ChooseSimulationList(std::nullopt), "mouse,pad");
    EXPECT_EQ(sim::ChooseSimulationList(std::string("mouse")), "mouse");
}

TEST_F(Simulation, MouseKnobsShapeTheDevice) {
    ::setenv("ORVANE_SIM_MOUSE_KEY_SLOTS", "20", 1);
    ::setenv("ORVANE_SIM_MOUSE_MACRO_UNITS", "2", 1);
    ::setenv("ORVANE_SIM_MOUSE_PROFILES", "0x3", 1);
    ::setenv("ORVANE_SIM_LATENCY_MS", "120", 1);
    ::setenv("ORVANE_SIM_FAULTS", "error=1,status=0xfe", 1);
    std::string error;
    auto bus = sim::InstallSimulation("mouse", error);
    ASSERT_TRUE(bus) << error;
    auto mouse = MouseOf(bus);
    ASSERT_TRUE(mouse);
    EXPECT_EQ(mouse->DeviceInfo()[5], 20);
    EXPECT_EQ(mouse->DeviceInfo()[6], 2);
    EXPECT_EQ(mouse->ParameterMemory().size(), 3u * 128);

    HidDeviceHandle command(bus);
    ASSERT_TRUE(command.Open(CollectionPathOn(bus, 4), true, true, true, false));
    const Bytes request = MakeRequest(0xAA, 0, 0);
    uint32_t n = 0;
    Bytes reply(64);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(command.Write(64, n, request.data(), 1000));
    ASSERT_TRUE(command.Read(64, n, reply.data(), 1000));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 120ms);
    EXPECT_EQ(reply[7], 0xFE) << "the injected fault";
}

TEST_F(Simulation, BadKnobsAreRefusedByName) {
    for (const char* knob : {"ORVANE_SIM_MOUSE_KEY_SLOTS", "ORVANE_SIM_LATENCY_MS", "ORVANE_SIM_FAULTS"}) {
        SCOPED_TRACE(knob);
        ::setenv(knob, "lots", 1);
        std::string error;
        EXPECT_FALSE(sim::InstallSimulation("mouse", error));
        EXPECT_NE(error.find(knob), std::string::npos) << error;
        EXPECT_EQ(ActiveHidBackend(), previous_);
        ::unsetenv(knob);
    }
    ::setenv("ORVANE_SIM_MOUSE_KEY_SLOTS", "256", 1);
    std::string error;
    EXPECT_FALSE(sim::InstallSimulation("mouse", error)) << "beyond a byte";
}

TEST(SimFaultText, ParsesEveryFaultAndRefusesTheRest) {
    sim::CommandFaults f;
    std::string error;
    ASSERT_TRUE(sim::ParseCommandFaults("silent=-1, error=2,status=254,wrongid=3,stray=4,garbage=5,unplug=6", f, error))
        << error;
    EXPECT_EQ(f.silentReports, -1);
    EXPECT_EQ(f.errorStatusReports, 2);
    EXPECT_EQ(f.errorStatus, 0xFE);
    EXPECT_EQ(f.wrongIdReplies, 3);
    EXPECT_EQ(f.strayReports, 4);
    EXPECT_EQ(f.garbageReplies, 5);
    EXPECT_EQ(f.unplugAfterReports, 6);

    for (const char* bad : {"silent", "silent=x", "loud=1", "status=256", "error=-2"}) {
        sim::CommandFaults untouched;
        EXPECT_FALSE(sim::ParseCommandFaults(bad, untouched, error)) << bad;
        EXPECT_EQ(untouched.silentReports, 0) << bad;
    }
}

TEST_F(Simulation, ANewModelIsOneRegistration) {
    // Registered once per process; a repeated run finds it there already.
    sim::RegisterSimModel("test-blank", [](const sim::SimModelContext& c, std::string&) {
        sim::MouseOptions o;
        o.keySlots = static_cast<uint8_t>(c.instance);
        return std::optional<sim::SimModelDevice>(
            sim::SimModelDevice{sim::Q730Identity(), std::make_shared<sim::MouseFirmware>(o)});
    });
    EXPECT_FALSE(sim::RegisterSimModel("mouse", [](const sim::SimModelContext&, std::string&) {
        return std::optional<sim::SimModelDevice>();
    })) << "names are not taken twice";
    EXPECT_FALSE(sim::RegisterSimModel("a,b", [](const sim::SimModelContext&, std::string&) {
        return std::optional<sim::SimModelDevice>();
    }));
    const auto names = sim::SimModelNames();
    EXPECT_NE(std::find(names.begin(), names.end(), "test-blank"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "mouse"), names.end());

    std::string error;
    auto bus = sim::InstallSimulation("test-blank,mouse,test-blank", error);
    ASSERT_TRUE(bus) << error;
    ASSERT_EQ(bus->Devices().size(), 3u);
    EXPECT_EQ(MouseOf(bus, 2)->Options().keySlots, 2) << "instances are counted per model";
}

}  // namespace
}  // namespace orvane::test
