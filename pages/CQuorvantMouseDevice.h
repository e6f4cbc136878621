#pragma once
// CQuorvantMouseDevice ("QuorvantMouseDevice"): the mouse's device page, built from
// "XML\\DeviceXml\\mousedevice1.xml". Device kind 2 from construction.

#include "pages/CQuorvantUSBDevice.h"

namespace orvane {

class CQuorvantMouseDevice : public CQuorvantUSBDevice {
public:
    explicit CQuorvantMouseDevice(QWidget* parent = nullptr);

    QString GetClass() const override { return "QuorvantMouseDevice"; }

    // The light that the logo button shows; -1: no logo light.
    void SetLogoLightIndex(int index) { logoLightIndex_ = index; }
    int GetLogoLightIndex() const { return logoLightIndex_; }

private:
    int logoLightIndex_ = -1;
};

}  // namespace orvane
