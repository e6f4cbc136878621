// The skin files of the custom controls: the names the code looks up, the pictures they name,
// and how they look.
#include "ControlsFixture.h"

#include <QFile>
#include <QRegularExpression>

#include "ui/controls/DeviceOption.h"
#include "ui/controls/MpDevicePower.h"

namespace orvane::ui::test {
namespace {

struct Child {
    const char* name;
    const char* cls;
};

struct SkinFile {
    const char* layout;
    const char* rootClass;
    std::vector<Child> children;
};

const std::vector<Child> kEntryChildren = {
    {"device_select", "Option"}, {"synchro_device_select", "Option"}, {"device_select_name", "Label"}};

const SkinFile kSkinFiles[] = {
    {"common\\device_ico\\4718\\DeviceOption.xml", "DeviceOption", kEntryChildren},
    {"common\\device_ico\\4706\\DeviceOption.xml", "DeviceOption", kEntryChildren},
    {"common\\device_ico\\4760\\DeviceOption.xml", "DeviceOption", kEntryChildren},
    {"XML\\CustomControlXML\\DeviceOption.xml", "DeviceOption", kEntryChildren},
    {"XML\\CustomControlXML\\MpDevicePower.xml", "MpDevicePower",
     {{"device_power_Layout", "HorizontalLayout"}, {"device_power_value", "Label"}, {"device_wuxian_logo", "Control"},
      {"device_power_status", "Control"}, {"device_Power_progress", "Progress"}, {"device_phone_type", "Control"}}},
    {"XML\\CustomControlXML\\ComboEditElementItem.xml", "HorizontalLayout",
     {{"text1", "Label"}, {"text2", "Label"}, {"delay_edit", "Edit"}}},
};

using SkinFilesTest = ControlsTest;

TEST_F(SkinFilesTest, EveryNameTheCodeLooksUpIsThere) {
    for (const SkinFile& file : kSkinFiles) {
        SCOPED_TRACE(file.layout);
        CControlUI* root = Build<CControlUI>(file.layout);
        ASSERT_NE(root, nullptr);
        EXPECT_EQ(root->GetClass(), file.rootClass);
        for (const Child& child : file.children) {
            CControlUI* control = root->FindSubControlByName(child.name);
            ASSERT_NE(control, nullptr) << child.name;
            EXPECT_EQ(control->GetClass(), child.cls) << child.name;
        }
    }
    EXPECT_EQ(LogLines(), std::vector<std::string>{});
}

TEST_F(SkinFilesTest, EveryPictureASkinFileNamesExists) {
    static const QRegularExpression url(R"(url\(skin:([^)]+)\))");
    static const QRegularExpression bkimage(R"re(name="bkimage"[^>]*>\s*<string>([^<]+)</string>)re");
    for (const SkinFile& file : kSkinFiles) {
        QFile ui(CResourceManager::GetInstance().GetLayoutPath(file.layout));
        ASSERT_TRUE(ui.open(QIODevice::ReadOnly)) << file.layout;
        const QString text = QString::fromUtf8(ui.readAll());
        for (const auto* pattern : {&url, &bkimage}) {
            for (auto it = pattern->globalMatch(text); it.hasNext();) {
                const QString picture = it.next().captured(1);
                EXPECT_TRUE(QFile::exists(CResourceManager::GetInstance().GetFilePath(picture)))
                    << file.layout << ": " << picture.toStdString();
                EXPECT_FALSE(QImage(CResourceManager::GetInstance().GetFilePath(picture)).isNull()) << picture.toStdString();
            }
        }
    }
}

TEST_F(SkinFilesTest, EntriesShowTheirDevicePicture) {
    // The picture sits left of the name; the shared entry pictures the pad or the headset by type.
    const struct {
        const char* shot;
        const char* layout;
        int type;
        const char* name;
    } entries[] = {
        {"entry_mouse", "common\\device_ico\\4718\\DeviceOption.xml", 2, "mouse"},
        {"entry_keyboard", "common\\device_ico\\4706\\DeviceOption.xml", 1, "keyboard"},
        {"entry_keyboard4760", "common\\device_ico\\4760\\DeviceOption.xml", 1, "keyboard4760"},
        {"entry_pad", "XML\\CustomControlXML\\DeviceOption.xml", 3, "MousePad"},
        {"entry_headset", "XML\\CustomControlXML\\DeviceOption.xml", 7, "HD"},
    };
    QImage previous;
    for (const auto& e : entries) {
        SCOPED_TRACE(e.shot);
        auto* entry = Build<CDeviceOptionUI>(e.layout);
        ASSERT_NE(entry, nullptr);
        entry->SetDeviceKind(e.type, 0);
        entry->SetDeviceName(e.name);
        const QImage plain = Picture(entry, e.shot);
        entry->SetDeviceSelected(true);
        entry->SetSyncSelected(true);
        const QImage selected = Picture(entry, QString(e.shot) + "_selected");
        EXPECT_EQ(plain.size(), QSize(220, 84));
        // The picture area differs from the empty card, and each device has a picture of its own.
        const QImage picture = plain.copy(10, 10, 64, 64);
        const QColor card = plain.pixelColor(150, 70);
        int drawn = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) drawn += picture.pixelColor(x, y) != card;
        }
        EXPECT_GT(drawn, 300);
        EXPECT_NE(picture, previous);
        previous = picture;
        EXPECT_NE(plain, selected);
    }
}

}  // namespace
}  // namespace orvane::ui::test
