// The keyboard page end to end through the main window on the emulated keyboard (a temporary
// HOME, the shipped skin and DefaultData): the key table and LED map read on connection, the
// exact block a settings change leaves in the keyboard, a key assignment and a macro reaching its
// memories, a reactive mode lighting the key the keyboard reports pressed (on screen and in the
// streamed frame), the stream stopping while the window is hidden, and pictures of both layouts.
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

#include "editors/keys/CKeySetControlUI.h"
#include "mouse/KeyAssignment.h"
#include "profiles/MacroFile.h"
#include "keyboard/KeyboardBlock.h"
#include "pages/CQuorvantKeyboardDevice.h"
#include "platform/SystemKeyboardSettings.h"
#include "profiles/JsonFileStore.h"
#include "sim/KeyboardFirmware.h"
#include "tests/gui/ScreenshotFolder.h"
#include "tests/gui/app/ShellFixture.h"
#include "ui/controls/DeviceKeyButton.h"
#include "ui/controls/DeviceOption.h"
#include "ui/dialogs/MsgWnd.h"
#include "ui/dialogs/WindowMessageIds.h"
#include "ui/framework/Combo.h"
#include "ui/framework/Option.h"
#include "ui/framework/Slider.h"
#include "ui/framework/TabLayout.h"

namespace orvane::test {
namespace {

using Bytes = std::vector<uint8_t>;
constexpr size_t kW = 44;  // logical key W: slot 7 of the emulated keyboard

class KeyboardPageTest : public app::test::ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        Keep("ORVANE_DATA_DIR", ORVANE_SOURCE_DIR);
        // The desktop's key repeat in memory, whatever desktop runs the tests.
        Keep("GSETTINGS_BACKEND", "memory");
    }
    void TearDown() override {
        ShellTest::TearDown();
        for (auto& [name, value] : savedEnvironment_) {
            if (value) ::setenv(name.c_str(), value->c_str(), 1);
            else ::unsetenv(name.c_str());
        }
    }
    void Keep(const std::string& name, const char* value) {
        const char* old = std::getenv(name.c_str());
        savedEnvironment_.emplace_back(name, old != nullptr ? std::optional<std::string>(old) : std::nullopt);
        ::setenv(name.c_str(), value, 1);
    }

    // The main window with the keyboard plugged in (and no mouse), once the keyboard has
    // connected and its device work is done; its page is the current one and on screen.
    app::CMainWnd& OpenConnected(sim::KeyboardOptions options = {}) {
        Mouse().Unplug();
        keyboard_ = std::make_shared<sim::KeyboardFirmware>(std::move(options));
        device_ = Mouse().Bus().Plug(sim::KeyboardIdentity(), keyboard_);
        app::CMainWnd& window = Open();
        bool connected = false;
        window.WhenDevicesConnected([&] { connected = true; });
        EXPECT_TRUE(QTest::qWaitFor([&] { return connected; }, 5000));
        EXPECT_TRUE(WaitIdle());
        if (Page() != nullptr) ShowPage();
        return window;
    }

    CQuorvantKeyboardDevice* Page() const {
        const auto& pages = Window().Pages(app::DeviceFamily::Keyboard);
        return pages.empty() ? nullptr : dynamic_cast<CQuorvantKeyboardDevice*>(pages.front());
    }
    bool WaitIdle(int ms = 5000) const {
        return QTest::qWaitFor([this] { return Page() == nullptr || !Page()->IsDeviceBusy(); }, ms);
    }
    void ShowPage() {
        ShowPageOf(Page());
        Window().activateWindow();
        Page()->SetWindowActive(true);
    }
    // The lighting panel's change, as a user makes it.
    void SetMode(uint8_t mode) {
        LightSetting light = Page()->Keyboard().LightState().light;
        light.mode = mode;
        light.speed = 4;
        light.brightness = 4;
        ASSERT_TRUE(Page()->ChangeLighting(light));
        ASSERT_TRUE(WaitIdle());
    }
    Bytes Block(uint8_t profile) const {
        const Bytes memory = keyboard_->ParameterMemory();
        const auto first = memory.begin() + static_cast<std::ptrdiff_t>(profile * KeyboardBlock::kBytes);
        return {first, first + KeyboardBlock::kBytes};
    }
    Bytes SlotBytes(size_t slot) const {
        const Bytes table = keyboard_->KeyTable();
        return {table.begin() + static_cast<std::ptrdiff_t>(3 * slot), table.begin() + static_cast<std::ptrdiff_t>(3 * slot + 3)};
    }
    template <class T = ui::CControlUI>
    T* Find(const char* name) const {
        return Page()->FindSubControlByName<T>(name);
    }
    void Click(const char* name) { Find(name)->SendNotify("click"); }
    app::CMainWnd& Window() const { return const_cast<KeyboardPageTest*>(this)->ShellTest::Window(); }
    std::string UserFile(const std::string& name) const { return Page()->GetUserDataFolder() + name; }

    std::shared_ptr<sim::KeyboardFirmware> keyboard_;
    std::shared_ptr<sim::SimDevice> device_;

    // The saved profile's document of the keyboard.
    Json::Value SavedDevice() const { return JsonFileStore().ReadJsonValue(Page()->GetProfileFileName())["Device"][0]; }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> savedEnvironment_;
};

TEST_F(KeyboardPageTest, ConnectReadsTheKeyTableAndTheLedMapAndThePageShowsThem) {
    OpenConnected();
    ASSERT_NE(Page(), nullptr);
    const KeyboardMaps maps = Page()->Keyboard().Maps();
    for (size_t key = 0; key < kKeyboardKeyCount; ++key) {
        // The placeholders share one code: each takes a slot of its own, in the core's order.
        if (KeyboardFactoryCodes()[key] == FunctionCode{0x20, 0x00, 0x00}) continue;
        const uint8_t slot = sim::KeyboardFirmware::FactorySlotOfKey(key, 126);
        const uint8_t led = sim::KeyboardFirmware::LedOfKey(key);
        EXPECT_EQ(maps.slotOfKey[key], slot) << "key " << key;
        if (key != kKeyOfFixedLed) {
            EXPECT_EQ(maps.ledOfKey[key], led) << "key " << key;
        }
    }
    EXPECT_EQ(maps.slotOfKey[kW], 7);
    EXPECT_EQ(maps.ledOfKey[kKeyOfFixedLed], kFixedLed);
    for (int i = 0; i < Page()->GetLightCount(); ++i) {
        ASSERT_NE(Page()->GetKeyButton(i), nullptr) << "key " << i;
        EXPECT_EQ(Page()->GetLightButton(i), Page()->GetKeyButton(i)) << "each key is its own light";
    }
    // The key buttons name their key and what it does.
    EXPECT_TRUE(Page()->GetKeyButton(static_cast<int>(kW))->toolTip().contains("W")) << Page()->GetKeyButton(kW)->toolTip().toStdString();
    EXPECT_EQ(Page()->GetSelectPanel(), Find("keyboard_device_key_light"));
    EXPECT_NE(Page()->GetProfileItem(), nullptr);
    EXPECT_NE(Page()->GetLightPanel(), nullptr);
    EXPECT_NE(Page()->GetKeySetItem(), nullptr);
    EXPECT_NE(Page()->GetMacroItem(), nullptr);
    // The page wrote the profile's block on connection.
    const KeyboardBlock written =
        KeyboardBlock::Build(0, Page()->Keyboard().LightState().light, Page()->Keyboard().Settings());
    EXPECT_EQ(Block(0), Bytes(written.bytes.begin(), written.bytes.end()));
}

TEST_F(KeyboardPageTest, SettingsChangesLeaveTheExactBlockInTheKeyboardAndTheRepeatOnTheDesktop) {
    OpenConnected();
    ASSERT_NE(Page(), nullptr);
    Find<ui::COptionUI>("system_Op_tab")->SetSelected(true);
    ASSERT_TRUE(WaitIdle());
    const Bytes before = Block(0);

    Find<ui::COptionUI>("winlockflag_option")->SetSelected(true);
    Find<ui::COptionUI>("6flag_option")->SetSelected(true);
    Find<ui::COptionUI>("polling_rate_option_2")->SetSelected(true);
    ASSERT_TRUE(WaitIdle());
    Bytes expected = before;
    expected[KeyboardBlock::kWinLock] = 1;
    expected[KeyboardBlock::kSixKeyFlag] = 1;
    expected[KeyboardBlock::kReportRate] = 2;
    EXPECT_EQ(Block(0), expected) << "flags and report rate, nothing else";
    EXPECT_EQ(Page()->Keyboard().ReportRateHz(), 500);

    Find<ui::COptionUI>("winlockflag_option")->SetSelected(false);
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(Block(0)[KeyboardBlock::kWinLock], 0);

    // The repeat goes to the profile and the desktop, not to the keyboard.
    Find<ui::COptionUI>("repeat_delay_check_2")->SetSelected(true);
    Find<ui::COptionUI>("repeat_rate_check_1")->SetSelected(true);
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(Page()->Keyboard().Settings().RepeatDelay, 2);
    EXPECT_EQ(Page()->Keyboard().Settings().Repeat, 15);
    EXPECT_TRUE(Find("repeat_delay_time_label1")->GetText().endsWith("750ms"));
    EXPECT_EQ(CreateSystemKeyboardSettings()->RepeatDelay(), 2);
    EXPECT_EQ(CreateSystemKeyboardSettings()->RepeatRate(), 15);
    EXPECT_EQ(SavedDevice()["SystemStages"]["RepeatDelay"].asInt(), 2);
    EXPECT_EQ(Block(0)[KeyboardBlock::kSixKeyFlag], 1);
}

TEST_F(KeyboardPageTest, AKeyAssignmentAndAMacroMadeOnThePageReachTheKeyboardsMemories) {
    // A macro of the user's: press and release A.
    const std::string folder = std::string(std::getenv("HOME")) + "/.local/share/ORVANE Q730 Gaming Mouse/keyboard/";
    std::filesystem::create_directories(folder);
    ASSERT_TRUE(WriteMacroIndex(folder + "macro.config", {{"tap A", "m1"}}));
    ASSERT_TRUE(WriteMacroFile(folder + "m1.mac", MacroFile{{{"down", 4, 10, "30"}, {"up", 4, 10, "0"}}, "m1", "tap A"}));
    OpenConnected();
    ASSERT_NE(Page(), nullptr);

    Find<ui::COptionUI>("key_Op_tab")->SetSelected(true);
    Page()->GetKeyButton(static_cast<int>(kW))->click();
    ASSERT_EQ(Page()->GetSelectedKey(), static_cast<int>(kW));
    CKeySetControlUI& keys = *Page()->GetKeySetItem();
    Find<ui::CComboUI>("keyset_function_combo")->SelectItem(keys.FindPageEntry(kPageMacro));
    Find<ui::CComboUI>("keyset_macro_combo")->SelectItem(0, false);
    Find<ui::CComboUI>("keyset_macro_over_combo")->SelectItem(0, false);
    Click("key_butt_keysave");
    Click("key_butt_prosave");
    ASSERT_TRUE(WaitIdle());

    const FunctionCode code = Page()->Keyboard().Keys()[kW].Assignment;
    EXPECT_NE(code, KeyboardFactoryCodes()[kW]) << "W plays the macro now";
    EXPECT_EQ(SlotBytes(7), Bytes(code.begin(), code.end()));
    EXPECT_EQ(SlotBytes(sim::KeyboardFirmware::FactorySlotOfKey(43, 126)), (Bytes{0x20, 0x00, 0x14})) << "Q keeps its key";
    const Bytes macros = keyboard_->MacroMemory();
    EXPECT_EQ(Bytes(macros.begin(), macros.begin() + 2), (Bytes{0xAA, 0x55})) << "the macro memory holds the macro";
    EXPECT_EQ(SavedDevice()["KeyList"][static_cast<int>(kW)]["Assignment"].asUInt(),
              (uint32_t{code[0]} << 16) | (uint32_t{code[1]} << 8) | code[2]);
}

TEST_F(KeyboardPageTest, AReactiveModeLightsTheKeyTheKeyboardReportsPressedOnScreenAndOnTheKeyboard) {
    OpenConnected();
    ASSERT_NE(Page(), nullptr);
    ASSERT_TRUE(Page()->SyncChannel().IsOpen()) << "the event interface is read";
    SetMode(14);  // a press lights the key at once, its release fades it out
    const uint8_t led = sim::KeyboardFirmware::LedOfKey(kW);
    // The frame goes out a moment before the picture takes the same colours: wait for both.
    const auto shownW = [&] { return AlphaOf(Page()->GetLightColor(static_cast<int>(kW))); };
    ASSERT_TRUE(QTest::qWaitFor([&] { return keyboard_->LightFrame()[led] == 0 && shownW() == 0; }, 3000))
        << "dark before the press";

    ASSERT_TRUE(keyboard_->PressKey(7, *device_));
    ASSERT_TRUE(QTest::qWaitFor([&] { return keyboard_->LightFrame()[led] > 0; }, 3000)) << "the stream lights W";
    EXPECT_TRUE(QTest::qWaitFor([&] { return shownW() > 0; }, 3000)) << "the picture lights W";
    EXPECT_EQ(keyboard_->LightFrame()[sim::KeyboardFirmware::LedOfKey(43)], 0) << "Q stays dark";

    ASSERT_TRUE(keyboard_->ReleaseKey(7, *device_));
    EXPECT_TRUE(QTest::qWaitFor([&] { return keyboard_->LightFrame()[led] == 0; }, 5000)) << "W fades out";
}

TEST_F(KeyboardPageTest, NoLightFrameIsSentWhileTheWindowIsHidden) {
    app::CMainWnd& window = OpenConnected();
    ASSERT_NE(Page(), nullptr);
    SetMode(4);  // an intensity wave: a new frame on every step
    const uint64_t shown = keyboard_->LightFramesBegun();
    ASSERT_TRUE(QTest::qWaitFor([&] { return keyboard_->LightFramesBegun() > shown + 3; }, 3000));

    window.hide();
    QTest::qWait(100);  // a frame on its way may still land
    const uint64_t hidden = keyboard_->LightFramesBegun();
    QTest::qWait(600);
    EXPECT_EQ(keyboard_->LightFramesBegun(), hidden) << "nothing streams while hidden";

    window.show();
    ShowPage();
    EXPECT_TRUE(QTest::qWaitFor([&] { return keyboard_->LightFramesBegun() > hidden + 3; }, 3000)) << "shown again";
}

TEST_F(KeyboardPageTest, AKeyboardThatTakesNoKeysShowsTheKeyEditorsNoticeInTheInterfaceLanguage) {
    app::CMainWnd& window = OpenConnected();
    ASSERT_NE(Page(), nullptr);
    constexpr const char* kNotices[] = {"keytishi_layout", "mstishi_layout", "ENtishi_layout"};
    const auto clickW = [&] {
        Page()->GetKeyButton(static_cast<int>(kW))->click();
        ASSERT_TRUE(WaitIdle());
    };
    const auto shownNotices = [&] {
        std::vector<std::string> shown;
        for (const char* name : kNotices) {
            if (Find(name)->IsVisible()) shown.emplace_back(name);
        }
        return shown;
    };
    Find<ui::COptionUI>("key_Op_tab")->SetSelected(true);
    clickW();
    EXPECT_TRUE(Find("keyset_layout")->IsVisible()) << "the factory profile's block says it takes keys";
    EXPECT_TRUE(shownNotices().empty());

    // A profile colour without green: the first block says the keyboard takes no keys.
    LightSetting light = Page()->Keyboard().LightState().light;
    light.green = 0;
    ASSERT_TRUE(Page()->ChangeLighting(light));
    ASSERT_TRUE(WaitIdle());
    ASSERT_EQ(Block(0)[KeyboardBlock::kGreen], 0);
    clickW();
    EXPECT_FALSE(Find("keyset_layout")->IsVisible());
    EXPECT_EQ(shownNotices(), std::vector<std::string>{"ENtishi_layout"});

    window.SendMessage(ui::kApplyLanguage, 1, 0);  // Simplified Chinese
    clickW();
    EXPECT_EQ(shownNotices(), std::vector<std::string>{"keytishi_layout"});
    EXPECT_EQ(Find("keytishi_layout_text")->GetText(), QString::fromUtf8("此键盘不支持按键设置：按键保持出厂功能。"));
    EXPECT_TRUE(window.grab().toImage().save(ScreenshotFolder() + "/kb-key-notice-cn.png"));

    light.green = 255;
    ASSERT_TRUE(Page()->ChangeLighting(light));
    ASSERT_TRUE(WaitIdle());
    clickW();
    EXPECT_TRUE(Find("keyset_layout")->IsVisible());
    EXPECT_TRUE(shownNotices().empty());
}

TEST_F(KeyboardPageTest, TheCustomGroupChosenOnTheLightingPanelIsThePatternTheKeyboardShows) {
    OpenConnected();
    ASSERT_NE(Page(), nullptr);
    SetMode(kCustomStaticMode);
    const uint8_t ledQ = sim::KeyboardFirmware::LedOfKey(43);
    const auto qLit = [&] { return (keyboard_->CustomBitmap()[ledQ % 21] >> (ledQ / 21)) & 1; };
    ASSERT_EQ(qLit(), 0);
    ASSERT_TRUE(Page()->OnKeyButtonClicked(43));  // Q on in group 0
    ASSERT_TRUE(WaitIdle());
    ASSERT_EQ(qLit(), 1);

    auto* groups = Find<ui::CComboUI>("light_combo_custommodeSelect");
    ASSERT_NE(groups, nullptr);
    EXPECT_EQ(groups->GetCurSel(), 0);
    groups->SelectItem(2);  // as the user picks it: the notification is routed to the page
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(qLit(), 0) << "a new group lights only its highlighted keys";
    EXPECT_EQ(SavedDevice()["CustomLightMode"]["CustomLightModeGroupIndex"].asInt(), 2);

    groups->SelectItem(0);
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(qLit(), 1) << "group 0 kept Q";
    QTest::qWait(100);
    EXPECT_TRUE(Window().grab().toImage().save(ScreenshotFolder() + "/kb-custom-pattern-en.png"));
    EXPECT_EQ(SavedDevice()["CustomLightMode"]["CustomLightModeGroupIndex"].asInt(), 0);
}

TEST_F(KeyboardPageTest, TheKeyRepeatResetPutsTheDesktopsDefaultsBack) {
    OpenConnected();
    ASSERT_NE(Page(), nullptr);
    Find<ui::COptionUI>("system_Op_tab")->SetSelected(true);
    Find<ui::COptionUI>("repeat_delay_check_3")->SetSelected(true);
    Find<ui::COptionUI>("repeat_rate_check_0")->SetSelected(true);
    ASSERT_EQ(CreateSystemKeyboardSettings()->RepeatDelay(), 3);

    Find("reset_repeat_btn")->SendNotify("click");
    EXPECT_EQ(Page()->Keyboard().Settings().RepeatDelay, kDefaultKeyRepeatDelay);
    EXPECT_EQ(Page()->Keyboard().Settings().Repeat, kDefaultKeyRepeatRate);
    EXPECT_EQ(CreateSystemKeyboardSettings()->RepeatDelay(), kDefaultKeyRepeatDelay);
    EXPECT_EQ(CreateSystemKeyboardSettings()->RepeatRate(), kDefaultKeyRepeatRate);
    EXPECT_TRUE(Find<ui::COptionUI>("repeat_delay_check_1")->IsSelected());
    EXPECT_TRUE(Find<ui::COptionUI>("repeat_rate_check_3")->IsSelected());
    EXPECT_EQ(Find<ui::CSliderUI>("repeat_rate_slider")->GetValue(), kDefaultKeyRepeatRate);
    EXPECT_TRUE(Find("repeat_delay_time_label1")->GetText().endsWith("500ms"));
}

// Synchronised lighting paints the page from the synchroniser's thread while the preview stands
// still; the page's paint pass hands those colours to the keyboard.
TEST_F(KeyboardPageTest, SynchronisedLightingReachesTheKeyboard) {
    OpenConnected();
    ASSERT_NE(Page(), nullptr);
    SetMode(1);
    Page()->SetSyncLighting(true);
    for (int i = 0; i < Page()->GetLightCount(); ++i) Page()->PreviewState()->SetLightColor(static_cast<size_t>(i), MakeLightColor({0, 255, 0}, 77));
    Page()->PaintLightButtons();
    const uint8_t led = sim::KeyboardFirmware::LedOfKey(kW);
    EXPECT_TRUE(QTest::qWaitFor([&] { return keyboard_->LightFrame()[led] == 77; }, 3000));
    EXPECT_EQ(keyboard_->LightFrame()[sim::KeyboardFirmware::LedOfKey(43)], 77);
    Page()->SetSyncLighting(false);
}

// A reset whose macros do not fit the keyboard says how many steps must go; the profile stands.
TEST_F(KeyboardPageTest, AResetWhoseMacrosDoNotFitSaysHowManyStepsMustGo) {
    const std::string folder = std::string(std::getenv("HOME")) + "/.local/share/ORVANE Q730 Gaming Mouse/keyboard/";
    std::filesystem::create_directories(folder);
    ASSERT_TRUE(WriteMacroIndex(folder + "macro.config", {{"long", "m1"}}));
    MacroFile macro{{}, "m1", "long"};
    for (int i = 0; i < 40; ++i) {
        macro.Events.push_back({"down", 4, 10, "30"});
        macro.Events.push_back({"up", 4, 10, "30"});
    }
    ASSERT_TRUE(WriteMacroFile(folder + "m1.mac", macro));
    sim::KeyboardOptions small;
    small.macroUnits = 1;
    OpenConnected(small);
    ASSERT_NE(Page(), nullptr);

    Find("device_reset_btn")->SendNotify("click");
    ASSERT_TRUE(WaitIdle());
    QString shown;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        for (ui::WindowImplBase* w : ui::WindowImplBase::Windows()) {
            auto* box = dynamic_cast<ui::CMsgWnd*>(w);
            if (box == nullptr || box->IsClosed()) continue;
            if (auto* text = box->FindControl("MessageText")) shown = text->GetText();
            box->Close();
        }
        return !shown.isEmpty();
    }, 3000));
    const int excess = Page()->Keyboard().LastProfileMacroWrite();
    ASSERT_GT(excess, 0);
    EXPECT_EQ(shown, QString("The macros do not fit into the device's memory. Remove %1 macro steps and try again.").arg(excess));
    EXPECT_TRUE(std::filesystem::exists(Page()->GetProfileFileName())) << "the profile stands";
}

TEST_F(KeyboardPageTest, AProfileTheKeyboardDoesNotTakeLeavesTheFolderAsItWas) {
    OpenConnected();
    ASSERT_NE(Page(), nullptr);
    auto* combo = Find<ui::CComboUI>("device_profile_combo");
    const auto userFiles = [&] {
        std::map<std::string, std::string> files;
        for (const auto& e : std::filesystem::directory_iterator(Page()->Keyboard().UserDataFolder())) {
            std::ifstream in(e.path(), std::ios::binary);
            files[e.path().filename().string()] = {std::istreambuf_iterator<char>(in), {}};
        }
        return files;
    };
    Click("device_add_btn");
    ASSERT_TRUE(WaitIdle());
    ASSERT_EQ(combo->count(), 2);
    const auto files = userFiles();
    const std::string shown = Page()->GetProfileFileName();

    for (const auto& [what, operation] : std::vector<std::pair<const char*, std::function<void()>>>{
             {"add", [&] { Click("device_add_btn"); }}, {"select", [&] { combo->SelectItem(0, true); }}}) {
        sim::CommandFaults faults;
        faults.errorStatusReports = 1000;
        keyboard_->SetFaults(faults);
        operation();
        ASSERT_TRUE(WaitIdle());
        keyboard_->SetFaults({});
        EXPECT_EQ(userFiles(), files) << what;
        EXPECT_EQ(combo->GetCurSel(), 1) << what;
        EXPECT_EQ(Page()->GetProfileFileName(), shown) << what;
    }
    Click("device_add_btn");
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(combo->count(), 3) << "with the keyboard answering again an add stands";
}

// Both layouts with an animated mode, in English and Chinese, two frames apart. The emulated
// keyboard's rows both name the first layout; the second is built beside the connected page, given
// the same lighting, and its preview advanced by hand (it has no keyboard to run for).
TEST_F(KeyboardPageTest, BothLayoutsAnimateInBothLanguages) {
    app::CMainWnd& window = OpenConnected();
    ASSERT_NE(Page(), nullptr);
    SetMode(4);  // an intensity wave along the columns
    app::test::LayoutBuilder builder;
    auto* second = dynamic_cast<CQuorvantKeyboardDevice*>(
        ui::CDialogBuilder().Create("XML\\DeviceXml\\keyboarddevice1.xml", &builder));
    ASSERT_NE(second, nullptr);
    second->SetPageName("XML\\DeviceXml\\keyboarddevice1.xml");
    second->SetMainWindow(&window);
    second->SetKeyButtonCount(126);
    second->SetLightCount(126);
    second->SetDeviceFolder("keyboard4760");
    second->SetLightTableIndex(4);
    second->SetConfigName("vexal_light");
    second->InitPage();
    second->ChangeLighting(Page()->Keyboard().LightState().light);
    second->RefreshControls();
    auto* pages = window.FindControl<ui::CTabLayoutUI>("device_switch");
    ASSERT_NE(pages, nullptr);
    pages->Add(second);

    auto picture = [&](CQuorvantUSBDevice& page, const QString& name) {
        pages->SelectItem(pages->GetItemIndex(&page));
        std::optional<QImage> previous;
        for (int frame = 0; frame < 2; ++frame) {
            QTest::qWait(350);
            if (&page == second) {
                second->PreviewState()->AdvanceTurns(200);
                second->PaintLightButtons();
            }
            const QImage image = window.grab().toImage();
            if (previous) {
                EXPECT_NE(*previous, image) << "the wave moves, " << name.toStdString();
            }
            EXPECT_TRUE(image.save(ScreenshotFolder() + "/" + name + "-" + QString::number(frame) + ".png"));
            previous = image;
        }
    };
    // Language 0 is English, 1 Simplified Chinese ("Language.config").
    for (const auto& [index, language] : {std::pair{0, "en"}, std::pair{1, "cn"}}) {
        window.SendMessage(ui::kApplyLanguage, static_cast<ui::WParam>(index), 0);
        picture(*Page(), QString("kb-layout0-") + language);
        picture(*second, QString("kb-layout1-") + language);
    }
    pages->SelectItem(pages->GetItemIndex(Page()));

    // The other panels of the first layout, in English.
    window.SendMessage(ui::kApplyLanguage, 0, 0);
    Find<ui::COptionUI>("key_Op_tab")->SetSelected(true);
    Page()->GetKeyButton(static_cast<int>(kW))->click();
    for (const auto& [tab, name] : {std::pair{"key_Op_tab", "keys"}, std::pair{"macro_Op_tab", "macros"},
                                    std::pair{"system_Op_tab", "settings"}}) {
        Find<ui::COptionUI>(tab)->SetSelected(true);
        ASSERT_TRUE(WaitIdle());
        QTest::qWait(100);
        EXPECT_TRUE(window.grab().toImage().save(ScreenshotFolder() + "/kb-layout0-en-" + name + ".png"));
    }
}

}  // namespace
}  // namespace orvane::test
