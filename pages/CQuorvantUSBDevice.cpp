#include "pages/CQuorvantUSBDevice.h"

#include "pages/NumberedName.h"
#include "ui/controls/DeviceKeyButton.h"
#include "ui/controls/DeviceOption.h"
#include "ui/controls/MpDevicePower.h"
#include "ui/framework/WindowImplBase.h"

namespace orvane {
namespace {

constexpr uint32_t kWhite = 0x00FFFFFF;
constexpr int kFullAlpha = 255;

template <class T>
void Resize(std::vector<T>& list, int count) {
    list.resize(static_cast<size_t>(std::max(count, 0)));
}

}  // namespace

CQuorvantUSBDevice::CQuorvantUSBDevice(QWidget* parent) : CHorizontalLayoutUI(parent) {}

// The channels close themselves; nothing else here outlives the layout tree.
CQuorvantUSBDevice::~CQuorvantUSBDevice() = default;

void CQuorvantUSBDevice::SetPageName(const QString& name) { pageName_ = name; }

void CQuorvantUSBDevice::SetMainWindow(ui::WindowImplBase* window) { mainWindow_ = window; }

void CQuorvantUSBDevice::SetKeyButtonCount(int count) {
    if (count == keyButtonCount_) return;
    keyButtonCount_ = std::max(count, 0);
    Resize(keyButtons_, keyButtonCount_);
}

void CQuorvantUSBDevice::SetLightCount(int count) {
    count = std::max(count, 0);
    {
        std::lock_guard lock(lightsMutex_);
        if (count != lightCount_) {
            lightCount_ = count;
            Resize(lightButtons_, count);
            Resize(lightColors_, count);
        }
        std::fill(lightColors_.begin(), lightColors_.end(), 0);
    }
    std::lock_guard lock(areaMutex_);
    areaLights_.assign(static_cast<size_t>(count), LightListEntry{});
}

void CQuorvantUSBDevice::SetPowerFlag(bool on) {
    powerFlag_.store(on);
    if (ui::CMpDevicePowerUI* power = GetPowerControl()) power->SetPowerLayoutVisible(on);
}

void CQuorvantUSBDevice::SetProfileUuid(const QString& uuid) { profileUuid_ = uuid; }

void CQuorvantUSBDevice::SetDeviceFolder(const QString& folder) { deviceFolder_ = folder; }

void CQuorvantUSBDevice::SetPowerControl(ui::CMpDevicePowerUI* control) {
    powerControl_ = control;
    if (control != nullptr) control->SetPowerLayoutVisible(powerFlag_.load());
}

void CQuorvantUSBDevice::SetDeviceRecord(const DeviceRecord& record) {
    record_ = record;
    deviceKind_ = record.type;
    deviceSubKind_ = record.role;
}

void CQuorvantUSBDevice::SetConfigName(const QString& name) { configName_ = name; }

ui::WindowImplBase* CQuorvantUSBDevice::GetMainWindow() const {
    return dynamic_cast<ui::WindowImplBase*>(mainWindow_.data());
}

ui::CMpDevicePowerUI* CQuorvantUSBDevice::GetPowerControl() const {
    return dynamic_cast<ui::CMpDevicePowerUI*>(powerControl_.data());
}

ui::CDeviceOptionUI* CQuorvantUSBDevice::GetOptionItem() const {
    return dynamic_cast<ui::CDeviceOptionUI*>(optionItem_.data());
}

ui::CControlUI* CQuorvantUSBDevice::GetSelectPanel() const {
    return dynamic_cast<ui::CControlUI*>(selectPanel_.data());
}

ui::CDeviceKeyButtonUI* CQuorvantUSBDevice::GetKeyButton(int index) const {
    if (index < 0 || index >= static_cast<int>(keyButtons_.size())) return nullptr;
    return keyButtons_[static_cast<size_t>(index)].data();
}

ui::CDeviceKeyButtonUI* CQuorvantUSBDevice::GetLightButton(int index) const {
    if (index < 0 || index >= static_cast<int>(lightButtons_.size())) return nullptr;
    return lightButtons_[static_cast<size_t>(index)].data();
}

void CQuorvantUSBDevice::SetOptionItem(ui::CDeviceOptionUI* entry) { optionItem_ = entry; }

void CQuorvantUSBDevice::SetSelectPanel(ui::CControlUI* panel) {
    selectPanel_ = panel != nullptr ? panel->GetWidget() : nullptr;
}

void CQuorvantUSBDevice::BindKeyButton(int index, ui::CDeviceKeyButtonUI* button) {
    if (index >= 0 && index < static_cast<int>(keyButtons_.size())) keyButtons_[static_cast<size_t>(index)] = button;
}

void CQuorvantUSBDevice::BindLightButton(int index, ui::CDeviceKeyButtonUI* button) {
    if (index < 0 || index >= static_cast<int>(lightButtons_.size())) return;
    lightButtons_[static_cast<size_t>(index)] = button;
    button->SetTint(kWhite, kFullAlpha, true);
}

void CQuorvantUSBDevice::UnbindAll() {
    keyButtonCount_ = 0;
    keyButtons_.clear();
    std::lock_guard lock(lightsMutex_);
    lightCount_ = 0;
    lightButtons_.clear();
    lightColors_.clear();
}

int CQuorvantUSBDevice::InitPage() {
    if (pageName_.isEmpty()) {
        UnbindAll();
        return 1;
    }
    ui::CControlUI* panel = nullptr;
    for (ui::CControlUI* child : ui::box_items::Items(this)) {
        if (child->GetClass() == "SelectPanel") {
            panel = child;
            break;
        }
    }
    SetSelectPanel(panel);
    if (panel == nullptr) return 1;
    for (ui::CControlUI* child : ui::box_items::Items(panel->GetWidget())) {
        auto* button = dynamic_cast<ui::CDeviceKeyButtonUI*>(child);
        if (button == nullptr || child->GetClass() != "DeviceKeyButton") continue;
        if (auto name = SplitNumberedName(button->GetName()); name && name->HasPrefix("key_")) {
            BindKeyButton(name->number, button);
        }
        if (auto user = SplitNumberedName(button->GetUserData()); user && user->HasPrefix("light_")) {
            BindLightButton(user->number, button);
        }
    }
    return 1;
}

void CQuorvantUSBDevice::SetLightColor(int index, uint32_t color) {
    std::lock_guard lock(lightsMutex_);
    if (index >= 0 && index < static_cast<int>(lightColors_.size())) lightColors_[static_cast<size_t>(index)] = color;
}

uint32_t CQuorvantUSBDevice::GetLightColor(int index) const {
    std::lock_guard lock(lightsMutex_);
    if (index < 0 || index >= static_cast<int>(lightColors_.size())) return 0;
    return lightColors_[static_cast<size_t>(index)];
}

std::vector<LightListEntry> CQuorvantUSBDevice::GetAreaLights() const {
    std::lock_guard lock(areaMutex_);
    return areaLights_;
}

void CQuorvantUSBDevice::SetAreaLights(std::vector<LightListEntry> lights) {
    std::lock_guard lock(areaMutex_);
    lights.resize(areaLights_.size());
    areaLights_ = std::move(lights);
}

void CQuorvantUSBDevice::PaintLightButtons() {
    if (!lightingEnabled_.load()) return;
    std::lock_guard lock(lightsMutex_);
    for (size_t i = 0; i < lightButtons_.size() && i < lightColors_.size(); ++i) {
        ui::CDeviceKeyButtonUI* button = lightButtons_[i].data();
        if (button == nullptr || !button->IsVisible()) continue;
        const uint32_t c = lightColors_[i];
        const uint32_t red = c & 0xFF, green = (c >> 8) & 0xFF, blue = (c >> 16) & 0xFF;
        button->SetTint(red | blue << 8 | green << 16, static_cast<int>(c >> 24), true);
    }
}

}  // namespace orvane
