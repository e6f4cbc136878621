// The light-control messages between programs, over a private session bus of the test's own.
#include "ShellFixture.h"

#include <QDBusMessage>
#include <QFile>
#include <QProcess>

#include "app/SessionBusMessages.h"
#include "ui/dialogs/WindowMessageIds.h"
#include "ui/framework/Button.h"

namespace orvane::app::test {
namespace {

// Records the signals another program sees on the bus.
class Peer : public QObject {
    Q_OBJECT

public:
    std::vector<std::pair<qulonglong, qlonglong>> announces;

public slots:
    void OnAnnounce(qulonglong wParam, qlonglong lParam) { announces.emplace_back(wParam, lParam); }
};

class SessionBusTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        if (!QFile::exists("/usr/bin/dbus-daemon")) GTEST_SKIP() << "no dbus-daemon to run a private bus";
        daemon_.start("/usr/bin/dbus-daemon", {"--session", "--nofork", "--print-address=1"});
        ASSERT_TRUE(daemon_.waitForReadyRead(5000));
        const QString address = QString::fromUtf8(daemon_.readLine()).trimmed();
        windowBus_ = QDBusConnection::connectToBus(address, "orvane-test-window");
        peerBus_ = QDBusConnection::connectToBus(address, "orvane-test-peer");
        ASSERT_TRUE(windowBus_.isConnected());
        ASSERT_TRUE(peerBus_.isConnected());
        ASSERT_TRUE(peerBus_.connect(QString(), kBusObjectPath, kBusInterface, BusMemberName(ui::kLightControlAnnounceName),
                                  &peer, SLOT(OnAnnounce(qulonglong, qlonglong))));
    }

    void TearDown() override {
        QDBusConnection::disconnectFromBus("orvane-test-window");
        QDBusConnection::disconnectFromBus("orvane-test-peer");
        if (daemon_.state() != QProcess::NotRunning) {
            daemon_.kill();
            daemon_.waitForFinished();
        }
        ShellTest::TearDown();
    }

    void Send(const char* registeredName, qulonglong wParam, qlonglong lParam) {
        QDBusMessage signal = QDBusMessage::createSignal(kBusObjectPath, kBusInterface, BusMemberName(registeredName));
        signal << wParam << lParam;
        peerBus_.send(signal);
    }
    void SendSet(qulonglong wParam, qlonglong lParam) { Send(ui::kLightControlSetName, wParam, lParam); }

    QProcess daemon_;
    QDBusConnection windowBus_{QString()};
    QDBusConnection peerBus_{QString()};
    Peer peer;
};

TEST(BusMemberName, RegisteredNamesBecomeValidMembers) {
    EXPECT_EQ(BusMemberName("{4695579F-999A-41d4-9FAF-EFFCE93EBF16}"), "_4695579F_999A_41d4_9FAF_EFFCE93EBF16_");
    EXPECT_EQ(BusMemberName("ORVANE Q730 Gaming Mouse"), "ORVANE_Q730_Gaming_Mouse");
    EXPECT_EQ(BusMemberName("3090"), "_3090");
}

// The documented interface names every message the window sends or listens for, with the
// arguments it carries.
TEST(BusMemberName, TheIntrospectionFileDescribesEveryMessage) {
    QFile file(QString(ORVANE_SOURCE_DIR) + "/dist/org.orvane.Q730.WindowMessages.xml");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString xml = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(xml.contains(QStringLiteral("<node name=\"%1\">").arg(kBusObjectPath)));
    EXPECT_TRUE(xml.contains(QStringLiteral("<interface name=\"%1\">").arg(kBusInterface)));
    for (const char* name : {ui::kLightControlAnnounceName, ui::kLightControlSetName, ui::kSoftwareIdentityName,
                             ui::kUpdateStatusName}) {
        EXPECT_TRUE(xml.contains(QStringLiteral("<signal name=\"%1\">").arg(BusMemberName(name)))) << name;
    }
    EXPECT_EQ(xml.count("<arg name=\"wparam\" type=\"t\"/>"), 4);
    EXPECT_EQ(xml.count("<arg name=\"lparam\" type=\"x\"/>"), 4);
}

TEST_F(SessionBusTest, TheWindowAnnouncesItsLightControlAndFollowsOtherPrograms) {
    CMainWnd& window = Open(TestServices(windowBus_));
    ASSERT_TRUE(QTest::qWaitFor([&] { return peer.announces.size() == 1; }, 3000));
    EXPECT_EQ(peer.announces[0], (std::pair<qulonglong, qlonglong>{1, 1})) << "announced at start";

    auto* status = window.FindControl<ui::CButtonUI>("control_light_status");
    QTest::mouseClick(status, Qt::LeftButton);
    QTest::mouseClick(status, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return peer.announces.size() == 3; }, 3000));
    EXPECT_EQ(peer.announces[1], (std::pair<qulonglong, qlonglong>{1, 0}));
    EXPECT_EQ(peer.announces[2], (std::pair<qulonglong, qlonglong>{1, 1}));

    SendSet(1, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.GetLightControlState() == 0; }, 3000));
    EXPECT_EQ(peer.announces.size(), 3u) << "a switch by another program is not announced back";
    SendSet(1, 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.GetLightControlState() == 1; }, 3000));

    // Malformed signals are not the protocol's: wrong argument types are dropped.
    QDBusMessage odd = QDBusMessage::createSignal(kBusObjectPath, kBusInterface, BusMemberName(ui::kLightControlSetName));
    odd << QString("1") << QString("0");
    peerBus_.send(odd);
    QTest::qWait(200);
    EXPECT_EQ(window.GetLightControlState(), 1);
}

TEST_F(SessionBusTest, AnotherProgramWakesTheWindow) {
    CMainWnd& window = Open(TestServices(windowBus_));
    window.ShowWindow(false);
    Send(ui::kSoftwareIdentityName, 0, 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.isVisible(); }, 3000));
}

TEST_F(SessionBusTest, OwnBroadcastsAreNotDeliveredBack) {
    CMainWnd& window = Open();  // the window itself hears nothing; a second sender on its bus does
    SessionBusMessages own(windowBus_);
    ASSERT_TRUE(own.Listen(ui::kLightControlSetName, &window));
    ASSERT_TRUE(own.Broadcast(ui::kLightControlSetName, 1, 0));
    QTest::qWait(300);
    EXPECT_EQ(window.GetLightControlState(), 1);
    SendSet(1, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.GetLightControlState() == 0; }, 3000));
}

}  // namespace
}  // namespace orvane::app::test

#include "SessionBusTest.moc"
