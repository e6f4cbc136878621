#include "online/view/SetWnd.h"

#include "profiles/LanguageList.h"
#include "ui/dialogs/WindowMessageIds.h"
#include "online/HttpClient.h"
#include "online/UpdateTime.h"
#include "online/view/UpdateInfoListItem.h"
#include "platform/AutostartEntry.h"
#include "platform/DebugLog.h"
#include "ui/framework/Combo.h"
#include "ui/framework/DialogBuilder.h"
#include "ui/framework/Option.h"
#include "ui/framework/ResourceManager.h"
#include "ui/framework/TabLayout.h"
#include "ui/framework/UiThreadGate.h"

#include <QCloseEvent>
#include <QCoreApplication>

#include <algorithm>
#include <array>

namespace orvane::online {
namespace {

constexpr std::array kSupportedDpis = {48, 72, 96, 120, 144, 168, 192};
constexpr int kBesideTop = 130;
constexpr int kBesideRightMargin = 24;

// How the status line shows a page state.
struct PageLook {
    int state;
    bool ring;
    const char* text;   // language key
    const char* image;  // beside the text when the ring is hidden
};
constexpr PageLook kPageLooks[] = {
    {kPageChecking, true, "GetUpdateInfoText", ""},
    {kPageUpdatesAvailable, false, "HaveUpdateInfoText", "setwnd/update_found.svg"},
    {kPageNoInformation, false, "NoUpdateInfoText", "setwnd/no_information.svg"},
    {kPageUpdating, false, "ISUpdateINGText", "setwnd/update_found.svg"},
    {kPageUpToDate, false, "UpdateIsLastText", "setwnd/up_to_date.svg"},
    {kPageCheckOff, false, "UpdateCheckOffText", "setwnd/no_information.svg"},
};

}  // namespace

// What the worker of one check owns; it outlives the window when the check is abandoned.
struct CSetWnd::Check {
    HttpCancel cancel;
    std::shared_ptr<UiThreadGate> gate;
    CSetWnd* window;  // reached only through the gate, on the UI thread
    std::vector<UpdateIdentity> rows;
    UpdateService service;
    std::string dateFile;
};

namespace {

// The check's view: each call queued onto the window's thread.
class QueuedView final : public UpdateCheckView {
public:
    QueuedView(std::shared_ptr<UiThreadGate> gate, CSetWnd* window) : gate_(std::move(gate)), window_(window) {}
    void ShowUpdatePageState(UpdatePageState state) override {
        gate_->Post([w = window_, state] { w->ShowUpdatePageState(state); });
    }
    void AddUpdateRow(const UpdateInfo& info) override {
        gate_->Post([w = window_, info] { w->AddUpdateRow(info); });
    }
    void FillUpdateRow(const UpdateInfo& info, size_t index) override {
        gate_->Post([w = window_, info, index] { w->FillUpdateRow(info, static_cast<int>(index)); });
    }
    void OfferUpdate(size_t index) override {
        gate_->Post([w = window_, index] { w->OfferUpdate(static_cast<int>(index)); });
    }

private:
    std::shared_ptr<UiThreadGate> gate_;
    CSetWnd* window_;
};

}  // namespace

CSetWnd::CSetWnd()
    : programPath_(QCoreApplication::applicationFilePath().toStdString()), gate_(std::make_shared<UiThreadGate>(this)) {}

CSetWnd::~CSetWnd() {
    StopUpdateCheck();
    gate_->Close();
}

void CSetWnd::SetMainWindow(ui::WindowImplBase* mainWindow, int languageIndex) {
    mainWindow_ = mainWindow;
    languageIndex_ = languageIndex;
}

void CSetWnd::SetSettingsDpi(int dpi) {
    if (dpi == GetDPI()) return;
    if (std::find(kSupportedDpis.begin(), kSupportedDpis.end(), dpi) == kSupportedDpis.end()) {
        DebugLog("SET_WND DPI SET ERROR");
        dpi = 96;
    }
    SetDPI(dpi);
}

void CSetWnd::PlaceBeside(const QWidget& mainWindow) {
    const int dpi = dynamic_cast<const ui::WindowImplBase*>(&mainWindow) != nullptr
                        ? static_cast<const ui::WindowImplBase&>(mainWindow).GetDPI()
                        : 96;
    const QRect main = mainWindow.geometry();
    move(main.x() + main.width() - width() - kBesideRightMargin, main.y() + kBesideTop * dpi / 96);
}

CUpdateInfoListItemUI* CSetWnd::GetRow(int index) const {
    auto* list = FindControl<ui::CListUI>("device_update_list_info");
    return list != nullptr ? dynamic_cast<CUpdateInfoListItemUI*>(list->GetItemAt(index)) : nullptr;
}

void CSetWnd::InitWindow() {
    resize(kWidth, kHeight);
}

ui::CControlUI* CSetWnd::CreateControl(const QString& tag) {
    if (tag.compare("UpdateInfoListItemUI", Qt::CaseInsensitive) == 0) return new CUpdateInfoListItemUI;
    return nullptr;
}

void CSetWnd::Notify(ui::TNotifyUI& msg) {
    const QString sender = msg.pSender != nullptr ? msg.pSender->GetName() : QString();
    if (msg.sType == "windowinit") {
        OnWindowInit();
    } else if (msg.sType == "click") {
        OnClick(sender);
    } else if (msg.sType == "selectchanged" && sender == "check_name_select") {
        bool any = false;
        for (int i = 0; auto* row = GetRow(i); ++i) any = any || (row->GetOption() != nullptr && row->GetOption()->IsSelected());
        ShowUpdateButton(any);
    } else if (msg.sType == "selectchanged" && sender == "device_launch_app") {
        OnLaunchAppChanged(msg.wParam != 0);
    } else if (msg.sType == "itemselect" && sender == "Language_combox_info") {
        OnLanguageSelected(static_cast<int>(msg.wParam));
    }
}

void CSetWnd::OnWindowInit() {
    FillLanguageList();
    if (IsAutostartEnabled()) {
        // Written again, so that it starts the program installed now.
        if (auto* launch = FindControl<ui::COptionUI>("device_launch_app")) launch->SetSelected(true, true);
    }
    lastCheckDate_ = QString::fromStdString(ReadLastCheckDate(UpdateTimeFilePath(), TodayText()));
    StartUpdateCheck();
}

void CSetWnd::FillLanguageList() {
    auto* combo = FindControl<ui::CComboUI>("Language_combox_info");
    if (combo == nullptr) return;
    for (const LanguageEntry& language : ReadLanguageList()) {
        combo->AddItem(QString::fromStdString(language.text), {}, true);
    }
    if (languageIndex_ >= 0 && languageIndex_ < combo->GetCount()) combo->SelectItem1(languageIndex_);
}

void CSetWnd::OnClick(const QString& name) {
    if (HandleCaptionButton(name)) return;
    if (name == "closebtn" || name == "laterbtn") {
        StopUpdateCheck();
        Close();
    } else if (name == "set_in_update_wnd_btn") {
        if (ui::CControlUI* hint = FindControl("update_tishi_layout")) hint->SetVisible(false);
        resize(kWideWidth, kWideHeight);
    } else if (name == "update_fw_and_ap") {
        if (auto* tabs = FindControl<ui::CTabLayoutUI>("get_update_tab_layout")) tabs->SelectItem(1);
    } else if (name == "update_OK_btn") {
        QueueSelectedUpdates();
        if (ui::CControlUI* button = FindControl("update_fw_and_ap")) button->SetEnabled(false);
        if (auto* tabs = FindControl<ui::CTabLayoutUI>("get_update_tab_layout")) tabs->SelectItem(0);
    }
}

void CSetWnd::OnLaunchAppChanged(bool on) {
    const bool done = on ? EnableAutostart(programPath_) : DisableAutostart();
    if (done) return;
    DebugLog("autostart entry not " + std::string(on ? "written: " : "removed: ") + AutostartEntryPath());
    // The option shows what is in force.
    if (auto* launch = FindControl<ui::COptionUI>("device_launch_app")) launch->SetSelected(!on, false);
}

void CSetWnd::OnLanguageSelected(int index) {
    if (!mainWindow_) return;
    languageIndex_ = index;
    mainWindow_->SendMessage(ui::kApplyLanguage, static_cast<ui::WParam>(index), 0);
}

void CSetWnd::ShowUpdateButton(bool show) {
    if (ui::CControlUI* button = FindControl("update_fw_and_ap")) {
        button->SetEnabled(show);
        button->SetVisible(show);
    }
}

bool CSetWnd::AddUpdateRow(const UpdateInfo& info) {
    auto* list = FindControl<ui::CListUI>("device_update_list_info");
    ui::CControlUI* built = ui::CDialogBuilder().Create(CUpdateInfoListItemUI::kLayout, this);
    auto* row = dynamic_cast<CUpdateInfoListItemUI*>(built);
    if (list == nullptr || row == nullptr) {
        if (built != nullptr) delete built->GetWidget();
        return false;
    }
    list->Add(row);
    results_.push_back(info);
    return FillUpdateRow(info, list->GetItemIndex(row));
}

bool CSetWnd::FillUpdateRow(const UpdateInfo& info, int index) {
    CUpdateInfoListItemUI* row = GetRow(index);
    if (row == nullptr || static_cast<size_t>(index) >= results_.size()) return false;
    row->GetWidget()->setFixedHeight(CUpdateInfoListItemUI::kHeight);
    const auto setText = [row](const char* part, const std::string& text) {
        if (ui::CControlUI* control = row->FindSubControlByName(part)) {
            control->SetResourceText(false);
            control->SetText(QString::fromStdString(text));
        }
    };
    setText("check_name_select", info.name);
    setText("OldRev", info.currentVersionText);
    setText("updateRev", info.state == kRowCurrent ? std::string() : info.newVersionText);
    row->SetUpdateRowState(info.state);
    row->SetUserData(QString::fromStdString(info.downloadLocation));
    if (ui::COptionUI* option = row->GetOption()) option->SetEnabled(true);
    results_[static_cast<size_t>(index)] = info;
    return true;
}

void CSetWnd::OfferUpdate(int index) {
    CUpdateInfoListItemUI* row = GetRow(index);
    if (row == nullptr || row->GetOption() == nullptr) return;
    row->GetOption()->SetEnabled(true);
    row->GetOption()->SetSelected(true, true);
    ShowUpdateButton(true);
}

void CSetWnd::ShowUpdatePageState(int state) {
    pageState_ = state;
    const auto look = std::find_if(std::begin(kPageLooks), std::end(kPageLooks),
                                   [state](const PageLook& l) { return l.state == state; });
    if (look == std::end(kPageLooks)) return;
    if (ui::CControlUI* ring = FindControl("update_status_ring")) ring->SetVisible(look->ring);
    if (ui::CControlUI* image = FindControl("update_status_image")) {
        image->SetVisible(!look->ring);
        image->SetBkImage(look->image);
    }
    ui::CControlUI* text = FindControl("Update_Status_text");
    if (text == nullptr) return;
    text->SetResourceText(true);
    text->SetText(look->text);
    if (state != kPageUpToDate) return;
    // The date is no key: the translated words and the date as one plain text.
    const QString words = ui::CResourceManager::GetInstance().GetText(look->text);
    text->SetResourceText(false);
    text->SetText(words + lastCheckDate_);
    if (mainWindow_) mainWindow_->SendMessage(ui::kUpdateUpToDate, 0, 0);
}

void CSetWnd::QueueSelectedUpdates() {
    for (int i = 0; CUpdateInfoListItemUI* row = GetRow(i); ++i) {
        const int state = row->GetUpdateRowState();
        if (state != kRowUpdateFound && state != kRowUpdateFound2) continue;
        if (row->GetOption() != nullptr && row->GetOption()->IsSelected()) {
            row->SetUpdateRowState(kRowQueued);
            results_[static_cast<size_t>(i)].state = kRowQueued;
        } else if (row->GetOption() != nullptr) {
            row->GetOption()->SetEnabled(true);
        }
    }
}

void CSetWnd::StartUpdateCheck() {
    check_ = std::make_shared<Check>();
    check_->gate = gate_;
    check_->window = this;
    check_->rows = rows_;
    check_->service = service_;
    check_->dateFile = UpdateTimeFilePath();
    worker_.Start([check = check_](const StopSignal&) {
        QueuedView view(check->gate, check->window);
        RunUpdateCheck(check->rows, check->service, check->dateFile, view, &check->cancel);
    });
}

void CSetWnd::StopUpdateCheck() {
    if (!check_) return;
    check_->cancel.Cancel();
    switch (worker_.Stop(WorkerThread::kStopWait)) {
        case WorkerThread::StopOutcome::Ended: DebugLog("所有对象处于激发状态\n"); break;
        case WorkerThread::StopOutcome::TimedOut: DebugLog("所有对象处于非激发状态，超时\n"); break;
        case WorkerThread::StopOutcome::NotRunning: break;
    }
    // Nothing it found after this reaches the window.
    gate_->Close();
    check_.reset();
}

bool CSetWnd::CloseRefused() const {
    for (int i = 0; CUpdateInfoListItemUI* row = GetRow(i); ++i) {
        const int state = row->GetUpdateRowState();
        if (state != kRowUpdateFound && state != kRowUpdateFound2 && state != kRowCurrent && state != kRowUpdateFailed) {
            return true;
        }
    }
    return false;
}

ui::LResult CSetWnd::HandleCustomMessage(unsigned message, ui::WParam wParam, ui::LParam lParam, bool& handled) {
    handled = false;
    if (message == ui::WM_CLOSE) {
        if (!closeWithoutTest_ && CloseRefused()) {
            handled = true;
            return 0;
        }
        StopUpdateCheck();
    } else if (message == ui::kApplyLanguage) {
        if (pageState_ == kPageUpToDate) ShowUpdatePageState(kPageUpToDate);
        update();
    }
    return WindowImplBase::HandleCustomMessage(message, wParam, lParam, handled);
}

void CSetWnd::closeEvent(QCloseEvent* e) {
    e->ignore();
    if (IsClosed()) return;
    StopUpdateCheck();
    closeWithoutTest_ = true;
    Close(0);
}

void CSetWnd::changeEvent(QEvent* e) {
    WindowImplBase::changeEvent(e);
    if (e->type() != QEvent::WindowStateChange || isMaximized() == maximised_) return;
    maximised_ = isMaximized();
    const bool maximised = maximised_;
    if (ui::CControlUI* max = FindControl("maxbtn")) max->SetVisible(!maximised);
    if (ui::CControlUI* restore = FindControl("restorebtn")) restore->SetVisible(maximised);
}

}  // namespace orvane::online
