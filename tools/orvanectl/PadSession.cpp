#include "tools/orvanectl/PadSession.h"

#include "device/DeviceCatalogue.h"
#include "profiles/ProfilePaths.h"
#include "tools/orvanectl/MouseSession.h"

namespace orvane::tool {
namespace {

const CatalogueEntry* PadEntry() {
    for (const CatalogueEntry& entry : Catalogue()) {
        if (entry.type == kDeviceMousePad) return &entry;
    }
    return nullptr;
}

}  // namespace

int PadLightGroup() { return PadEntry() != nullptr ? PadEntry()->deviceNumber : 0; }

const char* PadFolder() { return PadEntry() != nullptr ? PadEntry()->folderName : "MousePad"; }

PadSession::PadSession(std::unique_ptr<OpenedDevice> padOpened) : opened(std::move(padOpened)), pad(*opened->channel) {
    pad.SetFiles(UserDataFolder(PadFolder()), DefaultProfilePath(PadFolder()));
    pad.SetLightGroup(PadLightGroup());
}

ProfileList OpenPadProfileList() {
    ProfileList list;
    list.SetDeviceKind(kDeviceMousePad);
    list.SetProfilePaths(UserDataFolder(PadFolder()), DefaultProfilePath(PadFolder()));
    list.InitProfileList();
    return list;
}

std::unique_ptr<PadSession> OpenPadSession(const GlobalOptions& options, const ProfileList& list, int& exitCode) {
    auto opened = OpenFirstPad(options, exitCode);
    if (!opened) return nullptr;
    auto session = std::make_unique<PadSession>(std::move(opened));
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
