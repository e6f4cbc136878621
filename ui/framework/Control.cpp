#include "ui/framework/Control.h"

#include "ui/framework/ControlWidget.h"
#include "ui/framework/ImageString.h"
#include "ui/framework/ResourceManager.h"
#include "ui/framework/WindowImplBase.h"

#include <QPainter>

namespace orvane::ui {
namespace {

QString CssColor(ArgbColor argb) {
    const QColor c = ToQColor(argb);
    return QString("rgba(%1,%2,%3,%4)").arg(c.red()).arg(c.green()).arg(c.blue()).arg(c.alpha());
}

}  // namespace

QString AttributeText(const QVariant& value) {
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join('|');
    return value.toString();
}

CControlUI::CControlUI(QWidget* self) : widget_(self), timers_(self, [this](int id) { OnTimer(id); }) {}

CControlUI::~CControlUI() = default;

QString CControlUI::GetClass() const {
    return "Control";
}

void* CControlUI::GetInterface(const QString& name) {
    return name == "Control" ? this : nullptr;
}

QString CControlUI::GetName() const {
    return widget_->objectName();
}

void CControlUI::SetName(const QString& name) {
    widget_->setObjectName(name);
}

WindowImplBase* CControlUI::GetWindow() const {
    return dynamic_cast<WindowImplBase*>(widget_->window());
}

CControlUI* CControlUI::GetParent() const {
    for (QWidget* w = widget_->parentWidget(); w != nullptr; w = w->parentWidget()) {
        if (auto* control = dynamic_cast<CControlUI*>(w)) return control;
    }
    return nullptr;
}

CControlUI* CControlUI::FindControlBelow(const QWidget* root, const QString& name) {
    if (root == nullptr || name.isEmpty()) return nullptr;
    for (QWidget* w : root->findChildren<QWidget*>(name)) {
        if (auto* control = dynamic_cast<CControlUI*>(w)) return control;
    }
    return nullptr;
}

void CControlUI::SetText(const QString& text) {
    text_ = text;
    layoutTextAdopted_ = true;  // the text is the program's now, whatever the layout said
    ShowText(DisplayText());
}

QString CControlUI::GetText() const {
    return DisplayText();
}

void CControlUI::SetResourceText(bool isKey) {
    resourceTextSet_ = true;
    resourceText_ = isKey;
    // While a layout is built the widget holds the layout's text, which is not ours yet.
    if (!text_.isEmpty()) ShowText(DisplayText());
}

void CControlUI::ReloadText() {
    ShowText(DisplayText());
}

void CControlUI::AdoptLayoutText() {
    if (layoutTextAdopted_) return;
    layoutTextAdopted_ = true;
    text_ = WidgetText();
    if (!resourceTextSet_) resourceText_ = LayoutTextIsKey();
    ShowText(DisplayText());
    OnAdoptLayoutText();
}

QString CControlUI::DisplayText() const {
    return resourceText_ ? Translate(text_) : text_;
}

QString CControlUI::Translate(const QString& key) const {
    return CResourceManager::GetInstance().GetText(key);
}

QString CControlUI::GetToolTip() const {
    return widget_->toolTip();
}

void CControlUI::SetToolTip(const QString& text) {
    widget_->setToolTip(text);
}

void CControlUI::SetVisible(bool visible) {
    widget_->setVisible(visible);
}

bool CControlUI::IsVisible() const {
    // Qt counts every widget of a window not yet shown as hidden; only an explicit hide counts here.
    return !(widget_->isHidden() && widget_->testAttribute(Qt::WA_WState_ExplicitShowHide));
}

void CControlUI::SetEnabled(bool enabled) {
    widget_->setEnabled(enabled);
}

bool CControlUI::IsEnabled() const {
    return !widget_->testAttribute(Qt::WA_ForceDisabled);
}

void CControlUI::SetBkColor(ArgbColor color) {
    bkColor_ = color;
    Invalidate();
}

void CControlUI::SetBkImage(const QString& imageString) {
    bkImage_ = imageString;
    Invalidate();
}

void CControlUI::SetTextColor(ArgbColor color) {
    textColor_ = color;
    ApplyTextColors();
}

void CControlUI::SetDisabledTextColor(ArgbColor color) {
    disabledTextColor_ = color;
    ApplyTextColors();
}

void CControlUI::SetSelectedTextColor(ArgbColor color) {
    selectedTextColor_ = color;
    ApplyTextColors();
}

void CControlUI::ApplyTextColors() {
    // Appended to the widget's own style sheet from the layout, which stays in force.
    if (!layoutStyleSheet_) layoutStyleSheet_ = widget_->styleSheet();
    QString sheet = *layoutStyleSheet_;
    if (textColor_) sheet += QString("\n* { color: %1; }").arg(CssColor(*textColor_));
    if (selectedTextColor_) sheet += QString("\n*:checked { color: %1; }").arg(CssColor(*selectedTextColor_));
    if (disabledTextColor_) sheet += QString("\n*:disabled { color: %1; }").arg(CssColor(*disabledTextColor_));
    widget_->setStyleSheet(sheet);
}

void CControlUI::Invalidate() {
    widget_->update();
}

void CControlUI::PaintBackground(QPainter& painter, const QRect& rect) const {
    if (bkColor_ != 0) painter.fillRect(rect, ToQColor(bkColor_));
    if (!bkImage_.isEmpty()) DrawImage(painter, rect, bkImage_);
}

bool CControlUI::Activate() {
    return IsVisible() && IsEnabled();
}

void CControlUI::SendNotify(const QString& type, WParam wParam, LParam lParam) {
    if (WindowImplBase* window = GetWindow()) window->SendNotify(this, type, wParam, lParam);
}

bool CControlUI::SetTimer(int id, int ms) {
    return timers_.Set(id, ms);
}

bool CControlUI::KillTimer(int id) {
    return timers_.Kill(id);
}

void CControlUI::KillTimers() {
    timers_.KillAll();
}

void CControlUI::OnTimer(int id) {
    SendNotify("timer", static_cast<WParam>(id));
}

void CControlUI::SetAttribute(const QString& name, const QString& value) {
    if (name == "userdata") {
        SetUserData(value);
    } else if (name == "bkimage") {
        SetBkImage(value);
    } else if (name == "bkcolor") {
        if (auto c = ParseColor(value)) SetBkColor(*c);
    } else if (name == "textcolor") {
        if (auto c = ParseColor(value)) SetTextColor(*c);
    } else if (name == "disabledtextcolor") {
        if (auto c = ParseColor(value)) SetDisabledTextColor(*c);
    } else if (name == "selectedtextcolor") {
        if (auto c = ParseColor(value)) SetSelectedTextColor(*c);
    } else if (name == "resourcetext") {
        if (auto b = ParseBool(value)) SetResourceText(*b);
    } else if (name == "visible") {
        if (auto b = ParseBool(value)) SetVisible(*b);
    } else if (name == "menu") {
        if (auto b = ParseBool(value)) SetContextMenuUsed(*b);
    }
}

std::vector<CControlUI*> ControlsBelow(QWidget* root) {
    std::vector<CControlUI*> controls;
    if (root == nullptr) return controls;
    if (auto* control = dynamic_cast<CControlUI*>(root)) controls.push_back(control);
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (auto* control = dynamic_cast<CControlUI*>(w)) controls.push_back(control);
    }
    return controls;
}

}  // namespace orvane::ui
