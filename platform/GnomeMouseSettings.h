#pragma once
// The GNOME desktop's mouse settings through GSettings ("org.gnome.desktop.peripherals.mouse"):
// pointer speed is "speed" (-1..1), precision is "accel-profile" ('flat' is off), double-click
// time is the "double-click" key of that schema or, on desktops that keep it elsewhere, of
// "org.gnome.settings-daemon.peripherals.mouse". GNOME has no wheel-lines setting, so wheel
// lines (and a double-click time no schema holds) stay with a fallback store.

#include <memory>
#include <string>

#include "platform/SystemMouseSettings.h"

typedef struct _GSettings GSettings;

namespace orvane {

inline constexpr const char* kGnomeMouseSchema = "org.gnome.desktop.peripherals.mouse";
inline constexpr const char* kGnomeDaemonMouseSchema = "org.gnome.settings-daemon.peripherals.mouse";

// Our pointer speed 1..20 and GNOME's -1..1, each side's default meeting the other's
// (10 is 0): 1..10 spread over -1..0 and 10..20 over 0..1.
double GnomeSpeedFromPointerSpeed(int speed);
int PointerSpeedFromGnomeSpeed(double speed);

class GnomeMouseSettings final : public SystemMouseSettings {
public:
    // nullptr when the mouse schema is not installed. `schemaDirectory` names a folder of
    // compiled schemas to use instead of the installed ones.
    static std::unique_ptr<GnomeMouseSettings> Create(std::unique_ptr<SystemMouseSettings> fallback,
                                                      const std::string& schemaDirectory = {});
    ~GnomeMouseSettings() override;
    GnomeMouseSettings(const GnomeMouseSettings&) = delete;
    GnomeMouseSettings& operator=(const GnomeMouseSettings&) = delete;

    // Which store holds the double-click time: a schema id, or empty for the fallback.
    const std::string& DoubleClickSchema() const { return doubleClickSchema_; }

    int PointerSpeed() const override;
    bool PointerPrecision() const override;
    int WheelScrollLines() const override;
    int DoubleClickTime() const override;

    bool SetPointerSpeed(int speed) override;
    bool SetPointerPrecision(bool on) override;
    bool SetWheelScrollLines(int lines) override;
    bool SetDoubleClickTime(int milliseconds) override;

private:
    GnomeMouseSettings(GSettings* mouse, GSettings* doubleClick, std::string doubleClickSchema,
                       std::unique_ptr<SystemMouseSettings> fallback);

    GSettings* mouse_;
    GSettings* doubleClick_;  // null when no schema has the key
    std::string doubleClickSchema_;
    std::unique_ptr<SystemMouseSettings> fallback_;
};

}  // namespace orvane
