#include "app/Startup.h"

#include "app/ControlRegistration.h"
#include "app/Fonts.h"
#include "app/MainWnd.h"
#include "app/ProgramOptions.h"
#include "app/SingleInstance.h"
#include "ui/dialogs/WindowMessageIds.h"
#include "platform/DebugLog.h"
#include "platform/StartupCleanup.h"
#include "platform/UserFolders.h"
#include "sim/SimModels.h"
#include "ui/framework/ResourceManager.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

namespace orvane::app {
namespace {

constexpr const char* kProductName = "ORVANE Q730 Gaming Mouse";
constexpr int kInitialWidth = 800;
constexpr int kInitialHeight = 572;
// A screenshot is taken at the latest this long after start, connected or not.
constexpr int kScreenshotDeadlineMs = 15000;

// Qt's own diagnostics (the offscreen platform's notes, style sheet warnings) join the debug log.
void QtMessagesToDebugLog(QtMsgType, const QMessageLogContext&, const QString& message) {
    DebugLog(("Qt: " + message).toStdString());
}

int Fail(int status, const std::string& message) {
    std::fprintf(stderr, "orvane-q730: %s\n", message.c_str());
    return status;
}

// Once the devices present at start have connected: the window at its working size, written to
// `file`, then closed the normal way (which ends the event loop).
void ArrangeScreenshot(CMainWnd& window, const QString& file, int& status) {
    auto shoot = [&window, file, &status] {
        if (window.IsClosed()) return;
        window.FitToScreen();
        if (!window.grab().save(file, "PNG")) status = Fail(1, "cannot write the screenshot " + file.toStdString());
        window.Close();
    };
    window.WhenDevicesConnected([shoot] { QTimer::singleShot(0, shoot); });
    QTimer::singleShot(kScreenshotDeadlineMs, &window, [shoot] {
        DebugLog("screenshot: the devices did not finish connecting in time");
        shoot();
    });
}

}  // namespace

bool CreateMainWindow(CMainWnd& window) {
    if (!window.Create(nullptr, kProductName, Qt::FramelessWindowHint, QRect(0, 0, kInitialWidth, kInitialHeight))) {
        return false;
    }
    window.CenterWindow();
    return true;
}

namespace {

// The first copy: the skin, the control classes, the shared messages, the main window and its
// event loop, then the skin released.
int RunMainWindow(const ProgramOptions& options, SingleInstance& instance) {
    ui::CResourceManager& resources = ui::CResourceManager::GetInstance();
    resources.SetResourcePath(QString::fromStdString(ProgramDataFolder()) + "/skin");
    resources.LoadResource("res.xml");
    RegisterProgramControls();
    ui::WmUpdateStatus();
    ui::WmLightControlAnnounce();
    ui::WmLightControlSet();

    int status = 0;
    {
        CMainWnd window;
        if (!CreateMainWindow(window)) {
            status = Fail(1, "the main window's layout \"XML_MAIN\" could not be built (see --debug)");
        } else {
            window.SetStartInTray(options.minimized);
            instance.Listen([&window] { window.PostMessage(ui::WmSoftwareIdentity(), 0, 1); });
            if (options.screenshot) ArrangeScreenshot(window, QString::fromStdString(*options.screenshot), status);
            QApplication::exec();
            instance.StopListening();
        }
    }
    resources.Release();
    return status;
}

}  // namespace

int RunProgram(int argc, char** argv) {
    std::string error;
    const auto options = ParseProgramOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) return Fail(2, error);
    if (options->help) {
        std::fputs(ProgramUsage(), stdout);
        return 0;
    }
    ConfigureDebugLog(options->debug);
    std::shared_ptr<sim::SimBus> simulation;
    if (const auto list = sim::ChooseSimulationList(options->simulate)) {
        simulation = sim::InstallSimulation(*list, error);
        if (!simulation) return Fail(2, error);
    }

    qInstallMessageHandler(QtMessagesToDebugLog);
    QApplication application(argc, argv);
    QApplication::setApplicationName("orvane-q730");
    // Hidden to the tray is still running: only the tray menu's "exit" ends the program.
    QApplication::setQuitOnLastWindowClosed(false);

    LoadPrivateFonts();
    DebugLog(QString::asprintf("软件标示：%u", ui::WmSoftwareIdentity()).toStdString());
    int status = 0;
    {
        SingleInstance instance(SingleInstance::RuntimeFolder(), kProductName);
        if (instance.Claim() == SingleInstance::Role::Second) {
            if (!instance.WakeFirst()) DebugLog("single instance: the running copy did not answer");
        } else {
            // Only the copy that runs tidies: a second copy's start is no reason to touch files.
            RemoveLeftoverTempFilesOfOurFolders();
            status = RunMainWindow(*options, instance);
        }
    }  // the lock is given up before the fonts go
    RemovePrivateFonts();
    return status;
}

}  // namespace orvane::app
