// `orvanectl profiles ...`: the profile panel's operations on the mouse's user data. Whatever
// moves the selection (an import too) loads the profile and writes it to the mouse, as a
// selection does; an export changes nothing and needs no mouse.
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "profiles/ProfileExchange.h"
#include "profiles/ProfileChangeGuard.h"
#include "tools/orvanectl/Commands.h"
#include "tools/orvanectl/MouseSession.h"

namespace orvane::tool {
namespace {

constexpr const char* kUsage =
    "usage: orvanectl profiles list | select N|NAME | add | copy | rename NAME | delete | reset |\n"
    "                          export N|NAME FILE | import FILE";

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

// The mouse's answer to the profile an operation selected; when it did not take it, the guard
// has put the folder and the desktop's pointer settings back: the disk never says what the mouse
// does not hold.
int Written(const DeviceOutcome& written, const ProfileList& list, ProfileChangeGuard& guard) {
    guard.Begin(FolderOf(list));
    const ProfileChangeGuard::End end = guard.Finish(written);
    if (end == ProfileChangeGuard::End::kPutBack || end == ProfileChangeGuard::End::kPutBackFailed) {
        std::fprintf(stderr, "orvanectl: %s\n",
                     end == ProfileChangeGuard::End::kPutBack
                         ? "the profiles and the desktop's pointer settings were left as they were"
                         : "the profiles could not all be put back as they were");
        return written.IsDeviceFailure() ? OutcomeResult(written) : Fail(kExitFailure, written.reason);
    }
    if (written.IsRefused()) std::fprintf(stderr, "orvanectl: %s; they were not written\n", written.reason.c_str());
    std::printf("profile %s selected and written to the mouse\n", list.SelectedName().c_str());
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

// The file is checked before the mouse is opened, so a refusal needs no device; the mouse is
// opened before the import, so nothing changes on disk when it cannot be written.
int ImportCommand(const GlobalOptions& options, ProfileList& list, const std::string& file) {
    Json::Value root;
    if (const ProfileExchangeResult r = CheckProfileFile(file, list.DeviceKind(), root); !r.Done()) {
        return ExchangeFailure(r, "import");
    }
    int code = kExitOk;
    auto session = OpenMouseSession(options, list, code);
    if (!session) return code;
    ProfileChangeGuard guard(*session->desktop);
    guard.Arm(FolderOf(list));
    if (const ProfileExchangeResult r = ImportProfile(list, file); !r.Done()) return ExchangeFailure(r, "import");
    return Written(session->mouse.ApplyProfile(list.GetSelectedUuid()), list, guard);
}

}  // namespace

int ProfilesCommand(const GlobalOptions& options, const Args& args) {
    if (PadFamily(options)) return PadProfilesCommand(options, args);
    if (args.empty()) return Fail(kExitUsage, kUsage);
    const std::string& verb = args[0];
    ProfileList list = OpenMouseProfileList();
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

    // The mouse first: nothing changes on disk when it cannot be written.
    int code = kExitOk;
    auto session = OpenMouseSession(options, list, code);
    if (!session) return code;
    ProfileChangeGuard guard(*session->desktop);
    guard.Arm(FolderOf(list));
    if (select) return Written(session->mouse.SelectProfile(list, index), list, guard);
    if (verb == "reset") return Written(session->mouse.ResetProfile(list), list, guard);
    const ProfileListResult changed = verb == "add" ? list.AddProfile() : verb == "copy" ? list.CopyProfile() : list.DeleteProfile();
    if (int r = ListResult(changed, verb.c_str()); r != kExitOk) return r;
    return Written(session->mouse.ApplyProfile(list.GetSelectedUuid()), list, guard);
}

}  // namespace orvane::tool
