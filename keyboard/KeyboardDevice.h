#pragma once
// KeyboardDevice: the keyboard's family core. It owns what one connected keyboard is made of
// above the wire: its memories (KeyboardMemories over the page's command channel), the selected
// profile's document, the copies the page shows (keys, lighting, keyboard settings, custom light
// pattern), the light preview and the actions on them, in the user's units. Every change of a
// device setting is saved to the profile and written to the keyboard at once; the key repeat is
// saved and applied to the desktop.
//
// The keyboard page and orvanectl each hold one. One thread drives it; its device sequences run
// through a SequenceRunner (at once by default, on the device's command worker when the page
// installs one). Key events (OnKeyEvent) may come from the sync thread and light frames
// (StreamFrame) from the preview thread: both use only the lighting and the maps, which have
// locks of their own.

#include <array>
#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "keyboard/KeyboardLighting.h"
#include "keyboard/KeyboardMemories.h"
#include "platform/SystemKeyboardSettings.h"
#include "profiles/CKeyboardProfiledata.h"
#include "profiles/ProfileList.h"
#include "protocol/DeviceOutcome.h"

namespace orvane {

inline constexpr const char* kKeyboardLightConfigName = "vexal_light";

// The report rate each option of the block stands for.
inline constexpr std::array<int, kKeyboardReportRateOptions> kKeyboardReportRatesHz{125, 250, 500, 1000};

class KeyboardDevice {
public:
    KeyboardDevice(CommandChannel& channel, SystemKeyboardSettings& desktop, uint16_t productId = 0);

    void SetRunner(SequenceRunner& runner) { runner_ = &runner; }

    // --- Where things are ---
    void SetFiles(std::string userDataFolder, std::string defaultProfilePath, std::string lightConfigName = {});
    const std::string& UserDataFolder() const { return folder_; }
    void SetLightGroup(int group) { lightGroup_ = group; }

    // --- Connection and profiles ---
    // Device info, key table and LED map; done only when the read completed.
    DeviceOutcome Connect(OutcomeHandler done = {});
    // Profile `uuid` of the user data folder becomes the document's file; false, with nothing
    // changed, for a UUID that names no file there.
    bool UseProfile(const std::string& uuid);
    // The document's file loaded and taken; the desktop's key repeat replaces the profile's
    // (saved); the custom light pattern sent.
    DeviceOutcome LoadProfileOnConnect(OutcomeHandler done = {});
    // The document's file loaded and taken as it is; nothing is sent.
    void LoadProfile();
    // LoadProfile, and the custom light pattern sent.
    DeviceOutcome ReloadProfile(OutcomeHandler done = {});
    // The list selects entry `index`: the profile is loaded, its key repeat applied to the
    // desktop, keys, macros and the block written.
    DeviceOutcome SelectProfile(ProfileList& list, int index, OutcomeHandler done = {});
    DeviceOutcome ApplyProfile(const std::string& uuid, OutcomeHandler done = {});
    // The list resets its selected profile; it is loaded and written as on a selection.
    DeviceOutcome ResetProfile(ProfileList& list, OutcomeHandler done = {});
    // The factory document replaces the current profile's (saved), and keys and block are written.
    // Refused, with nothing changed, when the default profile has no document.
    DeviceOutcome RestoreDefaults(OutcomeHandler done = {});

    // --- Keyboard settings: saved, and written with the block ---
    DeviceOutcome SetReportRateHz(int hz, OutcomeHandler done = {});  // 125, 250, 500 or 1000
    DeviceOutcome SetWindowsKeyLock(bool on, OutcomeHandler done = {});
    DeviceOutcome SetWKeyLock(bool on, OutcomeHandler done = {});
    DeviceOutcome SetSixKeyRollover(bool on, OutcomeHandler done = {});
    // --- Key repeat: saved and applied to the desktop (refused when the desktop did not take it;
    // the profile keeps it either way) ---
    DeviceOutcome SetRepeatRate(int rate);       // 0-31
    DeviceOutcome SetRepeatDelayMs(int milliseconds);  // 250, 500, 750 or 1000
    // The desktop's own defaults (kDefaultKeyRepeatRate, kDefaultKeyRepeatDelay), saved and
    // applied as above.
    DeviceOutcome ResetKeyRepeat();
    // The profile's repeat rate and delay to the desktop; false when it refused either.
    bool ApplyKeyRepeat();
    const KeyboardSystemSettings& Settings() const { return settings_; }
    int ReportRateHz() const;
    int RepeatDelayMs() const { return RepeatDelayMsFromLevel(settings_.RepeatDelay); }

    // --- Keys ---
    const std::vector<KeyListEntry>& Keys() const { return keys_; }
    // Key `key`'s entry replaced and the key list given to the document (not saved).
    bool SetKeyAssignment(int key, const KeyListEntry& entry);
    // Key `key` gets `code`: the profile saved, macros and the key table written.
    DeviceOutcome AssignKey(int key, const FunctionCode& code, OutcomeHandler done = {});
    DeviceOutcome WriteKeys(uint8_t profileIndex, OutcomeHandler done = {});
    // The macros of the user data folder; refused, with nothing written, when they do not fit.
    DeviceOutcome WriteMacros(OutcomeHandler done = {});
    DeviceOutcome WriteSettings(uint8_t profileIndex, uint8_t activeProfile, OutcomeHandler done = {});
    // The macro write of the last profile applied, reset or restored: 0 written or nothing to
    // write, > 0 events to remove, -1 stopped by the keyboard.
    int LastProfileMacroWrite() const { return lastProfileMacroWrite_; }
    // Reads the block at address 0: whether the keyboard takes key assignments
    // (KeyAssignmentsTaken) is known once it is done.
    DeviceOutcome ReadKeyAssignmentSupport(OutcomeHandler done = {});
    std::optional<bool> KeyAssignmentsTaken() const { return keyAssignmentsTaken_; }

    // --- Lighting ---
    const LightInfoRecord& LightState() const { return light_; }
    // The light editor's change: saved, the preview changed (a new mode starts afresh), the
    // user effect's steps taken, in mode 20 the custom pattern sent, and the block written.
    // Refused for a brightness or speed above 4.
    DeviceOutcome SetLighting(const LightSetting& light, OutcomeHandler done = {});
    int CustomLightGroup() const { return profile_.GetCustomLightGroupIndex(); }
    // Group `group` of the document becomes the custom pattern; saved and sent.
    DeviceOutcome SetCustomLightGroup(int group, OutcomeHandler done = {});
    const std::vector<CustomLightColor>& CustomColors() const { return customColors_; }
    // The custom pattern of the current group to the keyboard, whole.
    DeviceOutcome SendCustomLightBitmap(OutcomeHandler done = {});
    // Mode 20 only: key `key` on or off in the pattern (on in the light state's colour), saved and
    // its bitmap byte written. Refused in other modes and for a key outside 0..125.
    DeviceOutcome ToggleCustomKey(int key, OutcomeHandler done = {});
    // Every key on (in the light state's colour) or off; saved and the bitmap written.
    DeviceOutcome SetAllCustomKeys(bool on, OutcomeHandler done = {});

    // A key event of the keyboard (slot and kind) for the reactive modes. Any thread.
    void OnKeyEvent(size_t slot, KeyEvent kind);
    KeyboardLighting& Lighting() { return lighting_; }
    // The preview's frame to the keyboard; nothing in mode 20 (the keyboard shows its pattern),
    // on a slow link or before the maps know a light (then 1). The channel's result. Any thread.
    int StreamFrame();
    // A frame of colours painted by someone else (synchronised lighting) to the keyboard, under the
    // same conditions. Any thread.
    int StreamColours(std::span<const LightColor> colours);

    // The active profile's block read; then taken into the lighting, the flags and the
    // document (saved). Nothing is taken when the read failed or the block is out of range.
    DeviceOutcome SyncFromDevice(OutcomeHandler done = {});

    KeyboardMaps Maps() const;
    CKeyboardProfiledata& Profile() { return profile_; }
    const KeyboardMemories& Memories() const { return memories_; }
    void SaveProfile() { profile_.SaveProfile(); }

private:
    DeviceOutcome Run(DeviceSequence sequence, OutcomeHandler done) {
        return runner_->Run(std::move(sequence), std::move(done));
    }
    void TakeDocument();
    void TakeLighting();
    void TakeCustomColors();
    void StoreSettings();
    void SetMaps(const KeyboardMaps& maps);
    CustomLightBitmap BuildBitmap() const;
    // Not in the custom static mode (the keyboard shows its pattern), on a slow link or before
    // the maps know a light.
    bool TakesFrames(const KeyboardMaps& maps) const;
    DeviceOutcome WriteProfile(OutcomeHandler done);
    DeviceOutcome SaveAndWrite(OutcomeHandler done);
    DeviceOutcome SaveAndApply(bool desktopTookIt, const char* what);
    DeviceOutcome StoreCustomColorsAndWrite(std::function<int(KeyboardMemories&)> write, OutcomeHandler done);

    CommandChannel& channel_;
    SystemKeyboardSettings& desktop_;
    KeyboardMemories memories_;
    ImmediateRunner immediate_;
    SequenceRunner* runner_ = &immediate_;
    CKeyboardProfiledata profile_;
    std::string folder_;
    std::string lightConfigName_ = kKeyboardLightConfigName;
    int lightGroup_ = 0;

    std::vector<KeyListEntry> keys_;
    LightInfoRecord light_;
    KeyboardSystemSettings settings_;
    std::vector<CustomLightColor> customColors_;
    int lastProfileMacroWrite_ = 0;
    std::optional<bool> keyAssignmentsTaken_;
    KeyboardLighting lighting_;
    mutable std::mutex mapsMutex_;
    KeyboardMaps maps_;
};

}  // namespace orvane
