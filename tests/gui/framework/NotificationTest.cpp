// What each control raises into its window's Notify, and in which order.
#include "SkinFixture.h"

#include <algorithm>

#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QTest>

#include "ui/framework/ColorPalette.h"
#include "ui/framework/Combo.h"
#include "ui/framework/Edit.h"
#include "ui/framework/List.h"
#include "ui/framework/Option.h"
#include "ui/framework/Slider.h"
#include "ui/framework/TabLayout.h"

namespace orvane::ui::test {
namespace {

class NotificationTest : public SkinTest {
protected:
    void SetUp() override {
        SkinTest::SetUp();
        window = OpenWindow();
        QCoreApplication::processEvents();  // "windowinit"
        window->notes.clear();
    }

    template <class T>
    T* Find(const char* name) {
        auto* control = window->FindControl<T>(name);
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    void Click(const char* name) { QTest::mouseClick(Find<CControlUI>(name)->GetWidget(), Qt::LeftButton); }

    static void FocusOut(QWidget* w) {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(w, &out);
    }

    std::unique_ptr<TestWindow> window;
};

TEST_F(NotificationTest, ClicksRaiseClickThenTheStateChange) {
    const struct {
        const char* what;
        const char* clicked;
        std::vector<Note> expected;
    } cases[] = {
        {"button", "okbtn", {{"click", "okbtn"}}},
        {"grouped option", "rate_option_1", {{"click", "rate_option_1"}, {"selectchanged", "rate_option_1", 1}}},
        {"selected grouped option stays selected", "rate_option_1", {{"click", "rate_option_1"}}},
        {"check box on", "check", {{"click", "check"}, {"selectchanged", "check", 1}}},
    };
    for (const auto& c : cases) {
        window->notes.clear();
        Click(c.clicked);
        EXPECT_EQ(window->notes, c.expected) << c.what;
    }
}

TEST_F(NotificationTest, GroupKeepsOneOptionSelectedAndFollowsTheBoundTab) {
    auto* first = Find<COptionUI>("rate_option_0");
    auto* second = Find<COptionUI>("rate_option_1");
    auto* pages = Find<CTabLayoutUI>("pages");

    Click("rate_option_1");
    EXPECT_TRUE(second->IsSelected());
    EXPECT_FALSE(first->IsSelected());
    EXPECT_EQ(pages->GetCurSel(), 1);

    // The option a group switches off raises nothing.
    window->notes.clear();
    first->SetSelected(true);
    EXPECT_EQ(window->notes, (std::vector<Note>{{"selectchanged", "rate_option_0", 1}}));
    EXPECT_FALSE(second->IsSelected());
    EXPECT_EQ(pages->GetCurSel(), 0);

    window->notes.clear();
    second->SetSelected(true, false);
    EXPECT_TRUE(window->notes.empty());
    EXPECT_FALSE(first->IsSelected());
}

TEST_F(NotificationTest, CheckBoxTogglesAndReportsBothStates) {
    Click("check");
    Click("check");
    EXPECT_EQ(window->notes, (std::vector<Note>{{"click", "check"},
                                                 {"selectchanged", "check", 1},
                                                 {"click", "check"},
                                                 {"selectchanged", "check", 0}}));
    EXPECT_FALSE(Find<COptionUI>("check")->IsSelected());
}

TEST_F(NotificationTest, ComboRaisesItemSelectUnlessSelectedQuietly) {
    auto* combo = Find<CComboUI>("combo");
    ASSERT_EQ(combo->GetCurSel(), 0);
    EXPECT_EQ(combo->GetItemUserData(1), "b");

    QTest::keyClick(combo, Qt::Key_Down);  // the user picks the next entry
    combo->SelectItem1(2);
    combo->SelectItem(0);
    EXPECT_EQ(window->notes, (std::vector<Note>{{"itemselect", "combo", 1, 0}, {"itemselect", "combo", 0, 2}}));

    // Items added by code keep "no selection".
    window->notes.clear();
    CComboUI fresh;
    fresh.AddItem("one", "1");
    fresh.AddItem("two", "2");
    EXPECT_EQ(fresh.GetCurSel(), -1);
    EXPECT_EQ(fresh.GetItemUserData(1), "2");
}

TEST_F(NotificationTest, SliderReportsMovesWhileDraggedAndTheValueOnRelease) {
    auto* slider = Find<CSliderUI>("slider");
    slider->SetValue(10);  // code: quiet
    slider->setSliderDown(true);
    slider->setSliderPosition(30);
    slider->setSliderPosition(31);
    slider->setSliderDown(false);
    QTest::keyClick(slider, Qt::Key_Right);
    EXPECT_EQ(window->notes, (std::vector<Note>{{"movevaluechanged", "slider", 30},
                                                 {"movevaluechanged", "slider", 31},
                                                 {"valuechanged", "slider", 31},
                                                 {"valuechanged", "slider", 32}}));
}

TEST_F(NotificationTest, EditReportsTypingReturnAndFocusLossWithinItsRange) {
    auto* edit = Find<CEditUI>("edit");
    edit->SetText("");
    QTest::keyClicks(edit, "2x0");  // digits only: the x is refused
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(edit->GetText(), "100");  // below the minimum
    QTest::keyClicks(edit, "000");
    window->keepFocusNotes = true;
    FocusOut(edit);
    EXPECT_EQ(edit->GetText(), "16000");  // above the maximum, brought into range before "killfocus"
    EXPECT_EQ(window->notes, (std::vector<Note>{{"textchanged", "edit"},
                                                 {"textchanged", "edit"},
                                                 {"return", "edit"},
                                                 {"textchanged", "edit"},
                                                 {"textchanged", "edit"},
                                                 {"textchanged", "edit"},
                                                 {"killfocus", "edit"}}));
}

TEST_F(NotificationTest, ListSelectsOnPressAndReportsClickAndActivation) {
    auto* list = Find<CListUI>("list");
    for (const char* name : {"row0", "row1", "row2"}) {
        auto* row = new CListLabelElementUI;
        row->SetName(name);
        row->setFixedHeight(30);
        list->Add(row);
    }
    window->resize(420, 600);
    QCoreApplication::processEvents();
    window->notes.clear();

    QWidget* row1 = list->GetItemAt(1)->GetWidget();
    QTest::mouseClick(row1, Qt::LeftButton);
    EXPECT_EQ(list->GetCurSel(), 1);
    EXPECT_EQ(window->notes, (std::vector<Note>{{"itemselect", "list", 1, -1}, {"itemclick", "row1"}}));
    window->notes.clear();
    QTest::mouseDClick(row1, Qt::LeftButton);
    EXPECT_EQ(std::count(window->notes.begin(), window->notes.end(), Note{"itemactivate", "row1"}), 1);
    EXPECT_EQ(row1->property("selected").toBool(), true);

    list->RemoveAt(1);
    EXPECT_EQ(list->GetCurSel(), -1);
    EXPECT_EQ(list->GetCount(), 2);
    EXPECT_EQ(list->GetItemAt(1)->GetName(), "row2");
}

TEST_F(NotificationTest, PaletteReportsThePickedColour) {
    auto* palette = new CColorPaletteUI;
    palette->SetName("palette");
    palette->setFixedSize(60, 40);
    Find<CVerticalLayoutUI>("page0")->Add(palette);
    palette->SetSelectColor(0xFF00FF00);  // code: quiet
    QTest::mouseClick(palette, Qt::LeftButton, {}, QPoint(30, 39));  // bottom edge: no saturation
    EXPECT_EQ(window->notes, (std::vector<Note>{{"colorchanged", "palette", 0xFFFFFFFF}}));
    EXPECT_EQ(palette->GetSelectColor(), 0xFFFFFFFFu);
}

TEST_F(NotificationTest, ContextMenuRaisesMenuOnlyWhenUsed) {
    CControlUI* button = Find<CControlUI>("okbtn");
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(1, 1), QPoint(1, 1));
    QApplication::sendEvent(button->GetWidget(), &request);
    EXPECT_TRUE(window->notes.empty());
    button->SetContextMenuUsed(true);
    QApplication::sendEvent(button->GetWidget(), &request);
    EXPECT_EQ(window->notes, (std::vector<Note>{{"menu", "okbtn"}}));
}

TEST_F(NotificationTest, NothingReachesAWindowFromATreeOutsideIt) {
    CDialogBuilder builder;
    std::unique_ptr<CControlUI> loose(builder.Create("XML\\Nested\\panel.xml", window.get()));
    ASSERT_NE(loose, nullptr);
    EXPECT_EQ(loose->GetWindow(), nullptr);
    loose->SendNotify("click");
    EXPECT_TRUE(window->notes.empty());
}

}  // namespace
}  // namespace orvane::ui::test
