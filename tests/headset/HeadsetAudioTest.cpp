// The headset's audio functions end to end against the emulated audio library, with the profile
// document on a file under a temporary HOME: start-up order, the equaliser, custom equalisers,
// microphone, monitor and voice effect, and what happens without a library.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "headset/HeadsetAudio.h"
#include "tests/headset/EmulatedAudio.h"
#include "tests/support/TempHome.h"

namespace orvane::test {
namespace {

constexpr const char* kProfile = R"({"Device":[{"SystemSetStages":{"MagicEnable":1,"MagicType":2,"EqType":3,
    "CustomEqSeletIndex":0,"MicInSelect":1,"MicInValue":40,"MicMoniterSelect":1,"MicMoniterValue":20}}]})";

// Sets an environment variable for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) { ::setenv(name, value, 1); }
    ~ScopedEnv() { ::unsetenv(name_); }

private:
    const char* name_;
};

uint32_t FloatBits(float f) {
    uint32_t bits = 0;
    std::memcpy(&bits, &f, sizeof bits);
    return bits;
}

Call Written(const wchar_t* property, uint32_t flow, uint32_t value) { return {property, flow, true, value, 0}; }

// Property, endpoint, direction and, for a write, the value; a read's result is not compared.
bool Same(const Call& actual, const Call& expected) {
    return actual.property == expected.property && actual.flow == expected.flow && actual.write == expected.write &&
           (!actual.write || actual.value == expected.value);
}

std::string Describe(const std::vector<Call>& calls) {
    std::ostringstream out;
    for (const Call& c : calls) {
        out << (c.write ? "W " : "R ");
        for (wchar_t ch : c.property) out << static_cast<char>(ch);
        out << (c.flow == kOsConfCapture ? " capture" : " playback") << " value " << static_cast<int32_t>(c.value)
            << " -> " << c.result << "\n";
    }
    return out.str();
}

void ExpectCalls(const std::vector<Call>& actual, const std::vector<Call>& expected) {
    ASSERT_EQ(actual.size(), expected.size()) << Describe(actual);
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_TRUE(Same(actual[i], expected[i])) << i << "\n" << Describe(actual);
}

class HeadsetAudioTest : public ::testing::Test {
protected:
    HeadsetAudioTest() { WriteProfile(kProfile); }

    void WriteProfile(const std::string& content) {
        path_ = home_.WriteFile("HD/p.Json", content);
        document_.SetDefaultProfilePath(std::string(ORVANE_SOURCE_DIR) + "/DefaultData/HD.Json");
        document_.SetProfilePath(path_);
        document_.LoadProfile(path_);
    }

    // As the page connects: start-up, then the profile, then the headset's state.
    std::vector<std::string> Connect(std::shared_ptr<AudioLibrary> library) {
        library_ = std::move(library);
        audio_.emplace(library_, document_);
        auto messages = audio_->Init();
        audio_->ReloadFromProfile();
        audio_->ReadHeadsetState();
        return messages;
    }

    // What the file now holds, read by a document of its own.
    HeadsetSystemSettings Stored() const {
        CHs8127Profiledata fresh;
        fresh.LoadProfile(path_);
        return fresh.GetHeadsetSystemSettings();
    }
    CHs8127Profiledata StoredDocument() const {
        CHs8127Profiledata fresh;
        fresh.LoadProfile(path_);
        return fresh;
    }
    std::string FileText() const { return home_.ReadFile("HD/p.Json"); }
    size_t Mark() const { return Journal(*library_).size(); }
    std::vector<Call> Since(size_t mark) const { return CallsSince(*library_, mark); }

    TempHome home_;
    std::string path_;
    CHs8127Profiledata document_;
    std::shared_ptr<AudioLibrary> library_;
    std::optional<HeadsetAudio> audio_;
};

TEST_F(HeadsetAudioTest, StartUpResetsOnlyTheEffectsThatDoNotReadThenReadsTheHeadset) {
    EXPECT_TRUE(Connect(EmulatedAudioLibrary()).empty());
    EXPECT_TRUE(audio_->Available());
    EXPECT_TRUE(audio_->VoiceEffectSupported());
    EXPECT_TRUE(audio_->EqualiserAvailable());
    EXPECT_TRUE(audio_->MicrophoneAvailable());
    EXPECT_TRUE(audio_->MonitorAvailable());
    EXPECT_EQ(audio_->Playback().record[1], 1u);
    EXPECT_EQ(audio_->Capture().record[1], 2u);
    EXPECT_NE(audio_->Capture().features[0] & kVoiceEffectFeature, 0u);

    // A factory-fresh headset: every effect fails to read and is written 0, in this order.
    const std::vector<std::pair<const wchar_t*, uint32_t>> reset = {
        {L"VirtualSurroundEffectControl", kOsConfPlayback}, {L"Enable_ENC_LFX", kOsConfCapture},
        {L"VolumeControl", kOsConfCapture}, {L"Enable_EQ_GFX", kOsConfPlayback},
        {L"EQ_Slider1", kOsConfPlayback}, {L"EQ_Slider2", kOsConfPlayback}, {L"EQ_Slider3", kOsConfPlayback},
        {L"EQ_Slider4", kOsConfPlayback}, {L"EQ_Slider5", kOsConfPlayback}, {L"EQ_Slider6", kOsConfPlayback},
        {L"EQ_Slider7", kOsConfPlayback}, {L"EQ_Slider8", kOsConfPlayback}, {L"EQ_Slider9", kOsConfPlayback},
        {L"EQ_Slider10", kOsConfPlayback}, {L"Enable_RFX_GFX", kOsConfPlayback},
        {L"RFX_ENVIRONMENT", kOsConfPlayback}, {L"RFX_ROOMSIZE", kOsConfPlayback}, {L"MuteControl", kOsConfCapture},
        {L"VolumeScalarControl", kOsConfCapture}, {L"AAVolumeControl", kOsConfCapture},
        {L"AAMuteControl", kOsConfCapture}, {L"AAVolumeScalarControl", kOsConfCapture},
        {L"Enable_MAGICVOICE", kOsConfCapture}, {L"MagicVoice_Selection", kOsConfCapture}};
    std::vector<Call> expected = {{L"GetSupportFeature", kOsConfCapture, false, 0, 0},
                                  {L"GetSupportFeature", kOsConfPlayback, false, 0, 0}};
    for (const auto& [name, flow] : reset) {
        expected.push_back({name, flow, false, 0, -1});
        expected.push_back(Written(name, flow, 0));
    }
    // The state is read at the end of start-up and again on connecting.
    for (int pass = 0; pass < 2; ++pass) {
        for (const wchar_t* name : {L"MuteControl", L"VolumeScalarControl", L"GetAAMaxVol", L"AAMuteControl",
                                    L"AAVolumeScalarControl", L"Enable_MAGICVOICE", L"MagicVoice_Selection"}) {
            expected.push_back({name, kOsConfCapture, false, 0, 0});
        }
    }
    ExpectCalls(Journal(*library_), expected);

    // The reset values replace what the profile said about microphone, monitor and voice.
    EXPECT_EQ(audio_->Settings().MicInValue, 0);
    EXPECT_EQ(audio_->Settings().MicInSelect, 1);
    EXPECT_EQ(audio_->Settings().MagicEnable, 0);
    EXPECT_EQ(audio_->Settings().MagicType, 1);
    EXPECT_EQ(audio_->Settings().EqType, 3) << "the equaliser stays the profile's";
    EXPECT_EQ(audio_->Bands(), *StoredDocument().GetEqBands(3)) << "the profile's bands of its preset";
    EXPECT_EQ(Stored().MicInValue, 40) << "reading the headset stores nothing";

    // Started again on the same headset: everything reads, nothing is written.
    const size_t mark = Mark();
    HeadsetAudio again(library_, document_);
    EXPECT_TRUE(again.Init().empty());
    for (const Call& c : Since(mark)) EXPECT_FALSE(c.write) << Describe(Since(mark));
}

TEST_F(HeadsetAudioTest, APresetEnablesTheEqualiserWritesItsTenBandsAndIsStored) {
    Connect(EmulatedAudioLibrary());
    const size_t mark = Mark();
    audio_->SelectEqPreset(5);
    std::vector<Call> expected = {Written(L"Enable_EQ_GFX", kOsConfPlayback, 1)};
    for (int b = 1; b <= 10; ++b) expected.push_back(Written((L"EQ_Slider" + std::to_wstring(b)).c_str(), kOsConfPlayback, 0));
    ExpectCalls(Since(mark), expected);
    EXPECT_EQ(Stored().EqType, 5);
    EXPECT_EQ(StoredDocument().GetEqBands(5), EqBandValues{});

    const EqBandValues preset6 = {7, 14, -13, -6, -1, 8, 13, 7, 2, 6};
    const size_t before6 = Mark();
    audio_->SelectEqPreset(6);
    const std::vector<Call> calls = Since(before6);
    ASSERT_EQ(calls.size(), 11u);
    for (size_t b = 0; b < 10; ++b) EXPECT_EQ(static_cast<int32_t>(calls[b + 1].value), preset6[b]) << b;
    EXPECT_EQ(audio_->Bands(), preset6);

    for (int n : {0, 14, -1}) {
        const size_t m = Mark();
        audio_->SelectEqPreset(n);
        EXPECT_TRUE(Since(m).empty()) << n;
        EXPECT_EQ(Stored().EqType, 6) << n;
    }
}

TEST_F(HeadsetAudioTest, MovingABandUnderAPresetSwitchesToTheCustomEqualiserAndWritesOnlyThatBand) {
    Connect(EmulatedAudioLibrary());
    ASSERT_EQ(audio_->SaveCustomEq("Mine", -1, EqBandValues{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}), 1);
    audio_->SelectEqPreset(3);
    ASSERT_EQ(audio_->CustomSelection(), 0);
    const size_t mark = Mark();
    audio_->SetEqBand(4, 9);
    ExpectCalls(Since(mark), {Written(L"EQ_Slider5", kOsConfPlayback, 9)});
    EXPECT_EQ(audio_->Settings().EqType, 13);
    EXPECT_EQ(audio_->CustomSelection(), -1);
    EXPECT_EQ(Stored().EqType, 3) << "a band move is not stored";
}

TEST_F(HeadsetAudioTest, CustomEqualisersAreNamedOnceInAnyCaseAndAtMostTwenty) {
    Connect(EmulatedAudioLibrary());
    const EqBandValues sliders = {1, -2, 3, -4, 5, -6, 7, -8, 9, -10};
    EXPECT_EQ(audio_->SaveCustomEq("", -1, sliders), -1) << "no name and no selection";
    ASSERT_EQ(audio_->SaveCustomEq("Bass", -1, sliders), 1);
    EXPECT_EQ(audio_->CustomSelection(), 0);
    EXPECT_EQ(StoredDocument().GetCustomEqNames(), std::vector<std::string>{"Bass"});
    EXPECT_EQ(StoredDocument().GetCustomEqBands(0), sliders);
    EXPECT_EQ(audio_->SaveCustomEq("bASS", -1, sliders), 0);
    EXPECT_EQ(audio_->CustomNames().size(), 1u);

    // An empty name saves the sliders into the selected one.
    const EqBandValues changed = {0, 0, 0, 0, 0, 0, 0, 0, 0, 4};
    EXPECT_EQ(audio_->SaveCustomEq("", 0, changed), 1);
    EXPECT_EQ(StoredDocument().GetCustomEqBands(0), changed);

    for (int i = 1; i < 20; ++i) ASSERT_EQ(audio_->SaveCustomEq("eq" + std::to_string(i), -1, sliders), 1) << i;
    const std::string before = FileText();
    EXPECT_EQ(audio_->SaveCustomEq("one too many", -1, sliders), -1);
    EXPECT_EQ(audio_->CustomNames().size(), 20u);
    EXPECT_EQ(FileText(), before);
}

TEST_F(HeadsetAudioTest, ApplyingACustomEqualiserWritesItsBandsAndStoresTheSelection) {
    Connect(EmulatedAudioLibrary());
    const EqBandValues first = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    const EqBandValues second = {2, 2, 2, 2, 2, 2, 2, 2, 2, -2};
    audio_->SaveCustomEq("one", -1, first);
    audio_->SaveCustomEq("two", -1, second);
    audio_->SelectEqPreset(2);
    const size_t mark = Mark();
    audio_->ApplyCustomEq(0);
    const std::vector<Call> calls = Since(mark);
    ASSERT_EQ(calls.size(), 11u);
    EXPECT_TRUE(Same(calls[0], Written(L"Enable_EQ_GFX", kOsConfPlayback, 1)));
    EXPECT_EQ(audio_->Bands(), first);
    EXPECT_EQ(Stored().CustomEqSeletIndex, 0);
    EXPECT_EQ(Stored().EqType, 2) << "applying does not change the equaliser kind";

    audio_->SelectEqPreset(13);
    EXPECT_EQ(Stored().EqType, 13);
    const size_t none = Mark();
    audio_->ApplyCustomEq(5);
    EXPECT_TRUE(Since(none).empty());
}

TEST_F(HeadsetAudioTest, DeletingTheOnlyCustomEqualiserFallsBackToPresetOneWithoutTouchingTheHeadset) {
    Connect(EmulatedAudioLibrary());
    audio_->SaveCustomEq("Mine", -1, EqBandValues{3, 3, 3, 3, 3, 3, 3, 3, 3, 3});
    audio_->SelectEqPreset(13);
    const size_t mark = Mark();
    audio_->DeleteCustomEq(0);
    EXPECT_TRUE(Since(mark).empty()) << Describe(Since(mark));
    EXPECT_EQ(audio_->Settings().EqType, 1);
    EXPECT_EQ(Stored().EqType, 1);
    EXPECT_EQ(audio_->Bands(), *StoredDocument().GetEqBands(1));
    EXPECT_TRUE(audio_->CustomNames().empty());
    EXPECT_EQ(audio_->CustomSelection(), -1);
    EXPECT_TRUE(StoredDocument().GetCustomEqNames().empty()) << "the name does not come back at the next load";
}

TEST_F(HeadsetAudioTest, DeletingOneOfSeveralKeepsEveryNameWithItsOwnBands) {
    Connect(EmulatedAudioLibrary());
    const EqBandValues a{1}, b{2}, c{3};
    audio_->SaveCustomEq("a", -1, a);
    audio_->SaveCustomEq("b", -1, b);
    audio_->SaveCustomEq("c", -1, c);
    audio_->DeleteCustomEq(1);
    EXPECT_EQ(audio_->CustomNames(), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(audio_->CustomSelection(), 0);
    EXPECT_EQ(audio_->Bands(), a);
    CHs8127Profiledata stored = StoredDocument();
    EXPECT_EQ(stored.GetCustomEqNames(), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(stored.GetCustomEqBands(1), c);
    EXPECT_EQ(stored.GetHeadsetSystemSettings().CustomEqSeletIndex, 0);
}

TEST_F(HeadsetAudioTest, MicrophoneAndMonitorLevelsAreWrittenAsFractionsAndStoredAsPercent) {
    Connect(EmulatedAudioLibrary());
    struct Case {
        void (HeadsetAudio::*set)(int);
        int level;
        const wchar_t* property;
        float written;
        int32_t HeadsetSystemSettings::*field;
        int stored;
    };
    const Case cases[] = {
        {&HeadsetAudio::SetMicInLevel, 57, L"VolumeScalarControl", 0.57f, &HeadsetSystemSettings::MicInValue, 57},
        {&HeadsetAudio::SetMicInLevel, 150, L"VolumeScalarControl", 1.0f, &HeadsetSystemSettings::MicInValue, 100},
        {&HeadsetAudio::SetMicMonitorLevel, 30, L"AAVolumeScalarControl", 0.3f, &HeadsetSystemSettings::MicMoniterValue, 30},
        {&HeadsetAudio::SetMicMonitorLevel, -5, L"AAVolumeScalarControl", 0.0f, &HeadsetSystemSettings::MicMoniterValue, 0},
    };
    for (const Case& c : cases) {
        const size_t mark = Mark();
        (*audio_.*c.set)(c.level);
        ExpectCalls(Since(mark), {Written(c.property, kOsConfCapture, FloatBits(c.written))});
        EXPECT_EQ(Stored().*c.field, c.stored) << c.level;
    }

    // Read back on the next connection as the same percentages.
    HeadsetAudio again(library_, document_);
    again.Init();
    EXPECT_EQ(again.Settings().MicInValue, 100);
    audio_->SetMicInLevel(57);
    again.ReadHeadsetState();
    EXPECT_EQ(again.Settings().MicInValue, 57);
    EXPECT_EQ(again.Settings().MicMoniterValue, 0);
}

TEST_F(HeadsetAudioTest, MuteSwitchesFlipTheFlagAndStoreTheSelection) {
    Connect(EmulatedAudioLibrary());
    ASSERT_FALSE(audio_->MicMuted());
    size_t mark = Mark();
    audio_->ToggleMicIn();
    ExpectCalls(Since(mark), {Written(L"MuteControl", kOsConfCapture, 1)});
    EXPECT_TRUE(audio_->MicMuted());
    EXPECT_EQ(Stored().MicInSelect, 0);
    audio_->ToggleMicIn();
    EXPECT_EQ(Stored().MicInSelect, 1);

    mark = Mark();
    audio_->ToggleMicMonitor();
    ExpectCalls(Since(mark), {Written(L"AAMuteControl", kOsConfCapture, 1)});
    EXPECT_TRUE(audio_->MonitorMuted());
    EXPECT_EQ(Stored().MicMoniterSelect, 0);
}

TEST_F(HeadsetAudioTest, TheVoiceEffectKindIsWrittenFromZeroAndSwitchingItOnSilencesTheEcho) {
    Connect(EmulatedAudioLibrary());
    size_t mark = Mark();
    audio_->SelectVoiceEffect(3);
    ExpectCalls(Since(mark), {Written(L"MagicVoice_Selection", kOsConfCapture, 2)});
    EXPECT_EQ(Stored().MagicType, 3);

    mark = Mark();
    audio_->ToggleVoiceEffect(true);
    ExpectCalls(Since(mark), {Written(L"Enable_MAGICVOICE", kOsConfCapture, 1), Written(L"Enable_MICECHO", kOsConfCapture, 0)});
    EXPECT_EQ(Stored().MagicEnable, 1);

    mark = Mark();
    audio_->ToggleVoiceEffect(false);
    ExpectCalls(Since(mark), {Written(L"Enable_MAGICVOICE", kOsConfCapture, 0)});
    EXPECT_EQ(Stored().MagicEnable, 0);

    for (int n : {0, 5}) {
        mark = Mark();
        audio_->SelectVoiceEffect(n);
        EXPECT_TRUE(Since(mark).empty()) << n;
    }
}

TEST_F(HeadsetAudioTest, TheCaptureFeatureListDecidesTheVoiceEffect) {
    struct Case {
        const char* features;
        std::vector<std::string> messages;
        uint32_t word0;
        int magicEnable;  // the profile says 1, the fresh headset 0
    };
    const Case cases[] = {
        {"1,2,3,4,5,6", {"UpdateAPOAvailable failed!"}, 0, 1},
        {",0,,0,0,0,0,0,0", {}, 0, 1},
        {"131072,0,0,0,5,0,7", {}, 0x20000, 0},
    };
    for (const Case& c : cases) {
        ScopedEnv features("ORVANE_EMULATED_AUDIO_FEATURES", c.features);
        WriteProfile(kProfile);
        EXPECT_EQ(Connect(EmulatedAudioLibrary()), c.messages) << c.features;
        EXPECT_EQ(audio_->Capture().features[0], c.word0) << c.features;
        EXPECT_EQ(audio_->VoiceEffectSupported(), c.word0 != 0) << c.features;
        EXPECT_EQ(audio_->Settings().MagicEnable, c.magicEnable) << c.features;
    }
    ScopedEnv features("ORVANE_EMULATED_AUDIO_FEATURES", "131072,0,0,0,5,0,7");
    Connect(EmulatedAudioLibrary());
    EXPECT_EQ(audio_->Capture().features, (std::array<uint32_t, 3>{0x20000, 5, 7}));
}

TEST_F(HeadsetAudioTest, AFailedInitIsReportedAndLeavesNothingAvailable) {
    ScopedEnv init("ORVANE_EMULATED_AUDIO_INIT", "fail");
    EXPECT_EQ(Connect(EmulatedAudioLibrary()), std::vector<std::string>{"ConfLibInit called failed!"});
    EXPECT_FALSE(audio_->Available());
    EXPECT_FALSE(audio_->MicrophoneAvailable());
}

TEST_F(HeadsetAudioTest, WithoutALibraryNothingIsAvailableAndTheSettingsStayTheProfiles) {
    EXPECT_TRUE(Connect(nullptr).empty());
    EXPECT_FALSE(audio_->Available());
    EXPECT_FALSE(audio_->VoiceEffectSupported());
    EXPECT_FALSE(audio_->EqualiserAvailable());
    EXPECT_FALSE(audio_->MicrophoneAvailable());
    EXPECT_FALSE(audio_->MonitorAvailable());
    EXPECT_EQ(audio_->Settings().MicInValue, 40);
    audio_->ToggleMicIn();
    audio_->SetMicInLevel(70);
    EXPECT_EQ(Stored().MicInValue, 40) << "a failed level write stores nothing";
    EXPECT_EQ(Stored().MicInSelect, 1);
    audio_->SelectEqPreset(4);
    audio_->ToggleVoiceEffect(true);
    EXPECT_EQ(Stored().EqType, 4) << "equaliser and voice effect are stored whatever the headset said";
}

TEST(AudioLibrary, RefusesWhatIsNotAnAudioLibrary) {
    TempHome home;
    const std::string garbage = home.WriteFile("SDK/emulated/osConfLib.so", "not a library");
    EXPECT_EQ(AudioLibrary::Load(garbage), nullptr);
    EXPECT_EQ(AudioLibrary::Load(home.Path() + "/missing.so"), nullptr);
    EXPECT_EQ(AudioLibrary::Load("libc.so.6"), nullptr) << "a library without the exports";
    ScopedEnv sdk("ORVANE_AUDIO_SDK_DIR", (home.Path() + "/SDK").c_str());
    EXPECT_EQ(AudioLibrary::LibraryFile(AudioLibrary::Variant::kAlsa), home.Path() + "/SDK/alsa/osConfLib.so");
    EXPECT_EQ(AudioLibrary::ForHeadset(true), nullptr);
}

TEST_F(HeadsetAudioTest, ProfileValuesOutOfRangeAreHeldToTheirRangeAndTheFileKept) {
    std::string names;
    for (int i = 0; i < 25; ++i) names += std::string(i ? "," : "") + R"({"Name":"n)" + std::to_string(i) + R"("})";
    WriteProfile(R"({"Device":[{"SystemSetStages":{"MagicEnable":7,"MagicType":9,"EqType":13,"CustomEqSeletIndex":1,
        "MicInSelect":1,"MicInValue":150,"MicMoniterSelect":0,"MicMoniterValue":-3},
        "CustomEQNameInfo":[)" + names + R"(],
        "CustomEQHzValueInfo":[[],[{"value":99},{"value":-50},{"value":4}]]}]})");
    const std::string before = FileText();
    Connect(nullptr);
    const HeadsetSystemSettings& s = audio_->Settings();
    EXPECT_EQ(s.MicInValue, 100);
    EXPECT_EQ(s.MicMoniterValue, 0);
    EXPECT_EQ(s.MagicEnable, 1);
    EXPECT_EQ(s.MagicType, 4);
    EXPECT_EQ(audio_->Bands(), (EqBandValues{kEqGainMax, kEqGainMin, 4}));
    EXPECT_EQ(audio_->CustomNames().size(), 20u);
    EXPECT_EQ(audio_->CustomSelection(), 1);
    EXPECT_EQ(FileText(), before);
}

}  // namespace
}  // namespace orvane::test
