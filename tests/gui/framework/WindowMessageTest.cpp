// The window's life and its messages: creation order, synchronous and posted messages (also from a
// worker thread), closing, modal runs and DPI.
#include "SkinFixture.h"

#include <QApplication>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <future>
#include <thread>

namespace orvane::ui::test {
namespace {

constexpr unsigned kDeviceArrival = 3090;

class WindowMessageTest : public SkinTest {
protected:
    void SetUp() override {
        SkinTest::SetUp();
        window = OpenWindow();
    }

    std::unique_ptr<TestWindow> window;
};

TEST_F(WindowMessageTest, InitWindowComesFirstAndWindowInitOnceTheLoopRuns) {
    EXPECT_EQ(window->lifecycle, (std::vector<std::string>{"InitWindow"}));
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(window->lifecycle, (std::vector<std::string>{"InitWindow", "windowinit"}));
    EXPECT_EQ(std::count(window->notes.begin(), window->notes.end(), Note{"windowinit", "root"}), 1);
}

TEST_F(WindowMessageTest, SendMessageFromAWorkerRunsOnTheUiThreadAndReturnsTheResult) {
    QThread* handlerThread = nullptr;
    window->onMessage = [&](unsigned message, WParam wParam, LParam, bool& handled) -> LResult {
        if (message != kDeviceArrival) return 0;
        handlerThread = QThread::currentThread();
        handled = true;
        return static_cast<LResult>(wParam) * 10;
    };
    EXPECT_EQ(window->SendMessage(kDeviceArrival, 1), 10);  // on the UI thread: at once

    auto reply = std::async(std::launch::async, [&] { return window->SendMessage(kDeviceArrival, 4); });
    // The worker waits until the UI thread has run the handler.
    EXPECT_EQ(reply.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);
    ASSERT_TRUE(QTest::qWaitFor([&] { return reply.wait_for(std::chrono::milliseconds(0)) == std::future_status::ready; }));
    EXPECT_EQ(reply.get(), 40);
    EXPECT_EQ(handlerThread, QThread::currentThread());
}

TEST_F(WindowMessageTest, PostedMessagesRunLaterInOrder) {
    std::vector<WParam> seen;
    window->onMessage = [&](unsigned message, WParam wParam, LParam, bool&) -> LResult {
        if (message == kDeviceArrival) seen.push_back(wParam);
        return 0;
    };
    std::thread worker([&] { window->PostMessage(kDeviceArrival, 1); });
    worker.join();
    window->PostMessage(kDeviceArrival, 2);
    EXPECT_TRUE(seen.empty());
    QCoreApplication::processEvents();
    EXPECT_EQ(seen, (std::vector<WParam>{1, 2}));
}

TEST_F(WindowMessageTest, HandledCloseIsRefused) {
    window->onMessage = [](unsigned message, WParam, LParam, bool& handled) -> LResult {
        handled = message == WM_CLOSE;
        return 0;
    };
    window->Close(1);
    EXPECT_FALSE(window->IsClosed());
    EXPECT_TRUE(window->isVisible());
}

TEST_F(WindowMessageTest, CloseDestroysOnceThenCallsOnFinalMessage) {
    window->Close(1);
    window->Close(2);
    EXPECT_TRUE(window->IsClosed());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->lifecycle, (std::vector<std::string>{"InitWindow", "WM_DESTROY", "OnFinalMessage"}));
    // Closing from the window system goes the same way: nothing more happens to a closed window.
    window->close();
    EXPECT_EQ(window->lifecycle.size(), 3u);
}

TEST_F(WindowMessageTest, ShowModalReturnsTheResultGivenToClose) {
    TestWindow dialog;
    ASSERT_TRUE(dialog.Create(window.get(), "modal"));
    dialog.onNotify = [&](TNotifyUI& msg) {
        if (msg.sType == "click" && msg.pSender->GetName() == "okbtn") dialog.Close(7);
    };
    QTimer::singleShot(0, &dialog, [&] { QTest::mouseClick(dialog.FindControl("okbtn")->GetWidget(), Qt::LeftButton); });
    EXPECT_EQ(dialog.ShowModal(), 7);
    EXPECT_EQ(dialog.lifecycle.back(), "OnFinalMessage");
}

TEST_F(WindowMessageTest, ResizeRaisesWindowSize) {
    QCoreApplication::processEvents();
    window->notes.clear();
    window->resize(500, 420);
    EXPECT_EQ(window->notes, (std::vector<Note>{{"windowsize", "root"}}));
}

TEST_F(WindowMessageTest, SetAllDpiScalesTheFontsOfEveryWindow) {
    TestWindow second;
    ASSERT_TRUE(second.Create(nullptr, "second"));
    const qreal base = QApplication::font().pointSizeF();
    WindowImplBase::SetAllDPI(192);
    EXPECT_EQ(window->GetDPI(), 192);
    EXPECT_DOUBLE_EQ(window->font().pointSizeF(), base * 2);
    EXPECT_DOUBLE_EQ(second.font().pointSizeF(), base * 2);
    window->SetDPI(96);
    EXPECT_DOUBLE_EQ(window->font().pointSizeF(), base);
}

TEST(RegisteredMessageTest, SameNameSameNumber) {
    const unsigned wake = RegisterWindowMessage("ORVANE Q730 Gaming Mouse");
    EXPECT_GE(wake, 0xC000u);
    EXPECT_EQ(RegisterWindowMessage("ORVANE Q730 Gaming Mouse"), wake);
    EXPECT_NE(RegisterWindowMessage("WM_HOOK_KEY_SINGLEKEY_MSG"), wake);
}

}  // namespace
}  // namespace orvane::ui::test
