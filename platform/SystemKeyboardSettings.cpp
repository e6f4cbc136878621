#include "platform/SystemKeyboardSettings.h"

#include <algorithm>
#include <cmath>

#include "platform/GnomeKeyboardSettings.h"
#include "platform/SettingsFile.h"
#include "platform/UserFolders.h"

namespace orvane {
namespace {

constexpr const char* kRepeatRateKey = "RepeatRate";
constexpr const char* kRepeatDelayKey = "RepeatDelay";
// Characters a second at rate 0 and at rate 31.
constexpr double kSlowestRepeat = 2.5;
constexpr double kFastestRepeat = 30.0;

bool ValidRate(int v) { return v >= 0 && v <= kMaxKeyRepeatRate; }
bool ValidDelay(int v) { return v >= 0 && v <= kMaxKeyRepeatDelay; }
double RepeatsPerSecond(int rate) {
    return kSlowestRepeat + (kFastestRepeat - kSlowestRepeat) * std::clamp(rate, 0, kMaxKeyRepeatRate) / kMaxKeyRepeatRate;
}

}  // namespace

int RepeatIntervalMsFromRate(int rate) { return static_cast<int>(std::lround(1000.0 / RepeatsPerSecond(rate))); }

int RepeatRateFromIntervalMs(int milliseconds) {
    int best = 0;
    for (int rate = 1; rate <= kMaxKeyRepeatRate; ++rate)
        if (std::abs(RepeatIntervalMsFromRate(rate) - milliseconds) < std::abs(RepeatIntervalMsFromRate(best) - milliseconds))
            best = rate;
    return best;
}

int RepeatDelayLevelFromMs(int milliseconds) {
    return std::clamp(static_cast<int>(std::lround(milliseconds / 250.0)) - 1, 0, kMaxKeyRepeatDelay);
}

FileSystemKeyboardSettings::FileSystemKeyboardSettings() : path_(DefaultPath()) {}
FileSystemKeyboardSettings::FileSystemKeyboardSettings(std::string path) : path_(std::move(path)) {}

std::string FileSystemKeyboardSettings::DefaultPath() {
    return ConfigHomeFolder() + "/" + kProductFolderName + "/SystemKeyboardSettings.json";
}

int FileSystemKeyboardSettings::RepeatRate() const {
    return ReadSettingsInt(path_, kRepeatRateKey, kDefaultKeyRepeatRate, ValidRate);
}

int FileSystemKeyboardSettings::RepeatDelay() const {
    return ReadSettingsInt(path_, kRepeatDelayKey, kDefaultKeyRepeatDelay, ValidDelay);
}

bool FileSystemKeyboardSettings::SetRepeatRate(int rate) {
    return ValidRate(rate) && StoreSetting(path_, kRepeatRateKey, rate);
}

bool FileSystemKeyboardSettings::SetRepeatDelay(int level) {
    return ValidDelay(level) && StoreSetting(path_, kRepeatDelayKey, level);
}

std::unique_ptr<SystemKeyboardSettings> CreateSystemKeyboardSettings() {
    if (auto gnome = GnomeKeyboardSettings::Create()) return gnome;
    return std::make_unique<FileSystemKeyboardSettings>();
}

}  // namespace orvane
