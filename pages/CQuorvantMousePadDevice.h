#pragma once
// CQuorvantMousePadDevice ("QuorvantMousePadDevice"): the lit mouse pad's page, built from
// "XML\\DeviceXml\\mousepaddevice.xml". It holds the pad core (MousePadDevice: block copy,
// profile document and lighting, the same object the command-line tool holds), binds the
// picture's light buttons ("mousepad_device_key_light"), the profile panel and the lighting panel
// to it, and runs the pad's preview (its own modes, thresholds, ripples and per-light effects)
// and the sync thread: an on-board profile switch makes the page re-read the pad's block and
// tell the main window the profile number (message 0x0D00).
//
// The headset's page is this page with its own core, audio panels and light output: it derives
// from it through the protected constructor and overrides what it adds to.
//
// Device kind 3. UI thread only, except what the threads share: the preview state and the two
// channels.

#include <functional>
#include <memory>
#include <optional>

#include "mouse/LightNames.h"
#include "mousepad/MousePadDevice.h"
#include "pages/CQuorvantUSBDevice.h"

namespace orvane {

class CDeviceProfileUI;
class PageCommandRunner;
class UiThreadGate;

class CQuorvantMousePadDevice : public CQuorvantUSBDevice {
public:
    explicit CQuorvantMousePadDevice(QWidget* parent = nullptr);
    // Stops the preview thread, then the sync thread, then the command worker.
    ~CQuorvantMousePadDevice() override;

    QString GetClass() const override { return "QuorvantMousePadDevice"; }

    // --- Identity ---
    // Also names the document's default profile (default data folder + folder + ".Json").
    void SetDeviceFolder(const QString& folder) override;
    // Also makes the document use its "Device"[0].
    void SetLightTableIndex(int index) override;
    int InitPage() override { return BindControls(); }

    // --- Page operations ---
    // The light buttons of "mousepad_device_key_light" (user data or name "light_N"), which also
    // becomes the select panel when the page has none; the profile panel ("DeviceProfileItem")
    // and the lighting panel ("LightControlItem"). Nothing without a page name or without
    // "mousepad_device_key_light". Returns 1.
    int BindControls();
    // Device info read, the profile loaded and shown, the preview thread started.
    void OnConnect() override;
    // The pad's active profile block read (a failed read keeps the block copy); the preview
    // follows its mode and speed and the main window gets message 0x0D00 with the profile
    // number. The light state and the profile are not changed.
    void OnSyncRequest() override;
    // The profile file loaded and its lighting taken into the preview. 1.
    int ReloadProfile() override;
    // The lighting of the document into the block copy and the preview. 1.
    int ApplyLighting() override;
    void RefreshControls() override;
    // The default profile's document replaces the current profile's (which keeps its file) and
    // is shown; nothing is written to the pad. Nothing at all when the default profile has no
    // document.
    void RestoreDefaults() override;
    // The block copy to on-board profile `profileIndex`; the other arguments are the mouse's.
    // 1 taken on, 0 refused.
    int WriteSettings(int profileIndex, int activeProfile, int screenFlag, int screenWidth, int screenHeight) override;
    void StoreProfile() override { pad_->SaveProfile(); }
    std::optional<LightSetting> GetLighting() const override { return pad_->LightState().light; }
    bool ChangeLighting(const LightSetting& light) override;
    CLightControlUI* GetLightPanel() const override;
    // The light names of the user data folder and the default light file; the lighting panel
    // lists the modes.
    void LoadLightNames() override;
    // The document's paths from the user data folder, the profile UUID and the config name.
    void SetProfilePaths();
    std::string GetProfileFileName() const { return pad_->Profile().GetProfilePath(); }
    // Light state bytes 0-3 = a, 4-7 = b, 8-10 = c's low 24 bits; then the document's light info.
    void SetLightState(uint32_t a, uint32_t b, uint32_t c);
    LightInfoRecord GetLightState() const { return pad_->LightState(); }

    // --- Sequences of the main window's triggers ---
    // The profile the profile panel selected: loaded, shown and written. False when the panel has
    // nothing selected or the profile cannot be used.
    bool ApplySelectedProfile() override;
    // "device_reset_btn": the profile panel resets its selected profile, which is then loaded,
    // shown and written. False when nothing changed.
    bool ResetSelectedProfile() override;
    // Around a profile panel event: when the pad does not take the profile it selected, the
    // profile folder goes back to what it was and the page shows it again.

    // A device sequence is waiting, running or its result not yet taken.
    bool IsDeviceBusy() const;

    // The pad core: what the editors and the tests act on.
    MousePadDevice& Pad() { return *pad_; }
    const MousePadDevice& Pad() const { return *pad_; }
    CDeviceProfileUI* GetProfileItem() const override;

protected:
    using CoreFactory = std::function<std::unique_ptr<MousePadDevice>(CommandChannel& channel)>;
    // A family that shares the pad's page with a core of its own over the page's command
    // channel (`kind`: its device kind).
    CQuorvantMousePadDevice(QWidget* parent, int kind, const CoreFactory& makeCore);
    // The picture whose buttons are the lights.
    virtual const char* LightPictureName() const { return "mousepad_device_key_light"; }

private:
    // The block copy's mode and speed, the light state, the per-light effects and the user
    // effect's steps into the preview.
    void ShowLighting();
    void ReloadPutBackProfile() override;

    std::shared_ptr<UiThreadGate> uiGate_;
    std::unique_ptr<PageCommandRunner> runner_;
    std::unique_ptr<MousePadDevice> pad_;
    LightNameLists lightNames_;
    QPointer<QWidget> profileItem_;
    QPointer<QWidget> lightPanel_;
};

}  // namespace orvane
