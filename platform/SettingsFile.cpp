#include "platform/SettingsFile.h"

#include <exception>
#include <sstream>

#include "platform/AtomicFile.h"
#include "platform/DebugLog.h"
#include "platform/UserFolders.h"

namespace orvane {

Json::Value ReadSettingsFile(const std::string& path) {
    std::string text;
    if (!ReadWholeFile(path, text, 1u << 20)) return Json::Value(Json::objectValue);
    Json::CharReaderBuilder builder;
    Json::Value root;
    std::string errors;
    std::istringstream in(text);
    try {
        if (!Json::parseFromStream(builder, in, &root, &errors) || !root.isObject()) {
            DebugLog("settings file: ignoring malformed " + path);
            return Json::Value(Json::objectValue);
        }
    } catch (const std::exception&) {
        return Json::Value(Json::objectValue);
    }
    return root;
}

int ReadSettingsInt(const std::string& path, const char* key, int fallback, bool (*valid)(int)) {
    Json::Value root = ReadSettingsFile(path);
    const Json::Value* v = root.find(key, key + std::char_traits<char>::length(key));
    if (v == nullptr || !v->isInt()) return fallback;
    int value = v->asInt();
    return valid(value) ? value : fallback;
}

bool StoreSetting(const std::string& path, const char* key, const Json::Value& value) {
    Json::Value root = ReadSettingsFile(path);
    root[key] = value;
    auto slash = path.rfind('/');
    if (slash != std::string::npos && slash > 0 && !MakeFolders(path.substr(0, slash))) return false;
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "   ";
    builder["emitUTF8"] = true;
    return WriteFileAtomically(path, Json::writeString(builder, root) + "\n");
}

}  // namespace orvane
