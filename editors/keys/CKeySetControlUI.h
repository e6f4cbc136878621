#pragma once
// CKeySetControlUI ("KeySetControl"): the key assignment panel, built from
// "XML\\CustomControlXML\\KeySetControl.xml". It shows the function of the key selected on the
// device picture on one page per function group, turns the user's choice into a function code
// (mouse/KeyAssignment) and keeps the selected key's entry; the page stores it for the key and
// the main window writes the key table. UI thread only.

#include <string>
#include <vector>

#include "mouse/KeyAssignment.h"
#include "profiles/ProfileRecords.h"
#include "ui/framework/Container.h"

namespace orvane::ui {
class CComboUI;
class CEditUI;
class COptionUI;
class CTabLayoutUI;
struct TNotifyUI;
}  // namespace orvane::ui

namespace orvane {

class CKeySetControlUI : public ui::CHorizontalLayoutUI {
public:
    explicit CKeySetControlUI(QWidget* parent = nullptr);

    QString GetClass() const override { return "KeySetControl"; }

    // Finds the named controls of the panel once.
    void BindKeySetControls();
    // Keyboards (kind 1) have no DPI functions and no shooting patterns.
    void SetKeySetDeviceKind(int kind);

    // The selected key's entry, shown.
    void SetKeyEntry(const KeyListEntry& entry);
    const KeyListEntry& KeyEntry() const { return entry_; }
    void ShowCurrentFunction() { ShowFunction(entry_.Assignment); }
    void ShowDefaultFunction() { ShowFunction(entry_.DefaultAssignment); }
    void SetCurrentCode(const FunctionCode& code) { entry_.Assignment = code; }
    // The panel's choice encoded; it also becomes the stored current code.
    KeyListEntry BuildFunctionCode();
    void ShowFunction(const FunctionCode& code);
    // The first "keyset_function_combo" entry whose user data reads as `page`; -1 when none.
    int FindPageEntry(int page) const;

    void SetModifierOption(int option);
    int GetModifierOption() const;
    void SetKeyText(const std::string& nameKey);
    void ClearKeyText() { SetKeyText({}); }
    void SetKeyButtonsEnabled(bool enabled);

    void FillMacroNames(const std::vector<std::string>& names);
    void AddMacroName(const std::string& name);
    void RemoveMacroName(int index);
    void RenameMacroName(int index, const std::string& name);

    // A notification of one of the panel's controls; true when the choice is to be applied.
    bool OnNotify(const ui::TNotifyUI& msg);
    // A key press while the key text has the focus; true when it changed the function.
    bool OnCapturedKey(uint8_t scanCode, bool extended);

private:
    KeyFunctionForm ReadForm() const;
    void ShowForm(const KeyFunctionForm& form);
    void ShowPage(int page);
    int SelectedPage() const;
    int MacroCount() const;

    KeyListEntry entry_;
    std::string keyName_;  // the name key "keyset_keyboard_text_edit" shows

    ui::CControlUI* editArea_ = nullptr;
    ui::CComboUI* functions_ = nullptr;
    ui::CTabLayoutUI* pages_ = nullptr;
    ui::CComboUI* mouseButtons_ = nullptr;
    ui::CComboUI* moveDirection_ = nullptr;
    ui::CEditUI* moveCount_ = nullptr;
    ui::CEditUI* moveDelay_ = nullptr;
    ui::CEditUI* moveSpeed_ = nullptr;
    ui::CComboUI* wheelDirection_ = nullptr;
    ui::CEditUI* wheelCount_ = nullptr;
    ui::CEditUI* wheelDelay_ = nullptr;
    ui::CEditUI* wheelSpeed_ = nullptr;
    ui::CComboUI* dpi_ = nullptr;
    ui::CEditUI* fireInterval_ = nullptr;
    ui::CEditUI* fireCount_ = nullptr;
    ui::CEditUI* keyText_ = nullptr;
    std::vector<ui::COptionUI*> modifiers_;
    ui::CComboUI* media_ = nullptr;
    ui::CComboUI* power_ = nullptr;
    ui::CComboUI* macros_ = nullptr;
    ui::CComboUI* playMode_ = nullptr;
    ui::CControlUI* repeatArea_ = nullptr;
    ui::CEditUI* repeatCount_ = nullptr;
    ui::CComboUI* patterns_ = nullptr;
    ui::CComboUI* shortcuts_ = nullptr;
    std::vector<ui::CControlUI*> saveButtons_;
};

}  // namespace orvane
