#pragma once
// The mouse pad as its page holds it once connected, without a window: the opened pad after its
// initial read, with the pad core on the user's pad profiles and the list's selected profile
// loaded.

#include <memory>

#include "mousepad/MousePadDevice.h"
#include "profiles/ProfileList.h"
#include "tools/orvanectl/ToolContext.h"

namespace orvane::tool {

struct PadSession {
    explicit PadSession(std::unique_ptr<OpenedDevice> opened);

    std::unique_ptr<OpenedDevice> opened;
    MousePadDevice pad;
};

// The pad's light group: its catalogue row's device number, as the page takes it.
int PadLightGroup();
// The pad's user data folder name ("MousePad").
const char* PadFolder();

// The pad's profile list, read (and created on first use) from its user data folder.
ProfileList OpenPadProfileList();

// Opens the first pad, runs its initial read and loads the list's selected profile.
std::unique_ptr<PadSession> OpenPadSession(const GlobalOptions& options, const ProfileList& list, int& exitCode);

}  // namespace orvane::tool
