#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <sys/stat.h>

#include "profiles/ProfileList.h"
#include "tests/profiles/ProfileFixture.h"

namespace orvane::test {
namespace {

constexpr const char* kDefault = R"({"Device": [{"DPIStages": {"StageActive": 2}, "KeyList": [{"Assignment": 1}]}]})";

class ProfileListTest : public ProfileFolderTest {
protected:
    void SetUp() override {
        ProfileFolderTest::SetUp();
        WriteDefault(kDefault);
    }

    // A list file with one profile file per name; UUIDs are "u0", "u1", ...
    void WriteList(const std::vector<std::string>& names, int select = 0) {
        Json::Value root;
        for (size_t i = 0; i < names.size(); ++i) {
            const std::string uuid = "u" + std::to_string(i);
            root["profilelist"][static_cast<Json::ArrayIndex>(i)]["profilename"] = names[i];
            root["profilelist"][static_cast<Json::ArrayIndex>(i)]["profileUUID"] = uuid;
            WriteText(folder + uuid + ".Json",
                      R"({"profilename": ")" + names[i] + R"(", "Device": [{"Mark": ")" + names[i] + R"("}]})");
        }
        root["profileselect"] = select;
        JsonFileStore().wirtejsonFile(ListPath(), root);
    }
    ProfileList& Init(ProfileList::TimeStampSource stamps = {}) {
        list = ProfileList(std::move(stamps));
        list.SetDeviceKind(kDeviceMouse);
        list.SetProfilePaths(folder, defaultPath);
        list.InitProfileList();
        return list;
    }
    std::string ListPath() const { return folder + kProfileListFileName; }
    Json::Value ListFile() const { return ReadJson(ListPath()); }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& e : list.Entries()) names.push_back(e.name);
        return names;
    }

    ProfileList list;
};

TEST_F(ProfileListTest, FirstStartMakesProfile1FromTheDefaultProfile) {
    Init();
    ASSERT_EQ(Names(), std::vector<std::string>{"Profile1"});
    EXPECT_EQ(list.GetSelectedIndex(), 0);
    const std::string uuid = list.GetSelectedUuid();
    EXPECT_EQ(ListFile(), ParseOrDie(R"({"profilelist": [{"profilename": "Profile1", "profileUUID": ")" + uuid +
                                     R"(", "profileislink": 0, "profilelinkmame": ""}], "profileselect": 0})"));
    Json::Value expected = ParseOrDie(kDefault);
    expected["profilename"] = "Profile1";
    expected["profileUUID"] = uuid;
    EXPECT_EQ(list.SelectedProfilePath(), folder + uuid + ".Json");
    EXPECT_EQ(ReadJson(list.SelectedProfilePath()), expected);
}

TEST_F(ProfileListTest, AnUnusableListFileIsKeptAsideAndReplacedByProfile1) {
    const struct {
        const char* what;
        const char* content;  // nullptr: no file
        bool keptAside;
    } cases[] = {
        {"missing", nullptr, false},
        {"empty", "", false},
        {"truncated", R"({"profilelist": [{"profilename": "A", "profileU)", true},
        {"not JSON", "profiles: A, B", true},
        {"not an object", R"([{"profilename": "A", "profileUUID": "a"}])", true},
        {"no entries", R"({"profilelist": [], "profileselect": 0})", true},
        {"only a UUID that is a path", R"({"profilelist": [{"profilename": "A", "profileUUID": "../../escape"}]})", true},
    };
    WriteText(folder + "other.Json", "{\"keep\": 1}");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(ListPath());
        for (const auto& name : FilesStartingWith(folder, "ProfileList.ini.broken-")) std::filesystem::remove(folder + name);
        if (c.content != nullptr) WriteText(ListPath(), c.content);

        Init();
        EXPECT_EQ(Names(), std::vector<std::string>{"Profile1"});
        EXPECT_EQ(ListFile()["profilelist"].size(), 1u);
        const auto aside = FilesStartingWith(folder, "ProfileList.ini.broken-");
        ASSERT_EQ(aside.size(), c.keptAside ? 1u : 0u);
        if (c.keptAside) {
            EXPECT_EQ(ReadText(folder + aside[0]), c.content);
        }
        EXPECT_EQ(ReadText(folder + "other.Json"), "{\"keep\": 1}");
    }
}

TEST_F(ProfileListTest, LoadingDropsUnsafeAndDuplicateEntriesAndKeepsTheRest) {
    WriteText(ListPath(), R"({"profilelist": [
        {"profilename": "A", "profileUUID": "a"},
        {"profilename": "Evil", "profileUUID": "../../../tmp/x"},
        {"profilename": "Twin", "profileUUID": "a"},
        {"profilename": "配置", "profileUUID": "b", "extra": 7}],
        "profileselect": 9})");
    Init();
    EXPECT_EQ(list.Entries(), (std::vector<ProfileEntry>{{"A", "a"}, {"配置", "b"}}));
    EXPECT_EQ(list.GetSelectedIndex(), 0) << "a selection beyond the list falls back to the first entry";
    EXPECT_EQ(FilesStartingWith(folder, "ProfileList.ini.broken-").size(), 1u);
    const Json::Value file = ListFile();
    EXPECT_EQ(file["profileselect"], 0);
    EXPECT_EQ(file["profilelist"][1]["extra"], 7) << "members this list does not own survive a rewrite";
    EXPECT_EQ(file["profilelist"][1]["profilename"], "配置");
}

TEST_F(ProfileListTest, ASoundListKeepsItsSelection) {
    WriteList({"A", "B", "C"}, 2);
    Init();
    EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(list.GetSelectedIndex(), 2);
    EXPECT_EQ(list.GetSelectedUuid(), "u2");
    EXPECT_EQ(list.SelectedName(), "C");
    EXPECT_TRUE(FilesStartingWith(folder, "ProfileList.ini.broken-").empty());

    EXPECT_TRUE(list.SelectProfile(1).Changed());
    EXPECT_EQ(ListFile()["profileselect"], 1);
    EXPECT_EQ(list.GetSelectedUuid(), "u1");
    EXPECT_FALSE(list.SelectProfile(3).Changed());
    EXPECT_FALSE(list.SelectProfile(-1).Changed());
    EXPECT_EQ(list.GetSelectedIndex(), 1);
}

TEST_F(ProfileListTest, AddNamesTheProfileWithTheFirstFreeNumberIgnoringCase) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"Profile1", "Profile3"}, "Profile2"},
        {{"profile1"}, "Profile2"},
        {{"Mine"}, "Profile1"},
    };
    for (const auto& [existing, expected] : cases) {
        SCOPED_TRACE(expected);
        std::filesystem::remove_all(folder);  // the last case's added profile would join the list
        std::filesystem::create_directories(folder);
        WriteList(existing);
        Init();
        ASSERT_TRUE(list.AddProfile().Changed());
        EXPECT_EQ(list.Entries().back().name, expected);
    }
}

TEST_F(ProfileListTest, AddSelectsANewProfileFileMadeFromTheDefault) {
    WriteList({"A", "B"}, 0);
    Init();
    ASSERT_TRUE(list.AddProfile().Changed());
    EXPECT_EQ(list.GetSelectedIndex(), 2);
    const std::string uuid = list.GetSelectedUuid();
    const Json::Value file = ListFile();
    EXPECT_EQ(file["profileselect"], 2);
    EXPECT_EQ(file["profilelist"][2], ParseOrDie(R"({"profilename": "Profile1", "profileUUID": ")" + uuid +
                                                 R"(", "profileislink": 0, "profilelinkmame": ""})"));
    const Json::Value profile = ReadJson(folder + uuid + ".Json");
    EXPECT_EQ(profile["Device"], ParseOrDie(kDefault)["Device"]);
    EXPECT_EQ(profile["profilename"], "Profile1");
    EXPECT_EQ(profile["profileUUID"], uuid);
}

TEST_F(ProfileListTest, AddStopsAtFiftyProfilesButCopyDoesNot) {
    std::vector<std::string> names;
    for (int i = 0; i < 49; ++i) names.push_back("P" + std::to_string(i));
    WriteList(names);
    Init();
    EXPECT_TRUE(list.AddProfile().Changed());
    EXPECT_EQ(list.AddProfile().outcome, ProfileListOutcome::kUnchanged);
    EXPECT_EQ(list.Entries().size(), 50u);
    EXPECT_TRUE(list.CopyProfile().Changed());
    EXPECT_EQ(list.Entries().size(), 51u);
    EXPECT_EQ(ListFile()["profilelist"].size(), 51u);
}

TEST_F(ProfileListTest, ProfilesMadeInTheSameMillisecondGetFilesOfTheirOwn) {
    WriteText(folder + "2020_01_01_00_00_00_000.Json", "{\"theirs\": 1}");
    Init([] { return std::string("2020_01_01_00_00_00_000"); });
    ASSERT_TRUE(list.AddProfile().Changed());
    ASSERT_TRUE(list.AddProfile().Changed());
    std::set<std::string> uuids;
    for (const auto& e : list.Entries()) {
        EXPECT_TRUE(std::filesystem::exists(folder + e.uuid + ".Json")) << e.uuid;
        uuids.insert(e.uuid);
    }
    EXPECT_EQ(uuids.size(), 3u);
    EXPECT_EQ(uuids.count("2020_01_01_00_00_00_000"), 0u);
    EXPECT_EQ(ReadText(folder + "2020_01_01_00_00_00_000.Json"), "{\"theirs\": 1}");
}

TEST_F(ProfileListTest, CopyAppendsTheSourcesDocumentUnderANewName) {
    WriteList({"A", "B"}, 0);
    Init();
    ASSERT_TRUE(list.CopyProfile().Changed());
    ASSERT_TRUE(list.SelectProfile(0).Changed());
    ASSERT_TRUE(list.CopyProfile().Changed());
    EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B", "A copy", "A copy copy"}));
    EXPECT_EQ(list.GetSelectedIndex(), 3);
    const Json::Value copy = ReadJson(list.SelectedProfilePath());
    EXPECT_EQ(copy["Device"][0]["Mark"], "A");
    EXPECT_EQ(copy["profilename"], "A copy copy");
    EXPECT_EQ(copy["profileUUID"], list.GetSelectedUuid());
    EXPECT_EQ(ListFile()["profileselect"], 3);
}

TEST_F(ProfileListTest, DeleteRemovesTheFileAndSelectsTheEntryBefore) {
    const struct {
        int deleted;
        std::vector<std::string> left;
        int selected;
    } cases[] = {{0, {"B", "C"}, 0}, {1, {"A", "C"}, 0}, {2, {"A", "B"}, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.deleted);
        WriteList({"A", "B", "C"}, c.deleted);
        Init();
        const std::string removed = list.SelectedProfilePath();
        ASSERT_TRUE(list.DeleteProfile().Changed());
        EXPECT_EQ(Names(), c.left);
        EXPECT_EQ(list.GetSelectedIndex(), c.selected);
        EXPECT_EQ(list.GetSelectedUuid(), list.Entries()[c.selected].uuid);
        EXPECT_EQ(ListFile()["profileselect"], c.selected);
        EXPECT_EQ(ListFile()["profilelist"].size(), 2u);
        EXPECT_FALSE(std::filesystem::exists(removed));
    }
}

TEST_F(ProfileListTest, TheLastProfileCannotBeDeleted) {
    WriteList({"A"});
    Init();
    EXPECT_EQ(list.DeleteProfile().outcome, ProfileListOutcome::kUnchanged);
    EXPECT_TRUE(std::filesystem::exists(folder + "u0.Json"));
    EXPECT_EQ(ListFile()["profilelist"].size(), 1u);
}

TEST_F(ProfileListTest, RenameChecksTheName) {
    const struct {
        const char* name;
        ProfileListOutcome outcome;
        ProfileNameRefusal refusal;
    } cases[] = {
        {"", ProfileListOutcome::kRejected, ProfileNameRefusal::kEmpty},
        {"My Profile", ProfileListOutcome::kRejected, ProfileNameRefusal::kHasWhiteSpace},
        {"Tab\tName", ProfileListOutcome::kRejected, ProfileNameRefusal::kHasWhiteSpace},
        {"b", ProfileListOutcome::kRejected, ProfileNameRefusal::kTaken},
        {"a", ProfileListOutcome::kChanged, ProfileNameRefusal::kNone},
        {"Ärger/..\\x", ProfileListOutcome::kChanged, ProfileNameRefusal::kNone},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteList({"A", "B"}, 0);
        Init();
        const ProfileListResult r = list.RenameProfile(c.name);
        EXPECT_EQ(r.outcome, c.outcome);
        EXPECT_EQ(r.refusal, c.refusal);
        const std::string shown = c.outcome == ProfileListOutcome::kChanged ? c.name : "A";
        EXPECT_EQ(list.SelectedName(), shown);
        EXPECT_EQ(ListFile()["profilelist"][0]["profilename"], shown);
        const Json::Value profile = ReadJson(folder + "u0.Json");
        EXPECT_EQ(profile["profilename"], shown);
        EXPECT_EQ(profile["Device"][0]["Mark"], "A") << "the document is untouched";
    }
    EXPECT_TRUE(std::filesystem::exists(folder + "u0.Json")) << "a name never becomes a path";
}

TEST_F(ProfileListTest, RenamingABrokenProfileFileKeepsItAside) {
    WriteList({"A", "B"}, 1);
    WriteText(folder + "u1.Json", "{\"Device\": [{\"Mark\"");
    Init();
    ASSERT_TRUE(list.RenameProfile("Bee").Changed());
    const auto aside = FilesStartingWith(folder, "u1.Json.broken-");
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(ReadText(folder + aside[0]), "{\"Device\": [{\"Mark\"");
    EXPECT_EQ(ReadJson(folder + "u1.Json"), ParseOrDie(R"({"profilename": "Bee", "profileUUID": "u1"})"));
}

TEST_F(ProfileListTest, ResetRewritesTheProfileFromTheDefaultAndKeepsItsNames) {
    WriteList({"A", "B"}, 1);
    Init();
    ASSERT_TRUE(list.ResetProfile().Changed());
    Json::Value expected = ParseOrDie(kDefault);
    expected["profilename"] = "B";
    expected["profileUUID"] = "u1";
    EXPECT_EQ(ReadJson(folder + "u1.Json"), expected);
    EXPECT_EQ(ReadJson(folder + "u0.Json")["Device"][0]["Mark"], "A");
}

TEST_F(ProfileListTest, ResettingAHeadsetProfileKeepsItsCustomEqualisers) {
    WriteList({"A"});
    const std::string eq = R"("CustomEQNameInfo": [{"Name": "Mine"}], "CustomEQHzValueInfo": [[{"value": 5}]])";
    WriteText(folder + "u0.Json", R"({"Device": [{"EqType": 13, )" + eq + "}]}");
    Init();
    list.SetDeviceKind(kDeviceHeadset);
    ASSERT_TRUE(list.ResetProfile().Changed());
    const Json::Value doc = ReadJson(folder + "u0.Json")["Device"][0];
    EXPECT_EQ(doc["CustomEQNameInfo"], ParseOrDie(R"([{"Name": "Mine"}])"));
    EXPECT_EQ(doc["CustomEQHzValueInfo"], ParseOrDie(R"([[{"value": 5}]])"));
    EXPECT_FALSE(doc.isMember("EqType"));
    EXPECT_EQ(doc["DPIStages"]["StageActive"], 2);
}

TEST_F(ProfileListTest, ResetWithoutADefaultDocumentLeavesTheProfileAlone) {
    WriteList({"A"});
    Init();
    const std::string before = ReadText(folder + "u0.Json");
    for (const char* broken : {"", "{\"Device\": []}", "not json"}) {
        WriteDefault(broken);
        EXPECT_EQ(list.ResetProfile().outcome, ProfileListOutcome::kFailed) << broken;
        EXPECT_EQ(ReadText(folder + "u0.Json"), before);
    }
}

TEST_F(ProfileListTest, AFailedListWriteLeavesListAndFilesAsTheyWere) {
    WriteList({"A", "B"}, 1);
    Init();
    // A folder in the list file's place makes every write of it fail.
    std::filesystem::remove(ListPath());
    WriteText(ListPath() + "/blocker", "x");
    auto allFiles = [&] {
        auto names = FilesStartingWith(folder, "");
        std::sort(names.begin(), names.end());
        return names;
    };
    const auto filesBefore = allFiles();

    EXPECT_EQ(list.AddProfile().outcome, ProfileListOutcome::kFailed);
    EXPECT_EQ(list.CopyProfile().outcome, ProfileListOutcome::kFailed);
    EXPECT_EQ(list.DeleteProfile().outcome, ProfileListOutcome::kFailed);
    EXPECT_EQ(list.RenameProfile("Other").outcome, ProfileListOutcome::kFailed);
    EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(list.GetSelectedIndex(), 1);
    EXPECT_EQ(allFiles(), filesBefore) << "no profile file was made or deleted";
    EXPECT_EQ(ReadJson(folder + "u1.Json")["profilename"], "B");
}

TEST_F(ProfileListTest, ALostOrDamagedListIsRebuiltFromTheProfileFilesPresent) {
    const struct {
        const char* what;
        const char* list;  // nullptr: no list file
        bool keptAside;
    } cases[] = {
        {"missing", nullptr, false},
        {"empty", "", false},
        {"not JSON", "{\"profilelist\": [{\"profilena", true},
        {"no entries", R"({"profilelist": [], "profileselect": 2})", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        // Written out of order; names and UUIDs as the files hold them.
        WriteText(folder + "2024_03_01_10_00_00_000.Json", R"({"profilename": "Work", "Device": [{}]})");
        WriteText(folder + "2023_12_24_18_30_05_007.Json", R"({"profilename": "Games", "profileUUID": "2023_12_24_18_30_05_007", "Device": [{}]})");
        WriteText(folder + "2024_03_01_09_59_59_999.Json", R"({"Device": [{"Mark": 1}]})");
        // Not profiles: left where they are, as they are.
        WriteText(folder + "notes.Json", R"({"keep": 1})");
        WriteText(folder + "2020_01_01_00_00_00_000.Json", "{\"Device\": [");
        WriteText(folder + "macro.config", R"({"MacroInfo": []})");
        if (c.list != nullptr) WriteText(ListPath(), c.list);

        Init();
        EXPECT_EQ(list.Entries(), (std::vector<ProfileEntry>{{"Games", "2023_12_24_18_30_05_007"},
                                                             {"2024_03_01_09_59_59_999", "2024_03_01_09_59_59_999"},
                                                             {"Work", "2024_03_01_10_00_00_000"}}));
        EXPECT_EQ(list.GetSelectedIndex(), 0);
        const Json::Value file = ListFile();
        EXPECT_EQ(file["profilelist"].size(), 3u);
        EXPECT_EQ(file["profileselect"], 0);
        EXPECT_EQ(file["profilelist"][2]["profileUUID"], "2024_03_01_10_00_00_000");
        EXPECT_EQ(FilesStartingWith(folder, "ProfileList.ini.broken-").size(), c.keptAside ? 1u : 0u);
        EXPECT_EQ(ReadText(folder + "notes.Json"), R"({"keep": 1})");
        EXPECT_EQ(ReadText(folder + "2020_01_01_00_00_00_000.Json"), "{\"Device\": [");
        EXPECT_EQ(ReadText(folder + "2024_03_01_09_59_59_999.Json"), R"({"Device": [{"Mark": 1}]})")
            << "adopting a profile does not rewrite it";
    }
}

TEST_F(ProfileListTest, APartlyDamagedListKeepsItsSoundEntriesAndAdoptsTheRest) {
    WriteText(ListPath(), R"({"profilelist": [
        {"profilename": "Kept", "profileUUID": "u9"},
        {"profilename": "Evil", "profileUUID": "../x"}], "profileselect": 0})");
    WriteText(folder + "u9.Json", R"({"profilename": "Kept", "Device": [{}]})");
    WriteText(folder + "2024_01_01_00_00_00_000.Json", R"({"profilename": "Orphan", "Device": [{}]})");
    Init();
    EXPECT_EQ(list.Entries(), (std::vector<ProfileEntry>{{"Kept", "u9"}, {"Orphan", "2024_01_01_00_00_00_000"}}));
    EXPECT_EQ(list.GetSelectedIndex(), 0);
    EXPECT_EQ(FilesStartingWith(folder, "ProfileList.ini.broken-").size(), 1u);
}

TEST_F(ProfileListTest, AProfileFileASoundListDoesNotNameJoinsItAfterTheListedOnes) {
    // An add interrupted between the profile file and the list leaves such a file.
    WriteList({"A", "B"}, 1);
    WriteText(folder + "2024_01_01_00_00_00_000.Json", R"({"profilename": "Orphan", "Device": [{}]})");
    WriteText(folder + "notes.Json", R"({"keep": 1})");
    Init();
    EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B", "Orphan"}));
    EXPECT_EQ(list.GetSelectedIndex(), 1) << "the stored selection stands";
    EXPECT_EQ(ListFile()["profilelist"].size(), 3u);
    EXPECT_EQ(ListFile()["profileselect"], 1);
    EXPECT_TRUE(FilesStartingWith(folder, "ProfileList.ini.broken-").empty()) << "a sound list is not kept aside";

    // Once adopted, the next start reads the list as it is.
    Init();
    EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B", "Orphan"}));
}

TEST_F(ProfileListTest, ASoundListIsReadWithoutWritingAnything) {
    WriteList({"A", "B"}, 1);
    struct stat before {};
    ASSERT_EQ(::stat(ListPath().c_str(), &before), 0);
    const auto filesBefore = FilesStartingWith(folder, "");

    Init();
    EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(list.GetSelectedIndex(), 1);
    struct stat after {};
    ASSERT_EQ(::stat(ListPath().c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino) << "the list file was not replaced";
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
    EXPECT_EQ(FilesStartingWith(folder, "").size(), filesBefore.size());

    // A selection that does not fit is mended, and only then written.
    WriteList({"A", "B"}, 7);
    Init();
    EXPECT_EQ(list.GetSelectedIndex(), 0);
    EXPECT_EQ(ListFile()["profileselect"], 0);
}

}  // namespace
}  // namespace orvane::test
