#pragma once
// CControlUI: what every control of the framework offers, whatever Qt widget it is. Each control
// class is a Qt widget that also derives from CControlUI (see ControlWidget.h), so code finds
// controls by name, asks their class, and raises notifications into their window.
//
// Texts. SetText stores a text; the control shows it through the language table when the text is
// a language key (IsResourceText), else as it is, and GetText returns what is shown. Texts written
// in layout files are keys, except in edits (user input) and where the element sets the attribute
// resourcetext="false"; texts set by code are plain until SetResourceText(true). Tool tips are
// always plain.
//
// Attributes. A dynamic property of a layout element (Designer: a property with stdset="0") reaches
// SetAttribute(name, value) as text. Every control takes: userdata, bkcolor, bkimage (an image
// string, ImageString.h), textcolor, disabledtextcolor, selectedtextcolor, resourcetext, visible,
// menu ("true": a context-menu request raises "menu"). Classes add their own and custom controls
// override SetAttribute, passing unknown names to their base.
//
// Painting: the background colour, then the background image, then the widget's own (Qt style and
// style sheet) painting.

#include "ui/framework/AttributeValues.h"
#include "ui/framework/Timers.h"
#include "ui/framework/WindowMessages.h"

#include <QString>
#include <QWidget>

#include <optional>
#include <vector>

class QPainter;

namespace orvane::ui {

class WindowImplBase;

class CControlUI {
public:
    explicit CControlUI(QWidget* self);
    virtual ~CControlUI();
    CControlUI(const CControlUI&) = delete;
    CControlUI& operator=(const CControlUI&) = delete;

    QWidget* GetWidget() const { return widget_; }

    // Class name without prefix and suffix: "Button", "Option", "DeviceKeyButton".
    virtual QString GetClass() const;
    // This control as the class named, or nullptr: GetInterface("Option") gives a COptionUI*.
    virtual void* GetInterface(const QString& name);

    QString GetName() const;
    void SetName(const QString& name);

    // The window the control lives in; nullptr while its tree is not part of a window.
    WindowImplBase* GetWindow() const;
    // The nearest enclosing control.
    CControlUI* GetParent() const;

    // First control below this one with the name (this control not included).
    template <class T = CControlUI>
    T* FindSubControlByName(const QString& name) const {
        return dynamic_cast<T*>(FindControlBelow(widget_, name));
    }

    virtual void SetText(const QString& text);
    QString GetText() const;
    void SetResourceText(bool isKey);
    bool IsResourceText() const { return resourceText_; }
    // Shows the texts anew from the language table.
    virtual void ReloadText();
    // Takes the text the layout file gave the widget as the control's text. Done once, by the dialog
    // builder after a layout is built.
    void AdoptLayoutText();

    QString GetUserData() const { return userData_; }
    void SetUserData(const QString& data) { userData_ = data; }

    QString GetToolTip() const;
    void SetToolTip(const QString& text);

    // Own visibility and enabling, independent of the parents'.
    virtual void SetVisible(bool visible);
    bool IsVisible() const;
    virtual void SetEnabled(bool enabled);
    bool IsEnabled() const;

    void SetBkColor(ArgbColor color);
    ArgbColor GetBkColor() const { return bkColor_; }
    void SetBkImage(const QString& imageString);
    QString GetBkImage() const { return bkImage_; }
    void SetTextColor(ArgbColor color);
    void SetDisabledTextColor(ArgbColor color);
    // Text colour while the control is checked (options).
    void SetSelectedTextColor(ArgbColor color);

    void SetContextMenuUsed(bool used) { contextMenuUsed_ = used; }
    bool IsContextMenuUsed() const { return contextMenuUsed_; }

    void Invalidate();

    // What a click does. Base: true when the control is visible and enabled, nothing else.
    virtual bool Activate();

    // Raises a notification into the window's Notify, synchronously; nothing outside a window.
    void SendNotify(const QString& type, WParam wParam = 0, LParam lParam = 0);

    // Control timers: the timer fires every `ms` until killed; arming an armed id restarts it.
    // Safe from any thread; firing is on the UI thread, through OnTimer.
    bool SetTimer(int id, int ms);
    bool KillTimer(int id);
    void KillTimers();

    virtual void SetAttribute(const QString& name, const QString& value);

protected:
    // A timer fired. Base: the notification "timer" with wParam = id.
    virtual void OnTimer(int id);

    // The text the widget shows, and showing one. Base: not shown.
    virtual QString WidgetText() const { return text_; }
    virtual void ShowText(const QString& text) { (void)text; }
    // Whether texts written in layout files are language keys for this class.
    virtual bool LayoutTextIsKey() const { return true; }
    // Called once by AdoptLayoutText, for the texts a class keeps beside its main text.
    virtual void OnAdoptLayoutText() {}

    QString DisplayText() const;
    QString Translate(const QString& key) const;
    void PaintBackground(QPainter& painter, const QRect& rect) const;
    bool HasBackground() const { return bkColor_ != 0 || !bkImage_.isEmpty(); }

    static CControlUI* FindControlBelow(const QWidget* root, const QString& name);

    // Text kept in step with what the user typed (edits).
    void SetTextFromUser(const QString& text) { text_ = text; }

private:
    void ApplyTextColors();

    QWidget* widget_;
    QString text_;
    bool resourceText_ = false;
    bool resourceTextSet_ = false;
    bool layoutTextAdopted_ = false;
    QString userData_;
    ArgbColor bkColor_ = 0;
    QString bkImage_;
    std::optional<ArgbColor> textColor_;
    std::optional<ArgbColor> disabledTextColor_;
    std::optional<ArgbColor> selectedTextColor_;
    std::optional<QString> layoutStyleSheet_;
    bool contextMenuUsed_ = false;
    TimerSet timers_;
};

// The control itself (when it is one) and every control below it, parents before children.
std::vector<CControlUI*> ControlsBelow(QWidget* root);

}  // namespace orvane::ui
