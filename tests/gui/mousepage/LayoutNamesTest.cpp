// The mouse page layout as the page code, its views and the main window find it: every name they
// look up with its class, the picture's buttons where the binding looks for them and not hidden
// under one another, the function panels at the items the panel switch selects, and option
// groups that do not reach into each other.
#include "MousePageFixture.h"

#include <QSet>

#include "ui/controls/DeviceKeyButton.h"
#include "ui/framework/Container.h"
#include "ui/framework/Option.h"
#include "ui/framework/TabLayout.h"

namespace orvane::test {
namespace {

QString Numbered(const char* prefix, int n) { return QLatin1String(prefix) + QString::number(n); }

bool IsBelow(const ui::CControlUI* control, const ui::CControlUI* ancestor) {
    return control != nullptr && ancestor != nullptr && ancestor->GetWidget()->isAncestorOf(control->GetWidget());
}

TEST_F(MousePageTest, EveryNameTheCodeLooksUpIsThereWithItsClass) {
    PageWindow& window = OpenPage();
    ASSERT_NE(window.Page(), nullptr);
    std::vector<std::pair<QString, QString>> expected = {
        {"mouse_device_seting_layout", "TabLayout"}, {"mouse_device_key_light", "SelectPanel"},
        {"mouse_option_layout", "HorizontalLayout"}, {"mouse_device_seting_option_0", "Option"},
        {"DeviceProfileItem", "DeviceProfile"},      {"device_profile_combo", "Combo"},
        {"device_profile_name_edit", "Edit"},        {"profile_menu_layout", "VerticalLayout"},
        {"device_function_switch", "TabLayout"},     {"device_key_function_switch", "TabLayout"},
        {"device_tishi_info", "VerticalLayout"},     {"device_setkeyinfo_list", "List"},
        {"text_test", "Label"},                      {"height_click_slider", "Slider"},
        {"pointer_speed_slider", "Slider"},          {"pointer_precision_check", "Option"},
        {"scrolls_page_check", "Option"},            {"scroll_speed_slider", "Slider"},
        {"double_click_slider", "Slider"},
    };
    // The editors arrive as classes of their own; until then the layout's element stands in.
    for (const char* editor : {"LightControlItem", "KeySetControlItem", "MacroControlItem", "ShootControlItem"}) {
        EXPECT_NE(Find(window, editor), nullptr) << editor;
    }
    for (const char* button : {"device_add_btn", "device_sub_btn", "device_copy_btn", "device_reset_btn",
                               "device_profile_edit_save_btn", "device_import_btn", "device_export_btn",
                               "profile_fun_spread_btn", "default_btn"}) {
        expected.emplace_back(button, "Button");
    }
    for (const char* tab : kFeatureTabNames) expected.emplace_back(tab, "Option");
    for (int n = 0; n < kDpiStageRows; ++n) {
        expected.emplace_back(Numbered("DPI_layout_", n), "HorizontalLayout");
        expected.emplace_back(Numbered("DPI_enable_check_", n), "Option");
        expected.emplace_back(Numbered("DPI_rank_check_", n), "Option");
        expected.emplace_back(Numbered("DPI_slider_", n), "Slider");
        expected.emplace_back(Numbered("DPI_edit_", n), "Edit");
    }
    for (int n = 0; n < kReportRateOptions; ++n) expected.emplace_back(Numbered("polling_rate_option_", n), "Option");
    for (int n = 0; n < kLiftOffOptions; ++n) expected.emplace_back(Numbered("Height_rate_option_", n), "Option");
    for (const auto& [name, cls] : expected) {
        const ui::CControlUI* control = Find(window, name);
        ASSERT_NE(control, nullptr) << name.toStdString();
        EXPECT_EQ(control->GetClass(), cls) << name.toStdString();
    }
    EXPECT_FALSE(Find(window, "text_test")->IsVisible());
    // The tabs of the headset and keyboard pages are there for the profile panel, out of sight.
    for (const char* tab : {"cursor_Op_tab", "8127_voice_Op_tab", "magic_Op_tab"}) {
        EXPECT_FALSE(Find(window, tab)->IsVisible()) << tab;
    }
}

TEST_F(MousePageTest, ThePictureHoldsEveryKeyAndLightWhereTheBindingLooksAndNoneCoversAKey) {
    PageWindow& window = OpenPage();
    window.ShowWindow();
    auto* views = Find<ui::CTabLayoutUI>(window, "mouse_device_seting_layout");
    ASSERT_NE(views, nullptr);
    ASSERT_GE(views->GetCount(), 1);
    // The binding takes the select panels among the direct items; the first is the picture.
    auto* panel = dynamic_cast<ui::CContainerUI*>(views->GetItemAt(0));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->GetName(), "mouse_device_key_light");
    EXPECT_EQ(panel->GetClass(), "SelectPanel");

    QSet<QString> keys, lights;
    int logos = 0;
    for (int i = 0; i < panel->GetCount(); ++i) {
        auto* button = dynamic_cast<ui::CDeviceKeyButtonUI*>(panel->GetItemAt(i));
        if (button == nullptr) continue;
        const QRect where = button->GetWidget()->geometry();
        EXPECT_TRUE(panel->GetWidget()->rect().contains(where)) << button->GetName().toStdString() << " off the picture";
        if (button->GetName().startsWith("key_")) {
            EXPECT_FALSE(keys.contains(button->GetName())) << button->GetName().toStdString();
            keys.insert(button->GetName());
            // A click on the key's middle reaches the key, not a light drawn over it.
            EXPECT_EQ(panel->GetWidget()->childAt(where.center()), button->GetWidget()) << button->GetName().toStdString();
        }
        if (button->GetUserData().startsWith("light_")) {
            EXPECT_FALSE(lights.contains(button->GetUserData())) << button->GetUserData().toStdString();
            lights.insert(button->GetUserData());
        }
        if (button->GetToolTip().compare("logo", Qt::CaseInsensitive) == 0) ++logos;
    }
    QSet<QString> wantedKeys, wantedLights;
    for (int n = 0; n < 8; ++n) wantedKeys.insert(Numbered("key_", n));
    for (int n = 0; n < 6; ++n) wantedLights.insert(Numbered("light_", n));
    EXPECT_EQ(keys, wantedKeys);
    EXPECT_EQ(lights, wantedLights);
    EXPECT_EQ(logos, 1);
}

TEST_F(MousePageTest, EachFunctionPanelSitsAtTheItemsItsTabSelects) {
    PageWindow& window = OpenPage();
    auto* functions = Find<ui::CTabLayoutUI>(window, "device_function_switch");
    auto* keyFunctions = Find<ui::CTabLayoutUI>(window, "device_key_function_switch");
    ASSERT_NE(functions, nullptr);
    ASSERT_NE(keyFunctions, nullptr);
    EXPECT_EQ(functions->GetItemAt(0), keyFunctions);
    const struct {
        const char* control;
        ui::CTabLayoutUI* tabs;
        int item;
    } cases[] = {
        {"LightControlItem", keyFunctions, 0},  {"KeySetControlItem", keyFunctions, 1},
        {"ShootControlItem", keyFunctions, 1},  {"DPI_slider_0", keyFunctions, 2},
        {"polling_rate_option_0", keyFunctions, 2}, {"double_click_slider", keyFunctions, 2},
        {"MacroControlItem", functions, 1},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(IsBelow(Find(window, c.control), c.tabs->GetItemAt(c.item))) << c.control;
    }
}

TEST_F(MousePageTest, ADisabledStageRowLeavesItsCheckBoxUsable) {
    PageWindow& window = OpenPage();
    for (int n = 0; n < kDpiStageRows; ++n) {
        const ui::CControlUI* row = Find(window, Numbered("DPI_layout_", n));
        EXPECT_FALSE(IsBelow(Find(window, Numbered("DPI_enable_check_", n)), row)) << n;
        for (const char* part : {"DPI_rank_check_", "DPI_slider_", "DPI_edit_"}) {
            EXPECT_TRUE(IsBelow(Find(window, Numbered(part, n)), row)) << part << n;
        }
    }
}

TEST_F(MousePageTest, OptionFamiliesEachHaveAGroupOfTheirOwn) {
    PageWindow& window = OpenPage();
    const struct {
        const char* prefix;
        int count;
    } families[] = {{"DPI_rank_check_", kDpiStageRows},
                    {"polling_rate_option_", kReportRateOptions},
                    {"Height_rate_option_", kLiftOffOptions},
                    {"mouse_device_seting_option_", 1}};
    QSet<QString> groups;
    for (const auto& family : families) {
        QSet<QString> own;
        for (int n = 0; n < family.count; ++n) {
            auto* option = Find<ui::COptionUI>(window, Numbered(family.prefix, n));
            ASSERT_NE(option, nullptr) << family.prefix << n;
            own.insert(option->GetGroup());
        }
        ASSERT_EQ(own.size(), 1) << family.prefix;
        EXPECT_FALSE(own.begin()->isEmpty()) << family.prefix;
        EXPECT_FALSE(groups.contains(*own.begin())) << family.prefix << " shares a group";
        groups.insert(*own.begin());
    }
    QSet<QString> tabGroups;
    for (const char* tab : kFeatureTabNames) tabGroups.insert(Find<ui::COptionUI>(window, tab)->GetGroup());
    EXPECT_EQ(tabGroups.size(), 1);
    EXPECT_FALSE(groups.contains(*tabGroups.begin()));
    // Stage check boxes toggle one by one.
    for (int n = 0; n < kDpiStageRows; ++n) {
        EXPECT_TRUE(Find<ui::COptionUI>(window, Numbered("DPI_enable_check_", n))->GetGroup().isEmpty()) << n;
    }
}

TEST_F(MousePageTest, RatesAndHeightsAreCaptionedInTheirOptionOrder) {
    PageWindow& window = OpenPage();
    const auto& texts = ui::CResourceManager::GetInstance();
    const std::pair<QString, const char*> cases[] = {
        {"polling_rate_option_0", "polling_rate_125"},  {"polling_rate_option_1", "polling_rate_250"},
        {"polling_rate_option_2", "polling_rate_500"},  {"polling_rate_option_3", "polling_rate_1000"},
        {"polling_rate_option_4", "polling_rate_2000"}, {"Height_rate_option_0", "lift_off_1mm"},
        {"Height_rate_option_1", "lift_off_2mm"},
    };
    for (const auto& [name, key] : cases) EXPECT_EQ(Find(window, name)->GetText(), texts.GetText(key)) << key;
}

}  // namespace
}  // namespace orvane::test
