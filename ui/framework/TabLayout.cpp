#include "ui/framework/TabLayout.h"

namespace orvane::ui {
namespace {

void DiscardPage(QStackedWidget* stack, QWidget* page) {
    stack->removeWidget(page);
    page->setParent(nullptr);
    page->deleteLater();
}

}  // namespace

void* CTabLayoutUI::GetInterface(const QString& name) {
    if (name == "TabLayout") return this;
    if (name == "IContainer") return static_cast<IContainerUI*>(this);
    return ControlWidget::GetInterface(name);
}

bool CTabLayoutUI::SelectItem(int index) {
    if (index < 0 || index >= count()) return false;
    setCurrentIndex(index);
    return true;
}

bool CTabLayoutUI::SelectItem(CControlUI* page) {
    return SelectItem(GetItemIndex(page));
}

CControlUI* CTabLayoutUI::GetItemAt(int index) const {
    return dynamic_cast<CControlUI*>(widget(index));
}

int CTabLayoutUI::GetItemIndex(CControlUI* control) const {
    return control == nullptr ? -1 : indexOf(control->GetWidget());
}

bool CTabLayoutUI::Add(CControlUI* control) {
    return AddAt(control, count());
}

bool CTabLayoutUI::AddAt(CControlUI* control, int index) {
    if (control == nullptr) return false;
    insertWidget(index, control->GetWidget());
    return true;
}

bool CTabLayoutUI::Remove(CControlUI* control) {
    if (GetItemIndex(control) < 0) return false;
    DiscardPage(this, control->GetWidget());
    return true;
}

bool CTabLayoutUI::RemoveAt(int index) {
    return Remove(GetItemAt(index));
}

void CTabLayoutUI::RemoveAll() {
    while (count() > 0) DiscardPage(this, widget(0));
}

}  // namespace orvane::ui
