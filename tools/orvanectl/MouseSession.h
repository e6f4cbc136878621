#pragma once
// The mouse page's model without its window: the opened mouse after its initial read, the
// profile list of the mouse's user data folder and the selected profile loaded, as the page
// holds them once connected. The profile and settings commands run the page's own operations on it.

#include <memory>

#include "mouse/MouseProfileActions.h"
#include "mouse/PerformanceSettings.h"
#include "profiles/ProfileList.h"
#include "tools/orvanectl/ToolContext.h"

namespace orvane::tool {

struct MouseSession {
    explicit MouseSession(std::unique_ptr<OpenedMouse> opened);

    std::unique_ptr<OpenedMouse> mouse;
    MouseDeviceModel device;
    CMouseProfiledata profile;
    std::unique_ptr<SystemMouseSettings> desktop;
    MousePageParts parts;
    PerformanceSettings performance;
    MouseProfileActions actions;
};

// The mouse's profile list, read (and created on first use) from its user data folder.
ProfileList OpenMouseProfileList();

// Opens the first mouse, runs its initial read and loads the list's selected profile.
std::unique_ptr<MouseSession> OpenMouseSession(const GlobalOptions& options, const ProfileList& list, int& exitCode);

}  // namespace orvane::tool
