#pragma once
// WindowImplBase: a top-level window built from a layout file. A subclass names its layout
// (GetSkinFile), places program controls (CreateControl), and reacts to notifications (Notify) and
// messages (HandleCustomMessage).
//
//   Create(parent, title)  builds GetSkinFile(), sized as the layout's root, calls InitWindow, and
//                          posts "windowinit" (sender: the root) to Notify once the event loop runs.
//   ShowWindow / CenterWindow / ShowModal (runs until Close, returns Close's result).
//   Close(result)          sends WM_CLOSE (wParam = result); a handler that marks it handled refuses
//                          the close. Otherwise the window hides, its timers stop, WM_DESTROY is sent
//                          and OnFinalMessage is called; the object stays until its owner deletes it
//                          (OnFinalMessage may call deleteLater()).
//   SendMessage            runs the handler at once; from another thread it waits while the UI
//                          thread runs it, and returns its result. PostMessage queues it.
//
// The window is frameless: the skin draws its own title bar. A dynamic property "caption" on the
// root (pixels from the top) makes that strip drag the window. The window raises "windowsize"
// (sender: the root) when resized, and sends WM_ACTIVATE, WM_MOUSEHOVER and WM_MOUSELEAVE.
// DPI: SetDPI scales the window's fonts by dpi / 96; SetAllDPI does it for every window.

#include "ui/framework/Control.h"
#include "ui/framework/DialogBuilder.h"
#include "ui/framework/Notify.h"
#include "ui/framework/Timers.h"
#include "ui/framework/WindowMessages.h"

#include <QPointer>
#include <QWidget>

#include <vector>

class QEventLoop;

namespace orvane::ui {

class WindowImplBase : public QWidget, public IDialogBuilderCallback {
public:
    WindowImplBase();
    ~WindowImplBase() override;

    // False, with a debug log line, when the layout cannot be built.
    bool Create(QWidget* parent, const QString& title, Qt::WindowFlags flags = Qt::FramelessWindowHint,
                const QRect& geometry = {});
    int ShowModal();
    void ShowWindow(bool visible = true, bool takeFocus = true);
    // Centres on the parent window, or on the screen without one.
    void CenterWindow();
    // The title bar's "minbtn", "maxbtn" and "restorebtn": acts on a click of one of them and
    // says whether `name` was one.
    bool HandleCaptionButton(const QString& name);
    void Close(int result = 0);
    bool IsClosed() const { return closed_; }

    LResult SendMessage(unsigned message, WParam wParam = 0, LParam lParam = 0);
    bool PostMessage(unsigned message, WParam wParam = 0, LParam lParam = 0);

    CControlUI* GetRoot() const { return root_; }
    // The root or the first control below it with the name.
    template <class T = CControlUI>
    T* FindControl(const QString& name) const {
        return dynamic_cast<T*>(FindControlByName(name));
    }

    // Delivers a notification to Notify at once.
    void SendNotify(CControlUI* sender, const QString& type, WParam wParam = 0, LParam lParam = 0);

    // Control timers, fired into the control's OnTimer (by default a "timer" notification).
    bool SetTimer(CControlUI* control, int id, int ms);
    bool KillTimer(CControlUI* control, int id);
    // Window timers, fired as WM_TIMER with wParam = id. Same rules as control timers (Timers.h).
    bool SetTimer(int id, int ms);
    bool KillTimer(int id);

    void SetDPI(int dpi);
    int GetDPI() const { return dpi_; }
    static void SetAllDPI(int dpi);

    // Every window alive, in creation order.
    static std::vector<WindowImplBase*> Windows();

protected:
    // Resource name or layout file of the window.
    virtual QString GetSkinFile() const = 0;
    // After the tree is built and attached.
    virtual void InitWindow() {}
    // Every notification of the window's controls. Base: nothing; the framework acts on none itself.
    virtual void Notify(TNotifyUI& msg) { (void)msg; }
    // Every message before the default handling (which closes on WM_CLOSE).
    virtual LResult HandleCustomMessage(unsigned message, WParam wParam, LParam lParam, bool& handled);
    CControlUI* CreateControl(const QString& tag) override {
        (void)tag;
        return nullptr;
    }
    // After WM_DESTROY: the window is gone.
    virtual void OnFinalMessage() {}

    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    LResult HandleMessage(unsigned message, WParam wParam, LParam lParam);
    void Destroy(int result);
    CControlUI* FindControlByName(const QString& name) const;

    CControlUI* root_ = nullptr;
    bool closed_ = false;
    int result_ = 0;
    int dpi_ = 96;
    int captionHeight_ = 0;
    QPointer<QEventLoop> modalLoop_;
    TimerSet timers_;
};

}  // namespace orvane::ui
