#pragma once
// Profile import and export: a profile file of the user's choice read into a device's profile
// list as a new profile, and a profile of the list written out as such a file. An exchange file
// is a stored profile file (top-level "profilename", "profileUUID" and "Device"), so every
// exported file imports again, on the same device or another of its kind.
//
// An import is checked as a whole before anything is written: a file that cannot be read, is not
// a profile, belongs to another kind of device or holds values no profile holds changes nothing,
// and the result says why. The profile panel and `orvanectl profiles import|export` both run
// these.

#include <json/json.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "profiles/ProfileList.h"

namespace orvane {

// Far above any real profile (tens of kilobytes); larger files are not read.
inline constexpr size_t kMaxProfileFileBytes = 4u << 20;

enum class ProfileExchangeProblem {
    kNone,
    kUnreadable,       // the file cannot be opened or read, or is larger than kMaxProfileFileBytes
    kNotAProfile,      // not JSON, not an object, without "profilename" or "profileUUID", or no "Device"[0] object
    kWrongDeviceKind,  // a profile with DPI stages for a keyboard, or one without for a mouse
    kDamaged,          // a member holds a value no profile holds (`detail` names it)
    kNoProfile,        // export: no such entry in the list
    kNotWritten,       // a file could not be written; nothing was changed
};

struct ProfileExchangeResult {
    ProfileExchangeProblem problem = ProfileExchangeProblem::kNone;
    std::string detail;  // the damaged member and what it should hold, the file that failed
    std::string name;    // import: the new profile's name
    bool Done() const { return problem == ProfileExchangeProblem::kNone; }
};

// The name an imported file gives its profile: the file name without its folders, cut before its
// last '.' ("/a/My set.old.json" gives "My set.old"); the whole file name when that leaves nothing.
std::string ImportedProfileName(std::string_view path);

// Reads `path` and checks it as a profile for a device of `deviceKind` (1 keyboard, 2 mouse; the
// other kinds take profiles with and without DPI stages). `needsNames`: the file must hold both
// names too, as an exchange file does (a shipped default profile holds none). Changes nothing;
// on success `root` is the file's content.
ProfileExchangeResult CheckProfileFile(const std::string& path, int deviceKind, Json::Value& root,
                                       bool needsNames = true);

// CheckProfileFile for the list's device kind, then the file's content becomes a new profile of
// `list` named after the file (ProfileList::ImportProfile), selected.
ProfileExchangeResult ImportProfile(ProfileList& list, const std::string& path);

// Writes profile `index` of `list` to `path`: its stored file with the entry's name and UUID,
// as styled JSON, replacing `path` atomically. A stored profile that is not a whole profile
// document is not exported.
ProfileExchangeResult ExportProfile(const ProfileList& list, int index, const std::string& path);

// The language key of the message the profile panel shows for a problem; nullptr for kNone.
const char* ProfileExchangeMessage(ProfileExchangeProblem problem);

// The problem in plain words, with its detail, for the command-line tool.
std::string DescribeProfileExchange(const ProfileExchangeResult& result);

}  // namespace orvane
