#pragma once
// CListUI ("List"): a scrolling column of list elements with one selected element.
// CListElementUI ("ListContainerElement") is a row holding any controls; CListLabelElementUI
// ("ListLabelElement") a row showing one text.
//
// Pressing a row selects it: the list raises "itemselect" (wParam = new index, lParam = previous).
// The release raises "itemclick" and a double click "itemactivate", both from the row. A selected
// row carries the dynamic property selected=true for style sheets (QWidget[selected="true"]).

#include "ui/framework/Container.h"

#include <QPointer>
#include <QScrollArea>

class QLabel;

namespace orvane::ui {

class CListElementUI;

class CListUI : public ControlWidget<QScrollArea>, public IContainerUI {
public:
    explicit CListUI(QWidget* parent = nullptr);

    QString GetClass() const override { return "List"; }
    void* GetInterface(const QString& name) override;

    int GetCurSel() const;
    // -1 clears the selection.
    bool SelectItem(int index, bool notify = true);

    QPoint GetScrollPos() const;
    void SetScrollPos(const QPoint& position);
    void EnsureVisible(int index);

    int GetCount() const override;
    CControlUI* GetItemAt(int index) const override;
    int GetItemIndex(CControlUI* control) const override;
    bool Add(CControlUI* control) override;
    bool AddAt(CControlUI* control, int index) override;
    bool Remove(CControlUI* control) override;
    bool RemoveAt(int index) override;
    void RemoveAll() override;

private:
    QWidget* Content();

    QPointer<QWidget> selected_;
};

class CListElementUI : public CHorizontalLayoutUI {
public:
    explicit CListElementUI(QWidget* parent = nullptr);

    QString GetClass() const override { return "ListContainerElement"; }
    void* GetInterface(const QString& name) override;

    CListUI* GetOwner() const;
    int GetIndex() const;
    bool IsSelected() const { return selected_; }
    // The look only; CListUI::SelectItem selects.
    void SetSelected(bool selected);

    // Raises "itemactivate".
    bool Activate() override;

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    bool selected_ = false;
};

class CListLabelElementUI : public CListElementUI {
public:
    explicit CListLabelElementUI(QWidget* parent = nullptr);

    QString GetClass() const override { return "ListLabelElement"; }
    void* GetInterface(const QString& name) override;

protected:
    QString WidgetText() const override;
    void ShowText(const QString& text) override;

private:
    QLabel* label_;
};

}  // namespace orvane::ui
