#pragma once
// MouseDevice: the mouse's family core. It owns what one connected mouse is made of above the
// wire: its memories (MouseDeviceModel over the page's command channel), the selected profile's
// document, the copies the page shows (keys, lighting, DPI stages, pointer settings), and the
// actions on them, in the user's units. Every change of a device setting is saved to the profile
// and written to the mouse at once; pointer settings are saved and applied to the desktop.
//
// The mouse page and orvanectl each hold one; neither reaches the memories or the document
// except through it. One thread drives it; its device sequences (built from a copy of what they
// write) run through a SequenceRunner: at once by default, on the device's command worker when
// the page installs one. Only the sequences touch the memories, so with a worker the memories
// belong to the worker's thread. Every device operation takes an optional handler that gets its
// outcome on the driving thread.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "mouse/MouseDeviceModel.h"
#include "mouse/MouseProfileBridge.h"
#include "mouse/MouseUnits.h"
#include "profiles/CMouseProfiledata.h"
#include "profiles/ProfileList.h"
#include "protocol/DeviceOutcome.h"

namespace orvane {

inline constexpr const char* kMouseLightConfigName = "vexal_light";

class MouseDevice {
public:
    MouseDevice(CommandChannel& channel, SystemMouseSettings& desktop);

    // Where the device sequences run from now on; the runner must outlive the core's use of it.
    void SetRunner(SequenceRunner& runner) { runner_ = &runner; }

    // --- Where things are ---
    // The device's user data folder (ends in '/'), its default profile, the light configuration
    // name ("vexal_light" when empty).
    void SetFiles(std::string userDataFolder, std::string defaultProfilePath, std::string lightConfigName = {});
    const std::string& UserDataFolder() const { return folder_; }
    // The device's light group in the default light file and the light configuration.
    void SetLightGroup(int group) { lightGroup_ = group; }
    // The desktop size sent with every settings write of the system panel.
    void SetScreenSize(uint16_t width, uint16_t height) { screen_ = {1, width, height}; }
    const ScreenSize& Screen() const { return screen_; }
    // The double-click level that stands for the shortest time (the slider's maximum).
    void SetDoubleClickMaximum(int maximum) { doubleClickMaximum_ = maximum; }
    int DoubleClickMaximum() const { return doubleClickMaximum_; }

    // --- Connection and profiles ---
    // The initial read of the memories; done only when it completed.
    DeviceOutcome Connect(OutcomeHandler done = {});
    // Profile `uuid` of the user data folder becomes the document's file; false, with nothing
    // changed, for a UUID that names no file there.
    bool UseProfile(const std::string& uuid);
    // Loads the document's file (the default profile stands in for a missing one) and takes its
    // keys, lighting, DPI stages and pointer settings; then reads the lift-off switch.
    void LoadProfile(OutcomeHandler done = {});
    // The desktop's pointer values become the document's and the copies' (the desktop is the
    // truth on connection); saved.
    void TakeDesktopPointerSettings();

    // The list selects entry `index`; the profile is loaded, its pointer settings applied to the
    // desktop, keys, macros and settings (screen flag 0) written. The outcome: refused (nothing
    // written) when the profile cannot be used, else the first device failure, else the macros'
    // refusal when they do not fit.
    DeviceOutcome SelectProfile(ProfileList& list, int index, OutcomeHandler done = {});
    // The same for the profile the list already selected (after an add, copy or delete).
    DeviceOutcome ApplyProfile(const std::string& uuid, OutcomeHandler done = {});
    // The list resets its selected profile; it is loaded, settings (with the desktop size),
    // macros and keys written, its pointer settings applied.
    DeviceOutcome ResetProfile(ProfileList& list, OutcomeHandler done = {});
    // The factory document replaces the current profile's, which keeps its file and names; saved,
    // nothing written. Refused, with nothing changed, when the default profile has no document.
    DeviceOutcome RestoreDefaults();

    // --- Device settings: saved and written with the desktop size ---
    // Refused for a stage outside 0..5. `cpi` is stored in steps of 100 (1650 as 1600),
    // 100..16000; only the X resolution changes.
    DeviceOutcome SetDpi(int stage, int cpi, OutcomeHandler done = {});
    // Refused for a stage outside 0..5 and for switching off the last stage that is on.
    DeviceOutcome SetStageEnabled(int stage, bool on, OutcomeHandler done = {});
    DeviceOutcome SetActiveStage(int stage, OutcomeHandler done = {});
    DeviceOutcome SetReportRateHz(int hz, OutcomeHandler done = {});  // 125, 250, 500, 1000 or 2000
    DeviceOutcome SetLiftOffMm(int mm, OutcomeHandler done = {});     // 1 or 2

    // --- Pointer settings: saved and applied to the desktop (refused when the desktop did not
    // take the value; the profile keeps it either way) ---
    DeviceOutcome SetPointerSpeed(int speed);
    DeviceOutcome SetPointerPrecision(bool on);
    // Page scrolling on or off, with the line count the wheel scrolls otherwise.
    DeviceOutcome SetScrolling(bool pageScroll, int lines);
    DeviceOutcome SetDoubleClickLevel(int level);
    // Every pointer setting of the copies, in their order of application.
    void ApplyPointerSettings();

    // --- Keys and lighting, as the editors change them ---
    const std::vector<KeyListEntry>& Keys() const { return keys_; }
    // Key `key`'s entry replaced and the key list given to the document (not saved). False for
    // a key the list does not hold.
    bool SetKeyAssignment(int key, const KeyListEntry& entry);
    // True when `key` holds the left-button function and no other key does.
    bool HoldsOnlyLeftButton(int key) const;
    // Key `key` gets `code` (the profile saved; macros, then the key table written). Refused for a
    // key the list does not hold and for taking the left-button function from its only key.
    DeviceOutcome AssignKey(int key, const FunctionCode& code, OutcomeHandler done = {});
    const LightInfoRecord& LightState() const { return light_; }
    // Also the document's "LightInfo" (not saved).
    void SetLightState(const LightInfoRecord& light);
    // The lighting anew from the document: the light state and the user light effect's steps.
    void TakeLighting();
    // The lighting editor's change: the light state becomes `light` (direction and colourful
    // as 0 or 1), the document's "LightInfo" too, saved, the user effect's steps taken for its
    // mode, and the settings block written with the desktop size. Refused, with nothing changed,
    // for a brightness or speed above 4.
    DeviceOutcome SetLighting(const LightSetting& light, OutcomeHandler done = {});
    const std::vector<LedEffectEntry>& CustomLightSteps() const { return customLightSteps_; }
    void SaveProfile() { profile_.SaveProfile(); }

    // --- Writes and reads of the memories ---
    DeviceOutcome WriteSettings(uint8_t profileIndex, uint8_t activeProfile, const ScreenSize& screen,
                                OutcomeHandler done = {});
    DeviceOutcome WriteKeys(uint8_t profileIndex, OutcomeHandler done = {});
    // The macros of the user data folder ("macro.config"); done when there are none. Refused,
    // with nothing written, when they do not fit (`excess` events must go).
    DeviceOutcome WriteMacros(OutcomeHandler done = {});
    // The device's active profile and its block read; then, on the driving thread, taken into the
    // lighting and the document, saved, and handed to `onRead`. Nothing is taken when the read
    // failed.
    DeviceOutcome SyncFromDevice(std::function<void(const DecodedConfig&)> onRead, OutcomeHandler done = {});
    // The power status read and handed to `onStatus` on the driving thread.
    DeviceOutcome ReadPowerStatus(std::function<void(const PowerStatus&)> onStatus);

    // --- What the page shows ---
    const std::vector<DpiStage>& DpiStages() const { return stages_; }
    int ActiveStage() const { return profile_.GetActiveDpiStage(); }
    const MouseSystemSettings& SystemSettings() const { return system_; }
    int ReportRateHz() const { return ReportRateHzOfOption(system_.ReportStage); }
    int LiftOffMm() const { return LiftOffMmOfOption(system_.HeightStage); }
    // Byte 13 of on-board profile 0's block as last read; nullopt before a read succeeded.
    std::optional<bool> LiftOffSwitch() const { return liftOffSwitch_; }

    CMouseProfiledata& Profile() { return profile_; }
    const CMouseProfiledata& Profile() const { return profile_; }
    // The memories, for reading what the last sequence found; with a command worker only while
    // no sequence runs.
    const MouseDeviceModel& Memories() const { return memories_; }

private:
    // What a profile sequence writes, copied on the driving thread.
    struct ProfileWrite;

    void TakeDocument();
    DeviceOutcome CheckStage(int stage) const;
    DeviceOutcome SaveAndWrite(OutcomeHandler done);
    DeviceOutcome SaveAndApply(bool desktopTookIt, const char* what);
    void StoreStages() { profile_.SetDpiStages(stages_); }
    void StoreSystem() { profile_.SetMouseSystemSettings(system_); }
    DpiStage& StageAt(int stage);  // the list grows to stage + 1, new stages all zero
    DeviceOutcome WriteProfile(bool afterReset, OutcomeHandler done);
    DeviceOutcome Run(DeviceSequence sequence, OutcomeHandler done) { return runner_->Run(std::move(sequence), std::move(done)); }
    // The settings block input from the document, with the page's lift-off copy.
    ConfigBlockInput SettingsInput(uint8_t activeProfile, const ScreenSize& screen);
    std::optional<std::vector<std::vector<MacroEventBytes>>> MacrosForDevice() const;
    // A user effect is mode 9 and up: entry mode - 9 of the light group, the entry whose name
    // the lighting panel lists for that mode. Built-in modes have no steps.
    void TakeUserEffectSteps();

    SystemMouseSettings& desktop_;
    MouseDeviceModel memories_;
    ImmediateRunner immediate_;
    SequenceRunner* runner_ = &immediate_;
    CMouseProfiledata profile_;
    std::string folder_;
    std::string lightConfigName_ = kMouseLightConfigName;
    ScreenSize screen_;
    int doubleClickMaximum_ = 10;
    int lightGroup_ = 0;

    std::vector<KeyListEntry> keys_;
    LightInfoRecord light_;
    std::vector<LedEffectEntry> customLightSteps_;
    std::vector<DpiStage> stages_;
    MouseSystemSettings system_;
    std::optional<bool> liftOffSwitch_;
};

}  // namespace orvane
