// The settings window in each state of its update page, in English and Chinese. The pictures go
// to ORVANE_SCREENSHOT_DIR when it is set (to look at them), else into the test's HOME.
#include "SetWndFixture.h"

#include <QImage>

namespace orvane::online::test {
namespace {

struct Scenario {
    const char* file;
    int pageState;
    bool reachable;  // else every request is refused
    bool hold;       // the service never answers: the window stays checking
    const char* mouseReply;
};
constexpr Scenario kScenarios[] = {
    {"checking", kPageChecking, true, true, ""},
    {"updates_available", kPageUpdatesAvailable, true, false, R"({"name":"Q730","version":"0103"})"},
    {"up_to_date", kPageUpToDate, true, false, R"({"name":"Q730","version":"0102"})"},
    {"no_information", kPageNoInformation, false, false, ""},
};

TEST_F(SetWndTest, EachPageStateInEachLanguage) {
    home.WriteFile(".local/share/ORVANE Q730 Gaming Mouse/updatetime.config", R"({"updatelasttime":{"value":"2025-6-1"}})");
    for (const auto& [language, index] : {std::pair{"en", 0}, std::pair{"cn", 1}}) {
        ASSERT_TRUE(ui::CResourceManager::GetInstance().LoadLanguage(QString("lan_%1.xml").arg(language)));
        for (const Scenario& s : kScenarios) {
            SCOPED_TRACE(std::string(language) + " " + s.file);
            orvane::test::TestHttpServer service([&s](const orvane::test::SeenRequest& request) {
                orvane::test::ServerReply reply;
                reply.hold = s.hold;
                reply.body = request.body.find(kMouseKey) != std::string::npos
                                 ? s.mouseReply
                                 : R"({"name":"ORVANE","version":"100","version_name":"V1.0.0"})";
                return reply;
            });
            CSetWnd& window = Open(kMouseAndProgram, ServiceAt(s.reachable ? service.Url() : Unreachable()), !s.hold, index);
            if (s.hold) {
                ASSERT_TRUE(QTest::qWaitFor([&] { return window.GetResults().size() == 2; }, 5000));
            }
            EXPECT_EQ(window.GetPageState(), s.pageState);
            QCoreApplication::processEvents();
            const QImage picture = window.grab().toImage();
            EXPECT_EQ(picture.size(), QSize(CSetWnd::kWidth, CSetWnd::kHeight));
            EXPECT_TRUE(picture.save(QString("%1/settings_%2_%3.png").arg(orvane::test::ScreenshotFolder(), s.file, language)));
            window.close();
        }
    }
}

}  // namespace
}  // namespace orvane::online::test
