#pragma once
// The mouse page's profile sequences: loading a profile into the page's copies, and what a
// profile selection, a profile reset and a restore of the factory values write to the desktop
// and the device. The profile list decides which profile is current; these run after it.

#include <optional>
#include <string>
#include <vector>

#include "mouse/PerformanceSettings.h"
#include "profiles/ProfileList.h"

namespace orvane {

inline constexpr const char* kMouseLightConfigName = "vexal_light";

// The page's copies of the records it takes from the document when a profile is loaded; the
// DPI stages and pointer settings are kept by PerformanceSettings.
struct MouseProfileMirror {
    std::vector<KeyListEntry> keys;
    LightInfoRecord light;
    std::vector<LedEffectEntry> customLightSteps;
};

// Results of the device writes of one sequence, as MouseDeviceModel gives them.
struct MouseWriteResults {
    int keys = 0;      // 1 written, 0 skipped
    int macros = 0;    // 0 written or nothing to write, > 0 events too many, -1 stopped answering
    int settings = 0;  // 1 written, 0 skipped
};

class MouseProfileActions {
public:
    // `userDataFolder` ends in '/'.
    MouseProfileActions(MousePageParts parts, PerformanceSettings& performance, std::string userDataFolder,
                        std::string lightConfigName = kMouseLightConfigName);

    // The list selects entry `index`; then the profile is loaded and shown, its pointer
    // settings applied to the desktop, and key table, macro memory and settings (screen flag 0)
    // written. nullopt when the list did not select it.
    std::optional<MouseWriteResults> SelectProfile(ProfileList& list, int index);
    // The same sequence for a profile the list already selected (after an add, copy or delete).
    std::optional<MouseWriteResults> ApplyProfile(const std::string& uuid);
    // "device_reset_btn": the list resets the selected profile; then it is loaded and shown,
    // settings (screen flag 1), macros and keys are written, and its pointer settings applied.
    std::optional<MouseWriteResults> ResetProfile(ProfileList& list);
    // "default_btn", once the user confirmed: the factory document replaces the current
    // profile's, which keeps its path and names; keys and settings (screen flag 1) are written.
    // nullopt, with nothing changed, when the default profile has no document.
    std::optional<MouseWriteResults> RestoreDefaults();

    // Loads the current profile file into the page's copies and shows it.
    void ReloadProfile();

    const MouseProfileMirror& Mirror() const { return mirror_; }

private:
    bool UseProfile(const std::string& uuid);
    void LoadCurrentProfile();
    void TakeDocument();
    int WriteKeys();
    int WriteMacros();

    MousePageParts parts_;
    PerformanceSettings& performance_;
    std::string folder_;
    std::string lightConfigName_;
    MouseProfileMirror mirror_;
};

}  // namespace orvane
