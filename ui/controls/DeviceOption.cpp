#include "ui/controls/DeviceOption.h"

#include "ui/controls/CachedChild.h"
#include "ui/controls/DevicePageInterface.h"
#include "ui/controls/LightSyncEvent.h"
#include "ui/framework/Label.h"
#include "ui/framework/Option.h"

#include <QStyle>

namespace orvane::ui {
namespace {

constexpr int kConnectDelayMs = 500;
constexpr int kFirstPaintDelayMs = 5;
constexpr int kPowerPeriodMs = 5000;

}  // namespace

CDeviceOptionUI::CDeviceOptionUI(QWidget* parent) : CHorizontalLayoutUI(parent) {}

bool CDeviceOptionUI::Activate() {
    if (!CHorizontalLayoutUI::Activate()) return false;
    SendNotify("selectchanged");
    return true;
}

void CDeviceOptionUI::SetVisible(bool visible) {
    shown_ = visible;
    CHorizontalLayoutUI::SetVisible(visible);
}

COptionUI* CDeviceOptionUI::SyncOption() const {
    return CachedChild<COptionUI>(syncOption_, this, "synchro_device_select");
}

COptionUI* CDeviceOptionUI::DeviceOption() const {
    return CachedChild<COptionUI>(deviceOption_, this, "device_select");
}

CLabelUI* CDeviceOptionUI::NameLabel() const {
    const bool found = !nameLabel_.isNull();
    CLabelUI* label = CachedChild<CLabelUI>(nameLabel_, this, "device_select_name");
    // The name lies over the device option; a click on it must still reach the option.
    if (!found && label != nullptr) label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

void CDeviceOptionUI::ShowSyncOption(bool show) {
    if (COptionUI* option = SyncOption()) option->SetVisible(show);
}

void CDeviceOptionUI::SetSyncSelected(bool selected) {
    if (COptionUI* option = SyncOption()) option->SetSelected(selected);
}

bool CDeviceOptionUI::IsSyncSelected() const {
    const COptionUI* option = SyncOption();
    return option != nullptr && option->IsSelected();
}

void CDeviceOptionUI::SetDeviceSelected(bool selected) {
    if (COptionUI* option = DeviceOption()) option->SetSelected(selected);
}

bool CDeviceOptionUI::IsDeviceSelected() const {
    const COptionUI* option = DeviceOption();
    return option != nullptr && option->IsSelected();
}

void CDeviceOptionUI::SetDeviceKind(int type, int role) {
    deviceType_ = type;
    deviceRole_ = role;
    setProperty("devicetype", type);
    // Property selectors of the skin are matched at polish time.
    QList<QWidget*> widgets = findChildren<QWidget*>();
    widgets.prepend(this);
    for (QWidget* w : widgets) {
        w->style()->unpolish(w);
        w->style()->polish(w);
    }
    update();
}

void CDeviceOptionUI::BindTab(const QString& layoutName, int index) {
    if (COptionUI* option = DeviceOption()) {
        option->SetBindTabLayoutName(layoutName);
        option->SetBindTabLayoutIndex(index);
    }
}

int CDeviceOptionUI::GetBoundTabIndex() const {
    const COptionUI* option = DeviceOption();
    return option != nullptr ? option->GetBindTabLayoutIndex() : -1;
}

QString CDeviceOptionUI::GetBoundTabName() const {
    const COptionUI* option = DeviceOption();
    return option != nullptr ? option->GetBindTabLayoutName() : QString();
}

void CDeviceOptionUI::SetOptionGroup(const QString& name) {
    if (COptionUI* option = DeviceOption()) option->SetGroup(name);
}

void CDeviceOptionUI::SetPowerContainer(const QString& name, int index) {
    if (!name.isEmpty()) powerContainer_ = name;
    if (index >= 0) powerIndex_ = index;
}

void CDeviceOptionUI::SetDeviceName(const QString& text) {
    if (CLabelUI* label = NameLabel()) label->SetText(text);
}

void CDeviceOptionUI::SetPage(DevicePageInterface* page) {
    page_ = page;
    if (page_ != nullptr) page_->SetOptionItem(this);
}

void CDeviceOptionUI::StartConnectTimer() {
    SetTimer(kConnectTimer, kConnectDelayMs);
}

void CDeviceOptionUI::OnTimer(int id) {
    if (id >= kPaintTimer && id <= kPowerTimer) {
        KillTimer(id);
        if (page_ != nullptr) RunPageTimer(id);
    }
    CHorizontalLayoutUI::OnTimer(id);
}

void CDeviceOptionUI::RunPageTimer(int id) {
    switch (id) {
        case kPaintTimer:
            page_->PaintLightButtons();
            break;
        case kConnectTimer:
            page_->OnConnect();
            SetTimer(kPaintTimer, kFirstPaintDelayMs);
            if (page_->HasPowerFlag() && page_->IsChannelOpen()) SetTimer(kPowerTimer, kPowerPeriodMs);
            LightSyncEvent().Signal();
            break;
        case kSyncTimer:
            page_->OnSyncRequest();
            break;
        case kReservedTimer1:
            page_->ReservedTimerOperation1();
            break;
        case kReservedTimer2:
            page_->ReservedTimerOperation2();
            break;
        case kPowerTimer:
            page_->PollPowerStatus();
            if (page_->HasPowerFlag() && page_->IsChannelOpen()) SetTimer(kPowerTimer, kPowerPeriodMs);
            break;
    }
}

}  // namespace orvane::ui
