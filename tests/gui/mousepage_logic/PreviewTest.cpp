// The light preview on the page's light buttons: an animated effect changes the picture, a static
// one is painted once and then left alone, lighting handed back repaints at once, and a hover that
// put a light out gets it back. Also the page's pictures, one per function tab (written to
// ORVANE_SCREENSHOT_DIR when it is set).
#include "MousePageLogicFixture.h"

#include <QImage>

#include "light/LightColor.h"
#include "profiles/CMouseProfiledata.h"
#include "profiles/ProfileList.h"
#include "profiles/ProfilePaths.h"
#include "ui/controls/DeviceKeyButton.h"
#include "ui/framework/Option.h"
#include "ui/framework/TabLayout.h"
#include "tests/gui/ScreenshotFolder.h"

#include <functional>
#include <utility>

namespace orvane::test {
namespace {

constexpr uint8_t kStaticRedMode = 4;
constexpr ui::ArgbColor kRedTint = 0x0000FF;    // red | blue << 8 | green << 16
constexpr ui::ArgbColor kGreenTint = 0xFF0000;

class MousePreviewTest : public MousePageLogicTest {
protected:
    // The profile list's first profile, made from the default profile, with light mode `mode`.
    static void StartWithLightMode(uint8_t mode) {
        ProfileList list;
        list.SetDeviceKind(kDeviceMouse);
        list.SetProfilePaths(UserDataFolder("mouse"), DefaultProfilePath("mouse"));
        list.InitProfileList();
        CMouseProfiledata profile;
        profile.SetDefaultProfilePath(DefaultProfilePath("mouse"));
        profile.SetProfilePath(list.SelectedProfilePath());
        profile.LoadProfile(list.SelectedProfilePath());
        LightInfoRecord info = profile.GetLightInfo();
        info.light.mode = mode;
        const LightWords words = info.ToWords();
        profile.SetLightInfo(words.a, words.b, words.c);
        ASSERT_EQ(profile.SaveProfile(), 0);
    }

    QImage LightsPicture() const {
        QImage picture = Find<ui::CControlUI>("mouse_device_key_light")->GetWidget()->grab().toImage();
        return picture;
    }

    static void Save(const QImage& picture, const QString& file) {
        picture.save(ScreenshotFolder() + "/" + file);
    }
};

TEST_F(MousePreviewTest, TheWaveEffectAnimatesTheLightButtons) {
    app::CMainWnd& window = OpenConnected();
    ASSERT_EQ(Page()->GetLightState().light.mode, 0);
    QTest::qWait(100);
    const QImage first = LightsPicture();
    Save(window.grab().toImage(), "mouse_preview_1.png");
    QTest::qWait(300);
    const QImage second = LightsPicture();
    Save(window.grab().toImage(), "mouse_preview_2.png");
    EXPECT_NE(first, second);
}

// Off screen the preview stands still: the window hidden (the tray), minimised, or another page
// shown. Back on screen it goes on.
TEST_F(MousePreviewTest, NothingMovesOffScreenAndTheWaveGoesOnWhenShown) {
    app::CMainWnd& window = OpenConnected();
    ui::CDeviceKeyButtonUI* light = Page()->GetLightButton(0);
    ASSERT_NE(light, nullptr);
    auto* pages = window.FindControl<ui::CTabLayoutUI>("device_switch");
    ASSERT_NE(pages, nullptr);
    const int pageIndex = pages->GetItemIndex(Page());
    const auto tint = [light] { return std::pair(light->GetTintColor(), light->GetTintLevel()); };
    const struct {
        const char* name;
        std::function<void()> leave, back;
    } cases[] = {
        {"hidden", [&] { window.hide(); }, [&] { window.show(); }},
        {"minimised", [&] { window.showMinimized(); }, [&] { window.showNormal(); }},
        {"another page", [&] { pages->SelectItem(pageIndex == 0 ? 1 : 0); }, [&] { pages->SelectItem(pageIndex); }},
    };
    for (const auto& c : cases) {
        const auto before = tint();
        ASSERT_TRUE(QTest::qWaitFor([&] { return tint() != before; }, 2000)) << c.name << ": animates on screen";
        c.leave();
        QTest::qWait(100);  // a frame under way when it left is shown still
        const auto still = tint();
        QTest::qWait(300);
        EXPECT_EQ(tint(), still) << c.name;
        c.back();
        EXPECT_TRUE(QTest::qWaitFor([&] { return tint() != still; }, 2000)) << c.name << ": goes on";
    }
}

TEST_F(MousePreviewTest, AStaticEffectIsPaintedOnceAndRepaintedWhenLightingComesBack) {
    StartWithLightMode(kStaticRedMode);
    OpenConnected();
    CQuorvantMouseDevice* page = Page();
    ui::CDeviceKeyButtonUI* light = page->GetLightButton(0);
    ASSERT_NE(light, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return light->GetTintColor() == kRedTint; }, 2000));
    EXPECT_EQ(light->GetTintLevel(), 255);

    // No colour changes, so nothing paints over a tint set meanwhile.
    light->SetTint(0x123456, 80, true);
    QTest::qWait(100);
    EXPECT_EQ(light->GetTintColor(), 0x123456u);

    // The synchroniser colours the lights while another program holds the lighting.
    page->Channel().SetSyncLighting(true);
    page->SetLightingEnabled(false);
    page->SetLightColor(0, MakeLightColor({0, 255, 0}, 255));
    QTest::qWait(100);
    EXPECT_EQ(light->GetTintColor(), 0x123456u) << "nothing is painted while lighting is off";
    page->SetLightingEnabled(true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return light->GetTintColor() == kGreenTint; }, 1000));
}

TEST_F(MousePreviewTest, ALightPutOutByAHoverGetsItsTintBack) {
    StartWithLightMode(kStaticRedMode);
    OpenConnected();
    ui::CDeviceKeyButtonUI* light = Page()->GetLightButton(2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return light->GetTintColor() == kRedTint; }, 2000));
    light->SetTint(light->GetTintColor(), light->GetTintLevel(), false);  // what a hover does
    EXPECT_TRUE(QTest::qWaitFor([&] { return light->IsTintEnabled(); }, 1000));
    EXPECT_EQ(light->GetTintColor(), kRedTint);
}

TEST_F(MousePreviewTest, OnePicturePerFunctionTab) {
    app::CMainWnd& window = OpenConnected();
    const char* tabs[][2] = {{"key_Op_tab", "mouse_page_tab_keys.png"},
                             {"system_Op_tab", "mouse_page_tab_system.png"},
                             {"deng_Op_tab", "mouse_page_tab_lighting.png"}};
    for (const auto& [tab, file] : tabs) {
        auto* option = Find<ui::COptionUI>(tab);
        ASSERT_NE(option, nullptr) << tab;
        option->SetSelected(true);
        QTest::qWait(50);
        const QImage picture = window.grab().toImage();
        EXPECT_EQ(picture.size(), QSize(app::CMainWnd::kWidth, app::CMainWnd::kHeight));
        Save(picture, file);
    }
}

}  // namespace
}  // namespace orvane::test
