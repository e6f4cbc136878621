// One copy per session: the lock and the wake-up, in process and between real program copies.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <thread>

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

TEST_F(ProgramCopies, ScreenshotOfTheConnectedMouseIsWrittenAndTheProgramEnds) {
    const std::string shot = home_.Path() + "/shot.png";
    const auto run = orvane::test::RunProcess(ORVANE_Q730_PATH, {"--simulate", "mouse", "--screenshot", shot}, env_);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const QImage image(QString::fromStdString(shot));
    EXPECT_EQ(image.size(), QSize(1350, 810));

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
