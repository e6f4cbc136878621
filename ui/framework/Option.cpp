#include "ui/framework/Option.h"

#include "ui/framework/TabLayout.h"

#include <QPointer>

namespace orvane::ui {

COptionUI::COptionUI(QWidget* parent) : CButtonUI(parent) {
    setCheckable(true);
}

void* COptionUI::GetInterface(const QString& name) {
    return name == "Option" ? this : CButtonUI::GetInterface(name);
}

bool COptionUI::Activate() {
    QPointer<QWidget> alive(this);
    if (!CButtonUI::Activate()) return false;
    if (!alive) return true;  // the click handler removed the option
    SetSelected(group_.isEmpty() ? !IsSelected() : true);
    return true;
}

void COptionUI::SetSelected(bool selected, bool notify) {
    if (IsSelected() == selected) return;
    setChecked(selected);
    if (selected) {
        DeselectGroupPeers();
        SelectBoundTab();
    }
    if (notify) SendNotify("selectchanged", selected ? 1 : 0);
}

void COptionUI::DeselectGroupPeers() {
    if (group_.isEmpty()) return;
    for (QPushButton* button : window()->findChildren<QPushButton*>()) {
        auto* peer = dynamic_cast<COptionUI*>(button);
        if (peer != nullptr && peer != this && peer->group_ == group_) peer->setChecked(false);
    }
}

void COptionUI::SelectBoundTab() {
    if (bindTabName_.isEmpty() || bindTabIndex_ < 0) return;
    if (auto* tab = FindControlBelow(window(), bindTabName_)) {
        if (auto* layout = dynamic_cast<CTabLayoutUI*>(tab)) layout->SelectItem(bindTabIndex_);
    }
}

void COptionUI::SetAttribute(const QString& name, const QString& value) {
    if (name == "group") {
        SetGroup(value);
    } else if (name == "selected") {
        if (auto b = ParseBool(value)) SetSelected(*b, false);
    } else if (name == "bindtabname") {
        SetBindTabLayoutName(value);
    } else if (name == "bindtabindex") {
        SetBindTabLayoutIndex(value.toInt());
    } else {
        CButtonUI::SetAttribute(name, value);
    }
}

}  // namespace orvane::ui
