#include "sim/SimModels.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <map>
#include <mutex>

#include "device/HidBackend.h"
#include "platform/UserFolders.h"
#include "sim/HeadsetFirmware.h"
#include "sim/KeyboardFirmware.h"
#include "sim/MouseFirmware.h"
#include "sim/PadFirmware.h"

namespace orvane::sim {
namespace {

constexpr long kMaxLatencyMs = 10000;

std::string Trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

std::vector<std::string> SplitList(const std::string& list) {
    std::vector<std::string> items;
    size_t start = 0;
    for (;;) {
        const size_t comma = list.find(',', start);
        items.push_back(Trim(list.substr(start, comma == std::string::npos ? std::string::npos : comma - start)));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return items;
}

// A whole decimal (or 0x-prefixed hex) integer within [min, max].
bool ParseInteger(const std::string& text, long min, long max, long& value) {
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 0);
    if (errno != 0 || end == text.c_str() || *end != '\0' || v < min || v > max) return false;
    value = v;
    return true;
}

const char* Env(const char* name) {
    const char* v = std::getenv(name);
    return v != nullptr && v[0] != '\0' ? v : nullptr;
}

// Reads an integer knob; absent leaves `value` alone.
bool EnvInteger(const char* name, long min, long max, long& value, std::string& error) {
    const char* text = Env(name);
    if (text == nullptr) return true;
    if (ParseInteger(Trim(text), min, max, value)) return true;
    error = std::string(name) + "=" + text + ": expected a whole number from " + std::to_string(min) + " to " +
            std::to_string(max);
    return false;
}

std::optional<SimModelDevice> MakeMouse(const SimModelContext& context, std::string& error) {
    MouseOptions options;
    long slots = options.keySlots, units = options.macroUnits, profiles = options.onboardProfiles;
    if (!EnvInteger("ORVANE_SIM_MOUSE_KEY_SLOTS", 1, 255, slots, error) ||
        !EnvInteger("ORVANE_SIM_MOUSE_MACRO_UNITS", 1, 255, units, error) ||
        !EnvInteger("ORVANE_SIM_MOUSE_PROFILES", 1, 255, profiles, error))
        return std::nullopt;
    options.keySlots = static_cast<uint8_t>(slots);
    options.macroUnits = static_cast<uint8_t>(units);
    options.onboardProfiles = static_cast<uint8_t>(profiles);
    options.latency = context.latency;
    options.stateFolder = context.stateFolder;
    options.stateFileName = SimStateName("mouse", context.instance) + ".json";
    return SimModelDevice{Q730Identity(), std::make_shared<MouseFirmware>(std::move(options))};
}

PadOptions PadOptionsFor(const std::string& model, const SimModelContext& context) {
    PadOptions options;
    options.latency = context.latency;
    options.stateFolder = context.stateFolder;
    options.stateFileName = SimStateName(model, context.instance) + ".json";
    return options;
}

std::optional<SimModelDevice> MakePad(const SimModelContext& context, std::string&) {
    return SimModelDevice{MousePadIdentity(),
                          std::make_shared<PadFirmware>(MousePadModel(), PadOptionsFor("pad", context))};
}

std::optional<SimModelDevice> MakeHeadset(const SimModelContext& context, std::string&) {
    return SimModelDevice{HeadsetIdentity(), std::make_shared<HeadsetFirmware>(PadOptionsFor("headset", context))};
}

std::optional<SimModelDevice> MakeKeyboard(const SimModelContext& context, std::string&) {
    KeyboardOptions options;
    options.latency = context.latency;
    options.stateFolder = context.stateFolder;
    options.stateFileName = SimStateName("keyboard", context.instance) + ".json";
    return SimModelDevice{KeyboardIdentity(), std::make_shared<KeyboardFirmware>(std::move(options))};
}

struct Registry {
    std::mutex mutex;
    std::map<std::string, SimModelFactory> factories;
};

// The one place where the built-in models are registered.
void RegisterBuiltInSimModels(Registry& r) {
    r.factories.emplace("mouse", MakeMouse);
    r.factories.emplace("pad", MakePad);
    r.factories.emplace("headset", MakeHeadset);
    r.factories.emplace("keyboard", MakeKeyboard);
}

Registry& TheRegistry() {
    static Registry registry;
    static std::once_flag builtIns;
    std::call_once(builtIns, [] { RegisterBuiltInSimModels(registry); });
    return registry;
}

std::string JoinNames(const std::vector<std::string>& names) {
    std::string out;
    for (const auto& n : names) out += (out.empty() ? "" : ", ") + n;
    return out;
}

}  // namespace

bool RegisterSimModel(const std::string& name, SimModelFactory factory) {
    if (name.empty() || name.find(',') != std::string::npos || Trim(name) != name || !factory) return false;
    Registry& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    return r.factories.emplace(name, std::move(factory)).second;
}

std::vector<std::string> SimModelNames() {
    Registry& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    std::vector<std::string> names;
    for (const auto& [name, factory] : r.factories) names.push_back(name);
    return names;
}

std::string SimStateName(const std::string& model, unsigned instance) {
    return instance <= 1 ? model : model + "-" + std::to_string(instance);
}

std::string SimStateFolder() {
    if (const char* dir = Env("ORVANE_SIM_STATE")) return dir;
    return ProductStateFolder() + "/sim";
}

std::optional<std::string> ChooseSimulationList(const std::optional<std::string>& flagValue) {
    if (flagValue) return flagValue;
    if (const char* list = Env("ORVANE_SIMULATE")) return std::string(list);
    return std::nullopt;
}

bool ParseCommandFaults(const std::string& text, CommandFaults& faults, std::string& error) {
    CommandFaults parsed = faults;
    for (const std::string& item : SplitList(text)) {
        if (item.empty()) continue;
        const auto eq = item.find('=');
        const std::string key = Trim(item.substr(0, eq));
        long value = 0;
        const bool isStatus = key == "status";
        if (eq == std::string::npos || !ParseInteger(Trim(item.substr(eq + 1)), isStatus ? 0 : -1, isStatus ? 255 : 1000000, value)) {
            error = "fault \"" + item + "\": expected NAME=NUMBER";
            return false;
        }
        const int count = static_cast<int>(value);
        if (key == "silent") parsed.silentReports = count;
        else if (key == "error") parsed.errorStatusReports = count;
        else if (isStatus) parsed.errorStatus = static_cast<uint8_t>(value);
        else if (key == "wrongid") parsed.wrongIdReplies = count;
        else if (key == "stray") parsed.strayReports = count;
        else if (key == "garbage") parsed.garbageReplies = count;
        else if (key == "unplug") parsed.unplugAfterReports = count;
        else {
            error = "unknown fault \"" + key + "\" (known: silent, error, status, wrongid, stray, garbage, unplug)";
            return false;
        }
    }
    faults = parsed;
    return true;
}

std::shared_ptr<SimBus> InstallSimulation(const std::string& list, std::string& error) {
    error.clear();
    Registry& registry = TheRegistry();
    std::vector<std::pair<std::string, SimModelFactory>> chosen;
    {
        std::lock_guard lock(registry.mutex);
        std::vector<std::string> known;
        for (const auto& [name, factory] : registry.factories) known.push_back(name);
        for (const std::string& name : SplitList(list)) {
            auto it = registry.factories.find(name);
            if (it == registry.factories.end()) {
                error = (name.empty() ? std::string("empty model name") : "unknown model \"" + name + "\"") +
                        " in simulation list \"" + list + "\"; known models: " + JoinNames(known);
                return nullptr;
            }
            chosen.emplace_back(name, it->second);
        }
    }

    SimModelContext context;
    long latencyMs = 0;
    if (!EnvInteger("ORVANE_SIM_LATENCY_MS", 0, kMaxLatencyMs, latencyMs, error)) return nullptr;
    context.latency = std::chrono::milliseconds(latencyMs);
    CommandFaults faults;
    if (const char* text = Env("ORVANE_SIM_FAULTS"); text != nullptr && !ParseCommandFaults(text, faults, error)) {
        error = "ORVANE_SIM_FAULTS: " + error;
        return nullptr;
    }
    context.stateFolder = SimStateFolder();
    if (!MakeFolders(context.stateFolder)) {
        error = "cannot create the simulation state folder " + context.stateFolder;
        return nullptr;
    }

    // Build every device before plugging any, so that a failing factory leaves nothing behind.
    std::vector<SimModelDevice> devices;
    std::map<std::string, unsigned> instances;
    for (const auto& [name, factory] : chosen) {
        context.instance = ++instances[name];
        std::string why;
        auto device = factory(context, why);
        if (!device || !device->firmware) {
            error = "cannot build simulated " + name + (why.empty() ? std::string() : ": " + why);
            return nullptr;
        }
        if (auto command = std::dynamic_pointer_cast<CommandFirmware>(device->firmware)) command->SetFaults(faults);
        devices.push_back(std::move(*device));
    }
    auto bus = std::make_shared<SimBus>();
    for (auto& d : devices) bus->Plug(std::move(d.identity), std::move(d.firmware));
    SetActiveHidBackend(bus);
    return bus;
}

}  // namespace orvane::sim
