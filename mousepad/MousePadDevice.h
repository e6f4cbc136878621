#pragma once
// MousePadDevice: the lit mouse pad's family core. It owns what one connected pad is made of
// above the wire: its command sequences (PadDeviceModel over the page's command channel), the
// block copy (PadBlock: the lighting as last read from the pad or last set from the profile), the
// selected profile's document and its lighting (light state, per-light effects, the user
// effect's steps), and the actions on them. Every lighting change is saved to the profile and
// written to the pad at once.
//
// The pad page and orvanectl each hold one. One thread drives it; its device sequences run
// through a SequenceRunner (at once by default, on the device's command worker when the page
// installs one) and only they touch the channel; what a read found is taken on the driving thread.
// The headset, whose lighting, profiles and parameter block are the pad's, derives from it with
// its own document.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "mousepad/PadBlock.h"
#include "mousepad/PadDeviceModel.h"
#include "profiles/CBasicProfiledata.h"
#include "profiles/ProfileList.h"
#include "protocol/DeviceOutcome.h"

namespace orvane {

inline constexpr const char* kPadLightConfigName = "vexal_light";

class MousePadDevice {
public:
    explicit MousePadDevice(CommandChannel& channel);
    virtual ~MousePadDevice();
    MousePadDevice(const MousePadDevice&) = delete;
    MousePadDevice& operator=(const MousePadDevice&) = delete;

    // Where the device sequences run from now on; the runner must outlive the core's use of it.
    void SetRunner(SequenceRunner& runner) { runner_ = &runner; }

    // --- Where things are ---
    // The device's user data folder (ends in '/'), its default profile, the light configuration
    // name ("vexal_light" when empty).
    void SetFiles(std::string userDataFolder, std::string defaultProfilePath, std::string lightConfigName = {});
    const std::string& UserDataFolder() const { return folder_; }
    // The device's light group in the default light file and the light configuration.
    void SetLightGroup(int group) { lightGroup_ = group; }

    // --- Connection and profiles ---
    // BeginTransfer, ReadDeviceInfo, EndTransfer, then the active profile's block: the device
    // info is taken when it was read; the block copy takes the pad's profile number and own
    // bytes, its lighting stays the profile's.
    DeviceOutcome Connect(OutcomeHandler done = {});
    // Profile `uuid` of the user data folder becomes the document's file; false, with nothing
    // changed, for a UUID that names no file there.
    bool UseProfile(const std::string& uuid);
    // Loads the document's file (the default profile stands in for a missing one) and takes its
    // lighting (TakeLighting).
    void LoadProfile();
    // The list selects entry `index`; that profile is loaded and its block written to
    // on-board profile index 0. Refused, with nothing written, when it cannot be used.
    DeviceOutcome SelectProfile(ProfileList& list, int index, OutcomeHandler done = {});
    // The same for the profile the list already selected.
    DeviceOutcome ApplyProfile(const std::string& uuid, OutcomeHandler done = {});
    // The list resets its selected profile, which is loaded and written.
    DeviceOutcome ResetProfile(ProfileList& list, OutcomeHandler done = {});
    // The default profile's document replaces the current profile's (which keeps its file); the
    // lighting taken and saved, nothing written. Refused, with nothing changed, when the default
    // profile holds no document.
    DeviceOutcome RestoreDefaults();

    // --- Lighting ---
    const LightInfoRecord& LightState() const { return light_; }
    // Also the document's "LightInfo" (not saved).
    void SetLightState(const LightInfoRecord& light);
    // From the document: the light state (all 11 bytes), the block copy's lighting bytes, the
    // per-light effects and the user effect's steps.
    void TakeLighting();
    // The lighting editor's change: the light state becomes `light` (direction and multicolour
    // as 0 or 1), saved, taken back from the document and written to the pad. Refused, with
    // nothing changed, for a brightness or speed above 4.
    DeviceOutcome SetLighting(const LightSetting& light, OutcomeHandler done = {});
    const std::vector<LightListEntry>& AreaLights() const { return areaLights_; }
    const std::vector<LedEffectEntry>& CustomLightSteps() const { return customLightSteps_; }
    // What the preview plays: the light state with the block copy's mode and speed, so that after
    // a read the preview follows the pad.
    LightInfoRecord PreviewSelection() const;
    void SaveProfile() { profile_->SaveProfile(); }

    // --- The pad ---
    const PadBlock& Block() const { return block_; }
    const DeviceInfoRecord& DeviceInfo() const { return deviceInfo_; }
    // The block copy to on-board profile `profileIndex` (address profileIndex × 64).
    DeviceOutcome WriteSettings(uint8_t profileIndex, OutcomeHandler done = {});
    // The active profile's block read; on the driving thread it becomes the block copy and is
    // handed to `onRead`. A failed or short read keeps the previous copy and calls nothing. The
    // light state and the profile are not changed.
    DeviceOutcome ReadPadBlock(std::function<void(const PadBlock&)> onRead, OutcomeHandler done = {});

    CBasicProfiledata& Profile() { return *profile_; }
    const CBasicProfiledata& Profile() const { return *profile_; }

protected:
    // For a family whose document extends the pad's.
    MousePadDevice(CommandChannel& channel, std::unique_ptr<CBasicProfiledata> document);

private:
    DeviceOutcome LoadAndWrite(OutcomeHandler done);
    DeviceOutcome Run(DeviceSequence sequence, OutcomeHandler done) { return runner_->Run(std::move(sequence), std::move(done)); }

    PadDeviceModel memories_;
    ImmediateRunner immediate_;
    SequenceRunner* runner_ = &immediate_;
    std::unique_ptr<CBasicProfiledata> profile_;
    std::string folder_;
    std::string lightConfigName_ = kPadLightConfigName;
    int lightGroup_ = 0;

    PadBlock block_;
    DeviceInfoRecord deviceInfo_;
    LightInfoRecord light_;
    std::vector<LightListEntry> areaLights_;
    std::vector<LedEffectEntry> customLightSteps_;
};

}  // namespace orvane
