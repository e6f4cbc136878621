#pragma once
// CDeviceOptionUI ("DeviceOption"): one entry of the device selector. Its skin file carries the
// device's picture and three named children: the option "device_select" (selects the device and
// shows its page through the option's tab binding), the option "synchro_device_select" (takes the
// device into synchronised lighting) and the label "device_select_name". Each child is looked up
// by name inside the entry on first use and kept; a missing child makes its operations do nothing
// (getters answer false, -1 or empty).
//
// The entry runs its page's timers, each one-shot (killed first when it fires):
//   1000  PaintLightButtons: one paint pass after connecting, armed by 1001 (later passes the
//         page runs itself, when its preview has something new to show)
//   1001  OnConnect; arms 1000 at 5 ms and, with the power flag set and the channel open, 1005 at
//         5000 ms; sets LightSyncEvent
//   1002  OnSyncRequest (armed by the page's sync thread, from any thread)
//   1003, 1004  the page's reserved operations
//   1005  PollPowerStatus; re-armed at 5000 ms while the power flag is set and the channel is open
// After its own handling every timer also raises the framework's "timer" notification.
//
// The entry keeps its device type as the dynamic property "devicetype", so that one skin file
// shared by several kinds of device can style the picture with [devicetype="3"] selectors.

#include "ui/framework/Container.h"

#include <QPointer>

namespace orvane::ui {

class CLabelUI;
class COptionUI;
class DevicePageInterface;

class CDeviceOptionUI : public CHorizontalLayoutUI {
public:
    static constexpr int kPaintTimer = 1000;
    static constexpr int kConnectTimer = 1001;
    static constexpr int kSyncTimer = 1002;
    static constexpr int kReservedTimer1 = 1003;
    static constexpr int kReservedTimer2 = 1004;
    static constexpr int kPowerTimer = 1005;

    explicit CDeviceOptionUI(QWidget* parent = nullptr);

    QString GetClass() const override { return "DeviceOption"; }
    // Raises "selectchanged" after the base activation.
    bool Activate() override;
    // Records the value for IsShown, then shows or hides the entry.
    void SetVisible(bool visible) override;

    void ShowSyncOption(bool show);
    // Selecting or deselecting raises "selectchanged" from the option.
    void SetSyncSelected(bool selected);
    bool IsSyncSelected() const;
    void SetDeviceSelected(bool selected);
    bool IsDeviceSelected() const;

    void SetDeviceKind(int type, int role);
    int GetDeviceType() const { return deviceType_; }
    int GetDeviceRole() const { return deviceRole_; }

    // Binds "device_select" to the tab layout and page index.
    void BindTab(const QString& layoutName, int index);
    int GetBoundTabIndex() const;
    QString GetBoundTabName() const;
    // Group of "device_select", so that one entry at a time is selected.
    void SetOptionGroup(const QString& name);

    // Stores the name when it is not empty and the index when it is 0 or more.
    void SetPowerContainer(const QString& name, int index);
    int GetPowerIndex() const { return powerIndex_; }
    QString GetPowerContainer() const { return powerContainer_; }

    void SetDeviceName(const QString& text);

    // Stores the page and hands this entry to it.
    void SetPage(DevicePageInterface* page);
    DevicePageInterface* GetPage() const { return page_; }

    // The last value given to SetVisible (true at first).
    bool IsShown() const { return shown_; }

    // Arms timer 1001 at 500 ms: the page connects then.
    void StartConnectTimer();

protected:
    void OnTimer(int id) override;

private:
    void RunPageTimer(int id);
    COptionUI* SyncOption() const;
    COptionUI* DeviceOption() const;
    CLabelUI* NameLabel() const;

    DevicePageInterface* page_ = nullptr;
    mutable QPointer<QWidget> syncOption_;
    mutable QPointer<QWidget> deviceOption_;
    mutable QPointer<QWidget> nameLabel_;
    int deviceType_ = 0;
    int deviceRole_ = 0;
    QString powerContainer_;
    bool shown_ = true;
    int powerIndex_ = -1;
};

}  // namespace orvane::ui
