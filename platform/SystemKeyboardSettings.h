#pragma once
// The desktop's key repeat, in the units the keyboard profile keeps: the repeat rate 0-31 (from
// about 2.5 to 30 characters a second, kRepeatRateSteps apart) and the repeat delay 0-3 (250,
// 500, 750 or 1000 ms before the first repeat). A backend converts to its desktop's units; the
// backend is chosen once at start-up (CreateSystemKeyboardSettings).

#include <memory>
#include <string>

namespace orvane {

inline constexpr int kMaxKeyRepeatRate = 31;
inline constexpr int kMaxKeyRepeatDelay = 3;
// What a desktop starts with: the fastest rate, 500 ms.
inline constexpr int kDefaultKeyRepeatRate = 31;
inline constexpr int kDefaultKeyRepeatDelay = 1;

// Milliseconds between two repeats at rate 0-31, and the rate nearest to an interval.
int RepeatIntervalMsFromRate(int rate);
int RepeatRateFromIntervalMs(int milliseconds);
// 250 ms per delay step, and the step nearest to a delay.
inline constexpr int RepeatDelayMsFromLevel(int level) { return (level + 1) * 250; }
int RepeatDelayLevelFromMs(int milliseconds);

class SystemKeyboardSettings {
public:
    virtual ~SystemKeyboardSettings() = default;
    // The desktop's current value, or its default when it cannot be read.
    virtual int RepeatRate() const = 0;
    virtual int RepeatDelay() const = 0;
    // False when the value is out of range or could not be stored.
    virtual bool SetRepeatRate(int rate) = 0;
    virtual bool SetRepeatDelay(int level) = 0;
};

// Where no desktop backend applies: "<config home>/ORVANE Q730 Gaming Mouse/SystemKeyboardSettings.json",
// written atomically; missing or out-of-range members read as the defaults (kDefaultKeyRepeat…).
class FileSystemKeyboardSettings final : public SystemKeyboardSettings {
public:
    FileSystemKeyboardSettings();
    explicit FileSystemKeyboardSettings(std::string path);
    static std::string DefaultPath();

    int RepeatRate() const override;
    int RepeatDelay() const override;
    bool SetRepeatRate(int rate) override;
    bool SetRepeatDelay(int level) override;

private:
    std::string path_;
};

// GNOME's keyboard settings where its schema is installed, else the file-backed store.
std::unique_ptr<SystemKeyboardSettings> CreateSystemKeyboardSettings();

}  // namespace orvane
