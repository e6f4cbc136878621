// Control and window timers: "timer" notifications on the UI thread, one timer per id, armed from
// any thread, stopped with the window.
#include "SkinFixture.h"

#include <QTest>
#include <QThread>

#include <algorithm>
#include <thread>

namespace orvane::ui::test {
namespace {

class TimerTest : public SkinTest {
protected:
    void SetUp() override {
        SkinTest::SetUp();
        window = OpenWindow();
        key = window->FindControl("key_1");
        ASSERT_NE(key, nullptr);
        QCoreApplication::processEvents();
        window->notes.clear();
        window->onNotify = [this](TNotifyUI& msg) {
            if (msg.sType != "timer") return;
            onUiThread = onUiThread && QThread::currentThread() == window->thread();
            if (oneShot) msg.pSender->KillTimer(static_cast<int>(msg.wParam));
        };
    }

    long Fired(int id) const {
        return std::count(window->notes.begin(), window->notes.end(), Note{"timer", "key_1", static_cast<WParam>(id)});
    }

    std::unique_ptr<TestWindow> window;
    CControlUI* key = nullptr;
    bool oneShot = true;
    bool onUiThread = true;
};

TEST_F(TimerTest, TimerKilledByItsHandlerFiresOnce) {
    ASSERT_TRUE(window->SetTimer(key, 1001, 10));
    ASSERT_TRUE(window->SetTimer(key, 1001, 10));  // still one timer
    ASSERT_TRUE(QTest::qWaitFor([&] { return Fired(1001) > 0; }));
    QTest::qWait(60);
    EXPECT_EQ(Fired(1001), 1);
    EXPECT_EQ(window->notes, (std::vector<Note>{{"timer", "key_1", 1001}}));
}

TEST_F(TimerTest, ArmingAnArmedIdRestartsItWithTheNewPeriod) {
    key->SetTimer(5, 60000);
    key->SetTimer(5, 10);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Fired(5) > 0; }, 1000));  // long before the first period
    QTest::qWait(40);
    EXPECT_EQ(Fired(5), 1);
}

TEST_F(TimerTest, TimerRepeatsUntilKilled) {
    oneShot = false;
    key->SetTimer(2, 5);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Fired(2) >= 3; }));
    EXPECT_TRUE(window->KillTimer(key, 2));
    const long count = Fired(2);
    QTest::qWait(40);
    EXPECT_EQ(Fired(2), count);
    EXPECT_FALSE(key->KillTimer(2));
}

TEST_F(TimerTest, TimerArmedFromAWorkerFiresOnTheUiThread) {
    std::thread worker([this] { key->SetTimer(1002, 5); });
    worker.join();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Fired(1002) > 0; }));
    EXPECT_TRUE(onUiThread);
}

TEST_F(TimerTest, WindowTimersArriveAsTimerMessages) {
    std::vector<WParam> ids;
    window->onMessage = [&](unsigned message, WParam wParam, LParam, bool& handled) -> LResult {
        if (message != WM_TIMER) return 0;
        ids.push_back(wParam);
        window->KillTimer(static_cast<int>(wParam));
        handled = true;
        return 0;
    };
    window->SetTimer(1011, 5);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !ids.empty(); }));
    QTest::qWait(30);
    EXPECT_EQ(ids, (std::vector<WParam>{1011}));
}

TEST_F(TimerTest, ClosingTheWindowStopsItsTimers) {
    oneShot = false;
    key->SetTimer(3, 5);
    window->SetTimer(4, 5);
    window->Close();
    QTest::qWait(40);
    EXPECT_EQ(Fired(3), 0);
    EXPECT_EQ(std::count(window->messages.begin(), window->messages.end(), WM_TIMER), 0);
}

}  // namespace
}  // namespace orvane::ui::test
