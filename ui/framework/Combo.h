#pragma once
// CComboUI ("Combo", and Qt's QComboBox): a drop-down list of items, each with a text and user
// data. A change of the selection by the user, or by SelectItem with notify, raises "itemselect"
// with wParam = new index and lParam = previous index; SelectItem1 selects without it. Items added
// by code leave the selection as it was (none at first: GetCurSel() == -1).
// Item texts written in the layout file are language keys; their user data is the attribute
// itemuserdata, one value per item separated by '|' (or a Designer string list).

#include "ui/framework/ControlWidget.h"

#include <QComboBox>
#include <QStringList>

namespace orvane::ui {

class CComboUI : public ControlWidget<QComboBox> {
public:
    explicit CComboUI(QWidget* parent = nullptr);

    QString GetClass() const override { return "Combo"; }
    void* GetInterface(const QString& name) override;

    // Returns the new item's index.
    int AddItem(const QString& text, const QString& userData = {}, bool textIsKey = false);
    bool RemoveAt(int index);
    void RemoveAll();
    int GetCount() const { return count(); }

    int GetCurSel() const { return currentIndex(); }
    bool SelectItem(int index, bool notify = true);
    bool SelectItem1(int index) { return SelectItem(index, false); }

    QString GetItemText(int index) const { return itemText(index); }
    QString GetItemUserData(int index) const;
    void SetItemUserData(int index, const QString& userData);
    void SetItemVisible(int index, bool visible);

    void ReloadText() override;
    void SetAttribute(const QString& name, const QString& value) override;

protected:
    void OnAdoptLayoutText() override;

private:
    // Runs `change` without raising "itemselect".
    template <class Change>
    void Quietly(Change change) {
        const bool was = quiet_;
        quiet_ = true;
        change();
        quiet_ = was;
        lastIndex_ = currentIndex();
    }

    bool quiet_ = false;
    int lastIndex_ = -1;
    QStringList layoutUserData_;
};

}  // namespace orvane::ui
