#pragma once
// CLightControlUI ("LightControl"): the lighting panel of a device page, its children from
// "XML\\CustomControlXML\\LightControl.xml". It shows one light state (mode, brightness, speed,
// direction, colourful cycling, colour), enables and shows its areas by the device kind's rules
// for the selected mode (light/LightPanelRules), and turns a notification of its controls into
// the changed light state: the page stores, saves and writes that (TakeChange).
//
// The page: SetLightDeviceKind, InitLightModes when it builds its interface, ShowLightInfo
// whenever it loads a profile. Controls are found by name on first use; a missing one is
// skipped. UI thread only.

#include <QPointer>
#include <QString>

#include <string>
#include <vector>

#include "light/LightPanelRules.h"
#include "protocol/LightSetting.h"
#include "ui/framework/AttributeValues.h"
#include "ui/framework/Container.h"

namespace orvane::ui {
struct TNotifyUI;
}

namespace orvane {

class CLightControlUI : public ui::CHorizontalLayoutUI {
public:
    using CHorizontalLayoutUI::CHorizontalLayoutUI;

    QString GetClass() const override { return "LightControl"; }
    void* GetInterface(const QString& name) override;

    void SetLightDeviceKind(int kind) { kind_ = kind; }
    int GetLightDeviceKind() const { return kind_; }
    // One mode entry per name (text and user data the name, shown through the language table),
    // hidden where `visible` says 0; the sliders run 0..maximum.
    void InitLightModes(const std::vector<std::string>& names, const std::vector<uint8_t>& visible, int maxBrightness,
                        int maxSpeed);
    // Every control shows `light`, then the layout rules of its mode apply.
    void ShowLightInfo(const LightSetting& light);
    // The mode entry selected without a notification, then the layout rules.
    void SelectLightMode(int index);
    int GetSelectedLightMode() const;
    // "light_combo_custommodeSelect" (keyboards): the custom light group shown, without raising
    // the notification; -1 when the combo is missing or shows none.
    void SelectCustomLightGroup(int group);
    int GetSelectedCustomLightGroup() const;
    // Palette selection and swatch background.
    void SetLightColor(ui::ArgbColor color);
    void SetMultiColorCheck(bool on);
    bool GetMultiColorCheck() const;
    // true selects "deng_FXL_check" and clears "deng_FXR_check"; false the reverse.
    void SetLightDirection(bool left);
    // Whether the page takes part in synchronised lighting: shows "deng_same_mode" where the
    // kind's rules offer it.
    void SetSyncLighting(bool on);
    bool GetSyncLighting() const { return sync_; }
    void UpdateLightLayout(int kind, int mode);

    // A notification of one of the panel's controls: the panel shows its side of the edit and
    // `light` takes the change. False, with `light` unchanged, for any other notification or one
    // that changes nothing ("deng_same_mode" included: the main window acts on it).
    bool TakeChange(const ui::TNotifyUI& msg, LightSetting& light);

private:
    template <class T>
    T* Child(const char* name) const;
    // The colour `rgb` (0x00RRGGBB) chosen: edits, check, palette and swatch show it.
    void ShowChosenColour(LightSetting& light, ui::ArgbColor rgb);
    void ShowColourEdits(const LightSetting& light);

    int kind_ = 0;
    bool sync_ = false;
};

}  // namespace orvane
