// Data files that are not what they should be: a FIFO or an oversized file in place of each of
// them is refused at once, kept, and said in words.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "platform/FileNotices.h"
#include "profiles/CMouseProfiledata.h"
#include "profiles/MacroFile.h"
#include "profiles/ProfileList.h"
#include "tests/profiles/ProfileFixture.h"
#include "tests/support/Fifo.h"

namespace orvane::test {
namespace {

namespace fs = std::filesystem;

class CapturedNotices {
public:
    CapturedNotices() : previous_(SetFileNoticeHandler([this](const std::string& m) { lines_.push_back(m); })) {}
    ~CapturedNotices() { SetFileNoticeHandler(previous_); }
    bool Any(const std::string& part) const {
        for (const auto& line : lines_)
            if (line.find(part) != std::string::npos) return true;
        return false;
    }
    const std::vector<std::string>& Lines() const { return lines_; }

private:
    std::vector<std::string> lines_;
    FileNoticeHandler previous_;
};

class DataFileSafety : public ProfileFolderTest {
protected:
    void SetUp() override {
        ProfileFolderTest::SetUp();
        WriteDefault(R"({"Device": [{"DPIStages": {"StageActive": 1}}]})");
    }
    // Whatever stands at `path` now, or under a ".broken-" name beside it.
    bool KeptAsFifo(const std::string& path) const {
        if (IsFifo(path)) return true;
        const auto name = fs::path(path).filename().string();
        for (const auto& aside : FilesStartingWith(folder, name + ".broken-"))
            if (IsFifo(folder + aside)) return true;
        return false;
    }
};

TEST_F(DataFileSafety, AFifoInPlaceOfEachDataFileIsRefusedWithinASecondAndKept) {
    const std::string light = folder + "vexal_light.config";
    struct Case {
        std::string fifo;
        std::function<void()> read;
        bool listRebuilt = false;
    };
    const Case cases[] = {
        {folder + "ProfileList.ini",
         [&] {
             ProfileList list;
             list.SetProfilePaths(folder, defaultPath);
             list.InitProfileList();
             EXPECT_EQ(list.Entries().size(), 1u);
         },
         true},
        {folder + "p.Json",
         [&] {
             CMouseProfiledata profile;
             profile.SetDefaultProfilePath(defaultPath);
             EXPECT_EQ(profile.LoadProfile(folder + "p.Json")["DPIStages"]["StageActive"], 1);
         }},
        {defaultPath,
         [&] {
             CMouseProfiledata profile;
             profile.SetDefaultProfilePath(defaultPath);
             EXPECT_TRUE(profile.LoadProfile(defaultPath).isNull());
         }},
        {folder + "macro.config", [&] { EXPECT_FALSE(ReadMacroIndex(folder + "macro.config")); }},
        {folder + "m.mac", [&] { EXPECT_TRUE(ReadMacroFile(folder + "m.mac").Events.empty()); }},
        {light,
         [&] {
             CMouseProfiledata profile;
             EXPECT_TRUE(profile.LoadLightConfig(light).isNull());
         }},
        {folder + "effect.light",
         [&] {
             fs::remove(light);  // the FIFO of the case before
             WriteText(light, R"({"LightInfo": [[{"Guid": "effect"}]]})");
             CMouseProfiledata profile;
             profile.LoadLightConfig(light);
             EXPECT_TRUE(profile.GetLedEffectList().empty());
             fs::remove(light);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fifo);
        if (fs::exists(fs::symlink_status(c.fifo))) fs::remove(c.fifo);
        MakeFifo(c.fifo);
        CapturedNotices notices;
        EXPECT_TRUE(ReturnsWithin(c.read, c.fifo));
        EXPECT_TRUE(KeptAsFifo(c.fifo)) << "the FIFO is kept, in place or aside";
        EXPECT_TRUE(notices.Any(c.fifo + " is a FIFO, not a regular file")) << ::testing::PrintToString(notices.Lines());
        if (c.listRebuilt) {
            EXPECT_TRUE(notices.Any("it is kept as " + c.fifo + ".broken-"));
        }
    }
}

TEST_F(DataFileSafety, AFileOverEightMebibytesIsNeitherReadNorWritten) {
    const std::string path = folder + "huge.Json";
    WriteText(path, "{\"a\": \"" + std::string(kMaxDataFileBytes, 'x') + "\"}");
    CapturedNotices notices;
    JsonFileStore store;
    EXPECT_EQ(store.ReadJsonChecked(path).status, JsonFileStatus::kUnreadable);
    EXPECT_TRUE(notices.Any(path + " is larger than 8 MiB"));
    EXPECT_EQ(fs::file_size(path), kMaxDataFileBytes + 9);

    Json::Value big(Json::objectValue);
    big["a"] = std::string(kMaxDataFileBytes, 'y');
    EXPECT_EQ(store.wirtejsonFile(folder + "out.Json", big), 1) << "what could not be read back is not written";
    EXPECT_FALSE(fs::exists(folder + "out.Json"));
    big["a"] = std::string(kMaxDataFileBytes - 64, 'y');
    EXPECT_EQ(store.wirtejsonFile(folder + "out.Json", big), 0);
    EXPECT_EQ(store.ReadJsonChecked(folder + "out.Json").status, JsonFileStatus::kParsed);
}

}  // namespace
}  // namespace orvane::test
