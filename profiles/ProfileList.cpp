#include "profiles/ProfileList.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <set>
#include <tuple>
#include <sys/stat.h>
#include <thread>

#include "platform/DebugLog.h"
#include "profiles/JsonFields.h"
#include "profiles/ProfilePaths.h"

namespace orvane {
namespace {

using json::Member;

constexpr const char* kListKey = "profilelist";
constexpr const char* kSelectKey = "profileselect";
constexpr const char* kNameKey = "profilename";
constexpr const char* kUuidKey = "profileUUID";
constexpr const char* kLinkKey = "profileislink";
constexpr const char* kLinkNameKey = "profilelinkmame";
constexpr const char* kFirstProfileName = "Profile1";
// Time stamps have millisecond resolution: a name already taken is retried this many times,
// a millisecond apart, before a counter is appended.
constexpr int kFreshStampAttempts = 20;

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

char FoldCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    }
    return true;
}

bool HasWhiteSpace(const std::string& text) { return text.find_first_of(" \t\n\r\v\f") != std::string::npos; }

// The document object a new profile file starts from: objects only, anything else is empty.
Json::Value AsObject(Json::Value value) {
    return value.isObject() ? std::move(value) : Json::Value(Json::objectValue);
}

const Json::Value& DocumentOf(const Json::Value& root) { return json::Element(Member(root, "Device"), 0); }

}  // namespace

ProfileList::ProfileList(TimeStampSource timeStamps) : timeStamps_(std::move(timeStamps)) {
    if (!timeStamps_) timeStamps_ = [] { return JsonFileStore().MakeTimeStampName(); };
}

void ProfileList::SetProfilePaths(const std::string& userDataFolder, const std::string& defaultProfilePath) {
    folder_ = userDataFolder;
    if (!folder_.empty() && folder_.back() != '/') folder_ += '/';
    defaultProfilePath_ = defaultProfilePath;
}

std::string ProfileList::ListPath() const { return folder_ + kProfileListFileName; }

std::string ProfileList::ProfilePathOf(const std::string& uuid) const {
    return FileInFolder(folder_, uuid, kProfileExtension).value_or(std::string());
}

std::string ProfileList::SelectedName() const { return selected_ < 0 ? std::string() : entries_[selected_].name; }

std::string ProfileList::SelectedProfilePath() const {
    return selected_ < 0 ? std::string() : ProfilePathOf(selectedUuid_);
}

void ProfileList::InitProfileList() {
    if (folder_.empty()) return;
    entries_.clear();
    selected_ = -1;
    selectedUuid_.clear();
    if (!LoadList()) CreateFirstProfile();
}

bool ProfileList::LoadList() {
    const std::string path = ListPath();
    JsonFileResult file = store_.ReadJsonChecked(path);
    const bool missing = file.status == JsonFileStatus::kNoContent;

    std::vector<ProfileEntry> entries;
    bool damaged = !missing && (file.status != JsonFileStatus::kParsed || !file.value.isObject());
    const Json::Value& list = Member(file.value, kListKey);
    damaged = damaged || (!missing && !list.isArray());
    std::set<std::string> uuids;
    for (Json::ArrayIndex i = 0; i < json::ArraySize(list); ++i) {
        const Json::Value& e = list[i];
        std::string uuid = json::TextOf(Member(e, kUuidKey));
        // The UUID becomes a file name, and two entries on one file would delete each other's.
        if (!IsPlainFileName(uuid) || !uuids.insert(uuid).second) {
            damaged = true;
            continue;
        }
        entries.push_back({FromProfileText(json::TextOf(Member(e, kNameKey))), uuid});
    }
    damaged = damaged || (!missing && entries.empty());
    // The stored selection counts among the list's own entries, not among adopted ones.
    const size_t ownEntries = entries.size();
    if (damaged) store_.KeepAside(path);
    // No profile file is hidden: those the list does not name (the list was lost or damaged, or
    // an add was interrupted between the profile file and the list) join it.
    for (auto& orphan : UnlistedProfiles(uuids)) entries.push_back(std::move(orphan));
    const bool adopted = entries.size() > ownEntries;
    if (entries.empty()) return false;

    entries_ = std::move(entries);
    const int64_t select = json::IntOf(Member(file.value, kSelectKey));
    const bool selectionFits = select >= 0 && select < static_cast<int64_t>(ownEntries);
    const int index = selectionFits ? static_cast<int>(select) : 0;
    Select(index);
    // A sound list is only read: reading the profiles changes no file.
    const bool selectionStored = Member(file.value, kSelectKey).isIntegral() && selectionFits;
    if (missing || damaged || adopted || !selectionStored) WriteListOver(std::move(file.value), entries_, index);
    return true;
}

std::vector<ProfileEntry> ProfileList::UnlistedProfiles(const std::set<std::string>& listed) const {
    struct Found {
        std::array<int, 7> stamp;  // the time stamp's fields; names that are no time stamp go last
        ProfileEntry entry;
    };
    std::vector<Found> found;
    std::error_code error;
    for (const auto& item : std::filesystem::directory_iterator(folder_, error)) {
        const std::string name = item.path().filename().string();
        const std::string_view extension = kProfileExtension;
        if (name.size() <= extension.size() || name.compare(name.size() - extension.size(), extension.size(), extension) != 0)
            continue;
        const std::string uuid = name.substr(0, name.size() - extension.size());
        if (!IsPlainFileName(uuid) || listed.count(uuid) != 0) continue;
        const JsonFileResult file = store_.ReadJsonChecked(folder_ + name);
        // Only what reads as a profile joins; anything else is left alone, never deleted.
        const Json::Value& root = file.value;
        if (file.status != JsonFileStatus::kParsed || !root.isObject() ||
            !(root.isMember("Device") || root.isMember(kUuidKey) || root.isMember(kNameKey)))
            continue;
        std::string shown = FromProfileText(json::TextOf(Member(root, kNameKey)));
        if (shown.empty()) shown = uuid;
        Found f{{}, {shown, uuid}};
        f.stamp.fill(std::numeric_limits<int>::max());
        int fields[7];
        char tail = 0;
        if (std::sscanf(uuid.c_str(), "%d_%d_%d_%d_%d_%d_%d%c", &fields[0], &fields[1], &fields[2], &fields[3],
                        &fields[4], &fields[5], &fields[6], &tail) == 7) {
            std::copy(std::begin(fields), std::end(fields), f.stamp.begin());
        }
        DebugLog("profile list: adopting the profile file " + name);
        found.push_back(std::move(f));
    }
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        return std::tie(a.stamp, a.entry.uuid) < std::tie(b.stamp, b.entry.uuid);
    });
    std::vector<ProfileEntry> entries;
    for (auto& f : found) entries.push_back(std::move(f.entry));
    return entries;
}

void ProfileList::CreateFirstProfile() {
    ProfileEntry first{kFirstProfileName, NewUuid()};
    entries_ = {first};
    Select(0);
    WriteList(entries_, 0);
    WriteProfileFile(first.uuid, store_.ReadJsonValue(defaultProfilePath_), first.name);
}

bool ProfileList::UuidTaken(const std::string& uuid) const {
    if (!IsPlainFileName(uuid) || FileExists(ProfilePathOf(uuid))) return true;
    for (const auto& e : entries_) {
        if (e.uuid == uuid) return true;
    }
    return false;
}

std::string ProfileList::NewUuid() const {
    for (int attempt = 0; attempt < kFreshStampAttempts; ++attempt) {
        std::string uuid = timeStamps_();
        if (!UuidTaken(uuid)) return uuid;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    std::string base = timeStamps_();
    if (!IsPlainFileName(base)) base = "profile";
    std::string uuid = base;
    for (int n = 1; UuidTaken(uuid); ++n) uuid = base + "_" + std::to_string(n);
    return uuid;
}

bool ProfileList::NameInUse(const std::string& name, int except) const {
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (static_cast<int>(i) != except && EqualIgnoringCase(entries_[i].name, name)) return true;
    }
    return false;
}

void ProfileList::Select(int index) {
    selected_ = index;
    selectedUuid_ = entries_[index].uuid;
}

bool ProfileList::WriteList(const std::vector<ProfileEntry>& entries, int selected) const {
    return WriteListOver(store_.ReadJsonValue(ListPath()), entries, selected);
}

bool ProfileList::WriteListOver(Json::Value base, const std::vector<ProfileEntry>& entries, int selected) const {
    Json::Value root = AsObject(std::move(base));
    const Json::Value previous = Member(root, kListKey);
    Json::Value list(Json::arrayValue);
    for (const auto& entry : entries) {
        Json::Value element(Json::objectValue);
        for (Json::ArrayIndex i = 0; i < json::ArraySize(previous); ++i) {
            if (previous[i].isObject() && json::TextOf(Member(previous[i], kUuidKey)) == entry.uuid) {
                element = previous[i];
                break;
            }
        }
        element[kNameKey] = ToProfileText(entry.name);
        element[kUuidKey] = entry.uuid;
        element[kLinkKey] = 0;
        element[kLinkNameKey] = "";
        list.append(std::move(element));
    }
    root[kListKey] = std::move(list);
    root[kSelectKey] = selected;
    return store_.wirtejsonFile(ListPath(), root) == 0;
}

bool ProfileList::WriteProfileFile(const std::string& uuid, Json::Value document, const std::string& name) const {
    Json::Value root = AsObject(std::move(document));
    root[kNameKey] = ToProfileText(name);
    root[kUuidKey] = uuid;
    return store_.wirtejsonFile(ProfilePathOf(uuid), root) == 0;
}

ProfileListResult ProfileList::SelectProfile(int index) {
    if (index < 0 || index >= static_cast<int>(entries_.size())) return {};
    Select(index);
    WriteList(entries_, index);
    return {ProfileListOutcome::kChanged};
}

ProfileListResult ProfileList::AppendProfile(const std::string& name, Json::Value document) {
    const ProfileEntry entry{name, NewUuid()};
    // The file first: the list never names a profile whose content failed to be written.
    if (!WriteProfileFile(entry.uuid, std::move(document), name)) return {ProfileListOutcome::kFailed};
    std::vector<ProfileEntry> entries = entries_;
    entries.push_back(entry);
    const int index = static_cast<int>(entries.size()) - 1;
    if (!WriteList(entries, index)) {
        std::remove(ProfilePathOf(entry.uuid).c_str());
        return {ProfileListOutcome::kFailed};
    }
    entries_ = std::move(entries);
    Select(index);
    return {ProfileListOutcome::kChanged};
}

ProfileListResult ProfileList::AddProfile() {
    if (folder_.empty() || entries_.size() >= kMaxAddedProfiles) return {};
    std::string name;
    for (int n = 1;; ++n) {
        name = "Profile" + std::to_string(n);
        if (!NameInUse(name, -1)) break;
    }
    return AppendProfile(name, store_.ReadJsonValue(defaultProfilePath_));
}

ProfileListResult ProfileList::ImportProfile(const std::string& requested, Json::Value root) {
    if (folder_.empty()) return {};
    std::string name = ToProfileText(requested);
    for (int k = 1; NameInUse(name, -1); ++k) name += "(" + std::to_string(k) + ")";
    return AppendProfile(name, std::move(root));
}

ProfileListResult ProfileList::CopyProfile() {
    if (selected_ < 0) return {};
    std::string name = entries_[selected_].name + " copy";
    while (NameInUse(name, -1)) name += " copy";
    return AppendProfile(name, store_.ReadJsonValue(SelectedProfilePath()));
}

ProfileListResult ProfileList::DeleteProfile() {
    if (selected_ < 0 || entries_.size() < 2) return {};
    const int next = selected_ == 0 ? 0 : selected_ - 1;
    const std::string removedPath = SelectedProfilePath();
    std::vector<ProfileEntry> entries = entries_;
    entries.erase(entries.begin() + selected_);
    // The list first: a profile file is only deleted once no list names it.
    if (!WriteList(entries, next)) return {ProfileListOutcome::kFailed};
    std::remove(removedPath.c_str());
    entries_ = std::move(entries);
    Select(next);
    return {ProfileListOutcome::kChanged};
}

ProfileListResult ProfileList::RenameProfile(const std::string& requested) {
    const std::string name = ToProfileText(requested);
    if (name.empty()) return {ProfileListOutcome::kRejected, ProfileNameRefusal::kEmpty};
    if (HasWhiteSpace(name)) return {ProfileListOutcome::kRejected, ProfileNameRefusal::kHasWhiteSpace};
    if (selected_ < 0) return {};
    if (NameInUse(name, selected_)) return {ProfileListOutcome::kRejected, ProfileNameRefusal::kTaken};

    std::vector<ProfileEntry> entries = entries_;
    entries[selected_].name = name;
    if (!WriteList(entries, selected_)) return {ProfileListOutcome::kFailed};
    entries_ = std::move(entries);

    const std::string path = SelectedProfilePath();
    JsonFileResult file = store_.ReadJsonChecked(path);
    const bool usable = file.status == JsonFileStatus::kNoContent ||
                        (file.status == JsonFileStatus::kParsed && file.value.isObject());
    if (!usable) store_.KeepAside(path);
    // A profile without "Device" is filled from the default profile when it is loaded.
    WriteProfileFile(selectedUuid_, usable ? std::move(file.value) : Json::Value(), name);
    return {ProfileListOutcome::kChanged};
}

ProfileListResult ProfileList::ResetProfile() {
    if (selected_ < 0) return {};
    Json::Value root = store_.ReadJsonValue(defaultProfilePath_);
    if (!DocumentOf(root).isObject()) return {ProfileListOutcome::kFailed};
    if (deviceKind_ == kDeviceHeadset) {
        const Json::Value current = DocumentOf(store_.ReadJsonValue(SelectedProfilePath()));
        Json::Value& document = root["Device"][0];
        for (const char* key : {"CustomEQNameInfo", "CustomEQHzValueInfo"}) {
            const Json::Value& kept = Member(current, key);
            if (!kept.isNull()) document[key] = kept;
        }
    }
    if (!WriteProfileFile(selectedUuid_, std::move(root), SelectedName())) return {ProfileListOutcome::kFailed};
    return {ProfileListOutcome::kChanged};
}

}  // namespace orvane
