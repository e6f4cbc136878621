#pragma once
// Who owns each control of the main window's tree, by the control's name: a feature (panel,
// editor or window of another part of the program) or the main window itself, with the
// notification types the owner acts on. The main window routes every control notification
// through this one table, whatever its type: a sender the table does not list, or a type its
// owner does not act on, does nothing. A feature acts through the handler it registers with the
// main window; a route whose feature has registered none does nothing.

#include <QString>

#include <array>
#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

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
    HeadsetEqualiser,     // headset equaliser presets and bands
    PerformanceSettings,  // the system panels of the mouse (and its settings tabs) and keyboard pages
    MainWindow,           // the window's own controls: settled by the window, never forwarded
    FunctionTabs,         // the function panel tabs of the profile panel ("deng_Op_tab" …)
    HeadsetAudio,         // headset microphone, monitor and voice effect
};
inline constexpr size_t kFeatureCount = static_cast<size_t>(Feature::HeadsetAudio) + 1;

// The control notifications the table routes, one flag each.
enum NotifyKind : unsigned {
    kClick = 1u << 0,
    kSelectChanged = 1u << 1,
    kValueChanged = 1u << 2,
    kMoveValueChanged = 1u << 3,
    kKillFocus = 1u << 4,
    kSetFocus = 1u << 5,
    kItemSelect = 1u << 6,
    kItemActivate = 1u << 7,
    kColorChanged = 1u << 8,
    kClickSelectEnd = 1u << 9,
};
using NotifyKinds = unsigned;
inline constexpr std::array<std::pair<const char*, NotifyKind>, 10> kRoutedTypes = {{
    {"click", kClick},
    {"selectchanged", kSelectChanged},
    {"valuechanged", kValueChanged},
    {"movevaluechanged", kMoveValueChanged},
    {"killfocus", kKillFocus},
    {"setfocus", kSetFocus},
    {"itemselect", kItemSelect},
    {"itemactivate", kItemActivate},
    {"colorchanged", kColorChanged},
    {"click_select_end", kClickSelectEnd},
}};
// The flag of a notification type; 0 for a type no control notification is routed by.
NotifyKinds KindOf(const QString& type);

struct ControlOwner {
    // The control's name; for a numbered family the prefix, up to and including its last
    // underscore ("key_"), matched without regard to case, and the number after it forwarded.
    QString name;
    bool numbered;
    Feature feature;
    NotifyKinds kinds;   // what the owner acts on; 0: owned, but no notification of it acts
    QString layout;      // the layout the owner finds the control in
    bool optional;       // the layout may lack it: made at run time, or its page is still to come
};

// Every owner; no name (nor a numbered family's member) is listed twice.
const std::vector<ControlOwner>& ControlOwners();
// The owner of a control named `sender`, or nullptr when no owner lists it.
const ControlOwner* FindControlOwner(const QString& sender);

struct Route {
    Feature feature;
    bool needsPage;  // forwarded only while a device page is current
    int number = -1;  // the N of a numbered family
};

// Where a notification of type `type` from `sender` goes; nullopt when nobody acts on it.
std::optional<Route> FindRoute(const QString& sender, const QString& type);

}  // namespace orvane::app
