// `orvanectl macros`: the macro files of the mouse's user data folder, as the macro panel keeps
// them: the index "macro.config" and one ".mac" file per macro. Nothing here talks to the mouse;
// `write-macros` (or `keys set` with a macro) puts them into it.
#include <json/json.h>

#include <cstdio>
#include <filesystem>
#include <iostream>

#include "platform/AtomicFile.h"
#include "profiles/JsonFileStore.h"
#include "profiles/MacroFile.h"
#include "profiles/MacroSteps.h"
#include "profiles/ProfilePaths.h"
#include "tools/orvanectl/Commands.h"

namespace orvane::tool {
namespace {

constexpr const char* kUsage =
    "usage: orvanectl macros list [--json] | show NAME [--json] | add NAME | rename NAME NEWNAME | delete NAME |\n"
    "       import FILE [NAME] | export NAME FILE";
constexpr size_t kMaxMacroFileBytes = 8u << 20;

struct MacroFolder {
    std::string folder = UserDataFolder("mouse");
    std::string IndexPath() const { return folder + kMacroIndexFileName; }
    std::vector<MacroIndexEntry> entries = ReadMacroIndex(IndexPath()).value_or(std::vector<MacroIndexEntry>{});

    std::optional<size_t> Find(const std::string& name) const {
        for (size_t i = 0; i < entries.size(); ++i)
            if (SameNameIgnoringCase(entries[i].MacroName, name)) return i;
        return std::nullopt;
    }
    std::string FileOf(size_t i) const { return MacroFilePath(folder, entries[i].Guid).value_or(std::string()); }
    bool Save() const { return WriteMacroIndex(IndexPath(), entries); }
};

void PrintJson(const Json::Value& document) {
    Json::StreamWriterBuilder writer;
    writer["indentation"] = "  ";
    std::cout << Json::writeString(writer, document) << "\n";
}

int List(const MacroFolder& macros, bool json) {
    Json::Value document(Json::objectValue);
    document["macros"] = Json::Value(Json::arrayValue);
    for (size_t i = 0; i < macros.entries.size(); ++i) {
        const std::string file = macros.FileOf(i);
        const size_t steps = file.empty() ? 0 : ReadMacroFile(file).Events.size();
        if (!json) {
            std::printf("%2zu  %-24s %5zu steps  %s\n", i, macros.entries[i].MacroName.c_str(), steps, macros.entries[i].Guid.c_str());
            continue;
        }
        Json::Value item(Json::objectValue);
        item["number"] = static_cast<Json::UInt>(i);
        item["name"] = macros.entries[i].MacroName;
        item["guid"] = macros.entries[i].Guid;
        item["steps"] = static_cast<Json::UInt>(steps);
        document["macros"].append(std::move(item));
    }
    if (json) PrintJson(document);
    return kExitOk;
}

int Show(const MacroFolder& macros, size_t i, bool json) {
    const std::string file = macros.FileOf(i);
    const MacroFile macro = file.empty() ? MacroFile{} : ReadMacroFile(file);
    if (json) {
        Json::Value document(Json::objectValue);
        document["name"] = macros.entries[i].MacroName;
        document["guid"] = macros.entries[i].Guid;
        document["events"] = Json::Value(Json::arrayValue);
        for (const MacroEvent& e : macro.Events) document["events"].append(MacroEventToJson(e));
        PrintJson(document);
        return kExitOk;
    }
    for (const MacroEvent& e : macro.Events) {
        const StepLook look = LookOfStep(e);
        std::printf("%-5s %-4s %-28s %5d ms\n", e.Action.c_str(), e.Type == 9 || e.Type == 10 ? "key" : "mouse",
                    look.nameKey.empty() ? std::to_string(e.Button).c_str() : look.nameKey.c_str(), ShownDelay(e));
    }
    return kExitOk;
}

// A new index entry named `name`; its identifier, or nullopt (with the message printed).
std::optional<std::string> Add(MacroFolder& macros, const std::string& name, int& code) {
    if (name.empty()) {
        code = Fail(kExitUsage, "a macro needs a name");
        return std::nullopt;
    }
    if (macros.Find(name)) {
        code = Fail(kExitFailure, "a macro named " + name + " exists already");
        return std::nullopt;
    }
    if (macros.entries.size() >= static_cast<size_t>(kMaxMacros)) {
        code = Fail(kExitFailure, "the mouse keeps 50 macros at most");
        return std::nullopt;
    }
    const std::string guid = JsonFileStore().MakeTimeStampName();
    macros.entries.push_back({name, guid});
    if (!macros.Save()) {
        code = Fail(kExitFailure, "cannot write " + macros.IndexPath());
        return std::nullopt;
    }
    return guid;
}

}  // namespace

int MacrosCommand(const GlobalOptions&, const Args& args) {
    if (args.empty()) return Fail(kExitUsage, kUsage);
    MacroFolder macros;
    const std::string& verb = args[0];
    const bool json = args.back() == "--json";
    const size_t plain = args.size() - (json ? 1 : 0);
    auto named = [&](const std::string& name) -> std::optional<size_t> {
        const auto i = macros.Find(name);
        if (!i) Fail(kExitFailure, "no macro named " + name);
        return i;
    };
    int code = kExitOk;
    if (verb == "list" && plain == 1) return List(macros, json);
    if (verb == "show" && plain == 2) {
        const auto i = named(args[1]);
        return i ? Show(macros, *i, json) : kExitFailure;
    }
    if (json) return Fail(kExitUsage, kUsage);
    if (verb == "add" && args.size() == 2) {
        const auto guid = Add(macros, args[1], code);
        if (!guid) return code;
        MacroFile empty;
        empty.Guid = *guid;
        empty.MacroName = args[1];
        if (!WriteMacroFile(macros.folder + *guid + kMacroExtension, empty)) return Fail(kExitFailure, "cannot write the macro file");
        return List(macros, false);
    }
    if (verb == "rename" && args.size() == 3) {
        const auto i = named(args[1]);
        if (!i) return kExitFailure;
        if (const auto other = macros.Find(args[2]); other && *other != *i) return Fail(kExitFailure, "a macro named " + args[2] + " exists already");
        if (args[2].empty()) return Fail(kExitUsage, "a macro needs a name");
        macros.entries[*i].MacroName = args[2];
        return macros.Save() ? List(macros, false) : Fail(kExitFailure, "cannot write " + macros.IndexPath());
    }
    if (verb == "delete" && args.size() == 2) {
        const auto i = named(args[1]);
        if (!i) return kExitFailure;
        std::error_code ignored;
        if (const std::string file = macros.FileOf(*i); !file.empty()) std::filesystem::remove(file, ignored);
        macros.entries.erase(macros.entries.begin() + static_cast<std::ptrdiff_t>(*i));
        return macros.Save() ? List(macros, false) : Fail(kExitFailure, "cannot write " + macros.IndexPath());
    }
    if (verb == "import" && (args.size() == 2 || args.size() == 3)) {
        std::string content;
        if (!ReadWholeFile(args[1], content, kMaxMacroFileBytes)) return Fail(kExitFailure, "cannot read " + args[1]);
        Json::Value root;
        if (!Json::Reader().parse(content, root) || !CheckedMacroDocument(root)) {
            return Fail(kExitFailure, args[1] + " is not a macro file; nothing was changed");
        }
        std::vector<std::string> names;
        for (const auto& e : macros.entries) names.push_back(e.MacroName);
        const auto guid = Add(macros, args.size() == 3 ? args[2] : NextMacroName(names), code);
        if (!guid) return code;
        if (!WriteFileAtomically(macros.folder + *guid + kMacroExtension, content)) return Fail(kExitFailure, "cannot write the macro file");
        return List(macros, false);
    }
    if (verb == "export" && args.size() == 3) {
        const auto i = named(args[1]);
        if (!i) return kExitFailure;
        std::string content;
        if (macros.FileOf(*i).empty() || !ReadWholeFile(macros.FileOf(*i), content, kMaxMacroFileBytes)) {
            return Fail(kExitFailure, "the macro " + args[1] + " has no file to export");
        }
        return WriteFileAtomically(args[2], content) ? kExitOk : Fail(kExitFailure, "cannot write " + args[2]);
    }
    return Fail(kExitUsage, kUsage);
}

}  // namespace orvane::tool
