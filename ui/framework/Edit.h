#pragma once
// CEditUI ("Edit", and Qt's QLineEdit): one line of user input. Raises "textchanged" when the user
// changes the text, "return" on Enter, "setfocus" and "killfocus". With a number range (SetMinValue,
// SetMaxValue) a number typed outside it is brought into it before "return" and "killfocus".
// Attributes: maxchar, numberonly, minvalue, maxvalue, readonly.

#include "ui/framework/ControlWidget.h"

#include <QLineEdit>

#include <optional>

namespace orvane::ui {

class CEditUI : public ControlWidget<QLineEdit> {
public:
    explicit CEditUI(QWidget* parent = nullptr);

    QString GetClass() const override { return "Edit"; }
    void* GetInterface(const QString& name) override;

    void SetMaxChar(int count) { setMaxLength(count); }
    int GetMaxChar() const { return maxLength(); }
    // Digits only.
    void SetNumberOnly(bool numberOnly);
    bool IsNumberOnly() const { return numberOnly_; }
    void SetMinValue(int value) { minValue_ = value; }
    void SetMaxValue(int value) { maxValue_ = value; }
    void SetReadOnly(bool readOnly) { setReadOnly(readOnly); }
    // Selects characters [start, end); end -1 selects to the end.
    void SetSel(int start, int end);
    void SetSelAll() { selectAll(); }

    void SetAttribute(const QString& name, const QString& value) override;

protected:
    void focusOutEvent(QFocusEvent* e) override;
    QString WidgetText() const override { return text(); }
    void ShowText(const QString& text) override { setText(text); }
    bool LayoutTextIsKey() const override { return false; }

private:
    void ClampToRange();

    bool numberOnly_ = false;
    std::optional<int> minValue_;
    std::optional<int> maxValue_;
};

}  // namespace orvane::ui
