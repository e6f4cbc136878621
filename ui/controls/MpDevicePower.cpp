#include "ui/controls/MpDevicePower.h"

#include "ui/controls/CachedChild.h"
#include "ui/framework/Label.h"
#include "ui/framework/Progress.h"
#include "ui/framework/ResourceManager.h"

#include <algorithm>
#include <array>

namespace orvane::ui {
namespace {

constexpr int kMouse = 2;
constexpr int kMousePad = 3;
constexpr std::size_t kRecordLimit = 64;

struct PhoneLook {
    const char* tip;
    const char* image;
};

PhoneLook PhoneLookFor(std::uint8_t phoneType) {
    switch (phoneType) {
        case 1:
            return {"Phone_type_iphone", "file='power/Phone_type_iphone.svg'"};
        case 2:
            return {"Phone_type_samsung", "file='power/Phone_type_samsung.svg'"};
        case 3:
            return {"Phone_type_other", "file='power/Phone_type_other.svg'"};
        default:
            return {"Phone_type_no_device", "file='power/Phone_type_no_device.svg'"};
    }
}

}  // namespace

bool CMpDevicePowerUI::Activate() {
    if (!CHorizontalLayoutUI::Activate()) return false;
    SendNotify("selectchanged");
    return true;
}

void CMpDevicePowerUI::SetDeviceKind(int type, int role) {
    deviceType_ = type;
    deviceRole_ = role;
}

CControlUI* CMpDevicePowerUI::PowerLayout() {
    return CachedChild<CControlUI>(powerLayout_, this, "device_power_Layout");
}

void CMpDevicePowerUI::SetPowerLayoutVisible(bool visible) {
    if (CControlUI* layout = PowerLayout()) layout->SetVisible(visible);
}

void CMpDevicePowerUI::ShowPowerStatus(std::span<const std::uint8_t> status) {
    std::array<std::uint8_t, kRecordLimit> bytes{};
    std::copy_n(status.begin(), std::min(status.size(), kRecordLimit), bytes.begin());

    CLabelUI* value = CachedChild<CLabelUI>(valueLabel_, this, "device_power_value");
    CControlUI* wireless = CachedChild<CControlUI>(wirelessLogo_, this, "device_wuxian_logo");
    CProgressUI* progress = CachedChild<CProgressUI>(progress_, this, "device_Power_progress");
    CControlUI* statusIcon = CachedChild<CControlUI>(statusIcon_, this, "device_power_status");
    CControlUI* phone = CachedChild<CControlUI>(phoneIcon_, this, "device_phone_type");
    if (value == nullptr || wireless == nullptr || progress == nullptr || statusIcon == nullptr || phone == nullptr) return;

    const int charge = bytes[0];
    progress->SetValue(100 - charge);
    value->SetText(QString("%1%2").arg(charge).arg("%"));

    const bool isWireless = bytes[3] != 0;
    if (deviceType_ == kMouse) wireless->SetVisible(isWireless);

    switch (bytes[1]) {
        case 0:
            progress->SetVisible(true);
            statusIcon->SetBkImage("file='power/powered.svg'");
            break;
        case 1:
            progress->SetVisible(!isWireless);
            statusIcon->SetBkImage(isWireless ? "file='power/wuxian_powering.svg'" : "file='power/powering.svg'");
            break;
        case 2:
            progress->SetVisible(true);
            statusIcon->SetBkImage("file='power/power.svg'");
            break;
        default:
            break;
    }

    if (deviceType_ == kMousePad) {
        const PhoneLook look = PhoneLookFor(bytes[5]);
        // Tool tips are plain texts: the key is translated here.
        phone->SetToolTip(CResourceManager::GetInstance().GetText(look.tip));
        phone->SetBkImage(look.image);
    }
}

}  // namespace orvane::ui
