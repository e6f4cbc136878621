#pragma once
// CMpDevicePowerUI ("MpDevicePower"): the power display of one device, built from
// "XML\\CustomControlXML\\MpDevicePower.xml". Its named children, looked up inside the item on
// first use and kept: the container "device_power_Layout", the label "device_power_value", the
// wireless mark "device_wuxian_logo", the status icon "device_power_status", the progress bar
// "device_Power_progress" and the phone icon "device_phone_type".

#include "ui/framework/Container.h"

#include <QPointer>

#include <cstdint>
#include <span>

namespace orvane::ui {

class CMpDevicePowerUI : public CHorizontalLayoutUI {
public:
    using CHorizontalLayoutUI::CHorizontalLayoutUI;

    QString GetClass() const override { return "MpDevicePower"; }
    // Raises "selectchanged" after the base activation.
    bool Activate() override;

    void SetDeviceKind(int type, int role);
    int GetDeviceType() const { return deviceType_; }
    int GetDeviceRole() const { return deviceRole_; }

    // Visibility of "device_power_Layout"; the page passes its power flag.
    void SetPowerLayoutVisible(bool visible);

    // Shows a power status record: byte 0 charge in percent, byte 1 charge state (0 external
    // power, 1 charging, 2 on battery), byte 3 wireless mark, byte 5 the phone on a mouse pad's
    // charger. Bytes beyond `status` read as 0; only the first 64 are looked at. Shows nothing
    // unless the value label, wireless mark, progress bar, status icon and phone icon all exist.
    void ShowPowerStatus(std::span<const std::uint8_t> status);

private:
    CControlUI* PowerLayout();

    QPointer<QWidget> powerLayout_;
    QPointer<QWidget> valueLabel_;
    QPointer<QWidget> wirelessLogo_;
    QPointer<QWidget> statusIcon_;
    QPointer<QWidget> progress_;
    QPointer<QWidget> phoneIcon_;
    int deviceType_ = 0;
    int deviceRole_ = 0;
};

}  // namespace orvane::ui
