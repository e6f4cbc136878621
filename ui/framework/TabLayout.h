#pragma once
// CTabLayoutUI ("TabLayout", and Qt's QStackedWidget): pages of which one is shown.

#include "ui/framework/Container.h"

#include <QStackedWidget>

namespace orvane::ui {

class CTabLayoutUI : public ControlWidget<QStackedWidget>, public IContainerUI {
public:
    using ControlWidget::ControlWidget;

    QString GetClass() const override { return "TabLayout"; }
    void* GetInterface(const QString& name) override;

    bool SelectItem(int index);
    bool SelectItem(CControlUI* page);
    int GetCurSel() const { return currentIndex(); }

    int GetCount() const override { return count(); }
    CControlUI* GetItemAt(int index) const override;
    int GetItemIndex(CControlUI* control) const override;
    bool Add(CControlUI* control) override;
    bool AddAt(CControlUI* control, int index) override;
    bool Remove(CControlUI* control) override;
    bool RemoveAt(int index) override;
    void RemoveAll() override;
};

}  // namespace orvane::ui
