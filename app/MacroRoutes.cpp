#include "app/MacroRoutes.h"

#include <chrono>
#include <memory>

#include "app/DeviceHook.h"
#include "app/KeyAssignmentRoutes.h"
#include "app/MainWnd.h"
#include "app/MenuWnd.h"
#include "app/X11InputCapture.h"
#include "editors/keys/CKeySetControlUI.h"
#include "editors/keys/CMacroControlUI.h"
#include "pages/CQuorvantUSBDevice.h"
#include "platform/DebugLog.h"
#include "profiles/MacroSteps.h"
#include "ui/dialogs/MsgWnd.h"
#include "ui/dialogs/WindowMessageIds.h"
#include "ui/framework/FileDialog.h"
#include "ui/framework/InWindowInputCapture.h"
#include "ui/framework/Notify.h"

#include <QCursor>

namespace orvane::app {
namespace {

constexpr const char* kStepMenu = "XML\\Menus\\macro_action_menu.xml";
constexpr const char* kMacroFilter = "Macro Files(*.mac)";

uint32_t NowMs() {
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count());
}

bool IsMessage(unsigned message, const char* name) { return message == ui::RegisterWindowMessage(name); }

// The step menu's button items: window message and X button variant, down, up or both.
struct ButtonItem {
    const char* prefix;
    unsigned down;
    unsigned up;
    int variant;
};
constexpr ButtonItem kButtonItems[] = {
    {"left_", 0x0201, 0x0202, 0},   {"middle_", 0x0207, 0x0208, 0}, {"right_", 0x0204, 0x0205, 0},
    {"forward_", 0x020B, 0x020C, 0}, {"back_", 0x020B, 0x020C, 1},
};

struct RecordingItem {
    const char* name;
    int delayMode;  // 0: fixed when "macro_check_time" is selected, else measured
    int hookMode;
};
constexpr RecordingItem kRecordingItems[] = {
    {"redio_previous_record_time", 0, kHookRecordBefore}, {"redio_previous_constant_time", kDelayFixed, kHookRecordBefore},
    {"redio_previous_ignore_time", kDelayNone, kHookRecordBefore}, {"redio_later_record_time", 0, kHookRecordAfter},
    {"redio_later_constant_time", kDelayFixed, kHookRecordAfter}, {"redio_later_ignore_time", kDelayNone, kHookRecordAfter},
    {"macro_action_edit", kDelayNone, kHookReplaceStep},
};

class MacroRoutes {
public:
    // The capture is chosen once: raw events of the whole X11 session where there is one, else
    // the program's own window (every Wayland compositor wants privileges for more).
    explicit MacroRoutes(CMainWnd& window) : window_(window) {
        std::unique_ptr<InputCapture> capture;
        if (auto x11 = X11InputCapture::Open()) {
            capture_ = &x11->InWindow();
            capture = std::move(x11);
        } else {
            auto inWindow = std::make_unique<ui::InWindowInputCapture>();
            capture_ = inWindow.get();
            capture = std::move(inWindow);
        }
        hook_ = std::make_unique<CDeviceHook>(std::move(capture));
    }

    void OnPanel(const FeatureEvent& event);
    void OnRecording(const FeatureEvent& event);

private:
    CQuorvantUSBDevice* Page(const FeatureEvent& event) const { return event.page; }
    bool Recording() const { return hook_->IsInstalled() && hook_->Mode() != kHookKeyCapture; }
    void NamesChanged(CQuorvantUSBDevice& page);
    void StartMacroHook(CMacroControlUI& panel, int mode, bool on);
    void StartRecording(CMacroControlUI& panel, int delayMode, int hookMode);
    void StopMacroHook(CMacroControlUI& panel);
    void OnMenuCommand(CQuorvantUSBDevice& page, CMacroControlUI& panel, const QString& item);
    void OnHookMessage(CQuorvantUSBDevice& page, const FeatureEvent& event);
    void OpenStepMenu();
    bool OnStopButton(CMacroControlUI& panel, const MouseHookRecord& record) const;

    CMainWnd& window_;
    ui::InWindowInputCapture* capture_ = nullptr;
    std::unique_ptr<CDeviceHook> hook_;
    QPointer<CMenuWnd> stepMenu_;
    QPointer<QWidget> recordingPanel_;
};

void MacroRoutes::NamesChanged(CQuorvantUSBDevice& page) {
    page.LoadLightNames();
    page.RefreshTexts();
}

void MacroRoutes::OnPanel(const FeatureEvent& event) {
    CQuorvantUSBDevice* page = Page(event);
    CMacroControlUI* panel = page != nullptr ? page->GetMacroItem() : nullptr;
    if (panel == nullptr || event.notify == nullptr || event.notify->pSender == nullptr) return;
    CKeySetControlUI* keySet = page->GetKeySetItem();
    const QString name = event.notify->pSender->GetName();
    if (event.notify->sType == "itemselect") {
        panel->ShowSelectedMacro();
        return;
    }
    if (name == "macro_btn_name_add") {
        const std::string added = panel->AddMacro();
        if (added.empty()) return;
        if (keySet != nullptr) keySet->AddMacroName(added);
        NamesChanged(*page);
    } else if (name == "macro_btn_name_sub") {
        const int position = panel->DeleteMacro(window_.GetDPI());
        if (position == -1) return;
        if (keySet != nullptr) keySet->RemoveMacroName(position);
        NamesChanged(*page);
    } else if (name == "macro_btn_name_edit") {
        int position = -1;
        const std::string renamed = panel->RenameMacro(position);
        if (position == -1) return;
        if (renamed.empty()) {
            ui::ShowMessageBox(&window_, QString(), "message_text_5", window_.GetDPI(), true, false);
            return;
        }
        if (keySet != nullptr) keySet->RenameMacroName(position, renamed);
        NamesChanged(*page);
    } else if (name == "macro_btn_save") {
        panel->SaveSelectedMacro();
    } else if (name == "macro_btn_cancel") {
        panel->ShowSelectedMacro();
    } else if (name == "macro_btn_export" || name == "macro_btn_import") {
        const bool exporting = name == "macro_btn_export";
        ui::FileDialogRequest request;
        request.purpose = exporting ? ui::FileDialogRequest::Purpose::kSave : ui::FileDialogRequest::Purpose::kOpen;
        request.owner = &window_;
        request.filter = kMacroFilter;
        request.defaultSuffix = "mac";
        const auto path = ui::AskForFile(request);
        if (!path) return;
        if (exporting) {
            panel->ExportMacro(path->toStdString());
        } else if (panel->ImportMacro(path->toStdString())) {
            if (keySet != nullptr) keySet->AddMacroName(panel->GetMacroNames().back());
            NamesChanged(*page);
        }
    } else {
        static constexpr std::pair<const char*, void (CMacroControlUI::*)()> kStepOperations[] = {
            {"macro_btn_uptop", &CMacroControlUI::MoveStepToTop},    {"macro_btn_up", &CMacroControlUI::MoveStepUp},
            {"macro_btn_down", &CMacroControlUI::MoveStepDown},      {"macro_btn_downbottom", &CMacroControlUI::MoveStepToBottom},
            {"macro_btn_delete", &CMacroControlUI::DeleteStep},      {"macro_btn_deleteall", &CMacroControlUI::DeleteAllSteps},
        };
        static constexpr std::pair<const char*, int> kMoveInserts[] = {
            {"macro_inset_moveleftkey_btn", 0}, {"macro_inset_moverightkey_btn", 1},
            {"macro_inset_moveupkey_btn", 2},   {"macro_inset_movedownkey_btn", 3},
        };
        for (const auto& [button, operation] : kStepOperations) {
            if (name == QLatin1String(button)) (panel->*operation)();
        }
        for (const auto& [button, variant] : kMoveInserts) {
            if (name == QLatin1String(button)) panel->InsertMouseStep(kMessagePointerMove, variant);
        }
        panel->SaveSelectedMacro();
    }
}

void MacroRoutes::StartMacroHook(CMacroControlUI& panel, int mode, bool on) {
    if (on) {
        capture_->SetPassThrough(panel.FindSubControlByName("macro_btn_stopredio") != nullptr
                                     ? panel.FindSubControlByName("macro_btn_stopredio")->GetWidget()
                                     : nullptr);
        hook_->Install(&window_, mode, true, true);
        recordingPanel_ = panel.GetWidget();
        if (ui::CControlUI* scope = panel.FindSubControlByName("macro_record_scope_text")) {
            scope->SetText(hook_->Capture().SeesOtherWindows() ? "macro_record_scope_global" : "macro_record_scope_window");
            scope->SetResourceText(true);
        }
    } else {
        hook_->Uninstall();
        recordingPanel_ = nullptr;
    }
    window_.SetRecordingLock(on);
}

void MacroRoutes::StartRecording(CMacroControlUI& panel, int delayMode, int hookMode) {
    const auto mode = static_cast<DelayMode>(delayMode != 0 ? delayMode : panel.IsFixedDelaySelected() ? kDelayFixed : kDelayMeasured);
    panel.SetDelayMode(mode, NowMs());
    StartMacroHook(panel, hookMode, true);
}

void MacroRoutes::StopMacroHook(CMacroControlUI& panel) {
    panel.SetEditingEnabled(true);
    StartMacroHook(panel, kHookRecordAppend, false);
    panel.SaveSelectedMacro();
}

void MacroRoutes::OpenStepMenu() {
    if (stepMenu_) stepMenu_->Close();
    auto* menu = new CMenuWnd(&window_, kStepMenu);
    if (!menu->Popup(QCursor::pos())) {
        delete menu;
        return;
    }
    stepMenu_ = menu;
}

void MacroRoutes::OnMenuCommand(CQuorvantUSBDevice&, CMacroControlUI& panel, const QString& item) {
    for (const RecordingItem& r : kRecordingItems) {
        if (item == QLatin1String(r.name)) {
            StartRecording(panel, r.delayMode, r.hookMode);
            return;
        }
    }
    for (const ButtonItem& b : kButtonItems) {
        const QString prefix = QLatin1String(b.prefix);
        if (!item.startsWith(prefix)) continue;
        const QString what = item.mid(prefix.size());
        if (what == "down" || what == "click") panel.InsertMouseStep(b.down, b.variant);
        if (what == "up" || what == "click") panel.InsertMouseStep(b.up, b.variant);
        panel.SaveSelectedMacro();
        return;
    }
}

bool MacroRoutes::OnStopButton(CMacroControlUI& panel, const MouseHookRecord& record) const {
    const ui::CControlUI* stop = panel.FindSubControlByName("macro_btn_stopredio");
    if (stop == nullptr) return false;
    const QWidget* widget = stop->GetWidget();
    return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size()).contains(record.x, record.y);
}

void MacroRoutes::OnHookMessage(CQuorvantUSBDevice& page, const FeatureEvent& event) {
    const unsigned message = event.message;
    if (IsMessage(message, "WM_HOOK_KEY_SINGLEKEY_MSG")) {
        const auto* record = reinterpret_cast<const KeyHookRecord*>(event.lParam);
        CKeySetControlUI* keySet = page.GetKeySetItem();
        if (record == nullptr || keySet == nullptr || event.wParam != kMessageKeyDown) return;
        if (keySet->OnCapturedKey(static_cast<uint8_t>(record->scanCode), (record->flags & kKeyExtendedFlag) != 0)) {
            ApplyKeyFunction(page, *keySet);
        }
        return;
    }
    CMacroControlUI* panel = page.GetMacroItem();
    if (panel == nullptr || event.lParam == 0 || !Recording()) return;
    static constexpr std::pair<const char*, RecordKind> kKeyMessages[] = {
        {"WM_HOOK_KEY_KBMACRO_MSG", RecordKind::Append},
        {"WM_HOOK_KEY_KBMACROPREVIOUS_MSG", RecordKind::Before},
        {"WM_HOOK_KEY_KBMACROLATER_MSG", RecordKind::After},
    };
    static constexpr std::pair<const char*, RecordKind> kMouseMessages[] = {
        {"WM_HOOK_KEY_MSMACRO_MSG", RecordKind::Append},
        {"WM_HOOK_KEY_MSMACROPREVIOUS_MSG", RecordKind::Before},
        {"WM_HOOK_KEY_MSMACROLATER_MSG", RecordKind::After},
    };
    const bool down = event.wParam == kMessageKeyDown || event.wParam == kMessageSysKeyDown;
    for (const auto& [name, kind] : kKeyMessages) {
        if (!IsMessage(message, name)) continue;
        const auto* record = reinterpret_cast<const KeyHookRecord*>(event.lParam);
        panel->RecordKeyStep(kind, static_cast<uint8_t>(record->scanCode), (record->flags & kKeyExtendedFlag) != 0, down, NowMs());
        return;
    }
    for (const auto& [name, kind] : kMouseMessages) {
        if (!IsMessage(message, name)) continue;
        if (kind == RecordKind::Append) DebugLog("WM_HOOK_KEY_MSMACRO");
        const auto* record = reinterpret_cast<const MouseHookRecord*>(event.lParam);
        panel->RecordMouseStep(kind, static_cast<unsigned>(event.wParam), static_cast<int>(record->mouseData >> 16),
                               OnStopButton(*panel, *record), NowMs());
        return;
    }
    if (IsMessage(message, "WM_HOOK_KEY_KBMACROSINGLE_MSG")) {
        const auto* record = reinterpret_cast<const KeyHookRecord*>(event.lParam);
        panel->ReplaceStepKey(static_cast<uint8_t>(record->scanCode), (record->flags & kKeyExtendedFlag) != 0, down);
    } else if (IsMessage(message, "WM_HOOK_KEY_MSMACROSINGLE_MSG")) {
        const auto* record = reinterpret_cast<const MouseHookRecord*>(event.lParam);
        panel->ReplaceStepButton(static_cast<unsigned>(event.wParam), static_cast<int>(record->mouseData >> 16),
                                 OnStopButton(*panel, *record));
    }
}

void MacroRoutes::OnRecording(const FeatureEvent& event) {
    CQuorvantUSBDevice* page = Page(event);
    if (event.notify == nullptr && event.message == ui::kInputCapture) {
        if (event.wParam == 1) {
            hook_->Install(&window_, kHookKeyCapture, true, true);
            return;
        }
        // Hooks off: a recording that was running (its device went away) ends with its steps kept.
        if (Recording()) {
            if (auto* panel = dynamic_cast<CMacroControlUI*>(recordingPanel_.data())) {
                panel->SetEditingEnabled(true);
                panel->SaveSelectedMacro();
            }
            recordingPanel_ = nullptr;
            window_.SetRecordingLock(false);
        }
        hook_->Uninstall();
        return;
    }
    CMacroControlUI* panel = page != nullptr ? page->GetMacroItem() : nullptr;
    if (page == nullptr || panel == nullptr) return;
    if (event.notify == nullptr && event.message == ui::kMenuCommand) {
        const auto* command = reinterpret_cast<const MenuCommand*>(event.wParam);
        if (command != nullptr) OnMenuCommand(*page, *panel, command->name);
        return;
    }
    if (event.notify == nullptr) {
        OnHookMessage(*page, event);
        return;
    }
    const QString name = event.notify->pSender != nullptr ? event.notify->pSender->GetName() : QString();
    if (event.notify->sType == "itemactivate" && name == "macro_action") {
        OpenStepMenu();
    } else if (name == "macro_btn_starredio") {
        StartRecording(*panel, 0, kHookRecordAppend);
    } else if (name == "macro_btn_stopredio") {
        StopMacroHook(*panel);
    }
}

}  // namespace

void ConnectMacroRoutes(CMainWnd& window) {
    auto routes = std::make_shared<MacroRoutes>(window);
    window.SetFeatureHandler(Feature::MacroPanel, [routes](const FeatureEvent& event) { routes->OnPanel(event); });
    window.SetFeatureHandler(Feature::MacroRecording, [routes](const FeatureEvent& event) { routes->OnRecording(event); });
}

}  // namespace orvane::app
