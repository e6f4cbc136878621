// The program's files on disk: reads that refuse what is not a regular file, writes that keep
// user data private, the clean-up of interrupted writes and the private runtime folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

#include "platform/AtomicFile.h"
#include "platform/StartupCleanup.h"
#include "platform/UserFolders.h"
#include "tests/support/Fifo.h"
#include "tests/support/TempHome.h"

namespace orvane::test {
namespace {

namespace fs = std::filesystem;

void WriteText(const std::string& path, const std::string& text) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
}

void SetAge(const std::string& path, std::chrono::seconds age) {
    const timespec when{std::time(nullptr) - static_cast<std::time_t>(age.count()), 0};
    const timespec times[2] = {when, when};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << path;
}

class UmaskScope {
public:
    explicit UmaskScope(mode_t mask) : previous_(::umask(mask)) {}
    ~UmaskScope() { ::umask(previous_); }

private:
    mode_t previous_;
};

TEST(DataFileRead, WhatIsNotARegularFileIsRefusedAtOnceAndLeftAlone) {
    TempHome home;
    const std::string dir = home.Path() + "/";
    WriteText(dir + "target", "{}");
    MakeFifo(dir + "fifo");
    fs::create_directory(dir + "folder");
    fs::create_symlink(dir + "target", dir + "link");
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = dir + "socket";
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socketPath.c_str());
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

    const struct {
        std::string path;
        const char* kind;
    } cases[] = {
        {dir + "fifo", "a FIFO"},
        {dir + "folder", "a folder"},
        {dir + "link", "a symbolic link"},
        {socketPath, "a socket"},
        {"/dev/null", "a device"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        FileReadResult result;
        EXPECT_TRUE(ReturnsWithin([&] { result = ReadRegularFile(c.path, 1024); }, c.path));
        EXPECT_EQ(result.status, FileReadStatus::kNotRegular);
        EXPECT_TRUE(result.content.empty());
        EXPECT_EQ(DescribeFileReadFailure(c.path, result, 1024), c.path + " is " + c.kind + ", not a regular file");
        EXPECT_TRUE(fs::exists(fs::symlink_status(c.path)));
    }
    ::close(listener);
    EXPECT_EQ(ReadRegularFile(dir + "target", 1024).content, "{}");
    EXPECT_EQ(ReadRegularFile(dir + "none", 1024).status, FileReadStatus::kMissing);
}

TEST(DataFileRead, AFileOverTheCapIsNotRead) {
    TempHome home;
    const std::string path = home.Path() + "/big";
    WriteText(path, std::string(2048, 'x'));
    const FileReadResult over = ReadRegularFile(path, 2047);
    EXPECT_EQ(over.status, FileReadStatus::kTooLarge);
    EXPECT_TRUE(over.content.empty());
    EXPECT_EQ(DescribeFileReadFailure(path, over, 8u << 20), path + " is larger than 8 MiB");
    EXPECT_EQ(ReadRegularFile(path, 2048).content.size(), 2048u);
}

TEST(DataFileWrite, FilesAre0600AndFolders0700WhateverTheUmask) {
    TempHome home;
    UmaskScope umask(022);
    const std::string folder = home.Path() + "/a/b/c";
    ASSERT_TRUE(MakeFolders(folder));
    for (const std::string level : {"/a", "/a/b", "/a/b/c"}) EXPECT_EQ(ModeOf(home.Path() + level), 0700u) << level;

    const std::string fresh = folder + "/new.mac";
    ASSERT_TRUE(WriteFileAtomically(fresh, "{}"));
    EXPECT_EQ(ModeOf(fresh), 0600u);
    const std::string existing = folder + "/old.Json";
    WriteText(existing, "{}");
    ::chmod(existing.c_str(), 0644);
    ASSERT_TRUE(WriteFileAtomically(existing, "{\"a\": 1}"));
    EXPECT_EQ(ModeOf(existing), 0600u) << "a rewrite makes a readable file private";
}

TEST(LeftoverTempFiles, OnlyOurOwnTemporaryFilesThatNoWriteCanStillHoldGo) {
    TempHome home;
    const std::string dir = home.Path() + "/data/";
    fs::create_directories(dir);
    const struct {
        const char* name;
        bool old;
        bool removed;
    } cases[] = {
        {"ProfileList.ini.tmp-a1B2c3", true, true},
        {"2024_01_02_03_04_05_006.Json.tmp-Zz9900", true, true},
        // Recent and empty: a write may have created it and not yet locked it.
        {"macro.config.tmp-abcdef", false, false},
        // Recent with content: its writer, which locks before writing a byte, is gone.
        {"vexal_light.config.tmp-abcdef", false, true},
        {"x.tmp-abcde", true, false},                // not mkstemp's six characters
        {"x.tmp-abc-ef", true, false},
        {"notes.tmp-abcdef.txt", true, false},
        {".tmp-abcdef", true, false},                // no target name before it
        {"ProfileList.ini", true, false},
    };
    for (const auto& c : cases) {
        WriteText(dir + c.name, std::string(c.name).starts_with("macro") ? "" : "x");
        if (c.old) SetAge(dir + c.name, std::chrono::hours(1));
    }
    // A write in progress in another process holds its temporary file locked.
    WriteText(dir + "held.Json.tmp-123456", "x");
    SetAge(dir + "held.Json.tmp-123456", std::chrono::hours(1));
    const int held = ::open((dir + "held.Json.tmp-123456").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    // Not files: a folder and a link of the pattern stay.
    fs::create_directory(dir + "folder.tmp-abcdef");
    fs::create_symlink(dir + "ProfileList.ini", dir + "link.tmp-abcdef");

    const std::time_t started = std::time(nullptr) - 60;
    EXPECT_EQ(RemoveLeftoverTempFiles(dir, started), 3u);
    for (const auto& c : cases) EXPECT_EQ(fs::exists(dir + c.name), !c.removed) << c.name;
    EXPECT_TRUE(fs::exists(dir + "held.Json.tmp-123456"));
    EXPECT_TRUE(fs::exists(dir + "folder.tmp-abcdef"));
    EXPECT_TRUE(fs::exists(fs::symlink_status(dir + "link.tmp-abcdef")));
    ::close(held);
    EXPECT_EQ(RemoveLeftoverTempFiles(dir, started), 1u) << "once its writer let go, it is a leftover";
}

TEST(LeftoverTempFiles, StartUpCleansOnlyTheProductsFolders) {
    TempHome home;
    const std::string data = home.Path() + "/.local/share/ORVANE Q730 Gaming Mouse";
    const std::string ours[] = {data + "/settings.tmp-aaaaaa", data + "/mouse/ProfileList.ini.tmp-bbbbbb",
                                home.Path() + "/.config/ORVANE Q730 Gaming Mouse/settings.ini.tmp-cccccc",
                                home.Path() + "/.local/state/orvane-q730/sim/mouse.tmp-dddddd"};
    const std::string others[] = {home.Path() + "/.local/share/other-app/file.tmp-eeeeee",
                                  home.Path() + "/file.tmp-ffffff", data + "/mouse/deeper/x.tmp-gggggg"};
    for (const auto& path : ours) WriteText(path, "x"), SetAge(path, std::chrono::hours(1));
    for (const auto& path : others) WriteText(path, "x"), SetAge(path, std::chrono::hours(1));

    EXPECT_EQ(RemoveLeftoverTempFilesOfOurFolders(), 4u);
    for (const auto& path : ours) EXPECT_FALSE(fs::exists(path)) << path;
    for (const auto& path : others) EXPECT_TRUE(fs::exists(path)) << path;
}

TEST(LeftoverTempFiles, TheProcessStartTimeIsThePast) {
    const std::time_t started = ProcessStartTime();
    EXPECT_LE(started, std::time(nullptr));
    EXPECT_GT(started, std::time(nullptr) - 24 * 3600) << "this test process did not start a day ago";
}

class RuntimeFolder : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* v = std::getenv("XDG_RUNTIME_DIR")) saved_ = v;
        ::unsetenv("XDG_CACHE_HOME");
    }
    void TearDown() override {
        if (saved_) ::setenv("XDG_RUNTIME_DIR", saved_->c_str(), 1);
        else ::unsetenv("XDG_RUNTIME_DIR");
    }
    std::string Cached() const { return home_.Path() + "/.cache/orvane-q730-runtime"; }

    TempHome home_;
    std::optional<std::string> saved_;
};

TEST_F(RuntimeFolder, ThePrivateRuntimeFolderIsUsedAsItIs) {
    const std::string runtime = home_.Path() + "/run";
    fs::create_directory(runtime);
    ::chmod(runtime.c_str(), 0700);
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    EXPECT_EQ(PrivateRuntimeFolder(), runtime);
}

TEST_F(RuntimeFolder, AnUnusableOneFallsBackToAPrivateFolderInTheUsersCache) {
    UmaskScope umask(022);
    const std::string open = home_.Path() + "/open";
    fs::create_directory(open);
    ::chmod(open.c_str(), 0777);
    for (const char* value : {"", "relative/run", open.c_str(), "/no/such/folder"}) {
        SCOPED_TRACE(value);
        ::setenv("XDG_RUNTIME_DIR", value, 1);
        EXPECT_EQ(PrivateRuntimeFolder(), Cached());
        EXPECT_EQ(ModeOf(Cached()), 0700u);
    }
    ::unsetenv("XDG_RUNTIME_DIR");
    ::chmod(Cached().c_str(), 0755);
    EXPECT_EQ(PrivateRuntimeFolder(), Cached()) << "our own folder opened up is closed again";
    EXPECT_EQ(ModeOf(Cached()), 0700u);
}

TEST_F(RuntimeFolder, AFallbackThatIsNotOurFolderIsNotUsed) {
    ::unsetenv("XDG_RUNTIME_DIR");
    const std::string elsewhere = home_.Path() + "/elsewhere";
    fs::create_directories(elsewhere);
    fs::create_directories(home_.Path() + "/.cache");
    fs::create_directory_symlink(elsewhere, Cached());
    EXPECT_EQ(PrivateRuntimeFolder(), "") << "a link planted in its place is not followed";
    fs::remove(Cached());
    if (::geteuid() != 0) GTEST_SKIP() << "making another user's folder needs root";
    fs::create_directory(Cached());
    ASSERT_EQ(::chown(Cached().c_str(), 65534, 65534), 0);
    EXPECT_EQ(PrivateRuntimeFolder(), "") << "another user's folder is not used";
}

}  // namespace
}  // namespace orvane::test
