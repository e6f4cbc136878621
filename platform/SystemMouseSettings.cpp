#include "platform/SystemMouseSettings.h"

#include <json/json.h>

#include <memory>

#include "platform/GnomeMouseSettings.h"
#include "platform/SettingsFile.h"
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

}  // namespace

FileSystemMouseSettings::FileSystemMouseSettings() : path_(DefaultPath()) {}

FileSystemMouseSettings::FileSystemMouseSettings(std::string path) : path_(std::move(path)) {}

std::string FileSystemMouseSettings::DefaultPath() {
    return ConfigHomeFolder() + "/" + kProductFolderName + "/SystemMouseSettings.json";
}

int FileSystemMouseSettings::PointerSpeed() const {
    return ReadSettingsInt(path_, kPointerSpeedKey, kDefaultPointerSpeed, ValidSpeed);
}

bool FileSystemMouseSettings::PointerPrecision() const {
    Json::Value root = ReadSettingsFile(path_);
    const Json::Value& v = root[kPointerPrecisionKey];
    if (v.isBool()) return v.asBool();
    if (v.isInt() && (v.asInt() == 0 || v.asInt() == 1)) return v.asInt() == 1;
    return kDefaultPointerPrecision;
}

int FileSystemMouseSettings::WheelScrollLines() const {
    return ReadSettingsInt(path_, kWheelScrollLinesKey, kDefaultWheelScrollLines, ValidLines);
}

int FileSystemMouseSettings::DoubleClickTime() const {
    return ReadSettingsInt(path_, kDoubleClickTimeKey, kDefaultDoubleClickTime, ValidDoubleClick);
}

bool FileSystemMouseSettings::SetPointerSpeed(int speed) {
    return ValidSpeed(speed) && StoreSetting(path_, kPointerSpeedKey, speed);
}

bool FileSystemMouseSettings::SetPointerPrecision(bool on) { return StoreSetting(path_, kPointerPrecisionKey, on); }

bool FileSystemMouseSettings::SetWheelScrollLines(int lines) {
    return ValidLines(lines) && StoreSetting(path_, kWheelScrollLinesKey, lines);
}

bool FileSystemMouseSettings::SetDoubleClickTime(int milliseconds) {
    return ValidDoubleClick(milliseconds) && StoreSetting(path_, kDoubleClickTimeKey, milliseconds);
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
