#pragma once
// CRichEditUI ("RichEdit", and Qt's QTextEdit): multi-line user input with a tip text shown while
// it is empty. The tip text is a language key. Raises "textchanged" when the user changes the text.
// Attribute: tiptext.

#include "ui/framework/ControlWidget.h"

#include <QTextEdit>

namespace orvane::ui {

class CRichEditUI : public ControlWidget<QTextEdit> {
public:
    explicit CRichEditUI(QWidget* parent = nullptr);

    QString GetClass() const override { return "RichEdit"; }
    void* GetInterface(const QString& name) override;

    void SetTipText(const QString& key);
    QString GetTipText() const { return tipText_; }

    void ReloadText() override;
    void SetAttribute(const QString& name, const QString& value) override;

protected:
    void OnAdoptLayoutText() override;
    QString WidgetText() const override { return toPlainText(); }
    void ShowText(const QString& text) override;
    bool LayoutTextIsKey() const override { return false; }

private:
    QString tipText_;
    bool showingText_ = false;
};

}  // namespace orvane::ui
