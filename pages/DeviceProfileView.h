#pragma once
// CDeviceProfileUI ("DeviceProfile"): the profile panel of a device page, the view of the page's
// ProfileList. "device_profile_combo" lists the profiles, "device_profile_name_edit" holds the
// selected one's name, "profile_menu_layout" the profile buttons, which "profile_fun_spread_btn"
// folds away. An operation that moves the selection (add, copy, delete) selects the combo entry
// with its "itemselect" raised, so the main window routes it like a choice of the user and the
// page loads and writes that profile. A refused rename shows the message the list names.
//
// The device page: SetDeviceKind, SetProfilePaths, InitProfileList, SelectFeatureTab(1), then
// GetSelectedUuid() names its profile. On the combo's "itemselect": SelectProfile(
// GetSelectedIndex(), false), then the page loads GetSelectedUuid(). A page sequence that changes
// the list through List() (a reset) calls ShowProfiles() afterwards.
//
// The feature tabs ("deng_Op_tab", …) are the options of that name on the page the panel sits
// on. UI thread only.

#include <iterator>
#include <optional>
#include <span>
#include <string>

#include <QPointer>
#include <QWidget>

#include "pages/ProfilePanelTexts.h"
#include "profiles/ProfileList.h"
#include "ui/framework/Container.h"

namespace orvane::ui {
class CComboUI;
class CEditUI;
class COptionUI;
}  // namespace orvane::ui

namespace orvane {

class CDeviceProfileUI : public ui::CHorizontalLayoutUI {
public:
    using CHorizontalLayoutUI::CHorizontalLayoutUI;

    QString GetClass() const override { return "DeviceProfile"; }
    void* GetInterface(const QString& name) override;

    ProfileList& List() { return list_; }
    const ProfileList& List() const { return list_; }

    void SetDeviceKind(int kind) { list_.SetDeviceKind(kind); }
    // `userDataFolder` ends in '/'.
    void SetProfilePaths(const std::string& userDataFolder, const std::string& defaultProfilePath) {
        list_.SetProfilePaths(userDataFolder, defaultProfilePath);
    }
    // Reads the list (creating "Profile1" on a first start), shows it with its selected entry
    // (no notification) and hides the feature tabs the device kind does not use.
    void InitProfileList();
    // Types 1-7 select "deng_Op_tab" … "magic_Op_tab" and deselect the others; any other type
    // deselects all seven. Nothing unless all seven exist.
    void SelectFeatureTab(int type);

    // The combo's selection; -1 when there is none or no combo.
    int GetSelectedIndex() const;
    QString GetSelectedUuid() const { return QString::fromStdString(list_.GetSelectedUuid()); }

    // The list selects entry `index`, the combo shows it (raising "itemselect" only with
    // `notify`, and only when its selection moves), the name edit shows its name.
    void SelectProfile(int index, bool notify);
    // The combo and the name edit show the list as it is, raising nothing.
    void ShowProfiles();

    void AddProfile();
    void CopyProfile();
    // The last profile stays.
    void DeleteProfile();
    // False when the list refused the name (the message box says why) or nothing is selected.
    bool RenameProfile(const QString& name);

    QString GetNameEditText() const;
    void SetNameEditText(const QString& text);

    void ShowProfileMenu(bool show);
    bool IsProfileMenuVisible() const;

    // The file at `path` becomes a new profile named after it, selected with the combo's
    // "itemselect" raised (so the page loads and writes it). A file that is not a profile of this
    // kind of device changes nothing, and the message box says why. False then.
    bool ImportProfile(const QString& path);
    // The selected profile written to `path` as a profile file; a failure is shown. False then.
    bool ExportProfile(const QString& path);

    // A click the panel settles by itself: "device_add_btn", "device_sub_btn", "device_copy_btn",
    // "device_profile_edit_save_btn" (renames to the name edit's text), "profile_fun_spread_btn",
    // and "device_import_btn" / "device_export_btn", which ask for the file first (nothing while
    // no profile is selected or when the dialog is cancelled). False for any other sender; the
    // reset of the list needs the page.
    bool OnClick(const QString& sender);

private:
    // Refills the combo from the list, then selects the list's selection from no selection, so
    // with `notify` the combo raises "itemselect" even when the index stayed the same.
    void ShowList(bool notify);
    void ShowMessage(const char* messageId);
    // The open or save dialog for profile files; nullopt when cancelled.
    std::optional<QString> AskForProfileFile(bool save);
    void SetFeatureTabsVisible(std::span<const char* const> names, bool visible);
    ui::COptionUI* FeatureTab(int index);
    ui::CComboUI* Combo() const;
    ui::CEditUI* NameEdit() const;
    ui::CControlUI* ProfileMenu() const;

    ProfileList list_;
    mutable QPointer<QWidget> combo_;
    mutable QPointer<QWidget> nameEdit_;
    mutable QPointer<QWidget> menu_;
    QPointer<QWidget> tabs_[std::size(kFeatureTabNames)];
};

}  // namespace orvane
