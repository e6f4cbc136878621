#pragma once
// The windowed program's command line: --simulate LIST, --debug, --screenshot FILE, --minimized, --help.

#include <optional>
#include <string>
#include <vector>

namespace orvane::app {

struct ProgramOptions {
    std::optional<std::string> simulate;    // emulated device list, e.g. "mouse"
    bool debug = false;                     // debug log to stderr
    std::optional<std::string> screenshot;  // PNG to write once the devices have connected
    bool minimized = false;                 // start hidden in the tray (the autostart entry's way)
    bool help = false;
};

// nullopt, with the reason in `error`, for an unknown option, a missing value or a stray argument.
std::optional<ProgramOptions> ParseProgramOptions(const std::vector<std::string>& args, std::string& error);

const char* ProgramUsage();

}  // namespace orvane::app
