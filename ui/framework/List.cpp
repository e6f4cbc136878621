#include "ui/framework/List.h"

#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace orvane::ui {

CListUI::CListUI(QWidget* parent) : ControlWidget(parent) {
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setWidget(new QWidget);
}

void* CListUI::GetInterface(const QString& name) {
    if (name == "List") return this;
    if (name == "IContainer") return static_cast<IContainerUI*>(this);
    return ControlWidget::GetInterface(name);
}

QWidget* CListUI::Content() {
    // A layout file may give the list a content widget of its own; rows go into whichever it has.
    QWidget* content = widget();
    if (content->layout() == nullptr) {
        auto* rows = new QVBoxLayout(content);
        rows->setContentsMargins(0, 0, 0, 0);
        rows->setSpacing(0);
        rows->setAlignment(Qt::AlignTop);
    }
    return content;
}

int CListUI::GetCurSel() const {
    return selected_ ? GetItemIndex(dynamic_cast<CControlUI*>(selected_.data())) : -1;
}

bool CListUI::SelectItem(int index, bool notify) {
    auto* element = dynamic_cast<CListElementUI*>(GetItemAt(index));
    if (index != -1 && element == nullptr) return false;
    const int previous = GetCurSel();
    if (index == previous) return true;
    if (auto* old = dynamic_cast<CListElementUI*>(selected_.data())) old->SetSelected(false);
    selected_ = element;
    if (element != nullptr) element->SetSelected(true);
    if (notify) SendNotify("itemselect", static_cast<WParam>(index), previous);
    return true;
}

QPoint CListUI::GetScrollPos() const {
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void CListUI::SetScrollPos(const QPoint& position) {
    horizontalScrollBar()->setValue(position.x());
    verticalScrollBar()->setValue(position.y());
}

void CListUI::EnsureVisible(int index) {
    if (CControlUI* item = GetItemAt(index)) ensureWidgetVisible(item->GetWidget(), 0, 0);
}

int CListUI::GetCount() const {
    return static_cast<int>(box_items::Items(widget()).size());
}

CControlUI* CListUI::GetItemAt(int index) const {
    const auto items = box_items::Items(widget());
    return (index >= 0 && index < static_cast<int>(items.size())) ? items[index] : nullptr;
}

int CListUI::GetItemIndex(CControlUI* control) const {
    const auto items = box_items::Items(widget());
    const auto it = std::find(items.begin(), items.end(), control);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

bool CListUI::Add(CControlUI* control) {
    return AddAt(control, GetCount());
}

bool CListUI::AddAt(CControlUI* control, int index) {
    return box_items::Insert(Content(), control, index);
}

bool CListUI::Remove(CControlUI* control) {
    if (control != nullptr && control->GetWidget() == selected_) selected_ = nullptr;
    return box_items::Discard(widget(), control);
}

bool CListUI::RemoveAt(int index) {
    return Remove(GetItemAt(index));
}

void CListUI::RemoveAll() {
    for (CControlUI* item : box_items::Items(widget())) Remove(item);
}

CListElementUI::CListElementUI(QWidget* parent) : CHorizontalLayoutUI(parent) {}

void* CListElementUI::GetInterface(const QString& name) {
    return name == "ListContainerElement" || name == "ListElement" ? this : CHorizontalLayoutUI::GetInterface(name);
}

CListUI* CListElementUI::GetOwner() const {
    for (QWidget* w = parentWidget(); w != nullptr; w = w->parentWidget()) {
        if (auto* list = dynamic_cast<CListUI*>(w)) return list;
    }
    return nullptr;
}

int CListElementUI::GetIndex() const {
    CListUI* owner = GetOwner();
    return owner == nullptr ? -1 : owner->GetItemIndex(const_cast<CListElementUI*>(this));
}

void CListElementUI::SetSelected(bool selected) {
    if (selected_ == selected) return;
    selected_ = selected;
    setProperty("selected", selected);
    // Property selectors are matched at polish time.
    QList<QWidget*> widgets = findChildren<QWidget*>();
    widgets.prepend(this);
    for (QWidget* w : widgets) {
        w->style()->unpolish(w);
        w->style()->polish(w);
    }
    update();
}

bool CListElementUI::Activate() {
    if (!CHorizontalLayoutUI::Activate()) return false;
    SendNotify("itemactivate");
    return true;
}

void CListElementUI::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && IsEnabled()) {
        if (CListUI* owner = GetOwner()) owner->SelectItem(GetIndex());
    }
    CHorizontalLayoutUI::mousePressEvent(e);
}

void CListElementUI::mouseReleaseEvent(QMouseEvent* e) {
    CHorizontalLayoutUI::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton && IsEnabled()) SendNotify("itemclick");
}

void CListElementUI::mouseDoubleClickEvent(QMouseEvent* e) {
    CHorizontalLayoutUI::mouseDoubleClickEvent(e);
    if (e->button() == Qt::LeftButton) Activate();
}

CListLabelElementUI::CListLabelElementUI(QWidget* parent) : CListElementUI(parent), label_(new QLabel(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label_);
}

void* CListLabelElementUI::GetInterface(const QString& name) {
    return name == "ListLabelElement" ? this : CListElementUI::GetInterface(name);
}

QString CListLabelElementUI::WidgetText() const {
    return label_->text();
}

void CListLabelElementUI::ShowText(const QString& text) {
    label_->setText(text);
}

}  // namespace orvane::ui
