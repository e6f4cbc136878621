#pragma once
// COptionUI ("Option"; check boxes and radio buttons too): a button with a selected state, shown as
// the button's checked state (style sheets use :checked).
//
// A click raises "click", then changes the state: an option of a group (attribute group, or
// SetGroup) becomes selected and the other options of that group in the window are deselected; an
// option without a group toggles. "selectchanged" (wParam = new state) is raised only by the
// option whose state the user or the caller changed: the options a group switches off stay quiet.
// Selecting an option bound to a tab layout (attributes bindtabname, bindtabindex) shows that page.
// Attributes: group, selected, bindtabname, bindtabindex.

#include "ui/framework/Button.h"

namespace orvane::ui {

class COptionUI : public CButtonUI {
public:
    explicit COptionUI(QWidget* parent = nullptr);

    QString GetClass() const override { return "Option"; }
    void* GetInterface(const QString& name) override;
    bool Activate() override;

    bool IsSelected() const { return isChecked(); }
    void SetSelected(bool selected, bool notify = true);

    QString GetGroup() const { return group_; }
    void SetGroup(const QString& group) { group_ = group; }

    void SetBindTabLayoutName(const QString& name) { bindTabName_ = name; }
    QString GetBindTabLayoutName() const { return bindTabName_; }
    void SetBindTabLayoutIndex(int index) { bindTabIndex_ = index; }
    int GetBindTabLayoutIndex() const { return bindTabIndex_; }

    void SetAttribute(const QString& name, const QString& value) override;

protected:
    // The state changes in Activate, after "click".
    void nextCheckState() override {}

private:
    void DeselectGroupPeers();
    void SelectBoundTab();

    QString group_;
    QString bindTabName_;
    int bindTabIndex_ = -1;
};

}  // namespace orvane::ui
