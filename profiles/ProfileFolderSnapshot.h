#pragma once
// A device's profile folder as it stands: the list file and every profile file, so an operation
// whose device write failed can put the folder back as it was. Profiles are small (tens of
// kilobytes) and few, so the snapshot holds their content.

#include <map>
#include <string>

namespace orvane {

class ProfileFolderSnapshot {
public:
    // The regular files of `folder` named "*.Json" and "ProfileList.ini"; others are not touched.
    static ProfileFolderSnapshot Take(const std::string& folder);

    // Rewrites (atomically) each file whose content changed or that went away, and removes the
    // profile files that came since. False when a file could not be put back.
    bool Restore() const;

private:
    std::string folder_;
    std::map<std::string, std::string> files_;  // name in the folder -> content
};

}  // namespace orvane
