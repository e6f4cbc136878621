#include "ui/controls/ComboEditContainerElement.h"

#include "ui/framework/DialogBuilder.h"
#include "ui/framework/Edit.h"
#include "ui/framework/Label.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace orvane::ui {

CComboEditContainerElementUI::CComboEditContainerElementUI(QWidget* parent) : CListElementUI(parent) {
    setFocusPolicy(Qt::ClickFocus);
}

void* CComboEditContainerElementUI::GetInterface(const QString& name) {
    return name == "ComboEditContainerElement" ? this : CListElementUI::GetInterface(name);
}

void CComboEditContainerElementUI::SetAttribute(const QString& name, const QString& value) {
    if (name == "normalimage" || name == "hotimage" || name == "selectedimage") return;
    CListElementUI::SetAttribute(name, value);
}

bool CComboEditContainerElementUI::event(QEvent* e) {
    if (e->type() == QEvent::Polish && !initialised_) DoInit();
    return CListElementUI::event(e);
}

void CComboEditContainerElementUI::DoInit() {
    initialised_ = true;
    CControlUI* content = CDialogBuilder().Create("XML\\CustomControlXML\\ComboEditElementItem.xml");
    if (content == nullptr) return;
    RemoveAll();
    Add(content);
    // Looked up in the row's own content: with several rows in a window, each row keeps its own.
    text1_ = FindSubControlByName<CLabelUI>("text1");
    text2_ = FindSubControlByName<CLabelUI>("text2");
    delayEdit_ = FindSubControlByName<CEditUI>("delay_edit");
}

void CComboEditContainerElementUI::keyPressEvent(QKeyEvent* e) {
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && IsEnabled()) {
        e->accept();
        Activate();
        SendNotify("return");
        return;
    }
    CListElementUI::keyPressEvent(e);
}

void CComboEditContainerElementUI::mousePressEvent(QMouseEvent* e) {
    CListUI* owner = GetOwner();
    if (e->button() == Qt::LeftButton && IsEnabled() && owner != nullptr && (e->modifiers() & Qt::ControlModifier)) {
        owner->SelectItem(IsSelected() ? -1 : GetIndex());
        return;
    }
    CListElementUI::mousePressEvent(e);
}

}  // namespace orvane::ui
