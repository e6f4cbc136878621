// Image strings: their syntax, and what DrawImage puts where.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include "ui/framework/ImageString.h"
#include "ui/framework/Label.h"
#include "ui/framework/ResourceManager.h"

namespace orvane::ui::test {
namespace {

TEST(ImageStringTest, ParsesFileAndParts) {
    const struct {
        const char* text;
        std::optional<ImageString> expected;
    } cases[] = {
        {"power/powered.png", ImageString{"power/powered.png", {}, {}, {}, 255}},
        {"file='power/Phone_type_iphone.png'", ImageString{"power/Phone_type_iphone.png", {}, {}, {}, 255}},
        {"file='a.png' source='0,0,10,20' dest='1,2,3,4' corner='2,3,4,5' fade='128' restype='png'",
         ImageString{"a.png", QRect(0, 0, 10, 20), QRect(QPoint(1, 2), QPoint(2, 3)), QMargins(2, 3, 4, 5), 128}},
        {"res='b.png' source='bad'", ImageString{"b.png", {}, {}, {}, 255}},
        {"", std::nullopt},
        {"source='0,0,1,1'", std::nullopt},
    };
    for (const auto& c : cases) {
        const auto parsed = ImageString::Parse(c.text);
        ASSERT_EQ(parsed.has_value(), c.expected.has_value()) << c.text;
        if (!parsed) continue;
        EXPECT_EQ(parsed->file, c.expected->file) << c.text;
        EXPECT_EQ(parsed->source, c.expected->source) << c.text;
        EXPECT_EQ(parsed->dest, c.expected->dest) << c.text;
        EXPECT_EQ(parsed->corner, c.expected->corner) << c.text;
        EXPECT_EQ(parsed->fade, c.expected->fade) << c.text;
    }
}

TEST(ImageStringTest, AFileNamedAsItStandsParsesBackToThatFile) {
    for (const char* path : {"/home/u/Pictures/sea.png", "/home/u/a=b.png", "/home/u/fade=1 dest=2.png",
                             "/home/u/l'été.png"}) {
        const auto parsed = ImageString::Parse(ImageStringOfFile(path));
        ASSERT_TRUE(parsed.has_value()) << path;
        EXPECT_EQ(parsed->file, QString::fromUtf8(path));
        EXPECT_EQ(parsed->fade, 255) << path;
    }
}

class DrawImageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(skin_.isValid());
        // 4 x 4: left half red, right half blue.
        QImage image(4, 4, QImage::Format_ARGB32);
        image.fill(Qt::red);
        for (int y = 0; y < 4; ++y) {
            for (int x = 2; x < 4; ++x) image.setPixelColor(x, y, Qt::blue);
        }
        ASSERT_TRUE(image.save(skin_.filePath("halves.png")));
        CResourceManager::GetInstance().SetResourcePath(skin_.path());
    }

    static QImage Draw(const QString& imageString, bool* drawn = nullptr) {
        QImage target(8, 8, QImage::Format_ARGB32);
        target.fill(Qt::transparent);
        QPainter painter(&target);
        const bool ok = DrawImage(painter, target.rect(), imageString);
        if (drawn != nullptr) *drawn = ok;
        return target;
    }

    QTemporaryDir skin_;
};

TEST_F(DrawImageTest, SourcePartIsStretchedOverTheRectangle) {
    const QImage out = Draw("file='halves.png' source='2,0,4,4'");
    EXPECT_EQ(out.pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_EQ(out.pixelColor(7, 7), QColor(Qt::blue));
}

TEST_F(DrawImageTest, DestIsRelativeToTheControlAndClipped) {
    const QImage out = Draw("file='halves.png' source='0,0,2,2' dest='4,4,20,20'");
    EXPECT_EQ(out.pixelColor(3, 3).alpha(), 0);
    EXPECT_EQ(out.pixelColor(5, 5), QColor(Qt::red));
    EXPECT_EQ(out.pixelColor(7, 7), QColor(Qt::red));
}

TEST_F(DrawImageTest, StyleSheetsReachSkinFilesThroughTheSkinPrefix) {
    EXPECT_TRUE(QFile::exists("skin:halves.png"));
}

TEST_F(DrawImageTest, MissingFileDrawsNothing) {
    bool drawn = true;
    const QImage out = Draw("file='absent.png'", &drawn);
    EXPECT_FALSE(drawn);
    EXPECT_EQ(out.pixelColor(4, 4).alpha(), 0);
}

TEST_F(DrawImageTest, ControlPaintsBackgroundColourThenImage) {
    CLabelUI label;
    label.resize(8, 8);
    label.SetBkColor(0xFF00FF00);
    EXPECT_EQ(label.grab().toImage().pixelColor(6, 6), QColor(Qt::green));
    label.SetAttribute("bkimage", "file='halves.png' dest='0,0,4,4'");
    const QImage shown = label.grab().toImage();
    EXPECT_EQ(shown.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(shown.pixelColor(6, 6), QColor(Qt::green));
}

}  // namespace
}  // namespace orvane::ui::test
