#pragma once
// Where the main window forwards what its own handlers do not settle: the feature (panel, editor
// or window of another part of the program) that owns a control, by the control's name and the
// notification type. A feature acts through the handler it registers with the main window; a
// route whose feature has registered none does nothing.

#include <QString>

#include <cstddef>
#include <optional>

namespace orvane::app {

enum class Feature {
    SkinWindow,           // "skinbtn"
    SettingsWindow,       // "setbtn", message 3093
    KeyButton,            // "key_" + N on the device picture
    ColourOption,         // "color_option_" + N of the lighting editor
    KeyRepeat,            // keyboard pages' key-repeat reset
    ProfileList,          // profile buttons, the profile combo, the profile function list
    KeyAssignment,        // key assignment panel
    MacroPanel,           // macro list and steps
    MacroRecording,       // recording buttons, step menus, input capture and hook messages
    ShootPattern,         // shooting pattern editor
    Lighting,             // lighting editor and synchronised lighting
    HeadsetEqualiser,     // headset equaliser presets
    PerformanceSettings,  // selection, value and focus changes of the settings panels
};
inline constexpr size_t kFeatureCount = static_cast<size_t>(Feature::PerformanceSettings) + 1;

struct Route {
    Feature feature;
    bool needsPage;  // forwarded only while a device page is current
    int number = -1;  // the N of a numbered family
};

// "click" by sender name (numbered families by the prefix before the last underscore).
std::optional<Route> FindClickRoute(const QString& sender);
// "itemselect" by sender name.
std::optional<Route> FindComboRoute(const QString& sender);

}  // namespace orvane::app
