#pragma once
// CComboEditContainerElementUI ("ComboEditContainerElement"): a list row whose content is the
// layout "XML\\CustomControlXML\\ComboEditElementItem.xml" with the controls "text1", "text2" and
// "delay_edit". The content is built when the row is first polished (before it is first shown),
// replacing whatever the row held. The row paints no status image of its own, so the layout
// attributes "normalimage", "hotimage" and "selectedimage" are ignored.
//
// Besides the list row's own notifications: Return while the row has focus activates it
// ("itemactivate") and raises "return"; a press with Ctrl held toggles the row's selection.

#include "ui/framework/List.h"

#include "ui/framework/Edit.h"
#include "ui/framework/Label.h"

#include <QPointer>

namespace orvane::ui {

class CComboEditContainerElementUI : public CListElementUI {
public:
    explicit CComboEditContainerElementUI(QWidget* parent = nullptr);

    QString GetClass() const override { return "ComboEditContainerElement"; }
    void* GetInterface(const QString& name) override;
    void SetAttribute(const QString& name, const QString& value) override;

    CLabelUI* GetText1() const { return text1_; }
    CLabelUI* GetText2() const { return text2_; }
    CEditUI* GetDelayEdit() const { return delayEdit_; }

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    void DoInit();

    bool initialised_ = false;
    QPointer<CLabelUI> text1_;
    QPointer<CLabelUI> text2_;
    QPointer<CEditUI> delayEdit_;
};

}  // namespace orvane::ui
