#include "profiles/ProfileChangeGuard.h"

#include <utility>

namespace orvane {

void ProfileChangeGuard::Arm(const std::string& profileFolder) {
    if (before_) return;
    std::optional<PointerSettingsValues> desktop;
    if (desktop_ != nullptr) desktop = ReadPointerSettings(*desktop_);
    before_ = Before{ProfileFolderSnapshot::Take(profileFolder), std::move(desktop)};
}

void ProfileChangeGuard::Disarm() {
    if (outstanding_ == 0) before_.reset();
}

void ProfileChangeGuard::Begin(const std::string& profileFolder) {
    Arm(profileFolder);
    ++outstanding_;
}

ProfileChangeGuard::End ProfileChangeGuard::Finish(const DeviceOutcome& written) {
    failed_ = failed_ || Failed(written);
    if (outstanding_ > 0 && --outstanding_ > 0) return End::kPending;
    const bool failed = failed_;
    failed_ = false;
    std::optional<Before> before = std::exchange(before_, std::nullopt);
    if (!failed) return End::kKept;
    if (!before) return End::kPutBackFailed;
    const bool folderBack = before->folder.Restore();
    const bool desktopBack = !before->desktop || WritePointerSettings(*desktop_, *before->desktop);
    return folderBack && desktopBack ? End::kPutBack : End::kPutBackFailed;
}

}  // namespace orvane
