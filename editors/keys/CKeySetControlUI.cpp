#include "editors/keys/CKeySetControlUI.h"

#include "protocol/KeyCodeTables.h"
#include "ui/framework/Combo.h"
#include "ui/framework/Edit.h"
#include "ui/framework/Notify.h"
#include "ui/framework/Option.h"
#include "ui/framework/ResourceManager.h"
#include "ui/framework/TabLayout.h"

namespace orvane {
namespace {

constexpr int kModifierOptions = 5;
constexpr int kMacroEntryHeight = 30;

int NumberOf(const ui::CEditUI* edit) {
    if (edit == nullptr) return 0;
    bool ok = false;
    const int value = edit->GetText().trimmed().toInt(&ok);
    return ok ? value : 0;
}

void ShowNumber(ui::CEditUI* edit, int value) {
    if (edit != nullptr) edit->SetText(QString::asprintf("%d", value));
}

int SelectionOf(const ui::CComboUI* combo) { return combo != nullptr ? combo->GetCurSel() : -1; }

void Select(ui::CComboUI* combo, int entry) {
    if (combo != nullptr) combo->SelectItem(entry < combo->GetCount() ? entry : -1, false);
}

}  // namespace

CKeySetControlUI::CKeySetControlUI(QWidget* parent) : ui::CHorizontalLayoutUI(parent) {}

void CKeySetControlUI::BindKeySetControls() {
    editArea_ = FindSubControlByName("keyset_layout");
    functions_ = FindSubControlByName<ui::CComboUI>("keyset_function_combo");
    pages_ = FindSubControlByName<ui::CTabLayoutUI>("function_switch_tablayout");
    mouseButtons_ = FindSubControlByName<ui::CComboUI>("keyset_mousekey_combo");
    moveDirection_ = FindSubControlByName<ui::CComboUI>("keyset_mouseswing_combo");
    moveCount_ = FindSubControlByName<ui::CEditUI>("keyset_mouseswing_num_edit");
    moveDelay_ = FindSubControlByName<ui::CEditUI>("keyset_mouseswing_delay_edit");
    moveSpeed_ = FindSubControlByName<ui::CEditUI>("keyset_mouseswing_speed_edit");
    wheelDirection_ = FindSubControlByName<ui::CComboUI>("keyset_mousewheel_combo");
    wheelCount_ = FindSubControlByName<ui::CEditUI>("keyset_mousewheel_num_edit");
    wheelDelay_ = FindSubControlByName<ui::CEditUI>("keyset_mousewheel_delay_edit");
    wheelSpeed_ = FindSubControlByName<ui::CEditUI>("keyset_mousewheel_speed_edit");
    dpi_ = FindSubControlByName<ui::CComboUI>("keyset_mousedpi_combo");
    fireInterval_ = FindSubControlByName<ui::CEditUI>("keyset_mousefire_interval_edit");
    fireCount_ = FindSubControlByName<ui::CEditUI>("keyset_mousefire_num_edit");
    keyText_ = FindSubControlByName<ui::CEditUI>("keyset_keyboard_text_edit");
    modifiers_.clear();
    for (int i = 0; i < kModifierOptions; ++i) {
        modifiers_.push_back(FindSubControlByName<ui::COptionUI>(QString::asprintf("%s%d", "key_ComBox_check_", i)));
    }
    media_ = FindSubControlByName<ui::CComboUI>("keyset_media_combo");
    power_ = FindSubControlByName<ui::CComboUI>("keyset_system_combo");
    macros_ = FindSubControlByName<ui::CComboUI>("keyset_macro_combo");
    playMode_ = FindSubControlByName<ui::CComboUI>("keyset_macro_over_combo");
    repeatArea_ = FindSubControlByName("keyset_macro_cycle_layout");
    repeatCount_ = FindSubControlByName<ui::CEditUI>("keyset_macro_cycle_edit");
    patterns_ = FindSubControlByName<ui::CComboUI>("keyset_gunkey_combo");
    shortcuts_ = FindSubControlByName<ui::CComboUI>("keyset_combokey_combo");
    saveButtons_.clear();
    for (const char* name : {"key_butt_keysave", "key_butt_keycancel", "key_butt_prosave"}) {
        if (ui::CControlUI* button = FindSubControlByName(name)) saveButtons_.push_back(button);
    }
    if (keyText_ != nullptr) keyText_->SetReadOnly(true);
    // The repeat count belongs to play mode "repeat a number of times" only.
    if (repeatArea_ != nullptr) repeatArea_->SetVisible(SelectionOf(playMode_) == kPlayModeRepeatCount);
    SetKeyButtonsEnabled(false);
}

void CKeySetControlUI::SetKeySetDeviceKind(int kind) {
    if (functions_ == nullptr) return;
    for (int page : {int{kPageDpi}, int{kPageShootPattern}}) {
        const int entry = FindPageEntry(page);
        if (entry >= 0) functions_->SetItemVisible(entry, kind != 1);
    }
}

void CKeySetControlUI::SetKeyEntry(const KeyListEntry& entry) {
    entry_ = entry;
    ShowCurrentFunction();
}

KeyListEntry CKeySetControlUI::BuildFunctionCode() {
    entry_.Assignment = EncodeKeyFunction(ReadForm(), entry_.Assignment, entry_.DefaultAssignment);
    return entry_;
}

void CKeySetControlUI::ShowFunction(const FunctionCode& code) {
    const ShownFunction shown = ShowKeyFunction(code, entry_.DefaultAssignment, MacroCount());
    if (shown.clearsCurrent) entry_.Assignment = {entry_.Assignment[0], 0, 0};
    ShowForm(shown.form);
}

int CKeySetControlUI::FindPageEntry(int page) const {
    if (functions_ == nullptr) return -1;
    for (int i = 0; i < functions_->GetCount(); ++i) {
        bool ok = false;
        if (functions_->GetItemUserData(i).toInt(&ok) == page && ok) return i;
    }
    return -1;
}

void CKeySetControlUI::SetModifierOption(int option) {
    for (int i = 0; i < static_cast<int>(modifiers_.size()); ++i) {
        if (modifiers_[static_cast<size_t>(i)] != nullptr) modifiers_[static_cast<size_t>(i)]->SetSelected(i == option, false);
    }
}

int CKeySetControlUI::GetModifierOption() const {
    for (int i = 0; i < static_cast<int>(modifiers_.size()); ++i) {
        if (modifiers_[static_cast<size_t>(i)] != nullptr && modifiers_[static_cast<size_t>(i)]->IsSelected()) return i;
    }
    return -1;
}

void CKeySetControlUI::SetKeyText(const std::string& nameKey) {
    keyName_ = nameKey;
    if (keyText_ != nullptr) keyText_->SetText(nameKey.empty() ? QString() : ui::CResourceManager::GetInstance().GetText(QString::fromStdString(nameKey)));
}

void CKeySetControlUI::SetKeyButtonsEnabled(bool enabled) {
    for (ui::CControlUI* button : saveButtons_) button->SetEnabled(enabled);
}

void CKeySetControlUI::FillMacroNames(const std::vector<std::string>& names) {
    for (const std::string& name : names) AddMacroName(name);
}

void CKeySetControlUI::AddMacroName(const std::string& name) {
    if (macros_ == nullptr || name.empty()) return;
    macros_->AddItem(QString::fromStdString(name));
    macros_->setItemData(macros_->GetCount() - 1, QSize(0, kMacroEntryHeight), Qt::SizeHintRole);
}

void CKeySetControlUI::RemoveMacroName(int index) {
    if (macros_ != nullptr && index >= 0) macros_->RemoveAt(index);
}

void CKeySetControlUI::RenameMacroName(int index, const std::string& name) {
    if (macros_ == nullptr || index < 0 || index >= macros_->GetCount() || name.empty()) return;
    macros_->setItemText(index, QString::fromStdString(name));
}

bool CKeySetControlUI::OnNotify(const ui::TNotifyUI& msg) {
    const QString name = msg.pSender != nullptr ? msg.pSender->GetName() : QString();
    const QString& type = msg.sType;
    if (type == "itemselect" && name == "keyset_function_combo") {
        const int page = SelectedPage();
        ShowPage(page);
        if (page == kPageKeyboard) {
            ClearKeyText();
            SetModifierOption(-1);
        }
        return true;
    }
    if (type == "itemselect" && name == "keyset_macro_over_combo") {
        if (repeatArea_ != nullptr) repeatArea_->SetVisible(SelectionOf(playMode_) == kPlayModeRepeatCount);
        return true;
    }
    if (type == "selectchanged" && name.startsWith("key_ComBox_check_", Qt::CaseInsensitive)) {
        const auto* option = dynamic_cast<const ui::COptionUI*>(msg.pSender);
        if (option == nullptr || !option->IsSelected()) return false;
        SetModifierOption(name.mid(static_cast<int>(qstrlen("key_ComBox_check_"))).toInt());
        return true;
    }
    if (type == "click") {
        if (name == "key_butt_keydefalut") {
            ShowDefaultFunction();
            SetKeyButtonsEnabled(true);
            return false;
        }
        if (name == "key_butt_keycancel") {
            ShowCurrentFunction();
            SetKeyButtonsEnabled(false);
            return false;
        }
        if (name == "key_butt_clear") ClearKeyText();
        return name == "key_butt_keysave" || name == "key_butt_clear";
    }
    return type == "itemselect" || type == "killfocus";
}

bool CKeySetControlUI::OnCapturedKey(uint8_t scanCode, bool extended) {
    const auto captured = CaptureKey(scanCode, extended, GetModifierOption(), entry_.Assignment);
    if (!captured) return false;
    if (captured->modifierOption) SetModifierOption(*captured->modifierOption);
    if (captured->keyName) SetKeyText(*captured->keyName);
    entry_.Assignment = captured->code;
    return true;
}

KeyFunctionForm CKeySetControlUI::ReadForm() const {
    KeyFunctionForm form;
    form.page = SelectedPage();
    switch (form.page) {
        case kPageMouseButton: form.entry = SelectionOf(mouseButtons_); break;
        case kPagePointerMove:
            form.direction = SelectionOf(moveDirection_);
            form.count = NumberOf(moveCount_);
            form.delay = NumberOf(moveDelay_);
            form.speed = NumberOf(moveSpeed_);
            break;
        case kPageWheel:
            form.direction = SelectionOf(wheelDirection_);
            form.count = NumberOf(wheelCount_);
            form.delay = NumberOf(wheelDelay_);
            form.speed = NumberOf(wheelSpeed_);
            break;
        case kPageDpi: form.entry = SelectionOf(dpi_); break;
        case kPageRapidFire:
            form.interval = NumberOf(fireInterval_);
            form.fireCount = NumberOf(fireCount_);
            break;
        case kPageKeyboard:
            form.modifierOption = GetModifierOption();
            form.keyName = keyName_;
            break;
        case kPageConsumer: form.entry = SelectionOf(media_); break;
        case kPagePower: form.entry = SelectionOf(power_); break;
        case kPageMacro:
            form.entry = SelectionOf(macros_);
            form.playMode = SelectionOf(playMode_);
            form.repeatCount = NumberOf(repeatCount_);
            break;
        case kPageShootPattern: form.entry = SelectionOf(patterns_); break;
        case kPageShortcut: form.entry = SelectionOf(shortcuts_); break;
        default: break;
    }
    return form;
}

void CKeySetControlUI::ShowForm(const KeyFunctionForm& form) {
    switch (form.page) {
        case kPageMouseButton: Select(mouseButtons_, form.entry); break;
        case kPagePointerMove:
        case kPageWheel: {
            const bool wheel = form.page == kPageWheel;
            Select(wheel ? wheelDirection_ : moveDirection_, form.direction);
            ShowNumber(wheel ? wheelCount_ : moveCount_, form.count);
            ShowNumber(wheel ? wheelDelay_ : moveDelay_, form.delay);
            ShowNumber(wheel ? wheelSpeed_ : moveSpeed_, form.speed);
            break;
        }
        case kPageDpi: Select(dpi_, form.entry); break;
        case kPageRapidFire:
            ShowNumber(fireInterval_, form.interval);
            ShowNumber(fireCount_, form.fireCount);
            break;
        case kPageKeyboard:
            SetModifierOption(form.modifierOption);
            SetKeyText(form.keyName);
            break;
        case kPageConsumer: Select(media_, form.entry); break;
        case kPagePower: Select(power_, form.entry); break;
        case kPageMacro:
            Select(macros_, form.entry);
            Select(playMode_, form.playMode);
            if (repeatArea_ != nullptr) repeatArea_->SetVisible(form.repeatShown);
            if (form.playMode == kPlayModeRepeatCount) ShowNumber(repeatCount_, form.repeatCount);
            break;
        case kPageShootPattern: Select(patterns_, form.entry); break;
        case kPageShortcut: Select(shortcuts_, form.entry); break;
        default: break;
    }
    const int entry = form.page == kNoPage ? -1 : FindPageEntry(form.page);
    if (editArea_ != nullptr) editArea_->SetVisible(entry >= 0);
    if (entry < 0) return;
    if (functions_ != nullptr) functions_->SelectItem(entry, false);
    ShowPage(form.page);
}

void CKeySetControlUI::ShowPage(int page) {
    if (pages_ != nullptr && page >= 0 && page < pages_->GetCount()) pages_->SelectItem(page);
}

int CKeySetControlUI::SelectedPage() const {
    const int entry = SelectionOf(functions_);
    if (entry < 0) return kPageDefault;
    bool ok = false;
    const int page = functions_->GetItemUserData(entry).toInt(&ok);
    return ok ? page : kPageDefault;
}

int CKeySetControlUI::MacroCount() const { return macros_ != nullptr ? macros_->GetCount() : 0; }

}  // namespace orvane
