#include "app/FeatureRoutes.h"

#include "pages/KeyboardSettingsPanel.h"
#include "pages/MouseSystemPanel.h"
#include "pages/NumberedName.h"
#include "pages/ProfilePanelTexts.h"

#include <QHash>

namespace orvane::app {
namespace {

// Where the owners find their controls.
constexpr const char* kMainLayout = "XML_MAIN";
constexpr const char* kMousePage = "XML\\DeviceXml\\mousedevice1.xml";
constexpr const char* kKeyboardPage = "XML\\DeviceXml\\keyboarddevice.xml";
constexpr const char* kMousePadPage = "XML\\DeviceXml\\mousepaddevice.xml";
constexpr const char* kHeadsetPage = "XML\\DeviceXml\\hs8127device.xml";
constexpr const char* kSelectorEntry = "XML\\CustomControlXML\\DeviceOption.xml";
constexpr const char* kPowerEntry = "XML\\CustomControlXML\\MpDevicePower.xml";
constexpr const char* kComboEditRow = "XML\\CustomControlXML\\ComboEditElementItem.xml";
constexpr const char* kKeySetPanel = "XML\\CustomControlXML\\KeySetControl.xml";
constexpr const char* kMacroPanel = "XML\\CustomControlXML\\MacroControl.xml";
constexpr const char* kShootPanel = "XML\\CustomControlXML\\ShootControl.xml";
constexpr const char* kLightPanel = "XML\\CustomControlXML\\LightControl.xml";
constexpr const char* kVoicePanel = "XML\\CustomControlXML\\Voice8127Control.xml";
constexpr const char* kMagicPanel = "XML\\CustomControlXML\\MagicControl.xml";

class OwnerTable {
public:
    OwnerTable(Feature feature, const char* layout) : feature_(feature), layout_(layout) {}

    void Names(NotifyKinds kinds, std::initializer_list<const char*> names) {
        for (const char* name : names) Add(name, false, kinds, false);
    }
    // prefix + 0 … count - 1, each looked up by its whole name.
    void Rows(NotifyKinds kinds, const char* prefix, int count) {
        for (int n = 0; n < count; ++n) Add(QLatin1String(prefix) + QString::number(n), false, kinds, false);
    }
    void Numbered(NotifyKinds kinds, const char* prefix) { Add(prefix, true, kinds, false); }
    void Optional(NotifyKinds kinds, const char* name, bool numbered = false) { Add(name, numbered, kinds, true); }

    OwnerTable& For(Feature feature, const char* layout) {
        feature_ = feature;
        layout_ = layout;
        return *this;
    }
    std::vector<ControlOwner> Take() { return std::move(rows_); }

private:
    void Add(const QString& name, bool numbered, NotifyKinds kinds, bool optional) {
        rows_.push_back({name, numbered, feature_, kinds, layout_, optional});
    }

    Feature feature_;
    const char* layout_;
    std::vector<ControlOwner> rows_;
};

std::vector<ControlOwner> MakeOwners() {
    OwnerTable t(Feature::MainWindow, kMainLayout);
    t.Names(kClick, {"closebtn", "nodevice_ok_btn", "control_light_status", "minbtn", "maxbtn", "restorebtn",
                     "update_ok_btn", "re_update_btn", "update_cancel_btn", "finish_update_btn", "update_close_btn"});
    t.Names(0, {"gamemodebtn", "cloudbtn", "smarteyesbtn"});  // looked up, nothing more
    // The window's own DPI pair, which its layout may hold.
    t.Optional(kMoveValueChanged, "vexal_DPI_slider_", true);
    t.Optional(kKillFocus, "vexal_DPI_edit_", true);
    t.For(Feature::MainWindow, kMousePage).Names(kClick, {"default_btn"});
    t.Names(kClickSelectEnd, {"mouse_device_key_light"});  // the light band check
    // The other pages' select panels end a band with no effect.
    t.For(Feature::MainWindow, kKeyboardPage).Names(0, {"keyboard_device_key_light"});
    t.For(Feature::MainWindow, kMousePadPage).Names(0, {"mousepad_device_key_light"});
    t.For(Feature::MainWindow, kHeadsetPage).Names(0, {"hs8127_device_key_light"});
    // Selector entries and power controls act by themselves.
    t.For(Feature::MainWindow, kSelectorEntry).Names(0, {"device_option", "device_select", "synchro_device_select"});
    t.For(Feature::MainWindow, kPowerEntry).Names(0, {"device_power"});
    // Single-key capture runs on the window's input hook (message 1054).
    t.For(Feature::MainWindow, kKeySetPanel).Names(kSetFocus | kKillFocus, {"keyset_keyboard_text_edit"});

    t.For(Feature::SkinWindow, kMainLayout).Names(kClick, {"skinbtn"});
    t.For(Feature::SettingsWindow, kMainLayout).Names(kClick, {"setbtn"});

    t.For(Feature::ProfileList, kMousePage)
        .Names(kClick, {"device_add_btn", "device_sub_btn", "device_copy_btn", "device_reset_btn",
                        "device_profile_edit_save_btn", "device_import_btn", "device_export_btn",
                        "profile_fun_spread_btn"});
    t.Names(kItemSelect, {"device_profile_combo"});
    t.Names(0, {"device_profile_name_edit"});  // read by the rename
    t.For(Feature::FunctionTabs, kMousePage);
    for (const char* tab : kFeatureTabNames) t.Names(kSelectChanged, {tab});

    t.For(Feature::PerformanceSettings, kMousePage).Rows(kSelectChanged, "DPI_enable_check_", kDpiStageRows);
    t.Rows(kSelectChanged, "DPI_rank_check_", kDpiStageRows);
    t.Rows(kValueChanged | kMoveValueChanged, "DPI_slider_", kDpiStageRows);
    t.Rows(kKillFocus, "DPI_edit_", kDpiStageRows);
    t.Rows(kSelectChanged, "polling_rate_option_", kReportRateOptions);
    t.Rows(kSelectChanged, "Height_rate_option_", kLiftOffOptions);
    t.Names(kValueChanged, {"pointer_speed_slider", "scroll_speed_slider", "double_click_slider"});
    t.Names(kSelectChanged, {"pointer_precision_check", "scrolls_page_check"});
    t.Names(0, {"height_click_slider"});  // shows the device's lift-off switch only
    t.Numbered(kSelectChanged, "mouse_device_seting_option_");
    // The keyboard's settings panel; its report-rate options are the rows above.
    t.For(Feature::PerformanceSettings, kKeyboardPage)
        .Names(kSelectChanged, {"winlockflag_option", "wflag_option", "6flag_option"});
    t.Rows(kSelectChanged, "repeat_rate_check_", kKeyRepeatOptions);
    t.Rows(kSelectChanged, "repeat_delay_check_", kKeyRepeatOptions);
    t.Names(kValueChanged, {"repeat_rate_slider"});
    t.Names(0, {"repeat_input_richedit"});  // where the user tries the repeat

    t.For(Feature::KeyButton, kMousePage).Numbered(kClick, "key_");
    t.For(Feature::KeyAssignment, kMousePage).Names(0, {"device_setkeyinfo_list"});
    t.For(Feature::KeyAssignment, kKeySetPanel)
        .Names(kClick, {"key_butt_keysave", "key_butt_keydefalut", "key_butt_keycancel", "key_butt_prosave",
                        "key_butt_clear"});
    t.Names(kItemSelect,
            {"keyset_function_combo", "keyset_macro_over_combo", "keyset_gunkey_combo", "keyset_combokey_combo"});
    // The other function tables' combos are read when the code is built.
    t.Names(0, {"keyset_mousekey_combo", "keyset_mouseswing_combo", "keyset_mousewheel_combo", "keyset_mousedpi_combo",
                "keyset_media_combo", "keyset_system_combo", "keyset_macro_combo"});
    t.Names(kKillFocus, {"keyset_mouseswing_num_edit", "keyset_mouseswing_delay_edit", "keyset_mouseswing_speed_edit",
                         "keyset_mousewheel_num_edit", "keyset_mousewheel_delay_edit", "keyset_mousewheel_speed_edit",
                         "keyset_mousefire_interval_edit", "keyset_mousefire_num_edit", "keyset_macro_cycle_edit"});
    t.Numbered(kSelectChanged, "key_ComBox_check_");
    t.For(Feature::KeyRepeat, kKeyboardPage).Names(kClick, {"reset_repeat_btn"});

    t.For(Feature::MacroPanel, kMacroPanel)
        .Names(kClick, {"macro_btn_name_add", "macro_btn_name_sub", "macro_btn_name_edit", "macro_btn_save",
                        "macro_btn_cancel", "macro_btn_export", "macro_btn_import", "macro_btn_up", "macro_btn_down",
                        "macro_btn_uptop", "macro_btn_downbottom", "macro_btn_delete", "macro_btn_deleteall",
                        "macro_inset_moveleftkey_btn", "macro_inset_moverightkey_btn", "macro_inset_moveupkey_btn",
                        "macro_inset_movedownkey_btn"});
    t.Names(kItemSelect, {"macro_name_list"});
    t.Names(0, {"macro_action_list", "macro_edit_macroname", "mouse_x_left_edit", "mouse_x_right_edit", "mouse_y_up_edit",
                "mouse_y_down_edit"});
    t.For(Feature::MacroPanel, kComboEditRow).Names(0, {"delay_edit"});
    t.For(Feature::MacroRecording, kMacroPanel).Names(kClick, {"macro_btn_starredio", "macro_btn_stopredio"});
    t.Names(0, {"macro_check_time", "macro_fixed_time_edit", "macro_name_tab", "macro_tab_macroaction_edit",
                "macro_tab_macrodelay_edit"});
    t.Optional(kItemActivate, "macro_action");  // the step rows, made at run time

    t.For(Feature::ShootPattern, kShootPanel).Numbered(kSelectChanged, "shoot_gun_op_");
    t.Numbered(kSelectChanged, "bullet_op_");
    t.Names(kSelectChanged, {"bullet_x_check", "bullet_y_check"});
    t.Names(kClick, {"bullet_selected_prev", "bullet_selected_next", "shootdate_reset_btn", "shootdate_save_btn",
                     "shootdate_import_btn", "shootdate_export_btn"});
    t.Names(kKillFocus, {"bullet_x_eidt", "bullet_y_eidt", "bullet_delay_eidt"});

    t.For(Feature::ColourOption, kLightPanel).Numbered(kClick, "color_option_");
    t.For(Feature::Lighting, kLightPanel).Names(kItemSelect, {"light_combo_modeSelect", "light_combo_custommodeSelect"});
    t.Names(kValueChanged, {"deng_light_slider", "deng_speed_slider"});
    t.Names(kKillFocus, {"deng_edit_R", "deng_edit_G", "deng_edit_B"});
    t.Names(kColorChanged, {"deng_Color_Pallet"});
    t.Names(kSelectChanged, {"deng_7color_check", "deng_FXL_check", "deng_FXR_check"});
    t.Names(kClick, {"custom_bright_color_btn", "custom_off_color_btn", "deng_same_mode"});
    t.Names(0, {"deng_colordp_btn"});  // the swatch only shows the colour
    // The pictures' lights: chosen by the band, a click on one does nothing.
    t.For(Feature::Lighting, kMousePage).Numbered(0, "light_");
    t.For(Feature::Lighting, kMousePadPage).Numbered(0, "pad_light_");
    t.For(Feature::Lighting, kHeadsetPage).Numbered(0, "headset_light_");

    t.For(Feature::HeadsetEqualiser, kVoicePanel).Numbered(kSelectChanged, "8127_eq_option_");
    t.Numbered(kValueChanged, "8127_eq_hz_slider_");
    t.Names(kItemSelect, {"custom_eq_name_combo"});
    t.Names(kClick, {"hs_EQ_btn_save", "hs_EQ_btn_delete"});
    t.Names(0, {"custom_eq_name_edit"});
    t.For(Feature::HeadsetAudio, kVoicePanel).Names(kSelectChanged, {"8127_MicIn_option", "8127_MicMoniter_option"});
    t.Names(kValueChanged, {"8127_MicIn_slider", "8127_MicMoniter_slider"});
    t.For(Feature::HeadsetAudio, kMagicPanel).Names(kSelectChanged, {"magic_enable_option"});
    t.Numbered(kSelectChanged, "magic_option_");
    return t.Take();
}

struct Index {
    QHash<QString, size_t> exact;
    std::vector<size_t> numbered;
};

const Index& OwnerIndex() {
    static const Index index = [] {
        Index built;
        const std::vector<ControlOwner>& owners = ControlOwners();
        for (size_t i = 0; i < owners.size(); ++i) {
            if (owners[i].numbered) {
                built.numbered.push_back(i);
            } else {
                built.exact.insert(owners[i].name, i);
            }
        }
        return built;
    }();
    return index;
}

bool NeedsPage(Feature feature) {
    return feature != Feature::MainWindow && feature != Feature::SkinWindow && feature != Feature::SettingsWindow;
}

}  // namespace

NotifyKinds KindOf(const QString& type) {
    for (const auto& [name, kind] : kRoutedTypes) {
        if (type == QLatin1String(name)) return kind;
    }
    return 0;
}

const std::vector<ControlOwner>& ControlOwners() {
    static const std::vector<ControlOwner> owners = MakeOwners();
    return owners;
}

const ControlOwner* FindControlOwner(const QString& sender) {
    const Index& index = OwnerIndex();
    if (const auto it = index.exact.constFind(sender); it != index.exact.constEnd()) return &ControlOwners()[*it];
    const auto split = SplitNumberedName(sender);
    if (!split) return nullptr;
    for (size_t i : index.numbered) {
        if (split->HasPrefix(ControlOwners()[i].name)) return &ControlOwners()[i];
    }
    return nullptr;
}

std::optional<Route> FindRoute(const QString& sender, const QString& type) {
    const ControlOwner* owner = FindControlOwner(sender);
    if (owner == nullptr || (owner->kinds & KindOf(type)) == 0) return std::nullopt;
    Route route{owner->feature, NeedsPage(owner->feature)};
    if (owner->numbered) route.number = SplitNumberedName(sender)->number;
    return route;
}

}  // namespace orvane::app
