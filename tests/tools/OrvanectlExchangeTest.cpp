// `orvanectl profiles export` and `profiles import` as a user runs them: a profile carried from
// one HOME to another onto an emulated mouse, and files that are refused without a change.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "tests/support/RunProcess.h"
#include "tests/support/TempHome.h"

namespace orvane {
namespace {

constexpr const char* kUserFolder = "/.local/share/ORVANE Q730 Gaming Mouse/mouse/";

class OrvanectlExchange : public ::testing::Test {
protected:
    // orvanectl in `home`, with the emulated mouse keeping its memories there too.
    test::ProcessResult Run(const std::string& home, std::vector<std::string> args, bool mouse = true) {
        if (mouse) args.insert(args.begin(), {"--simulate", "mouse"});
        return test::RunProcess(ORVANECTL_PATH, args,
                                {{"HOME", home},
                                 {"ORVANE_SIM_STATE", home + "/sim"},
                                 {"ORVANE_SYSFS_ROOT", home + "/no-sysfs"},
                                 {"ORVANE_DEV_DIR", home + "/no-dev"},
                                 {"GSETTINGS_BACKEND", "memory"}});
    }

    // The emulated mouse's memories as the runs in `home` left them.
    static std::map<std::string, std::string> MouseState(const std::string& home) {
        std::map<std::string, std::string> files;
        for (const auto& e : std::filesystem::recursive_directory_iterator(home + "/sim")) {
            if (!e.is_regular_file()) continue;
            std::ifstream in(e.path(), std::ios::binary);
            files[e.path().string()].assign(std::istreambuf_iterator<char>(in), {});
        }
        return files;
    }

    // Files carried between the two HOMEs live in a folder of neither.
    std::string Exchange(const std::string& name) const { return carrier_.Path() + "/" + name; }

    test::TempHome first_;
    test::TempHome second_;
    test::TempHome carrier_;
};

TEST_F(OrvanectlExchange, AProfileExportedInOneHomeIsImportedInAnotherAndWrittenToItsMouse) {
    const std::string a = first_.Path();
    const std::string b = second_.Path();
    ASSERT_EQ(Run(a, {"dpi", "2", "1650"}).exitCode, 0);
    ASSERT_EQ(Run(a, {"profiles", "rename", "Gaming"}, false).exitCode, 0);
    const std::string file = Exchange("Gaming.json");
    auto exported = Run(a, {"profiles", "export", "Gaming", file}, false);
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    EXPECT_NE(exported.out.find("profile Gaming exported to"), std::string::npos) << exported.out;

    auto imported = Run(b, {"profiles", "import", file});
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_NE(imported.out.find("profile Gaming selected and written to the mouse"), std::string::npos) << imported.out;
    auto list = Run(b, {"profiles", "list"}, false);
    EXPECT_NE(list.out.find("   0  Profile1"), std::string::npos) << list.out;
    EXPECT_NE(list.out.find("*  1  Gaming"), std::string::npos) << list.out;
    EXPECT_NE(Run(b, {"config"}).out.find("DPI stage 2           on  x=1600"), std::string::npos)
        << "the second HOME's mouse holds the carried stage";
    EXPECT_EQ(Run(b, {"profiles", "export", "9", Exchange("none.json")}, false).exitCode, 2);
}

TEST_F(OrvanectlExchange, AFileThatIsNotAProfileOfTheMouseChangesNothingAndSaysWhy) {
    const std::string home = first_.Path();
    ASSERT_EQ(Run(home, {"rate", "500"}).exitCode, 0);  // the mouse keeps memories from now on
    const auto mouseBefore = MouseState(home);
    ASSERT_FALSE(mouseBefore.empty());
    ASSERT_EQ(Run(home, {"profiles", "list"}, false).exitCode, 0);
    const std::string listFile = home + kUserFolder + "ProfileList.ini";
    const std::string before = first_.ReadFile(listFile.substr(home.size() + 1));
    const auto files = std::distance(std::filesystem::directory_iterator(home + kUserFolder), {});

    struct Case {
        const char* file;
        std::string content;
        const char* says;
    };
    const Case cases[] = {
        {"keys.json", R"({"profilename": "k", "profileUUID": "u", "Device": [{"KeyList": []}]})",
         "a profile of another kind of device: the profile has no DPI stages"},
        {"text.json", "hello", "not a profile: the file is not JSON"},
        {"stage.json",
         R"({"profilename": "k", "profileUUID": "u", "Device": [{"DPIStages": {"StageDPIs": [{"StageColorR": 300}]}}]})",
         "\"DPIStages\".\"StageDPIs\"[0].\"StageColorR\" should be a whole number from 0 to 255"},
    };
    for (const Case& c : cases) {
        const std::string path = carrier_.WriteFile(c.file, c.content);
        for (bool mouse : {true, false}) {
            auto r = Run(home, {"profiles", "import", path}, mouse);
            EXPECT_EQ(r.exitCode, 1) << c.file;
            EXPECT_NE(r.err.find("import refused, nothing changed"), std::string::npos) << r.err;
            EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        }
    }
    EXPECT_EQ(first_.ReadFile(listFile.substr(home.size() + 1)), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(home + kUserFolder), {}), files);
    EXPECT_EQ(MouseState(home), mouseBefore) << "the mouse was never written";
}

}  // namespace
}  // namespace orvane
