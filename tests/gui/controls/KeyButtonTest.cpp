// Key buttons of a device picture: the light tint, hovering, the overlays and double clicks.
#include "ControlsFixture.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QTest>

#include "ui/controls/DeviceKeyButton.h"

namespace orvane::ui::test {
namespace {

// Packs a light colour the way the pages hand it to a key button.
ArgbColor PageTint(int r, int g, int b) {
    return static_cast<ArgbColor>(r | b << 8 | g << 16);
}

class CountingKeyButton final : public CDeviceKeyButtonUI {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent* e) override {
        ++paints;
        CDeviceKeyButtonUI::paintEvent(e);
    }
};

class KeyButtonTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        ASSERT_TRUE(images.isValid());
        key = new CountingKeyButton;
        key->SetName("key_1");
        key->setFixedSize(24, 24);
        // A flat dark key, so the light is what shows.
        key->setStyleSheet("QPushButton { background-color: #101010; border: none; }");
        key->SetAttribute("lightimage", SolidImage(images, "light", Qt::white, true));
        key->SetAttribute("keysetimage", "file='" + SolidImage(images, "set", QColor(0, 0, 255)) + "' dest='8,8,16,16'");
        key->SetAttribute("keyunsetimage", "file='" + SolidImage(images, "unset", QColor(255, 255, 0)) + "' dest='8,8,16,16'");
        Root()->Add(key);
        QCoreApplication::processEvents();
    }

    QColor Centre(const QString& shot = {}) { return Picture(key, shot).pixelColor(12, 12); }
    QColor Corner() { return Picture(key).pixelColor(1, 1); }

    void Hover(bool enter) {
        if (enter) {
            QEnterEvent event(QPointF(12, 12), QPointF(12, 12), QPointF(12, 12));
            QCoreApplication::sendEvent(key, &event);
        } else {
            QEvent event(QEvent::Leave);
            QCoreApplication::sendEvent(key, &event);
        }
    }

    QTemporaryDir images;
    CountingKeyButton* key = nullptr;
};

TEST_F(KeyButtonTest, LightShowsInTheTintColour) {
    const QColor dark(0x10, 0x10, 0x10);
    EXPECT_EQ(Centre(), dark);  // tint off at first
    const struct {
        int r, g, b;
    } colours[] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {10, 200, 90}};
    for (const auto& c : colours) {
        key->SetTint(PageTint(c.r, c.g, c.b), 255, true);
        EXPECT_EQ(Centre(QString("key_tint_%1_%2_%3").arg(c.r).arg(c.g).arg(c.b)), QColor(c.r, c.g, c.b));
        EXPECT_EQ(Corner(), dark);  // the light keeps the image's shape
    }
    // The level is the light's strength.
    key->SetTint(PageTint(0, 255, 0), 128, true);
    const QColor half = Centre();
    EXPECT_NEAR(half.green(), 0x10 + (255 - 0x10) / 2, 3);
    key->SetTint(PageTint(0, 255, 0), 0, true);
    EXPECT_EQ(Centre(), dark);
    key->SetTint(PageTint(0, 255, 0), 255, false);
    EXPECT_EQ(Centre(), dark);
}

TEST_F(KeyButtonTest, HoverHidesTheLightUntilThePointerLeaves) {
    const QColor red(255, 0, 0);
    int lost = 0;
    key->SetTintLostHandler([&] { ++lost; });
    key->SetTint(PageTint(255, 0, 0), 255, true);
    Hover(true);
    EXPECT_TRUE(key->IsHot());
    EXPECT_NE(Centre(), red);
    Hover(false);
    EXPECT_EQ(Centre(), red);
    EXPECT_EQ(lost, 0);

    // Without keep-tint-on-hover, a hover switches the tint off until the page sets it again;
    // the page hears of it then, and again when the pointer has left.
    key->SetKeepTintOnHover(false);
    Hover(true);
    EXPECT_NE(Centre(), red);
    EXPECT_FALSE(key->IsTintEnabled());
    EXPECT_EQ(key->GetTintColor(), PageTint(255, 0, 0));
    EXPECT_EQ(lost, 1);
    Hover(false);
    EXPECT_NE(Centre(), red);
    EXPECT_EQ(lost, 2);
    key->SetTint(PageTint(255, 0, 0), 255, true);
    EXPECT_EQ(Centre(), red);
    EXPECT_EQ(lost, 2);
}

TEST_F(KeyButtonTest, TheOwnLookFollowsStyleAndState) {
    key->setStyleSheet("QPushButton { background-color: #202020; border: none; }"
                       "QPushButton:checked { background-color: #303030; }"
                       "QPushButton:disabled { background-color: #404040; }");
    EXPECT_EQ(Corner(), QColor(0x20, 0x20, 0x20));
    key->setCheckable(true);
    key->setChecked(true);
    EXPECT_EQ(Corner(), QColor(0x30, 0x30, 0x30));
    key->setChecked(false);
    key->setEnabled(false);
    EXPECT_EQ(Corner(), QColor(0x40, 0x40, 0x40));
    key->setEnabled(true);
    EXPECT_EQ(Corner(), QColor(0x20, 0x20, 0x20));
    // A selector on a property takes effect on the next polish.
    key->setProperty("role", "key");
    key->setStyleSheet(key->styleSheet() + "QPushButton[role=\"key\"] { background-color: #505050; }");
    EXPECT_EQ(Corner(), QColor(0x50, 0x50, 0x50));
    key->setProperty("role", "light");
    key->style()->unpolish(key);
    key->style()->polish(key);
    EXPECT_EQ(Corner(), QColor(0x20, 0x20, 0x20));
}

TEST_F(KeyButtonTest, OverlaysFollowTheirSwitches) {
    const QColor none(0x10, 0x10, 0x10), set(0, 0, 255), unset(255, 255, 0);
    const struct {
        bool hideSet, showUnset, unsetOnly;
        QColor centre;
    } cases[] = {
        {true, false, false, none},   // as built
        {false, false, false, set},
        {true, true, false, unset},
        {false, true, false, set},    // the set image goes over the unset one
        {false, false, true, unset},  // only the unset image, whatever the others say
        {true, false, true, unset},
    };
    for (const auto& c : cases) {
        key->HideSetImage(c.hideSet);
        key->ShowUnsetImage(c.showUnset);
        key->SetUnsetImageOnly(c.unsetOnly);
        EXPECT_EQ(Centre(), c.centre) << c.hideSet << c.showUnset << c.unsetOnly;
    }
}

TEST_F(KeyButtonTest, HideSetImageRepaintsOnlyOnAChange) {
    QTest::qWait(20);
    const int before = key->paints;
    key->HideSetImage(true);  // as it is
    key->SetBandSelected(true);
    key->SetTint(PageTint(1, 2, 3), 10, true);
    QTest::qWait(30);
    EXPECT_EQ(key->paints, before);
    key->HideSetImage(false);
    QTRY_VERIFY(key->paints > before);
}

TEST_F(KeyButtonTest, DoubleClickRaisesDbclickAndTheReleaseStillClicks) {
    // What the platform sends for a double click.
    const auto doubleClick = [this] {
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                                  QEvent::MouseButtonRelease}) {
            const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
            QMouseEvent event(type, QPointF(12, 12), key->mapToGlobal(QPointF(12, 12)), Qt::LeftButton, held, Qt::NoModifier);
            QCoreApplication::sendEvent(key, &event);
        }
    };
    window->notes.clear();
    doubleClick();
    const std::vector<Note> expected = {{"click", "key_1"}, {"dbclick", "key_1"}, {"click", "key_1"}};
    EXPECT_EQ(window->notes, expected);
    key->SetEnabled(false);
    window->notes.clear();
    doubleClick();
    EXPECT_TRUE(window->notes.empty());
}

}  // namespace
}  // namespace orvane::ui::test
