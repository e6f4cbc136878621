// Pictures of the key assignment panel on each function page and of the macro panel with a
// recorded macro and during a recording, in English and in Chinese, at the window's size. They go
// to ORVANE_SCREENSHOT_DIR when it is set (to look at them), else into the test's HOME.
#include "MacroEditorFixture.h"
#include "tests/gui/ScreenshotFolder.h"

#include <linux/input-event-codes.h>

#include <QDir>
#include <QImage>

namespace orvane::test {
namespace {

class EditorScreenshotTest : public MacroEditorTest {
protected:
    void Shoot(const QString& name) {
        const QString folder = ScreenshotFolder();
        QCoreApplication::processEvents();
        const QImage picture = Window().grab().toImage();
        EXPECT_EQ(picture.size(), QSize(app::CMainWnd::kWidth, app::CMainWnd::kHeight)) << name.toStdString();
        EXPECT_TRUE(picture.save(folder + "/" + name + ".png")) << name.toStdString();
    }

    void UseLanguage(const char* file) {
        auto& resources = ui::CResourceManager::GetInstance();
        ASSERT_TRUE(resources.LoadLanguage(file));
        resources.ReloadText();
    }
};

TEST_F(EditorScreenshotTest, EachKeyPageAndTheMacroPanelInBothLanguages) {
    OpenMacroTab();
    Click("macro_btn_name_add");
    ChooseMenuItem("left_click");
    Click("macro_btn_starredio");
    Key(KEY_LEFTCTRL, true);
    Key(KEY_C, true);
    QTest::qWait(120);
    Key(KEY_C, false);
    Key(KEY_LEFTCTRL, false);
    for (const char* language : {"lan_en.xml", "lan_cn.xml"}) {
        UseLanguage(language);
        const QString suffix = QString(language).mid(4, 2);
        Shoot("macro_recording_" + suffix);
    }
    QTest::mouseClick(Find<ui::CControlUI>("macro_btn_stopredio")->GetWidget(), Qt::LeftButton);
    Find<ui::CListUI>("macro_action_list")->SelectItem(2, false);
    for (const char* language : {"lan_en.xml", "lan_cn.xml"}) {
        UseLanguage(language);
        Shoot("macro_recorded_" + QString(language).mid(4, 2));
    }

    Find<ui::COptionUI>("key_Op_tab")->SetSelected(true);
    Page()->GetKeyButton(1)->click();
    CKeySetControlUI& keys = *Page()->GetKeySetItem();
    for (const char* language : {"lan_en.xml", "lan_cn.xml"}) {
        UseLanguage(language);
        for (int page = kPageDefault; page <= kPageSpecial; ++page) {
            Find<ui::CComboUI>("keyset_function_combo")->SelectItem(keys.FindPageEntry(page));
            Shoot(QString("keys_page_%1_%2").arg(page, 2, 10, QChar('0')).arg(QString(language).mid(4, 2)));
        }
    }
}

}  // namespace
}  // namespace orvane::test
