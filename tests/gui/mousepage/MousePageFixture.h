#pragma once
// Shared by the mouse page tests: a temporary HOME, the program's skin and English texts, the
// program's control classes (the profile panel among them), and the mouse page layout built into
// a window of its own whose notifications the test receives, as the main window would.

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/ControlRegistration.h"
#include "pages/CQuorvantMouseDevice.h"
#include "pages/DeviceProfileView.h"
#include "pages/MouseSystemPanel.h"
#include "tests/support/TempHome.h"
#include "ui/framework/ControlFactory.h"
#include "ui/framework/ResourceManager.h"
#include "ui/framework/WindowImplBase.h"

namespace orvane::test {

inline constexpr const char* kMousePageLayout = "XML\\DeviceXml\\mousedevice1.xml";

// The profile panel's class, as the main window's control factory gives it.
inline void RegisterPageControls() {
    app::RegisterProgramControls();
    ui::CControlFactory::GetInstance().RegistControl("DeviceProfile", [] { return new CDeviceProfileUI; });
}

class PageWindow final : public ui::WindowImplBase {
public:
    std::function<void(ui::TNotifyUI&)> onNotify;

    CQuorvantMouseDevice* Page() const { return dynamic_cast<CQuorvantMouseDevice*>(GetRoot()); }

protected:
    QString GetSkinFile() const override { return kMousePageLayout; }
    void Notify(ui::TNotifyUI& msg) override {
        if (onNotify) onNotify(msg);
    }
    ui::CControlUI* CreateControl(const QString& tag) override { return app::CreateProgramControl(tag, this); }
};

struct SeenNotify {
    QString type;
    QString sender;
    bool operator==(const SeenNotify&) const = default;
};

class MousePageTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto& resources = ui::CResourceManager::GetInstance();
        resources.SetResourcePath(QString(ORVANE_SOURCE_DIR) + "/skin");
        ASSERT_TRUE(resources.LoadResource());
        ASSERT_TRUE(resources.LoadLanguage("lan_en.xml"));
        RegisterPageControls();
    }

    void TearDown() override {
        windows_.clear();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ui::CResourceManager::GetInstance().Release();
    }

    // A new window holding the mouse page; every notification is recorded, then handed to
    // `handler` when there is one.
    PageWindow& OpenPage(std::function<void(ui::TNotifyUI&)> handler = {}) {
        auto window = std::make_unique<PageWindow>();
        EXPECT_TRUE(window->Create(nullptr, "mouse page"));
        window->onNotify = [this, handler = std::move(handler)](ui::TNotifyUI& msg) {
            if (msg.sType != "timer") seen.push_back({msg.sType, msg.pSender != nullptr ? msg.pSender->GetName() : ""});
            if (handler) handler(msg);
        };
        windows_.push_back(std::move(window));
        return *windows_.back();
    }

    template <class T = ui::CControlUI>
    static T* Find(const PageWindow& window, const QString& name) {
        return window.FindControl<T>(name);
    }

    static std::string DefaultProfile() { return std::string(ORVANE_SOURCE_DIR) + "/DefaultData/mouse.Json"; }

    TempHome home;
    std::vector<SeenNotify> seen;

private:
    std::vector<std::unique_ptr<PageWindow>> windows_;
};

}  // namespace orvane::test
