// The keyboard core end to end against the emulated keyboard, with real files under a temporary
// HOME: what the connection learns, what the keyboard's memories hold after each change, the
// custom pattern, the light stream and a reactive mode fed by the keyboard's own key events.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "keyboard/KeyboardDevice.h"
#include "keyboard/KeyboardPreviewAnimator.h"
#include "profiles/JsonFileStore.h"
#include "profiles/ProfilePaths.h"
#include "protocol/SyncThread.h"
#include "tests/sim/PadOnBus.h"
#include "tests/support/TempHome.h"

namespace orvane {
namespace {

using namespace std::chrono_literals;
using sim::KeyboardFirmware;
using test::Bytes;

class KeyboardDeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = home.WriteFile(".local/share/ORVANE Q730 Gaming Mouse/keyboard/p.Json",
                              R"({"profilename": "P", "profileUUID": "p"})");
        core.SetFiles(UserDataFolder("keyboard"), std::string(ORVANE_SOURCE_DIR) + "/DefaultData/keyboard.Json");
        ASSERT_TRUE(core.Connect().Ok());
        ASSERT_TRUE(core.UseProfile("p"));
        ASSERT_TRUE(core.LoadProfileOnConnect().Ok());
    }

    Bytes Block() {
        const Bytes memory = kb.firmware->ParameterMemory();
        return Bytes(memory.begin(), memory.begin() + 25);
    }
    Json::Value Saved() const { return JsonFileStore().ReadJsonValue(path)["Device"][0]; }
    uint8_t SlotOf(size_t key) const { return KeyboardFirmware::FactorySlotOfKey(key, 126); }
    Bytes SlotBytes(size_t slot) const {
        const Bytes table = kb.firmware->KeyTable();
        return Bytes(table.begin() + 3 * slot, table.begin() + 3 * slot + 3);
    }
    LightSetting Mode(uint8_t mode) const {
        LightSetting light = core.LightState().light;
        light.mode = mode;
        light.brightness = 4;
        light.speed = 4;
        return light;
    }

    test::TempHome home;
    test::KeyboardOnBus kb;
    FileSystemKeyboardSettings desktop{home.Path() + "/desktop.json"};
    KeyboardDevice core{kb.channel, desktop};
    std::string path;
};

TEST_F(KeyboardDeviceTest, ConnectLearnsEachKeysSlotAndLed) {
    const KeyboardMaps maps = core.Maps();
    for (size_t key = 0; key < kKeyboardKeyCount; ++key) {
        // The five placeholder keys share one code: each gets one of their slots.
        if (KeyboardFactoryCodes()[key] != FunctionCode{0x20, 0x00, 0x00}) {
            EXPECT_EQ(maps.slotOfKey[key], SlotOf(key)) << "key " << key;
        }
        EXPECT_EQ(maps.ledOfKey[key], KeyboardFirmware::LedOfKey(key)) << "key " << key;
    }
    EXPECT_EQ(maps.slotOfKey[44], 7);
    EXPECT_EQ(core.Keys().size(), 126u) << "the default profile's key list";
    EXPECT_EQ(kb.channel.BlockSize(), 378);
}

TEST_F(KeyboardDeviceTest, EachSettingLeavesTheExactBlock) {
    ASSERT_TRUE(core.SetWindowsKeyLock(true).Ok());
    EXPECT_EQ(Block()[21], 1);
    ASSERT_TRUE(core.SetReportRateHz(500).Ok());
    ASSERT_TRUE(core.SetSixKeyRollover(true).Ok());
    ASSERT_TRUE(core.SetWKeyLock(true).Ok());
    const KeyboardBlock expected = KeyboardBlock::Build(0, core.LightState().light, core.Settings());
    EXPECT_EQ(Block(), Bytes(expected.bytes.begin(), expected.bytes.end()));
    EXPECT_EQ(Block()[19], 1);
    EXPECT_EQ(Block()[20], 1);
    EXPECT_EQ(Block()[22], 2);
    EXPECT_EQ(Saved()["SystemStages"]["PollingRate"], 2);
    EXPECT_EQ(Saved()["SystemStages"]["WinFlag"], 1);
    EXPECT_TRUE(core.SetReportRateHz(2000).IsRefused());
    EXPECT_FALSE(kb.firmware->InTransfer());
}

TEST_F(KeyboardDeviceTest, KeyRepeatGoesToTheProfileAndTheDesktop) {
    ASSERT_TRUE(core.SetRepeatDelayMs(750).Ok());
    EXPECT_EQ(core.Settings().RepeatDelay, 2);
    EXPECT_EQ(desktop.RepeatDelay(), 2);
    EXPECT_EQ(Saved()["SystemStages"]["RepeatDelay"], 2);
    ASSERT_TRUE(core.SetRepeatRate(15).Ok());
    EXPECT_EQ(desktop.RepeatRate(), 15);
    EXPECT_TRUE(core.SetRepeatDelayMs(600).IsRefused());
    EXPECT_TRUE(core.SetRepeatRate(32).IsRefused());
}

TEST_F(KeyboardDeviceTest, TheDesktopsRepeatReplacesTheProfilesOnConnection) {
    ASSERT_TRUE(desktop.SetRepeatRate(3));
    ASSERT_TRUE(desktop.SetRepeatDelay(3));
    ASSERT_TRUE(core.LoadProfileOnConnect().Ok());
    EXPECT_EQ(core.Settings().Repeat, 3);
    EXPECT_EQ(Saved()["SystemStages"]["RepeatDelay"], 3);
}

TEST_F(KeyboardDeviceTest, AKeyAssignmentAndAMacroReachTheKeyboardsMemories) {
    home.WriteFile(".local/share/ORVANE Q730 Gaming Mouse/keyboard/macro.config",
                   R"({"MacroInfo": [{"MacroName": "m", "Guid": "m1"}]})");
    home.WriteFile(".local/share/ORVANE Q730 Gaming Mouse/keyboard/m1.mac",
                   R"({"Events": [{"Action": "down", "Type": 10, "Button": 4, "Delay": "30"},
                                  {"Action": "up", "Type": 10, "Button": 4, "Delay": "0"}]})");
    ASSERT_TRUE(core.AssignKey(44, {0x70, 0x00, 0x00}).Ok());
    EXPECT_EQ(SlotBytes(7), (Bytes{0x70, 0x00, 0x00})) << "W, in slot 7, now plays macro 0";
    EXPECT_EQ(SlotBytes(SlotOf(43)), (Bytes{0x20, 0x00, 0x14})) << "Q keeps its key";
    const Bytes macros = kb.firmware->MacroMemory();
    EXPECT_EQ(Bytes(macros.begin(), macros.begin() + 6), (Bytes{0xAA, 0x55, 30, 0, 1, 0}));
    EXPECT_EQ(Bytes(macros.begin() + 16, macros.begin() + 26), (Bytes{18, 0, 2, 0, 0, 0, 30, 0, 0x8A, 4}));
    EXPECT_EQ(Saved()["KeyList"][44]["Assignment"], 0x700000);
    EXPECT_TRUE(core.AssignKey(126, {0x20, 0, 4}).IsRefused());

    // The next run finds W by the code it now holds and keeps writing it there.
    KeyboardDevice next{kb.channel, desktop};
    next.SetFiles(UserDataFolder("keyboard"), std::string(ORVANE_SOURCE_DIR) + "/DefaultData/keyboard.Json");
    ASSERT_TRUE(next.Connect().Ok());
    ASSERT_TRUE(next.UseProfile("p"));
    ASSERT_TRUE(next.LoadProfileOnConnect().Ok());
    ASSERT_TRUE(next.AssignKey(44, {0x20, 0x01, 0x06}).Ok());
    EXPECT_EQ(SlotBytes(7), (Bytes{0x20, 0x01, 0x06}));
    EXPECT_EQ(next.Maps().ledOfKey[44], KeyboardFirmware::LedOfKey(44));
}

TEST_F(KeyboardDeviceTest, CustomModeSendsThePatternAndStopsTheStream) {
    ASSERT_TRUE(core.SetLighting(Mode(kCustomStaticMode)).Ok());
    EXPECT_EQ(Block()[1], kCustomStaticMode);
    const auto bit = [&](size_t key) {
        const uint8_t led = KeyboardFirmware::LedOfKey(key);
        return (kb.firmware->CustomBitmap()[led % 21] >> (led / 21)) & 1;
    };
    EXPECT_EQ(bit(44), 1) << "a new group lights its eight highlighted keys";
    EXPECT_EQ(bit(43), 0);
    ASSERT_TRUE(core.ToggleCustomKey(43).Ok());
    EXPECT_EQ(bit(43), 1);
    ASSERT_TRUE(core.ToggleCustomKey(44).Ok());
    EXPECT_EQ(bit(44), 0);
    EXPECT_EQ(Saved()["CustomLightMode"]["LightColorInfo"][0][44]["Red"], 0);

    const uint64_t frames = kb.firmware->LightFramesBegun();
    core.Lighting().AdvanceTurns(10);
    EXPECT_EQ(core.StreamFrame(), 1);
    EXPECT_EQ(kb.firmware->LightFramesBegun(), frames) << "the keyboard shows its own pattern";

    ASSERT_TRUE(core.SetAllCustomKeys(true).Ok());
    EXPECT_EQ(kb.firmware->CustomBitmap()[0], 0xFF);
    ASSERT_TRUE(core.SetLighting(Mode(3)).Ok());
    EXPECT_TRUE(core.ToggleCustomKey(5).IsRefused()) << "only in the custom mode";
}

TEST_F(KeyboardDeviceTest, AnAnimatedModeStreamsChangingFrames) {
    // A colour wave is steady light on a keyboard of one colour.
    ASSERT_TRUE(core.SetLighting(Mode(3)).Ok());
    core.Lighting().AdvanceTurns(3);
    ASSERT_EQ(core.StreamFrame(), 1);
    const auto first = kb.firmware->LightFrame();
    EXPECT_EQ(first[KeyboardFirmware::LedOfKey(44)], 254) << "every key lit at full brightness";
    ASSERT_EQ(KeyboardFirmware::LedOfKey(18), sim::kNoLed) << "a placeholder key has no LED";
    std::vector<bool> used(first.size(), false);
    for (size_t key = 0; key < kKeyboardKeyCount; ++key) {
        if (const uint8_t led = core.Maps().ledOfKey[key]; led < used.size()) used[led] = true;
    }
    const auto unused = std::find(used.begin(), used.end(), false);
    ASSERT_NE(unused, used.end());
    EXPECT_EQ(first[static_cast<size_t>(unused - used.begin())], 0) << "an LED no key has stays dark";

    ASSERT_TRUE(core.SetLighting(Mode(4)).Ok());
    core.Lighting().AdvanceTurns(3);
    ASSERT_EQ(core.StreamFrame(), 1);
    const auto third = kb.firmware->LightFrame();
    core.Lighting().AdvanceTurns(20);
    ASSERT_EQ(core.StreamFrame(), 1);
    EXPECT_NE(kb.firmware->LightFrame(), third) << "the intensity wave moves on";
}

TEST_F(KeyboardDeviceTest, AReactiveModeLightsTheKeyPressedOnTheKeyboard) {
    ASSERT_TRUE(core.SetLighting(Mode(14)).Ok());
    auto events = std::make_shared<CommandChannel>(kb.bus);
    ASSERT_TRUE(events->Open(test::PathOn(kb.bus, 1, 3), false));
    SyncThread sync(events, [] {}, [this](uint16_t usage) {
        if (const auto e = SlotEventFromUsage(usage)) core.OnKeyEvent(e->slot, e->kind);
    });
    ASSERT_TRUE(sync.Start());
    const uint8_t led44 = KeyboardFirmware::LedOfKey(44);

    ASSERT_TRUE(kb.firmware->PressKey(7, *kb.device));
    const auto deadline = std::chrono::steady_clock::now() + 2s;
    KeyLightFrame frame{};
    while (std::chrono::steady_clock::now() < deadline) {
        core.Lighting().AdvanceTurns(1);
        frame = core.Lighting().Frame(core.Maps());
        if (frame[led44] != 0) break;
        std::this_thread::sleep_for(2ms);
    }
    ASSERT_EQ(core.StreamFrame(), 1);
    EXPECT_EQ(kb.firmware->LightFrame()[led44], 254) << "W, in slot 7, lit";
    EXPECT_EQ(kb.firmware->LightFrame()[KeyboardFirmware::LedOfKey(43)], 0) << "Q dark";
    events->Close();
    sync.Stop();
}

TEST_F(KeyboardDeviceTest, AProfileSwitchOnTheKeyboardIsReadBack) {
    ASSERT_TRUE(kb.firmware->SwitchOnboardProfile(1, *kb.device));
    ASSERT_TRUE(core.SyncFromDevice().Ok());
    EXPECT_EQ(core.LightState().light.mode, 14) << "factory profile 1";
    EXPECT_EQ(core.LightState().light.speed, 3);
    EXPECT_EQ(core.Lighting().Selection().mode, 14);
    EXPECT_EQ(Saved()["LightInfo"]["SelectItem"], 14);

    kb.channel.Close();
    EXPECT_TRUE(core.SyncFromDevice().IsDeviceFailure());
    EXPECT_EQ(core.LightState().light.mode, 14) << "a failed read changes nothing";
}

// The preview as the page's thread plays it: a still mode is drawn, streamed once and then needs
// no more turns; a moving mode streams on every change of intensity.
TEST_F(KeyboardDeviceTest, ThePreviewAnimatorStreamsAStillModeOnceAndAMovingModeOnEveryChange) {
    KeyboardPreviewAnimator animator{std::shared_ptr<KeyboardDevice>(&core, [](KeyboardDevice*) {})};
    LightSetting still = Mode(0);
    still.speed = 0;  // the renderer runs on every fifth turn only
    ASSERT_TRUE(core.SetLighting(still).Ok());
    animator.Restream();
    int turns = 0;
    for (; animator.NeedsTurns() && turns < 100; ++turns) animator.AdvanceTurns(1);
    EXPECT_LT(turns, 100) << "a still mode comes to rest";
    EXPECT_EQ(animator.FramesStreamed(), 1u);
    EXPECT_GT(kb.firmware->LightFrame()[KeyboardFirmware::LedOfKey(44)], 0) << "the keys are lit, not a blank first frame";
    animator.AdvanceTurns(50);
    EXPECT_EQ(animator.FramesStreamed(), 1u) << "nothing new to send";

    ASSERT_TRUE(core.SetLighting(Mode(4)).Ok());
    animator.Restream();
    for (int i = 0; i < 20; ++i) animator.AdvanceTurns(5);
    EXPECT_TRUE(animator.NeedsTurns());
    EXPECT_GT(animator.FramesStreamed(), 5u);
}

TEST_F(KeyboardDeviceTest, TheFirstBlocksRedAndGreenTellWhetherTheKeyboardTakesKeyAssignments) {
    EXPECT_FALSE(core.KeyAssignmentsTaken()) << "unknown before the keyboard was asked";
    struct Case {
        Rgb colour;
        bool taken;
    } const cases[] = {{{255, 255, 255}, true}, {{1, 1, 0}, true}, {{255, 0, 0}, false}, {{0, 255, 255}, false}};
    for (const Case& c : cases) {
        LightSetting light = Mode(3);
        light.red = c.colour.red;
        light.green = c.colour.green;
        light.blue = c.colour.blue;
        ASSERT_TRUE(core.SetLighting(light).Ok());
        ASSERT_TRUE(core.ReadKeyAssignmentSupport().Ok());
        EXPECT_EQ(core.KeyAssignmentsTaken(), c.taken) << int(c.colour.red) << " " << int(c.colour.green);
    }
    kb.channel.Close();
    EXPECT_FALSE(core.ReadKeyAssignmentSupport().Ok());
    EXPECT_EQ(core.KeyAssignmentsTaken(), false) << "a failed read keeps what was known";
}

TEST_F(KeyboardDeviceTest, ResettingTheKeyRepeatPutsTheDesktopsDefaultsBack) {
    ASSERT_TRUE(core.SetRepeatDelayMs(1000).Ok());
    ASSERT_TRUE(core.SetRepeatRate(3).Ok());
    ASSERT_TRUE(core.ResetKeyRepeat().Ok());
    EXPECT_EQ(core.Settings().Repeat, kDefaultKeyRepeatRate);
    EXPECT_EQ(core.Settings().RepeatDelay, kDefaultKeyRepeatDelay);
    EXPECT_EQ(desktop.RepeatRate(), kDefaultKeyRepeatRate);
    EXPECT_EQ(desktop.RepeatDelay(), kDefaultKeyRepeatDelay);
    EXPECT_EQ(Saved()["SystemStages"]["RepeatDelay"], kDefaultKeyRepeatDelay);
}

// Synchronised lighting paints the keys from outside the preview: those colours stream as the
// intensity of each key's LED.
TEST_F(KeyboardDeviceTest, ColoursPaintedFromOutsideStreamAsEachKeysIntensity) {
    ASSERT_TRUE(core.SetLighting(Mode(1)).Ok());
    std::vector<LightColor> colours(kKeyboardKeyCount);
    for (size_t key = 0; key < colours.size(); ++key) colours[key] = MakeLightColor({0, 0, 255}, static_cast<uint8_t>(key));
    ASSERT_EQ(core.StreamColours(colours), 1);
    EXPECT_EQ(kb.firmware->LightFrame()[KeyboardFirmware::LedOfKey(44)], 44);
    EXPECT_EQ(kb.firmware->LightFrame()[KeyboardFirmware::LedOfKey(125)], 125);

    colours.resize(10);
    ASSERT_EQ(core.StreamColours(colours), 1);
    EXPECT_EQ(kb.firmware->LightFrame()[KeyboardFirmware::LedOfKey(44)], 0) << "a key without colour is dark";
    EXPECT_EQ(kb.firmware->LightFrame()[KeyboardFirmware::LedOfKey(5)], 5);

    ASSERT_TRUE(core.SetLighting(Mode(kCustomStaticMode)).Ok());
    const uint64_t frames = kb.firmware->LightFramesBegun();
    ASSERT_EQ(core.StreamColours(colours), 1);
    EXPECT_EQ(kb.firmware->LightFramesBegun(), frames) << "the custom pattern is the keyboard's own";
}

// The product id is known only at connection; mode 18 plays a variant of its own for one product.
TEST(KeyboardLightingProduct, TheProductLearntAtConnectionChoosesModeEighteensVariant) {
    for (const uint16_t product : {uint16_t{0}, kRowSweepProductId}) {
        KeyboardLighting lighting;
        LightSetting light;
        light.mode = 18;
        light.brightness = 4;
        light.speed = 4;
        light.direction = 1;  // from the first row or column on
        lighting.SetSelection(light);
        lighting.SetProductId(product);
        lighting.AdvanceTurns(1);
        const std::vector<LightColor> colours = lighting.Colors();
        const bool rows = product == kRowSweepProductId;
        EXPECT_EQ(AlphaOf(colours[1]) > 0, rows) << "key 1 shares the first row with key 0";
        EXPECT_EQ(AlphaOf(colours[21]) > 0, !rows) << "key 21 shares the first column with key 0";
    }
}

TEST(KeyboardProfileMacros, AProfileWhoseMacrosDoNotFitTellsHowManyEventsMustGo) {
    test::TempHome home;
    test::KeyboardOnBus kb{[] {
        sim::KeyboardOptions options;
        options.macroUnits = 1;
        return options;
    }()};
    FileSystemKeyboardSettings desktop{home.Path() + "/desktop.json"};
    KeyboardDevice core{kb.channel, desktop};
    home.WriteFile(".local/share/ORVANE Q730 Gaming Mouse/keyboard/p.Json", R"({"profilename": "P", "profileUUID": "p"})");
    home.WriteFile(".local/share/ORVANE Q730 Gaming Mouse/keyboard/macro.config",
                   R"({"MacroInfo": [{"MacroName": "m", "Guid": "m1"}]})");
    std::string events;
    for (int i = 0; i < 40; ++i) {
        events += std::string(i == 0 ? "" : ",") + R"({"Action": "down", "Type": 10, "Button": 4, "Delay": "30"},)" +
                  R"({"Action": "up", "Type": 10, "Button": 4, "Delay": "30"})";
    }
    home.WriteFile(".local/share/ORVANE Q730 Gaming Mouse/keyboard/m1.mac", R"({"Events": [)" + events + "]}");
    core.SetFiles(UserDataFolder("keyboard"), std::string(ORVANE_SOURCE_DIR) + "/DefaultData/keyboard.Json");
    ASSERT_TRUE(core.Connect().Ok());
    EXPECT_EQ(core.LastProfileMacroWrite(), 0);

    const DeviceOutcome applied = core.ApplyProfile("p");
    ASSERT_TRUE(applied.IsRefused());
    EXPECT_GT(applied.excess, 0);
    EXPECT_EQ(core.LastProfileMacroWrite(), applied.excess);
}

}  // namespace
}  // namespace orvane
