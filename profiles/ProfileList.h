#pragma once
// A device's profile list: "ProfileList.ini" in its user data folder and one profile file per
// entry, named after the entry's time-stamp UUID. This is the data side of the profile panel;
// the panel shows Entries() in its combo box, SelectedName() in its name edit, explains a
// refused name, and asks the device page to load SelectedProfilePath() after a
// change that moved the selection.
//
// The entries held here are what the combo box shows; the list file is re-read before and
// written after every change so members this class does not own survive.

#include <json/json.h>

#include <functional>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "device/DeviceKind.h"
#include "profiles/JsonFileStore.h"

namespace orvane {

inline constexpr const char* kProfileListFileName = "ProfileList.ini";
inline constexpr size_t kMaxAddedProfiles = 50;

struct ProfileEntry {
    std::string name;  // UTF-8 display name
    std::string uuid;  // time-stamp name; the profile file is folder + uuid + ".Json"
    bool operator==(const ProfileEntry&) const = default;
};

enum class ProfileListOutcome {
    kChanged,     // the list or the profile file changed as asked
    kUnchanged,   // nothing to do: no selection, the last profile, 50 entries, ...
    kRejected,    // the name was refused; `refusal` says why
    kFailed,      // a file could not be read or written; the list is as it was before
};

// Why a rename was refused.
enum class ProfileNameRefusal { kNone, kEmpty, kHasWhiteSpace, kTaken };

struct ProfileListResult {
    ProfileListOutcome outcome = ProfileListOutcome::kUnchanged;
    ProfileNameRefusal refusal = ProfileNameRefusal::kNone;  // set for kRejected
    bool Changed() const { return outcome == ProfileListOutcome::kChanged; }
};

class ProfileList {
public:
    // Source of new profile UUIDs; the local time stamp unless a test supplies its own.
    using TimeStampSource = std::function<std::string()>;

    explicit ProfileList(TimeStampSource timeStamps = {});

    void SetDeviceKind(int kind) { deviceKind_ = kind; }
    int DeviceKind() const { return deviceKind_; }
    // `userDataFolder` ends in '/'.
    void SetProfilePaths(const std::string& userDataFolder, const std::string& defaultProfilePath);

    // Reads the list file and selects its "profileselect" entry; a sound list file is not
    // written. A missing or damaged list (a damaged one is kept beside it as
    // ProfileList.ini.broken-<time stamp>) is rebuilt: its sound entries, then every profile
    // file of the folder that no entry names (with the name the file holds, in time-stamp
    // order), the first entry selected when the selection is lost. Only when no profile is
    // found at all does the list become one profile "Profile1" made from the default profile.
    void InitProfileList();

    const std::vector<ProfileEntry>& Entries() const { return entries_; }
    int GetSelectedIndex() const { return selected_; }  // -1 when nothing is selected
    const std::string& GetSelectedUuid() const { return selectedUuid_; }
    std::string SelectedName() const;                    // empty when nothing is selected
    std::string SelectedProfilePath() const;             // empty when nothing is selected
    std::string ProfilePathOf(const std::string& uuid) const;
    std::string ListPath() const;

    // Selects entry `index` and records it as "profileselect"; kUnchanged for an index that
    // is not an entry. The selection holds even when the list file cannot be written: the file
    // only remembers it for the next start.
    ProfileListResult SelectProfile(int index);
    // Appends "Profile<n>" (the first n no entry uses, ignoring case) made from the default
    // profile and selects it; kUnchanged at kMaxAddedProfiles entries.
    ProfileListResult AddProfile();
    // Appends "<name> copy" (repeated until no entry uses it) made from the selected profile's
    // file and selects it.
    ProfileListResult CopyProfile();
    // Removes the selected entry and its file and selects the entry before it (the first when
    // the first was deleted); kUnchanged for the last profile.
    ProfileListResult DeleteProfile();
    // Renames the selected entry: refused when the name is empty, contains white space, or is
    // another entry's name ignoring case.
    ProfileListResult RenameProfile(const std::string& name);
    // Appends a profile file's content `root` under `name` with a new UUID and selects it.
    // While an entry uses the name (ignoring case), "(k)" is appended for k = 1, 2, …, so with A
    // and A(1) present, A becomes A(1)(2). No limit of entries applies; members of `root` other
    // than the two names are kept as they stand.
    ProfileListResult ImportProfile(const std::string& name, Json::Value root);
    // Rewrites the selected profile file from the default profile, keeping its names (and a
    // headset's custom equalisers); kFailed when the default profile has no document, so a
    // reset never empties a profile.
    ProfileListResult ResetProfile();

private:
    bool LoadList();
    // The profile files of the folder whose UUIDs are not in `listed`, oldest time stamp first.
    std::vector<ProfileEntry> UnlistedProfiles(const std::set<std::string>& listed) const;
    void CreateFirstProfile();
    bool UuidTaken(const std::string& uuid) const;
    ProfileListResult AppendProfile(const std::string& name, Json::Value document);
    // Re-reads the list file so members this class does not own survive, then writes it.
    bool WriteList(const std::vector<ProfileEntry>& entries, int selected) const;
    bool WriteListOver(Json::Value base, const std::vector<ProfileEntry>& entries, int selected) const;
    bool WriteProfileFile(const std::string& uuid, Json::Value document, const std::string& name) const;
    std::string NewUuid() const;
    bool NameInUse(const std::string& name, int except) const;
    void Select(int index);

    TimeStampSource timeStamps_;
    JsonFileStore store_;
    int deviceKind_ = 0;
    std::string folder_;
    std::string defaultProfilePath_;
    std::vector<ProfileEntry> entries_;
    int selected_ = -1;
    std::string selectedUuid_;
};

}  // namespace orvane
