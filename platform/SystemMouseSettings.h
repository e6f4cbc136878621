#pragma once
// The desktop's pointer settings, in the units the program keeps in its profiles: pointer speed
// 1-20, enhanced precision on/off, wheel scroll lines (kWheelPageScroll for a page at a time),
// double-click time in milliseconds. A backend converts to and from its desktop's own units.
// Backends are chosen once at start-up (CreateSystemMouseSettings); the rest of the program
// only sees this interface.

#include <memory>
#include <string>

namespace orvane {

// Wheel scroll lines value meaning "scroll one page per notch".
inline constexpr int kWheelPageScroll = -1;

class SystemMouseSettings {
public:
    virtual ~SystemMouseSettings() = default;

    // Readers return the desktop's current value, or its default when it cannot be read.
    virtual int PointerSpeed() const = 0;
    virtual bool PointerPrecision() const = 0;
    virtual int WheelScrollLines() const = 0;
    virtual int DoubleClickTime() const = 0;

    // Writers return false when the value was refused or could not be stored.
    virtual bool SetPointerSpeed(int speed) = 0;
    virtual bool SetPointerPrecision(bool on) = 0;
    virtual bool SetWheelScrollLines(int lines) = 0;
    virtual bool SetDoubleClickTime(int milliseconds) = 0;
};

// The desktop's four values at one moment, so a change can be taken back.
struct PointerSettingsValues {
    int speed = 0;
    bool precision = false;
    int wheelScrollLines = 0;
    int doubleClickTime = 0;
};
PointerSettingsValues ReadPointerSettings(const SystemMouseSettings& desktop);
// False when the desktop refused one of them (the others are still written).
bool WritePointerSettings(SystemMouseSettings& desktop, const PointerSettingsValues& values);

// Where no desktop backend applies: the values live in a JSON file of their own
// ("<config home>/ORVANE Q730 Gaming Mouse/SystemMouseSettings.json" by default), written
// atomically. Missing, malformed or out-of-range members read as the defaults below.
class FileSystemMouseSettings final : public SystemMouseSettings {
public:
    static constexpr int kDefaultPointerSpeed = 10;
    static constexpr bool kDefaultPointerPrecision = true;
    static constexpr int kDefaultWheelScrollLines = 3;
    static constexpr int kDefaultDoubleClickTime = 500;
    static constexpr int kMaxWheelScrollLines = 100;
    static constexpr int kMinDoubleClickTime = 1;
    static constexpr int kMaxDoubleClickTime = 5000;

    FileSystemMouseSettings();
    explicit FileSystemMouseSettings(std::string path);

    static std::string DefaultPath();
    const std::string& Path() const { return path_; }

    int PointerSpeed() const override;
    bool PointerPrecision() const override;
    int WheelScrollLines() const override;
    int DoubleClickTime() const override;

    bool SetPointerSpeed(int speed) override;
    bool SetPointerPrecision(bool on) override;
    bool SetWheelScrollLines(int lines) override;
    bool SetDoubleClickTime(int milliseconds) override;

private:
    std::string path_;
};

// The backend for this process: the GNOME desktop's settings where its schema is installed,
// else the file-backed store.
std::unique_ptr<SystemMouseSettings> CreateSystemMouseSettings();

}  // namespace orvane
