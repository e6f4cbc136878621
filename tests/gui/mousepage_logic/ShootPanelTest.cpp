// The shooting pattern panel used in the main window: pattern and shot selection, edits saved to
// the user's pattern file as they are left, reset from the factory copy, and import and export of
// whole files byte for byte.
#include "MousePageLogicFixture.h"

#include <QFocusEvent>

#include "editors/ShootControl.h"
#include "profiles/ProfilePaths.h"
#include "ui/framework/Edit.h"
#include "ui/framework/FileDialog.h"
#include "ui/framework/Option.h"

namespace orvane::test {
namespace {

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ShootPanelTest : public MousePageLogicTest {
protected:
    CShootControlUI& Panel() { return *Page()->GetShootPanel(); }
    void Leave(const char* edit, const QString& text) {
        auto* e = Find<ui::CEditUI>(edit);
        e->SetText(text);
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(e, &out);
    }
    void Click(app::CMainWnd& window, const char* name) { window.SendNotify(Find(name), "click"); }
    std::string Factory(int g) const { return DefaultDataFolder() + ShootPatternFileName(g); }
};

TEST_F(ShootPanelTest, EditsAreSavedAsTheyAreLeftAndResetBringsTheFactoryShotBack) {
    app::CMainWnd& window = OpenConnected();
    ASSERT_NE(Page()->GetShootPanel(), nullptr);
    EXPECT_EQ(Panel().SelectedPattern(), 0);
    EXPECT_EQ(Panel().SelectedShot(), 0);
    Find<ui::COptionUI>("shoot_gun_op_2")->SetSelected(true);
    Find<ui::COptionUI>("bullet_op_3")->SetSelected(true);
    EXPECT_EQ(Panel().SelectedPattern(), 2);
    EXPECT_EQ(Find("bullet_select_index")->GetText(), "4");

    const QString towardsRight = Find("bullet_x_check")->GetText();
    Find<ui::COptionUI>("bullet_x_check")->SetSelected(true);
    EXPECT_NE(Find("bullet_x_check")->GetText(), towardsRight) << "the option names the direction it stands for";
    Leave("bullet_x_eidt", "7");
    Leave("bullet_y_eidt", "12");
    Leave("bullet_delay_eidt", "95");
    const std::string user = UserFile(ShootPatternFileName(2));
    const Json::Value saved = JsonFileStore().ReadJsonValue(user);
    EXPECT_EQ(saved["Events"][14]["Action"].asString(), "down");
    EXPECT_EQ(saved["Events"][14]["Button"].asInt(), 7);
    EXPECT_EQ(saved["Events"][15]["Button"].asInt(), 12);
    EXPECT_EQ(saved["Events"][15]["Delay"].asInt(), 95);

    // Next past the last shot stays on it; previous before the first too.
    Panel().SelectShot(29);
    Click(window, "bullet_selected_next");
    EXPECT_EQ(Panel().SelectedShot(), 29);
    Panel().SelectShot(0);
    Click(window, "bullet_selected_prev");
    EXPECT_EQ(Panel().SelectedShot(), 0);

    Panel().SelectShot(3);
    Click(window, "shootdate_reset_btn");
    EXPECT_EQ(ReadBytes(user), ReadBytes(Factory(2)));
    // The controls show the factory values of the same shot.
    const ShotValues factory = ReadShot(JsonFileStore().ReadJsonValue(Factory(2)), 3);
    EXPECT_EQ(Find("bullet_x_eidt")->GetText().toInt(), factory.x);
    EXPECT_EQ(Find("bullet_y_eidt")->GetText().toInt(), factory.y);
    EXPECT_EQ(Find("bullet_delay_eidt")->GetText().toInt(), factory.pauseMs);
    EXPECT_EQ(Find<ui::COptionUI>("bullet_x_check")->IsSelected(), factory.left);
}

TEST_F(ShootPanelTest, ExportAndImportRoundTripTheFilesByteForByte) {
    app::CMainWnd& window = OpenConnected();
    const std::string exported = std::string(std::getenv("HOME")) + "/out.Shoot";
    QString answer = QString::fromStdString(exported);
    const auto previous = ui::SetFileDialogAnswerer([&](const ui::FileDialogRequest&) { return std::optional(answer); });

    Find<ui::COptionUI>("shoot_gun_op_1")->SetSelected(true);
    Click(window, "shootdate_export_btn");
    // Before any edit the factory pattern is what there is to export.
    EXPECT_EQ(ReadBytes(exported), ReadBytes(Factory(1)));

    Find<ui::COptionUI>("shoot_gun_op_3")->SetSelected(true);
    Click(window, "shootdate_import_btn");
    EXPECT_EQ(ReadBytes(UserFile(ShootPatternFileName(3))), ReadBytes(Factory(1)));

    // A file that is not a whole pattern is refused and the user's file kept.
    WriteHomeFile("bad.Shoot", R"({"Events": []})");
    answer = QString(std::getenv("HOME")) + "/bad.Shoot";
    Click(window, "shootdate_import_btn");
    EXPECT_EQ(ReadBytes(UserFile(ShootPatternFileName(3))), ReadBytes(Factory(1)));
    ui::SetFileDialogAnswerer(previous);
}

}  // namespace
}  // namespace orvane::test
