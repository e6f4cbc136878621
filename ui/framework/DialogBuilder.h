#pragma once
// Builds a control tree from a layout file (a Qt Designer .ui file, named as ResourceManager.h
// describes).
//
// Every <widget class="…"> becomes a control: first one of the framework's classes
// (BuiltinControls.h), then a class registered with CControlFactory, then whatever the callback's
// CreateControl returns for the tag; other classes become plain Qt widgets (Qt's own classes) or
// are left out with a debug log line. In Designer a program class is placed by promoting a widget:
// the .ui then names the class, e.g. <widget class="DeviceKeyButton" name="key_1">.
//
// Nested layout files resolve through the same callback: a placeholder element whose class the
// callback answers by building another layout (CreateControl("DeviceProfileUI") returns
// CDialogBuilder().Create("XML\\CustomControlXML\\DeviceProfile.xml", this)), or a custom control
// that builds its content from a layout file. The element's name and properties then apply to the
// built tree's root.
//
// Dynamic properties of an element are the control's attributes (Control.h); Qt properties
// (geometry, text, toolTip, enabled, checked, minimum, maximum, styleSheet, …) are Qt's.

#include <QString>

class QWidget;

namespace orvane::ui {

class CControlUI;

class IDialogBuilderCallback {
public:
    virtual ~IDialogBuilderCallback() = default;
    // A control for a layout tag the framework does not know, or nullptr.
    virtual CControlUI* CreateControl(const QString& tag) = 0;
};

class CDialogBuilder {
public:
    // The root control of the built tree, parented to `parent` when given. nullptr when the layout
    // file is missing or malformed or its root is no control; the reason is logged and kept.
    CControlUI* Create(const QString& layoutName, IDialogBuilderCallback* callback = nullptr, QWidget* parent = nullptr);

    QString GetLastError() const { return error_; }

private:
    QString error_;
};

}  // namespace orvane::ui
