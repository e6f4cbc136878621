#include "profiles/ProfileExchange.h"

#include "platform/AtomicFile.h"
#include "platform/DebugLog.h"
#include "profiles/JsonFields.h"
#include "profiles/ProfileDocumentCheck.h"

namespace orvane {
namespace {

using Problem = ProfileExchangeProblem;

constexpr const char* kNameKey = "profilename";
constexpr const char* kUuidKey = "profileUUID";

ProfileExchangeResult Refused(Problem problem, std::string detail = {}) {
    ProfileExchangeResult result;
    result.problem = problem;
    result.detail = std::move(detail);
    return result;
}

// The document object of a profile file, or null.
const Json::Value& DocumentOf(const Json::Value& root) { return json::Element(json::Member(root, "Device"), 0); }

// What every profile file has: a root object with its document and, unless `namesFromList`,
// both names (their values are replaced on import and taken from the list on export).
ProfileExchangeResult CheckProfileRoot(const Json::Value& root, bool needsNames) {
    if (!root.isObject()) return Refused(Problem::kNotAProfile, "the file holds no JSON object");
    if (needsNames && (json::Member(root, kNameKey).isNull() || json::Member(root, kUuidKey).isNull())) {
        return Refused(Problem::kNotAProfile, "\"profilename\" or \"profileUUID\" is missing");
    }
    if (!DocumentOf(root).isObject()) return Refused(Problem::kNotAProfile, "\"Device\"[0] is not a profile document");
    return {};
}

ProfileExchangeResult CheckDocument(const Json::Value& root) {
    if (const auto damage = FindProfileDocumentDamage(DocumentOf(root))) {
        return Refused(Problem::kDamaged, damage->member + " should be " + damage->expected);
    }
    return {};
}

}  // namespace

std::string ImportedProfileName(std::string_view path) {
    const size_t slash = path.find_last_of('/');
    const std::string_view file = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const size_t dot = file.find_last_of('.');
    if (dot == std::string_view::npos || dot == 0) return std::string(file);
    return std::string(file.substr(0, dot));
}

ProfileExchangeResult CheckProfileFile(const std::string& path, int deviceKind, Json::Value& root, bool needsNames) {
    root = Json::Value();
    std::string text;
    if (!ReadWholeFile(path, text, kMaxProfileFileBytes)) {
        return Refused(Problem::kUnreadable, path + " cannot be read, or is larger than a profile can be");
    }
    Json::Value parsed;
    if (!ParseJsonText(text, parsed)) return Refused(Problem::kNotAProfile, "the file is not JSON");
    if (auto r = CheckProfileRoot(parsed, needsNames); !r.Done()) return r;
    const bool dpiStages = HasDpiStages(DocumentOf(parsed));
    if ((deviceKind == kDeviceKeyboard && dpiStages) || (deviceKind == kDeviceMouse && !dpiStages)) {
        return Refused(Problem::kWrongDeviceKind, dpiStages ? "the profile has DPI stages: it is a mouse profile"
                                                            : "the profile has no DPI stages: it is a keyboard profile");
    }
    if (auto r = CheckDocument(parsed); !r.Done()) return r;
    root = std::move(parsed);
    return {};
}

ProfileExchangeResult ImportProfile(ProfileList& list, const std::string& path) {
    Json::Value root;
    ProfileExchangeResult result = CheckProfileFile(path, list.DeviceKind(), root);
    if (!result.Done()) return result;
    const ProfileListResult added = list.ImportProfile(ImportedProfileName(path), std::move(root));
    if (!added.Changed()) return Refused(Problem::kNotWritten, list.ListPath());
    result.name = list.SelectedName();
    DebugLog("profile import: " + path + " as " + result.name);
    return result;
}

ProfileExchangeResult ExportProfile(const ProfileList& list, int index, const std::string& path) {
    if (index < 0 || static_cast<size_t>(index) >= list.Entries().size()) return Refused(Problem::kNoProfile);
    const ProfileEntry& entry = list.Entries()[static_cast<size_t>(index)];
    const std::string stored = list.ProfilePathOf(entry.uuid);
    const JsonFileStore store;
    JsonFileResult file = store.ReadJsonChecked(stored);
    if (file.status == JsonFileStatus::kNoContent || file.status == JsonFileStatus::kUnreadable) {
        return Refused(Problem::kUnreadable, stored + " cannot be read");
    }
    if (file.status == JsonFileStatus::kUnparsable) return Refused(Problem::kNotAProfile, stored + " is not JSON");
    Json::Value& root = file.value;
    if (auto r = CheckProfileRoot(root, false); !r.Done()) return r;
    if (auto r = CheckDocument(root); !r.Done()) return r;
    // A stored file keeps the list's names, but one recreated from the defaults may lack them,
    // and without them the export could never be imported.
    root[kNameKey] = ToProfileText(entry.name);
    root[kUuidKey] = entry.uuid;
    if (store.wirtejsonFile(path, root) != 0) return Refused(Problem::kNotWritten, path);
    ProfileExchangeResult result;
    result.name = entry.name;
    return result;
}

const char* ProfileExchangeMessage(ProfileExchangeProblem problem) {
    switch (problem) {
        case Problem::kNone:
        case Problem::kNoProfile: return nullptr;
        case Problem::kUnreadable: return "message_text_9_1";
        case Problem::kNotAProfile: return "message_text_9_2";
        case Problem::kWrongDeviceKind: return "message_text_9";
        case Problem::kDamaged: return "message_text_9_3";
        case Problem::kNotWritten: return "message_text_9_4";
    }
    return nullptr;
}

std::string DescribeProfileExchange(const ProfileExchangeResult& result) {
    std::string what;
    switch (result.problem) {
        case Problem::kNone: return "done";
        case Problem::kUnreadable: what = "the file cannot be read"; break;
        case Problem::kNotAProfile: what = "not a profile"; break;
        case Problem::kWrongDeviceKind: what = "a profile of another kind of device"; break;
        case Problem::kDamaged: what = "the profile holds a value no profile holds"; break;
        case Problem::kNoProfile: what = "no such profile"; break;
        case Problem::kNotWritten: what = "a file could not be written"; break;
    }
    return result.detail.empty() ? what : what + ": " + result.detail;
}

}  // namespace orvane
