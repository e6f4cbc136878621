#pragma once
// CQuorvantUSBDevice ("QuorvantUSBDevice"): the base of every device page. A page is the container
// its page layout builds and at the same time the model of one device: it owns the device's
// command channel and the sync channel on its event interface, keeps the identity the main window
// hands it, binds the key and light buttons of its picture, and gives the device-list entry the
// operations its timers run (DevicePageInterface). Family operations default to doing nothing
// (or returning 0); the family pages override them.
//
// The light preview: the page owns a LightPreviewState that its family's preview thread animates
// (and the lighting synchroniser may colour). The thread runs frames only while the preview is on
// screen (IsPreviewShown) and asks for a paint pass when a frame changed a colour; the pass
// (PaintLightButtons, also run by the entry's timer 1000 after connecting) tints and repaints
// only the light buttons whose colour changed.
//
// The main window sets the identity in the order the setters are declared, then calls InitPage.
// UI thread only, except the flags, the channels' open state and the preview state, which worker
// threads share (atomic / locked).

#include "device/DeviceCatalogue.h"
#include "light/LightPreviewState.h"
#include "profiles/ProfileChangeGuard.h"
#include "profiles/ProfileRecords.h"
#include "protocol/CommandChannel.h"
#include "protocol/PowerStatus.h"
#include "ui/controls/DevicePageInterface.h"
#include "ui/framework/Container.h"

#include <QPointer>
#include <QTimer>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace orvane::ui {
struct TNotifyUI;
class CDeviceKeyButtonUI;
class CDeviceOptionUI;
class CMpDevicePowerUI;
class WindowImplBase;
}  // namespace orvane::ui

namespace orvane {

class CDeviceProfileUI;
class CKeySetControlUI;
class CLightControlUI;
class CMacroControlUI;

class PreviewThread;
class SyncThread;
class UiThreadGate;

class CQuorvantUSBDevice : public ui::CHorizontalLayoutUI, public ui::DevicePageInterface {
public:
    // The function panels, as the main window's tab options name them ("deng_Op_tab" … "magic_Op_tab").
    enum FunctionPanel {
        kPanelLighting = 1,
        kPanelKeys = 2,
        kPanelMacros = 3,
        kPanelSystem = 4,
        kPanelCursor = 5,
        kPanelVoice = 6,
        kPanelMagic = 7,
    };

    explicit CQuorvantUSBDevice(QWidget* parent = nullptr);
    ~CQuorvantUSBDevice() override;

    QString GetClass() const override { return "QuorvantUSBDevice"; }

    // --- Identity, in the order the main window sets it ---
    void SetPageName(const QString& name);
    void SetMainWindow(ui::WindowImplBase* window);
    // Resizes the key button list when the count changes.
    void SetKeyButtonCount(int count);
    // Resizes the light button, light colour and area light lists when the count changes; clears
    // every light colour and area light on every call.
    void SetLightCount(int count);
    // Stored and passed on to the power control when there is one.
    void SetPowerFlag(bool on);
    void SetProfileUuid(const QString& uuid);
    virtual void SetDeviceFolder(const QString& folder);
    // Stored; the power flag is passed to it at once.
    void SetPowerControl(ui::CMpDevicePowerUI* control);
    // Copied; device kind := its type, device sub-kind := its role field.
    void SetDeviceRecord(const DeviceRecord& record);
    virtual void SetLightTableIndex(int index) { lightTableIndex_ = index; }
    void SetConfigName(const QString& name);
    // Binds the page's controls. Base: the first "SelectPanel" child and its "DeviceKeyButton"
    // children (names "key_N" → key button N, user data "light_N" → light button N). With an
    // empty page name nothing is bound and both counts become 0. Returns 1.
    virtual int InitPage();

    QString GetPageName() const { return pageName_; }
    ui::WindowImplBase* GetMainWindow() const;
    int GetKeyButtonCount() const { return keyButtonCount_; }
    int GetLightCount() const { return lightCount_; }
    bool GetPowerFlag() const { return powerFlag_.load(); }
    QString GetProfileUuid() const { return profileUuid_; }
    QString GetDeviceFolder() const { return deviceFolder_; }
    ui::CMpDevicePowerUI* GetPowerControl() const;
    const DeviceRecord& GetDeviceRecord() const { return record_; }
    int GetDeviceKind() const { return deviceKind_; }
    int GetDeviceSubKind() const { return deviceSubKind_; }
    int GetLightTableIndex() const { return lightTableIndex_; }
    QString GetConfigName() const { return configName_; }
    ui::CDeviceOptionUI* GetOptionItem() const;
    ui::CControlUI* GetSelectPanel() const;
    ui::CDeviceKeyButtonUI* GetKeyButton(int index) const;
    ui::CDeviceKeyButtonUI* GetLightButton(int index) const;

    // --- Files of the device (folders created when missing) ---
    // "<data home>/ORVANE Q730 Gaming Mouse/<device folder>/".
    std::string GetUserDataFolder() const;
    // "<program data>/DefaultData/".
    std::string GetDefaultDataFolder() const;
    // Default data folder + device folder + ".Json".
    std::string GetDefaultProfilePath() const;

    // --- Channels (opened and closed by discovery) ---
    // The on-board profile is re-read this long after the device announced a switch.
    static constexpr int kSyncDelayMs = 500;

    CommandChannel& Channel() { return *channel_; }
    CommandChannel& SyncChannel() { return *syncChannel_; }
    // The event interface: base opens or closes the sync channel; a family that reads it
    // (ReadsSyncChannel) also starts or stops the sync thread, which arms the entry's sync timer
    // (OnSyncRequest kSyncDelayMs later) when the device announces a profile switch.
    bool OpenSyncChannel(const std::string& path);
    // Closes the channel (which wakes the thread's read), then stops the thread.
    void CloseSyncChannel();
    bool ReopenSyncChannel(const std::string& path);

    // --- Flags the main window sets on every page ---
    // Switching lighting back on repaints every light at the next paint.
    void SetLightingEnabled(bool on);
    bool IsLightingEnabled() const { return lightingEnabled_.load(); }
    // The window is active or hovered.
    void SetWindowActive(bool on);
    bool IsWindowActive() const { return windowActive_.load(); }
    // The lighting synchroniser drives the lights (the channel's flag); the preview stands still
    // meanwhile.
    void SetSyncLighting(bool on);

    // Whether the preview is on screen: lighting on, the page the current one of a shown window
    // that is not minimised and is active or hovered.
    bool IsPreviewShown() const;
    // Any thread: one paint pass (PaintLightButtons) soon on the UI thread, queued behind what is
    // queued there already. Requests made before it runs make one pass.
    void RequestPaint();

    // --- Page operations the main window and the editors call ---
    virtual int ApplyLighting() { return 0; }
    // The page's light state; nullopt for a page that has none.
    virtual std::optional<LightSetting> GetLighting() const { return std::nullopt; }
    // The lighting editor's change: the page leaves synchronised lighting, stores the state in
    // its profile, saves it, writes it to the device and previews it. False when refused.
    virtual bool ChangeLighting(const LightSetting&) { return false; }
    // The page's lighting panel; null for a page without one.
    virtual CLightControlUI* GetLightPanel() const { return nullptr; }
    // The page's profile panel ("DeviceProfileItem"); null for a page without one.
    virtual CDeviceProfileUI* GetProfileItem() const { return nullptr; }
    // The profile the profile panel selected: loaded, shown and written to the device. False
    // when nothing was applied.
    virtual bool ApplySelectedProfile() { return false; }
    // "device_reset_btn": the profile panel resets its selected profile, which is then loaded,
    // shown and written. False when nothing changed.
    virtual bool ResetSelectedProfile() { return false; }
    // Around every profile panel event: when the device does not take the profile the event
    // selected, the user data folder goes back to what it was before (ProfileChangeGuard).
    void ArmProfileRollback() { profileGuard_.Arm(GetUserDataFolder()); }
    void DisarmProfileRollback() { profileGuard_.Disarm(); }
    // What the lighting synchroniser paints the page through from its thread; it keeps the
    // preview and the channel alive and asks for paint passes that do nothing once the page is gone.
    struct SyncTarget {
        std::shared_ptr<LightPreviewState> preview;
        std::shared_ptr<const CommandChannel> channel;
        int lights = 0;
        std::function<void()> requestPaint;
    };
    SyncTarget GetSyncTarget() { return {preview_, channel_, lightCount_, PaintRequester()}; }
    // Ignored outside 0..light count-1 / 0 there. Safe from any thread.
    virtual void SetLightColor(int index, uint32_t color);
    virtual uint32_t GetLightColor(int index) const;
    // The per-light effect records ("LightList"), one per light position; setting them also
    // paints one frame of their effects. Safe from any thread.
    std::vector<LightListEntry> GetAreaLights() const;
    void SetAreaLights(std::vector<LightListEntry> lights);
    virtual int ReloadProfile() { return 0; }
    virtual void RefreshControls() {}
    // The page's own texts anew, after a language change.
    virtual void RefreshTexts() {}
    virtual void RestoreDefaults() {}
    virtual int WriteKeys(int profileIndex) {
        (void)profileIndex;
        return 0;
    }
    virtual int WriteMacros() { return 0; }
    virtual int WriteSettings(int profileIndex, int activeProfile, int screenFlag, int screenWidth, int screenHeight) {
        (void)profileIndex, (void)activeProfile, (void)screenFlag, (void)screenWidth, (void)screenHeight;
        return 0;
    }
    virtual void StoreProfile() {}
    // Selects the panels of "device_function_switch" and "device_key_function_switch" that show
    // the function `type` (FunctionPanel; any other type shows the lighting panel). The type is
    // kept even when the page has neither tab layout.
    virtual void SwitchFunctionPanel(int type);
    int GetFunctionPanel() const { return panelType_; }
    // The key being edited; -1 for none.
    virtual void SelectKey(int index) { selectedKey_ = index; }
    // A click on key button `key`; false when the page did nothing with it.
    virtual bool OnKeyButtonClicked(int key) {
        (void)key;
        return false;
    }
    // The key assignment and macro panels of a page with keys; null for a page without them.
    virtual CKeySetControlUI* GetKeySetItem() const { return nullptr; }
    virtual CMacroControlUI* GetMacroItem() const { return nullptr; }
    // The key assignment panel's choice for the selected key (not yet written).
    virtual void SetKeyAssignment(const KeyListEntry&) {}
    // "key_butt_prosave": macros and keys written, the profile saved.
    virtual void SaveKeyAssignments() {}
    // The light and macro names anew (a macro was added, renamed or removed).
    virtual void LoadLightNames() {}
    // A control of the page's settings panel changed; false when it is none of the panel's.
    virtual bool OnSettingsNotify(const ui::TNotifyUI&) { return false; }
    int GetSelectedKey() const { return selectedKey_; }

    // The preview state the family's preview thread animates; shared so the thread may outlive
    // a stop that timed out.
    const std::shared_ptr<LightPreviewState>& PreviewState() const { return preview_; }

    // --- DevicePageInterface ---
    // Nothing while lighting is disabled; when a colour changed since the last paint every
    // visible light button gets the tint of its light colour (red low byte, then blue, then
    // green; alpha as the level); otherwise a light whose tint a hover switched off gets it back.
    // Only buttons whose tint changed are repainted.
    void PaintLightButtons() override;
    void OnConnect() override {}
    void OnSyncRequest() override {}
    void ReservedTimerOperation1() override {}
    void ReservedTimerOperation2() override {}
    void PollPowerStatus() override {}
    bool IsChannelOpen() const override { return channel_->IsOpen(); }
    bool HasPowerFlag() const override { return powerFlag_.load(); }
    void SetOptionItem(ui::CDeviceOptionUI* entry) override;

    // A device sequence that takes longer than this shows the progress indicator.
    static constexpr int kBusyShowMs = 150;

protected:
    // The family's command runner reports here: the main window shows "setting_progress" while a
    // sequence runs longer than kBusyShowMs.
    void OnDeviceBusy(bool busy);
    // A family whose profiles change the desktop's pointer settings puts those back too.
    void SetProfileGuardDesktop(SystemMouseSettings& desktop) { profileGuard_ = ProfileChangeGuard(desktop); }
    // A profile operation's device write under the put-back guard: `write` starts it with the
    // handler of its outcome, which runs `then` first. When the run failed, the folder is back as
    // it was, the profile panel lists it again and the family reloads the selected profile
    // (ReloadPutBackProfile). The outcome `write` returned.
    DeviceOutcome RunProfileChange(const std::function<DeviceOutcome(OutcomeHandler)>& write, OutcomeHandler then = {});
    // The selected profile's document from its file with nothing written (the device has just
    // failed), and shown.
    virtual void ReloadPutBackProfile() {}
    // The result of device work that asks nothing, shown without waiting: the text of
    // `messageId`, a "%d" in it replaced by `number`.
    void ShowPageMessage(const char* messageId, int number = 0);

    // The family's preview thread: started (again) on connection; the family's destructor stops
    // it before its other threads.
    void StartPreviewThread();
    void StopPreviewThread();

    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    // Minimising the window hides the preview too.
    bool eventFilter(QObject* watched, QEvent* e) override;

    void SetDeviceKind(int kind) { deviceKind_ = kind; }
    // The family reads its event interface with a sync thread.
    void SetReadsSyncChannel(bool on) { readsSyncChannel_ = on; }
    // Every usage of the event interface but the profile switch goes to `observer`, on the sync
    // thread; like the channel it must stay valid until the thread has ended. Set before the
    // sync channel first opens.
    void SetUsageObserver(std::function<void(uint16_t usage)> observer) { usageObserver_ = std::move(observer); }
    // The button list entries, for the family bindings. A bound light starts white at full alpha.
    void BindKeyButton(int index, ui::CDeviceKeyButtonUI* button);
    void BindLightButton(int index, ui::CDeviceKeyButtonUI* button);
    void SetSelectPanel(ui::CControlUI* panel);
    // Key and light lists emptied, both counts 0: what a page without a name binds.
    void UnbindAll();

    // The channels, for worker threads that must keep them alive past the page.
    const std::shared_ptr<CommandChannel>& ChannelPtr() const { return channel_; }
    const std::shared_ptr<CommandChannel>& SyncChannelPtr() const { return syncChannel_; }

    // The shared power poll's second half, for a status read with a result of 1: the power
    // control shows it and the main window gets message 0x0D01 with byte 4.
    void ShowPowerStatus(const PowerStatus& status);

    // The preview colours when they changed since the last paint (then they count as painted).
    std::optional<LightColorSnapshot> TakeChangedColors();
    // The base's part of a paint pass: the light buttons, unless lighting is disabled.
    void TintLightButtons(const LightColorSnapshot& colors);
    // Lights whose tint a hover switched off get the last painted colour again.
    void RestoreLostTints();
    // The tint of one light colour: red | blue << 8 | green << 16, alpha as the level. The
    // button is repainted when its tint changed.
    static void TintButton(ui::CDeviceKeyButtonUI& button, LightColor color);

private:
    // The preview's on-screen state to the preview thread; a preview coming on screen is painted.
    void UpdatePreviewShown();
    // Asks for a paint pass from any thread, also after the page has gone (then nothing happens).
    std::function<void()> PaintRequester();

    std::shared_ptr<CommandChannel> channel_ = std::make_shared<CommandChannel>();
    std::shared_ptr<CommandChannel> syncChannel_ = std::make_shared<CommandChannel>();
    QPointer<QTimer> busyTimer_;
    bool progressShown_ = false;
    QPointer<QWidget> selectPanel_;
    QPointer<QWidget> optionItem_;
    QPointer<QWidget> powerControl_;
    QPointer<QWidget> functionSwitch_;
    QPointer<QWidget> keyFunctionSwitch_;
    QString pageName_;
    QPointer<QWidget> mainWindow_;
    QString profileUuid_;
    QString configName_;
    QString deviceFolder_;
    int deviceKind_ = 0;
    int deviceSubKind_ = 0;
    int keyButtonCount_ = 0;
    int lightCount_ = 0;
    int selectedKey_ = -1;
    int panelType_ = kPanelLighting;
    std::vector<QPointer<ui::CDeviceKeyButtonUI>> keyButtons_;
    std::vector<QPointer<ui::CDeviceKeyButtonUI>> lightButtons_;
    std::shared_ptr<LightPreviewState> preview_ = std::make_shared<LightPreviewState>();
    std::unique_ptr<PreviewThread> previewThread_;
    std::unique_ptr<SyncThread> syncThread_;
    bool readsSyncChannel_ = false;
    std::function<void(uint16_t)> usageObserver_;
    std::shared_ptr<UiThreadGate> paintGate_;
    std::shared_ptr<std::atomic<bool>> paintQueued_ = std::make_shared<std::atomic<bool>>(false);
    QPointer<QWidget> watchedWindow_;
    bool previewShown_ = false;
    mutable std::mutex areaMutex_;
    std::vector<LightListEntry> areaLights_;
    std::optional<uint64_t> paintedVersion_;  // UI thread only
    std::vector<LightColor> paintedColors_;
    std::atomic<bool> lightingEnabled_{true};
    std::atomic<bool> windowActive_{true};
    std::atomic<bool> powerFlag_{false};
    void FinishProfileChange(const DeviceOutcome& written);
    ProfileChangeGuard profileGuard_;
    DeviceRecord record_;
    int lightTableIndex_ = 0;
};

}  // namespace orvane
