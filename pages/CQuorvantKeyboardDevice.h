#pragma once
// CQuorvantKeyboardDevice ("QuorvantKeyboardDevice"): the page of a per-key backlit keyboard,
// built from "XML\\DeviceXml\\keyboarddevice.xml" and "keyboarddevice1.xml".

#include "pages/CQuorvantUSBDevice.h"

namespace orvane {

class CQuorvantKeyboardDevice : public CQuorvantUSBDevice {
public:
    using CQuorvantUSBDevice::CQuorvantUSBDevice;

    QString GetClass() const override { return "QuorvantKeyboardDevice"; }
};

}  // namespace orvane
