// The mouse page in the main window on the emulated mouse, one picture per function panel and one
// in Chinese, each at the window's size with its panel in sight. The pictures go to
// ORVANE_SCREENSHOT_DIR when it is set (to look at them), else into the test's HOME.
#include "MousePageFixture.h"

#include <QDir>
#include <QImage>
#include <QTest>

#include "app/MainWnd.h"
#include "app/Startup.h"
#include "tests/support/SimMouse.h"
#include "ui/framework/Option.h"
#include "ui/framework/TabLayout.h"
#include "tests/gui/ScreenshotFolder.h"

namespace orvane::test {
namespace {

// A tab with the items the page's panel switch selects for it.
struct FunctionPanel {
    const char* tab;
    int functionItem;     // of "device_function_switch"
    int keyFunctionItem;  // of "device_key_function_switch"; -1 unchanged
    const char* shown;    // a control of the panel
    const char* file;     // picture name without extension
};
constexpr FunctionPanel kPanels[] = {
    {"deng_Op_tab", 0, 0, "LightControlItem", "mouse_page_lighting"},
    {"key_Op_tab", 0, 1, "KeySetControlItem", "mouse_page_keys"},
    {"macro_Op_tab", 1, -1, "MacroControlItem", "mouse_page_macros"},
    {"system_Op_tab", 0, 2, "DPI_slider_0", "mouse_page_system"},
};

void ShowFunctionPanel(ui::CControlUI& page, const FunctionPanel& panel) {
    page.FindSubControlByName<ui::COptionUI>(panel.tab)->SetSelected(true, false);
    page.FindSubControlByName<ui::CTabLayoutUI>("device_function_switch")->SelectItem(panel.functionItem);
    if (panel.keyFunctionItem >= 0) {
        page.FindSubControlByName<ui::CTabLayoutUI>("device_key_function_switch")->SelectItem(panel.keyFunctionItem);
    }
}

class PageScreenshotTest : public MousePageTest {
protected:
    SimMouse mouse;
};

TEST_F(PageScreenshotTest, EachFunctionTabShowsItsPanelInTheMainWindow) {
    const QDBusConnection noBus("orvane-test-no-bus");  // never opened: the window runs without D-Bus
    app::CMainWnd window(app::ShellServices{noBus, noBus, true});
    ASSERT_TRUE(app::CreateMainWindow(window));
    bool connected = false;
    window.WhenDevicesConnected([&] { connected = true; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return connected && window.width() == app::CMainWnd::kWidth; }, 10000));
    ASSERT_EQ(window.Pages(app::DeviceFamily::Mouse).size(), 1u);
    CQuorvantUSBDevice& page = *window.Pages(app::DeviceFamily::Mouse).front();
    ASSERT_EQ(window.GetCurrentPage(), &page);

    const auto shoot = [&](const QString& file) {
        QCoreApplication::processEvents();
        const QImage picture = window.grab().toImage();
        EXPECT_EQ(picture.size(), QSize(app::CMainWnd::kWidth, app::CMainWnd::kHeight)) << file.toStdString();
        EXPECT_TRUE(picture.save(ScreenshotFolder() + "/" + file)) << file.toStdString();
    };
    for (const FunctionPanel& panel : kPanels) {
        ShowFunctionPanel(page, panel);
        EXPECT_TRUE(page.FindSubControlByName(panel.shown)->GetWidget()->isVisible()) << panel.tab;
        shoot(QString(panel.file) + ".png");
    }
    // The longer panel in the other language: its texts must fit as well.
    auto& resources = ui::CResourceManager::GetInstance();
    ASSERT_TRUE(resources.LoadLanguage("lan_cn.xml"));
    resources.ReloadText();
    shoot(QString(kPanels[3].file) + "_cn.png");
}

}  // namespace
}  // namespace orvane::test
