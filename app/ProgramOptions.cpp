#include "app/ProgramOptions.h"

namespace orvane::app {

std::optional<ProgramOptions> ParseProgramOptions(const std::vector<std::string>& args, std::string& error) {
    ProgramOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::optional<std::string>& into, const char* what) {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                error = arg + " needs " + what;
                return false;
            }
            into = args[++i];
            return true;
        };
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--debug") {
            options.debug = true;
        } else if (arg == "--minimized") {
            options.minimized = true;
        } else if (arg == "--simulate") {
            if (!value(options.simulate, "a device list, e.g. --simulate mouse")) return std::nullopt;
        } else if (arg == "--screenshot") {
            if (!value(options.screenshot, "a PNG file name")) return std::nullopt;
        } else {
            error = "unknown argument " + arg + " (see --help)";
            return std::nullopt;
        }
    }
    return options;
}

const char* ProgramUsage() {
    return "usage: orvane-q730 [--simulate LIST] [--debug] [--screenshot FILE] [--minimized]\n\n"
           "Configures the ORVANE Q730 gaming mouse.\n\n"
           "  --simulate LIST    run on emulated devices (e.g. mouse); also ORVANE_SIMULATE\n"
           "  --debug            print the debug log to stderr; also ORVANE_DEBUG=1\n"
           "  --screenshot FILE  once the connected devices have connected, write the main window\n"
           "                     to FILE as PNG and exit\n"
           "  --minimized        start hidden in the notification area (as the autostart entry\n"
           "                     does); without one the window is shown as usual\n"
           "  --help             this text\n";
}

}  // namespace orvane::app
