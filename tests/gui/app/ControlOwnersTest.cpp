// The owners of the controls against the skin, and the routing by owner: every layout file builds
// into the main window's tree or into a window of its own; every named control of the main
// window's tree that raises a notification the window routes has exactly one owner; every name the
// owners give is in the layout they look in; and each routed notification reaches its owner and
// nobody else, whatever its type.
#include "ShellFixture.h"

#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>
#include <map>
#include <set>

#include "app/FeatureRoutes.h"
#include "pages/NumberedName.h"
#include "ui/controls/MpDevicePower.h"
#include "ui/controls/SelectPanel.h"
#include "ui/dialogs/WindowMessageIds.h"
#include "ui/framework/ColorPalette.h"
#include "ui/framework/Combo.h"
#include "ui/framework/Edit.h"
#include "ui/framework/List.h"
#include "ui/framework/Option.h"
#include "ui/framework/RichEdit.h"
#include "ui/framework/Slider.h"

namespace orvane::app::test {
namespace {

// Layouts whose controls notify a window of their own, which settles them itself.
const std::set<QString> kOtherWindowsLayouts = {
    "menu.ui",    // the tray menu
    "msgwnd.ui",  // the message box
    "setwnd.ui",  // the settings window
    "XML/CustomControlXML/device_Update_list_item.ui",  // the settings window's update row
    "skin.ui",    // the skin window
    "XML/Menus/macro_action_menu.ui",  // the step menu of a macro
};

// Every layout an owner looks in, and whether the skin holds it yet (the editors' panels come
// with the editors).
const std::map<QString, bool> kOwnerLayouts = {
    {"XML_MAIN", true},
    {"XML\\DeviceXml\\mousedevice1.xml", true},
    {"XML\\DeviceXml\\keyboarddevice.xml", true},
    {"XML\\DeviceXml\\mousepaddevice.xml", true},
    {"XML\\DeviceXml\\hs8127device.xml", true},
    {"XML\\CustomControlXML\\DeviceOption.xml", true},
    {"XML\\CustomControlXML\\MpDevicePower.xml", true},
    {"XML\\CustomControlXML\\ComboEditElementItem.xml", true},
    {"XML\\CustomControlXML\\KeySetControl.xml", true},
    {"XML\\CustomControlXML\\MacroControl.xml", true},
    {"XML\\CustomControlXML\\ShootControl.xml", true},
    {"XML\\CustomControlXML\\LightControl.xml", true},
    {"XML\\CustomControlXML\\Voice8127Control.xml", true},
    {"XML\\CustomControlXML\\MagicControl.xml", true},
};

// What a control raises, by its class.
NotifyKinds KindsRaisedBy(const ui::CControlUI& c) {
    NotifyKinds kinds = 0;
    if (dynamic_cast<const ui::CButtonUI*>(&c) != nullptr) kinds |= kClick;
    if (dynamic_cast<const ui::COptionUI*>(&c) != nullptr || dynamic_cast<const ui::CDeviceOptionUI*>(&c) != nullptr ||
        dynamic_cast<const ui::CMpDevicePowerUI*>(&c) != nullptr) {
        kinds |= kSelectChanged;
    }
    if (dynamic_cast<const ui::CSliderUI*>(&c) != nullptr) kinds |= kValueChanged | kMoveValueChanged;
    if (dynamic_cast<const ui::CEditUI*>(&c) != nullptr || dynamic_cast<const ui::CRichEditUI*>(&c) != nullptr) {
        kinds |= kSetFocus | kKillFocus;
    }
    if (dynamic_cast<const ui::CComboUI*>(&c) != nullptr || dynamic_cast<const ui::CListUI*>(&c) != nullptr) {
        kinds |= kItemSelect;
    }
    if (dynamic_cast<const ui::CListElementUI*>(&c) != nullptr) kinds |= kItemActivate;
    if (dynamic_cast<const ui::CColorPaletteUI*>(&c) != nullptr) kinds |= kColorChanged;
    if (dynamic_cast<const ui::CSelectPanelUI*>(&c) != nullptr) kinds |= kClickSelectEnd;
    return kinds;
}

NotifyKinds AllRoutedKinds() {
    NotifyKinds all = 0;
    for (const auto& [type, kind] : kRoutedTypes) all |= kind;
    return all;
}

bool Claims(const ControlOwner& owner, const QString& name) {
    if (!owner.numbered) return owner.name == name;
    const auto split = SplitNumberedName(name);
    return split && split->HasPrefix(owner.name);
}

// A claimed name that is a numbered family's member by its digits, not only by its prefix: the
// voice effect's container "magic_option_layout" shares the kinds' prefix without being a kind.
bool IsMember(const ControlOwner& owner, const QString& name) {
    if (!Claims(owner, name) || !owner.numbered) return Claims(owner, name);
    const QString rest = name.mid(owner.name.size());
    return !rest.isEmpty() && std::all_of(rest.begin(), rest.end(), [](QChar c) { return c.isDigit(); });
}

std::vector<const ControlOwner*> OwnersOf(const QString& name) {
    std::vector<const ControlOwner*> owners;
    for (const ControlOwner& owner : ControlOwners()) {
        if (Claims(owner, name)) owners.push_back(&owner);
    }
    return owners;
}

// Every .ui file of the skin, relative to the skin folder.
std::vector<QString> SkinLayoutFiles() {
    const QString skin = ui::CResourceManager::GetInstance().GetResourcePath();
    std::vector<QString> files;
    QDirIterator it(skin, {"*.ui"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) files.push_back(QDir(skin).relativeFilePath(it.next()));
    std::sort(files.begin(), files.end());
    return files;
}

std::string Text(const QString& s) { return s.toStdString(); }

TEST_F(ShellTest, EveryLayoutFileBuildsAndEveryControlRaisingARoutedNotificationHasExactlyOneOwner) {
    const std::vector<QString> files = SkinLayoutFiles();
    ASSERT_GE(files.size(), 10u);
    LayoutBuilder builder;
    size_t checked = 0;
    for (const QString& file : files) {
        const auto root = builder.Build(file);
        ASSERT_NE(root, nullptr) << Text(file);
        if (kOtherWindowsLayouts.contains(file)) continue;
        for (ui::CControlUI* control : ui::ControlsBelow(root.get())) {
            const QString name = control->GetName();
            const NotifyKinds raised = KindsRaisedBy(*control) & AllRoutedKinds();
            if (name.isEmpty() || raised == 0) continue;
            ++checked;
            const auto owners = OwnersOf(name);
            EXPECT_EQ(owners.size(), 1u) << Text(file) << ": " << Text(name) << " (" << Text(control->GetClass()) << ")";
            if (owners.size() == 1) {
                EXPECT_EQ(FindControlOwner(name), owners[0]) << Text(name);
            }
        }
    }
    EXPECT_GE(checked, 100u) << "the device pages' controls were not reached";
}

TEST_F(ShellTest, NoTwoOwnersClaimOneName) {
    std::set<QString> exact;
    std::set<QString> prefixes;
    for (const ControlOwner& owner : ControlOwners()) {
        if (owner.numbered) {
            EXPECT_TRUE(owner.name.endsWith('_')) << Text(owner.name);
            EXPECT_TRUE(prefixes.insert(owner.name.toCaseFolded()).second) << Text(owner.name) << " twice";
        } else {
            EXPECT_TRUE(exact.insert(owner.name).second) << Text(owner.name) << " twice";
        }
    }
    // A whole name must not also fall into a numbered family.
    for (const QString& name : exact) {
        EXPECT_EQ(OwnersOf(name).size(), 1u) << Text(name);
    }
}

TEST_F(ShellTest, EveryOwnerLooksInAKnownLayoutThatHoldsItsControlsWithTheNotificationsItActsOn) {
    auto& resources = ui::CResourceManager::GetInstance();
    std::map<QString, std::vector<const ControlOwner*>> byLayout;
    for (const ControlOwner& owner : ControlOwners()) byLayout[owner.layout].push_back(&owner);
    std::set<QString> layouts;
    for (const auto& [layout, owners] : byLayout) layouts.insert(layout);
    std::set<QString> known;
    for (const auto& [layout, exists] : kOwnerLayouts) known.insert(layout);
    EXPECT_EQ(layouts, known);

    LayoutBuilder builder;
    for (const auto& [layout, owners] : byLayout) {
        const auto expected = kOwnerLayouts.find(layout);
        if (expected == kOwnerLayouts.end()) continue;
        const bool exists = QFileInfo::exists(resources.GetLayoutPath(layout));
        ASSERT_EQ(exists, expected->second) << Text(layout);
        if (!exists) continue;
        const auto root = builder.Build(layout);
        ASSERT_NE(root, nullptr) << Text(layout);
        const std::vector<ui::CControlUI*> controls = ui::ControlsBelow(root.get());
        for (const ControlOwner* owner : owners) {
            int found = 0;
            for (const ui::CControlUI* control : controls) {
                if (!IsMember(*owner, control->GetName())) continue;
                ++found;
                EXPECT_EQ(KindsRaisedBy(*control) & owner->kinds, owner->kinds)
                    << Text(layout) << ": " << Text(control->GetName()) << " (" << Text(control->GetClass())
                    << ") does not raise what its owner acts on";
            }
            if (!owner->optional) {
                EXPECT_GT(found, 0) << Text(layout) << " lacks " << Text(owner->name);
            }
        }
    }
}

struct Seen {
    Feature feature;
    int number;
    std::string type;
    bool operator==(const Seen&) const = default;
};

void PrintTo(const Seen& s, std::ostream* os) {
    *os << "feature " << static_cast<int>(s.feature) << " number " << s.number << " " << s.type;
}

class RoutingTest : public ShellTest {
protected:
    // The window with the mouse page current and every feature handler recording.
    CMainWnd& OpenRecording() {
        Mouse();
        CMainWnd& window = Open();
        EXPECT_TRUE(QTest::qWaitFor([&] { return window.GetCurrentPage() != nullptr; }, 2000));
        for (size_t f = 0; f < kFeatureCount; ++f) {
            window.SetFeatureHandler(static_cast<Feature>(f), [this, f](const FeatureEvent& e) {
                seen.push_back({static_cast<Feature>(f), e.number,
                                e.notify != nullptr ? e.notify->sType.toStdString() : std::to_string(e.message)});
                wParams.push_back(e.wParam);
            });
        }
        return window;
    }

    std::vector<Seen> RaiseAndTake(CMainWnd& window, const QString& type, const QString& sender) {
        seen.clear();
        Raise(window, type, sender);
        return std::exchange(seen, {});
    }

    std::vector<Seen> seen;
    std::vector<ui::WParam> wParams;
};

TEST_F(RoutingTest, EachNotificationTypeReachesTheOwnerOfItsSender) {
    struct Case {
        const char* type;
        const char* sender;
        Feature feature;
        int number;
    };
    const Case cases[] = {
        {"click", "device_copy_btn", Feature::ProfileList, -1},
        {"click", "key_6", Feature::KeyButton, 6},
        {"click", "color_option_3", Feature::ColourOption, 3},
        {"click", "shootdate_reset_btn", Feature::ShootPattern, -1},
        {"selectchanged", "deng_Op_tab", Feature::FunctionTabs, -1},
        {"selectchanged", "magic_Op_tab", Feature::FunctionTabs, -1},
        {"selectchanged", "DPI_rank_check_2", Feature::PerformanceSettings, -1},
        {"selectchanged", "polling_rate_option_4", Feature::PerformanceSettings, -1},
        {"selectchanged", "mouse_device_seting_option_0", Feature::PerformanceSettings, 0},
        {"selectchanged", "key_ComBox_check_4", Feature::KeyAssignment, 4},
        {"selectchanged", "shoot_gun_op_1", Feature::ShootPattern, 1},
        {"selectchanged", "bullet_op_29", Feature::ShootPattern, 29},
        {"selectchanged", "deng_FXL_check", Feature::Lighting, -1},
        {"selectchanged", "8127_eq_option_13", Feature::HeadsetEqualiser, 13},
        {"selectchanged", "8127_MicIn_option", Feature::HeadsetAudio, -1},
        {"selectchanged", "magic_option_2", Feature::HeadsetAudio, 2},
        {"valuechanged", "double_click_slider", Feature::PerformanceSettings, -1},
        {"valuechanged", "deng_light_slider", Feature::Lighting, -1},
        {"valuechanged", "8127_eq_hz_slider_9", Feature::HeadsetEqualiser, 9},
        {"valuechanged", "8127_MicMoniter_slider", Feature::HeadsetAudio, -1},
        {"movevaluechanged", "DPI_slider_5", Feature::PerformanceSettings, -1},
        {"killfocus", "DPI_edit_0", Feature::PerformanceSettings, -1},
        {"killfocus", "keyset_mousefire_num_edit", Feature::KeyAssignment, -1},
        {"killfocus", "bullet_delay_eidt", Feature::ShootPattern, -1},
        {"killfocus", "deng_edit_B", Feature::Lighting, -1},
        {"itemselect", "light_combo_custommodeSelect", Feature::Lighting, -1},
        {"itemselect", "custom_eq_name_combo", Feature::HeadsetEqualiser, -1},
        {"itemselect", "keyset_function_combo", Feature::KeyAssignment, -1},
        {"itemactivate", "macro_action", Feature::MacroRecording, -1},
        {"colorchanged", "deng_Color_Pallet", Feature::Lighting, -1},
    };
    CMainWnd& window = OpenRecording();
    for (const Case& c : cases) {
        EXPECT_EQ(RaiseAndTake(window, c.type, c.sender), (std::vector<Seen>{{c.feature, c.number, c.type}}))
            << c.type << " " << c.sender;
    }

    // Nothing falls into a catch-all: unknown senders, types an owner does not act on, members
    // beyond a panel's rows, and types no control notification is routed by reach nobody.
    const std::pair<const char*, const char*> nobody[] = {
        {"killfocus", "device_profile_name_edit"}, {"valuechanged", "height_click_slider"},
        {"selectchanged", "device_select"},        {"selectchanged", "device_option"},
        {"valuechanged", "unknown_slider_1"},      {"selectchanged", "light_3"},
        {"click", "deng_Op_tab"},                  {"setfocus", "DPI_edit_0"},
        {"movevaluechanged", "pointer_speed_slider"}, {"selectchanged", "DPI_enable_check_6"},
        {"itemselect", "keyset_media_combo"},      {"click", "gamemodebtn"},
        {"textchanged", "DPI_edit_0"},             {"itemclick", "device_setkeyinfo_list"},
        {"colorchanged", "deng_colordp_btn"},      {"click_select_end", "device_key_light"},
    };
    for (const auto& [type, sender] : nobody) {
        EXPECT_TRUE(RaiseAndTake(window, type, sender).empty()) << type << " " << sender;
    }
}

TEST_F(RoutingTest, EveryOwnerGetsExactlyTheTypesItActsOn) {
    CMainWnd& window = OpenRecording();
    for (const ControlOwner& owner : ControlOwners()) {
        // The window's own controls act at once (close, minimise …); their own tests cover them.
        if (owner.feature == Feature::MainWindow) continue;
        const QString sender = owner.numbered ? owner.name + "7" : owner.name;
        for (const auto& [type, kind] : kRoutedTypes) {
            std::vector<Seen> expected;
            // The key-repeat reset exists on keyboard pages only.
            if ((owner.kinds & kind) != 0 && owner.feature != Feature::KeyRepeat) {
                expected.push_back({owner.feature, owner.numbered ? 7 : -1, type});
            }
            EXPECT_EQ(RaiseAndTake(window, type, sender), expected) << type << " " << Text(sender);
        }
    }
}

TEST_F(RoutingTest, TheKeyCaptureEditSwitchesSingleKeyCaptureOnAndOff) {
    CMainWnd& window = OpenRecording();
    auto* edit = new ui::CEditUI(window.GetRoot()->GetWidget());
    edit->SetName("keyset_keyboard_text_edit");
    wParams.clear();
    window.SendNotify(edit, "setfocus");
    window.SendNotify(edit, "killfocus");
    const std::string capture = std::to_string(ui::kInputCapture);
    EXPECT_EQ(seen, (std::vector<Seen>{{Feature::MacroRecording, -1, capture}, {Feature::MacroRecording, -1, capture}}));
    EXPECT_EQ(wParams, (std::vector<ui::WParam>{1, 0}));
}

TEST_F(RoutingTest, TheWindowsDpiPairShowsTheSliderAndTakesTheEditWithinItsLimits) {
    CMainWnd& window = OpenRecording();
    QWidget* root = window.GetRoot()->GetWidget();
    auto* slider = new ui::CSliderUI(root);
    slider->SetName("vexal_DPI_slider_1");
    slider->SetMaxValue(8000);
    auto* edit = new ui::CEditUI(root);
    edit->SetName("vexal_DPI_edit_1");
    auto* otherEdit = new ui::CEditUI(root);
    otherEdit->SetName("vexal_DPI_edit_0");

    slider->SetValue(3200);
    window.SendNotify(slider, "movevaluechanged");
    EXPECT_EQ(edit->GetText(), "3200");
    EXPECT_TRUE(otherEdit->GetText().isEmpty()) << "only the pair's own edit follows";

    const std::pair<const char*, int> typed[] = {{"9000", 6500}, {"150", 200}, {"abc", 200}, {"4800", 4800}};
    for (const auto& [text, dpi] : typed) {
        edit->SetText(text);
        window.SendNotify(edit, "killfocus");
        EXPECT_EQ(edit->GetText(), QString::number(dpi)) << text;
        EXPECT_EQ(slider->GetValue(), dpi) << text;
    }
    EXPECT_TRUE(seen.empty()) << "the pair changes nothing beyond itself";
}

}  // namespace
}  // namespace orvane::app::test
