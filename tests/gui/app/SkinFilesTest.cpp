// The shell's skin files: the names the code looks up are there, every catalogue row's page
// layout builds into its page class, and broken or missing files leave a working window.
#include "ShellFixture.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include "app/MenuWnd.h"
#include "pages/PageCatalogue.h"
#include "ui/framework/TabLayout.h"

namespace orvane::app::test {
namespace {

void CopyFolder(const QString& from, const QString& to) {
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + "/" + QDir(from).relativeFilePath(file);
        QDir().mkpath(QFileInfo(target).path());
        QFile::copy(file, target);
    }
}

TEST_F(ShellTest, MainLayoutHasEveryNameTheWindowLooksUp) {
    LayoutBuilder builder;
    const auto root = builder.Build("XML_MAIN");
    ASSERT_NE(root, nullptr);
    auto* rootControl = dynamic_cast<ui::CControlUI*>(root.get());
    EXPECT_EQ(rootControl->GetName(), "root");
    for (const char* name : {"closebtn", "maxbtn", "restorebtn", "minbtn", "skinbtn", "gamemodebtn", "cloudbtn",
                             "smarteyesbtn", "setbtn", "control_light_status", "device_select_layout",
                             "device_power_switch", "device_switch", "No_device_Link", "nodevice_ok_btn",
                             "setting_progress", "device_updata_layout", "device_updata_switch",
                             "no_close_software_layout", "str_test"}) {
        EXPECT_NE(rootControl->FindSubControlByName(name), nullptr) << name;
    }
    // Entry and page indices agree only while these two hold nothing of their own.
    auto* selector = rootControl->FindSubControlByName<ui::CContainerUI>("device_select_layout");
    auto* pages = rootControl->FindSubControlByName<ui::CTabLayoutUI>("device_switch");
    ASSERT_NE(selector, nullptr);
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(selector->GetCount(), 0);
    EXPECT_EQ(pages->GetCount(), 0);

    const auto menu = builder.Build("menu.xml");
    ASSERT_NE(menu, nullptr);
    EXPECT_NE(dynamic_cast<ui::CControlUI*>(menu.get())->FindSubControlByName("exit"), nullptr);
}

TEST_F(ShellTest, EveryCatalogueRowHasAPageOfItsFamily) {
    struct Expect {
        const char* className;
        int lightButtons;  // light buttons the page binds from its layout
    };
    const Expect expected[kCatalogueRowCount] = {{"QuorvantMouseDevice", 6},
                                                 {"QuorvantKeyboardDevice", 126},
                                                 {"QuorvantMousePadDevice", 15},
                                                 {"QuorvantHS8127Device", 13},
                                                 {"QuorvantKeyboardDevice", 126}};
    CMainWnd& window = Open();
    const auto entries = window.SelectorEntries();
    ASSERT_EQ(entries.size(), kCatalogueRowCount);
    for (size_t row = 0; row < kCatalogueRowCount; ++row) {
        auto* page = dynamic_cast<CQuorvantUSBDevice*>(entries[row]->GetPage());
        ASSERT_NE(page, nullptr) << row;
        // The lookups take the first matching row: both keyboard rows are built from row 1.
        const size_t source = row == 4 ? 1 : row;
        EXPECT_EQ(page->GetClass().toStdString(), expected[row].className) << row;
        EXPECT_EQ(page->GetPageName().toStdString(), PageTemplates()[source].pageXml) << row;
        EXPECT_EQ(page->GetDeviceFolder().toStdString(), Catalogue()[source].folderName) << row;
        EXPECT_EQ(page->GetLightTableIndex(), Catalogue()[source].deviceNumber) << row;
        EXPECT_EQ(page->GetLightCount(), PageTemplates()[source].lightPositions) << row;
        EXPECT_EQ(page->GetMainWindow(), &window) << row;
        EXPECT_NE(page->GetPowerControl(), nullptr) << row;
        EXPECT_EQ(entries[row]->GetBoundTabIndex(), static_cast<int>(row)) << "entry index = page index";
        int lights = 0;
        for (int i = 0; i < page->GetLightCount(); ++i) lights += page->GetLightButton(i) != nullptr;
        EXPECT_EQ(lights, expected[row].lightButtons) << row;
    }
    // Both keyboard pages pair with slot 0.
    for (CQuorvantUSBDevice* page : window.Pages(DeviceFamily::Keyboard)) {
        EXPECT_TRUE(SameInterface(page->GetDeviceRecord(), SupportedInterfaces()[0]));
    }
}

TEST_F(ShellTest, BrokenOrMissingSkinFilesLeaveAWorkingWindow) {
    // A copy of the skin with the mouse page broken, the headset page and the Chinese texts gone.
    QTemporaryDir skin;
    ASSERT_TRUE(skin.isValid());
    CopyFolder(QString(ORVANE_SOURCE_DIR) + "/skin", skin.path());
    {
        QFile page(skin.filePath("XML/DeviceXml/mousedevice1.ui"));
        ASSERT_TRUE(page.open(QIODevice::WriteOnly | QIODevice::Truncate));
        page.write("<ui version=\"4.0\"><widget class=\"QuorvantMouseDevice\"");
    }
    QFile::remove(skin.filePath("XML/DeviceXml/hs8127device.ui"));
    QFile::remove(skin.filePath("lan_cn.xml"));
    auto& resources = ui::CResourceManager::GetInstance();
    resources.Release();
    resources.SetResourcePath(skin.path());
    ASSERT_TRUE(resources.LoadResource());

    Mouse();
    CMainWnd& window = Open();
    EXPECT_TRUE(Logged("device page for \"mouse\" not built"));
    EXPECT_TRUE(Logged("device page for \"HD\" not built"));
    EXPECT_TRUE(window.Pages(DeviceFamily::Mouse).empty());
    EXPECT_EQ(window.Pages(DeviceFamily::MousePad).size(), 1u);
    EXPECT_EQ(window.SelectorEntries().size(), 3u);
    const auto lines = log_->Lines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& l) {
        return l.find("UI language file") != std::string::npos && l.find("lan_cn.xml") != std::string::npos;
    }));
    // The mouse arrives and finds no page: nothing is shown for it, nothing breaks.
    EXPECT_TRUE(Logged("添加一个鼠标设备"));
    EXPECT_EQ(window.GetCurrentPage(), nullptr);
    EXPECT_TRUE(NoDeviceNoticeShown());
    EXPECT_TRUE(window.isVisible());
}

}  // namespace
}  // namespace orvane::app::test
