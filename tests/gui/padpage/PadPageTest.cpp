// The mouse pad page end to end through the main window on the emulated pad (a temporary HOME,
// the shipped skin and DefaultData): what the page shows on connection, the exact block a
// lighting edit leaves at address 0, a profile switch made on the pad reaching the page through
// the sync thread, a failed read that keeps the block, "deng_same_mode" with a mouse and a pad,
// and pictures of the page with an animated mode in English and Chinese.
#include <json/json.h>

#include <QImage>
#include <QTest>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "app/LightingSynchroniser.h"
#include "pages/CQuorvantMousePadDevice.h"
#include "pages/CQuorvantMouseDevice.h"
#include "profiles/JsonFileStore.h"
#include "sim/PadFirmware.h"
#include "tests/gui/ScreenshotFolder.h"
#include "tests/gui/app/ShellFixture.h"
#include "ui/controls/DeviceKeyButton.h"
#include "ui/controls/DeviceOption.h"
#include "ui/dialogs/WindowMessageIds.h"
#include "ui/framework/Button.h"
#include "ui/framework/Combo.h"
#include "ui/framework/Slider.h"

namespace orvane::test {
namespace {

using Bytes = std::vector<uint8_t>;
constexpr size_t kPadBlock = 25;

class PadPageTest : public app::test::ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        const char* old = std::getenv("ORVANE_DATA_DIR");
        savedDataDir_ = old != nullptr ? std::optional<std::string>(old) : std::nullopt;
        ::setenv("ORVANE_DATA_DIR", ORVANE_SOURCE_DIR, 1);
    }
    void TearDown() override {
        ShellTest::TearDown();
        if (savedDataDir_) ::setenv("ORVANE_DATA_DIR", savedDataDir_->c_str(), 1);
        else ::unsetenv("ORVANE_DATA_DIR");
    }

    // The main window with the pad (and the mouse when asked) plugged in, once every page has
    // connected and its device work is done.
    app::CMainWnd& OpenConnected(bool withMouse = false) {
        if (!withMouse) Mouse().Unplug();
        pad_ = std::make_shared<sim::PadFirmware>(sim::MousePadModel(), sim::PadOptions{});
        padDevice_ = Mouse().Bus().Plug(sim::MousePadIdentity(), pad_);
        app::CMainWnd& window = Open();
        bool connected = false;
        window.WhenDevicesConnected([&] { connected = true; });
        EXPECT_TRUE(QTest::qWaitFor([&] { return connected; }, 5000));
        EXPECT_TRUE(WaitIdle());
        return window;
    }

    CQuorvantMousePadDevice* Page() const {
        const auto& pages = Window().Pages(app::DeviceFamily::MousePad);
        return pages.empty() ? nullptr : dynamic_cast<CQuorvantMousePadDevice*>(pages.front());
    }
    bool WaitIdle(int ms = 5000) const {
        return QTest::qWaitFor([this] { return Page() == nullptr || !Page()->IsDeviceBusy(); }, ms);
    }
    void ShowPadPage() {
        ShowPageOf(Page());
    }
    Bytes Block(uint8_t profile) const {
        const Bytes memory = pad_->ParameterMemory();
        const auto first = memory.begin() + static_cast<std::ptrdiff_t>(profile * kPadBlock);
        return {first, first + kPadBlock};
    }
    template <class T = ui::CControlUI>
    T* Find(const char* name) const {
        return Page()->FindSubControlByName<T>(name);
    }
    app::CMainWnd& Window() const { return const_cast<PadPageTest*>(this)->ShellTest::Window(); }

    std::shared_ptr<sim::PadFirmware> pad_;
    std::shared_ptr<sim::SimDevice> padDevice_;

private:
    std::optional<std::string> savedDataDir_;
};

TEST_F(PadPageTest, ConnectShowsTheProfileAndALightingEditLeavesTheExactBlockAtAddressZero) {
    OpenConnected();
    ASSERT_NE(Page(), nullptr);
    ShowPadPage();
    // The shipped pad profile: wave, brightness 4, speed 2, colourful, red.
    EXPECT_EQ(Page()->Pad().LightState().light, (LightSetting{0, 4, 2, 0, 1, 255, 0, 0}));
    EXPECT_EQ(Find<ui::CComboUI>("light_combo_modeSelect")->GetCurSel(), 0);
    for (int i = 0; i < Page()->GetLightCount(); ++i) EXPECT_NE(Page()->GetLightButton(i), nullptr) << "light " << i;
    EXPECT_NE(Page()->GetProfileItem(), nullptr);
    EXPECT_NE(Page()->GetLightPanel(), nullptr);
    EXPECT_EQ(Page()->GetSelectPanel(), Find("mousepad_device_key_light"));

    const Bytes before = Block(0);
    Find<ui::CComboUI>("light_combo_modeSelect")->SelectItem(4);  // flashing
    Find<ui::CSliderUI>("deng_speed_slider")->setValue(1);
    ASSERT_TRUE(WaitIdle());
    const Bytes after = Block(0);
    const Bytes expected{0, 4, 4, 3, before[4], 1, 255, 0, 0};
    EXPECT_EQ(Bytes(after.begin(), after.begin() + 9), expected) << "mode, brightness, speed stored as 4 - 1, colour";
    EXPECT_EQ(Bytes(after.begin() + 9, after.end()), Bytes(before.begin() + 9, before.end()));
    const Json::Value info = JsonFileStore().ReadJsonValue(Page()->GetProfileFileName())["Device"][0]["LightInfo"];
    EXPECT_EQ(info["SelectItem"].asInt(), 4);
    EXPECT_EQ(info["Speed"].asInt(), 1);
}

TEST_F(PadPageTest, AProfileSwitchOnThePadReachesThePageThroughTheSyncThread) {
    OpenConnected();
    ASSERT_NE(Page(), nullptr);
    ShowPadPage();
    ASSERT_TRUE(Page()->SyncChannel().IsOpen()) << "the event interface is read";
    ASSERT_TRUE(pad_->SwitchOnboardProfile(2, *padDevice_));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Page()->Pad().Block().ProfileNumber() == 2; }, 5000));
    EXPECT_EQ(Page()->Pad().Block().Lighting().mode, pad_->Lighting(2).mode);
    EXPECT_EQ(Page()->Pad().Block().Lighting().speed, pad_->Lighting(2).speed) << "the speed read the right way";
    EXPECT_EQ(Page()->PreviewState()->LightState().light.mode, pad_->Lighting(2).mode) << "the preview follows the pad";
    const LightSetting kept = Page()->Pad().LightState().light;

    // The next edit goes to address 0 naming profile 2, which keeps its block's place.
    Find<ui::CSliderUI>("deng_light_slider")->setValue(1);
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(pad_->ActiveProfile(), 2);
    EXPECT_EQ(pad_->Lighting(2).brightness, 1);
    EXPECT_EQ(pad_->Lighting(2).mode, kept.mode) << "the edit writes the page's light state";

    // A read that fails keeps the block: nothing of it turns to zeros.
    const PadBlock block = Page()->Pad().Block();
    sim::CommandFaults faults;
    faults.errorStatusReports = 4;
    pad_->SetFaults(faults);
    Page()->OnSyncRequest();
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(Page()->Pad().Block(), block);
}

TEST_F(PadPageTest, AProfileThePadDoesNotTakeLeavesTheFolderAndThePanelAsTheyWere) {
    OpenConnected();
    ASSERT_NE(Page(), nullptr);
    ShowPadPage();
    auto* combo = Find<ui::CComboUI>("device_profile_combo");
    const auto userFiles = [&] {
        std::map<std::string, std::string> files;
        for (const auto& e : std::filesystem::directory_iterator(Page()->Pad().UserDataFolder())) {
            std::ifstream in(e.path(), std::ios::binary);
            files[e.path().filename().string()] = {std::istreambuf_iterator<char>(in), {}};
        }
        return files;
    };
    Find<ui::CButtonUI>("device_add_btn")->click();
    ASSERT_TRUE(WaitIdle());
    ASSERT_EQ(combo->count(), 2);
    const auto files = userFiles();
    const std::string shown = Page()->GetProfileFileName();

    const std::function<void()> operations[] = {
        [&] { Find<ui::CButtonUI>("device_add_btn")->click(); },
        [&] { Find<ui::CButtonUI>("device_copy_btn")->click(); },
        [&] { combo->SelectItem(0, true); },
    };
    int n = 0;
    for (const auto& operation : operations) {
        SCOPED_TRACE(n++);
        sim::CommandFaults faults;
        faults.errorStatusReports = 1000;
        pad_->SetFaults(faults);
        operation();
        ASSERT_TRUE(WaitIdle());
        pad_->SetFaults({});
        EXPECT_EQ(userFiles(), files);
        EXPECT_EQ(combo->count(), 2);
        EXPECT_EQ(combo->GetCurSel(), 1);
        EXPECT_EQ(Page()->GetProfileFileName(), shown);
    }
    // With the pad answering again the same operation stands.
    Find<ui::CButtonUI>("device_add_btn")->click();
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(combo->count(), 3);
}

TEST_F(PadPageTest, SameModeMakesTheMouseAndThePadTakePartAndTheSynchroniserPaintsBoth) {
    app::CMainWnd& window = OpenConnected(true);
    ASSERT_NE(Page(), nullptr);
    auto* mouse = dynamic_cast<CQuorvantMouseDevice*>(MousePage());
    ASSERT_NE(mouse, nullptr);
    ShowPadPage();
    // Breathing on the pad: a common effect every kind runs.
    Find<ui::CComboUI>("light_combo_modeSelect")->SelectItem(2);
    ASSERT_TRUE(WaitIdle());
    app::test::Raise(window, "click", "deng_same_mode");
    ASSERT_TRUE(WaitIdle());
    EXPECT_TRUE(Page()->Channel().SyncLighting());
    EXPECT_TRUE(mouse->Channel().SyncLighting());
    const uint64_t frames = window.Synchroniser().FramesPainted();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.Synchroniser().FramesPainted() > frames + 3; }, 5000));
    // Both show the synchroniser's colour.
    ASSERT_TRUE(QTest::qWaitFor([&] { return Page()->GetLightColor(3) == mouse->GetLightColor(0); }, 2000));
    EXPECT_EQ(pad_->Lighting().mode, 2) << "the pad was given the common effect's own mode";
}

// The pad page with an animated mode: two frames differ. Pictures in English and Chinese.
TEST_F(PadPageTest, ThePagesPictureAnimatesInBothLanguages) {
    app::CMainWnd& window = OpenConnected();
    ASSERT_NE(Page(), nullptr);
    ShowPadPage();
    window.activateWindow();
    Page()->SetWindowActive(true);
    // Language 0 is English, 1 Simplified Chinese ("Language.config").
    for (const auto& [index, language] : {std::pair{0, "en"}, std::pair{1, "cn"}}) {
        window.SendMessage(ui::kApplyLanguage, static_cast<ui::WParam>(index), 0);
        QTest::qWait(300);
        const QImage first = window.grab().toImage();
        QTest::qWait(400);
        const QImage second = window.grab().toImage();
        EXPECT_NE(first, second) << "the wave moves, " << language;
        EXPECT_TRUE(first.save(ScreenshotFolder() + "/pad_page_" + language + ".png"));
    }
}

}  // namespace
}  // namespace orvane::test
