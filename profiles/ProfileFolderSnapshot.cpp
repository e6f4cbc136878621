#include "profiles/ProfileFolderSnapshot.h"

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/AtomicFile.h"
#include "platform/DebugLog.h"
#include "profiles/JsonFileStore.h"
#include "profiles/ProfileList.h"

namespace orvane {
namespace {

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool IsSnapshotName(const std::string& name) { return name == kProfileListFileName || EndsWith(name, ".Json"); }

// The names of the folder's files the snapshot covers.
std::vector<std::string> CoveredNames(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        std::error_code typeError;
        if (!entry.is_regular_file(typeError)) continue;
        const std::string name = entry.path().filename().string();
        if (IsSnapshotName(name)) names.push_back(name);
    }
    return names;
}

std::string Joined(const std::string& folder, const std::string& name) {
    return folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
}

}  // namespace

ProfileFolderSnapshot ProfileFolderSnapshot::Take(const std::string& folder) {
    ProfileFolderSnapshot snapshot;
    snapshot.folder_ = folder;
    for (const std::string& name : CoveredNames(folder)) {
        std::string content;
        if (ReadWholeFile(Joined(folder, name), content, kMaxDataFileBytes)) snapshot.files_.emplace(name, std::move(content));
    }
    return snapshot;
}

bool ProfileFolderSnapshot::Restore() const {
    bool ok = true;
    for (const std::string& name : CoveredNames(folder_)) {
        if (files_.count(name) == 0 && std::remove(Joined(folder_, name).c_str()) != 0) ok = false;
    }
    for (const auto& [name, content] : files_) {
        const std::string path = Joined(folder_, name);
        std::string now;
        if (ReadWholeFile(path, now, kMaxDataFileBytes) && now == content) continue;
        if (!WriteFileAtomically(path, content)) ok = false;
    }
    if (!ok) DebugLog("profile folder " + folder_ + " could not be put back as it was");
    return ok;
}

}  // namespace orvane
