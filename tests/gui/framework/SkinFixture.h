#pragma once
// Shared by the framework tests: the test skin made current, the debug log captured, and a window
// over "TEST_MAIN" that records what it is told.

#include <gtest/gtest.h>

#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/DebugLog.h"
#include "ui/framework/BasicControl.h"
#include "ui/framework/Button.h"
#include "ui/framework/Container.h"
#include "ui/framework/ControlFactory.h"
#include "ui/framework/DialogBuilder.h"
#include "ui/framework/ResourceManager.h"
#include "ui/framework/WindowImplBase.h"

namespace orvane::ui::test {

// Program controls as the skin places them.
class KeyButton : public CButtonUI {
public:
    KeyButton() { SetText("Ok_Text"); }  // a text set by code stays plain inside a layout
    QString GetClass() const override { return "DeviceKeyButton"; }
};

class SelectPanel : public CVerticalLayoutUI {
public:
    QString GetClass() const override { return "SelectPanel"; }
};

class Gauge : public CBasicControlUI {
public:
    QString GetClass() const override { return "Gauge"; }
};

struct Note {
    QString type;
    QString sender;
    WParam wParam = 0;
    LParam lParam = 0;
    bool operator==(const Note&) const = default;
};

inline void PrintTo(const Note& n, std::ostream* os) {
    *os << n.type.toStdString() << "(" << n.sender.toStdString() << ", " << n.wParam << ", " << n.lParam << ")";
}

class TestWindow : public WindowImplBase {
public:
    explicit TestWindow(QString skin = "TEST_MAIN") : skin_(std::move(skin)) {}

    // Notifications in order; focus changes left out unless asked for.
    std::vector<Note> notes;
    bool keepFocusNotes = false;
    std::function<void(TNotifyUI&)> onNotify;
    std::function<LResult(unsigned, WParam, LParam, bool&)> onMessage;
    std::vector<unsigned> messages;  // every message seen, WM_TIMER included
    std::vector<std::string> lifecycle;

protected:
    QString GetSkinFile() const override { return skin_; }
    void InitWindow() override { lifecycle.push_back("InitWindow"); }
    void OnFinalMessage() override { lifecycle.push_back("OnFinalMessage"); }

    void Notify(TNotifyUI& msg) override {
        if (msg.sType == "windowinit") lifecycle.push_back("windowinit");
        const bool focus = msg.sType == "setfocus" || msg.sType == "killfocus";
        if (keepFocusNotes || !focus) {
            notes.push_back({msg.sType, msg.pSender != nullptr ? msg.pSender->GetName() : QString(), msg.wParam, msg.lParam});
        }
        if (onNotify) onNotify(msg);
    }

    LResult HandleCustomMessage(unsigned message, WParam wParam, LParam lParam, bool& handled) override {
        messages.push_back(message);
        if (message == WM_DESTROY) lifecycle.push_back("WM_DESTROY");
        if (onMessage) return onMessage(message, wParam, lParam, handled);
        return WindowImplBase::HandleCustomMessage(message, wParam, lParam, handled);
    }

    CControlUI* CreateControl(const QString& tag) override {
        if (tag.compare("DeviceKeyButton", Qt::CaseInsensitive) == 0) return new KeyButton;
        if (tag.compare("SelectPanel", Qt::CaseInsensitive) == 0) return new SelectPanel;
        if (tag == "NestedPanelUI") return CDialogBuilder().Create("XML\\Nested\\panel.xml", this);
        return nullptr;
    }

private:
    QString skin_;
};

class SkinTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto& resources = CResourceManager::GetInstance();
        resources.SetResourcePath(ORVANE_TEST_SKIN_DIR);
        ASSERT_TRUE(resources.LoadResource());
        CControlFactory::GetInstance().RegistControl("CGaugeUI", [] { return new Gauge; });
        previousSink_ = SetDebugSink(log_);
    }

    void TearDown() override {
        SetDebugSink(previousSink_);
        CResourceManager::GetInstance().Release();
    }

    // A window over TEST_MAIN, created and shown.
    std::unique_ptr<TestWindow> OpenWindow() {
        auto window = std::make_unique<TestWindow>();
        EXPECT_TRUE(window->Create(nullptr, "test"));
        window->ShowWindow();
        return window;
    }

    std::vector<std::string> LogLines() const { return log_->Lines(); }

    std::shared_ptr<CapturingDebugSink> log_ = std::make_shared<CapturingDebugSink>();

private:
    std::shared_ptr<DebugSink> previousSink_;
};

}  // namespace orvane::ui::test
