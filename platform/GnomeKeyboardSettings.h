#pragma once
// The GNOME desktop's key repeat through GSettings ("org.gnome.desktop.peripherals.keyboard"):
// "repeat-interval" (milliseconds between repeats) and "delay" (milliseconds before the first),
// with "repeat" switched on when a rate is set.

#include <memory>
#include <string>

#include "platform/SystemKeyboardSettings.h"

typedef struct _GSettings GSettings;

namespace orvane {

inline constexpr const char* kGnomeKeyboardSchema = "org.gnome.desktop.peripherals.keyboard";

class GnomeKeyboardSettings final : public SystemKeyboardSettings {
public:
    // nullptr when the schema is not installed or lacks the keys. `schemaDirectory` names a
    // folder of compiled schemas to use instead of the installed ones.
    static std::unique_ptr<GnomeKeyboardSettings> Create(const std::string& schemaDirectory = {});
    ~GnomeKeyboardSettings() override;
    GnomeKeyboardSettings(const GnomeKeyboardSettings&) = delete;
    GnomeKeyboardSettings& operator=(const GnomeKeyboardSettings&) = delete;

    int RepeatRate() const override;
    int RepeatDelay() const override;
    bool SetRepeatRate(int rate) override;
    bool SetRepeatDelay(int level) override;

private:
    explicit GnomeKeyboardSettings(GSettings* keyboard) : keyboard_(keyboard) {}
    GSettings* keyboard_;
};

}  // namespace orvane
