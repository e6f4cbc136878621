#include "tools/orvanectl/MouseSession.h"

#include "profiles/ProfilePaths.h"

namespace orvane::tool {
namespace {
constexpr const char* kMouseFolder = "mouse";
}

MouseSession::MouseSession(std::unique_ptr<OpenedDevice> mouseOpened)
    : opened(std::move(mouseOpened)), desktop(CreateSystemMouseSettings()), mouse(*opened->channel, *desktop) {
    mouse.SetFiles(UserDataFolder(kMouseFolder), DefaultProfilePath(kMouseFolder));
}

ProfileList OpenMouseProfileList() {
    ProfileList list;
    list.SetDeviceKind(kDeviceMouse);
    list.SetProfilePaths(UserDataFolder(kMouseFolder), DefaultProfilePath(kMouseFolder));
    list.InitProfileList();
    return list;
}

std::unique_ptr<MouseSession> OpenMouseSession(const GlobalOptions& options, const ProfileList& list, int& exitCode) {
    auto opened = OpenFirstMouse(options, exitCode);
    if (!opened) return nullptr;
    auto session = std::make_unique<MouseSession>(std::move(opened));
    if (const DeviceOutcome connected = session->mouse.Connect(); !connected.Ok()) {
        exitCode = OutcomeResult(connected);
        return nullptr;
    }
    session->mouse.UseProfile(list.GetSelectedUuid());
    session->mouse.LoadProfile();
    exitCode = kExitOk;
    return session;
}

int OutcomeResult(const DeviceOutcome& outcome) {
    switch (outcome.kind) {
        case DeviceOutcome::Kind::kDone:
        case DeviceOutcome::Kind::kPending: return kExitOk;
        case DeviceOutcome::Kind::kRefused:
            return Fail(outcome.excess > 0 ? kExitDoesNotFit : kExitUsage, outcome.reason);
        case DeviceOutcome::Kind::kDeviceFailed: break;
    }
    return NotAnswering(outcome.failure.command, outcome.failure.result, outcome.failure.detail);
}

}  // namespace orvane::tool
