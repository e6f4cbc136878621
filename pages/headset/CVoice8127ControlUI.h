#pragma once
// CVoice8127ControlUI ("Voice8127Control"): the headset's equaliser and microphone panel, its
// children from "XML\\CustomControlXML\\Voice8127Control.xml": the equaliser options
// "8127_eq_option_1".."13" (13 is the custom equaliser), the band sliders "8127_eq_hz_slider_0".."9",
// the custom equaliser's container "custom_eq_option_layout" with the name edit and combo, and the
// microphone input and monitor switches and levels. Children are found by name on first use; a
// missing one is skipped (a getter then gives -1). Every setter leaves the panel quiet: the page
// raises nothing by showing its state. UI thread only.

#include <QString>

#include "ui/framework/Container.h"

namespace orvane {

class CVoice8127ControlUI : public ui::CVerticalLayoutUI {
public:
    static constexpr int kEqOptions = 13;
    static constexpr int kBands = 10;

    using CVerticalLayoutUI::CVerticalLayoutUI;

    QString GetClass() const override { return "Voice8127Control"; }
    void* GetInterface(const QString& name) override;

    // Every option unselected, then option n; n outside 1..13 selects none and stores 0.
    void SelectEqOption(int n);
    int GetEqOption() const { return eqOption_; }
    void SetBandValue(int band, int gain);
    int GetBandValue(int band) const;
    void EnableCustomLayout(bool enable);

    void SetMicInOption(bool on);
    void SetMicMonitorOption(bool on);
    bool GetMicInOption() const;
    bool GetMicMonitorOption() const;
    void SetMicInLevel(int level);
    int GetMicInLevel() const;
    void SetMicMonitorLevel(int level);
    int GetMicMonitorLevel() const;

    void SetNameEditText(const QString& text);
    QString GetNameEditText() const;

    // The custom equaliser names' combo.
    void AddName(const QString& name);
    int GetNameSelection() const;
    int GetNameCount() const;
    // Also clears the name edit.
    void SelectName(int index);
    void RemoveNameAt(int index);
    void RemoveAllNames();
    QString GetNameText(int index) const;

    // Which parts work on this headset: what does not is hidden and "voice_audio_unavailable"
    // says so; all false shows the notice alone.
    void ShowAvailability(bool equaliser, bool microphone, bool monitor);

private:
    template <class T>
    T* Child(const QString& name) const;

    int eqOption_ = 0;
};

}  // namespace orvane
