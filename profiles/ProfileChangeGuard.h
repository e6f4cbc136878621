#pragma once
// Profile operations change the disk (list, profile files) and, for a mouse, the desktop's pointer
// settings at once, and the device afterwards. When the device does not take the profile, the disk
// and the desktop go back to what they were before the run of operations began, so they never say
// what the device does not hold. A run is every operation begun before the last outcome came back: on a
// page, quick edits queue behind a slow device and stand or fall together.

#include <optional>
#include <string>

#include "platform/SystemMouseSettings.h"
#include "profiles/ProfileFolderSnapshot.h"
#include "protocol/DeviceOutcome.h"

namespace orvane {

class ProfileChangeGuard {
public:
    enum class End {
        kPending,        // more operations of the run are outstanding
        kKept,           // the device took every one: the changes stand
        kPutBack,        // one failed: the folder and the desktop are as before the run
        kPutBackFailed,  // one failed and not everything could be put back
    };

    // A device whose profiles leave the desktop alone: the folder alone is put back.
    ProfileChangeGuard() = default;
    explicit ProfileChangeGuard(SystemMouseSettings& desktop) : desktop_(&desktop) {}

    // Before anything changes on disk: unless it holds them already, the guard takes the folder
    // and the desktop as they stand as what a failure goes back to.
    void Arm(const std::string& profileFolder);
    // Drops what Arm took unless an operation is outstanding: a change that wrote nothing to the
    // device (a rename) stands.
    void Disarm();
    // An operation whose device write follows (armed now when it was not).
    void Begin(const std::string& profileFolder);
    // Its outcome. A device failure, or a refusal other than macros that do not fit, fails the run.
    End Finish(const DeviceOutcome& written);

    static bool Failed(const DeviceOutcome& written) {
        return written.IsDeviceFailure() || (written.IsRefused() && written.excess == 0);
    }

private:
    struct Before {
        ProfileFolderSnapshot folder;
        std::optional<PointerSettingsValues> desktop;
    };

    SystemMouseSettings* desktop_ = nullptr;
    std::optional<Before> before_;
    int outstanding_ = 0;
    bool failed_ = false;
};

}  // namespace orvane
