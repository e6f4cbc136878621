// The settings window as the main window opens it, and starting into the tray.
#include "ShellFixture.h"

#include <QTimer>

#include "ui/dialogs/WindowMessageIds.h"
#include "online/view/SetWnd.h"
#include "tests/support/LoopbackOnly.h"
#include "tests/support/TestHttpServer.h"

namespace orvane::app::test {
namespace {

online::CSetWnd* OpenSettingsWindow() {
    for (ui::WindowImplBase* window : ui::WindowImplBase::Windows()) {
        if (auto* settings = dynamic_cast<online::CSetWnd*>(window); settings != nullptr && !settings->IsClosed()) {
            return settings;
        }
    }
    return nullptr;
}

class SettingsWindowTest : public ShellTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(orvane::test::kLoopbackOnly);
        if (!online::UpdateChecksBuiltIn()) GTEST_SKIP() << "this build does not check for updates";
        ShellTest::SetUp();
        ::setenv("ORVANE_UPDATE_URL", service.Url().c_str(), 1);
    }
    void TearDown() override {
        if (!online::UpdateChecksBuiltIn()) return;
        ::unsetenv("ORVANE_UPDATE_URL");
        ShellTest::TearDown();
    }

    // The main window at its working size and place (it takes them 100 ms after it starts).
    CMainWnd& OpenSettled() {
        CMainWnd& window = Open();
        EXPECT_TRUE(QTest::qWaitFor([&] { return window.width() == CMainWnd::kWidth; }, 5000));
        return window;
    }

    // Runs `whileOpen` on the settings window once its check has ended, then closes it.
    void WhileOpen(std::function<void(online::CSetWnd&)> whileOpen) {
        QTimer::singleShot(0, [whileOpen] {
            online::CSetWnd* settings = nullptr;
            EXPECT_TRUE(QTest::qWaitFor([&] {
                settings = OpenSettingsWindow();
                return settings != nullptr && settings->GetPageState() != online::kPageChecking && !settings->IsChecking();
            }, 5000));
            if (settings == nullptr) return;
            whileOpen(*settings);
            QTest::mouseClick(settings->FindControl("closebtn")->GetWidget(), Qt::LeftButton);
        });
    }

    orvane::test::TestHttpServer service{[](const orvane::test::SeenRequest&) {
        orvane::test::ServerReply reply;
        reply.body = R"({"name":"x","version":"0100","version_name":"V1.0.0"})";
        return reply;
    }};
};

TEST_F(SettingsWindowTest, GearOpensItCentredAskingAboutTheProgramAndTheConnectedMouse) {
    Mouse();
    CMainWnd& window = OpenSettled();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.GetCurrentPage() != nullptr; }, 5000));
    bool seen = false;
    WhileOpen([&](online::CSetWnd& settings) {
        seen = true;
        EXPECT_TRUE(settings.isModal());
        EXPECT_EQ(settings.frameGeometry().center(), window.frameGeometry().center());
        ASSERT_EQ(settings.GetResults().size(), 2u);
        EXPECT_EQ(settings.GetResults()[0].name, "Q730:");
        EXPECT_EQ(settings.GetResults()[0].currentVersionText, "V0100");
        EXPECT_EQ(settings.GetResults()[1].name, "ORVANE Q730 Gaming Mouse:");
        EXPECT_EQ(settings.GetPageState(), online::kPageUpToDate);
    });
    QTest::mouseClick(window.FindControl("setbtn")->GetWidget(), Qt::LeftButton);
    EXPECT_TRUE(seen);
    EXPECT_EQ(OpenSettingsWindow(), nullptr);
    ASSERT_EQ(service.Requests().size(), 2u);
    EXPECT_EQ(service.Requests()[0].body, std::string("app_key=VEXAL_2_QM52P18C_1_Q730_2&version=100") + '\0');
    EXPECT_EQ(service.Requests()[1].body, std::string("app_key=VEXAL_0_ALL_R37_BX2_BX1_3&version=100") + '\0');
}

TEST_F(SettingsWindowTest, MessageOpensItBesideTheMainWindow) {
    CMainWnd& window = OpenSettled();
    bool seen = false;
    WhileOpen([&](online::CSetWnd& settings) {
        seen = true;
        EXPECT_EQ(settings.geometry().top(), window.geometry().top() + 130);
        EXPECT_EQ(settings.geometry().right(), window.geometry().right() - 24);
        EXPECT_EQ(settings.GetResults().size(), 1u);  // no device: the program alone
    });
    window.SendMessage(ui::kOpenSettingsWindow, 0, 0);
    EXPECT_TRUE(seen);
}

TEST_F(ShellTest, StartedIntoTheTrayTheWindowWaitsThereUntilAskedFor) {
    for (bool tray : {true, false}) {
        auto window = std::make_unique<CMainWnd>(TestServices(NoBus(), tray));
        window->SetStartInTray(true);
        ASSERT_TRUE(CreateMainWindow(*window));
        ASSERT_TRUE(QTest::qWaitFor([&] { return window->IsFirstScanHandled(); }, 5000));
        QCoreApplication::processEvents();
        EXPECT_EQ(window->isVisible(), !tray) << "without a notification area it is shown as usual";
        window->SendMessage(ui::WmSoftwareIdentity(), 0, 1);
        EXPECT_TRUE(window->isVisible());
        window->Close();
    }
}

}  // namespace
}  // namespace orvane::app::test
