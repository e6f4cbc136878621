#pragma once
// Containers hold controls as items. IContainerUI is the item interface that the box containers,
// the tab layout and the list share.
//
// CContainerUI ("Container", and Qt's plain QWidget), CHorizontalLayoutUI ("HorizontalLayout") and
// CVerticalLayoutUI ("VerticalLayout"): the items are the controls of the container's layout in
// layout order (a layout from the layout file, or a box layout made on the first Add), or, in a
// container without a layout, its child controls in the order they were made (freely placed
// children, such as the keys of a device picture).
// Removing an item deletes it (after the current event, so an item may remove itself).

#include "ui/framework/ControlWidget.h"

class QBoxLayout;

namespace orvane::ui {

class IContainerUI {
public:
    virtual ~IContainerUI() = default;
    virtual int GetCount() const = 0;
    virtual CControlUI* GetItemAt(int index) const = 0;
    virtual int GetItemIndex(CControlUI* control) const = 0;
    virtual bool Add(CControlUI* control) = 0;
    // An index at or beyond the end appends.
    virtual bool AddAt(CControlUI* control, int index) = 0;
    virtual bool Remove(CControlUI* control) = 0;
    virtual bool RemoveAt(int index) = 0;
    virtual void RemoveAll() = 0;
};

class CContainerUI : public ControlWidget<QWidget>, public IContainerUI {
public:
    using ControlWidget::ControlWidget;

    QString GetClass() const override { return "Container"; }
    void* GetInterface(const QString& name) override;

    int GetCount() const override;
    CControlUI* GetItemAt(int index) const override;
    int GetItemIndex(CControlUI* control) const override;
    bool Add(CControlUI* control) override;
    bool AddAt(CControlUI* control, int index) override;
    bool Remove(CControlUI* control) override;
    bool RemoveAt(int index) override;
    void RemoveAll() override;

protected:
    // The layout made for a container built without one.
    virtual QBoxLayout* NewLayout() const;
};

class CHorizontalLayoutUI : public CContainerUI {
public:
    using CContainerUI::CContainerUI;
    QString GetClass() const override { return "HorizontalLayout"; }
    void* GetInterface(const QString& name) override;

protected:
    QBoxLayout* NewLayout() const override;
};

class CVerticalLayoutUI : public CContainerUI {
public:
    using CContainerUI::CContainerUI;
    QString GetClass() const override { return "VerticalLayout"; }
    void* GetInterface(const QString& name) override;
};

// The item rules above, for any widget that hosts items (the list's content widget too).
namespace box_items {
std::vector<CControlUI*> Items(const QWidget* host);
// Inserts into the host's layout (which must exist) at item `index`; beyond the end appends.
bool Insert(QWidget* host, CControlUI* control, int index);
// Takes the control out of the host and deletes it later.
bool Discard(QWidget* host, CControlUI* control);
}  // namespace box_items

}  // namespace orvane::ui
