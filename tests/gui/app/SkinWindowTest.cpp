// The skin window: opened under the skin button, every choice applied to the main window's root
// through the broadcaster, preset and default pictures recorded in main.ini, an own picture
// through the file dialog, and a fresh start with the skin file's own background.
#include "ShellFixture.h"

#include <QImage>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/SkinChange.h"
#include "app/SkinFrame.h"
#include "ui/framework/Button.h"
#include "ui/framework/FileDialog.h"
#include "ui/framework/ImageString.h"
#include "ui/framework/TabLayout.h"

namespace orvane::app::test {
namespace {

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class SkinWindowTest : public ShellTest {
protected:
    void TearDown() override {
        ui::SetFileDialogAnswerer(std::move(previousAnswerer_));
        ShellTest::TearDown();
    }

    CSkinFrame* OpenFrame() {
        auto* button = Window().FindControl<ui::CButtonUI>("skinbtn");
        EXPECT_NE(button, nullptr);
        if (button == nullptr) return nullptr;
        QTest::mouseClick(button, Qt::LeftButton);
        return ShownFrame();
    }

    static CSkinFrame* ShownFrame() {
        for (ui::WindowImplBase* w : ui::WindowImplBase::Windows()) {
            if (auto* frame = dynamic_cast<CSkinFrame*>(w); frame != nullptr && !frame->IsClosed()) return frame;
        }
        return nullptr;
    }

    // The `index`-th control of that name in the frame, in layout order.
    static ui::CButtonUI* Nth(CSkinFrame& frame, const char* name, int index) {
        int seen = 0;
        for (ui::CControlUI* c : ui::ControlsBelow(&frame)) {
            if (c->GetName() == QLatin1String(name) && seen++ == index) return dynamic_cast<ui::CButtonUI*>(c);
        }
        return nullptr;
    }

    ui::CControlUI& Root() { return *Window().FindControl("root"); }

    void AnswerFileDialog(std::optional<QString> answer) {
        auto answerer = [this, answer](const ui::FileDialogRequest& request) {
            asked_.push_back(request);
            return answer;
        };
        ui::FileDialogAnswerer previous = ui::SetFileDialogAnswerer(answerer);
        if (!previousSet_) previousAnswerer_ = std::move(previous);
        previousSet_ = true;
    }

    std::vector<ui::FileDialogRequest> asked_;

private:
    ui::FileDialogAnswerer previousAnswerer_;
    bool previousSet_ = false;
};

TEST_F(SkinWindowTest, OpensUnderTheSkinButtonWithThePicturesShown) {
    CMainWnd& window = Open();
    CSkinFrame* frame = OpenFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->windowTitle(), "skinframe");
    const QWidget* button = window.FindControl("skinbtn")->GetWidget();
    const QPoint corner = button->mapToGlobal(QPoint(button->width(), button->height()));
    EXPECT_EQ(frame->geometry().topRight() + QPoint(1, 0), corner);
    auto* tab = frame->FindControl<ui::CTabLayoutUI>("skin_tab");
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(tab->GetCurSel(), 0);

    QTest::mouseClick(frame->FindControl<ui::CButtonUI>("skin_color"), Qt::LeftButton);
    EXPECT_EQ(tab->GetCurSel(), 1);
    QTest::mouseClick(frame->FindControl<ui::CButtonUI>("skin_image"), Qt::LeftButton);
    EXPECT_EQ(tab->GetCurSel(), 0);
    EXPECT_NE(frame->FindControl("skin_Custom"), nullptr);
    EXPECT_NE(frame->FindControl("skin_reset"), nullptr);
    // Every preset names a picture of the skin that loads; every colour is one.
    int presets = 0;
    for (; ui::CButtonUI* preset = Nth(*frame, "skin_image_btn", presets); ++presets) {
        EXPECT_FALSE(QImage(ui::CResourceManager::GetInstance().GetFilePath(preset->GetUserData())).isNull())
            << preset->GetUserData().toStdString();
    }
    EXPECT_GE(presets, 4);
    EXPECT_FALSE(QImage(ui::CResourceManager::GetInstance().GetFilePath(kDefaultSkinImage)).isNull());
    int colours = 0;
    for (; ui::CButtonUI* colour = Nth(*frame, "skin_color_btn", colours); ++colours) {
        EXPECT_EQ(colour->GetBkColor() >> 24, 0xFFu) << "opaque colour " << colours;
    }
    EXPECT_GE(colours, 8);
}

TEST_F(SkinWindowTest, PicturesAndTheDefaultAreAppliedAndRecordedColoursOnlyApplied) {
    Open();
    CSkinFrame* frame = OpenFrame();
    ASSERT_NE(frame, nullptr);
    const std::string ini = CSkinFrame::MainIniPath();

    ui::CButtonUI* picture = Nth(*frame, "skin_image_btn", 2);
    ASSERT_NE(picture, nullptr);
    QTest::mouseClick(picture, Qt::LeftButton);
    EXPECT_EQ(Root().GetBkImage(), picture->GetUserData());
    EXPECT_EQ(Root().GetBkColor(), 0u);
    EXPECT_EQ(ReadText(ini), "[SKINIMAGE]\nFLAGS=1\nIMAGE=" + picture->GetUserData().toStdString() + "\n");

    QTest::mouseClick(frame->FindControl<ui::CButtonUI>("skin_color"), Qt::LeftButton);
    ui::CButtonUI* colour = Nth(*frame, "skin_color_btn", 4);
    ASSERT_NE(colour, nullptr);
    ASSERT_NE(colour->GetBkColor(), 0u);
    QTest::mouseClick(colour, Qt::LeftButton);
    EXPECT_EQ(Root().GetBkColor(), colour->GetBkColor());
    EXPECT_TRUE(Root().GetBkImage().isEmpty());
    EXPECT_EQ(ReadText(ini), "[SKINIMAGE]\nFLAGS=1\nIMAGE=" + picture->GetUserData().toStdString() + "\n")
        << "a colour is not recorded";

    QTest::mouseClick(frame->FindControl<ui::CButtonUI>("skin_reset"), Qt::LeftButton);
    EXPECT_EQ(Root().GetBkImage(), kDefaultSkinImage);
    EXPECT_EQ(Root().GetBkColor(), 0u);
    EXPECT_EQ(ReadText(ini), "[SKINIMAGE]\nFLAGS=0\nIMAGE=common/background.png\n");
    EXPECT_FALSE(frame->IsClosed()) << "choosing leaves the pop-up open";
}

TEST_F(SkinWindowTest, AnOwnPictureIsAppliedWithItsFullPathAndNotRecorded) {
    CMainWnd& window = Open();
    // '=' in a name must not make the path read as the keys of an image string.
    const std::string picture = std::filesystem::temp_directory_path() / "orvane own=picture.png";
    QImage(8, 8, QImage::Format_RGB32).save(QString::fromStdString(picture));
    const std::string ini = CSkinFrame::MainIniPath();

    AnswerFileDialog(std::nullopt);  // cancelled: nothing changes
    QTest::mouseClick(OpenFrame()->FindControl<ui::CButtonUI>("skin_Custom"), Qt::LeftButton);
    EXPECT_EQ(Root().GetBkImage(), kDefaultSkinImage);
    EXPECT_EQ(ShownFrame(), nullptr) << "the dialog replaces the pop-up";

    AnswerFileDialog(QString::fromStdString(picture));
    QTest::mouseClick(OpenFrame()->FindControl<ui::CButtonUI>("skin_Custom"), Qt::LeftButton);
    const auto shown = ui::ImageString::Parse(Root().GetBkImage());
    ASSERT_TRUE(shown.has_value());
    EXPECT_EQ(shown->file, QString::fromStdString(picture));
    EXPECT_FALSE(QImage(shown->file).isNull());
    EXPECT_FALSE(std::filesystem::exists(ini));
    ASSERT_EQ(asked_.size(), 2u);
    EXPECT_EQ(asked_[1].purpose, ui::FileDialogRequest::Purpose::kOpen);
    EXPECT_EQ(asked_[1].owner, &window);
    std::filesystem::remove(picture);
}

TEST_F(SkinWindowTest, AClickOutsideClosesThePopUpWithoutAChange) {
    CMainWnd& window = Open();
    CSkinFrame* frame = OpenFrame();
    ASSERT_NE(frame, nullptr);
    QPointer<CSkinFrame> alive(frame);
    // Through the window system, where a press outside an open pop-up closes it.
    const QWidget* outside = window.FindControl("device_select_layout")->GetWidget();
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, outside->mapTo(&window, outside->rect().center()));
    EXPECT_TRUE(alive.isNull() || alive->IsClosed());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull()) << "a closed pop-up frees itself";
    EXPECT_EQ(Root().GetBkImage(), kDefaultSkinImage);
    EXPECT_FALSE(std::filesystem::exists(CSkinFrame::MainIniPath()));
}

TEST_F(SkinWindowTest, TheNextStartShowsTheSkinFilesBackgroundWhateverMainIniHolds) {
    Open();
    QTest::mouseClick(Nth(*OpenFrame(), "skin_image_btn", 0), Qt::LeftButton);
    const std::string recorded = ReadText(CSkinFrame::MainIniPath());
    ASSERT_NE(recorded.find("FLAGS=1"), std::string::npos);
    ASSERT_NE(Root().GetBkImage(), kDefaultSkinImage);

    Open();  // a new main window, as after a restart
    EXPECT_EQ(Root().GetBkImage(), kDefaultSkinImage);
    EXPECT_EQ(ReadText(CSkinFrame::MainIniPath()), recorded);
}

TEST_F(SkinWindowTest, TheBroadcasterTellsItsReceiversInOrderAndForgetsTheOnesThatGo) {
    struct Recorder final : SkinChangeReceiver {
        Recorder(std::vector<int>& log, int id) : log_(log), id_(id) {}
        int Receive(SkinChangedParam) override {
            log_.push_back(id_);
            return 0;
        }
        std::vector<int>& log_;
        int id_;
    };
    SkinChangeObserver broadcaster;
    std::vector<int> log;
    Recorder first(log, 1);
    {
        Recorder second(log, 2);
        broadcaster.AddReceiver(&second);
        broadcaster.AddReceiver(&first);
        broadcaster.AddReceiver(nullptr);
        EXPECT_EQ(broadcaster.Broadcast({}), 0);
        EXPECT_EQ(log, (std::vector<int>{2, 1}));
    }
    log.clear();
    broadcaster.Broadcast({});
    EXPECT_EQ(log, std::vector<int>{1}) << "a receiver that went is not called";
}

}  // namespace
}  // namespace orvane::app::test
