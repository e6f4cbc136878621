// orvanectl: the command-line front of the device core, for scripts and diagnosis.
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <string>

#include "mouse/KeyFunctionSyntax.h"
#include "platform/DebugLog.h"
#include "platform/FileNotices.h"
#include "platform/StartupCleanup.h"
#include "protocol/ResultText.h"
#include "sim/SimModels.h"
#include "tools/orvanectl/Commands.h"

using namespace orvane::tool;

namespace {

struct CommandEntry {
    int (*run)(const GlobalOptions&, const Args&);
    const char* usage;
};

const std::map<std::string, CommandEntry>& CommandTable() {
    static const std::map<std::string, CommandEntry> table = {
        {"list", {ListCommand, "list                      every HID interface and the device slot it would claim"}},
        {"info", {InfoCommand, "info                      device info, key table and key slot map of the mouse"}},
        {"config", {ConfigCommand, "config                    the active profile's settings block, decoded\n"
                                   "                            (--pad: the pad's active lighting block; --headset: the\n"
                                   "                            headset's block and its audio state; --json)"}},
        {"write-settings", {WriteSettingsCommand, "write-settings PROFILE.json [--screen WxH]  write the profile's settings block"}},
        {"write-keys", {WriteKeysCommand, "write-keys PROFILE.json   write the key table from the profile's \"KeyList\""}},
        {"write-macros", {WriteMacrosCommand, "write-macros [FOLDER]     compile and write the macros of FOLDER/macro.config"}},
        {"power", {PowerCommand, "power                     the power status"}},
        {"pull", {PullCommand, "pull PROFILE.json         store the device's active DPI stage and light state in the profile"}},
        {"profiles", {ProfilesCommand, "profiles list|select N|NAME|add|copy|rename NAME|delete|reset   the mouse's (--pad, --headset: its) profiles;\n"
                                      "                            profiles export N|NAME FILE, profiles import FILE   to and from profile files"}},
        {"dpi", {DpiCommand, "dpi [STAGE CPI | STAGE on|off | active STAGE]   DPI stages of the selected profile"}},
        {"rate", {RateCommand, "rate 125|250|500|1000|2000  report rate in Hz"}},
        {"keys", {KeysCommand, "keys [--json]             every button of the selected profile: its function in words\n"
                               "                            and its three bytes; keys set BUTTON FUNCTION, keys reset [BUTTON]\n"
                               "                            (BUTTON: 0-10 or left right middle forward back dpi-up dpi-down\n"
                               "                            g-key dpi-cycle game-mode m8); saved and written to the mouse"}},
        {"macros", {MacrosCommand, "macros list|show NAME [--json], add NAME, rename NAME NEWNAME, delete NAME,\n"
                                   "                            import FILE [NAME], export NAME FILE   the macro files"}},
        {"keyboard", {KeyboardCommand, "keyboard config [--json] | config rate HZ | config win-lock|w-lock|six-key on|off\n"
                                       "                            | config repeat-rate 0-31 | config repeat-delay 250|500|750|1000\n"
                                       "                            | keys [--json] | keys set KEY FUNCTION | keys reset [KEY]\n"
                                       "                            | light [--json] | light modes [--json] | light MODE [options]\n"
                                       "                            the first keyboard on its selected profile (KEY: 0-125),\n"
                                       "                            each change saved and written to the keyboard"}},
        {"eq", {EqCommand, "eq [--json] | eq PRESET | eq custom NAME | eq bands G1 … G10 [--save NAME]\n"
                           "                            the headset's equaliser: preset 1-12, a named custom\n"
                           "                            equaliser, or ten band gains (-13 to 18), kept under NAME"}},
        {"mic", {MicCommand, "mic [--json] | mic on|off|LEVEL   the headset's microphone switch and level (0-100)"}},
        {"monitor", {MonitorCommand, "monitor [--json] | monitor on|off|LEVEL   the headset's microphone monitor (0-100)"}},
        {"lod", {LodCommand, "lod 1|2                   lift-off distance in mm"}},
        {"light", {LightCommand, "light [--json] | light modes [--json] | light MODE [--colour RRGGBB] [--brightness 0-4]\n"
                                 "                            [--speed 0-4] [--direction left|right] [--colourful]\n"
                                 "                            the selected profile's lighting, saved and written"}},
        {"shoot", {ShootCommand, "shoot list|show N|reset N|export N FILE|import N FILE [--json]\n"
                                 "                            the shooting patterns 0-3 (files on this computer)"}},
        {"updates", {UpdatesCommand, "updates [--json]          ask the update service about the program and every connected\n"
                                     "                            device: each one's installed and newest version and its state\n"
                                     "                            (update available, up to date, no answer); exit 5 when no\n"
                                     "                            information could be obtained"}},
    };
    return table;
}

void PrintHelp() {
    std::printf(
        "usage: orvanectl [--simulate LIST] [--debug] [--device PATH] [--pad|--headset] COMMAND [ARGS]\n\n"
        "Configures the ORVANE Q730 mouse, the mouse pad, the headset (and a keyboard of the family) from the\n"
        "command line.\n\n"
        "Options:\n"
        "  --simulate LIST   run on emulated devices instead of hidraw (e.g. mouse); also ORVANE_SIMULATE\n"
        "  --debug           print the debug log (every command and reply) to stderr; also ORVANE_DEBUG=1\n"
        "  --device PATH     use this interface (a path as `list` prints it, or its /dev/hidrawN node);\n"
        "                    a mouse pad's or the headset's interface selects that device\n"
        "  --pad             act on the mouse pad: config, light and profiles\n"
        "  --headset         act on the headset: config, light and profiles (eq, mic and monitor\n"
        "                    always act on the headset)\n"
        "  --help            this text\n\n"
        "Environment: ORVANE_UPDATE_URL replaces the update service's base URL (http or https;\n"
        "the check asks <URL>/api/updates), ORVANE_UPDATE_CA names a CA file to trust besides the\n"
        "system's. The usual proxy variables apply (http_proxy, https_proxy, no_proxy).\n\n"
        "Commands:\n");
    for (const auto& [name, entry] : CommandTable()) std::printf("  %s\n", entry.usage);
    std::printf("\n%s", orvane::FunctionWordsHelp());
    std::printf(
        "\nExit status: 0 done, 1 failed, 2 bad usage, 3 no supported device, 4 permission denied,\n"
        "5 device not answering (updates: no update information), 6 macros do not fit the device.\n\n"
        "Result codes of device commands (messages end in \"(result N)\"):\n");
    for (const auto& r : orvane::ResultCodeMeanings()) std::printf("  %5d  %s\n", r.code, r.meaning);
}

}  // namespace

int main(int argc, char** argv) {
    GlobalOptions options;
    int i = 1;
    for (; i < argc && argv[i][0] == '-'; ++i) {
        const std::string arg = argv[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= argc) return false;
            into = argv[++i];
            return true;
        };
        if (arg == "--help" || arg == "-h") {
            PrintHelp();
            return kExitOk;
        } else if (arg == "--debug") {
            options.debug = true;
        } else if (arg == "--simulate") {
            std::string list;
            if (!value(list)) return Fail(kExitUsage, "--simulate needs a device list, e.g. --simulate mouse");
            options.simulate = list;
        } else if (arg == "--device") {
            if (!value(options.device)) return Fail(kExitUsage, "--device needs a path");
        } else if (arg == "--pad") {
            options.pad = true;
        } else if (arg == "--headset") {
            options.headset = true;
        } else {
            return Fail(kExitUsage, "unknown option " + arg + " (see --help)");
        }
    }
    if (i >= argc) {
        PrintHelp();
        return kExitUsage;
    }
    const auto& table = CommandTable();
    auto command = table.find(argv[i]);
    if (command == table.end()) return Fail(kExitUsage, std::string("unknown command ") + argv[i] + " (see --help)");

    orvane::ConfigureDebugLog(options.debug);
    // What happened to a data file is the user's business: said on stderr, not only in the debug log.
    orvane::SetFileNoticeHandler([](const std::string& message) { std::fprintf(stderr, "orvanectl: %s\n", message.c_str()); });
    orvane::RemoveLeftoverTempFilesOfOurFolders();
    std::shared_ptr<orvane::sim::SimBus> simulation;
    if (auto list = orvane::sim::ChooseSimulationList(options.simulate)) {
        std::string error;
        simulation = orvane::sim::InstallSimulation(*list, error);
        if (!simulation) return Fail(kExitUsage, error);
    }

    if (options.pad && options.headset) return Fail(kExitUsage, "--pad and --headset name different devices");
    if (!PadFamily(options)) {
        options.headset = DeviceOptionNamesHeadset(options);
        options.pad = !options.headset && DeviceOptionNamesPad(options);
    }
    Args args(argv + i + 1, argv + argc);
    return command->second.run(options, args);
}
