#include "ui/dialogs/MsgWnd.h"

#include "platform/DebugLog.h"

#include <QKeyEvent>
#include <QLayout>

#include <algorithm>
#include <array>

namespace orvane::ui {
namespace {

constexpr std::array kSupportedDpis = {48, 72, 96, 120, 144, 168, 192};

}  // namespace

void CMsgWnd::SetMessage(const QString& title, const QString& text, bool textIsKey) {
    if (!title.isEmpty()) {
        if (ui::CControlUI* label = FindControl("MessageTitle")) {
            label->SetResourceText(false);
            label->SetText(title);
        }
    }
    if (!text.isEmpty()) {
        if (ui::CControlUI* label = FindControl("MessageText")) {
            label->SetResourceText(textIsKey);
            label->SetText(text);
        }
    }
}

void CMsgWnd::ShowCancel(bool withCancel) {
    if (ui::CControlUI* cancel = FindControl("cancel_btn")) cancel->SetVisible(withCancel);
    if (ui::CControlUI* confirm = FindControl("confirm_btn")) confirm->SetVisible(true);
}

void CMsgWnd::SetMessageDpi(int dpi) {
    if (dpi == GetDPI()) return;
    if (std::find(kSupportedDpis.begin(), kSupportedDpis.end(), dpi) == kSupportedDpis.end()) {
        DebugLog("MSG_WND DPI SET ERROR");
        dpi = 96;
    }
    SetAllDPI(dpi);
}

void CMsgWnd::Notify(TNotifyUI& msg) {
    if (msg.sType != "click" || msg.pSender == nullptr) return;
    const QString name = msg.pSender->GetName();
    if (name == "confirm_btn") {
        Close(1);
    } else if (name == "cancel_btn" || name == "closebtn") {
        Close(0);
    }
}

void CMsgWnd::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        Close(0);
        return;
    }
    WindowImplBase::keyPressEvent(e);
}

namespace {

CMsgWnd* CreateMessageBox(QWidget* parent, const QString& title, const QString& text, int dpi, bool textIsKey,
                          bool withCancel) {
    auto* box = new CMsgWnd;
    // A tool window: the box gets no task-bar entry of its own.
    if (!box->Create(parent, "msgwnd", Qt::Tool | Qt::FramelessWindowHint)) {
        DebugLog("message box not shown: its layout XML_MSG could not be built");
        delete box;
        return nullptr;
    }
    box->SetMessage(title, text, textIsKey);
    box->SetMessageDpi(dpi);
    box->ShowCancel(withCancel);
    box->CenterWindow();
    return box;
}

}  // namespace

int ShowMessageBox(QWidget* parent, const QString& title, const QString& text, int dpi, bool textIsKey,
                   bool withCancel) {
    CMsgWnd* box = CreateMessageBox(parent, title, text, dpi, textIsKey, withCancel);
    return box != nullptr && box->ShowModal() == 1 ? 1 : 0;
}

CMsgWnd* ShowMessageNotice(QWidget* parent, const QString& text, int dpi) {
    CMsgWnd* box = CreateMessageBox(parent, QString(), text, dpi, false, false);
    if (box == nullptr) return nullptr;
    // A notice may name several files: wider than a question, and as tall as its text.
    const int width = box->width() * 3 / 2;
    const int height = box->layout() != nullptr ? box->layout()->totalHeightForWidth(width) : -1;
    box->resize(width, std::max(box->height(), height));
    box->CenterWindow();
    box->ShowWindow(true, false);
    return box;
}

}  // namespace orvane::ui
