#include "tools/orvanectl/MouseSession.h"

#include "profiles/ProfilePaths.h"

namespace orvane::tool {
namespace {
constexpr const char* kMouseFolder = "mouse";
}

MouseSession::MouseSession(std::unique_ptr<OpenedMouse> opened)
    : mouse(std::move(opened)),
      device(*mouse->channel),
      desktop(CreateSystemMouseSettings()),
      parts{profile, *mouse->channel, device, *desktop},
      performance(parts),
      actions(parts, performance, UserDataFolder(kMouseFolder)) {
    profile.SetDefaultProfilePath(DefaultProfilePath(kMouseFolder));
}

ProfileList OpenMouseProfileList() {
    ProfileList list;
    list.SetDeviceKind(kDeviceKindMouse);
    list.SetProfilePaths(UserDataFolder(kMouseFolder), DefaultProfilePath(kMouseFolder));
    list.InitProfileList();
    return list;
}

std::unique_ptr<MouseSession> OpenMouseSession(const GlobalOptions& options, const ProfileList& list, int& exitCode) {
    auto opened = OpenFirstMouse(options, exitCode);
    if (!opened) return nullptr;
    auto session = std::make_unique<MouseSession>(std::move(opened));
    session->device.InitialRead();
    if (const auto& f = session->device.LastFailure(); f.command != nullptr) {
        exitCode = NotAnswering(f.command, f.result, f.detail);
        return nullptr;
    }
    session->profile.SetProfilePath(list.SelectedProfilePath());
    session->profile.SetLightConfigPath(UserDataFolder(kMouseFolder) + kMouseLightConfigName + ".config");
    session->actions.ReloadProfile();
    exitCode = kExitOk;
    return session;
}

}  // namespace orvane::tool
