#include "profiles/LanguageList.h"

#include "platform/DebugLog.h"
#include "profiles/JsonFields.h"
#include "profiles/JsonFileStore.h"
#include "profiles/ProfilePaths.h"

namespace orvane {
namespace {

const char* Reason(JsonFileStatus status) {
    switch (status) {
        case JsonFileStatus::kNoContent: return "missing or empty";
        case JsonFileStatus::kUnreadable: return "unreadable";
        case JsonFileStatus::kUnparsable: return "not JSON";
        case JsonFileStatus::kParsed: break;
    }
    return "holds no \"Language\" array";
}

}  // namespace

std::string LanguageListPath() {
    return DefaultDataFolder() + "Language.config";
}

std::vector<LanguageEntry> ReadLanguageList(const std::string& path) {
    const JsonFileResult file = JsonFileStore().ReadJsonChecked(path);
    const Json::Value& languages = json::Member(file.value, "Language");
    if (!languages.isArray()) {
        DebugLog("language list " + path + ": " + Reason(file.status));
        return {};
    }
    std::vector<LanguageEntry> list;
    for (Json::ArrayIndex i = 0; i < languages.size(); ++i) {
        const Json::Value& element = languages[i];
        LanguageEntry entry;
        entry.id = json::Int32Of(json::Member(element, "Language_ID"));
        entry.name = json::TextOf(json::Member(element, "Language_name"));
        entry.file = json::TextOf(json::Member(element, "Language_file"));
        entry.text = json::TextOf(json::Member(element, "Language_text"));
        // The file is loaded from the skin folder; a name from the file must not lead out of it.
        if (!entry.file.empty() && !IsPlainFileName(entry.file)) {
            DebugLog("language list " + path + ": element " + std::to_string(i) + " names the file \"" +
                     entry.file + "\", which is not a bare file name; ignored");
            entry.file.clear();
        }
        list.push_back(std::move(entry));
    }
    return list;
}

}  // namespace orvane
