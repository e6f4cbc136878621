#include "ui/framework/Combo.h"

#include <QListView>

namespace orvane::ui {
namespace {

constexpr int kUserDataRole = Qt::UserRole;
constexpr int kTextKeyRole = Qt::UserRole + 1;  // set only on items whose text is a language key

}  // namespace

CComboUI::CComboUI(QWidget* parent) : ControlWidget(parent) {
    connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
        const int previous = lastIndex_;
        lastIndex_ = index;
        if (!quiet_) SendNotify("itemselect", static_cast<WParam>(index), previous);
    });
}

void* CComboUI::GetInterface(const QString& name) {
    return name == "Combo" ? this : ControlWidget::GetInterface(name);
}

int CComboUI::AddItem(const QString& text, const QString& userData, bool textIsKey) {
    const int index = count();
    Quietly([&] {
        const int selected = currentIndex();
        addItem(textIsKey ? Translate(text) : text, userData);
        if (textIsKey) setItemData(index, text, kTextKeyRole);
        setCurrentIndex(selected);
    });
    return index;
}

bool CComboUI::RemoveAt(int index) {
    if (index < 0 || index >= count()) return false;
    Quietly([&] { removeItem(index); });
    return true;
}

void CComboUI::RemoveAll() {
    Quietly([&] { clear(); });
}

bool CComboUI::SelectItem(int index, bool notify) {
    if (index < -1 || index >= count()) return false;
    if (notify) {
        setCurrentIndex(index);
    } else {
        Quietly([&] { setCurrentIndex(index); });
    }
    return true;
}

QString CComboUI::GetItemUserData(int index) const {
    return itemData(index, kUserDataRole).toString();
}

void CComboUI::SetItemUserData(int index, const QString& userData) {
    setItemData(index, userData, kUserDataRole);
}

void CComboUI::SetItemVisible(int index, bool visible) {
    if (auto* list = qobject_cast<QListView*>(view())) list->setRowHidden(index, !visible);
}

void CComboUI::ReloadText() {
    ControlWidget::ReloadText();
    for (int i = 0; i < count(); ++i) {
        const QVariant key = itemData(i, kTextKeyRole);
        if (key.isValid()) setItemText(i, Translate(key.toString()));
    }
}

void CComboUI::OnAdoptLayoutText() {
    for (int i = 0; i < count(); ++i) {
        if (IsResourceText()) {
            setItemData(i, itemText(i), kTextKeyRole);
            setItemText(i, Translate(itemText(i)));
        }
        if (i < layoutUserData_.size()) SetItemUserData(i, layoutUserData_[i]);
    }
    layoutUserData_.clear();
    lastIndex_ = currentIndex();
}

void CComboUI::SetAttribute(const QString& name, const QString& value) {
    if (name == "itemuserdata") {
        layoutUserData_ = value.split('|');
    } else {
        ControlWidget::SetAttribute(name, value);
    }
}

}  // namespace orvane::ui
