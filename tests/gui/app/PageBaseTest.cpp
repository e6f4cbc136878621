// The device page base: what it binds of its picture, the identity setters' side effects, and how
// light colours reach the light buttons.
#include <gtest/gtest.h>

#include <QPaintEvent>
#include <QTest>
#include <QWidget>

#include <map>

#include "light/LightColor.h"
#include "pages/CQuorvantMousePadDevice.h"
#include "pages/NumberedName.h"
#include "ui/controls/DeviceKeyButton.h"
#include "ui/controls/SelectPanel.h"

namespace orvane {
namespace {

TEST(NumberedName, SplitsAtTheLastUnderscoreAndReadsTheNumberLikeTheCLibrary) {
    struct Case {
        const char* text;
        const char* prefix;  // nullptr: no split
        int number;
    };
    const Case cases[] = {
        {"key_3", "key_", 3},          {"KEY_12", "KEY_", 12},     {"light_0_4", "light_0_", 4},
        {"key_ 7x", "key_", 7},        {"light_-2", "light_", -2}, {"key_", "key_", 0},
        {"key_abc", "key_", 0},        {"noname", nullptr, 0},     {"key_99999999999", "key_", INT_MAX},
        {"key_butt_keysave", "key_butt_", 0},
    };
    for (const Case& c : cases) {
        const auto split = SplitNumberedName(c.text);
        ASSERT_EQ(split.has_value(), c.prefix != nullptr) << c.text;
        if (!split) continue;
        EXPECT_EQ(split->prefix.toStdString(), c.prefix) << c.text;
        EXPECT_EQ(split->number, c.number) << c.text;
    }
    EXPECT_TRUE(SplitNumberedName("KEY_3")->HasPrefix("key_"));
}

// A page with a picture: a select panel holding the given key buttons (name, user data).
class PageWithPicture : public ::testing::Test {
protected:
    ui::CDeviceKeyButtonUI* AddButton(const char* name, const char* userData) {
        auto* button = new ui::CDeviceKeyButtonUI(panel_);
        button->SetName(name);
        button->SetUserData(userData);
        return button;
    }
    void Bind(int keys, int lights) {
        page_.SetPageName("XML\\DeviceXml\\mousepaddevice.xml");
        page_.SetKeyButtonCount(keys);
        page_.SetLightCount(lights);
        page_.InitPage();
    }

    CQuorvantUSBDevice page_;
    ui::CSelectPanelUI* panel_ = [this] {
        auto* panel = new ui::CSelectPanelUI;
        page_.Add(panel);
        return panel;
    }();
};

TEST_F(PageWithPicture, BindsKeyButtonsByNameAndLightButtonsByUserData) {
    auto* key7 = AddButton("key_7", "");
    auto* key3 = AddButton("KEY_3", "");
    auto* both = AddButton("key_2", "light_4");
    auto* light9 = AddButton("pad_light_9", "light_9");
    Bind(5, 6);
    EXPECT_EQ(page_.GetSelectPanel(), panel_);
    EXPECT_EQ(page_.GetKeyButton(3), key3);
    EXPECT_EQ(page_.GetKeyButton(2), both);
    EXPECT_EQ(page_.GetLightButton(4), both);
    for (int i = 0; i < 5; ++i) EXPECT_NE(page_.GetKeyButton(i), key7) << "key_7 is beyond 5 key buttons";
    for (int i = 0; i < 6; ++i) EXPECT_NE(page_.GetLightButton(i), light9);
    // A bound light starts white at full strength.
    EXPECT_TRUE(both->IsTintEnabled());
    EXPECT_EQ(both->GetTintColor(), 0xFFFFFFu);
    EXPECT_EQ(both->GetTintLevel(), 255);
}

TEST_F(PageWithPicture, APageWithoutANameBindsNothing) {
    AddButton("key_1", "light_1");
    page_.SetKeyButtonCount(4);
    page_.SetLightCount(4);
    page_.InitPage();
    EXPECT_EQ(page_.GetKeyButtonCount(), 0);
    EXPECT_EQ(page_.GetLightCount(), 0);
    EXPECT_EQ(page_.GetKeyButton(1), nullptr);
    EXPECT_EQ(page_.GetLightButton(1), nullptr);
}

TEST_F(PageWithPicture, LightColoursPaintTheLightButtons) {
    auto* light = AddButton("pad_light_1", "light_1");
    Bind(0, 3);
    // Colours are red, green, blue, alpha from the low byte; the tint takes red, blue, green.
    page_.SetLightColor(1, 0x80'30'20'10);
    page_.SetLightColor(3, 0xFFFFFFFF);  // beyond the lights: ignored
    EXPECT_EQ(page_.GetLightColor(3), 0u);
    page_.PaintLightButtons();
    EXPECT_EQ(light->GetTintColor(), 0x20'30'10u);
    EXPECT_EQ(light->GetTintLevel(), 0x80);

    page_.SetLightingEnabled(false);
    page_.SetLightColor(1, 0xFF'00'00'FF);
    page_.PaintLightButtons();
    EXPECT_EQ(light->GetTintColor(), 0x20'30'10u) << "nothing is painted while lighting is off";

    // Setting the light count again, even to the same value, clears every colour and area light.
    page_.SetAreaLights(std::vector<LightListEntry>(3, LightListEntry{{1, 2, 3, 0, 0, 9, 9, 9}, 1}));
    page_.SetLightCount(3);
    EXPECT_EQ(page_.GetLightColor(1), 0u);
    for (const LightListEntry& area : page_.GetAreaLights()) EXPECT_EQ(area, LightListEntry{});
    EXPECT_EQ(page_.GetAreaLights().size(), 3u);
}

// Counts the paint events of the widgets it watches and the area they cover.
class PaintWatch : public QObject {
public:
    void Watch(QWidget* widget) { widget->installEventFilter(this); }
    void Clear() {
        paints.clear();
        areas.clear();
    }
    std::map<const QObject*, int> paints;
    std::map<const QObject*, QRegion> areas;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::Paint) {
            ++paints[watched];
            areas[watched] += static_cast<QPaintEvent*>(e)->region();
        }
        return false;
    }
};

TEST_F(PageWithPicture, APaintPassRepaintsOnlyTheLightsWhoseColourChanged) {
    ui::CDeviceKeyButtonUI* lights[] = {AddButton("a", "light_0"), AddButton("b", "light_1"), AddButton("c", "light_2")};
    for (int i = 0; i < 3; ++i) lights[i]->setGeometry(10 + 40 * i, 10, 20, 40);
    Bind(0, 3);
    page_.resize(200, 80);
    panel_->setMinimumSize(200, 80);
    page_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page_));
    page_.PaintLightButtons();
    QTest::qWait(30);

    PaintWatch watch;
    watch.Watch(panel_);
    for (auto* light : lights) watch.Watch(light);
    page_.SetLightColor(1, MakeLightColor({0, 0, 255}, 200));
    page_.SetLightColor(2, page_.GetLightColor(2));  // the same colour again
    page_.PaintLightButtons();
    QTest::qWait(30);
    EXPECT_EQ(lights[1]->GetTintLevel(), 200);
    EXPECT_GE(watch.paints[lights[1]], 1);
    EXPECT_EQ(watch.paints[lights[0]], 0);
    EXPECT_EQ(watch.paints[lights[2]], 0);
    // The picture behind is repainted only where the changed light lies.
    EXPECT_TRUE(lights[1]->geometry().contains(watch.areas[panel_].boundingRect()))
        << "panel repainted over " << watch.areas[panel_].boundingRect().width() << " px";

    watch.Clear();
    page_.PaintLightButtons();  // nothing changed
    QTest::qWait(30);
    EXPECT_TRUE(watch.paints.empty());
}

TEST_F(PageWithPicture, ThePreviewIsShownOnlyOnScreenWithLightingOn) {
    Bind(0, 1);
    EXPECT_FALSE(page_.IsPreviewShown()) << "never shown yet";
    page_.resize(100, 50);
    page_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page_));
    EXPECT_TRUE(page_.IsPreviewShown());
    page_.SetWindowActive(false);  // another window is active and the pointer is elsewhere
    EXPECT_FALSE(page_.IsPreviewShown());
    page_.SetWindowActive(true);
    page_.SetLightingEnabled(false);
    EXPECT_FALSE(page_.IsPreviewShown());
    page_.SetLightingEnabled(true);
    page_.showMinimized();
    EXPECT_FALSE(page_.IsPreviewShown());
    page_.showNormal();
    EXPECT_TRUE(page_.IsPreviewShown());
    page_.hide();
    EXPECT_FALSE(page_.IsPreviewShown());
}

TEST(PageIdentity, TheDeviceRecordSetsKindAndSubKind) {
    CQuorvantMousePadDevice page;
    DeviceRecord record = SupportedInterfaces()[4];
    record.path = "sim/hidraw9&vid_0c45&pid_6627&mi_01&col04";
    page.SetDeviceRecord(record);
    EXPECT_EQ(page.GetDeviceKind(), kDeviceMousePad);
    EXPECT_EQ(page.GetDeviceSubKind(), kRoleCommand);
    EXPECT_EQ(page.GetDeviceRecord().path, record.path);
    EXPECT_FALSE(page.IsChannelOpen());
}

}  // namespace
}  // namespace orvane
