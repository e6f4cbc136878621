#include "pages/CQuorvantMouseDevice.h"

namespace orvane {

CQuorvantMouseDevice::CQuorvantMouseDevice(QWidget* parent) : CQuorvantUSBDevice(parent) {
    SetDeviceKind(kDeviceMouse);
}

}  // namespace orvane
