#pragma once
// The mouse as the page holds it once connected, without a window: the opened mouse after its
// initial read, with the mouse core on the user's profiles and the list's selected profile
// loaded. The profile and settings commands act on the core.

#include <memory>

#include "mouse/MouseDevice.h"
#include "profiles/ProfileList.h"
#include "tools/orvanectl/ToolContext.h"

namespace orvane::tool {

struct MouseSession {
    explicit MouseSession(std::unique_ptr<OpenedDevice> opened);

    std::unique_ptr<OpenedDevice> opened;
    std::unique_ptr<SystemMouseSettings> desktop;
    MouseDevice mouse;
};

// The mouse's profile list, read (and created on first use) from its user data folder.
ProfileList OpenMouseProfileList();

// Opens the first mouse, runs its initial read and loads the list's selected profile.
std::unique_ptr<MouseSession> OpenMouseSession(const GlobalOptions& options, const ProfileList& list, int& exitCode);

// The exit status and message of a core outcome: 0 when done, 2 refused (5 for a device
// failure, 6 for macros that do not fit).
int OutcomeResult(const DeviceOutcome& outcome);

}  // namespace orvane::tool
