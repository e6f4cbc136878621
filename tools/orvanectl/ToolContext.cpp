#include "tools/orvanectl/ToolContext.h"

#include <cerrno>
#include <cstring>

#include "device/HidPath.h"
#include "protocol/ResultText.h"

namespace orvane::tool {
namespace {

bool IsMouseCommand(const DeviceRecord& r) {
    return (r.type == kDeviceMouse || r.type == kDeviceSlowLinkMouse) && r.role == kRoleCommand;
}

bool IsPadCommand(const DeviceRecord& r) { return r.type == kDeviceMousePad && r.role == kRoleCommand; }
bool IsHeadsetCommand(const DeviceRecord& r) { return r.type == kDeviceHeadset && r.role == kRoleCommand; }
bool IsKeyboardCommand(const DeviceRecord& r) { return r.type == kDeviceKeyboard && r.role == kRoleCommand; }

// --device accepts a full collection path or just the node it lives on.
bool MatchesDeviceOption(const std::string& option, const std::string& path) {
    if (option.empty()) return true;
    return path == option || path.rfind(option + "&", 0) == 0;
}

std::string NodeOf(const std::string& path) {
    auto split = SplitCollectionPath(path);
    return split ? split->node : path;
}


// The interfaces present, each with the slot it would claim; false when they cannot be listed.
bool ScanInterfaces(std::vector<ScannedInterface>& seen) {
    HidDeviceHandle probe;
    DeviceSlotList slots = MakeDeviceSlotList();
    return ClaimPresentInterfaces(probe, slots, nullptr, &seen);
}

std::unique_ptr<OpenedDevice> OpenFirst(const GlobalOptions& options, bool (*wanted)(const DeviceRecord&),
                                        const char* noun, int& exitCode) {
    std::vector<ScannedInterface> seen;
    if (!ScanInterfaces(seen)) {
        exitCode = Fail(kExitFailure, "cannot list HID devices");
        return nullptr;
    }
    const ScannedInterface* denied = nullptr;
    for (const auto& s : seen) {
        if (!MatchesDeviceOption(options.device, s.record.path)) continue;
        if (s.slot >= 0 && wanted(s.record)) {
            auto mouse = std::make_unique<OpenedDevice>();
            mouse->record = s.record;
            mouse->channel = std::make_unique<CommandChannel>();
            if (!mouse->channel->Open(s.record.path, s.record.type == kDeviceSlowLinkMouse)) {
                const int err = mouse->channel->Handle().LastOpenError();
                if (err == EACCES || err == EPERM) {
                    exitCode = Fail(kExitPermission, "permission denied on " + NodeOf(s.record.path) +
                                                         ": install the udev rule 70-orvane-q730.rules (see README)");
                } else {
                    exitCode = Fail(kExitFailure, "cannot open " + s.record.path + ": " + std::strerror(err));
                }
                return nullptr;
            }
            exitCode = kExitOk;
            return mouse;
        }
        if (s.candidate && !s.identified && (s.openError == EACCES || s.openError == EPERM) && denied == nullptr) denied = &s;
    }
    if (denied != nullptr) {
        exitCode = Fail(kExitPermission, "permission denied on " + NodeOf(denied->record.path) +
                                             ": install the udev rule 70-orvane-q730.rules (see README)");
    } else {
        exitCode = Fail(kExitNoDevice, options.device.empty() ? std::string("no supported ") + noun + " found"
                                                              : std::string("no supported ") + noun + " at " + options.device);
    }
    return nullptr;
}

bool DeviceOptionNames(const GlobalOptions& options, bool (*wanted)(const DeviceRecord&)) {
    std::vector<ScannedInterface> seen;
    if (options.device.empty() || !ScanInterfaces(seen)) return false;
    for (const auto& s : seen) {
        if (s.slot >= 0 && wanted(s.record) && MatchesDeviceOption(options.device, s.record.path)) return true;
    }
    return false;
}

}  // namespace

int Fail(int code, const std::string& message) {
    std::fprintf(stderr, "orvanectl: %s\n", message.c_str());
    return code;
}

int NotAnswering(const char* command, int result, const CommandFailureDetail& detail) {
    return Fail(kExitNotAnswering,
                DescribeCommandFailure(command, result, detail) + " (result " + std::to_string(result) + ")");
}

std::string HexBytes(const uint8_t* data, size_t count) {
    std::string out;
    char cell[4];
    for (size_t i = 0; i < count; ++i) {
        std::snprintf(cell, sizeof cell, "%02x", data[i]);
        if (i != 0) out += ' ';
        out += cell;
    }
    return out;
}

bool DeviceOptionNamesPad(const GlobalOptions& options) { return DeviceOptionNames(options, IsPadCommand); }

bool DeviceOptionNamesHeadset(const GlobalOptions& options) { return DeviceOptionNames(options, IsHeadsetCommand); }

std::unique_ptr<OpenedDevice> OpenFirstMouse(const GlobalOptions& options, int& exitCode) {
    return OpenFirst(options, IsMouseCommand, "mouse", exitCode);
}

std::unique_ptr<OpenedDevice> OpenFirstPad(const GlobalOptions& options, int& exitCode) {
    return OpenFirst(options, IsPadCommand, "mouse pad", exitCode);
}

std::unique_ptr<OpenedDevice> OpenFirstHeadset(const GlobalOptions& options, int& exitCode) {
    return OpenFirst(options, IsHeadsetCommand, "headset", exitCode);
}

std::unique_ptr<OpenedDevice> OpenFirstKeyboard(const GlobalOptions& options, int& exitCode) {
    return OpenFirst(options, IsKeyboardCommand, "keyboard", exitCode);
}

}  // namespace orvane::tool
