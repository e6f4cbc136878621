#include "app/FeatureRoutes.h"

#include "pages/NumberedName.h"

#include <QHash>

namespace orvane::app {
namespace {

using Table = QHash<QString, Route>;

void Add(Table& table, Feature feature, std::initializer_list<const char*> names, bool needsPage = true) {
    for (const char* name : names) table.insert(name, Route{feature, needsPage});
}

const Table& ClickTable() {
    static const Table table = [] {
        Table t;
        Add(t, Feature::SkinWindow, {"skinbtn"}, false);
        Add(t, Feature::SettingsWindow, {"setbtn"}, false);
        Add(t, Feature::KeyRepeat, {"reset_repeat_btn"});
        Add(t, Feature::ProfileList,
            {"device_add_btn", "device_sub_btn", "device_copy_btn", "device_reset_btn",
             "device_profile_edit_save_btn", "device_import_btn", "device_export_btn", "profile_fun_spread_btn"});
        Add(t, Feature::KeyAssignment,
            {"key_butt_keysave", "key_butt_keydefalut", "key_butt_keycancel", "key_butt_prosave", "key_butt_clear"});
        Add(t, Feature::MacroRecording, {"macro_btn_starredio", "macro_btn_stopredio"});
        Add(t, Feature::MacroPanel,
            {"macro_btn_name_add", "macro_btn_name_sub", "macro_btn_name_edit", "macro_btn_save", "macro_btn_cancel",
             "macro_btn_export", "macro_btn_import", "macro_btn_up", "macro_btn_down", "macro_btn_uptop",
             "macro_btn_downbottom", "macro_btn_delete", "macro_btn_deleteall", "macro_inset_moveleftkey_btn",
             "macro_inset_moverightkey_btn", "macro_inset_moveupkey_btn", "macro_inset_movedownkey_btn"});
        Add(t, Feature::ShootPattern, {"shootdate_reset_btn", "bullet_selected_prev", "bullet_selected_next"});
        Add(t, Feature::Lighting, {"custom_bright_color_btn", "custom_off_color_btn", "deng_same_mode"});
        Add(t, Feature::HeadsetEqualiser, {"hs_EQ_btn_save", "hs_EQ_btn_delete"});
        return t;
    }();
    return table;
}

const Table& ComboTable() {
    static const Table table = [] {
        Table t;
        Add(t, Feature::ProfileList, {"device_profile_combo"});
        Add(t, Feature::Lighting, {"light_combo_modeSelect", "light_combo_custommodeSelect"});
        Add(t, Feature::KeyAssignment,
            {"keyset_function_combo", "keyset_macro_over_combo", "keyset_gunkey_combo", "keyset_combokey_combo"});
        Add(t, Feature::MacroPanel, {"macro_name_list"});
        Add(t, Feature::HeadsetEqualiser, {"custom_eq_name_combo"});
        return t;
    }();
    return table;
}

}  // namespace

std::optional<Route> FindClickRoute(const QString& sender) {
    // The numbered families come first: "key_3" is a key button, "key_butt_keysave" is not.
    if (const auto numbered = SplitNumberedName(sender)) {
        if (numbered->HasPrefix("key_")) return Route{Feature::KeyButton, true, numbered->number};
        if (numbered->HasPrefix("color_option_")) return Route{Feature::ColourOption, true, numbered->number};
    }
    const auto it = ClickTable().constFind(sender);
    if (it == ClickTable().constEnd()) return std::nullopt;
    return *it;
}

std::optional<Route> FindComboRoute(const QString& sender) {
    const auto it = ComboTable().constFind(sender);
    if (it == ComboTable().constEnd()) return std::nullopt;
    return *it;
}

}  // namespace orvane::app
