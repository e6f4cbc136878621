// The skin window open over the main window on the emulated mouse, and the main window with a
// colour and with a picture background, in English and in Chinese. The pictures go to
// ORVANE_SCREENSHOT_DIR when it is set (to look at them), else into the test's HOME.
#include "MousePageFixture.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTest>

#include "app/MainWnd.h"
#include "app/SkinFrame.h"
#include "app/Startup.h"
#include "ui/dialogs/WindowMessageIds.h"
#include "tests/support/SimMouse.h"
#include "ui/framework/Button.h"
#include "ui/framework/TabLayout.h"
#include "tests/gui/ScreenshotFolder.h"

namespace orvane::test {
namespace {

// A spot of the window where nothing covers the root's background: the gap between the profile
// column and the device picture.
constexpr QPoint kBackgroundSpot(516, 450);

class SkinScreenshotTest : public MousePageTest {
protected:
    static app::CSkinFrame* OpenFrame(app::CMainWnd& window) {
        QTest::mouseClick(window.FindControl<ui::CButtonUI>("skinbtn"), Qt::LeftButton);
        for (ui::WindowImplBase* w : ui::WindowImplBase::Windows()) {
            if (auto* frame = dynamic_cast<app::CSkinFrame*>(w); frame != nullptr && !frame->IsClosed()) return frame;
        }
        return nullptr;
    }

    static ui::CButtonUI* Nth(app::CSkinFrame& frame, const char* name, int index) {
        int seen = 0;
        for (ui::CControlUI* c : ui::ControlsBelow(&frame)) {
            if (c->GetName() == QLatin1String(name) && seen++ == index) return dynamic_cast<ui::CButtonUI*>(c);
        }
        return nullptr;
    }

    QImage Shoot(app::CMainWnd& window, const QString& file, app::CSkinFrame* frame = nullptr) {
        QCoreApplication::processEvents();
        QImage picture = window.grab().toImage();
        EXPECT_EQ(picture.size(), QSize(app::CMainWnd::kWidth, app::CMainWnd::kHeight)) << file.toStdString();
        if (frame != nullptr) {
            // The pop-up is a window of its own: drawn where it stands over the main window.
            QPainter painter(&picture);
            painter.drawPixmap(frame->geometry().topLeft() - window.geometry().topLeft(), frame->grab());
        }
        EXPECT_TRUE(picture.save(ScreenshotFolder() + "/" + file)) << file.toStdString();
        return picture;
    }

    SimMouse mouse;
};

TEST_F(SkinScreenshotTest, TheSkinWindowAndBothKindsOfBackgroundInEnglishAndChinese) {
    const QDBusConnection noBus("orvane-test-no-bus");  // never opened: the window runs without D-Bus
    app::CMainWnd window(app::ShellServices{noBus, noBus, true});
    ASSERT_TRUE(app::CreateMainWindow(window));
    bool connected = false;
    window.WhenDevicesConnected([&] { connected = true; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return connected && window.width() == app::CMainWnd::kWidth; }, 10000));

    // English and Simplified Chinese, the first two of the shipped language list, applied the
    // way the settings window applies them.
    for (const QString suffix : {"", "_cn"}) {
        window.SendMessage(ui::kApplyLanguage, suffix.isEmpty() ? 0 : 1, 0);

        app::CSkinFrame* frame = OpenFrame(window);
        ASSERT_NE(frame, nullptr);
        Shoot(window, "skin_window_pictures" + suffix + ".png", frame);
        QTest::mouseClick(frame->FindControl<ui::CButtonUI>("skin_color"), Qt::LeftButton);
        Shoot(window, "skin_window_colours" + suffix + ".png", frame);

        ui::CButtonUI* colour = Nth(*frame, "skin_color_btn", 11);
        ASSERT_NE(colour, nullptr);
        QTest::mouseClick(colour, Qt::LeftButton);
        const QImage coloured = Shoot(window, "main_window_colour" + suffix + ".png");
        EXPECT_EQ(coloured.pixel(kBackgroundSpot), colour->GetBkColor()) << "the colour shows behind the page";

        QTest::mouseClick(frame->FindControl<ui::CButtonUI>("skin_image"), Qt::LeftButton);
        QTest::mouseClick(Nth(*frame, "skin_image_btn", 3), Qt::LeftButton);
        const QImage pictured = Shoot(window, "main_window_picture" + suffix + ".png");
        EXPECT_NE(pictured.pixel(kBackgroundSpot), coloured.pixel(kBackgroundSpot));
        frame->Close();
    }
}

}  // namespace
}  // namespace orvane::test
