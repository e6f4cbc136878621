#pragma once
// CQuorvantKeyboardDevice ("QuorvantKeyboardDevice"): the page of a per-key backlit keyboard,
// built from "XML\\DeviceXml\\keyboarddevice.xml" and "keyboarddevice1.xml". It holds the
// keyboard core (KeyboardDevice: key table, LED map, block, profile document, lighting and
// actions in the user's units, the same object the command-line tool holds) and binds to it the
// 126 key buttons of "keyboard_device_key_light" (each a key and a light), the profile panel, the
// lighting panel, the key assignment and macro panels and the settings panel.
//
// The preview thread plays the keyboard's own light modes (KeyboardPreviewAnimator) and streams
// each changed frame to the keyboard, so the keyboard's backlight runs only while the page is on
// screen. The sync thread hands the keyboard's key events to the reactive modes and arms the
// re-read of the block after an on-board profile switch.
//
// Device kind 1. UI thread only, except what the threads share: the preview state, the core's
// lighting and maps, and the two channels.

#include <QPointer>

#include <memory>
#include <optional>
#include <string>

#include "keyboard/KeyboardDevice.h"
#include "mouse/LightNames.h"
#include "pages/CQuorvantUSBDevice.h"

namespace orvane {

class KeyboardPreviewAnimator;
class KeyboardSettingsPanel;
template <class Value>
class NewestValueSender;
class PageCommandRunner;
class UiThreadGate;

class CQuorvantKeyboardDevice : public CQuorvantUSBDevice {
public:
    // Key buttons that only the lighting panel uses (the custom pattern's keys without a key
    // function of their own on the keys panel).
    static constexpr int kLightOnlyKeys[] = {17, 110};

    explicit CQuorvantKeyboardDevice(QWidget* parent = nullptr);
    // Stops the preview thread, then the sync thread, then the command worker.
    ~CQuorvantKeyboardDevice() override;

    QString GetClass() const override { return "QuorvantKeyboardDevice"; }

    // --- Identity ---
    // Also names the document's default profile (default data folder + folder + ".Json").
    void SetDeviceFolder(const QString& folder) override;
    // Also makes the document use its "Device"[0].
    void SetLightTableIndex(int index) override;
    int InitPage() override { return BindControls(); }

    // --- Page operations ---
    // The key buttons of "keyboard_device_key_light" ("key_N", user data "light_N"), the profile
    // panel, the lighting panel, the macro and key assignment panels and the settings panel.
    // Nothing without a page name or without the picture. Returns 1.
    int BindControls();
    // Key table and LED map read, the profile loaded (the desktop's key repeat taken), shown and
    // its block written, the preview thread started.
    void OnConnect() override;
    // The active profile's block read: lighting and flags taken, saved and shown.
    void OnSyncRequest() override;
    // The profile file loaded as it is and the custom pattern sent. 1.
    int ReloadProfile() override;
    void RefreshControls() override;
    void RefreshTexts() override { RebuildKeyInfo(); }
    // The default profile's document replaces the current profile's and is shown and written.
    // Nothing at all when the default profile has no document.
    void RestoreDefaults() override;
    // The core's lighting into the preview (streamed anew). 1.
    int ApplyLighting() override;
    // 1 taken on, 0 refused.
    int WriteKeys(int profileIndex) override;
    // 0 taken on or nothing to write, -1 refused.
    int WriteMacros() override;
    // The block to on-board profile `profileIndex` naming `activeProfile`; the screen arguments
    // are the mouse's. 1 taken on, 0 refused.
    int WriteSettings(int profileIndex, int activeProfile, int screenFlag, int screenWidth, int screenHeight) override;
    void StoreProfile() override { keyboard_->SaveProfile(); }
    std::optional<LightSetting> GetLighting() const override { return keyboard_->LightState().light; }
    bool ChangeLighting(const LightSetting& light) override;
    CLightControlUI* GetLightPanel() const override;
    CDeviceProfileUI* GetProfileItem() const override;
    CKeySetControlUI* GetKeySetItem() const override;
    CMacroControlUI* GetMacroItem() const override;
    // The light names of the user data folder and the default light file; the lighting panel
    // lists the modes.
    void LoadLightNames() override;
    // The document's paths from the user data folder, the profile UUID and the config name.
    void SetProfilePaths();
    std::string GetProfileFileName() const { return keyboard_->Profile().GetProfilePath(); }
    LightInfoRecord GetLightState() const { return keyboard_->LightState(); }
    // Base panels; key buttons 17 and 110 only on the lighting panel; every panel but the keys
    // reloads the profile (dropping key edits not yet saved).
    void SwitchFunctionPanel(int type) override;
    // Base selection; the key editor shows the key's entry and its button the selected look.
    void SelectKey(int index) override;
    // On the keys panel the key is selected; on the lighting panel in the custom static mode it
    // is switched on or off in the pattern. False when the click did nothing.
    bool OnKeyButtonClicked(int key) override;
    void SetKeyAssignment(const KeyListEntry& entry) override;
    // "custom_bright_color_btn" / "custom_off_color_btn": every key of the custom pattern on (in
    // the light state's colour) or off, saved and sent. False when refused.
    bool SetAllCustomKeys(bool on);
    // "light_combo_custommodeSelect": group `group` of the profile becomes the custom pattern,
    // saved and sent. False when refused.
    bool SetCustomLightGroup(int group);
    // Asks the keyboard whether it takes key assignments: when it does, the key editor shows
    // (with a key selected) and the notice panels hide; otherwise the editor hides and the notice
    // of the interface language shows ("keytishi_layout" Chinese, "mstishi_layout" Japanese,
    // "ENtishi_layout" English; other languages leave the notices as they are). A failed read
    // changes nothing.
    void ShowKeyEditorVariant();
    // Macros and keys written, the profile saved, the key texts rebuilt.
    void SaveKeyAssignments() override;
    bool OnSettingsNotify(const ui::TNotifyUI& msg) override;
    // Only the tint of intensity: every light button in the backlight's red at its key's alpha.
    void PaintLightButtons() override;

    // --- Sequences of the main window's triggers ---
    bool ApplySelectedProfile() override;
    bool ResetSelectedProfile() override;
    void ReloadPutBackProfile() override;

    // A device sequence is waiting, running or its result not yet taken.
    bool IsDeviceBusy() const;
    // Light frames the preview has streamed to the keyboard.
    uint64_t FramesStreamed() const;

    // The keyboard core: what the editors and the tests act on.
    KeyboardDevice& Keyboard() { return *keyboard_; }
    const KeyboardDevice& Keyboard() const { return *keyboard_; }

private:
    // What every profile load shares: the key buttons unselected, the key editor idle, the
    // lighting into the preview.
    void TakeLoadedProfile();
    void ShowKeyEditorIdle();
    void ShowKeyEditorFor(bool keysTaken);
    // Each key button's tool tip from its default and current function, and its set/unset look.
    void RebuildKeyInfo();
    void ShowLightPanel();
    // The loaded lighting on the key buttons now, not from the preview's first frame on.
    void ShowLightingAtOnce();
    // The preview shows (and streams) the core's lighting from its next frame on.
    void RestartPreview();

    std::shared_ptr<KeyboardDevice> keyboard_;
    std::shared_ptr<KeyboardPreviewAnimator> animator_;
    std::shared_ptr<UiThreadGate> uiGate_;
    std::unique_ptr<PageCommandRunner> runner_;
    std::unique_ptr<KeyboardSettingsPanel> settings_;
    // Frames of synchronised lighting to the keyboard, off the UI thread.
    std::unique_ptr<NewestValueSender<std::vector<LightColor>>> syncOutput_;
    LightNameLists lightNames_;
    QPointer<QWidget> profileItem_;
    QPointer<QWidget> lightPanel_;
    mutable QPointer<QWidget> keySetItem_;
    mutable QPointer<QWidget> macroItem_;
};

}  // namespace orvane
