// `orvanectl [--pad|--headset] profiles ...`: the profile panel's operations on the user data of
// the mouse, the mouse pad or the headset. Whatever moves the selection (an import too) loads the
// profile and writes it to the device, as a selection does; an export changes nothing and needs
// no device.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>

#include "profiles/ProfileExchange.h"
#include "profiles/ProfileChangeGuard.h"
#include "tools/orvanectl/Commands.h"
#include "tools/orvanectl/MouseSession.h"
#include "tools/orvanectl/PadSession.h"

namespace orvane::tool {
namespace {

constexpr const char* kUsage =
    "usage: orvanectl [--pad|--headset] profiles list | select N|NAME | add | copy | rename NAME | delete |\n"
    "                          reset | export N|NAME FILE | import FILE";

// The open device whose profiles an operation changes, and the guard that puts the folder (and,
// for the mouse, the desktop's pointer settings) back when the device does not take the profile.
struct ProfileDevice {
    const char* name = "mouse";
    bool guardsDesktop = false;
    ProfileChangeGuard guard;
    std::function<DeviceOutcome(ProfileList&, int)> select;
    std::function<DeviceOutcome(ProfileList&)> reset;
    std::function<DeviceOutcome(const std::string&)> apply;
    std::shared_ptr<void> session;  // keeps the device open
};

template <class Core>
void BindProfileOperations(ProfileDevice& device, Core& core) {
    device.select = [&core](ProfileList& list, int index) { return core.SelectProfile(list, index); };
    device.reset = [&core](ProfileList& list) { return core.ResetProfile(list); };
    device.apply = [&core](const std::string& uuid) { return core.ApplyProfile(uuid); };
}

ProfileList OpenProfileList(const GlobalOptions& options) {
    return PadFamily(options) ? OpenPadProfileList(options.headset) : OpenMouseProfileList();
}

std::unique_ptr<ProfileDevice> OpenProfileDevice(const GlobalOptions& options, const ProfileList& list, int& code) {
    auto device = std::make_unique<ProfileDevice>();
    if (PadFamily(options)) {
        std::shared_ptr<PadSession> session = OpenPadSession(options, list, code);
        if (!session) return nullptr;
        device->name = options.headset ? "headset" : "mouse pad";
        BindProfileOperations(*device, session->pad);
        device->session = session;
        return device;
    }
    std::shared_ptr<MouseSession> session = OpenMouseSession(options, list, code);
    if (!session) return nullptr;
    device->guardsDesktop = true;
    device->guard = ProfileChangeGuard(*session->desktop);
    BindProfileOperations(*device, session->mouse);
    device->session = session;
    return device;
}

void PrintList(const ProfileList& list) {
    const auto& entries = list.Entries();
    for (size_t i = 0; i < entries.size(); ++i)
        std::printf("%c %2zu  %-24s %s\n", static_cast<int>(i) == list.GetSelectedIndex() ? '*' : ' ', i,
                    entries[i].name.c_str(), entries[i].uuid.c_str());
}

// An index, or the name of an entry.
int FindEntry(const ProfileList& list, const std::string& what) {
    char* end = nullptr;
    long n = std::strtol(what.c_str(), &end, 10);
    if (!what.empty() && *end == '\0') return n >= 0 && static_cast<size_t>(n) < list.Entries().size() ? static_cast<int>(n) : -1;
    for (size_t i = 0; i < list.Entries().size(); ++i)
        if (list.Entries()[i].name == what) return static_cast<int>(i);
    return -1;
}

std::string FolderOf(const ProfileList& list) { return std::filesystem::path(list.ListPath()).parent_path().string(); }

// The device's answer to the profile an operation selected; when it did not take it, the guard
// has put what the operation changed back: the disk never says what the device does not hold.
int Written(const DeviceOutcome& written, const ProfileList& list, ProfileDevice& device) {
    device.guard.Begin(FolderOf(list));
    const ProfileChangeGuard::End end = device.guard.Finish(written);
    if (end == ProfileChangeGuard::End::kPutBack || end == ProfileChangeGuard::End::kPutBackFailed) {
        std::fprintf(stderr, "orvanectl: %s\n",
                     end == ProfileChangeGuard::End::kPutBackFailed ? "the profiles could not all be put back as they were"
                     : device.guardsDesktop ? "the profiles and the desktop's pointer settings were left as they were"
                                            : "the profiles were left as they were");
        return written.IsDeviceFailure() ? OutcomeResult(written) : Fail(kExitFailure, written.reason);
    }
    if (written.IsRefused()) std::fprintf(stderr, "orvanectl: %s; they were not written\n", written.reason.c_str());
    std::printf("profile %s selected and written to the %s\n", list.SelectedName().c_str(), device.name);
    return kExitOk;
}

// The panel shows these as messages; the tool says them in plain words.
const char* RefusalText(ProfileNameRefusal refusal) {
    switch (refusal) {
        case ProfileNameRefusal::kEmpty: return "the name is empty";
        case ProfileNameRefusal::kHasWhiteSpace: return "the name contains white space";
        case ProfileNameRefusal::kTaken: return "another profile has this name";
        case ProfileNameRefusal::kNone: break;
    }
    return "the name was refused";
}

int ListResult(const ProfileListResult& r, const char* what) {
    switch (r.outcome) {
        case ProfileListOutcome::kChanged: return kExitOk;
        case ProfileListOutcome::kUnchanged: return Fail(kExitFailure, std::string(what) + ": nothing to do");
        case ProfileListOutcome::kRejected: return Fail(kExitUsage, std::string(what) + " refused: " + RefusalText(r.refusal));
        case ProfileListOutcome::kFailed: break;
    }
    return Fail(kExitFailure, std::string(what) + ": the profile files could not be written");
}

int ExchangeFailure(const ProfileExchangeResult& r, const std::string& what) {
    return Fail(kExitFailure, what + " refused, nothing changed: " + DescribeProfileExchange(r));
}

int ExportCommand(const ProfileList& list, const std::string& which, const std::string& file) {
    const int index = FindEntry(list, which);
    if (index < 0) return Fail(kExitUsage, "no profile " + which);
    const ProfileExchangeResult r = ExportProfile(list, index, file);
    if (!r.Done()) return ExchangeFailure(r, "export");
    std::printf("profile %s exported to %s\n", r.name.c_str(), file.c_str());
    return kExitOk;
}

// The file is checked before the device is opened, so a refusal needs no device; the device is
// opened before the import, so nothing changes on disk when it cannot be written.
int ImportCommand(const GlobalOptions& options, ProfileList& list, const std::string& file) {
    Json::Value root;
    if (const ProfileExchangeResult r = CheckProfileFile(file, list.DeviceKind(), root); !r.Done()) {
        return ExchangeFailure(r, "import");
    }
    int code = kExitOk;
    const auto device = OpenProfileDevice(options, list, code);
    if (!device) return code;
    device->guard.Arm(FolderOf(list));
    if (const ProfileExchangeResult r = ImportProfile(list, file); !r.Done()) return ExchangeFailure(r, "import");
    return Written(device->apply(list.GetSelectedUuid()), list, *device);
}

}  // namespace

int ProfilesCommand(const GlobalOptions& options, const Args& args) {
    if (args.empty()) return Fail(kExitUsage, kUsage);
    const std::string& verb = args[0];
    ProfileList list = OpenProfileList(options);
    if (verb == "list" && args.size() == 1) {
        PrintList(list);
        return kExitOk;
    }
    if (verb == "export" && args.size() == 3) return ExportCommand(list, args[1], args[2]);
    if (verb == "import" && args.size() == 2) return ImportCommand(options, list, args[1]);
    if (verb == "rename" && args.size() == 2) {
        if (int r = ListResult(list.RenameProfile(args[1]), "rename"); r != kExitOk) return r;
        PrintList(list);
        return kExitOk;
    }
    const bool select = verb == "select" && args.size() == 2;
    if (!select && (args.size() != 1 || (verb != "add" && verb != "copy" && verb != "delete" && verb != "reset")))
        return Fail(kExitUsage, kUsage);
    int index = -1;
    if (select && (index = FindEntry(list, args[1])) < 0) return Fail(kExitUsage, "no profile " + args[1]);

    // The device first: nothing changes on disk when it cannot be written.
    int code = kExitOk;
    const auto device = OpenProfileDevice(options, list, code);
    if (!device) return code;
    device->guard.Arm(FolderOf(list));
    if (select) return Written(device->select(list, index), list, *device);
    if (verb == "reset") return Written(device->reset(list), list, *device);
    const ProfileListResult changed = verb == "add" ? list.AddProfile() : verb == "copy" ? list.CopyProfile() : list.DeleteProfile();
    if (int r = ListResult(changed, verb.c_str()); r != kExitOk) return r;
    return Written(device->apply(list.GetSelectedUuid()), list, *device);
}

}  // namespace orvane::tool
