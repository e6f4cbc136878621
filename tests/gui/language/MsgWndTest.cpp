// The message box: what each way of closing it answers, what it shows in either language, its DPI
// rule, and a box whose layout is missing.
#include "LanguageFixture.h"

#include <QTest>
#include <QTimer>

#include <functional>

#include "app/Language.h"
#include "ui/dialogs/MsgWnd.h"
#include "ui/framework/Button.h"
#include "ui/framework/Label.h"

namespace orvane::app::test {
namespace {

// Another window of the program (the main window, say); unlike a box it does not delete itself.
class OtherWindow : public ui::WindowImplBase {
protected:
    QString GetSkinFile() const override { return "XML_MSG"; }
};

class MsgWndTest : public LanguageFixture {
protected:
    static ui::CMsgWnd* OpenBox() {
        for (ui::WindowImplBase* window : ui::WindowImplBase::Windows()) {
            auto* box = dynamic_cast<ui::CMsgWnd*>(window);
            if (box != nullptr && !box->IsClosed()) return box;
        }
        return nullptr;
    }

    // ShowMessageBox, with `answer` run on the box once it is up. A box the answer left open is
    // closed after a while, so a fault fails the test instead of hanging it.
    int Show(const std::function<void(ui::CMsgWnd&)>& answer, const QString& text = "message_text_22",
             bool withCancel = true, bool textIsKey = true, const QString& title = {}, int dpi = 96) {
        bool answered = false;
        QTimer::singleShot(0, [&] {
            if (ui::CMsgWnd* box = OpenBox()) {
                answered = true;
                answer(*box);
            }
        });
        bool leftOpen = false;
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [&] {
            if (ui::CMsgWnd* box = OpenBox()) {
                leftOpen = true;
                box->Close(0);
            }
        });
        watchdog.start(5000);
        const int result = ui::ShowMessageBox(nullptr, title, text, dpi, textIsKey, withCancel);
        EXPECT_TRUE(answered) << "the box never came up";
        EXPECT_FALSE(leftOpen) << "the answer did not close the box";
        return result;
    }

    static void Click(ui::CMsgWnd& box, const char* name) {
        auto* button = box.FindControl<ui::CButtonUI>(name);
        ASSERT_NE(button, nullptr) << name;
        button->click();
    }

    static QString TextOf(ui::CMsgWnd& box, const char* name) {
        ui::CControlUI* control = box.FindControl(name);
        return control != nullptr ? control->GetText() : QString("<no %1>").arg(name);
    }
};

TEST_F(MsgWndTest, OnlyTheConfirmButtonAnswersOne) {
    const struct {
        const char* how;
        bool withCancel;
        std::function<void(ui::CMsgWnd&)> answer;
        int expected;
    } cases[] = {
        {"confirm, message", false, [](ui::CMsgWnd& b) { Click(b, "confirm_btn"); }, 1},
        {"confirm, question", true, [](ui::CMsgWnd& b) { Click(b, "confirm_btn"); }, 1},
        {"cancel", true, [](ui::CMsgWnd& b) { Click(b, "cancel_btn"); }, 0},
        {"close button", true, [](ui::CMsgWnd& b) { Click(b, "closebtn"); }, 0},
        {"close button, message", false, [](ui::CMsgWnd& b) { Click(b, "closebtn"); }, 0},
        {"Escape", true, [](ui::CMsgWnd& b) { QTest::keyClick(&b, Qt::Key_Escape); }, 0},
        {"window system", true, [](ui::CMsgWnd& b) { b.close(); }, 0},
        // A hidden cancel button cannot answer; the box stays until confirmed.
        {"hidden cancel, then confirm", false,
         [](ui::CMsgWnd& b) {
             Click(b, "cancel_btn");
             EXPECT_FALSE(b.IsClosed());
             Click(b, "confirm_btn");
         },
         1},
    };
    for (const auto& c : cases) EXPECT_EQ(Show(c.answer, "message_text_22", c.withCancel), c.expected) << c.how;
    EXPECT_EQ(OpenBox(), nullptr);
}

TEST_F(MsgWndTest, ShowsTheMessageInTheCurrentLanguage) {
    const struct {
        const char* language;
        QString title;
        QString text;
        bool textIsKey;
        bool withCancel;
        const char* shownTitle;
        const char* shownText;
        const char* confirm;
        const char* cancel;
    } cases[] = {
        {"lan_en.xml", "", "message_text_22", true, true, "Notice",
         "Restore the default settings? The current profile will be overwritten.", "OK", "Cancel"},
        {"lan_cn.xml", "", "message_text_22", true, true, "提示", "确定恢复默认设置吗？当前配置将被覆盖。", "确定", "取消"},
        {"lan_cn.xml", "", "message_text_6", true, false, "提示", "至少需要保留一个按键为鼠标左键。", "确定", nullptr},
        // A text the caller formatted is shown as it stands, even when it looks like a key.
        {"lan_en.xml", "", "message_text_5", false, false, "Notice", "message_text_5", "OK", nullptr},
        {"lan_cn.xml", "Profile", "请删除 3 个宏步骤", false, false, "Profile", "请删除 3 个宏步骤", "确定", nullptr},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(ui::CResourceManager::GetInstance().LoadLanguage(c.language));
        Show(
            [&](ui::CMsgWnd& box) {
                EXPECT_EQ(TextOf(box, "MessageTitle"), QString::fromUtf8(c.shownTitle)) << c.shownText;
                EXPECT_EQ(TextOf(box, "MessageText"), QString::fromUtf8(c.shownText));
                EXPECT_EQ(TextOf(box, "confirm_btn"), QString::fromUtf8(c.confirm)) << c.shownText;
                EXPECT_TRUE(box.FindControl("confirm_btn")->IsVisible()) << c.shownText;
                EXPECT_EQ(box.FindControl("cancel_btn")->IsVisible(), c.cancel != nullptr) << c.shownText;
                if (c.cancel != nullptr) {
                    EXPECT_EQ(TextOf(box, "cancel_btn"), QString::fromUtf8(c.cancel));
                }
                box.Close(0);
            },
            c.text, c.withCancel, c.textIsKey, c.title);
    }
}

TEST_F(MsgWndTest, EveryMessageFitsTheBoxInEnglishAndChinese) {
    const char* keys[] = {"message_text_4", "message_text_5", "message_text_5_1", "message_text_5_2", "message_text_6",
                          "message_text_7", "message_text_9", "message_text_16", "message_text_22"};
    LanguageSwitch languages;
    for (int language : {0, 1}) {  // English and Chinese with their font sets
        ASSERT_TRUE(languages.ApplyLanguage(language));
        for (const char* key : keys) {
            auto* box = new ui::CMsgWnd;
            ASSERT_TRUE(box->Create(nullptr, "msgwnd"));
            box->SetMessage({}, key, true);
            box->ShowWindow();
            QCoreApplication::processEvents();
            auto* label = box->FindControl<ui::CLabelUI>("MessageText");
            ASSERT_NE(label, nullptr);
            EXPECT_NE(label->text(), key);
            EXPECT_LE(label->heightForWidth(label->width()), label->height())
                << key << " in language " << language << " is cut off: " << label->text().toStdString();
            box->Close(0);
        }
    }
}

TEST_F(MsgWndTest, ADpiOtherThanTheBoxsIsSetForEveryWindowWhenSupported) {
    OtherWindow other;
    ASSERT_TRUE(other.Create(nullptr, "other"));
    const struct {
        int requested;
        int expected;
        bool error;
    } cases[] = {
        {144, 144, false}, {192, 192, false}, {48, 48, false}, {96, 96, false},
        {100, 96, true},   {0, 96, true},     {-120, 96, true}, {960, 96, true},
    };
    for (const auto& c : cases) {
        other.SetDPI(72);
        log_->Clear();
        int boxDpi = 0;
        Show([&](ui::CMsgWnd& box) { boxDpi = box.GetDPI(); box.Close(0); }, "message_text_22", false, true, {},
             c.requested);
        EXPECT_EQ(boxDpi, c.expected) << c.requested;
        // The box starts at 96: asking for 96 changes no other window.
        EXPECT_EQ(other.GetDPI(), c.requested == 96 ? 72 : c.expected) << c.requested;
        EXPECT_EQ(Logged("MSG_WND DPI SET ERROR"), c.error) << c.requested << "\n" << LogText();
    }
}

TEST_F(MsgWndTest, AMissingLayoutAnswersZeroAtOnceAndSaysWhy) {
    WriteProgramFile("skin/res.xml", R"(<resources><layout name="XML_MSG" file="absent.ui"/></resources>)");
    ASSERT_TRUE(ui::CResourceManager::GetInstance().LoadResource());
    EXPECT_EQ(ui::ShowMessageBox(nullptr, {}, "message_text_22", 96, true, true), 0);
    EXPECT_EQ(OpenBox(), nullptr);
    EXPECT_TRUE(Logged("XML_MSG")) << LogText();
}

}  // namespace
}  // namespace orvane::app::test
