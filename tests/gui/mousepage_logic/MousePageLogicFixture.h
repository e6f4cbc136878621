#pragma once
// Shared by the mouse page tests: the main window on the emulated bus (the shell tests' fixture),
// with the shipped DefaultData, the desktop's pointer settings kept in memory, and helpers that act
// the way a user does: they raise the notifications the controls raise, into the main window.
// What the tests check is what the emulated mouse ended up holding and the files under HOME.

#include <json/json.h>

#include <QTest>
#include <QTimer>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "ui/dialogs/MsgWnd.h"
#include "pages/CQuorvantMouseDevice.h"
#include "pages/DeviceProfileView.h"
#include "pages/MouseKeyInfo.h"
#include "profiles/JsonFileStore.h"
#include "sim/MouseFirmware.h"
#include "tests/gui/app/ShellFixture.h"
#include "ui/controls/LightSyncEvent.h"
#include "ui/framework/Button.h"
#include "ui/framework/WindowImplBase.h"

namespace orvane::test {

using app::test::ShellTest;
using namespace std::chrono_literals;

inline constexpr const char* kUserFolderRelative = ".local/share/ORVANE Q730 Gaming Mouse/mouse/";
inline constexpr size_t kSettingsBlockBytes = 128;

// Offsets in one settings block of the mouse's parameter memory.
namespace block = sim::config_block;

class MousePageLogicTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        Keep("ORVANE_DATA_DIR", ORVANE_SOURCE_DIR);
        Keep("GSETTINGS_BACKEND", "memory");
    }

    void TearDown() override {
        ShellTest::TearDown();
        for (auto& [name, value] : savedEnvironment_) {
            if (value) ::setenv(name.c_str(), value->c_str(), 1);
            else ::unsetenv(name.c_str());
        }
    }

    // The main window with the mouse plugged in, once the mouse page has connected.
    app::CMainWnd& OpenConnected() {
        Mouse();
        ui::LightSyncEvent().Reset();
        app::CMainWnd& window = Open();
        EXPECT_TRUE(WaitConnected());
        return window;
    }

    // The entry's connect timer has run the page's OnConnect (it signals the light sync event).
    static bool WaitConnected(int ms = 5000) {
        return QTest::qWaitFor([] { return ui::LightSyncEvent().IsSignalled(); }, ms);
    }

    CQuorvantMouseDevice* Page() const { return dynamic_cast<CQuorvantMouseDevice*>(MousePage()); }

    template <class T = ui::CControlUI>
    T* Find(const char* name) const {
        CQuorvantMouseDevice* page = Page();
        return page != nullptr ? page->FindSubControlByName<T>(name) : nullptr;
    }

    // The page's device work has finished: its sequences ran on the command worker and their
    // results were taken on the UI thread.
    bool WaitIdle(int ms = 5000) const {
        return QTest::qWaitFor([this] { return Page() == nullptr || !Page()->IsDeviceBusy(); }, ms);
    }

    sim::MouseFirmware& Firmware() { return Mouse().Firmware(); }

    // On-board profile `profile`'s settings block as the mouse holds it once the page's device
    // work has finished.
    std::vector<uint8_t> DeviceBlock(size_t profile = 0) {
        EXPECT_TRUE(WaitIdle());
        const std::vector<uint8_t> memory = Firmware().ParameterMemory();
        const auto first = memory.begin() + static_cast<std::ptrdiff_t>(profile * kSettingsBlockBytes);
        return {first, first + kSettingsBlockBytes};
    }

    static uint16_t StageX(const std::vector<uint8_t>& settings, size_t stage) {
        const size_t at = block::kFirstDpiStage + stage * block::kDpiStageBytes + block::kStageXIndex;
        return static_cast<uint16_t>(settings[at] | settings[at + 1] << 8);
    }

    static void WriteHomeFile(const std::string& relative, const std::string& content) {
        const std::filesystem::path path = std::filesystem::path(std::getenv("HOME")) / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << content;
    }

    std::string UserFile(const std::string& name) const {
        return std::string(std::getenv("HOME")) + "/" + kUserFolderRelative + name;
    }

    // The "Device"[0] document of a profile file.
    Json::Value ProfileDocument(const std::string& path) const {
        return JsonFileStore().ReadJsonValue(path)["Device"][0];
    }

    Json::Value CurrentProfileDocument() const { return ProfileDocument(Page()->GetProfileFileName()); }

    // Runs `action` while answering every message box it opens with `button`; the text the last
    // box showed, or empty when none came up.
    static QString AnswerMessage(const std::function<void()>& action, const char* button = "confirm_btn") {
        QString shown;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            for (ui::WindowImplBase* window : ui::WindowImplBase::Windows()) {
                auto* box = dynamic_cast<ui::CMsgWnd*>(window);
                if (box == nullptr || box->IsClosed()) continue;
                if (auto* text = box->FindControl("MessageText")) shown = text->GetText();
                if (auto* answer = box->FindControl<ui::CButtonUI>(button)) answer->click();
            }
        });
        poll.start(20);
        action();
        return shown;
    }

private:
    void Keep(const std::string& name, const char* value) {
        const char* old = std::getenv(name.c_str());
        savedEnvironment_.emplace_back(name, old != nullptr ? std::optional<std::string>(old) : std::nullopt);
        ::setenv(name.c_str(), value, 1);
    }

    std::vector<std::pair<std::string, std::optional<std::string>>> savedEnvironment_;
};

}  // namespace orvane::test
