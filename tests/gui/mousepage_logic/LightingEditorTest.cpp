// The lighting panel used as a user uses it in the main window: every edit reaches the emulated
// mouse's settings block and the profile's "LightInfo" with the same values, the panel shows
// what the layout rules allow, a user light effect's steps reach the preview, and "deng_same_mode"
// makes the page take part in synchronised lighting until a single-page edit takes it back.
#include "MousePageLogicFixture.h"

#include <QFocusEvent>

#include "app/LightingSynchroniser.h"
#include "editors/LightControl.h"
#include "light/LightTables.h"
#include "ui/dialogs/WindowMessageIds.h"
#include "ui/framework/ColorPalette.h"
#include "ui/framework/Combo.h"
#include "ui/framework/Edit.h"
#include "ui/framework/Option.h"
#include "ui/framework/Slider.h"
#include "tests/gui/ScreenshotFolder.h"

namespace orvane::test {
namespace {

// The light state as the device block and the profile both hold it.
struct Light {
    int mode, brightness, speed, direction, multiColor, red, green, blue;
    bool operator==(const Light&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Light& l) {
    return out << l.mode << '/' << l.brightness << '/' << l.speed << '/' << l.direction << '/' << l.multiColor << " ("
               << l.red << ',' << l.green << ',' << l.blue << ')';
}

class LightingEditorTest : public MousePageLogicTest {
protected:
    Light DeviceLight() {
        const std::vector<uint8_t> b = DeviceBlock();
        return {b[block::kLightMode], b[block::kBrightness], 4 - b[block::kSpeedInverted], b[block::kDirection],
                b[block::kMultiColour], b[block::kRed], b[block::kGreen], b[block::kBlue]};
    }
    Light ProfileLight() const {
        const Json::Value info = CurrentProfileDocument()["LightInfo"];
        return {info["SelectItem"].asInt(), info["Light"].asInt(), info["Speed"].asInt(), info["Fx"].asInt(),
                info["MultiColor"].asInt(), info["Red"].asInt(),  info["Green"].asInt(), info["Blue"].asInt()};
    }
    static void TypeAndLeave(ui::CEditUI& edit, const QString& text) {
        edit.selectAll();
        QTest::keyClicks(&edit, text);
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(&edit, &out);
    }
    bool Enabled(const char* name) const { return Find(name) != nullptr && Find(name)->IsEnabled(); }
};

TEST_F(LightingEditorTest, EveryEditReachesTheDeviceBlockAndTheProfileAlike) {
    app::CMainWnd& window = OpenConnected();
    ASSERT_NE(Page()->GetLightPanel(), nullptr);
    struct Case {
        const char* what;
        std::function<void()> act;
        Light expected;
    };
    const Case cases[] = {
        {"mode", [&] { Find<ui::CComboUI>("light_combo_modeSelect")->SelectItem(3); }, {3, 4, 2, 0, 1, 255, 0, 0}},
        {"brightness", [&] { Find<ui::CSliderUI>("deng_light_slider")->setValue(2); }, {3, 2, 2, 0, 1, 255, 0, 0}},
        {"speed", [&] { Find<ui::CSliderUI>("deng_speed_slider")->setValue(1); }, {3, 2, 1, 0, 1, 255, 0, 0}},
        {"direction", [&] { Find<ui::COptionUI>("deng_FXL_check")->SetSelected(true); }, {3, 2, 1, 1, 1, 255, 0, 0}},
        {"direction back", [&] { Find<ui::COptionUI>("deng_FXR_check")->SetSelected(true); }, {3, 2, 1, 0, 1, 255, 0, 0}},
        {"green typed", [&] { TypeAndLeave(*Find<ui::CEditUI>("deng_edit_G"), "300"); }, {3, 2, 1, 0, 0, 255, 255, 0}},
        {"colourful", [&] { Find<ui::COptionUI>("deng_7color_check")->SetSelected(true); }, {3, 2, 1, 0, 1, 255, 255, 0}},
        {"preset", [&] { Find<ui::CButtonUI>("color_option_5")->click(); }, {3, 2, 1, 0, 0, 0x3B, 0x82, 0xFF}},
        {"palette", [&] {
             auto* palette = Find<ui::CColorPaletteUI>("deng_Color_Pallet");
             palette->SetSelectColor(0xFF00FF80);
             window.SendNotify(palette, "colorchanged", 0xFF00FF80);
         }, {3, 2, 1, 0, 0, 0x00, 0xFF, 0x80}},
        {"mode 6", [&] { Find<ui::CComboUI>("light_combo_modeSelect")->SelectItem(6); }, {6, 2, 1, 0, 0, 0x00, 0xFF, 0x80}},
    };
    for (const Case& c : cases) {
        c.act();
        EXPECT_EQ(DeviceLight(), c.expected) << c.what;
        EXPECT_EQ(ProfileLight(), c.expected) << c.what;
    }
    // What the panel shows after the edits: clamped text, cleared check, the chosen colour.
    EXPECT_EQ(Find("deng_edit_G")->GetText(), "255");
    EXPECT_FALSE(Find<ui::COptionUI>("deng_7color_check")->IsSelected());
    EXPECT_EQ(Find("deng_colordp_btn")->GetBkColor(), 0xFF00FF80u);
    // The preview follows the edit at once.
    EXPECT_EQ(Page()->PreviewState()->LightState().light.mode, 6);
}

TEST_F(LightingEditorTest, TheAreasFollowTheModesRules) {
    OpenConnected();
    auto* combo = Find<ui::CComboUI>("light_combo_modeSelect");
    combo->SelectItem(3);
    EXPECT_TRUE(Enabled("deng_color_layout"));
    EXPECT_TRUE(Enabled("colorpallet_layout"));
    combo->SelectItem(0);
    EXPECT_FALSE(Enabled("deng_color_layout"));
    EXPECT_FALSE(Enabled("deng_7color_check"));
    combo->SelectItem(7);
    EXPECT_FALSE(Find("deng_light_slider")->IsVisible());
    EXPECT_FALSE(Find("deng_fx_layout")->IsVisible());
    // One device: nothing to copy the effect to.
    EXPECT_FALSE(Find("deng_same_mode")->IsVisible());
    // The modes of the mouse's light group, with their language keys.
    EXPECT_EQ(combo->GetCount(), 9);
    EXPECT_EQ(combo->GetItemUserData(8), "light_mode_ripple");
}

TEST_F(LightingEditorTest, AUserEffectsStepsReachThePreview) {
    WriteHomeFile(std::string(kUserFolderRelative) + "vexal_light.config",
                  R"({"LightInfo": [[], [{"LightName": "mine", "Guid": "mine"}, {"LightName": "../x", "Guid": "../x"}]]})");
    WriteHomeFile(std::string(kUserFolderRelative) + "mine.light",
                  R"({"LEDEffectList": [{"LEDREGMode": 1, "LEDBrightness": 4, "red": 0, "green": 0, "blue": 255,
                       "Time": 10000}]})");
    OpenConnected();
    auto* combo = Find<ui::CComboUI>("light_combo_modeSelect");
    ASSERT_EQ(combo->GetCount(), 11);
    EXPECT_EQ(combo->GetItemText(9), "mine");
    combo->SelectItem(9);
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(ProfileLight().mode, 9);
    EXPECT_EQ(DeviceLight().mode, 0) << "the firmware runs modes 0-8; a user effect is the host's";
    const auto steps = Page()->Mouse().CustomLightSteps();
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(steps[0].light.blue, 255);
    Page()->SetWindowActive(true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Page()->GetLightColor(0) == MakeLightColor({0, 0, 255}, 255); }, 3000));

    // An effect named outside the user data folder reads as missing.
    combo->SelectItem(10);
    EXPECT_TRUE(Page()->Mouse().CustomLightSteps().empty());
}

TEST_F(LightingEditorTest, SameModeMakesThePageTakePartUntilASinglePageEdit) {
    app::CMainWnd& window = OpenConnected();
    Find<ui::CComboUI>("light_combo_modeSelect")->SelectItem(1);  // colour cycle on the mouse
    ASSERT_TRUE(WaitIdle());
    app::test::Raise(window, "click", "deng_same_mode");
    EXPECT_TRUE(Page()->Channel().SyncLighting());
    EXPECT_EQ(window.Synchroniser().Settings().effectType, static_cast<uint8_t>(SyncEffectType::ColourCycle));
    const uint64_t before = window.Synchroniser().FramesPainted();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.Synchroniser().FramesPainted() > before + 2; }, 3000));
    // The synchroniser's colour is on every light: all the same, one wheel entry.
    const LightColor first = Page()->GetLightColor(0);
    EXPECT_EQ(AlphaOf(first), 255);
    EXPECT_EQ(Page()->GetLightColor(Page()->GetLightCount() - 1), first);

    Find<ui::CSliderUI>("deng_light_slider")->setValue(1);
    EXPECT_FALSE(Page()->Channel().SyncLighting());
    ASSERT_TRUE(WaitIdle());
    const uint64_t stopped = window.Synchroniser().FramesPainted();
    QTest::qWait(100);
    EXPECT_EQ(window.Synchroniser().FramesPainted(), stopped) << "nobody takes part: the thread sleeps";

    // A steady effect (mouse mode 4) is painted once, in the page's colour, then the thread sleeps.
    Find<ui::CComboUI>("light_combo_modeSelect")->SelectItem(4);
    ASSERT_TRUE(WaitIdle());
    app::test::Raise(window, "click", "deng_same_mode");
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.Synchroniser().FramesPainted() > stopped; }, 3000));
    const LightSetting steady = *Page()->GetLighting();
    EXPECT_EQ(Page()->GetLightColor(0), MakeLightColor(SelectionColor(steady), BrightnessLevel(steady.brightness)));
    const uint64_t once = window.Synchroniser().FramesPainted();
    QTest::qWait(100);
    EXPECT_EQ(window.Synchroniser().FramesPainted(), once);

    // A mode without a common effect copies nothing.
    Find<ui::CComboUI>("light_combo_modeSelect")->SelectItem(0);
    EXPECT_FALSE(Page()->Channel().SyncLighting());
    app::test::Raise(window, "click", "deng_same_mode");
    EXPECT_FALSE(Page()->Channel().SyncLighting());
}

// Pictures of the panels (written to ORVANE_SCREENSHOT_DIR when it is set), in English and
// Chinese: the lighting panel in the wave (two frames: the preview moves), in a mode with every area
// usable, one with the palette only and one without brightness, and the shooting pattern panel.
TEST_F(LightingEditorTest, PicturesOfThePanelsInEnglishAndChinese) {
    app::CMainWnd& window = OpenConnected();
    Page()->SetWindowActive(true);
    const QString folder = ScreenshotFolder();
    auto shoot = [&](const QString& file) {
        QTest::qWait(60);
        const QImage picture = window.grab().toImage();
        picture.save(folder + "/" + file);
        return picture;
    };
    for (const QString suffix : {"_en", "_cn"}) {
        window.SendMessage(ui::kApplyLanguage, suffix == "_en" ? 0 : 1, 0);
        Find<ui::COptionUI>("deng_Op_tab")->SetSelected(true);
        for (int mode : {0, 3, 4, 7}) {
            Find<ui::CComboUI>("light_combo_modeSelect")->SelectItem(mode);
            ASSERT_TRUE(WaitIdle());
            const QImage first = shoot(QStringLiteral("lighting_mode%1%2.png").arg(mode).arg(suffix));
            if (mode == 0) {
                QTest::qWait(150);
                const QImage second = shoot(QStringLiteral("lighting_mode%1%2_frame2.png").arg(mode).arg(suffix));
                EXPECT_NE(first, second) << "the wave moves";
            }
        }
        Find<ui::COptionUI>("key_Op_tab")->SetSelected(true);
        shoot("shoot_panel" + suffix + ".png");
    }
    window.SendMessage(ui::kApplyLanguage, 0, 0);
}

}  // namespace
}  // namespace orvane::test
