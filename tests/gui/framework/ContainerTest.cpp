// Items of containers, tab layouts and lists: order, insertion, removal.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include "ui/framework/Label.h"
#include "ui/framework/List.h"
#include "ui/framework/TabLayout.h"

namespace orvane::ui::test {
namespace {

CControlUI* Named(CControlUI* control, const char* name) {
    control->SetName(name);
    return control;
}

QStringList Names(const IContainerUI& container) {
    QStringList names;
    for (int i = 0; i < container.GetCount(); ++i) names << container.GetItemAt(i)->GetName();
    return names;
}

template <class Container>
void ExpectInsertionAndRemoval() {
    Container container;
    IContainerUI& items = container;
    items.Add(Named(new CLabelUI, "b"));
    items.AddAt(Named(new CLabelUI, "a"), 0);
    items.AddAt(Named(new CLabelUI, "d"), 99);
    items.AddAt(Named(new CLabelUI, "c"), 2);
    EXPECT_EQ(Names(items), (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(items.GetItemIndex(items.GetItemAt(2)), 2);

    CControlUI* removed = items.GetItemAt(1);
    EXPECT_TRUE(items.Remove(removed));
    EXPECT_FALSE(items.Remove(removed));
    EXPECT_TRUE(items.RemoveAt(0));
    EXPECT_FALSE(items.RemoveAt(5));
    EXPECT_EQ(Names(items), (QStringList{"c", "d"}));
    EXPECT_EQ(container.template FindSubControlByName("b"), nullptr);
    items.RemoveAll();
    EXPECT_EQ(items.GetCount(), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(ContainerTest, ItemsKeepTheirOrderThroughInsertAndRemove) {
    ExpectInsertionAndRemoval<CHorizontalLayoutUI>();
    ExpectInsertionAndRemoval<CVerticalLayoutUI>();
    ExpectInsertionAndRemoval<CTabLayoutUI>();
    ExpectInsertionAndRemoval<CListUI>();
}

TEST(ContainerTest, TabLayoutShowsTheSelectedPage) {
    CTabLayoutUI tabs;
    auto* first = Named(new CLabelUI, "first");
    auto* second = Named(new CLabelUI, "second");
    tabs.Add(first);
    tabs.Add(second);
    EXPECT_TRUE(tabs.SelectItem(second));
    EXPECT_EQ(tabs.GetCurSel(), 1);
    EXPECT_FALSE(tabs.SelectItem(2));
    EXPECT_EQ(tabs.GetCurSel(), 1);
}

TEST(ContainerTest, ListSelectionFollowsTheRowNotTheIndex) {
    CListUI list;
    list.Add(Named(new CListLabelElementUI, "x"));
    list.Add(Named(new CListLabelElementUI, "y"));
    ASSERT_TRUE(list.SelectItem(1));
    list.AddAt(Named(new CListLabelElementUI, "w"), 0);
    EXPECT_EQ(list.GetCurSel(), 2);
    EXPECT_TRUE(dynamic_cast<CListElementUI*>(list.GetItemAt(2))->IsSelected());
    EXPECT_TRUE(list.SelectItem(-1));
    EXPECT_EQ(list.GetCurSel(), -1);
    EXPECT_FALSE(dynamic_cast<CListElementUI*>(list.GetItemAt(2))->IsSelected());
}

}  // namespace
}  // namespace orvane::ui::test
