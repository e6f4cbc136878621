#include "tools/orvanectl/PadSession.h"

#include "device/DeviceCatalogue.h"
#include "headset/HeadsetDevice.h"
#include "profiles/ProfilePaths.h"
#include "tools/orvanectl/MouseSession.h"

namespace orvane::tool {
namespace {

const CatalogueEntry* EntryOf(bool headset) {
    const uint16_t type = headset ? kDeviceHeadset : kDeviceMousePad;
    for (const CatalogueEntry& entry : Catalogue()) {
        if (entry.type == type) return &entry;
    }
    return nullptr;
}

std::unique_ptr<MousePadDevice> CoreFor(CommandChannel& channel, bool headset) {
    if (headset) return std::make_unique<HeadsetDevice>(channel);
    return std::make_unique<MousePadDevice>(channel);
}

}  // namespace

int PadLightGroup(bool headset) { return EntryOf(headset) != nullptr ? EntryOf(headset)->deviceNumber : 0; }

const char* PadFolder(bool headset) {
    if (EntryOf(headset) != nullptr) return EntryOf(headset)->folderName;
    return headset ? "HD" : "MousePad";
}

PadSession::PadSession(std::unique_ptr<OpenedDevice> padOpened, bool headset)
    : opened(std::move(padOpened)), device(CoreFor(*opened->channel, headset)), pad(*device) {
    pad.SetFiles(UserDataFolder(PadFolder(headset)), DefaultProfilePath(PadFolder(headset)));
    pad.SetLightGroup(PadLightGroup(headset));
}

ProfileList OpenPadProfileList(bool headset) {
    ProfileList list;
    list.SetDeviceKind(headset ? kDeviceHeadset : kDeviceMousePad);
    list.SetProfilePaths(UserDataFolder(PadFolder(headset)), DefaultProfilePath(PadFolder(headset)));
    list.InitProfileList();
    return list;
}

std::unique_ptr<PadSession> OpenPadSession(const GlobalOptions& options, const ProfileList& list, int& exitCode) {
    auto opened = options.headset ? OpenFirstHeadset(options, exitCode) : OpenFirstPad(options, exitCode);
    if (!opened) return nullptr;
    auto session = std::make_unique<PadSession>(std::move(opened), options.headset);
    if (const DeviceOutcome connected = session->pad.Connect(); !connected.Ok()) {
        exitCode = OutcomeResult(connected);
        return nullptr;
    }
    session->pad.UseProfile(list.GetSelectedUuid());
    session->pad.LoadProfile();
    exitCode = kExitOk;
    return session;
}

}  // namespace orvane::tool
