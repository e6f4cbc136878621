// A fuzzed "ProfileList.ini" (and the same bytes as an unlisted profile file) through every
// profile list operation, with the invariants that keep user data where it belongs: every
// entry names a plain file of the folder, no two entries share a file, nothing is written
// outside the folder, no temporary file stays behind, and the selection is an entry.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "platform/AtomicFile.h"
#include "profiles/ProfileList.h"
#include "profiles/ProfilePaths.h"

namespace {

namespace fs = std::filesystem;

// <root>/default.Json beside the user data folder <root>/user/.
const std::string& Root() {
    static const std::string root = [] {
        std::string tmpl = (fs::temp_directory_path() / "orvane-fuzz-list-XXXXXX").string();
        if (::mkdtemp(tmpl.data()) == nullptr) std::abort();
        return tmpl + "/";
    }();
    return root;
}

void Check(bool condition) {
    if (!condition) std::abort();
}

void CheckInvariants(const orvane::ProfileList& list, const std::string& folder) {
    std::set<std::string> uuids;
    for (const auto& entry : list.Entries()) {
        Check(orvane::IsPlainFileName(entry.uuid));
        Check(uuids.insert(entry.uuid).second);
        Check(list.ProfilePathOf(entry.uuid).rfind(folder, 0) == 0);
    }
    const int selected = list.GetSelectedIndex();
    Check(selected >= -1 && selected < static_cast<int>(list.Entries().size()));
    Check(list.Entries().empty() || selected >= 0);
    // Only the folder and the default profile at the root; only data files in the folder.
    for (const auto& item : fs::directory_iterator(Root())) {
        const std::string name = item.path().filename().string();
        Check(name == "user" || name == "default.Json");
    }
    for (const auto& item : fs::directory_iterator(folder)) Check(!orvane::IsAtomicTempName(item.path().filename().string()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvane;
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string folder = Root() + "user/";
    fs::remove_all(folder);
    fs::create_directories(folder);
    WriteFileAtomically(Root() + "default.Json", "{\"Device\":[{\"DPIStages\":{\"StageActive\":1}}]}\n");
    WriteFileAtomically(folder + kProfileListFileName, text);
    WriteFileAtomically(folder + "2024_01_02_03_04_05_006.Json", text);

    // Fresh time stamps without the clock: one per call.
    int stamp = 0;
    ProfileList list([&stamp] {
        char name[32];
        std::snprintf(name, sizeof name, "2030_01_01_00_00_00_%03d", stamp++ % 1000);
        return std::string(name);
    });
    list.SetDeviceKind(size > 0 && (data[0] & 1) ? kDeviceHeadset : kDeviceMouse);
    list.SetProfilePaths(folder, Root() + "default.Json");
    list.InitProfileList();
    CheckInvariants(list, folder);

    list.SelectProfile(static_cast<int>(size % 5));
    CheckInvariants(list, folder);
    list.AddProfile();
    CheckInvariants(list, folder);
    list.CopyProfile();
    CheckInvariants(list, folder);
    list.RenameProfile(text.substr(0, 40));
    CheckInvariants(list, folder);
    list.ResetProfile();
    CheckInvariants(list, folder);
    list.DeleteProfile();
    CheckInvariants(list, folder);
    list.SelectProfile(0);
    list.DeleteProfile();
    CheckInvariants(list, folder);
    return 0;
}
