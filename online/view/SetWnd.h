#pragma once
// CSetWnd ("setwnd.xml", window class "SetWnd"): the settings window. The interface language
// ("Language_combox_info"), start with the desktop ("device_launch_app") and the update page:
// every opening checks, on a worker thread, whether the update service knows newer versions of
// the program and of the connected devices, and lists one row per model
// ("device_update_list_info", rows CUpdateInfoListItemUI) under a status line
// ("update_status_ring", "update_status_image", "Update_Status_text").
//
// The worker never touches a control: what it finds reaches the window as queued calls on the UI
// thread, through a gate that the window closes before it goes. Stopping the check cancels its
// request (libcurl wakes at once) and waits at most 1000 ms; a check still running then is
// abandoned to end by itself, keeping alive only what it owns.
//
// Closing: "closebtn" and "laterbtn" stop the check and ask for the close, which is refused while
// a row is queued for updating or being updated; the window system's close (title bar, Alt+F4)
// stops the check and closes without that test.

#include "online/UpdateCheck.h"
#include "online/UpdateService.h"
#include "platform/WorkerThread.h"
#include "ui/framework/WindowImplBase.h"

#include <QPointer>

#include <memory>
#include <vector>

namespace orvane {
class UiThreadGate;
}

namespace orvane::online {

class CUpdateInfoListItemUI;

class CSetWnd : public ui::WindowImplBase {
public:
    static constexpr int kWidth = 595;
    static constexpr int kHeight = 380;
    static constexpr int kWideWidth = 900;
    static constexpr int kWideHeight = 500;

    CSetWnd();
    ~CSetWnd() override;

    // Before "windowinit": the main window (messages 3089 and 3094 go to it) and the language
    // shown now (-1: none), the rows to check, and where to ask.
    void SetMainWindow(ui::WindowImplBase* mainWindow, int languageIndex);
    void SetUpdateRows(std::vector<UpdateIdentity> rows) { rows_ = std::move(rows); }
    void SetUpdateService(UpdateService service) { service_ = std::move(service); }
    // The program started by the autostart entry.
    void SetProgramPath(std::string path) { programPath_ = std::move(path); }

    // 48, 72, 96, 120, 144, 168 and 192 are taken; any other value logs "SET_WND DPI SET ERROR"
    // and 96 is taken.
    void SetSettingsDpi(int dpi);

    // Places the window beside the main window: top = its top + 130 (scaled by its DPI), right
    // edges aligned.
    void PlaceBeside(const QWidget& mainWindow);

    int GetPageState() const { return pageState_; }
    int GetLanguageIndex() const { return languageIndex_; }
    const std::vector<UpdateInfo>& GetResults() const { return results_; }
    const QString& GetLastCheckDate() const { return lastCheckDate_; }
    CUpdateInfoListItemUI* GetRow(int index) const;
    // Whether the check's worker is still running.
    bool IsChecking() const { return worker_.Running(); }

    // The update page's operations (UI thread).
    bool AddUpdateRow(const UpdateInfo& info);
    bool FillUpdateRow(const UpdateInfo& info, int index);
    void ShowUpdatePageState(int state);
    void OfferUpdate(int index);
    void QueueSelectedUpdates();
    void StopUpdateCheck();

protected:
    QString GetSkinFile() const override { return "setwnd.xml"; }
    void InitWindow() override;
    void Notify(ui::TNotifyUI& msg) override;
    ui::LResult HandleCustomMessage(unsigned message, ui::WParam wParam, ui::LParam lParam, bool& handled) override;
    ui::CControlUI* CreateControl(const QString& tag) override;
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void OnWindowInit();
    void FillLanguageList();
    void OnClick(const QString& name);
    void OnLaunchAppChanged(bool on);
    void OnLanguageSelected(int index);
    void ShowUpdateButton(bool show);
    void StartUpdateCheck();
    bool CloseRefused() const;

    QPointer<ui::WindowImplBase> mainWindow_;
    int languageIndex_ = -1;
    int pageState_ = kPageChecking;
    std::vector<UpdateIdentity> rows_;
    std::vector<UpdateInfo> results_;
    UpdateService service_ = UpdateServiceFromEnvironment();
    std::string programPath_;
    QString lastCheckDate_;
    bool closeWithoutTest_ = false;
    bool maximised_ = false;

    struct Check;
    std::shared_ptr<Check> check_;
    std::shared_ptr<UiThreadGate> gate_;
    WorkerThread worker_;
};

}  // namespace orvane::online
