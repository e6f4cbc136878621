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
#include <algorithm>
#include <bit>
#include <optional>

#include "headset/HeadsetAudio.h"
#include "headset/HeadsetDevice.h"
#include "pages/headset/CMagicControlUI.h"
#include "pages/headset/CQuorvantHS8127Device.h"
#include "pages/headset/CVoice8127ControlUI.h"
#include "profiles/JsonFileStore.h"
#include "sim/HeadsetFirmware.h"
#include "sim/PadFirmware.h"
#include "tests/headset/EmulatedAudio.h"
#include "tests/gui/ScreenshotFolder.h"
#include "tests/gui/app/ShellFixture.h"
#include "ui/controls/DeviceOption.h"
#include "ui/dialogs/WindowMessageIds.h"
#include "ui/framework/Button.h"
#include "ui/framework/Combo.h"
#include "ui/framework/Edit.h"
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
        library_ = EmulatedAudioLibrary();  // factory-fresh: the page loads this same library
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
        ShowPageOf(Page());
    }
    template <class T = ui::CControlUI>
    T* Find(const QString& name) const {
        return Page()->FindSubControlByName<T>(name);
    }
    Json::Value Settings() const {
        return JsonFileStore().ReadJsonValue(Page()->GetProfileFileName())["Device"][0]["SystemSetStages"];
    }
    app::CMainWnd& Window() const { return const_cast<HeadsetPageTest*>(this)->ShellTest::Window(); }

    // The library's writes since `mark` calls, as (property, value).
    std::vector<std::pair<std::wstring, uint32_t>> WritesSince(size_t mark) const {
        std::vector<std::pair<std::wstring, uint32_t>> writes;
        for (const Call& c : CallsSince(*library_, mark))
            if (c.write) writes.emplace_back(c.property, c.value);
        return writes;
    }
    size_t Mark() const { return Journal(*library_).size(); }

    std::shared_ptr<sim::HeadsetFirmware> headset_;
    std::shared_ptr<AudioLibrary> library_;

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

using Writes = std::vector<std::pair<std::wstring, uint32_t>>;

TEST_F(HeadsetPageTest, ConnectShowsTheProfileALightingEditLeavesTheBlockAndTheLightsGetTheirReports) {
    OpenConnected();
    ASSERT_NE(Page(), nullptr);
    ShowHeadsetPage();
    ASSERT_NE(Page()->Audio(), nullptr);
    EXPECT_TRUE(Page()->Audio()->Available()) << "the emulated headset takes the emulated library";
    EXPECT_EQ(Page()->GetSelectPanel(), Find("hs8127_device_key_light"));
    for (int i = 0; i < Page()->GetLightCount(); ++i) EXPECT_NE(Page()->GetLightButton(i), nullptr) << "light " << i;
    ASSERT_NE(Page()->GetVoicePanel(), nullptr);
    ASSERT_NE(Page()->GetMagicPanel(), nullptr);
    EXPECT_EQ(Page()->GetVoicePanel()->GetEqOption(), Page()->Audio()->Settings().EqType);

    // Mode 3 (steady) in a colour of our own: the block at address 0, the lights in that colour.
    Find<ui::CComboUI>("light_combo_modeSelect")->SelectItem(3);
    ASSERT_TRUE(WaitIdle());
    const Bytes memory = headset_->ParameterMemory();
    EXPECT_EQ(memory[1], 3) << "the mode at address 0 + 1";
    Page()->SetWindowActive(true);
    Window().activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return headset_->LightReports().size() >= 12; }, 5000));
    const auto reports = headset_->LightReports();
    const std::vector<sim::HeadsetLightReport> frame(reports.end() - 12, reports.end());
    const uint8_t banks[] = {0x22, 0x22, 0x44, 0x44, 0x22, 0x22, 0x44, 0x44, 0x22, 0x22, 0x44, 0x44};
    const uint8_t registers[] = {0xAA, 0xAD, 0xAA, 0xAD, 0xAB, 0xAE, 0xAB, 0xAE, 0xAC, 0xAF, 0xAC, 0xAF};
    for (size_t i = 0; i < frame.size(); ++i) {
        EXPECT_EQ(frame[i][0], 0xFF) << i;
        EXPECT_EQ(frame[i][1], banks[i]) << i;
        EXPECT_EQ(frame[i][2], registers[i]) << i;
    }
    EXPECT_EQ(headset_->LightReportsRefused(), 0u);
}

TEST_F(HeadsetPageTest, EqualiserPresetsAndCustomEqualisersReachTheLibraryAndTheProfile) {
    OpenConnected();
    ASSERT_NE(Page(), nullptr);
    ShowHeadsetPage();
    CVoice8127ControlUI* voice = Page()->GetVoicePanel();
    ASSERT_NE(voice, nullptr);

    // Preset 5 (after another: the profile's own is 5): the equaliser on, then ten zero gains.
    Find<ui::COptionUI>("8127_eq_option_2")->click();
    EXPECT_EQ(Settings()["EqType"].asInt(), 2);
    size_t mark = Mark();
    Find<ui::COptionUI>("8127_eq_option_5")->click();
    Writes expected{{L"Enable_EQ_GFX", 1}};
    for (int i = 1; i <= 10; ++i) expected.emplace_back(L"EQ_Slider" + std::to_wstring(i), 0);
    EXPECT_EQ(WritesSince(mark), expected);
    EXPECT_EQ(Settings()["EqType"].asInt(), 5);
    EXPECT_FALSE(Find("custom_eq_option_layout")->IsEnabled());

    // Band 4 moved: the custom equaliser without a name, only its slider written.
    mark = Mark();
    Find<ui::CSliderUI>("8127_eq_hz_slider_4")->SetValue(6);
    Window().SendNotify(Find("8127_eq_hz_slider_4"), "valuechanged");
    EXPECT_EQ(WritesSince(mark), (Writes{{L"EQ_Slider5", 6}}));
    EXPECT_EQ(voice->GetEqOption(), 13);
    EXPECT_EQ(voice->GetNameSelection(), -1);
    EXPECT_TRUE(Find("custom_eq_option_layout")->IsEnabled());

    // Saved under a name: the name list and the bands in the profile, the name selected.
    Find<ui::CEditUI>("custom_eq_name_edit")->SetText("Night");
    Find<ui::CButtonUI>("hs_EQ_btn_save")->click();
    EXPECT_EQ(voice->GetNameCount(), 1);
    EXPECT_EQ(voice->GetNameSelection(), 0);
    EXPECT_TRUE(voice->GetNameEditText().isEmpty());
    CHs8127Profiledata stored;
    stored.LoadProfile(Page()->GetProfileFileName());
    EXPECT_EQ(stored.GetCustomEqNames(), std::vector<std::string>{"Night"});
    EXPECT_EQ(Settings()["CustomEqSeletIndex"].asInt(), 0);

    // Deleting the only one: preset 1 shown and stored, nothing written to the headset.
    mark = Mark();
    Find<ui::CButtonUI>("hs_EQ_btn_delete")->click();
    EXPECT_EQ(WritesSince(mark), Writes{});
    EXPECT_EQ(voice->GetNameCount(), 0);
    EXPECT_EQ(voice->GetEqOption(), 1);
    EXPECT_EQ(Settings()["EqType"].asInt(), 1);
}

TEST_F(HeadsetPageTest, MicrophoneMonitorAndVoiceEffectReachTheLibraryAndTheProfile) {
    OpenConnected();
    ASSERT_NE(Page(), nullptr);
    ShowHeadsetPage();

    size_t mark = Mark();
    Find<ui::CSliderUI>("8127_MicIn_slider")->SetValue(57);
    Window().SendNotify(Find("8127_MicIn_slider"), "valuechanged");
    EXPECT_EQ(WritesSince(mark), (Writes{{L"VolumeScalarControl", std::bit_cast<uint32_t>(0.57f)}}));
    EXPECT_EQ(Settings()["MicInValue"].asInt(), 57);

    const bool monitorOn = Find<ui::COptionUI>("8127_MicMoniter_option")->IsSelected();
    mark = Mark();
    Find<ui::COptionUI>("8127_MicMoniter_option")->click();
    EXPECT_EQ(WritesSince(mark), (Writes{{L"AAMuteControl", monitorOn ? 1u : 0u}}));
    EXPECT_EQ(Settings()["MicMoniterSelect"].asInt(), monitorOn ? 0 : 1);

    // The voice effect switched on (the echo goes off with it), then kind 3.
    auto* effect = Find<ui::COptionUI>("magic_enable_option");
    if (effect->IsSelected()) effect->click();
    mark = Mark();
    effect->click();
    EXPECT_EQ(WritesSince(mark), (Writes{{L"Enable_MAGICVOICE", 1}, {L"Enable_MICECHO", 0}}));
    EXPECT_TRUE(Find("magic_option_layout")->IsEnabled());
    mark = Mark();
    Find<ui::COptionUI>("magic_option_3")->click();
    EXPECT_EQ(WritesSince(mark), (Writes{{L"MagicVoice_Selection", 2}}));
    EXPECT_EQ(Settings()["MagicEnable"].asInt(), 1);
    EXPECT_EQ(Settings()["MagicType"].asInt(), 3);
}

TEST_F(HeadsetPageTest, PicturesOfTheAudioTabsAndOfTheWindowWithThreeDevices) {
    app::CMainWnd& window = OpenConnected(true);
    ASSERT_NE(Page(), nullptr);
    const auto entries = window.SelectorEntries();
    EXPECT_EQ(std::count_if(entries.begin(), entries.end(), [](auto* entry) { return entry->IsShown(); }), 3)
        << "mouse, pad and headset";
    ShowHeadsetPage();
    window.activateWindow();
    Page()->SetWindowActive(true);
    QTest::qWait(200);
    EXPECT_TRUE(window.grab().toImage().save(ScreenshotFolder() + "/three_devices.png"));
    // Language 0 is English, 1 Simplified Chinese ("Language.config").
    for (const auto& [index, language] : {std::pair{0, "en"}, std::pair{1, "cn"}}) {
        window.SendMessage(ui::kApplyLanguage, static_cast<ui::WParam>(index), 0);
        for (const char* tab : {"8127_voice_Op_tab", "magic_Op_tab"}) {
            Find<ui::COptionUI>(tab)->click();
            QTest::qWait(100);
            const std::string name = std::string("headset_") + (tab[0] == 'm' ? "voice_effect_" : "audio_") + language;
            EXPECT_TRUE(window.grab().toImage().save(ScreenshotFolder() + "/" + QString::fromStdString(name) + ".png"));
        }
    }
}

}  // namespace
}  // namespace orvane::test
