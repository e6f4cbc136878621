// The headset page end to end through the main window on the emulated headset and the emulated
// audio library (a temporary HOME, the shipped skin and DefaultData): what the page shows on
// connection, the block a lighting edit leaves at address 0 and the twelve light reports, the
// equaliser, microphone and voice effect reaching the library's properties and the profile, and
// pictures of the page and of the window with a mouse, a pad and a headset.
#include <json/json.h>

#include <QImage>
#include <QTest>

#include <cstdlib>
#include <memory>
#include <optional>

#include "headset/HeadsetAudio.h"
#include "headset/HeadsetDevice.h"
#include "pages/headset/CMagicControlUI.h"
#include "pages/headset/CQuorvantHS8127Device.h"
#include "pages/headset/CVoice8127ControlUI.h"
#include "profiles/JsonFileStore.h"
#include "sim/HeadsetFirmware.h"
#include "sim/PadFirmware.h"
#include "tests/gui/ScreenshotFolder.h"
#include "tests/gui/app/ShellFixture.h"
#include "ui/controls/DeviceOption.h"
#include "ui/dialogs/WindowMessageIds.h"
#include "ui/framework/Combo.h"
#include "ui/framework/Option.h"
#include "ui/framework/Slider.h"

namespace orvane::test {
namespace {

using Bytes = std::vector<uint8_t>;

class HeadsetPageTest : public app::test::ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        Keep("ORVANE_DATA_DIR", ORVANE_SOURCE_DIR);
        Keep("ORVANE_AUDIO_SDK_DIR", ORVANE_AUDIO_SDK_DIR);
    }
    void TearDown() override {
        ShellTest::TearDown();
        for (const auto& [name, value] : saved_) {
            if (value) ::setenv(name.c_str(), value->c_str(), 1);
            else ::unsetenv(name.c_str());
        }
    }
    void Keep(const std::string& name, const char* value) {
        const char* old = std::getenv(name.c_str());
        saved_.emplace_back(name, old != nullptr ? std::optional<std::string>(old) : std::nullopt);
        ::setenv(name.c_str(), value, 1);
    }

    // The main window with the headset (and the mouse and pad when asked) plugged in, once every
    // page has connected and its device work is done.
    app::CMainWnd& OpenConnected(bool withMouseAndPad = false) {
        if (!withMouseAndPad) Mouse().Unplug();
        if (withMouseAndPad) {
            Mouse().Bus().Plug(sim::MousePadIdentity(), std::make_shared<sim::PadFirmware>(sim::MousePadModel(), sim::PadOptions{}));
        }
        headset_ = std::make_shared<sim::HeadsetFirmware>(sim::PadOptions{});
        Mouse().Bus().Plug(sim::HeadsetIdentity(), headset_);
        app::CMainWnd& window = Open();
        bool connected = false;
        window.WhenDevicesConnected([&] { connected = true; });
        EXPECT_TRUE(QTest::qWaitFor([&] { return connected; }, 5000));
        EXPECT_TRUE(WaitIdle());
        return window;
    }

    CQuorvantHS8127Device* Page() const {
        const auto& pages = Window().Pages(app::DeviceFamily::Headset);
        return pages.empty() ? nullptr : dynamic_cast<CQuorvantHS8127Device*>(pages.front());
    }
    bool WaitIdle(int ms = 5000) const {
        return QTest::qWaitFor([this] { return Page() == nullptr || !Page()->IsDeviceBusy(); }, ms);
    }
    void ShowHeadsetPage() {
        ui::CDeviceOptionUI* entry = Page()->GetOptionItem();
        ASSERT_NE(entry, nullptr);
        const auto entries = Window().SelectorEntries();
        for (size_t i = 0; i < entries.size(); ++i) {
            if (entries[i] == entry) Window().ShowSelectorEntry(static_cast<int>(i), true, true);
        }
        ASSERT_EQ(Window().GetCurrentPage(), Page());
    }
    template <class T = ui::CControlUI>
    T* Find(const QString& name) const {
        return Page()->FindSubControlByName<T>(name);
    }
    Json::Value Settings() const {
        return JsonFileStore().ReadJsonValue(Page()->GetProfileFileName())["Device"][0]["SystemSetStages"];
    }
    app::CMainWnd& Window() const { return const_cast<HeadsetPageTest*>(this)->ShellTest::Window(); }

    std::shared_ptr<sim::HeadsetFirmware> headset_;

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

}  // namespace
}  // namespace orvane::test
