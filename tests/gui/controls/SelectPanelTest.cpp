// The rubber band of a device picture: which key buttons it catches and when it says so.
#include "ControlsFixture.h"

#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>

#include "ui/controls/DeviceKeyButton.h"
#include "ui/controls/SelectPanel.h"
#include "ui/framework/Label.h"

namespace orvane::ui::test {
namespace {

class SelectPanelTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        panel = new CSelectPanelUI;
        panel->SetName("mouse_device_key_light");
        panel->setFixedSize(300, 120);
        // Freely placed children, as on a device picture.
        for (int i = 0; i < 3; ++i) {
            keys[i] = new CDeviceKeyButtonUI(panel);
            keys[i]->SetName(QString("key_%1").arg(i));
            keys[i]->setGeometry(10 + 100 * i, 10, 40, 40);
        }
        label = new CLabelUI(panel);
        label->setGeometry(10, 70, 280, 20);
        Root()->Add(panel);
        QCoreApplication::processEvents();
        window->notes.clear();
    }

    void Send(QEvent::Type type, QPoint at, Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(at), panel->mapToGlobal(QPointF(at)), Qt::LeftButton, held, Qt::NoModifier);
        QCoreApplication::sendEvent(panel, &event);
    }

    void Drag(QPoint from, QPoint to) {
        Send(QEvent::MouseButtonPress, from, Qt::LeftButton);
        Send(QEvent::MouseMove, (from + to) / 2, Qt::LeftButton);
        Send(QEvent::MouseMove, to, Qt::LeftButton);
        Send(QEvent::MouseButtonRelease, to, Qt::NoButton);
    }

    std::vector<bool> Selected() const {
        return {keys[0]->IsBandSelected(), keys[1]->IsBandSelected(), keys[2]->IsBandSelected()};
    }

    long Ends() const { return window->Count({"click_select_end", "mouse_device_key_light"}); }

    CSelectPanelUI* panel = nullptr;
    CDeviceKeyButtonUI* keys[3] = {};
    CLabelUI* label = nullptr;
};

TEST_F(SelectPanelTest, BandCatchesEveryKeyItTouchesAndTheNextBandReplacesThem) {
    // Over key 0 whole and the left half of key 1; dragged up and to the left.
    Drag(QPoint(130, 60), QPoint(5, 5));
    EXPECT_EQ(panel->GetBandRect(), QRect(5, 5, 125, 55));
    EXPECT_EQ(Selected(), (std::vector<bool>{true, true, false}));
    EXPECT_EQ(Ends(), 1);

    Drag(QPoint(200, 0), QPoint(215, 110));
    EXPECT_EQ(Selected(), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(Ends(), 2);

    // A band between the keys catches none.
    Drag(QPoint(60, 0), QPoint(100, 110));
    EXPECT_EQ(Selected(), (std::vector<bool>{false, false, false}));
    EXPECT_EQ(Ends(), 3);
}

TEST_F(SelectPanelTest, PlainClickSelectsNothing) {
    Drag(QPoint(5, 5), QPoint(130, 60));
    window->notes.clear();
    Send(QEvent::MouseButtonPress, QPoint(70, 100), Qt::LeftButton);
    Send(QEvent::MouseButtonRelease, QPoint(70, 100), Qt::NoButton);
    EXPECT_EQ(Ends(), 0);
    EXPECT_EQ(Selected(), (std::vector<bool>{true, true, false}));
}

TEST_F(SelectPanelTest, DisabledPanelDrawsNoBand) {
    panel->SetEnabled(false);
    Drag(QPoint(5, 5), QPoint(290, 110));
    EXPECT_EQ(Ends(), 0);
    EXPECT_EQ(Selected(), (std::vector<bool>{false, false, false}));
}

// Counts a widget's paint events.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};

TEST_F(SelectPanelTest, ThePictureShowsWhatIsBehindAndFollowsIt) {
    QTemporaryDir images;
    ASSERT_TRUE(images.isValid());
    // The panel's image: opaque red on its left half, transparent on the right.
    QImage half(300, 120, QImage::Format_ARGB32);
    half.fill(Qt::transparent);
    for (int y = 0; y < 120; ++y) {
        for (int x = 0; x < 150; ++x) half.setPixelColor(x, y, Qt::red);
    }
    ASSERT_TRUE(half.save(images.filePath("half.png")));
    panel->SetBkImage(images.filePath("half.png"));
    QWidget* host = panel->parentWidget();
    Root()->SetBkColor(0xFF204060);
    QTest::qWait(20);
    EXPECT_EQ(Picture(panel).pixelColor(60, 105), QColor(Qt::red));
    EXPECT_EQ(Picture(panel).pixelColor(220, 105), QColor(0x20, 0x40, 0x60)) << "what lies behind shows through";

    // A key's repaint paints the key over the kept picture, and nothing behind the panel.
    PaintCounter hostPaints(host), panelPaints(panel), keyPaints(keys[2]);
    keys[2]->update();
    QTRY_COMPARE(keyPaints.paints, 1);
    QTest::qWait(20);
    EXPECT_EQ(hostPaints.paints, 0);
    EXPECT_EQ(panelPaints.paints, 1);

    // What is behind changes (as a new skin changes it): the picture follows.
    Root()->SetBkColor(0xFF602040);
    QTRY_VERIFY(hostPaints.paints > 0);
    EXPECT_EQ(Picture(panel).pixelColor(220, 105), QColor(0x60, 0x20, 0x40));
    panel->SetBkImage({});
    EXPECT_EQ(Picture(panel).pixelColor(60, 105), QColor(0x60, 0x20, 0x40));
}

}  // namespace
}  // namespace orvane::ui::test
