#pragma once
// What every orvanectl command shares: global options, exit codes, finding and opening the mouse,
// the mouse pad, the headset or a keyboard.

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "device/DeviceScan.h"
#include "protocol/CommandChannel.h"

namespace orvane::tool {

enum ExitCode : int {
    kExitOk = 0,
    kExitFailure = 1,        // an operation failed (file unreadable, device refused a write, ...)
    kExitUsage = 2,          // bad command line
    kExitNoDevice = 3,       // no supported device present
    kExitPermission = 4,     // the device node cannot be opened for lack of rights
    kExitNotAnswering = 5,   // the device did not answer a command
    kExitDoesNotFit = 6,     // macros larger than the device's macro memory
};

struct GlobalOptions {
    std::optional<std::string> simulate;  // --simulate LIST
    bool debug = false;
    std::string device;    // --device PATH: a collection path as `list` prints it, or a node
    bool pad = false;      // --pad, or a --device that names a mouse pad's interface
    bool headset = false;  // --headset, or a --device that names the headset's interface
};

// The mouse pad and the headset share config, light and profiles (the headset is a pad with audio).
inline bool PadFamily(const GlobalOptions& options) { return options.pad || options.headset; }

// Whether --device names the command interface of a mouse pad, of the headset.
bool DeviceOptionNamesPad(const GlobalOptions& options);
bool DeviceOptionNamesHeadset(const GlobalOptions& options);

// Prints an error line to stderr and returns `code`, for `return Fail(...)` at call sites.
int Fail(int code, const std::string& message);

// The first supported mouse's (or pad's) command interface, opened. On failure `exitCode` says
// why and a message has been printed.
struct OpenedDevice {
    std::unique_ptr<CommandChannel> channel;
    DeviceRecord record;
};
std::unique_ptr<OpenedDevice> OpenFirstMouse(const GlobalOptions& options, int& exitCode);
std::unique_ptr<OpenedDevice> OpenFirstPad(const GlobalOptions& options, int& exitCode);
std::unique_ptr<OpenedDevice> OpenFirstHeadset(const GlobalOptions& options, int& exitCode);
std::unique_ptr<OpenedDevice> OpenFirstKeyboard(const GlobalOptions& options, int& exitCode);

// Reports a command that did not succeed: why (DescribeCommandFailure) and its result code.
int NotAnswering(const char* command, int result, const CommandFailureDetail& detail = {});

std::string HexBytes(const uint8_t* data, size_t count);

}  // namespace orvane::tool
