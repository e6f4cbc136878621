// The mouse's memories persisted in a state folder: one device across program runs, and a
// broken state file falling back to the factory state.
#include <gtest/gtest.h>

#include <functional>
#include <json/json.h>
#include <sstream>

#include "platform/AtomicFile.h"
#include "platform/DebugLog.h"
#include "platform/UserFolders.h"
#include "tests/sim/MouseOnBus.h"
#include "tests/support/TempHome.h"

namespace orvane::test {
namespace {

class MouseState : public ::testing::Test {
protected:
    void SetUp() override {
        options_.stateFolder = home_.Path() + "/sim";
        ASSERT_TRUE(MakeFolders(options_.stateFolder));
        previousSink_ = SetDebugSink(log_);
    }
    void TearDown() override { SetDebugSink(previousSink_); }

    std::string StateFile() const { return options_.stateFolder + "/mouse.json"; }

    static void ExpectFactory(const sim::MouseFirmware& m) {
        EXPECT_EQ(m.ParameterMemory(), sim::MouseFirmware::FactoryParameterMemory(m.Options()));
        EXPECT_EQ(m.KeyTable(), sim::MouseFirmware::FactoryKeyTable(m.Options()));
        EXPECT_EQ(m.MacroMemory(), Bytes(size_t{m.Options().macroUnits} * 128, 0));
        EXPECT_EQ(m.PowerStatus().bytes, sim::MouseFirmware::FactoryPowerStatus().bytes);
    }

    TempHome home_;
    sim::MouseOptions options_;
    std::shared_ptr<CapturingDebugSink> log_ = std::make_shared<CapturingDebugSink>();
    std::shared_ptr<DebugSink> previousSink_;
};

TEST_F(MouseState, MemoriesSurviveIntoTheNextInstance) {
    Bytes params, keys, macros;
    {
        MouseOnBus m(options_);
        EXPECT_EQ(m.Status(0x05, 0, 56), 0x00);
        EXPECT_FALSE(home_.Exists("sim/mouse.json")) << "reads leave no state behind";

        EXPECT_EQ(m.Status(0x06, 1, 3, Bytes{7, 1, 0}), 0x00);
        EXPECT_EQ(m.Status(0x09, 0, 3, Bytes{0x20, 0x00, 0x04}), 0x00);
        EXPECT_EQ(m.Status(0x15, 100, 2, Bytes{0xAA, 0x55}), 0x00);
        EXPECT_EQ(m.Status(0x0B, 0, 2, Bytes{42, 2}), 0x00);
        ASSERT_TRUE(m.mouse->SwitchOnboardProfile(2, *m.device));
        params = m.mouse->ParameterMemory();
        keys = m.mouse->KeyTable();
        macros = m.mouse->MacroMemory();
    }
    sim::MouseFirmware next(options_);
    EXPECT_EQ(next.ParameterMemory(), params);
    EXPECT_EQ(next.ActiveProfile(), 2);
    EXPECT_EQ(next.KeyTable(), keys);
    EXPECT_EQ(next.MacroMemory(), macros);
    EXPECT_EQ(next.PowerStatus().bytes[0], 42);
    EXPECT_EQ(next.PowerStatus().bytes[1], 2);
    EXPECT_TRUE(log_->Lines().empty());
}

TEST_F(MouseState, WithoutAStateFolderNothingIsWritten) {
    sim::MouseOptions inMemory;
    MouseOnBus m(inMemory);
    EXPECT_EQ(m.Status(0x06, 1, 1, Bytes{5}), 0x00);
    EXPECT_TRUE(m.mouse->StateFilePath().empty());
    EXPECT_FALSE(home_.Exists("sim/mouse.json"));
}

// A state file that is not what the options describe, made by editing a good one.
struct BrokenState {
    const char* name;
    std::function<void(Json::Value&)> edit;  // null: the file is replaced by `text`
    const char* text;
};

class MouseBrokenState : public MouseState, public ::testing::WithParamInterface<BrokenState> {};

TEST_P(MouseBrokenState, FallsBackToFactoryAndIsReplacedOnTheNextWrite) {
    {
        sim::MouseFirmware writer(options_);
        writer.SetPowerStatus({{1, 2, 3, 4, 5, 6}});  // makes a good file
    }
    std::string text;
    ASSERT_TRUE(ReadWholeFile(StateFile(), text));
    if (GetParam().edit) {
        Json::Value root;
        std::istringstream in(text);
        ASSERT_TRUE(Json::parseFromStream(Json::CharReaderBuilder(), in, &root, nullptr));
        GetParam().edit(root);
        text = Json::StyledWriter().write(root);
    } else {
        text = GetParam().text;
    }
    ASSERT_TRUE(WriteFileAtomically(StateFile(), text));

    {
        MouseOnBus m(options_);
        ExpectFactory(*m.mouse);
        ASSERT_EQ(log_->Lines().size(), 1u);
        EXPECT_NE(log_->Lines()[0].find(StateFile()), std::string::npos) << log_->Lines()[0];
        EXPECT_EQ(m.Status(0x06, 1, 1, Bytes{6}), 0x00);
    }
    log_->Clear();
    sim::MouseFirmware reloaded(options_);
    EXPECT_EQ(reloaded.ParameterMemory()[1], 6);
    EXPECT_TRUE(log_->Lines().empty()) << "the broken file was replaced by a good one";
}

INSTANTIATE_TEST_SUITE_P(
    Table, MouseBrokenState,
    ::testing::Values(
        BrokenState{"NotJson", nullptr, "{\"format\": 1, "},
        BrokenState{"NotAnObject", nullptr, "[1, 2]"},
        BrokenState{"UnknownFormat", [](Json::Value& r) { r["format"] = 2; }, nullptr},
        BrokenState{"OtherKeySlots", [](Json::Value& r) { r["keySlots"] = 20; }, nullptr},
        BrokenState{"OtherProfileCount", [](Json::Value& r) { r["onboardProfiles"] = "4"; }, nullptr},
        BrokenState{"KeyTableTooShort", [](Json::Value& r) { r["keyTable"] = r["keyTable"].asString().substr(2); },
                    nullptr},
        BrokenState{"MacroMemoryMissing", [](Json::Value& r) { r.removeMember("macroMemory"); }, nullptr},
        BrokenState{"NotHex",
                    [](Json::Value& r) {
                        std::string s = r["powerStatus"].asString();
                        s[3] = 'g';
                        r["powerStatus"] = s;
                    },
                    nullptr},
        BrokenState{"ActiveProfileMissingOnDevice",
                    [](Json::Value& r) {
                        std::string s = r["parameterMemory"].asString();
                        s.replace(0, 2, "04");
                        r["parameterMemory"] = s;
                    },
                    nullptr}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(MouseState, AFileOfOtherMemorySizesIsNotLoaded) {
    {
        sim::MouseFirmware small(options_);
        small.SetPowerStatus({{9, 9, 9, 9, 9, 9}});
    }
    sim::MouseOptions bigger = options_;
    bigger.macroUnits = 16;
    sim::MouseFirmware m(bigger);
    ExpectFactory(m);
    EXPECT_EQ(log_->Lines().size(), 1u);
}

}  // namespace
}  // namespace orvane::test
