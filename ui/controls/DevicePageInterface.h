#pragma once
// What a device selector entry drives on its device page: the operations its timers run and the
// page state those timers read. The device pages implement it, so the entry never needs to know a
// page's class. All calls come on the UI thread.

namespace orvane::ui {

class CDeviceOptionUI;

class DevicePageInterface {
public:
    virtual ~DevicePageInterface() = default;

    // Timer 1000, armed after connecting: the preview colours onto the light buttons.
    virtual void PaintLightButtons() = 0;
    // Timer 1001, once per arrival: the initial read of the device.
    virtual void OnConnect() = 0;
    // Timer 1002, armed by the page's sync thread: re-read what the device changed by itself.
    virtual void OnSyncRequest() = 0;
    // Timers 1003 and 1004: reserved operations.
    virtual void ReservedTimerOperation1() = 0;
    virtual void ReservedTimerOperation2() = 0;
    // Timer 1005, every 5 s while the power flag is set and the channel is open.
    virtual void PollPowerStatus() = 0;

    // The command channel's open flag: the power timer stops re-arming once it is clear.
    virtual bool IsChannelOpen() const = 0;
    // The device reports a power status.
    virtual bool HasPowerFlag() const = 0;

    // The entry hands itself to the page when it is bound to it (the page's option item).
    virtual void SetOptionItem(CDeviceOptionUI* entry) = 0;
};

}  // namespace orvane::ui
