// Building windows from layout files: classes, custom and nested controls, attributes, name rules
// and the failures a caller has to be able to see.
#include "SkinFixture.h"

#include <QDir>

#include "ui/framework/Option.h"

namespace orvane::ui::test {
namespace {

using DialogBuilderTest = SkinTest;

TEST_F(DialogBuilderTest, EveryElementBecomesTheControlItsClassNames) {
    auto window = OpenWindow();
    const struct {
        const char* name;
        const char* cls;
    } cases[] = {
        {"root", "Container"},          {"title", "Label"},          {"plain_label", "Label"},
        {"okbtn", "Button"},            {"rate_option_0", "Option"}, {"check", "Option"},
        {"pages", "TabLayout"},         {"page1", "VerticalLayout"}, {"combo", "Combo"},
        {"slider", "Slider"},           {"edit", "Edit"},            {"list", "List"},
        {"key_panel", "SelectPanel"},   {"key_1", "DeviceKeyButton"}, {"gauge", "Gauge"},
        // The nested layout's root takes the placeholder's name; its own tags resolve through the
        // same callback.
        {"nested_panel", "HorizontalLayout"}, {"nested_label", "Label"}, {"key_2", "DeviceKeyButton"},
    };
    for (const auto& c : cases) {
        CControlUI* control = window->FindControl(c.name);
        ASSERT_NE(control, nullptr) << c.name;
        EXPECT_EQ(control->GetClass(), c.cls) << c.name;
        EXPECT_EQ(control->GetWindow(), window.get()) << c.name;
    }
    EXPECT_EQ(window->FindControl("panel_root"), nullptr);
    EXPECT_EQ(window->FindControl<COptionUI>("okbtn"), nullptr);
}

TEST_F(DialogBuilderTest, InterfacesAnswerForTheClassAndItsBases) {
    auto window = OpenWindow();
    auto* option = window->FindControl<COptionUI>("rate_option_0");
    ASSERT_NE(option, nullptr);
    EXPECT_EQ(option->GetInterface("Option"), static_cast<void*>(option));
    EXPECT_EQ(option->GetInterface("Button"), static_cast<void*>(static_cast<CButtonUI*>(option)));
    EXPECT_EQ(option->GetInterface("Control"), static_cast<void*>(static_cast<CControlUI*>(option)));
    EXPECT_EQ(option->GetInterface("Edit"), nullptr);
}

TEST_F(DialogBuilderTest, LayoutAttributesReachTheControls) {
    auto window = OpenWindow();
    EXPECT_EQ(window->FindControl("key_1")->GetUserData(), "light_4");
    EXPECT_EQ(window->FindControl("gauge")->GetBkColor(), 0xFF102030u);
    EXPECT_TRUE(window->FindControl<COptionUI>("rate_option_0")->IsSelected());
    EXPECT_EQ(window->FindControl<COptionUI>("rate_option_1")->GetGroup(), "rate");
    // Freely placed children are the panel's items, in the order they were made.
    auto* panel = window->FindControl<SelectPanel>("key_panel");
    ASSERT_EQ(panel->GetCount(), 2);
    EXPECT_EQ(panel->GetItemAt(0)->GetName(), "key_1");
    EXPECT_EQ(panel->FindSubControlByName<KeyButton>("key_1"), panel->GetItemAt(0));
}

TEST_F(DialogBuilderTest, WindowTakesTheSizeOfTheLayoutRoot) {
    TestWindow window;
    ASSERT_TRUE(window.Create(nullptr, "sized"));
    EXPECT_EQ(window.size(), QSize(420, 360));
    TestWindow placed;
    ASSERT_TRUE(placed.Create(nullptr, "placed", Qt::FramelessWindowHint, QRect(10, 20, 300, 200)));
    EXPECT_EQ(placed.geometry(), QRect(10, 20, 300, 200));
}

TEST_F(DialogBuilderTest, UnknownClassIsLeftOutAndLogged) {
    auto window = OpenWindow();
    EXPECT_EQ(window->FindControl("stray"), nullptr);
    const auto lines = LogLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("NoSuchControl"), std::string::npos) << lines[0];
}

TEST_F(DialogBuilderTest, LayoutNamesMapToUiFiles) {
    const QString skin = QDir::cleanPath(ORVANE_TEST_SKIN_DIR);
    const struct {
        const char* name;
        QString path;
    } cases[] = {
        {"TEST_MAIN", skin + "/main.ui"},
        {"XML\\Nested\\panel.xml", skin + "/XML/Nested/panel.ui"},
        {"XML\\\\Nested\\\\panel.xml", skin + "/XML/Nested/panel.ui"},
        {"menu.xml", skin + "/menu.ui"},
        {"XML_UNLISTED", skin + "/XML_UNLISTED"},
        {"/opt/skins/setwnd.XML", "/opt/skins/setwnd.ui"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CResourceManager::GetInstance().GetLayoutPath(c.name), c.path) << c.name;
    }
}

TEST_F(DialogBuilderTest, MissingOrBrokenLayoutFailsWithItsReasonLogged) {
    const struct {
        const char* name;
        const char* reason;  // must appear in the log line
    } cases[] = {
        {"TEST_BROKEN", "line"},
        {"TEST_NOT_THERE", "not_there.ui"},
        {"XML\\Nested\\absent.xml", "XML/Nested/absent.ui"},
    };
    for (const auto& c : cases) {
        log_->Clear();
        CDialogBuilder builder;
        EXPECT_EQ(builder.Create(c.name), nullptr) << c.name;
        EXPECT_FALSE(builder.GetLastError().isEmpty()) << c.name;
        const auto lines = LogLines();
        ASSERT_EQ(lines.size(), 1u) << c.name;
        EXPECT_NE(lines[0].find(c.name), std::string::npos) << lines[0];
        EXPECT_NE(lines[0].find(c.reason), std::string::npos) << lines[0];

        TestWindow window(c.name);
        EXPECT_FALSE(window.Create(nullptr, "broken"));
        EXPECT_EQ(window.GetRoot(), nullptr);
    }
}

TEST_F(DialogBuilderTest, MissingResourceListIsReported) {
    EXPECT_FALSE(CResourceManager::GetInstance().LoadResource("absent.xml"));
    ASSERT_EQ(LogLines().size(), 1u);
    EXPECT_NE(LogLines()[0].find("absent.xml"), std::string::npos);
    // The names read before stay usable.
    EXPECT_TRUE(CResourceManager::GetInstance().GetLayoutPath("TEST_MAIN").endsWith("/main.ui"));
}

}  // namespace
}  // namespace orvane::ui::test
