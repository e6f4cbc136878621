// The write groups of the mouse page, from the command line: the same sequences the page runs.
#include <cstdio>

#include "mouse/MouseDeviceModel.h"
#include "mouse/MouseProfileBridge.h"
#include "platform/UserFolders.h"
#include "profiles/ProfileExchange.h"
#include "profiles/ProfilePaths.h"
#include "tools/orvanectl/Commands.h"

namespace orvane::tool {
namespace {

constexpr const char* kMouseFolder = "mouse";

// The page would replace an unreadable profile by the default one; a tool must not touch a
// file the user named by mistake, so anything but a sound mouse profile is refused, unchanged.
bool LoadProfileFile(const std::string& path, CMouseProfiledata& profile, int& exitCode) {
    Json::Value root;
    if (const ProfileExchangeResult checked = CheckProfileFile(path, kDeviceMouse, root, false); !checked.Done()) {
        exitCode = Fail(kExitFailure, path + " refused, nothing changed: " + DescribeProfileExchange(checked));
        return false;
    }
    profile.SetDefaultProfilePath(DefaultProfilePath(kMouseFolder));
    profile.SetProfilePath(path);
    profile.LoadProfile(path);
    return true;
}

// The profile first, so a bad file is refused before the device is touched.
std::unique_ptr<OpenedDevice> OpenWithProfile(const GlobalOptions& options, const std::string& path,
                                             CMouseProfiledata& profile, int& exitCode) {
    if (!LoadProfileFile(path, profile, exitCode)) return nullptr;
    return OpenFirstMouse(options, exitCode);
}

bool ParseScreen(const std::string& text, ScreenSize& screen) {
    unsigned w = 0, h = 0;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%ux%u%c", &w, &h, &tail) != 2 || w == 0 || h == 0 || w > 0xFFFF || h > 0xFFFF)
        return false;
    screen = {1, static_cast<uint16_t>(w), static_cast<uint16_t>(h)};
    return true;
}

int GroupResult(const MouseDeviceModel& model) {
    const auto& f = model.LastFailure();
    return f.command == nullptr ? kExitOk : NotAnswering(f.command, f.result, f.detail);
}

}  // namespace

int WriteSettingsCommand(const GlobalOptions& options, const Args& args) {
    std::string path;
    ScreenSize screen;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--screen") {
            if (i + 1 >= args.size() || !ParseScreen(args[i + 1], screen))
                return Fail(kExitUsage, "--screen takes WIDTHxHEIGHT, e.g. --screen 1920x1080");
            ++i;
        } else if (path.empty()) {
            path = args[i];
        } else {
            return Fail(kExitUsage, "write-settings takes one profile file");
        }
    }
    if (path.empty()) return Fail(kExitUsage, "usage: orvanectl write-settings PROFILE.json [--screen WxH]");
    CMouseProfiledata profile;
    int code = kExitOk;
    auto mouse = OpenWithProfile(options, path, profile, code);
    if (!mouse) return code;
    MouseDeviceModel model(*mouse->channel);
    const uint8_t liftOff = static_cast<uint8_t>(profile.GetMouseSystemSettings().HeightStage & 0xFF);
    if (model.WriteSettings(SettingsFromProfile(profile, liftOff, 0, screen), 0) != 1) return GroupResult(model);
    if (int r = GroupResult(model); r != kExitOk) return r;
    std::printf("settings of %s written\n", path.c_str());
    return kExitOk;
}

int WriteKeysCommand(const GlobalOptions& options, const Args& args) {
    if (args.size() != 1) return Fail(kExitUsage, "usage: orvanectl write-keys PROFILE.json");
    CMouseProfiledata profile;
    int code = kExitOk;
    auto mouse = OpenWithProfile(options, args[0], profile, code);
    if (!mouse) return code;
    MouseDeviceModel model(*mouse->channel);
    model.InitialRead();
    if (int r = GroupResult(model); r != kExitOk) return r;
    model.WriteKeyBlock(KeyCodesFromProfile(profile.GetKeyList()), 0);
    if (int r = GroupResult(model); r != kExitOk) return r;
    std::printf("key table of %s written (%zu slots)\n", args[0].c_str(), model.KeySlots());
    return kExitOk;
}

int WriteMacrosCommand(const GlobalOptions& options, const Args& args) {
    if (args.size() > 1) return Fail(kExitUsage, "usage: orvanectl write-macros [FOLDER]");
    std::string folder = args.empty() ? DeviceUserDataFolder(kMouseFolder) : args[0];
    if (folder.back() != '/') folder += '/';
    auto macros = ReadDeviceMacros(folder);
    if (!macros) return Fail(kExitFailure, "cannot read " + folder + kMacroIndexFileName);
    int code = kExitOk;
    auto mouse = OpenFirstMouse(options, code);
    if (!mouse) return code;
    MouseDeviceModel model(*mouse->channel);
    const int result = model.WriteMacros(MacroEventsForDevice(*macros));
    if (int r = GroupResult(model); r != kExitOk) return r;
    if (result > 0)
        return Fail(kExitDoesNotFit, "the macros do not fit the device's " + std::to_string(model.MacroCapacityBytes()) +
                                         " bytes: remove " + std::to_string(result) + " events; nothing was written");
    if (result < 0) return Fail(kExitNotAnswering, "the device stopped answering while the macros were written");
    std::printf("%zu macros written\n", macros->size());
    return kExitOk;
}

int PowerCommand(const GlobalOptions& options, const Args&) {
    int code = kExitOk;
    auto mouse = OpenFirstMouse(options, code);
    if (!mouse) return code;
    MouseDeviceModel model(*mouse->channel);
    auto status = model.ReadPowerStatus();
    if (!status) return GroupResult(model);
    static const char* const kStates[] = {"on external power", "charging", "on battery"};
    const uint8_t state = status->State();
    std::printf("charge       %u%%\n", status->Charge());
    std::printf("state        %s\n", state < 3 ? kStates[state] : "unknown");
    std::printf("wireless     %s\n", status->bytes[PowerStatus::kWireless] ? "yes" : "no");
    std::printf("raw          %s\n", HexBytes(status->bytes.data(), status->bytes.size()).c_str());
    return kExitOk;
}

int PullCommand(const GlobalOptions& options, const Args& args) {
    if (args.size() != 1) return Fail(kExitUsage, "usage: orvanectl pull PROFILE.json");
    CMouseProfiledata profile;
    int code = kExitOk;
    auto mouse = OpenWithProfile(options, args[0], profile, code);
    if (!mouse) return code;
    MouseDeviceModel model(*mouse->channel);
    auto config = model.ReadActiveConfig();
    if (!config) return GroupResult(model);
    LightInfoRecord light = profile.GetLightInfo();
    TakeDeviceConfig(*config, light, profile);
    if (profile.SaveProfile() != 0) return Fail(kExitFailure, "cannot write " + args[0]);
    std::printf("profile %s: active DPI stage %u, light mode %u, brightness %u, speed %u\n", args[0].c_str(),
                config->activeDpiStage, config->light.mode, config->light.brightness, config->light.speed);
    return kExitOk;
}

}  // namespace orvane::tool
