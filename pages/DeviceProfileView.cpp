#include "pages/DeviceProfileView.h"

#include "ui/dialogs/MsgWnd.h"
#include "pages/CQuorvantUSBDevice.h"
#include "pages/ProfilePanelTexts.h"
#include "profiles/ProfileExchange.h"
#include "ui/controls/CachedChild.h"
#include "ui/framework/Combo.h"
#include "ui/framework/Edit.h"
#include "ui/framework/FileDialog.h"
#include "ui/framework/Option.h"
#include "ui/framework/WindowImplBase.h"

namespace orvane {
namespace {

constexpr int kFeatureTabCount = static_cast<int>(std::size(kFeatureTabNames));
constexpr const char* kProfileFileFilter = "Profile Files(*.json)";

}  // namespace

void* CDeviceProfileUI::GetInterface(const QString& name) {
    return name == "DeviceProfile" ? this : CHorizontalLayoutUI::GetInterface(name);
}

void CDeviceProfileUI::InitProfileList() {
    list_.InitProfileList();
    ShowList(false);
    SetFeatureTabsVisible(HiddenFeatureTabs(list_.DeviceKind()), false);
    SetFeatureTabsVisible(ShownFeatureTabs(list_.DeviceKind()), true);
}

void CDeviceProfileUI::SetFeatureTabsVisible(std::span<const char* const> names, bool visible) {
    for (const char* name : names) {
        for (int i = 0; i < kFeatureTabCount; ++i) {
            if (std::string_view(kFeatureTabNames[i]) != name) continue;
            if (ui::COptionUI* tab = FeatureTab(i)) tab->SetVisible(visible);
        }
    }
}

void CDeviceProfileUI::SelectFeatureTab(int type) {
    ui::COptionUI* tabs[kFeatureTabCount];
    for (int i = 0; i < kFeatureTabCount; ++i) {
        tabs[i] = FeatureTab(i);
        if (tabs[i] == nullptr) return;
    }
    for (int i = 0; i < kFeatureTabCount; ++i) tabs[i]->SetSelected(i == type - 1, false);
}

int CDeviceProfileUI::GetSelectedIndex() const {
    const ui::CComboUI* combo = Combo();
    return combo != nullptr ? combo->GetCurSel() : -1;
}

void CDeviceProfileUI::SelectProfile(int index, bool notify) {
    ui::CComboUI* combo = Combo();
    if (combo == nullptr || !list_.SelectProfile(index).Changed()) return;
    SetNameEditText(QString::fromStdString(list_.SelectedName()));
    combo->SelectItem(index, notify);
}

void CDeviceProfileUI::ShowProfiles() {
    ShowList(false);
}

void CDeviceProfileUI::AddProfile() {
    if (Combo() != nullptr && list_.AddProfile().Changed()) ShowList(true);
}

void CDeviceProfileUI::CopyProfile() {
    if (Combo() != nullptr && list_.CopyProfile().Changed()) ShowList(true);
}

void CDeviceProfileUI::DeleteProfile() {
    // The combo's removal raises nothing here, so the entry that takes the place is selected with
    // the notification: the page then loads it like any selection.
    if (Combo() != nullptr && list_.DeleteProfile().Changed()) ShowList(true);
}

bool CDeviceProfileUI::RenameProfile(const QString& name) {
    ui::CComboUI* combo = Combo();
    if (combo == nullptr) return false;
    const ProfileListResult result = list_.RenameProfile(name.toStdString());
    if (result.outcome == ProfileListOutcome::kRejected) {
        ShowMessage(RefusalMessageId(result.refusal));
        return false;
    }
    if (!result.Changed()) return false;
    const int index = list_.GetSelectedIndex();
    const QString shown = QString::fromStdString(list_.SelectedName());
    combo->setItemText(index, shown);
    combo->SetItemUserData(index, shown);
    SetNameEditText(shown);
    return true;
}

QString CDeviceProfileUI::GetNameEditText() const {
    const ui::CEditUI* edit = NameEdit();
    return edit != nullptr ? edit->GetText() : QString();
}

void CDeviceProfileUI::SetNameEditText(const QString& text) {
    if (ui::CEditUI* edit = NameEdit()) edit->SetText(text);
}

void CDeviceProfileUI::ShowProfileMenu(bool show) {
    if (ui::CControlUI* menu = ProfileMenu()) menu->SetVisible(show);
}

bool CDeviceProfileUI::IsProfileMenuVisible() const {
    const ui::CControlUI* menu = ProfileMenu();
    return menu != nullptr && menu->IsVisible();
}

bool CDeviceProfileUI::ImportProfile(const QString& path) {
    if (Combo() == nullptr) return false;
    const ProfileExchangeResult result = orvane::ImportProfile(list_, path.toStdString());
    if (!result.Done()) {
        ShowMessage(ProfileExchangeMessage(result.problem));
        return false;
    }
    ShowList(true);
    return true;
}

bool CDeviceProfileUI::ExportProfile(const QString& path) {
    const ui::CComboUI* combo = Combo();
    if (combo == nullptr) return false;
    const ProfileExchangeResult result = orvane::ExportProfile(list_, combo->GetCurSel(), path.toStdString());
    if (!result.Done()) ShowMessage(ProfileExchangeMessage(result.problem));
    return result.Done();
}

std::optional<QString> CDeviceProfileUI::AskForProfileFile(bool save) {
    ui::FileDialogRequest request;
    request.purpose = save ? ui::FileDialogRequest::Purpose::kSave : ui::FileDialogRequest::Purpose::kOpen;
    request.owner = GetWindow();
    request.filter = kProfileFileFilter;
    // A name typed without an extension still gives a file the open dialog lists.
    request.defaultSuffix = "json";
    request.confirmOverwrite = false;
    return ui::AskForFile(request);
}

bool CDeviceProfileUI::OnClick(const QString& sender) {
    if (sender == "device_add_btn") {
        AddProfile();
    } else if (sender == "device_sub_btn") {
        DeleteProfile();
    } else if (sender == "device_copy_btn") {
        CopyProfile();
    } else if (sender == "device_profile_edit_save_btn") {
        RenameProfile(GetNameEditText());
    } else if (sender == "profile_fun_spread_btn") {
        ShowProfileMenu(!IsProfileMenuVisible());
    } else if (sender == "device_import_btn" || sender == "device_export_btn") {
        const bool save = sender == "device_export_btn";
        if (GetSelectedIndex() < 0) return true;
        const std::optional<QString> path = AskForProfileFile(save);
        if (!path) return true;
        if (save) {
            ExportProfile(*path);
        } else {
            ImportProfile(*path);
        }
    } else {
        return false;
    }
    return true;
}

void CDeviceProfileUI::ShowList(bool notify) {
    ui::CComboUI* combo = Combo();
    if (combo == nullptr) return;
    combo->RemoveAll();
    for (const ProfileEntry& entry : list_.Entries()) {
        const QString name = QString::fromStdString(entry.name);
        combo->AddItem(name, name);
    }
    SetNameEditText(QString::fromStdString(list_.SelectedName()));
    combo->SelectItem(list_.GetSelectedIndex(), notify);
}

void CDeviceProfileUI::ShowMessage(const char* messageId) {
    if (messageId == nullptr) return;
    ui::WindowImplBase* window = GetWindow();
    ui::ShowMessageBox(window, QString(), QString::fromLatin1(messageId), window != nullptr ? window->GetDPI() : 96,
                        true, false);
}

ui::COptionUI* CDeviceProfileUI::FeatureTab(int index) {
    // The tabs belong to the page, not to this panel.
    const ui::CControlUI* scope = this;
    for (const ui::CControlUI* c = GetParent(); c != nullptr; c = c->GetParent()) {
        if (dynamic_cast<const CQuorvantUSBDevice*>(c) != nullptr) {
            scope = c;
            break;
        }
    }
    return ui::CachedChild<ui::COptionUI>(tabs_[index], scope, kFeatureTabNames[index]);
}

ui::CComboUI* CDeviceProfileUI::Combo() const {
    return ui::CachedChild<ui::CComboUI>(combo_, this, "device_profile_combo");
}

ui::CEditUI* CDeviceProfileUI::NameEdit() const {
    return ui::CachedChild<ui::CEditUI>(nameEdit_, this, "device_profile_name_edit");
}

ui::CControlUI* CDeviceProfileUI::ProfileMenu() const {
    return ui::CachedChild<ui::CControlUI>(menu_, this, "profile_menu_layout");
}

}  // namespace orvane
