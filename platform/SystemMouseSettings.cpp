#include "platform/SystemMouseSettings.h"

#include <json/json.h>

#include <exception>
#include <memory>
#include <sstream>

#include "platform/AtomicFile.h"
#include "platform/DebugLog.h"
#include "platform/GnomeMouseSettings.h"
#include "platform/UserFolders.h"

namespace orvane {
namespace {

constexpr const char* kPointerSpeedKey = "PointerSpeed";
constexpr const char* kPointerPrecisionKey = "PointerPrecision";
constexpr const char* kWheelScrollLinesKey = "WheelScrollLines";
constexpr const char* kDoubleClickTimeKey = "DoubleClickTime";

bool ValidSpeed(int v) { return v >= 1 && v <= 20; }
bool ValidLines(int v) {
    return v == kWheelPageScroll || (v >= 0 && v <= FileSystemMouseSettings::kMaxWheelScrollLines);
}
bool ValidDoubleClick(int v) {
    return v >= FileSystemMouseSettings::kMinDoubleClickTime && v <= FileSystemMouseSettings::kMaxDoubleClickTime;
}

// The stored object, or an empty one when the file is missing or not a JSON object.
Json::Value ReadStore(const std::string& path) {
    std::string text;
    if (!ReadWholeFile(path, text, 1u << 20)) return Json::Value(Json::objectValue);
    Json::CharReaderBuilder builder;
    Json::Value root;
    std::string errors;
    std::istringstream in(text);
    try {
        if (!Json::parseFromStream(builder, in, &root, &errors) || !root.isObject()) {
            DebugLog("SystemMouseSettings: ignoring malformed " + path);
            return Json::Value(Json::objectValue);
        }
    } catch (const std::exception&) {
        return Json::Value(Json::objectValue);
    }
    return root;
}

int ReadInt(const std::string& path, const char* key, int fallback, bool (*valid)(int)) {
    Json::Value root = ReadStore(path);
    const Json::Value* v = root.find(key, key + std::char_traits<char>::length(key));
    if (v == nullptr || !v->isInt()) return fallback;
    int value = v->asInt();
    return valid(value) ? value : fallback;
}

bool Store(const std::string& path, const char* key, const Json::Value& value) {
    Json::Value root = ReadStore(path);
    root[key] = value;
    auto slash = path.rfind('/');
    if (slash != std::string::npos && slash > 0 && !MakeFolders(path.substr(0, slash))) return false;
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "   ";
    builder["emitUTF8"] = true;
    return WriteFileAtomically(path, Json::writeString(builder, root) + "\n");
}

}  // namespace

FileSystemMouseSettings::FileSystemMouseSettings() : path_(DefaultPath()) {}

FileSystemMouseSettings::FileSystemMouseSettings(std::string path) : path_(std::move(path)) {}

std::string FileSystemMouseSettings::DefaultPath() {
    return ConfigHomeFolder() + "/" + kProductFolderName + "/SystemMouseSettings.json";
}

int FileSystemMouseSettings::PointerSpeed() const {
    return ReadInt(path_, kPointerSpeedKey, kDefaultPointerSpeed, ValidSpeed);
}

bool FileSystemMouseSettings::PointerPrecision() const {
    Json::Value root = ReadStore(path_);
    const Json::Value& v = root[kPointerPrecisionKey];
    if (v.isBool()) return v.asBool();
    if (v.isInt() && (v.asInt() == 0 || v.asInt() == 1)) return v.asInt() == 1;
    return kDefaultPointerPrecision;
}

int FileSystemMouseSettings::WheelScrollLines() const {
    return ReadInt(path_, kWheelScrollLinesKey, kDefaultWheelScrollLines, ValidLines);
}

int FileSystemMouseSettings::DoubleClickTime() const {
    return ReadInt(path_, kDoubleClickTimeKey, kDefaultDoubleClickTime, ValidDoubleClick);
}

bool FileSystemMouseSettings::SetPointerSpeed(int speed) {
    return ValidSpeed(speed) && Store(path_, kPointerSpeedKey, speed);
}

bool FileSystemMouseSettings::SetPointerPrecision(bool on) { return Store(path_, kPointerPrecisionKey, on); }

bool FileSystemMouseSettings::SetWheelScrollLines(int lines) {
    return ValidLines(lines) && Store(path_, kWheelScrollLinesKey, lines);
}

bool FileSystemMouseSettings::SetDoubleClickTime(int milliseconds) {
    return ValidDoubleClick(milliseconds) && Store(path_, kDoubleClickTimeKey, milliseconds);
}

PointerSettingsValues ReadPointerSettings(const SystemMouseSettings& desktop) {
    return {desktop.PointerSpeed(), desktop.PointerPrecision(), desktop.WheelScrollLines(), desktop.DoubleClickTime()};
}

bool WritePointerSettings(SystemMouseSettings& desktop, const PointerSettingsValues& values) {
    bool ok = desktop.SetPointerSpeed(values.speed);
    ok = desktop.SetPointerPrecision(values.precision) && ok;
    ok = desktop.SetWheelScrollLines(values.wheelScrollLines) && ok;
    return desktop.SetDoubleClickTime(values.doubleClickTime) && ok;
}

std::unique_ptr<SystemMouseSettings> CreateSystemMouseSettings() {
    // GNOME's settings where its schema is installed; the wheel lines it lacks stay in the file.
    if (auto gnome = GnomeMouseSettings::Create(std::make_unique<FileSystemMouseSettings>())) return gnome;
    return std::make_unique<FileSystemMouseSettings>();
}

}  // namespace orvane
