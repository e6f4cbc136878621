#pragma once
// The emulated models by name ("mouse", "pad", "headset", "keyboard"), and the start-up step
// that plugs a list of them on a new emulated bus and makes it the active HID backend.
//
// Adding a model is one RegisterSimModel line in RegisterBuiltInSimModels (SimModels.cpp).
//
// Environment knobs, read when a simulation is installed:
//   ORVANE_SIMULATE=LIST            the models to plug when no --simulate flag was given
//   ORVANE_SIM_STATE=DIR            folder of the persisted device memories
//                                   (default "<XDG state home>/orvane-q730/sim")
//   ORVANE_SIM_LATENCY_MS=N         reply delay of every command, 0..10000
//   ORVANE_SIM_FAULTS=LIST          faults of every command-protocol model, e.g.
//                                   "silent=2,error=1,status=0xfe,wrongid=1,stray=1,garbage=1,unplug=5"
//                                   (counts as in CommandFaults; "silent=-1" never answers)
//   ORVANE_SIM_MOUSE_KEY_SLOTS=N, ORVANE_SIM_MOUSE_MACRO_UNITS=M, ORVANE_SIM_MOUSE_PROFILES=P
//                                   memory sizes of the mouse (1..255)

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sim/CommandFirmware.h"
#include "sim/SimBus.h"
#include "sim/SimDevice.h"

namespace orvane::sim {

// What a model's factory gets to build one device.
struct SimModelContext {
    std::string stateFolder;  // existing folder for persisted memories
    unsigned instance = 1;    // 1 for the first device of this model in the list, 2 for the second, ...
    std::chrono::milliseconds latency{0};
};

struct SimModelDevice {
    SimDeviceIdentity identity;
    std::shared_ptr<SimFirmware> firmware;
};

// Builds one device; on failure returns nullopt and says why in `error`.
using SimModelFactory = std::function<std::optional<SimModelDevice>(const SimModelContext&, std::string& error)>;

// False when the name is empty, contains ',' or is already taken.
bool RegisterSimModel(const std::string& name, SimModelFactory factory);
// Registered names, sorted; the built-in models are always among them.
std::vector<std::string> SimModelNames();

// "<name>" for the first instance of a model, "<name>-<n>" for the n-th: the base name of its state file.
std::string SimStateName(const std::string& model, unsigned instance);

// ORVANE_SIM_STATE when set (and not empty), else "<StateHomeFolder()>/orvane-q730/sim".
std::string SimStateFolder();

// The model list to simulate: the --simulate flag's value when the program got one, else
// ORVANE_SIMULATE when set and not empty, else nullopt (no simulation).
std::optional<std::string> ChooseSimulationList(const std::optional<std::string>& flagValue);

// Parses environment-style fault text ("silent=2,status=0xfe,...") into `faults`.
bool ParseCommandFaults(const std::string& text, CommandFaults& faults, std::string& error);

// Plugs one device per name of `list` ("mouse", "mouse,pad"; blanks around names ignored) on a
// new SimBus and makes it the active HID backend. On any error (an unknown name, a bad knob,
// no state folder) nothing is installed, nullptr is returned and `error` says why, naming the
// known models when a name was unknown.
std::shared_ptr<SimBus> InstallSimulation(const std::string& list, std::string& error);

}  // namespace orvane::sim
