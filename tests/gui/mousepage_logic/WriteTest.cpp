// What the mouse page writes to the mouse and saves for each trigger of the main window: a DPI
// slider, a profile chosen in the profile panel, the key buttons and the key panel's save, the
// restore of the defaults, the profile reset, the function tabs and the light band; and a mouse
// that stops answering in the middle of a write.
#include "MousePageLogicFixture.h"

#include <QElapsedTimer>

#include <atomic>
#include <thread>

#include "mouse/MouseProfileBridge.h"
#include "light/LightColor.h"
#include "profiles/CMouseProfiledata.h"
#include "profiles/MacroFile.h"
#include "profiles/ProfileList.h"
#include "profiles/ProfilePaths.h"
#include "protocol/MacroArea.h"
#include "ui/controls/DeviceKeyButton.h"
#include "ui/framework/Combo.h"
#include "ui/framework/Option.h"
#include "ui/framework/Slider.h"
#include "ui/framework/TabLayout.h"

#include <QGuiApplication>
#include <QScreen>

namespace orvane::test {
namespace {

constexpr KeyCodeBytes kLeftButton{0x10, 0x01, 0x00};
constexpr KeyCodeBytes kKeyA{0x20, 0x00, 0x04};

// A drag of the slider to `value`, then its release.
void Drag(ui::CSliderUI& slider, int value) {
    slider.setSliderDown(true);
    slider.setValue(value);
    slider.setSliderDown(false);
}

class MouseWriteTest : public MousePageLogicTest {
protected:
    // The key table slot the emulated mouse keeps logical button `button` in.
    std::vector<uint8_t> DeviceKey(size_t button) {
        EXPECT_TRUE(WaitIdle());
        const size_t slot = Firmware().Options().slotOfButton[button];
        const auto table = Firmware().KeyTable();
        return {table.begin() + static_cast<std::ptrdiff_t>(3 * slot), table.begin() + static_cast<std::ptrdiff_t>(3 * slot + 3)};
    }

    void SelectTab(const char* tab) { Find<ui::COptionUI>(tab)->SetSelected(true); }

    bool SettingsScreenFlag() { return DeviceBlock()[block::kScreenValid] != 0; }
};

TEST_F(MouseWriteTest, ADpiSliderWritesTheSettingsBlockWhenReleasedAndSavesTheProfile) {
    OpenConnected();
    auto* slider = Find<ui::CSliderUI>("DPI_slider_1");
    ASSERT_NE(slider, nullptr);
    const uint16_t before = StageX(DeviceBlock(), 1);
    slider->setSliderDown(true);
    slider->setValue(40);
    EXPECT_EQ(StageX(DeviceBlock(), 1), before) << "moving only shows the value";
    slider->setSliderDown(false);
    const std::vector<uint8_t> written = DeviceBlock();
    EXPECT_EQ(StageX(written, 1), 40);
    EXPECT_EQ(written[block::kScreenValid], 1) << "a settings change sends the desktop size";
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(written[block::kScreenValid + 1] | written[block::kScreenValid + 2] << 8, screen.width());
    EXPECT_EQ(CurrentProfileDocument()["DPIStages"]["StageDPIs"][1]["StageDPIX"].asInt(), 40);
}

TEST_F(MouseWriteTest, ChoosingAnotherProfileWritesItsKeysMacrosAndSettingsWithoutTheScreenSize) {
    // Two profiles, the second with its own key, stage and macro; the first selected.
    ProfileList list;
    list.SetDeviceKind(kDeviceMouse);
    list.SetProfilePaths(UserDataFolder("mouse"), DefaultProfilePath("mouse"));
    list.InitProfileList();
    ASSERT_TRUE(list.AddProfile().Changed());
    CMouseProfiledata second;
    second.SetDefaultProfilePath(DefaultProfilePath("mouse"));
    second.SetProfilePath(list.SelectedProfilePath());
    second.LoadProfile(list.SelectedProfilePath());
    std::vector<KeyListEntry> keys = second.GetKeyList();
    keys[1].Assignment = kKeyA;
    second.SetKeyList(keys);
    std::vector<DpiStage> stages = second.GetDpiStages();
    stages[0].StageDPIX = 50;
    second.SetDpiStages(stages);
    ASSERT_EQ(second.SaveProfile(), 0);
    ASSERT_TRUE(list.SelectProfile(0).Changed());
    const std::string folder = UserDataFolder("mouse");
    ASSERT_TRUE(WriteMacroIndex(folder + kMacroIndexFileName, {{"Jump", "macro1"}}));
    MacroFile macro;
    macro.Guid = "macro1";
    macro.Events = {{"down", 4, 10, "20"}, {"up", 4, 10, "30"}};
    ASSERT_TRUE(WriteMacroFile(*MacroFilePath(folder, "macro1"), macro));

    OpenConnected();
    Drag(*Find<ui::CSliderUI>("DPI_slider_2"), 30);  // the screen size is in the mouse now
    ASSERT_TRUE(SettingsScreenFlag());

    Find<ui::CComboUI>("device_profile_combo")->SelectItem(1);

    EXPECT_EQ(DeviceKey(1), std::vector<uint8_t>(kKeyA.begin(), kKeyA.end()));
    const std::vector<uint8_t> settings = DeviceBlock();
    EXPECT_EQ(StageX(settings, 0), 50);
    EXPECT_EQ(settings[block::kScreenValid], 0) << "a profile choice sends screen flag 0";
    EXPECT_EQ(settings[block::kScreenValid + 1], 0);
    const auto compiled = CompileMacroArea(MacroEventsForDevice(*ReadDeviceMacros(folder)),
                                           size_t{Firmware().Options().macroUnits} * kMacroUnitBytes);
    ASSERT_FALSE(compiled.image.empty());
    ASSERT_TRUE(WaitIdle());
    const auto memory = Firmware().MacroMemory();
    EXPECT_TRUE(std::equal(compiled.image.begin(), compiled.image.end(), memory.begin()));
    EXPECT_EQ(Find<ui::CSliderUI>("DPI_slider_0")->GetValue(), 50) << "and the page shows it";
    EXPECT_EQ(Page()->GetProfileFileName(), list.ProfilePathOf(list.Entries()[1].uuid));
}

TEST_F(MouseWriteTest, KeyButtonsOfTheKeyPanelKeepTheOnlyLeftButtonAndTheSaveWritesTheKeys) {
    OpenConnected();
    CQuorvantMouseDevice* page = Page();
    page->GetKeyButton(1)->click();
    EXPECT_EQ(page->GetSelectedKey(), -1) << "outside the key panel a key button selects nothing";

    SelectTab("key_Op_tab");
    ASSERT_EQ(page->GetFunctionPanel(), CQuorvantUSBDevice::kPanelKeys);
    const QString shown = AnswerMessage([&] { page->GetKeyButton(0)->click(); });
    EXPECT_EQ(shown, LanguageText("message_text_6"));
    EXPECT_EQ(page->GetSelectedKey(), -1);

    EXPECT_TRUE(AnswerMessage([&] { page->GetKeyButton(1)->click(); }).isEmpty());
    EXPECT_EQ(page->GetSelectedKey(), 1);
    EXPECT_TRUE(Find<ui::CControlUI>("keyset_layout") == nullptr || Find<ui::CControlUI>("keyset_layout")->IsVisible());
    // The key editor's assignment: key 1 becomes a second left button, so key 0 may be edited.
    KeyListEntry entry = page->GetKeyList()[1];
    entry.Assignment = kLeftButton;
    page->SetKeyAssignment(entry);
    EXPECT_TRUE(AnswerMessage([&] { page->GetKeyButton(0)->click(); }).isEmpty());
    EXPECT_EQ(page->GetSelectedKey(), 0);
    EXPECT_NE(DeviceKey(1), std::vector<uint8_t>(kLeftButton.begin(), kLeftButton.end())) << "not written before the save";

    ui::CButtonUI save;
    save.SetName("key_butt_prosave");
    Window().SendNotify(&save, "click");
    EXPECT_EQ(DeviceKey(1), std::vector<uint8_t>(kLeftButton.begin(), kLeftButton.end()));
    EXPECT_EQ(CurrentProfileDocument()["KeyList"][1]["Assignment"].asInt(), static_cast<int>(PackAssignment(kLeftButton)));
}

TEST_F(MouseWriteTest, RestoringTheDefaultsAsksFirstThenWritesKeysAndSettings) {
    OpenConnected();
    Drag(*Find<ui::CSliderUI>("DPI_slider_0"), 90);
    ASSERT_EQ(StageX(DeviceBlock(), 0), 90);
    auto* restore = Find<ui::CButtonUI>("default_btn");
    ASSERT_NE(restore, nullptr);

    EXPECT_EQ(AnswerMessage([&] { restore->click(); }, "cancel_btn"), LanguageText("message_text_22"));
    EXPECT_EQ(StageX(DeviceBlock(), 0), 90) << "answered no: nothing changes";
    EXPECT_EQ(CurrentProfileDocument()["DPIStages"]["StageDPIs"][0]["StageDPIX"].asInt(), 90);

    AnswerMessage([&] { restore->click(); });
    EXPECT_EQ(StageX(DeviceBlock(), 0), 3);
    EXPECT_TRUE(SettingsScreenFlag());
    EXPECT_EQ(CurrentProfileDocument()["DPIStages"]["StageDPIs"][0]["StageDPIX"].asInt(), 3);
    EXPECT_EQ(Find<ui::CSliderUI>("DPI_slider_0")->GetValue(), 3);
}

TEST_F(MouseWriteTest, ResettingTheProfileRewritesItFromTheDefaultProfile) {
    OpenConnected();
    Drag(*Find<ui::CSliderUI>("DPI_slider_4"), 12);
    const std::string name = Page()->GetProfileItem()->List().SelectedName();
    Find<ui::CButtonUI>("device_reset_btn")->click();
    EXPECT_EQ(StageX(DeviceBlock(), 4), 63);
    EXPECT_TRUE(SettingsScreenFlag());
    EXPECT_EQ(CurrentProfileDocument()["DPIStages"]["StageDPIs"][4]["StageDPIX"].asInt(), 63);
    EXPECT_EQ(Find<ui::CSliderUI>("DPI_slider_4")->GetValue(), 63);
    EXPECT_EQ(Page()->GetProfileItem()->List().SelectedName(), name) << "the profile keeps its name";
}

TEST_F(MouseWriteTest, FunctionTabsSwitchThePanelsAndAllButTheKeyTabDropUnsavedKeys) {
    OpenConnected();
    CQuorvantMouseDevice* page = Page();
    auto* functions = Find<ui::CTabLayoutUI>("device_function_switch");
    auto* keyFunctions = Find<ui::CTabLayoutUI>("device_key_function_switch");
    auto* tip = Find<ui::CControlUI>("device_tishi_info");
    ASSERT_TRUE(functions != nullptr && keyFunctions != nullptr && tip != nullptr);
    struct Case {
        const char* tab;
        int panel, function, keyFunction;
        bool tip;
    };
    const Case cases[] = {
        {"system_Op_tab", 4, 0, 2, true},
        {"key_Op_tab", 2, 0, 1, true},
        {"deng_Op_tab", 1, 0, 0, true},
    };
    for (const Case& c : cases) {
        SelectTab(c.tab);
        EXPECT_EQ(page->GetFunctionPanel(), c.panel) << c.tab;
        EXPECT_EQ(functions->GetCurSel(), c.function) << c.tab;
        EXPECT_EQ(keyFunctions->GetCurSel(), c.keyFunction) << c.tab;
        EXPECT_EQ(tip->IsVisible(), c.tip) << c.tab;
    }
    page->SwitchFunctionPanel(CQuorvantUSBDevice::kPanelMacros);
    EXPECT_EQ(functions->GetCurSel(), 1);
    EXPECT_EQ(keyFunctions->GetCurSel(), 0) << "the macro panel leaves the key switch alone";
    EXPECT_FALSE(tip->IsVisible());

    SelectTab("key_Op_tab");
    page->SelectKey(4);
    KeyListEntry entry = page->GetKeyList()[4];
    const KeyCodeBytes saved = entry.Assignment;
    entry.Assignment = kKeyA;
    page->SetKeyAssignment(entry);
    page->SwitchFunctionPanel(CQuorvantUSBDevice::kPanelKeys);
    EXPECT_EQ(page->GetKeyList()[4].Assignment, kKeyA) << "the key panel keeps the edit";
    SelectTab("system_Op_tab");
    EXPECT_EQ(page->GetKeyList()[4].Assignment, saved) << "another panel reloads the profile";
}

TEST_F(MouseWriteTest, TheLightBandOverEveryLightReloadsAndWritesWhenTheBandFileReads) {
    OpenConnected();
    auto* panel = Find<ui::CControlUI>("mouse_device_key_light");
    ASSERT_NE(panel, nullptr);
    // The profile file changed behind the page; a full band reloads it and writes it.
    CMouseProfiledata file;
    file.SetProfilePath(Page()->GetProfileFileName());
    file.LoadProfile(Page()->GetProfileFileName());
    std::vector<DpiStage> stages = file.GetDpiStages();
    stages[5].StageDPIX = 77;
    file.SetDpiStages(stages);
    ASSERT_EQ(file.SaveProfile(), 0);
    // A band over the whole picture.
    auto selectAll = [&] {
        for (ui::CControlUI* child : ui::ControlsBelow(panel->GetWidget())) {
            if (auto* button = dynamic_cast<ui::CDeviceKeyButtonUI*>(child)) button->SetBandSelected(true);
        }
        panel->SendNotify("click_select_end");
    };

    selectAll();
    EXPECT_NE(StageX(DeviceBlock(), 5), 77) << "without the band file nothing happens";
    WriteHomeFile(".local/share/ORVANE Q730 Gaming Mouse/.json", "{}");
    selectAll();
    EXPECT_EQ(StageX(DeviceBlock(), 5), 77);
    EXPECT_TRUE(SettingsScreenFlag());
}

TEST_F(MouseWriteTest, TheLightEditorsStateGoesIntoTheLightStateAndTheDocument) {
    OpenConnected();
    CQuorvantMouseDevice* page = Page();
    // Mode 5, brightness 2, speed 1, direction 1; multicolour 0, red 10, green 20, blue 30; the
    // editor's bytes 0x3456 and 0x12, with a top byte that is not the page's.
    page->SetLightState(0x01010205, 0x1E140A00, 0xFF123456);
    const LightInfoRecord state = page->GetLightState();
    EXPECT_EQ(state.light.mode, 5);
    EXPECT_EQ(state.light.direction, 1);
    EXPECT_EQ(state.EditorValue, 0x3456);
    EXPECT_EQ(state.EditorByte, 0x12);
    EXPECT_EQ(SelectionColor(state.light), (Rgb{10, 20, 30}));
    page->StoreProfile();
    const Json::Value saved = CurrentProfileDocument()["LightInfo"];
    EXPECT_EQ(saved["SelectItem"].asInt(), 5);
    EXPECT_EQ(saved["Light"].asInt(), 2);
    EXPECT_EQ(saved["Blue"].asInt(), 30);
}

TEST_F(MouseWriteTest, AMouseFallingSilentInTheMiddleOfAWriteLeavesThePageWorkingAndTheProfileSaved) {
    OpenConnected();
    // Silent once the group's BeginTransfer and first data report have reached the mouse.
    const uint64_t start = Firmware().ReportsReceived();
    std::atomic<bool> armed{false};
    std::thread silencer([&] {
        while (Firmware().ReportsReceived() < start + 2) std::this_thread::sleep_for(1ms);
        sim::CommandFaults faults;
        faults.silentReports = -1;
        Firmware().SetFaults(faults);
        armed = true;
    });
    QElapsedTimer clock;
    clock.start();
    QTimer tick;
    int ticks = 0;
    QObject::connect(&tick, &QTimer::timeout, [&] { ++ticks; });
    tick.start(10);
    Drag(*Find<ui::CSliderUI>("DPI_slider_1"), 25);
    const qint64 stalled = clock.elapsed();
    ASSERT_TRUE(WaitIdle());
    const qint64 settled = clock.elapsed();
    silencer.join();
    ASSERT_TRUE(armed);
    EXPECT_LT(stalled, 500) << "the write runs on the command worker, not on the UI thread";
    EXPECT_LT(settled, 3500) << "the group stops at the first command that found no answer";
    EXPECT_EQ(CurrentProfileDocument()["DPIStages"]["StageDPIs"][1]["StageDPIX"].asInt(), 25) << "saved first";
    const int before = ticks;
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks > before + 3; }, 1000)) << "the UI thread runs on";

    // Once the mouse answers again the same page writes it.
    Firmware().SetFaults({});
    Drag(*Find<ui::CSliderUI>("DPI_slider_1"), 26);
    EXPECT_EQ(StageX(DeviceBlock(), 1), 26);
}

}  // namespace
}  // namespace orvane::test
