// How long the window waits for a mouse that stops answering or goes away, on the emulated mouse
// through the main window, as a user meets it: "Restore defaults" (the key group, then the
// settings group) with the mouse silenced or unplugged in the middle, and a connection to a
// mouse that never answers. Prints, for each: the longest time the UI thread did not run its
// events (the longest gap between the ticks of a 5 ms timer), the time the click took to return,
// and the time until the page was usable again (its device work over).
//
//   build/bin/bench_responsiveness                 (offscreen platform by default)
//   BENCH_SCREENSHOTS=DIR build/bin/bench_responsiveness
//       also writes DIR/busy.png (the busy indicator during a slow write) and
//       DIR/preview-1.png, DIR/preview-2.png (two frames of the animated light preview)
//
// Figures only; it fails only when the program did not do the work at all.
#include "tests/gui/mousepage_logic/MousePageLogicFixture.h"
#include "tests/gui/mousepage_logic/UiWatch.h"

#include <QElapsedTimer>

#include <cstdio>

#include "ui/framework/Slider.h"

namespace orvane::test {
namespace {

double Ms(const QElapsedTimer& clock) { return static_cast<double>(clock.nsecsElapsed()) / 1e6; }

void Report(const char* what, double longestGap, double clickReturned, double usable) {
    std::printf("%-52s longest UI-thread block %8.1f ms   click returned after %8.1f ms   page usable after %8.1f ms\n",
                what, longestGap, clickReturned, usable);
}

class ResponsivenessBench : public MousePageLogicTest {
protected:
    void Silence() {
        sim::CommandFaults faults;
        faults.silentReports = -1;
        Firmware().SetFaults(faults);
    }

    void SlowDown(std::chrono::milliseconds latency) {
        sim::CommandFaults faults;
        faults.latency = latency;
        Firmware().SetFaults(faults);
    }

    // Clicks "Restore defaults", answering its question; `midway` runs once the work has begun.
    void RestoreDefaults(const char* what, const std::function<void()>& midway) {
        ASSERT_TRUE(WaitIdle());
        SlowDown(20ms);  // long enough for `midway` to fall inside the work
        UiWatch watch;
        QElapsedTimer clock;
        clock.start();
        AnswerMessage([&] { Find<ui::CButtonUI>("default_btn")->click(); });
        const double returned = Ms(clock);
        QTest::qWait(30);
        clock.restart();
        midway();
        ASSERT_TRUE(WaitIdle(30000));
        Report(what, watch.LongestGapMs(), returned, Ms(clock));
    }

    static void Save(QWidget& window, const QString& name) {
        const QString dir = qEnvironmentVariable("BENCH_SCREENSHOTS");
        if (dir.isEmpty()) return;
        const QString path = dir + "/" + name;
        if (window.grab().save(path)) std::printf("wrote %s\n", qPrintable(path));
    }
};

TEST_F(ResponsivenessBench, RestoreDefaultsWithASilentMouse) {
    OpenConnected();
    RestoreDefaults("Restore defaults, mouse silenced midway:", [this] { Silence(); });
}

TEST_F(ResponsivenessBench, RestoreDefaultsWithTheMouseUnplugged) {
    OpenConnected();
    RestoreDefaults("Restore defaults, mouse unplugged midway:", [this] { Mouse().Unplug(); });
}

TEST_F(ResponsivenessBench, ConnectingToASilentMouse) {
    Mouse();
    Silence();
    UiWatch watch;
    QElapsedTimer clock;
    clock.start();
    ui::LightSyncEvent().Reset();
    Open();
    const double opened = Ms(clock);
    ASSERT_TRUE(WaitConnected());
    ASSERT_TRUE(WaitIdle(30000));
    Report("Connection to a silent mouse:", watch.LongestGapMs(), opened, Ms(clock));
}

TEST_F(ResponsivenessBench, Screenshots) {
    if (qEnvironmentVariableIsEmpty("BENCH_SCREENSHOTS")) GTEST_SKIP() << "BENCH_SCREENSHOTS not set";
    app::CMainWnd& window = OpenConnected();
    ASSERT_TRUE(WaitIdle());
    // The default profile's light animates (mode 0); two frames a quarter second apart.
    QTest::qWait(500);
    Save(window, "preview-1.png");
    QTest::qWait(250);
    Save(window, "preview-2.png");

    SlowDown(400ms);
    auto* slider = Find<ui::CSliderUI>("DPI_slider_1");
    slider->setSliderDown(true);
    slider->setValue(40);
    slider->setSliderDown(false);
    QTest::qWait(400);  // the indicator comes after 150 ms of work
    Save(window, "busy.png");
    ASSERT_TRUE(WaitIdle(30000));
}

}  // namespace
}  // namespace orvane::test
