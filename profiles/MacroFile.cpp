#include "profiles/MacroFile.h"

#include "platform/DebugLog.h"
#include "profiles/JsonFields.h"
#include "profiles/JsonFileStore.h"

namespace orvane {

using json::Member;

int32_t MacroEvent::DelayMilliseconds() const { return json::ParseDecimal(Delay); }

MacroEvent MacroEventFromJson(const Json::Value& value) {
    MacroEvent e;
    e.Action = json::TextOf(Member(value, "Action"));
    e.Button = json::Int32Of(Member(value, "Button"));
    e.Type = json::Int32Of(Member(value, "Type"));
    e.Delay = json::DecimalTextOf(Member(value, "Delay"));
    return e;
}

Json::Value MacroEventToJson(const MacroEvent& event) {
    Json::Value v(Json::objectValue);
    v["Action"] = event.Action;
    v["Button"] = event.Button;
    v["Delay"] = std::to_string(event.DelayMilliseconds());
    v["Type"] = event.Type;
    return v;
}

std::optional<std::vector<MacroIndexEntry>> ReadMacroIndex(const std::string& path) {
    Json::Value root = JsonFileStore().ReadJsonValue(path);
    if (root.isNull()) return std::nullopt;
    std::vector<MacroIndexEntry> entries;
    const Json::Value& info = Member(root, "MacroInfo");
    for (Json::ArrayIndex i = 0; i < json::ArraySize(info); ++i) {
        entries.push_back({FromProfileText(json::TextOf(Member(info[i], "MacroName"))),
                           json::TextOf(Member(info[i], "Guid"))});
    }
    return entries;
}

bool WriteMacroIndex(const std::string& path, const std::vector<MacroIndexEntry>& entries) {
    JsonFileStore store;
    Json::Value root = store.ReadJsonValue(path);
    if (!root.isObject()) root = Json::Value(Json::objectValue);
    Json::Value info(Json::arrayValue);
    for (const auto& e : entries) {
        Json::Value entry(Json::objectValue);
        entry["MacroName"] = ToProfileText(e.MacroName);
        entry["Guid"] = e.Guid;
        info.append(std::move(entry));
    }
    root["MacroInfo"] = std::move(info);
    return store.wirtejsonFile(path, root) == 0;
}

std::optional<std::string> MacroFilePath(const std::string& folder, const std::string& guid) {
    auto path = FileInFolder(folder, guid, kMacroExtension);
    if (!path && !guid.empty()) DebugLog("macro: ignoring macro identifier " + guid);
    return path;
}

MacroFile ReadMacroFile(const std::string& path) {
    Json::Value root = JsonFileStore().ReadJsonValue(path);
    MacroFile macro;
    const Json::Value& events = Member(root, "Events");
    for (Json::ArrayIndex i = 0; i < json::ArraySize(events); ++i) {
        macro.Events.push_back(MacroEventFromJson(events[i]));
    }
    macro.Guid = json::TextOf(Member(root, "Guid"));
    macro.MacroName = FromProfileText(json::TextOf(Member(root, "MacroName")));
    if (root.isObject()) macro.Version = json::Int32Of(Member(root, "Version"));
    return macro;
}

bool WriteMacroFile(const std::string& path, const MacroFile& macro) {
    Json::Value root(Json::objectValue);
    Json::Value events(Json::arrayValue);
    for (const auto& e : macro.Events) events.append(MacroEventToJson(e));
    root["Events"] = std::move(events);
    root["Guid"] = macro.Guid;
    root["MacroName"] = ToProfileText(macro.MacroName);
    root["Version"] = macro.Version;
    return JsonFileStore().wirtejsonFile(path, root) == 0;
}

std::optional<std::vector<DeviceMacro>> ReadDeviceMacros(const std::string& userDataFolder,
                                                         const std::string& indexName) {
    std::string folder = userDataFolder;
    if (!folder.empty() && folder.back() != '/') folder += '/';
    auto index = ReadMacroIndex(folder + indexName);
    if (!index) return std::nullopt;
    std::vector<DeviceMacro> macros;
    for (auto& entry : *index) {
        DeviceMacro macro{std::move(entry), {}};
        if (auto path = MacroFilePath(folder, macro.entry.Guid)) macro.events = ReadMacroFile(*path).Events;
        macros.push_back(std::move(macro));
    }
    return macros;
}

}  // namespace orvane
