#include "ui/framework/Edit.h"

#include <QRegularExpressionValidator>

#include <algorithm>

namespace orvane::ui {

CEditUI::CEditUI(QWidget* parent) : ControlWidget(parent) {
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!IsResourceText()) SetTextFromUser(text);
    });
    connect(this, &QLineEdit::textEdited, this, [this] { SendNotify("textchanged"); });
    connect(this, &QLineEdit::returnPressed, this, [this] {
        ClampToRange();
        SendNotify("return");
    });
}

void* CEditUI::GetInterface(const QString& name) {
    return name == "Edit" ? this : ControlWidget::GetInterface(name);
}

void CEditUI::SetNumberOnly(bool numberOnly) {
    numberOnly_ = numberOnly;
    static const QRegularExpression digits("[0-9]*");
    setValidator(numberOnly ? new QRegularExpressionValidator(digits, this) : nullptr);
}

void CEditUI::SetSel(int start, int end) {
    const int last = end < 0 ? static_cast<int>(text().size()) : end;
    setSelection(start, std::max(0, last - start));
}

void CEditUI::focusOutEvent(QFocusEvent* e) {
    if (e->reason() != Qt::PopupFocusReason) ClampToRange();
    ControlWidget::focusOutEvent(e);
}

void CEditUI::ClampToRange() {
    if (!minValue_ && !maxValue_) return;
    bool ok = false;
    const long long value = text().toLongLong(&ok);
    if (!ok) return;
    long long clamped = value;
    if (minValue_) clamped = std::max<long long>(clamped, *minValue_);
    if (maxValue_) clamped = std::min<long long>(clamped, *maxValue_);
    if (clamped != value) setText(QString::number(clamped));
}

void CEditUI::SetAttribute(const QString& name, const QString& value) {
    if (name == "maxchar") {
        SetMaxChar(value.toInt());
    } else if (name == "numberonly") {
        if (auto b = ParseBool(value)) SetNumberOnly(*b);
    } else if (name == "minvalue") {
        SetMinValue(value.toInt());
    } else if (name == "maxvalue") {
        SetMaxValue(value.toInt());
    } else if (name == "readonly") {
        if (auto b = ParseBool(value)) SetReadOnly(*b);
    } else {
        ControlWidget::SetAttribute(name, value);
    }
}

}  // namespace orvane::ui
