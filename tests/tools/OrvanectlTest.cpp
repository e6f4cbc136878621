// orvanectl run as a user runs it, against the emulated mouse and a temporary HOME.
#include <gtest/gtest.h>
#include <json/json.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <sys/stat.h>
#include <tuple>

#include "profiles/CMouseProfiledata.h"
#include "profiles/MacroFile.h"
#include "protocol/ConfigBlock.h"
#include "sim/MouseFirmware.h"
#include "tests/support/RunProcess.h"
#include "tests/support/TempHome.h"

namespace orvane {
namespace {

class Orvanectl : public ::testing::Test {
protected:
    test::ProcessResult Run(std::vector<std::string> args, std::map<std::string, std::string> env = {}) {
        return test::RunProcess(ORVANECTL_PATH, args, Environment(std::move(env)));
    }
    // As Run, ended after `seconds` (exit code 124) should it block.
    test::ProcessResult RunAtMost(int seconds, std::vector<std::string> args) {
        args.insert(args.begin(), {std::to_string(seconds), ORVANECTL_PATH});
        return test::RunProcess("/usr/bin/timeout", args, Environment({}));
    }
    std::map<std::string, std::string> Environment(std::map<std::string, std::string> env) const {
        env.emplace("HOME", home_.Path());
        env.emplace("ORVANE_SIM_STATE", home_.Path() + "/sim");
        // Never the real bus: an empty fixture tree unless a test simulates.
        env.emplace("ORVANE_SYSFS_ROOT", home_.Path() + "/no-sysfs");
        env.emplace("ORVANE_DEV_DIR", home_.Path() + "/no-dev");
        return env;
    }
    // The emulated mouse's memories as the last run left them.
    sim::MouseFirmware DeviceState() {
        sim::MouseOptions options;
        options.stateFolder = home_.Path() + "/sim";
        return sim::MouseFirmware(options);
    }
    static size_t Count(const std::string& text, const std::string& what) {
        size_t n = 0;
        for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
        return n;
    }
    std::string DefaultMouseProfile() const { return std::string(ORVANE_SOURCE_DIR) + "/DefaultData/mouse.Json"; }
    test::TempHome home_;
};

TEST_F(Orvanectl, ListWithoutDevicesSaysSoAndExitsWithItsCode) {
    auto r = Run({"list"});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_NE(r.err.find("no supported device"), std::string::npos);
}

TEST_F(Orvanectl, ListShowsTheMouseSlots) {
    auto r = Run({"--simulate", "mouse", "list"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("&mi_01&col04"), std::string::npos);
    EXPECT_NE(r.out.find("2 (mouse, command)"), std::string::npos);
    EXPECT_NE(r.out.find("3 (mouse, events)"), std::string::npos);
    EXPECT_NE(r.out.find("unsupported"), std::string::npos);
}

TEST_F(Orvanectl, InfoWithDebugShowsTheWholeExchange) {
    auto r = Run({"--simulate", "mouse", "--debug", "info"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("key slots    16"), std::string::npos);
    EXPECT_NE(r.out.find("mouse_key_left         slot 2"), std::string::npos);
    // BeginTransfer, ReadDeviceInfo, ReadKeyTable (48 bytes: one report), EndTransfer.
    size_t commands = 0;
    for (size_t at = r.err.find("命令"); at != std::string::npos; at = r.err.find("命令", at + 1)) ++commands;
    EXPECT_EQ(commands, 4u);
    EXPECT_NE(r.err.find("04 01 00 01   00 00 00 00"), std::string::npos);
    EXPECT_NE(r.err.find("返回"), std::string::npos);
}

TEST_F(Orvanectl, EnvironmentChoosesTheSimulationToo) {
    auto r = Run({"config"}, {{"ORVANE_SIMULATE", "mouse"}});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("DPI stage 0           on  x=400"), std::string::npos);
}

TEST_F(Orvanectl, SilentDeviceNamesTheCommandAndResult) {
    auto r = Run({"--simulate", "mouse", "config"}, {{"ORVANE_SIM_FAULTS", "silent=-1"}});
    EXPECT_EQ(r.exitCode, 5);
    EXPECT_NE(r.err.find("no answer to ReadParameters within 1000 ms (result 0)"), std::string::npos) << r.err;
}

TEST_F(Orvanectl, AFailureSaysWhetherTheMouseErredWasUnpluggedOrDidNotAnswer) {
    const struct {
        const char* faults;
        int exitCode;
        const char* text;
    } cases[] = {
        {"error=1", 5, "orvanectl: the mouse reported an error (status 0xFF) to ReadParameters (result -102)"},
        {"error=1,status=254", 5, "orvanectl: the mouse reported an error (status 0xFE) to ReadParameters (result -103)"},
        {"unplug=0", 5, "orvanectl: the mouse was unplugged during ReadParameters (result 0)"},
    };
    for (const auto& c : cases) {
        auto r = Run({"--simulate", "mouse", "config"}, {{"ORVANE_SIM_FAULTS", c.faults}});
        EXPECT_EQ(r.exitCode, c.exitCode) << c.faults;
        EXPECT_NE(r.err.find(c.text), std::string::npos) << r.err;
    }
}

TEST_F(Orvanectl, HelpExplainsTheResultCodes) {
    auto r = Run({"--help"});
    ASSERT_EQ(r.exitCode, 0);
    for (const char* line : {"      1  done: every report was answered with a success status",
                             "   -102  the device answered with the error status 0xFF",
                             "   -103  the device answered with the error status 0xFE",
                             "   -201  a key table other than 0 was asked for; nothing was sent"}) {
        EXPECT_NE(r.out.find(line), std::string::npos) << line << "\n" << r.out;
    }
}

TEST_F(Orvanectl, BadUsageIsRefused) {
    EXPECT_EQ(Run({"frobnicate"}).exitCode, 2);
    EXPECT_EQ(Run({"--simulate"}).exitCode, 2);
    auto r = Run({"--simulate", "toaster", "info"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("mouse"), std::string::npos) << "the error names the known models";
}

TEST_F(Orvanectl, WriteSettingsSendsTheBlockInTwoReportsAndConfigShowsIt) {
    auto r = Run({"--simulate", "mouse", "--debug", "write-settings", DefaultMouseProfile(), "--screen", "2560x1440"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    // BeginTransfer, two WriteParameters reports (56 + 23 bytes at 0 and 56), EndTransfer.
    EXPECT_EQ(Count(r.err, "命令"), 4u);
    EXPECT_NE(r.err.find(" 06   38 00 00 00"), std::string::npos);
    EXPECT_NE(r.err.find(" 06   17 38 00 00"), std::string::npos);

    const auto memory = DeviceState().ParameterMemory();
    EXPECT_EQ(memory[ConfigBlock::kScreenValid], 1);
    EXPECT_EQ(memory[ConfigBlock::kScreenWidth] | memory[ConfigBlock::kScreenWidth + 1] << 8, 2560);
    EXPECT_EQ(memory[ConfigBlock::kScreenHeight] | memory[ConfigBlock::kScreenHeight + 1] << 8, 1440);

    auto config = Run({"--simulate", "mouse", "config"});
    ASSERT_EQ(config.exitCode, 0) << config.err;
    EXPECT_NE(config.out.find("DPI stage 5           on  x=12800"), std::string::npos) << config.out;
    EXPECT_NE(config.out.find("screen                valid 2560x1440"), std::string::npos) << config.out;
}

TEST_F(Orvanectl, WriteSettingsWithoutScreenIsAProfileSelection) {
    ASSERT_EQ(Run({"--simulate", "mouse", "write-settings", DefaultMouseProfile()}).exitCode, 0);
    const auto memory = DeviceState().ParameterMemory();
    EXPECT_EQ(memory[ConfigBlock::kScreenValid], 0);
    EXPECT_EQ(memory[ConfigBlock::kScreenWidth], 0);
}

TEST_F(Orvanectl, WritesRefuseWhatIsNotAMouseProfileWithoutTouchingFileOrMouse) {
    const struct {
        const char* name;
        const char* content;
    } cases[] = {
        {"broken.json", "{ not json"},
        {"other.json", R"({"a":1})"},
        {"keyboard.json", R"({"Device":[{"KeyList":[]}]})"},
        {"damaged.json", R"({"Device":[{"DPIStages":{"StageDPIs":[{"StageDPIX":"fast"}]}}]})"},
    };
    const auto memoryBefore = DeviceState().ParameterMemory();
    for (const auto& c : cases) {
        const std::string path = home_.WriteFile(c.name, c.content);
        for (const char* command : {"write-settings", "write-keys"}) {
            auto r = Run({"--simulate", "mouse", command, path});
            EXPECT_EQ(r.exitCode, 1) << c.name << " " << command;
            EXPECT_NE(r.err.find("refused, nothing changed"), std::string::npos) << r.err;
            EXPECT_EQ(home_.ReadFile(c.name), c.content) << c.name << " " << command;
        }
    }
    EXPECT_EQ(DeviceState().ParameterMemory(), memoryBefore);
    EXPECT_EQ(Run({"--simulate", "mouse", "write-keys", home_.Path() + "/absent.json"}).exitCode, 1);
    EXPECT_FALSE(home_.Exists("absent.json"));
    EXPECT_EQ(Run({"--simulate", "mouse", "write-settings", DefaultMouseProfile(), "--screen", "wide"}).exitCode, 2);
}

TEST_F(Orvanectl, WriteKeysPutsTheProfilesCodesAtTheDevicesSlots) {
    ASSERT_EQ(Run({"--simulate", "mouse", "write-keys", DefaultMouseProfile()}).exitCode, 0);
    // The default profile holds the factory codes, so every slot a button owns keeps its code
    // and slots no button owns are cleared.
    const auto state = DeviceState();
    const auto table = state.KeyTable();
    const auto& order = state.Options().slotOfButton;
    for (size_t b = 0; b < sim::kFactoryButtonCount; ++b)
        for (size_t k = 0; k < 3; ++k) EXPECT_EQ(table[3 * order[b] + k], sim::kFactoryButtonCodes[b][k]) << "button " << b;
    EXPECT_EQ(table[3 * 15], 0);
}

TEST_F(Orvanectl, WriteMacrosFromTheUserDataFolder) {
    const std::string folder = home_.Path() + "/.local/share/ORVANE Q730 Gaming Mouse/mouse/";
    std::vector<MacroIndexEntry> index = {{"Burst", "m1"}};
    MacroFile macro;
    macro.Guid = "m1";
    macro.MacroName = "Burst";
    macro.Events = {{"down", 4, 1, "300"}, {"up", 4, 1, "20"}};
    home_.WriteFile(".local/share/ORVANE Q730 Gaming Mouse/mouse/.keep", "");
    ASSERT_TRUE(WriteMacroIndex(folder + "macro.config", index));
    ASSERT_TRUE(WriteMacroFile(folder + "m1.mac", macro));

    auto r = Run({"--simulate", "mouse", "write-macros"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto memory = DeviceState().MacroMemory();
    const std::vector<uint8_t> expected = {0xAA, 0x55, 30, 0, 1, 0};
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), memory.begin()));
    EXPECT_EQ(memory[22], 0x2C);
    EXPECT_EQ(memory[24], 0x81);

    macro.Events.assign(300, {"down", 4, 1, "1"});  // 16 + 6 + 1200 bytes > 8 x 128
    ASSERT_TRUE(WriteMacroFile(folder + "m1.mac", macro));
    r = Run({"--simulate", "mouse", "write-macros", folder});
    EXPECT_EQ(r.exitCode, 6);
    EXPECT_NE(r.err.find("remove 50 events"), std::string::npos) << r.err;
    EXPECT_EQ(DeviceState().MacroMemory()[2], 30) << "nothing was written";
}

TEST_F(Orvanectl, PullStoresTheDevicesStateInTheProfile) {
    std::ifstream in(DefaultMouseProfile());
    const std::string original((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string path = home_.WriteFile("p.Json", original);
    CMouseProfiledata before;
    before.LoadProfile(path);
    before.GetDpiStages();
    ASSERT_EQ(before.GetActiveDpiStage(), 2);
    ASSERT_EQ(before.GetLightInfo().light.mode, 0);

    // The factory device runs light mode 1 at brightness 3 with DPI stage 1 active.
    auto r = Run({"--simulate", "mouse", "pull", path});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    CMouseProfiledata after;
    after.LoadProfile(path);
    after.GetDpiStages();
    EXPECT_EQ(after.GetActiveDpiStage(), 1);
    EXPECT_EQ(after.GetLightInfo().light.mode, 1);
    EXPECT_EQ(after.GetLightInfo().light.brightness, 3);
}

TEST_F(Orvanectl, PullFromASilentDeviceLeavesTheProfileAlone) {
    std::ifstream in(DefaultMouseProfile());
    const std::string original((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string path = home_.WriteFile("p.Json", original);
    EXPECT_EQ(Run({"--simulate", "mouse", "pull", path}, {{"ORVANE_SIM_FAULTS", "silent=-1"}}).exitCode, 5);
    EXPECT_EQ(home_.ReadFile("p.Json"), original);
}

// The profile and panel commands run on the mouse's user data in the temporary HOME.
class OrvanectlProfiles : public Orvanectl {
protected:
    test::ProcessResult Mouse(std::vector<std::string> args) {
        args.insert(args.begin(), {"--simulate", "mouse"});
        return Run(args, {{"GSETTINGS_BACKEND", "memory"}});
    }
};

TEST_F(OrvanectlProfiles, DpiChangeIsSavedAndWrittenAtOnce) {
    auto r = Mouse({"dpi", "2", "1650"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("stage 2  on    1600 cpi"), std::string::npos) << r.out;
    auto config = Mouse({"config"});
    EXPECT_NE(config.out.find("DPI stage 2           on  x=1600"), std::string::npos) << config.out;
    // A second run starts from the saved profile: the change is still there.
    EXPECT_NE(Mouse({"dpi"}).out.find("stage 2  on    1600 cpi"), std::string::npos);
}

TEST_F(OrvanectlProfiles, TheLastStageOnCannotBeSwitchedOff) {
    for (const char* stage : {"1", "2", "3", "4", "5"}) ASSERT_EQ(Mouse({"dpi", stage, "off"}).exitCode, 0) << stage;
    auto r = Mouse({"dpi", "0", "off"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("the last one on"), std::string::npos) << r.err;
    EXPECT_EQ(Mouse({"dpi", "0", "1e3"}).exitCode, 2);
}

TEST_F(OrvanectlProfiles, RateAndLiftOffAreWrittenInTheirOptionBytes) {
    ASSERT_EQ(Mouse({"rate", "500"}).exitCode, 0);
    ASSERT_EQ(Mouse({"lod", "2"}).exitCode, 0);
    auto config = Mouse({"config"});
    EXPECT_NE(config.out.find("report-rate option    2"), std::string::npos) << config.out;
    EXPECT_NE(config.out.find("lift-off option       1"), std::string::npos) << config.out;
    EXPECT_EQ(Mouse({"rate", "300"}).exitCode, 2);
    EXPECT_EQ(Mouse({"lod", "3"}).exitCode, 2);
}

TEST_F(OrvanectlProfiles, SelectingAProfileWritesItWithScreenFlagZero) {
    ASSERT_EQ(Mouse({"dpi", "0", "5000"}).exitCode, 0);  // Profile1 now differs from the factory profile
    ASSERT_EQ(Mouse({"profiles", "add"}).exitCode, 0);     // Profile2, from the default profile, written
    EXPECT_NE(Mouse({"config"}).out.find("DPI stage 0           on  x=400"), std::string::npos);

    auto r = Mouse({"profiles", "select", "Profile1"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    auto config = Mouse({"config"});
    EXPECT_NE(config.out.find("DPI stage 0           on  x=5000"), std::string::npos) << config.out;
    EXPECT_NE(config.out.find("screen                not set"), std::string::npos) << config.out;

    auto list = Run({"profiles", "list"});
    EXPECT_NE(list.out.find("*  0  Profile1"), std::string::npos) << list.out;
}

TEST_F(OrvanectlProfiles, RenameChecksTheNameAndKeepsAnyScript) {
    EXPECT_EQ(Run({"profiles", "rename", "two words"}).exitCode, 2);
    ASSERT_EQ(Run({"profiles", "rename", "ゲーム🎮"}).exitCode, 0);
    EXPECT_NE(Run({"profiles", "list"}).out.find("ゲーム🎮"), std::string::npos);
    EXPECT_EQ(Mouse({"profiles", "select", "7"}).exitCode, 2);
}

// Every file below the mouse's user data folder: name, inode and change time.
std::map<std::string, std::tuple<ino_t, long, long>> Snapshot(const std::string& folder) {
    std::map<std::string, std::tuple<ino_t, long, long>> files;
    for (const auto& e : std::filesystem::recursive_directory_iterator(folder)) {
        struct stat st {};
        ::lstat(e.path().c_str(), &st);
        files[e.path().string()] = {st.st_ino, st.st_mtim.tv_sec, st.st_mtim.tv_nsec};
    }
    return files;
}

TEST_F(OrvanectlProfiles, ReadingCommandsWriteNoFile) {
    ASSERT_EQ(Mouse({"dpi", "1", "800"}).exitCode, 0);  // the profile list and Profile1 exist
    const std::string folder = home_.Path() + "/.local/share/ORVANE Q730 Gaming Mouse";
    const auto before = Snapshot(folder);
    for (const std::vector<std::string>& command :
         std::vector<std::vector<std::string>>{{"profiles", "list"}, {"dpi"}, {"config"}, {"info"}, {"power"}}) {
        auto r = command[0] == "profiles" ? Run(command) : Mouse(command);
        EXPECT_EQ(r.exitCode, 0) << command[0] << ": " << r.err;
        EXPECT_EQ(Snapshot(folder), before) << command[0];
    }
}

TEST_F(OrvanectlProfiles, AFifoInPlaceOfTheProfileListEndsAtOnceWithWordsAndIsKept) {
    ASSERT_EQ(Run({"profiles", "list"}).exitCode, 0);
    const std::string folder = home_.Path() + "/.local/share/ORVANE Q730 Gaming Mouse/mouse/";
    std::filesystem::remove(folder + "ProfileList.ini");
    ASSERT_EQ(::mkfifo((folder + "ProfileList.ini").c_str(), 0600), 0);
    // A blocking open would wait for a writer for ever; the time limit turns that into exit 124.
    auto r = RunAtMost(5, {"profiles", "list"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.err.find("orvanectl: " + folder + "ProfileList.ini is a FIFO, not a regular file"), std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("it is kept as " + folder + "ProfileList.ini.broken-"), std::string::npos) << r.err;
    EXPECT_NE(r.out.find("Profile1"), std::string::npos) << "the profile file present is adopted: " << r.out;
}

TEST_F(OrvanectlProfiles, LeftoversOfInterruptedWritesGoAtStartAndNothingElse) {
    ASSERT_EQ(Run({"profiles", "list"}).exitCode, 0);
    const std::string folder = home_.Path() + "/.local/share/ORVANE Q730 Gaming Mouse/mouse/";
    auto make = [](const std::string& path, std::time_t when, const char* content = "x") {
        std::ofstream(path) << content;
        const timespec t[2] = {{when, 0}, {when, 0}};
        ::utimensat(AT_FDCWD, path.c_str(), t, 0);
    };
    const std::time_t now = std::time(nullptr);
    make(folder + "ProfileList.ini.tmp-Ab12Cd", now - 3600);
    // Empty and newer than the process: a write that may not have locked it yet.
    make(folder + "macro.config.tmp-xY34zW", now + 3600, "");
    make(folder + "notes.tmp", now - 3600);
    std::filesystem::create_directories(home_.Path() + "/elsewhere");
    make(home_.Path() + "/elsewhere/a.tmp-Ab12Cd", now - 3600);

    ASSERT_EQ(Run({"profiles", "list"}).exitCode, 0);
    EXPECT_FALSE(std::filesystem::exists(folder + "ProfileList.ini.tmp-Ab12Cd"));
    EXPECT_TRUE(std::filesystem::exists(folder + "macro.config.tmp-xY34zW"));
    EXPECT_TRUE(std::filesystem::exists(folder + "notes.tmp"));
    EXPECT_TRUE(std::filesystem::exists(home_.Path() + "/elsewhere/a.tmp-Ab12Cd"));
}

TEST_F(OrvanectlProfiles, UserFilesArePrivateWhateverTheUmask) {
    const mode_t previous = ::umask(022);
    auto r = Mouse({"dpi", "1", "800"});
    ::umask(previous);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string product = home_.Path() + "/.local/share/ORVANE Q730 Gaming Mouse";
    for (const auto& e : std::filesystem::recursive_directory_iterator(product)) {
        struct stat st {};
        ::lstat(e.path().c_str(), &st);
        EXPECT_EQ(st.st_mode & 0777, S_ISDIR(st.st_mode) ? 0700u : 0600u) << e.path();
    }
    struct stat st {};
    ::lstat(product.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
}

// Every file of the mouse's profile folder, by name.
std::map<std::string, std::string> FolderFiles(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        files[entry.path().filename().string()] = {std::istreambuf_iterator<char>(in), {}};
    }
    return files;
}

TEST_F(OrvanectlProfiles, AnOperationTheMouseDidNotTakeLeavesTheProfilesAsTheyWere) {
    ASSERT_EQ(Mouse({"profiles", "add"}).exitCode, 0);
    const std::string folder = home_.Path() + "/.local/share/ORVANE Q730 Gaming Mouse/mouse";
    const auto before = FolderFiles(folder);
    ASSERT_EQ(before.size(), 3u);
    // The mouse goes away during the profile's write, after the connection's reads.
    const std::map<std::string, std::string> unplugMidWrite{{"GSETTINGS_BACKEND", "memory"},
                                                            {"ORVANE_SIM_FAULTS", "unplug=10"}};
    for (const std::vector<std::string>& verb : {std::vector<std::string>{"add"}, {"copy"}, {"delete"}, {"reset"},
                                                 {"select", "0"}}) {
        std::vector<std::string> args{"--simulate", "mouse", "profiles"};
        args.insert(args.end(), verb.begin(), verb.end());
        auto r = Run(args, unplugMidWrite);
        EXPECT_EQ(r.exitCode, 5) << verb[0] << ": " << r.err;
        EXPECT_NE(r.err.find("left as they were"), std::string::npos) << r.err;
        EXPECT_EQ(FolderFiles(folder), before) << verb[0];
    }
    EXPECT_NE(Run({"profiles", "list"}).out.find("*  1  Profile2"), std::string::npos);
}

TEST_F(OrvanectlProfiles, WithoutAMouseNothingChangesOnDisk) {
    ASSERT_EQ(Run({"profiles", "list"}).exitCode, 0);
    const std::string before = home_.ReadFile(".local/share/ORVANE Q730 Gaming Mouse/mouse/ProfileList.ini");
    EXPECT_EQ(Run({"profiles", "add"}).exitCode, 3);
    EXPECT_EQ(home_.ReadFile(".local/share/ORVANE Q730 Gaming Mouse/mouse/ProfileList.ini"), before);
}


TEST_F(OrvanectlProfiles, LightChangesAreSavedAndWrittenLikeThePanelsEdits) {
    auto r = Mouse({"light", "4", "--colour", "00ff80", "--brightness", "2"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    auto config = Mouse({"config"});
    EXPECT_NE(config.out.find("light mode            4"), std::string::npos) << config.out;
    EXPECT_NE(config.out.find("brightness            2"), std::string::npos) << config.out;
    EXPECT_NE(config.out.find("colour                #00ff80"), std::string::npos) << config.out;
    // The next run starts from the saved profile.
    auto json = Mouse({"light", "--json"});
    ASSERT_EQ(json.exitCode, 0) << json.err;
    Json::Value doc;
    ASSERT_TRUE(Json::Reader().parse(json.out, doc)) << json.out;
    EXPECT_EQ(doc["mode"].asInt(), 4);
    EXPECT_EQ(doc["colour"].asString(), "00ff80");
    EXPECT_EQ(doc["colourful"].asBool(), false);

    ASSERT_EQ(Mouse({"light", "3", "--colourful", "--direction", "left", "--speed", "0"}).exitCode, 0);
    config = Mouse({"config"});
    EXPECT_NE(config.out.find("multicolour           1"), std::string::npos) << config.out;
    EXPECT_NE(config.out.find("direction             1"), std::string::npos) << config.out;
    EXPECT_NE(config.out.find("speed                 0 (byte 3 = 4)"), std::string::npos) << config.out;
}

TEST_F(OrvanectlProfiles, LightRefusesWhatThePanelCannotChoose) {
    const std::string before = Mouse({"config"}).out;
    const std::vector<std::vector<std::string>> bad = {
        {"light", "9"},  // no user effects installed: the mouse's modes end at 8
        {"light", "4", "--brightness", "5"},
        {"light", "4", "--speed", "-1"},
        {"light", "4", "--colour", "00ff8"},
        {"light", "4", "--direction", "up"},
        {"light", "4", "--colour"},
        {"light", "four"},
    };
    for (const auto& args : bad) EXPECT_EQ(Mouse(args).exitCode, 2) << args.back();
    EXPECT_EQ(Mouse({"config"}).out, before) << "nothing was written";
}

TEST_F(OrvanectlProfiles, LightModesListsTheMousesLightGroup) {
    auto r = Mouse({"light", "modes", "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    Json::Value doc;
    ASSERT_TRUE(Json::Reader().parse(r.out, doc)) << r.out;
    ASSERT_EQ(doc.size(), 9u);
    EXPECT_EQ(doc[0]["name"].asString(), "light_mode_wave");
    EXPECT_EQ(doc[8]["name"].asString(), "light_mode_ripple");
    EXPECT_TRUE(doc[8]["visible"].asBool());
}

}  // namespace
}  // namespace orvane

namespace orvane {
namespace {

TEST_F(OrvanectlProfiles, ShootPatternsResetExportAndImportByteForByte) {
    auto list = Mouse({"shoot", "list", "--json"});
    ASSERT_EQ(list.exitCode, 0) << list.err;
    Json::Value doc;
    ASSERT_TRUE(Json::Reader().parse(list.out, doc)) << list.out;
    ASSERT_EQ(doc.size(), 4u);
    EXPECT_EQ(doc[0]["source"].asString(), "factory");

    const std::string factory = std::string(ORVANE_SOURCE_DIR) + "/DefaultData/ShootData_2.Shoot";
    const std::string out = home_.Path() + "/out.Shoot";
    ASSERT_EQ(Mouse({"shoot", "export", "2", out}).exitCode, 0);
    EXPECT_EQ(home_.ReadFile("out.Shoot"), [&] {
        std::ifstream in(factory, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }());
    ASSERT_EQ(Mouse({"shoot", "import", "0", out}).exitCode, 0);
    const std::string user = ".local/share/ORVANE Q730 Gaming Mouse/mouse/ShootData_0.Shoot";
    EXPECT_EQ(home_.ReadFile(user), home_.ReadFile("out.Shoot"));

    auto shown = Mouse({"shoot", "show", "0", "--json"});
    ASSERT_TRUE(Json::Reader().parse(shown.out, doc)) << shown.out;
    ASSERT_EQ(doc.size(), 30u);
    EXPECT_EQ(doc[0]["y"].asInt(), 14);  // the heavy rifle's first kick

    home_.WriteFile("bad.Shoot", R"({"Events": [1, 2]})");
    EXPECT_EQ(Mouse({"shoot", "import", "0", home_.Path() + "/bad.Shoot"}).exitCode, 1);
    EXPECT_EQ(home_.ReadFile(user), home_.ReadFile("out.Shoot"));
    ASSERT_EQ(Mouse({"shoot", "reset", "0"}).exitCode, 0);
    EXPECT_EQ(home_.ReadFile(user), [] {
        std::ifstream in(std::string(ORVANE_SOURCE_DIR) + "/DefaultData/ShootData_0.Shoot", std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }());
    for (const auto& bad : std::vector<std::vector<std::string>>{{"shoot", "show", "4"}, {"shoot", "export", "1"},
                                                                  {"shoot", "frob", "1"}, {"shoot"}}) {
        EXPECT_EQ(Mouse(bad).exitCode, 2) << bad.back();
    }
}

}  // namespace
}  // namespace orvane
