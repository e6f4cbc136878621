#include "ui/framework/Container.h"

#include <QBoxLayout>

#include <algorithm>

namespace orvane::ui {
namespace box_items {
namespace {

void CollectFromLayout(const QLayout* layout, std::vector<CControlUI*>& items) {
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (QWidget* w = item->widget()) {
            if (auto* control = dynamic_cast<CControlUI*>(w)) items.push_back(control);
        } else if (const QLayout* inner = item->layout()) {
            CollectFromLayout(inner, items);
        }
    }
}

}  // namespace

std::vector<CControlUI*> Items(const QWidget* host) {
    std::vector<CControlUI*> items;
    if (const QLayout* layout = host->layout()) {
        CollectFromLayout(layout, items);
        return items;
    }
    for (QObject* child : host->children()) {
        if (auto* control = dynamic_cast<CControlUI*>(child)) items.push_back(control);
    }
    return items;
}

bool Insert(QWidget* host, CControlUI* control, int index) {
    if (control == nullptr || host->layout() == nullptr) return false;
    QWidget* widget = control->GetWidget();
    const auto items = Items(host);
    auto* box = qobject_cast<QBoxLayout*>(host->layout());
    const int layoutIndex =
        (box != nullptr && index >= 0 && index < static_cast<int>(items.size())) ? box->indexOf(items[index]->GetWidget()) : -1;
    if (box != nullptr && layoutIndex >= 0) {
        box->insertWidget(layoutIndex, widget);
    } else {
        host->layout()->addWidget(widget);
    }
    return true;
}

bool Discard(QWidget* host, CControlUI* control) {
    const auto items = Items(host);
    if (control == nullptr || std::find(items.begin(), items.end(), control) == items.end()) return false;
    QWidget* widget = control->GetWidget();
    if (QLayout* layout = host->layout()) layout->removeWidget(widget);
    widget->hide();
    widget->setParent(nullptr);
    widget->deleteLater();
    return true;
}

}  // namespace box_items

void* CContainerUI::GetInterface(const QString& name) {
    if (name == "Container") return this;
    if (name == "IContainer") return static_cast<IContainerUI*>(this);
    return ControlWidget::GetInterface(name);
}

int CContainerUI::GetCount() const {
    return static_cast<int>(box_items::Items(this).size());
}

CControlUI* CContainerUI::GetItemAt(int index) const {
    const auto items = box_items::Items(this);
    return (index >= 0 && index < static_cast<int>(items.size())) ? items[index] : nullptr;
}

int CContainerUI::GetItemIndex(CControlUI* control) const {
    const auto items = box_items::Items(this);
    const auto it = std::find(items.begin(), items.end(), control);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

bool CContainerUI::Add(CControlUI* control) {
    return AddAt(control, GetCount());
}

bool CContainerUI::AddAt(CControlUI* control, int index) {
    if (layout() == nullptr && control != nullptr) setLayout(NewLayout());
    return box_items::Insert(this, control, index);
}

bool CContainerUI::Remove(CControlUI* control) {
    return box_items::Discard(this, control);
}

bool CContainerUI::RemoveAt(int index) {
    return Remove(GetItemAt(index));
}

void CContainerUI::RemoveAll() {
    for (CControlUI* item : box_items::Items(this)) Remove(item);
}

namespace {

QBoxLayout* Tight(QBoxLayout* layout) {
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return layout;
}

}  // namespace

QBoxLayout* CContainerUI::NewLayout() const {
    return Tight(new QVBoxLayout);
}

void* CHorizontalLayoutUI::GetInterface(const QString& name) {
    return name == "HorizontalLayout" ? this : CContainerUI::GetInterface(name);
}

QBoxLayout* CHorizontalLayoutUI::NewLayout() const {
    return Tight(new QHBoxLayout);
}

void* CVerticalLayoutUI::GetInterface(const QString& name) {
    return name == "VerticalLayout" ? this : CContainerUI::GetInterface(name);
}

}  // namespace orvane::ui
