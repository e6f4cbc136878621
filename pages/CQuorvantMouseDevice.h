#pragma once
// CQuorvantMouseDevice ("QuorvantMouseDevice"): the mouse's device page, built from
// "XML\\DeviceXml\\mousedevice1.xml". It holds the mouse core (MouseDevice: memories, profile
// document and actions in the user's units, the same object the command-line tool holds), binds
// the layout's picture, profile panel and system panel to it, and runs two threads: the light
// preview (the base page's PreviewThread, started on connection) and the sync thread, which
// makes the page read the device's new profile 500 ms after an on-board profile switch.
//
// Device kind 2. UI thread only, except what the threads share: the preview state and the two
// channels.

#include <QTimer>

#include <memory>
#include <vector>

#include "pages/CQuorvantUSBDevice.h"
#include "mouse/LightNames.h"
#include "mouse/MouseDevice.h"

namespace orvane::ui {
struct TNotifyUI;
}

namespace orvane {

class CDeviceProfileUI;
class CShootControlUI;
class CKeySetControlUI;
class CMacroControlUI;
class MousePerformanceView;
class PageCommandRunner;
class UiThreadGate;

class CQuorvantMouseDevice : public CQuorvantUSBDevice {
public:
    explicit CQuorvantMouseDevice(QWidget* parent = nullptr);
    // Stops the preview thread, then closes the sync channel and stops the sync thread.
    ~CQuorvantMouseDevice() override;

    QString GetClass() const override { return "QuorvantMouseDevice"; }

    // --- Identity ---
    // The light that the logo button shows; -1: no logo light.
    void SetLogoLightIndex(int index) { logoLightIndex_ = index; }
    int GetLogoLightIndex() const { return logoLightIndex_; }
    // Also names the document's default profile (default data folder + folder + ".Json").
    void SetDeviceFolder(const QString& folder) override;
    // Also makes the document use its "Device"[0].
    void SetLightTableIndex(int index) override;
    int InitPage() override { return BindControls(); }

    // --- Page operations ---
    // Binds the picture ("mouse_device_seting_layout"), the profile panel ("DeviceProfileItem"),
    // the system panel and the settings tab. Returns 1.
    int BindControls();
    // Initial read of the device, the profile loaded and shown, the preview thread started.
    void OnConnect() override;
    // The device's active profile and its settings block read (nothing taken when the read
    // failed), taken into the lighting and the document, saved and shown.
    void OnSyncRequest() override;
    void PollPowerStatus() override;
    // The profile file loaded into the page (system settings from the document), not saved. 1.
    int ReloadProfile() override;
    void RefreshControls() override;
    void RefreshTexts() override { RefreshKeyInfo(); }
    // The default profile's document replaces the current profile's (which keeps its file) and
    // is shown; nothing is written to the device. Nothing at all when the default profile has
    // no document.
    void RestoreDefaults() override;
    // The light state, area lights and custom steps from the document into the preview. 1.
    int ApplyLighting() override;
    // The key table of on-board profile `profileIndex`. 1 written, 0 skipped.
    int WriteKeys(int profileIndex) override;
    // The macros of the user data folder into the macro memory: 0 written or nothing to write,
    // > 0 events too many (nothing written), -1 the device stopped answering.
    int WriteMacros() override;
    // The settings block of `profileIndex` from the document. 1 written, 0 skipped.
    int WriteSettings(int profileIndex, int activeProfile, int screenFlag, int screenWidth, int screenHeight) override;
    // The light names of the user data folder and the default light file; the lighting panel
    // lists the modes.
    void LoadLightNames() override;
    std::optional<LightSetting> GetLighting() const override { return mouse_.LightState().light; }
    bool ChangeLighting(const LightSetting& light) override;
    CLightControlUI* GetLightPanel() const override;
    // The shooting pattern panel ("ShootControlItem"); null when the layout has none.
    CShootControlUI* GetShootPanel() const;
    // Base panels; then on a page with "device_tishi_info" every panel but the key panel
    // reloads the profile (dropping key edits not yet saved), and the tip shows for the
    // lighting, key and system panels.
    void SwitchFunctionPanel(int type) override;
    // The document's paths from the user data folder, the profile UUID and the config name.
    void SetProfilePaths();
    std::string GetProfileFileName() const { return mouse_.Profile().GetProfilePath(); }
    void StoreProfile() override { mouse_.SaveProfile(); }
    // Light state bytes 0-3 = a, 4-7 = b, 8-10 = c's low 24 bits; then the document's light info.
    void SetLightState(uint32_t a, uint32_t b, uint32_t c);
    LightInfoRecord GetLightState() const { return mouse_.LightState(); }
    // The key being edited: its button shows the selected look, the others not, and the key
    // editor's area "keyset_layout" shows.
    void SelectKey(int index) override;
    // Logo row and logo button from the same colours, then the base's light buttons.
    void PaintLightButtons() override;

    // --- Sequences of the main window's triggers ---
    // The profile the profile panel selected: loaded and shown, its pointer settings applied to
    // the desktop, keys, macros and settings (screen flag 0) written. False when the panel has
    // nothing selected or the profile cannot be used.
    bool ApplySelectedProfile() override;
    // "device_reset_btn": the profile panel resets its selected profile, which is then loaded,
    // shown and written (settings with the desktop size, macros, keys). False when nothing changed.
    bool ResetSelectedProfile() override;
    // Around every profile panel event: the profile folder and the desktop's pointer settings
    // as they were before it, put back (and the panel and page shown from them) when the mouse
    // does not take the profile the event selected.
    // A click on key button `key` of the key panel: false, with "message_text_6" shown, when the
    // key holds the only left-button function; else the key is selected.
    bool OnKeyButtonClicked(int key) override;
    // "key_butt_prosave": macros and keys written, the profile saved. Macros too large for the
    // device are refused with a message naming how many events must go.
    void SaveKeyAssignments() override;
    // A control of the system panel changed; false when it is none of the panel's.
    bool OnSettingsNotify(const ui::TNotifyUI& msg) override;

    // A device sequence is waiting, running or its result not yet shown.
    bool IsDeviceBusy() const;

    // The mouse core: what the editors and the tests act on.
    MouseDevice& Mouse() { return mouse_; }
    const MouseDevice& Mouse() const { return mouse_; }

    // --- Editors ---
    std::vector<KeyListEntry> GetKeyList() const { return mouse_.Keys(); }
    // The selected key's assignment replaced and the key list given to the document (not saved).
    void SetKeyAssignment(const KeyListEntry& entry) override;
    // In "mouse_device_seting_layout" item n (0 when there is none); the option
    // "mouse_device_seting_option_" + n of "mouse_option_layout" selected, the others not.
    void SelectSettingsTab(int n);
    CDeviceProfileUI* GetProfileItem() const override;
    // The key assignment panel ("KeySetControlItem"); nullptr on a layout without one.
    CKeySetControlUI* GetKeySetItem() const override;
    // The macro panel ("MacroControlItem"); nullptr on a layout without one.
    CMacroControlUI* GetMacroItem() const override;

private:
    void LoadProfileOnConnect();
    // What every profile load shares: the document's keys into the page, the keys shown
    // unselected, the lighting into the preview.
    void TakeLoadedProfile();
    void ShowKeysUnselected();
    void ShowKeyEditorIdle();
    void RefreshKeyInfo();
    void RefreshPerformance();
    // The preview animates `selection` from now on.
    void SetPreviewSelection(const LightInfoRecord& selection);
    void BindPicture(ui::CControlUI& picture);
    void ReloadPutBackProfile() override;

    std::unique_ptr<SystemMouseSettings> desktop_;
    MouseDevice mouse_;
    std::unique_ptr<MousePerformanceView> performanceView_;

    LightInfoRecord previewSelection_;
    LightNameLists lightNames_;

    int logoLightIndex_ = -1;
    std::vector<QPointer<ui::CDeviceKeyButtonUI>> logoRow_;
    QPointer<QWidget> logoButton_;
    QPointer<QWidget> profileItem_;
    QPointer<QWidget> lightPanel_;
    QPointer<QWidget> shootPanel_;
    mutable QPointer<QWidget> keySetItem_;
    mutable QPointer<QWidget> macroItem_;
    QPointer<QWidget> tip_;

    std::shared_ptr<UiThreadGate> uiGate_;
    std::unique_ptr<PageCommandRunner> runner_;
};

}  // namespace orvane
