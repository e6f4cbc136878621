#pragma once
// CMagicControlUI ("MagicControl"): the headset's voice effect panel, its children from
// "XML\\CustomControlXML\\MagicControl.xml": the switch "magic_enable_option" and, in
// "magic_option_layout" (enabled with the switch), the kinds "magic_option_1".."4". Setters raise
// nothing. UI thread only.

#include <QString>

#include "ui/framework/Container.h"

namespace orvane {

class CMagicControlUI : public ui::CVerticalLayoutUI {
public:
    static constexpr int kKinds = 4;

    using CVerticalLayoutUI::CVerticalLayoutUI;

    QString GetClass() const override { return "MagicControl"; }
    void* GetInterface(const QString& name) override;

    // The switch shows `on` and the kinds' container is enabled with it.
    void SetEffectEnabled(bool on);
    bool IsEffectEnabled() const;
    // The four kinds unselected, then kind n; n outside 1..4 selects none and stores 0.
    void SelectKind(int n);
    int GetKind() const { return kind_; }
    // A headset without the voice effect: the controls hidden, "magic_unavailable" shown.
    void ShowAvailability(bool supported);

private:
    int kind_ = 0;
};

}  // namespace orvane
