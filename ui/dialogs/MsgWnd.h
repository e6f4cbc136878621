#pragma once
// CMsgWnd ("XML_MSG"): the program's one modal message box, and ShowMessageBox, through which
// every message of the program is shown. The box deletes itself once its window is gone.

#include "ui/framework/WindowImplBase.h"

class QKeyEvent;

namespace orvane::ui {

class CMsgWnd : public WindowImplBase {
public:
    // An empty title keeps the layout's; the text is a language key when `textIsKey` is set,
    // shown as it stands otherwise (a text already formatted by the caller).
    void SetMessage(const QString& title, const QString& text, bool textIsKey);
    // Confirm only, or confirm and cancel (a question).
    void ShowCancel(bool withCancel);
    // A DPI other than the box's current one is set for every window: 48, 72, 96, 120, 144, 168
    // or 192; any other value is logged as "MSG_WND DPI SET ERROR" and replaced by 96.
    void SetMessageDpi(int dpi);

protected:
    QString GetSkinFile() const override { return "XML_MSG"; }
    // "confirm_btn" closes with 1, "cancel_btn" and "closebtn" with 0.
    void Notify(TNotifyUI& msg) override;
    void OnFinalMessage() override { deleteLater(); }
    // Escape answers like "closebtn".
    void keyPressEvent(QKeyEvent* e) override;
};

// Shows a modal box owned by `parent`, centred, until the user answers. 1 only when
// "confirm_btn" closed it; 0 for cancel, close, Escape, a close by the window system, and a box
// whose layout could not be built (so a question is never taken as confirmed by a failure).
int ShowMessageBox(QWidget* parent, const QString& title, const QString& text, int dpi, bool textIsKey,
                   bool withCancel);

// A box that only tells (confirm alone), shown without waiting for the answer: for news that
// arrives while the program works, which must not stop it. The text is shown as it stands;
// nullptr when the layout could not be built.
CMsgWnd* ShowMessageNotice(QWidget* parent, const QString& text, int dpi);

}  // namespace orvane::ui
