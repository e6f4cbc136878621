// One copy per session: the lock and the wake-up, in process and between real program copies.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

#include "app/ProgramOptions.h"
#include "app/SingleInstance.h"
#include "tests/support/RunProcess.h"
#include "tests/support/TempHome.h"

namespace orvane::app {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

struct SecondCopy {
    std::atomic<bool> done{false};
    SingleInstance::Role role = SingleInstance::Role::First;
    bool woke = false;
    Clock::duration took{};
};

// A second copy runs its check on a thread of its own: its waits block, the first copy's event
// loop must keep running meanwhile.
std::jthread RunSecondCopy(const QString& folder, SecondCopy& copy) {
    return std::jthread([&copy, folder] {
        const auto start = Clock::now();
        SingleInstance second(folder, "ORVANE Q730 Gaming Mouse");
        copy.role = second.Claim();
        if (copy.role == SingleInstance::Role::Second) copy.woke = second.WakeFirst();
        copy.took = Clock::now() - start;
        copy.done = true;
    });
}

TEST(SingleInstance, ASecondCopyWakesTheFirst) {
    QTemporaryDir folder;
    SingleInstance first(folder.path(), "ORVANE Q730 Gaming Mouse");
    ASSERT_EQ(first.Claim(), SingleInstance::Role::First);
    int wakes = 0;
    ASSERT_TRUE(first.Listen([&] { ++wakes; }));

    SecondCopy copy;
    std::jthread second = RunSecondCopy(folder.path(), copy);
    ASSERT_TRUE(QTest::qWaitFor([&] { return copy.done && wakes == 1; }, 3000));
    EXPECT_EQ(copy.role, SingleInstance::Role::Second);
    EXPECT_TRUE(copy.woke);
}

TEST(SingleInstance, ASecondCopyDuringShutdownEndsAtOnce) {
    QTemporaryDir folder;
    SingleInstance first(folder.path(), "ORVANE Q730 Gaming Mouse");
    ASSERT_EQ(first.Claim(), SingleInstance::Role::First);
    ASSERT_TRUE(first.Listen([] {}));
    first.StopListening();  // shutting down: the lock is still held, nobody answers

    SecondCopy copy;
    std::jthread second = RunSecondCopy(folder.path(), copy);
    ASSERT_TRUE(QTest::qWaitFor([&] { return copy.done.load(); }, 3000));
    EXPECT_EQ(copy.role, SingleInstance::Role::Second);
    EXPECT_FALSE(copy.woke);
    EXPECT_LT(copy.took, 1500ms);
}

TEST(SingleInstance, ALockLeftByACopyThatDiedIsTakenOver) {
    QTemporaryDir folder;
    const pid_t dead = ::fork();
    if (dead == 0) ::_exit(0);
    ::waitpid(dead, nullptr, 0);
    QFile lock(QDir(folder.path()).filePath("ORVANE Q730 Gaming Mouse.lock"));
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write(QByteArray::number(dead) + "\norvane-q730\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    lock.close();

    SingleInstance first(folder.path(), "ORVANE Q730 Gaming Mouse");
    EXPECT_EQ(first.Claim(), SingleInstance::Role::First);
    EXPECT_TRUE(first.Listen([] {})) << "the dead copy's socket file does not stand in the way";
}

// Idle local clients, connected without a word: `count` of them, each retried while the
// server's backlog is full, for at most `limit`. `pump` runs between retries.
std::vector<int> ConnectIdleClients(const QString& socketPath, int count, std::chrono::milliseconds limit,
                                    const std::function<void()>& pump) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socketPath.toUtf8().constData());
    std::vector<int> clients;
    const auto deadline = Clock::now() + limit;
    while (static_cast<int>(clients.size()) < count && Clock::now() < deadline) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
            clients.push_back(fd);
            continue;
        }
        ::close(fd);
        pump();
    }
    return clients;
}

void CloseAll(const std::vector<int>& fds) {
    for (int fd : fds) ::close(fd);
}

TEST(SingleInstance, IdleConnectionsAreCappedAndDroppedAfterTheirDeadline) {
    QTemporaryDir folder;
    SingleInstance first(folder.path(), "ORVANE Q730 Gaming Mouse");
    ASSERT_EQ(first.Claim(), SingleInstance::Role::First);
    int wakes = 0;
    ASSERT_TRUE(first.Listen([&] { ++wakes; }));
    const QString socket = QDir(folder.path()).filePath("ORVANE Q730 Gaming Mouse.socket");

    int most = 0;
    const auto clients = ConnectIdleClients(socket, 1000, 10s, [&] {
        QCoreApplication::processEvents();
        most = std::max(most, first.OpenConnections());
    });
    EXPECT_EQ(clients.size(), 1000u);
    QTest::qWait(50);
    most = std::max(most, first.OpenConnections());
    EXPECT_LE(most, SingleInstance::kMaxConnections);
    ASSERT_TRUE(QTest::qWaitFor([&] { return first.OpenConnections() == 0; }, SingleInstance::kReadDeadlineMs + 1000))
        << "idle connections end at their deadline";
    EXPECT_TRUE(QFile::exists(socket));

    SecondCopy copy;
    std::jthread second = RunSecondCopy(folder.path(), copy);
    EXPECT_TRUE(QTest::qWaitFor([&] { return copy.done && wakes == 1; }, 3000));
    CloseAll(clients);
}

TEST(SingleInstance, WithoutAPrivateRuntimeFolderTheProgramRunsUnchecked) {
    SingleInstance alone(QString(), "ORVANE Q730 Gaming Mouse");
    EXPECT_EQ(alone.Claim(), SingleInstance::Role::First);
    EXPECT_FALSE(alone.Listen([] {}));
    EXPECT_FALSE(alone.WakeFirst());
}

// The program itself, twice: the second copy says "wake" and ends with 0 without a window.
class ProgramCopies : public ::testing::Test {
protected:
    void SetUp() override {
        runtime_ = home_.Path() + "/run";
        QDir().mkpath(QString::fromStdString(runtime_));
        QFile::setPermissions(QString::fromStdString(runtime_), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        env_ = {{"XDG_RUNTIME_DIR", runtime_}, {"ORVANE_SIM_STATE", home_.Path() + "/sim"}, {"QT_QPA_PLATFORM", "offscreen"}};
    }

    orvane::test::TempHome home_;
    std::string runtime_;
    std::map<std::string, std::string> env_;
};

TEST_F(ProgramCopies, ASecondCopyWakesTheRunningOneAndEndsWithZero) {
    QProcess first;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const auto& [k, v] : env_) env.insert(QString::fromStdString(k), QString::fromStdString(v));
    first.setProcessEnvironment(env);
    first.start(ORVANE_Q730_PATH, {"--simulate", "mouse", "--debug"});
    ASSERT_TRUE(first.waitForStarted());
    const QString socket = QString::fromStdString(runtime_) + "/ORVANE Q730 Gaming Mouse.socket";
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(socket); }, 10000));

    const auto start = Clock::now();
    const auto second = orvane::test::RunProcess(ORVANE_Q730_PATH, {"--simulate", "mouse", "--debug"}, env_);
    EXPECT_LT(Clock::now() - start, 5s);
    EXPECT_EQ(second.exitCode, 0) << second.err;
    EXPECT_EQ(second.err.find("InitWindow"), std::string::npos) << "the second copy makes no window";

    // The running copy hears the wake-up as the identity message with lParam 1.
    QByteArray log;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            log += first.readAllStandardError();
            return log.contains("软件标示 ") && log.contains("，0d1d");
        },
        5000))
        << log.toStdString();
    first.kill();
    first.waitForFinished();
}

TEST_F(ProgramCopies, AThousandIdleConnectionsLeaveTheRunningCopyWakeable) {
    // A descriptor limit below the thousand: holding every idle client would exhaust it (a desktop
    // session's copy has most of its usual 1024 in use by its own files, fonts and buses).
    QProcess first;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const auto& [k, v] : env_) env.insert(QString::fromStdString(k), QString::fromStdString(v));
    first.setProcessEnvironment(env);
    first.start("/bin/sh", {"-c", "ulimit -n 512 && exec \"$0\" \"$@\"", ORVANE_Q730_PATH, "--simulate", "mouse", "--debug"});
    ASSERT_TRUE(first.waitForStarted());
    const QString socket = QString::fromStdString(runtime_) + "/ORVANE Q730 Gaming Mouse.socket";
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(socket); }, 10000));

    QByteArray log;
    const auto clients = ConnectIdleClients(socket, 1000, 10s, [&] {
        log += first.readAllStandardError();
        std::this_thread::sleep_for(1ms);
    });
    EXPECT_EQ(clients.size(), 1000u);
    QTest::qWait(SingleInstance::kReadDeadlineMs + 500);
    EXPECT_TRUE(QFile::exists(socket)) << "the listening socket is still there";

    const auto second = orvane::test::RunProcess(ORVANE_Q730_PATH, {"--simulate", "mouse", "--debug"}, env_);
    EXPECT_EQ(second.exitCode, 0) << second.err;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            log += first.readAllStandardError();
            return log.contains("，0d1d");
        },
        5000))
        << "the second copy woke the first";
    CloseAll(clients);
    first.kill();
    first.waitForFinished();
}

TEST_F(ProgramCopies, ALockInTheSharedTemporaryFolderDoesNotStopAStart) {
    // Where a runtime folder used to be looked for when XDG_RUNTIME_DIR is unusable: the shared
    // temporary folder. Another process holds a lock of the program's name there.
    const QString tmp = QString::fromStdString(home_.Path() + "/tmp");
    QDir().mkpath(tmp + "/runtime-" + qEnvironmentVariable("USER", "root"));
    QLockFile shared(tmp + "/ORVANE Q730 Gaming Mouse.lock");
    QLockFile sharedRuntime(tmp + "/runtime-" + qEnvironmentVariable("USER", "root") + "/ORVANE Q730 Gaming Mouse.lock");
    ASSERT_TRUE(shared.tryLock(0));
    sharedRuntime.tryLock(0);
    env_["XDG_RUNTIME_DIR"] = "";
    env_["TMPDIR"] = tmp.toStdString();

    const std::string shot = home_.Path() + "/shot.png";
    const auto run = orvane::test::RunProcess(ORVANE_Q730_PATH, {"--simulate", "mouse", "--screenshot", shot}, env_);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(QFile::exists(QString::fromStdString(shot))) << "the program started and drew its window";
    EXPECT_TRUE(QDir(QString::fromStdString(home_.Path() + "/.cache/orvane-q730-runtime")).exists())
        << "the lock lives in the user's own cache folder instead";
}

TEST_F(ProgramCopies, ScreenshotOfTheConnectedMouseIsWrittenAndTheProgramEnds) {
    // A write that was cut off before this start leaves its temporary file; the running copy removes it.
    const std::string leftover = home_.WriteFile(".local/share/ORVANE Q730 Gaming Mouse/mouse/ProfileList.ini.tmp-k7Yq2w", "{");
    const timespec old[2] = {{std::time(nullptr) - 3600, 0}, {std::time(nullptr) - 3600, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, leftover.c_str(), old, 0), 0);
    const std::string shot = home_.Path() + "/shot.png";
    const auto run = orvane::test::RunProcess(ORVANE_Q730_PATH, {"--simulate", "mouse", "--screenshot", shot}, env_);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const QImage image(QString::fromStdString(shot));
    EXPECT_EQ(image.size(), QSize(1350, 810));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(leftover)));

    const auto unwritable = orvane::test::RunProcess(
        ORVANE_Q730_PATH, {"--simulate", "mouse", "--screenshot", home_.Path() + "/no/such/folder/shot.png"}, env_);
    EXPECT_EQ(unwritable.exitCode, 1) << "a screenshot that could not be written is no success";
}

TEST(ProgramOptions, BadCommandLinesAreRefusedWithTheReason) {
    struct Case {
        std::vector<std::string> args;
        const char* error;  // nullptr: accepted
    };
    const Case cases[] = {
        {{"--simulate", "mouse", "--debug", "--screenshot", "a.png", "--minimized"}, nullptr},
        {{"--simulate"}, "--simulate needs a device list, e.g. --simulate mouse"},
        {{"--screenshot", ""}, "--screenshot needs a PNG file name"},
        {{"--verbose"}, "unknown argument --verbose (see --help)"},
        {{"mouse"}, "unknown argument mouse (see --help)"},
    };
    for (const Case& c : cases) {
        std::string error;
        const auto options = ParseProgramOptions(c.args, error);
        EXPECT_EQ(options.has_value(), c.error == nullptr) << c.args[0];
        if (c.error != nullptr) {
            EXPECT_EQ(error, c.error);
        }
    }
    std::string error;
    const auto options = ParseProgramOptions({"--simulate", "mouse", "--screenshot", "a.png"}, error);
    ASSERT_TRUE(options);
    EXPECT_EQ(options->simulate, "mouse");
    EXPECT_EQ(options->screenshot, "a.png");
    EXPECT_FALSE(options->debug);
    EXPECT_FALSE(options->minimized);
    EXPECT_TRUE(ParseProgramOptions({"--minimized"}, error)->minimized);
}

}  // namespace
}  // namespace orvane::app
