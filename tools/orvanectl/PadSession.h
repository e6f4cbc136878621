#pragma once
// The mouse pad (or the headset, which is a pad with audio) as its page holds it once connected,
// without a window: the opened device after its initial read, with its core on the user's
// profiles of that device and the list's selected profile loaded.

#include <memory>

#include "mousepad/MousePadDevice.h"
#include "profiles/ProfileList.h"
#include "tools/orvanectl/ToolContext.h"

namespace Json {
class Value;
}

namespace orvane::tool {

struct PadSession {
    PadSession(std::unique_ptr<OpenedDevice> opened, bool headset);

    std::unique_ptr<OpenedDevice> opened;
    std::unique_ptr<MousePadDevice> device;  // a HeadsetDevice for the headset
    MousePadDevice& pad;
};

// The device's light group: its catalogue row's device number, as the page takes it.
int PadLightGroup(bool headset);
// The device's user data folder name ("MousePad", "HD").
const char* PadFolder(bool headset);

// The device's profile list, read (and created on first use) from its user data folder.
ProfileList OpenPadProfileList(bool headset);

// Opens the first pad (the headset with --headset), runs its initial read and loads the list's
// selected profile.
std::unique_ptr<PadSession> OpenPadSession(const GlobalOptions& options, const ProfileList& list, int& exitCode);

// Prints the device's active block decoded (as JSON with --json, with `extra`'s members added).
void PrintPadBlock(const PadBlock& block, bool json, const Json::Value* extra);

}  // namespace orvane::tool
