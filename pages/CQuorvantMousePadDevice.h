#pragma once
// CQuorvantMousePadDevice ("QuorvantMousePadDevice"): the lit mouse pad's page, built from
// "XML\\DeviceXml\\mousepaddevice.xml".

#include "pages/CQuorvantUSBDevice.h"

namespace orvane {

class CQuorvantMousePadDevice : public CQuorvantUSBDevice {
public:
    using CQuorvantUSBDevice::CQuorvantUSBDevice;

    QString GetClass() const override { return "QuorvantMousePadDevice"; }
};

}  // namespace orvane
