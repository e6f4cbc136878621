#pragma once
// Shared by the shell tests: a temporary HOME, the program's skin made current with its controls
// registered, the debug log captured, and the emulated bus as the only HID backend (empty unless
// the test plugs the mouse). Open() builds the main window the way the program does and waits
// until its first scan has shown it.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QTest>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "online/view/UpdateInfoListItem.h"
#include "app/ControlRegistration.h"
#include "app/MainWnd.h"
#include "app/Startup.h"
#include "device/HidBackend.h"
#include "pages/CQuorvantUSBDevice.h"
#include "platform/DebugLog.h"
#include "sim/SimBus.h"
#include "tests/support/SimMouse.h"
#include "tests/support/TempHome.h"
#include "ui/controls/DeviceOption.h"
#include "ui/framework/Button.h"
#include "ui/framework/DialogBuilder.h"
#include "ui/framework/ResourceManager.h"

namespace orvane::app::test {

using namespace std::chrono_literals;

// A connection name no bus was ever opened under: the window runs without D-Bus.
inline QDBusConnection NoBus() { return QDBusConnection("orvane-test-no-bus"); }

// No bus; a notification area unless the test says otherwise.
inline ShellServices TestServices(QDBusConnection sessionBus = NoBus(), bool trayAvailable = true) {
    return ShellServices{std::move(sessionBus), NoBus(), trayAvailable};
}

// A notification as the window's controls raise it, from the window's control of that name or,
// when it has none, from a button of that name made for it.
inline void Raise(CMainWnd& window, const QString& type, const QString& sender) {
    auto* control = window.FindControl(sender);
    if (control == nullptr) {
        control = new ui::CButtonUI(window.GetRoot()->GetWidget());
        control->SetName(sender);
    }
    window.SendNotify(control, type);
}

// Builds layouts the way the main window does, tags and nested files included; the settings
// window's own list row too.
class LayoutBuilder final : public ui::IDialogBuilderCallback {
public:
    ui::CControlUI* CreateControl(const QString& tag) override {
        if (tag.compare("UpdateInfoListItemUI", Qt::CaseInsensitive) == 0) return new online::CUpdateInfoListItemUI;
        return CreateProgramControl(tag, this);
    }
    std::unique_ptr<QWidget> Build(const QString& layout) {
        ui::CControlUI* root = ui::CDialogBuilder().Create(layout, this);
        return std::unique_ptr<QWidget>(root != nullptr ? root->GetWidget() : nullptr);
    }
};

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        home_ = std::make_unique<orvane::test::TempHome>();
        previousBackend_ = ActiveHidBackend();
        SetActiveHidBackend(std::make_shared<sim::SimBus>());
        previousSink_ = SetDebugSink(log_);
        auto& resources = ui::CResourceManager::GetInstance();
        resources.SetResourcePath(QString(ORVANE_SOURCE_DIR) + "/skin");
        ASSERT_TRUE(resources.LoadResource());
        RegisterProgramControls();
    }

    void TearDown() override {
        window_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        mouse_.reset();
        SetActiveHidBackend(previousBackend_);
        SetDebugSink(previousSink_);
        ui::CResourceManager::GetInstance().Release();
        home_.reset();
    }

    // The emulated mouse, on a bus of its own that becomes the active backend. Plug it before
    // Open(); unplug it at once to start without a device and plug it in later.
    orvane::test::SimMouse& Mouse() {
        if (!mouse_) mouse_ = std::make_unique<orvane::test::SimMouse>();
        return *mouse_;
    }

    CMainWnd& Open(ShellServices services = TestServices()) {
        window_ = std::make_unique<CMainWnd>(std::move(services));
        EXPECT_TRUE(CreateMainWindow(*window_));
        EXPECT_TRUE(QTest::qWaitFor([&] { return window_->IsFirstScanHandled(); }, 5000));
        EXPECT_TRUE(window_->isVisible());
        return *window_;
    }

    CMainWnd& Window() { return *window_; }

    // The page's selector entry clicked: the page becomes the current one.
    void ShowPageOf(const CQuorvantUSBDevice* page) {
        ASSERT_NE(page, nullptr);
        const auto entries = window_->SelectorEntries();
        for (size_t i = 0; i < entries.size(); ++i) {
            if (entries[i]->GetPage() == page) window_->ShowSelectorEntry(static_cast<int>(i), true, true);
        }
        ASSERT_EQ(window_->GetCurrentPage(), page);
    }

    CQuorvantUSBDevice* MousePage() const {
        const auto& pages = window_->Pages(DeviceFamily::Mouse);
        return pages.empty() ? nullptr : pages.front();
    }

    ui::CDeviceOptionUI* MouseEntry() const {
        CQuorvantUSBDevice* page = MousePage();
        return page != nullptr ? page->GetOptionItem() : nullptr;
    }

    bool NoDeviceNoticeShown() const {
        ui::CControlUI* notice = window_->FindControl("No_device_Link");
        return notice != nullptr && notice->IsVisible();
    }

    bool Logged(const std::string& line) const {
        const auto lines = log_->Lines();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }

    // The index in the log of the first line equal to `line`, or -1.
    long LogIndex(const std::string& line) const {
        const auto lines = log_->Lines();
        const auto it = std::find(lines.begin(), lines.end(), line);
        return it == lines.end() ? -1 : static_cast<long>(it - lines.begin());
    }

    std::shared_ptr<CapturingDebugSink> log_ = std::make_shared<CapturingDebugSink>();

private:
    std::unique_ptr<orvane::test::TempHome> home_;
    std::shared_ptr<HidBackend> previousBackend_;
    std::shared_ptr<DebugSink> previousSink_;
    std::unique_ptr<orvane::test::SimMouse> mouse_;
    std::unique_ptr<CMainWnd> window_;
};

}  // namespace orvane::app::test
