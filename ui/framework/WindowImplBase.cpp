#include "ui/framework/WindowImplBase.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QMouseEvent>
#include <QScreen>
#include <QThread>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>

namespace orvane::ui {
namespace {

std::vector<WindowImplBase*>& Registry() {
    static std::vector<WindowImplBase*> windows;
    return windows;
}

}  // namespace

WindowImplBase::WindowImplBase()
    : timers_(this, [this](int id) { HandleMessage(WM_TIMER, static_cast<WParam>(id), 0); }) {
    Registry().push_back(this);
}

WindowImplBase::~WindowImplBase() {
    auto& windows = Registry();
    windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
}

std::vector<WindowImplBase*> WindowImplBase::Windows() {
    return Registry();
}

bool WindowImplBase::Create(QWidget* parent, const QString& title, Qt::WindowFlags flags, const QRect& geometry) {
    if (root_ != nullptr) return false;
    // Built without a parent so that nothing it raises while being built reaches Notify.
    CControlUI* root = CDialogBuilder().Create(GetSkinFile(), this);
    if (root == nullptr) return false;

    setParent(parent, flags | Qt::Window);
    setWindowTitle(title);
    QWidget* rootWidget = root->GetWidget();
    const QSize layoutSize = rootWidget->size();
    auto* frame = new QVBoxLayout(this);
    frame->setContentsMargins(0, 0, 0, 0);
    frame->addWidget(rootWidget);
    root_ = root;
    captionHeight_ = rootWidget->property("caption").toInt();
    if (geometry.isValid()) {
        setGeometry(geometry);
    } else {
        resize(layoutSize);
    }

    InitWindow();
    QMetaObject::invokeMethod(
        this, [this] { if (!closed_) SendNotify(root_, "windowinit"); }, Qt::QueuedConnection);
    return true;
}

int WindowImplBase::ShowModal() {
    if (closed_) return result_;
    QPointer<WindowImplBase> self(this);
    QEventLoop loop;
    modalLoop_ = &loop;
    setWindowModality(Qt::ApplicationModal);
    show();
    const int result = loop.exec();
    if (self) setWindowModality(Qt::NonModal);
    return result;
}

void WindowImplBase::ShowWindow(bool visible, bool takeFocus) {
    if (!visible) {
        hide();
        return;
    }
    setAttribute(Qt::WA_ShowWithoutActivating, !takeFocus);
    QWidget::show();
    if (takeFocus) activateWindow();
}

void WindowImplBase::CenterWindow() {
    const QWidget* owner = parentWidget() != nullptr ? parentWidget()->window() : nullptr;
    QRect area;
    if (owner != nullptr && owner->isVisible()) {
        area = owner->frameGeometry();
    } else if (QScreen* s = screen()) {
        area = s->availableGeometry();
    }
    if (!area.isValid()) return;
    QRect frame = frameGeometry();
    frame.moveCenter(area.center());
    move(frame.topLeft());
}

bool WindowImplBase::HandleCaptionButton(const QString& name) {
    if (name == "minbtn") {
        showMinimized();
    } else if (name == "maxbtn") {
        showMaximized();
    } else if (name == "restorebtn") {
        showNormal();
    } else {
        return false;
    }
    return true;
}

void WindowImplBase::Close(int result) {
    HandleMessage(WM_CLOSE, static_cast<WParam>(result), 0);
}

LResult WindowImplBase::SendMessage(unsigned message, WParam wParam, LParam lParam) {
    if (QThread::currentThread() == thread()) return HandleMessage(message, wParam, lParam);
    LResult result = 0;
    QMetaObject::invokeMethod(
        this, [this, message, wParam, lParam] { return HandleMessage(message, wParam, lParam); },
        Qt::BlockingQueuedConnection, &result);
    return result;
}

bool WindowImplBase::PostMessage(unsigned message, WParam wParam, LParam lParam) {
    return QMetaObject::invokeMethod(
        this, [this, message, wParam, lParam] { HandleMessage(message, wParam, lParam); }, Qt::QueuedConnection);
}

LResult WindowImplBase::HandleCustomMessage(unsigned message, WParam wParam, LParam lParam, bool& handled) {
    (void)message;
    (void)wParam;
    (void)lParam;
    handled = false;
    return 0;
}

LResult WindowImplBase::HandleMessage(unsigned message, WParam wParam, LParam lParam) {
    bool handled = false;
    const LResult result = HandleCustomMessage(message, wParam, lParam, handled);
    if (!handled && message == WM_CLOSE && !closed_) Destroy(static_cast<int>(wParam));
    return result;
}

void WindowImplBase::Destroy(int result) {
    closed_ = true;
    result_ = result;
    timers_.KillAll();
    for (CControlUI* control : ControlsBelow(this)) control->KillTimers();
    hide();
    if (modalLoop_) modalLoop_->exit(result);
    bool handled = false;
    HandleCustomMessage(WM_DESTROY, 0, 0, handled);
    OnFinalMessage();
}

CControlUI* WindowImplBase::FindControlByName(const QString& name) const {
    if (root_ == nullptr || name.isEmpty()) return nullptr;
    if (root_->GetName() == name) return root_;
    return root_->FindSubControlByName(name);
}

void WindowImplBase::SendNotify(CControlUI* sender, const QString& type, WParam wParam, LParam lParam) {
    TNotifyUI msg{type, sender, wParam, lParam};
    Notify(msg);
}

bool WindowImplBase::SetTimer(CControlUI* control, int id, int ms) {
    return control != nullptr && control->SetTimer(id, ms);
}

bool WindowImplBase::KillTimer(CControlUI* control, int id) {
    return control != nullptr && control->KillTimer(id);
}

bool WindowImplBase::SetTimer(int id, int ms) {
    return timers_.Set(id, ms);
}

bool WindowImplBase::KillTimer(int id) {
    return timers_.Kill(id);
}

void WindowImplBase::SetDPI(int dpi) {
    if (dpi <= 0) return;
    dpi_ = dpi;
    QFont font = QApplication::font();
    if (font.pointSizeF() > 0) {
        font.setPointSizeF(font.pointSizeF() * dpi / 96.0);
    } else {
        font.setPixelSize(std::max(1, font.pixelSize() * dpi / 96));
    }
    setFont(font);
}

void WindowImplBase::SetAllDPI(int dpi) {
    for (WindowImplBase* window : Registry()) window->SetDPI(dpi);
}

void WindowImplBase::closeEvent(QCloseEvent* e) {
    // Closing from the window system takes the same road as Close(), which may refuse it.
    e->ignore();
    if (!closed_) Close(0);
}

void WindowImplBase::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::ActivationChange) HandleMessage(WM_ACTIVATE, isActiveWindow() ? 1 : 0, 0);
}

void WindowImplBase::enterEvent(QEnterEvent* e) {
    QWidget::enterEvent(e);
    HandleMessage(WM_MOUSEHOVER, 0, 0);
}

void WindowImplBase::leaveEvent(QEvent* e) {
    QWidget::leaveEvent(e);
    HandleMessage(WM_MOUSELEAVE, 0, 0);
}

void WindowImplBase::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (root_ != nullptr) SendNotify(root_, "windowsize");
}

void WindowImplBase::mousePressEvent(QMouseEvent* e) {
    // Reached only when no control below took the press: an empty part of the title strip.
    if (e->button() == Qt::LeftButton && e->position().y() < captionHeight_ && windowHandle() != nullptr) {
        windowHandle()->startSystemMove();
        return;
    }
    QWidget::mousePressEvent(e);
}

}  // namespace orvane::ui
