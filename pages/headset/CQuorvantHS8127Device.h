#pragma once
// CQuorvantHS8127Device ("QuorvantHS8127Device"): the USB headset's page, built from
// "XML\\DeviceXml\\hs8127device.xml".

#include "pages/CQuorvantUSBDevice.h"

namespace orvane {

class CQuorvantHS8127Device : public CQuorvantUSBDevice {
public:
    using CQuorvantUSBDevice::CQuorvantUSBDevice;

    QString GetClass() const override { return "QuorvantHS8127Device"; }
};

}  // namespace orvane
