#pragma once
// Shared by the settings window tests: a temporary HOME, the program's skin and default data, the
// debug log captured, an update service on the loopback interface, a stand-in for the main window
// that records the messages it gets, and the window opened the way the main window opens it.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QTest>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "online/UpdateCheck.h"
#include "online/view/SetWnd.h"
#include "online/view/UpdateInfoListItem.h"
#include "platform/DebugLog.h"
#include "tests/support/LoopbackOnly.h"
#include "tests/support/TempHome.h"
#include "tests/support/TestHttpServer.h"
#include "ui/framework/Label.h"
#include "ui/framework/Option.h"
#include "ui/framework/ResourceManager.h"
#include "tests/gui/ScreenshotFolder.h"

namespace orvane::online::test {

using namespace std::chrono_literals;

inline UpdateIdentity Row(size_t index, uint32_t version) {
    UpdateIdentity row = UpdateIdentities()[index];
    row.versionNumber = version;
    return row;
}
inline const std::vector<UpdateIdentity> kMouseAndProgram = {Row(0, 0x0102), Row(5, 100)};
inline constexpr const char* kMouseKey = "VEXAL_2_QM52P18C_1_Q730_2";

// The main window as far as the settings window sees it: messages are recorded.
class RecordingMainWindow : public ui::WindowImplBase {
public:
    std::vector<std::pair<unsigned, ui::WParam>> messages;

protected:
    QString GetSkinFile() const override { return "XML_MSG"; }
    ui::LResult HandleCustomMessage(unsigned message, ui::WParam wParam, ui::LParam, bool& handled) override {
        handled = false;
        if (message >= ui::WM_USER) messages.emplace_back(message, wParam);
        return 0;
    }
};

class SetWndTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(orvane::test::kLoopbackOnly);
        ::setenv("ORVANE_DATA_DIR", ORVANE_SOURCE_DIR, 1);
        auto& resources = ui::CResourceManager::GetInstance();
        resources.SetResourcePath(QString(ORVANE_SOURCE_DIR) + "/skin");
        ASSERT_TRUE(resources.LoadResource());
        ASSERT_TRUE(resources.LoadLanguage("lan_en.xml"));
        previousSink_ = SetDebugSink(log_);
        ASSERT_TRUE(main_.Create(nullptr, "main"));
    }

    void TearDown() override {
        window_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        SetDebugSink(previousSink_);
        ui::CResourceManager::GetInstance().Release();
        ::unsetenv("ORVANE_DATA_DIR");
    }

    static UpdateService ServiceAt(const std::string& url) {
        UpdateService service;
        service.enabled = true;
        service.baseUrl = url;
        return service;
    }
    static std::string Unreachable() { return "http://127.0.0.1:" + std::to_string(orvane::test::ClosedPort()); }

    // Answers the mouse row with `mouseReply`; with `onlyOnce` every later connection is refused.
    static orvane::test::TestHttpServer::Handler MouseAnswer(std::string mouseReply, bool onlyOnce = false) {
        return [mouseReply, onlyOnce](const orvane::test::SeenRequest& request) {
            orvane::test::ServerReply reply;
            reply.body = request.body.find(kMouseKey) != std::string::npos ? mouseReply : "{}";
            reply.stopListening = onlyOnce;
            return reply;
        };
    }

    // Builds and shows the window; `settled` waits until the check has ended.
    CSetWnd& Open(std::vector<UpdateIdentity> rows, UpdateService service, bool settled = true, int languageIndex = 0) {
        window_ = std::make_unique<CSetWnd>();
        EXPECT_TRUE(window_->Create(nullptr, "SetWnd", Qt::Tool | Qt::FramelessWindowHint,
                                    QRect(0, 0, CSetWnd::kWidth, CSetWnd::kHeight)));
        window_->SetMainWindow(&main_, languageIndex);
        window_->SetUpdateRows(std::move(rows));
        window_->SetUpdateService(std::move(service));
        window_->SetProgramPath("/opt/orvane/bin/orvane-q730");
        window_->ShowWindow();
        if (settled) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return window_->GetPageState() != kPageChecking && !window_->IsChecking(); },
                                        10000));
            QCoreApplication::processEvents();
        }
        return *window_;
    }

    CSetWnd& Window() { return *window_; }

    QString Text(const char* name) const {
        ui::CControlUI* control = window_->FindControl(name);
        return control != nullptr ? control->GetText() : QString("<missing %1>").arg(name);
    }
    bool Shown(const char* name) const {
        ui::CControlUI* control = window_->FindControl(name);
        return control != nullptr && control->IsVisible();
    }
    QString RowText(int row, const char* part) const {
        CUpdateInfoListItemUI* item = window_->GetRow(row);
        ui::CControlUI* control = item != nullptr ? item->FindSubControlByName(part) : nullptr;
        return control != nullptr ? control->GetText() : QString("<missing %1>").arg(part);
    }
    bool Logged(const std::string& line) const {
        const auto lines = log_->Lines();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    size_t MessagesToMain(unsigned message) const {
        return static_cast<size_t>(std::count_if(main_.messages.begin(), main_.messages.end(),
                                                 [message](const auto& m) { return m.first == message; }));
    }

    orvane::test::TempHome home;
    std::string dateFile = home.Path() + "/.local/share/ORVANE Q730 Gaming Mouse/updatetime.config";
    RecordingMainWindow main_;
    std::shared_ptr<CapturingDebugSink> log_ = std::make_shared<CapturingDebugSink>();

private:
    std::shared_ptr<DebugSink> previousSink_;
    std::unique_ptr<CSetWnd> window_;
};

}  // namespace orvane::online::test
