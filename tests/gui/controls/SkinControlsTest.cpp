// The controls kept for skins: registration, the ring progress, the hand image buttons, the combo
// edit row, the chart view and the window host.
#include "ControlsFixture.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>

#include "ui/controls/ChartView.h"
#include "ui/controls/CircleProgress.h"
#include "ui/controls/ComboEditContainerElement.h"
#include "ui/controls/HandImgButton.h"
#include "ui/controls/HandImgSelectButton.h"
#include "ui/controls/Wnd.h"
#include "ui/framework/ControlFactory.h"
#include "ui/framework/Edit.h"
#include "ui/framework/Label.h"
#include "ui/framework/List.h"

namespace orvane::ui::test {
namespace {

using SkinControlsTest = ControlsTest;

TEST_F(SkinControlsTest, EveryClassIsMadeByClassNameAndByTag) {
    const struct {
        const char* className;
        const char* tag;
        const char* cls;
    } cases[] = {
        {"CDeviceOptionUI", "DeviceOption", "DeviceOption"},
        {"CMpDevicePowerUI", "MpDevicePower", "MpDevicePower"},
        {"CDeviceKeyButtonUI", "DeviceKeyButton", "DeviceKeyButton"},
        {"CSelectPanelUI", "SelectPanel", "SelectPanel"},
        {"CCircleProgressUI", "CircleProgress", "CircleProgress"},
        {"CHandImgButtonUI", "HandImgButton", "HandImgButton"},
        {"CHandImgSelectButtonUI", "HandImgSelectButton", "HandImgSelectButton"},
        {"CRedioMacroButtonUI", "RedioMacroButton", "RedioMacroButton"},
        {"CComboEditContainerElementUI", "ComboEditContainerElement", "ComboEditContainerElement"},
        {"CChartViewUI", "ChartView", "Control"},
        {"CWndUI", "Wnd", "Wnd"},
    };
    for (const auto& c : cases) {
        for (const QString& name : {QString(c.className), QString(c.tag)}) {
            std::unique_ptr<CControlUI> fromFactory(CControlFactory::GetInstance().CreateControl(name));
            ASSERT_NE(fromFactory, nullptr) << name.toStdString();
            EXPECT_EQ(fromFactory->GetClass(), c.cls) << name.toStdString();
            std::unique_ptr<CControlUI> fromTag(CreateCustomControl(name.toLower()));
            ASSERT_NE(fromTag, nullptr) << name.toStdString();
            EXPECT_EQ(fromTag->GetClass(), c.cls) << name.toStdString();
        }
    }
    EXPECT_EQ(CreateCustomControl("Button"), nullptr);
    EXPECT_EQ(CreateCustomControl("QuorvantMouseDevice"), nullptr);
}

TEST_F(SkinControlsTest, CircleProgressSweepsClockwiseFromStraightDown) {
    auto* ring = new CCircleProgressUI;
    ring->setFixedSize(100, 100);
    ring->SetAttribute("bkcolor", "#FF202020");
    ring->SetAttribute("forecolor", "#FF38D6C4");
    ring->SetMinValue(0);
    ring->SetMaxValue(100);
    ring->SetValue(25);
    Root()->Add(ring);
    EXPECT_EQ(ring->SweepDegrees(), 90);
    const QImage image = Picture(ring, "circle_progress_25");
    const QColor fore(0x38, 0xD6, 0xC4), back(0x20, 0x20, 0x20), white(255, 255, 255);
    // Points on the ring, 45 pixels out from the centre.
    EXPECT_EQ(image.pixelColor(28, 89), fore);   // the quarter from 6 to 9 o'clock
    EXPECT_EQ(image.pixelColor(9, 60), fore);
    EXPECT_EQ(image.pixelColor(72, 89), back);   // counter-clockwise of the start: not swept
    EXPECT_EQ(image.pixelColor(50, 4), back);
    EXPECT_EQ(image.pixelColor(50, 50), white);  // inside the ring

    // The minimum is not taken off the value; an empty range sweeps nothing.
    ring->SetMinValue(50);
    ring->SetValue(75);
    EXPECT_EQ(ring->SweepDegrees(), 360);
    ring->SetMaxValue(50);
    EXPECT_EQ(ring->SweepDegrees(), 0);
}

TEST_F(SkinControlsTest, HandImageButtonDrawsItsPictureAndReportsThePointer) {
    QTemporaryDir dir;
    auto* button = new CHandImgButtonUI;
    button->SetName("hand");
    button->setFixedSize(40, 40);
    button->setStyleSheet("QPushButton { background-color: #000000; border: none; }");
    button->SetAttribute("handimage", "file='" + SolidImage(dir, "hand", Qt::red) + "' dest='20,20,60,60'");
    Root()->Add(button);
    QCoreApplication::processEvents();
    const QImage image = Picture(button, "hand_image_button");
    EXPECT_EQ(image.pixelColor(30, 30), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(10, 10), QColor(Qt::black));

    window->notes.clear();
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(button, &enter);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(button, &leave);
    const std::vector<Note> expected = {{"msenter", "hand"}, {"click", "hand"}, {"msleave", "hand"}};
    EXPECT_EQ(window->notes, expected);
}

TEST_F(SkinControlsTest, HandImageSelectButtonDragsAWindowOfItsPicture) {
    QTemporaryDir dir;
    auto* button = new CHandImgSelectButtonUI;
    button->resize(40, 30);
    Root()->Add(button);
    button->setFixedSize(40, 30);
    const QString picture = SolidImage(dir, "big", Qt::green, false, 100);
    button->SetAttribute("handimage", picture);
    EXPECT_EQ(button->GetImageSize(), QSize(100, 100));
    EXPECT_EQ(button->GetSourceWindow(), QRect(0, 0, 40, 30));
    EXPECT_EQ(button->GetDrawString(), QString("file='%1' source='0,0,40,30'").arg(picture));

    // Dragging the picture left and up moves the window right and down, never out of the picture.
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(30, 20));
    QTest::mouseMove(button, QPoint(10, 15));
    EXPECT_EQ(button->GetSourceWindow(), QRect(20, 5, 40, 30));
    QTest::mouseMove(button, QPoint(-100, -200));
    EXPECT_EQ(button->GetSourceWindow(), QRect(60, 70, 40, 30));
    QTest::mouseMove(button, QPoint(-70, -180));  // back right by 30 and down by 20
    EXPECT_EQ(button->GetSourceWindow(), QRect(30, 50, 40, 30));
    QTest::mouseMove(button, QPoint(200, 200));
    EXPECT_EQ(button->GetSourceWindow(), QRect(0, 0, 40, 30));
    EXPECT_EQ(button->GetDrawString(), QString("file='%1' source='0,0,40,30'").arg(picture));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(200, 200));
    QTest::mouseMove(button, QPoint(0, 0));
    EXPECT_EQ(button->GetSourceWindow(), QRect(0, 0, 40, 30));

    // A picture that does not load keeps the last one.
    button->SetAttribute("handimage", dir.filePath("missing.png"));
    EXPECT_EQ(button->GetImageSize(), QSize(100, 100));
    EXPECT_EQ(button->GetDrawString(), QString("file='%1' source='0,0,40,30'").arg(picture));
    // A picture no larger than the button is drawn whole.
    button->SetAttribute("handimage", SolidImage(dir, "small", Qt::blue, false, 20));
    EXPECT_EQ(button->GetDrawString(), dir.filePath("small.png"));
}

TEST_F(SkinControlsTest, HandImageSelectButtonCursorByName) {
    CHandImgSelectButtonUI button;
    const struct {
        const char* name;
        Qt::CursorShape shape;
    } cases[] = {{"hand", Qt::PointingHandCursor}, {"sizewe", Qt::SizeHorCursor}, {"sizens", Qt::SizeVerCursor},
                 {"sizeall", Qt::SizeAllCursor},   {"no", Qt::ForbiddenCursor},   {"ibeam", Qt::IBeamCursor},
                 {"nonsense", Qt::IBeamCursor}};
    for (const auto& c : cases) {
        button.SetAttribute("cursor", c.name);
        EXPECT_EQ(button.cursor().shape(), c.shape) << c.name;
    }
}

TEST_F(SkinControlsTest, ComboEditRowBuildsItsContentAndAnswersReturn) {
    auto* list = new CListUI;
    list->SetName("macro_list");
    list->setFixedSize(260, 120);
    Root()->Add(list);
    auto* row = new CComboEditContainerElementUI;
    row->SetName("row");
    row->SetAttribute("normalimage", "file='x.png'");
    list->Add(row);
    auto* second = new CComboEditContainerElementUI;
    list->Add(second);
    QCoreApplication::processEvents();
    ASSERT_NE(row->GetText1(), nullptr);
    ASSERT_NE(row->GetText2(), nullptr);
    ASSERT_NE(row->GetDelayEdit(), nullptr);
    EXPECT_EQ(row->GetCount(), 1);
    EXPECT_TRUE(row->GetBkImage().isEmpty());
    EXPECT_NE(second->GetText1(), row->GetText1());  // each row has its own
    EXPECT_EQ(row->GetInterface("ComboEditContainerElement"), static_cast<void*>(row));
    EXPECT_NE(row->GetInterface("ListContainerElement"), nullptr);

    window->notes.clear();
    QTest::keyClick(row, Qt::Key_Return);
    const std::vector<Note> expected = {{"itemactivate", "row"}, {"return", "row"}};
    EXPECT_EQ(window->notes, expected);

    // Ctrl toggles the row's selection.
    QTest::mouseClick(row, Qt::LeftButton, Qt::ControlModifier, QPoint(2, 2));
    EXPECT_EQ(list->GetCurSel(), 0);
    QTest::mouseClick(row, Qt::LeftButton, Qt::ControlModifier, QPoint(2, 2));
    EXPECT_EQ(list->GetCurSel(), -1);
}

TEST_F(SkinControlsTest, ChartBarViewDrawsTheShadowStripAboveTheTexts) {
    QTemporaryDir dir;
    auto* chart = new CChartViewUI;
    chart->setFixedSize(120, 100);
    chart->SetAttribute("bkcolor", "#FF000000");
    chart->SetAttribute("view", "histpgram");
    chart->SetAttribute("shadowimage", SolidImage(dir, "shadow", Qt::cyan));
    chart->SetAttribute("shadowimageheight", "10");
    Root()->Add(chart);
    EXPECT_EQ(chart->ShadowStrip(), QRect(0, 65, 120, 10));
    QImage image = Picture(chart, "chart_bars");
    EXPECT_EQ(image.pixelColor(60, 70), QColor(Qt::cyan));
    EXPECT_EQ(image.pixelColor(60, 80), QColor(Qt::black));
    chart->SetAttribute("showtext", "false");
    EXPECT_EQ(chart->ShadowStrip(), QRect(0, 90, 120, 10));

    // The pie view shows the control only; a shadow image that cannot be drawn is forgotten.
    chart->SetAttribute("view", "pie");
    EXPECT_EQ(Picture(chart).pixelColor(60, 95), QColor(Qt::black));
    chart->SetAttribute("view", "histpgram");
    chart->SetAttribute("shadowimage", dir.filePath("missing.png"));
    Picture(chart);
    EXPECT_TRUE(chart->GetShadowImage().isEmpty());
}

TEST_F(SkinControlsTest, WndKeepsItsWindowOverItsRectangle) {
    auto* host = new CWndUI;
    host->setFixedSize(80, 50);
    Root()->Add(host);
    auto* inner = new QWidget;
    host->Attach(inner);
    QCoreApplication::processEvents();
    EXPECT_EQ(inner->geometry(), QRect(0, 0, 80, 50));
    host->setFixedSize(120, 60);
    QCoreApplication::processEvents();
    EXPECT_EQ(inner->geometry(), QRect(0, 0, 120, 60));
    host->SetVisible(false);
    EXPECT_FALSE(inner->isVisible());
    host->Attach(nullptr);
    EXPECT_EQ(inner->parent(), nullptr);
    delete inner;
}

}  // namespace
}  // namespace orvane::ui::test
