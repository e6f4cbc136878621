// The main window's side of discovery: one page per catalogue row at start, and on each arrival
// or removal the page's channels and its selector entry.
#include "app/MainWnd.h"
#include "editors/LightControl.h"

#include "ui/dialogs/WindowMessageIds.h"
#include "pages/CQuorvantMouseDevice.h"
#include "pages/PageCatalogue.h"
#include "platform/DebugLog.h"
#include "ui/controls/DeviceOption.h"
#include "ui/controls/MpDevicePower.h"
#include "ui/framework/DialogBuilder.h"
#include "ui/framework/Label.h"
#include "ui/framework/TabLayout.h"

namespace orvane::app {
namespace {

constexpr const char* kPowerLayout = "XML\\CustomControlXML\\MpDevicePower.xml";
constexpr const char* kSelectorLayout = "device_select_layout";
constexpr const char* kPageSwitch = "device_switch";
constexpr const char* kPowerSwitch = "device_power_switch";
constexpr const char* kNoDevice = "No_device_Link";

bool SameDevice(const DeviceRecord& a, const DeviceRecord& b) {
    return a.vid == b.vid && a.pid == b.pid && a.type == b.type;
}

// The debug lines of an arrival and a removal by device type; the headset has none.
const char* ArrivalLine(uint16_t type) {
    switch (type) {
        case kDeviceMouse:
        case kDeviceSlowLinkMouse: return "添加一个鼠标设备";
        case kDeviceKeyboard: return "添加一个键盘设备";
        case kDeviceMousePad: return "添加一个鼠标垫设备";
        default: return nullptr;
    }
}

const char* RemovalLine(uint16_t type) {
    switch (type) {
        case kDeviceMouse:
        case kDeviceSlowLinkMouse: return "删除一个鼠标设备";
        case kDeviceKeyboard: return "删除一个键盘设备";
        case kDeviceMousePad: return "删除一个鼠标垫设备";
        default: return nullptr;
    }
}

template <class T>
T* Build(const char* layout, ui::IDialogBuilderCallback* callback) {
    ui::CControlUI* root = ui::CDialogBuilder().Create(layout, callback);
    auto* built = dynamic_cast<T*>(root);
    if (built == nullptr && root != nullptr) {
        DebugLog(QString("UI layout \"%1\": its root is a %2, not the control expected").arg(layout, root->GetClass()).toStdString());
        delete root->GetWidget();
    }
    return built;
}

}  // namespace

std::vector<ui::CDeviceOptionUI*> CMainWnd::SelectorEntries() const {
    std::vector<ui::CDeviceOptionUI*> entries;
    auto* selector = FindControl<ui::CContainerUI>(kSelectorLayout);
    if (selector == nullptr) return entries;
    for (int i = 0; i < selector->GetCount(); ++i) {
        if (auto* entry = dynamic_cast<ui::CDeviceOptionUI*>(selector->GetItemAt(i))) entries.push_back(entry);
    }
    return entries;
}

void CMainWnd::BuildDevicePages() {
    slots_ = MakeDeviceSlotList();
    for (const CatalogueEntry& row : Catalogue()) {
        const int slot = FindInterfaceRow(row.vid, row.pid, row.type, row.role);
        if (slot >= 0) CreateDevicePage(slot, row.role);
    }
}

bool CMainWnd::CreateDevicePage(int slot, uint16_t role) {
    const DeviceRecord& record = slots_[static_cast<size_t>(slot)];
    const auto family = FamilyOfType(record.type);
    const uint16_t type = record.type == kDeviceSlowLinkMouse ? uint16_t{kDeviceMouse} : record.type;
    const int row = FindCatalogueRow(record.vid, record.pid, type, role);
    if (!family || row < 0) return false;
    const CatalogueEntry& entry = Catalogue()[static_cast<size_t>(row)];
    const PageTemplate& tmpl = PageTemplates()[static_cast<size_t>(row)];

    auto* power = Build<ui::CMpDevicePowerUI>(kPowerLayout, this);
    auto* option = Build<ui::CDeviceOptionUI>(tmpl.optionItemXml, this);
    if (*family == DeviceFamily::Mouse && option != nullptr) DebugLog("12312312312312323123123");
    auto* page = Build<CQuorvantUSBDevice>(tmpl.pageXml, this);
    auto* powerSwitch = FindControl<ui::CTabLayoutUI>(tmpl.powerSwitchContainer);
    auto* pageSwitch = FindControl<ui::CTabLayoutUI>(kPageSwitch);
    auto* selector = FindControl<ui::CContainerUI>(kSelectorLayout);
    if (power == nullptr || option == nullptr || page == nullptr || powerSwitch == nullptr || pageSwitch == nullptr ||
        selector == nullptr) {
        for (ui::CControlUI* built : {static_cast<ui::CControlUI*>(power), static_cast<ui::CControlUI*>(option),
                                      static_cast<ui::CControlUI*>(page)}) {
            if (built != nullptr) delete built->GetWidget();
        }
        DebugLog(QString("device page for \"%1\" not built").arg(entry.folderName).toStdString());
        return false;
    }

    powerSwitch->Add(power);
    power->SetDeviceKind(record.type, record.role);
    powerControls_.push_back(power);

    page->SetPageName(tmpl.pageXml);
    page->SetMainWindow(this);
    page->SetKeyButtonCount(tmpl.keyButtons);
    page->SetLightCount(tmpl.lightPositions);
    page->SetPowerFlag(tmpl.powerValue != 0);
    if (auto* mouse = dynamic_cast<CQuorvantMouseDevice*>(page)) mouse->SetLogoLightIndex(tmpl.logoLightIndex);
    page->SetProfileUuid(QString());
    page->SetDeviceFolder(entry.folderName);
    page->SetPowerControl(power);
    page->SetDeviceRecord(record);
    page->SetLightTableIndex(entry.deviceNumber);
    page->SetConfigName(tmpl.lightConfigName);
    page->InitPage();

    pageSwitch->Add(page);
    pages_[static_cast<size_t>(*family)].push_back(page);

    selector->Add(option);
    option->ShowSyncOption(false);
    option->SetOptionGroup(tmpl.optionGroup);
    option->BindTab(kPageSwitch, pageSwitch->GetItemIndex(page));
    option->SetPowerContainer(tmpl.powerSwitchContainer, powerSwitch->GetItemIndex(power));
    option->SetDeviceKind(record.type, record.role);
    option->SetVisible(false);
    option->SetDeviceName(entry.folderName);
    // The folder name is shown through the language table, which names the device.
    if (auto* name = option->FindSubControlByName<ui::CLabelUI>("device_select_name")) name->SetResourceText(true);
    option->SetPage(page);
    return true;
}

CQuorvantUSBDevice* CMainWnd::FindPage(DeviceFamily family, const DeviceRecord& slot) const {
    for (CQuorvantUSBDevice* page : Pages(family)) {
        if (SameInterface(page->GetDeviceRecord(), slot)) return page;
    }
    return nullptr;
}

int CMainWnd::EntryIndexOf(const CQuorvantUSBDevice* page) const {
    const auto entries = SelectorEntries();
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i]->GetPage() == page) return static_cast<int>(i);
    }
    return -1;
}

void CMainWnd::OnDeviceArrival(int slot) {
    if (slot < 0 || static_cast<size_t>(slot) >= slots_.size()) return;
    const DeviceRecord& record = slots_[static_cast<size_t>(slot)];
    if (const char* line = ArrivalLine(record.type)) DebugLog(line);
    if (record.role == kRoleEvent) {
        AttachEventInterface(slot, record.type);
    } else {
        AttachDevice(slot);
    }
    BringToFront();
}

void CMainWnd::OnDeviceRemoval(int slot) {
    if (slot < 0 || static_cast<size_t>(slot) >= slots_.size()) return;
    const DeviceRecord& record = slots_[static_cast<size_t>(slot)];
    if (const char* line = RemovalLine(record.type)) DebugLog(line);
    if (record.role == kRoleEvent) {
        DetachEventInterface(slot, record.type);
    } else {
        DetachDevice(slot);
    }
}

void CMainWnd::DeferDiscovery(unsigned message, int slot) {
    if (message == ui::WM_DEVICE_REMOVAL) {
        for (auto it = deferred_.rbegin(); it != deferred_.rend(); ++it) {
            if (it->slot != slot) continue;
            if (it->message == ui::WM_DEVICE_ARRIVAL) {
                deferred_.erase(std::next(it).base());
                return;
            }
            break;
        }
    }
    deferred_.push_back({message, slot, slots_[static_cast<size_t>(slot)]});
}

void CMainWnd::ReplayDeferredDiscovery() {
    const auto pending = std::move(deferred_);
    deferred_.clear();
    for (const DeferredDiscovery& d : pending) {
        slots_[static_cast<size_t>(d.slot)] = d.record;
        SendMessage(d.message, static_cast<ui::WParam>(d.slot), 0);
    }
}

void CMainWnd::AttachDevice(int slot) {
    const DeviceRecord& record = slots_[static_cast<size_t>(slot)];
    const auto family = FamilyOfType(record.type);
    if (!family) return;
    CQuorvantUSBDevice* page = FindPage(*family, record);
    if (page == nullptr || page->Channel().IsOpen()) return;
    const bool slowLink = *family == DeviceFamily::Mouse && record.type == kDeviceSlowLinkMouse;
    if (page->Channel().Open(record.path, slowLink)) {
        page->SetDeviceRecord(record);
    } else {
        DebugLog("cannot open the command interface " + record.path);
    }
    // Shown and connected whether or not the open worked: a closed channel answers every command
    // with 0, so the page stays empty.
    bool anyShown = false;
    for (ui::CDeviceOptionUI* entry : SelectorEntries()) anyShown = anyShown || entry->IsShown();
    ui::CDeviceOptionUI* entry = page->GetOptionItem();
    const int index = EntryIndexOf(page);
    if (entry == nullptr || index < 0) return;
    ShowSelectorEntry(index, true, !anyShown);
    entry->StartConnectTimer();
    NoteConnectArmed(entry);
}

void CMainWnd::DetachDevice(int slot) {
    const DeviceRecord& record = slots_[static_cast<size_t>(slot)];
    const auto family = FamilyOfType(record.type);
    if (!family) return;
    CQuorvantUSBDevice* page = FindPage(*family, record);
    if (page == nullptr) return;
    page->Channel().Close();
    ui::CDeviceOptionUI* entry = page->GetOptionItem();
    const int index = EntryIndexOf(page);
    if (entry == nullptr || index < 0) return;
    int other = -1;
    if (entry->IsShown() && entry->IsDeviceSelected()) {
        CloseSettingsWindow();
        if (recordingLock_) {
            SendMessage(ui::kInputCapture, 0, 0);
            SetRecordingLock(false);
        }
        const auto entries = SelectorEntries();
        for (size_t i = 0; i < entries.size() && other < 0; ++i) {
            if (static_cast<int>(i) != index && entries[i]->IsShown()) other = static_cast<int>(i);
        }
    }
    ShowSelectorEntry(index, false, false);
    if (other >= 0) ShowSelectorEntry(other, true, true);
}

void CMainWnd::AttachEventInterface(int slot, uint16_t type) {
    const auto family = FamilyOfType(type);
    if (!family) return;
    const DeviceRecord& record = slots_[static_cast<size_t>(slot)];
    for (CQuorvantUSBDevice* page : Pages(*family)) {
        if (!page->SyncChannel().IsOpen() && SameDevice(page->GetDeviceRecord(), record)) {
            page->OpenSyncChannel(record.path);
            return;
        }
    }
}

void CMainWnd::DetachEventInterface(int slot, uint16_t type) {
    const auto family = FamilyOfType(type);
    if (!family) return;
    const DeviceRecord& record = slots_[static_cast<size_t>(slot)];
    for (CQuorvantUSBDevice* page : Pages(*family)) {
        if (page->SyncChannel().IsOpen() && SameDevice(page->GetDeviceRecord(), record)) page->CloseSyncChannel();
    }
}

void CMainWnd::ShowSelectorEntry(int index, bool show, bool select) {
    const auto entries = SelectorEntries();
    if (index < 0 || static_cast<size_t>(index) >= entries.size()) return;
    ui::CDeviceOptionUI* entry = entries[static_cast<size_t>(index)];
    entry->SetVisible(show);
    if (select) {
        if (auto* tabs = FindControl<ui::CTabLayoutUI>(entry->GetBoundTabName())) tabs->SelectItem(entry->GetBoundTabIndex());
        if (auto* power = FindControl<ui::CTabLayoutUI>(entry->GetPowerContainer())) {
            power->SetVisible(entry->GetPowerIndex() >= 0);
            if (entry->GetPowerIndex() >= 0) power->SelectItem(entry->GetPowerIndex());
        }
        entry->SetDeviceSelected(true);
    }
    int shown = 0;
    int syncSelected = 0;
    for (ui::CDeviceOptionUI* e : entries) {
        if (!e->IsShown()) continue;
        ++shown;
        if (e->IsSyncSelected()) ++syncSelected;
    }
    if (ui::CControlUI* notice = FindControl(kNoDevice)) notice->SetVisible(shown == 0);
    if (shown == 0) {
        if (auto* power = FindControl<ui::CTabLayoutUI>(kPowerSwitch)) power->SelectItem(0);
        if (auto* pagesSwitch = FindControl<ui::CTabLayoutUI>(kPageSwitch)) pagesSwitch->SelectItem(0);
    }
    // Synchronised lighting needs two devices at least.
    if (shown <= 1) {
        for (CQuorvantUSBDevice* page : AllPages()) page->SetSyncLighting(false);
    }
    for (CQuorvantUSBDevice* page : AllPages()) {
        if (CLightControlUI* panel = page->GetLightPanel()) panel->SetSyncLighting(shown > 1);
    }
    if (syncSelected <= 1) {
        for (ui::CDeviceOptionUI* e : entries) {
            if (e->IsSyncSelected()) e->SetSyncSelected(false);
        }
    }
}

CQuorvantUSBDevice* CMainWnd::GetCurrentPage() const {
    for (ui::CDeviceOptionUI* entry : SelectorEntries()) {
        if (entry->IsShown() && entry->IsDeviceSelected()) return dynamic_cast<CQuorvantUSBDevice*>(entry->GetPage());
    }
    return nullptr;
}

}  // namespace orvane::app
