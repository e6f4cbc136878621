#include "ui/framework/RichEdit.h"

namespace orvane::ui {

CRichEditUI::CRichEditUI(QWidget* parent) : ControlWidget(parent) {
    connect(this, &QTextEdit::textChanged, this, [this] {
        if (showingText_) return;
        if (!IsResourceText()) SetTextFromUser(toPlainText());
        SendNotify("textchanged");
    });
}

void* CRichEditUI::GetInterface(const QString& name) {
    return name == "RichEdit" ? this : ControlWidget::GetInterface(name);
}

void CRichEditUI::SetTipText(const QString& key) {
    tipText_ = key;
    setPlaceholderText(Translate(key));
}

void CRichEditUI::ReloadText() {
    ControlWidget::ReloadText();
    setPlaceholderText(Translate(tipText_));
}

void CRichEditUI::OnAdoptLayoutText() {
    if (tipText_.isEmpty()) SetTipText(placeholderText());
}

void CRichEditUI::ShowText(const QString& text) {
    showingText_ = true;
    setPlainText(text);
    showingText_ = false;
}

void CRichEditUI::SetAttribute(const QString& name, const QString& value) {
    if (name == "tiptext") {
        SetTipText(value);
    } else {
        ControlWidget::SetAttribute(name, value);
    }
}

}  // namespace orvane::ui
