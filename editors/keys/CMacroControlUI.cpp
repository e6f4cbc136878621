#include "editors/keys/CMacroControlUI.h"

#include <algorithm>
#include <filesystem>

#include "platform/AtomicFile.h"
#include "profiles/JsonFileStore.h"
#include "profiles/MacroSteps.h"
#include "ui/dialogs/MsgWnd.h"
#include "ui/framework/Edit.h"
#include "ui/framework/Label.h"
#include "ui/framework/List.h"
#include "ui/framework/Option.h"

namespace orvane {
namespace {

constexpr int kRowHeight = 30;
constexpr int kDelayEditHeight = 25;
constexpr int kDelayEditChars = 6;
constexpr size_t kMaxImportBytes = 8u << 20;
constexpr const char* kStepRowName = "macro_action";
constexpr const char* kStepNameLabel = "macro_step_name";
constexpr const char* kStepActionLabel = "macro_step_action";
constexpr const char* kDelayEditName = "macro_delay";
constexpr const char* kStyleProperty = "macrostyle";

size_t Index(RecordKind kind) { return static_cast<size_t>(kind); }
constexpr size_t kReplaceFilter = 3;

int NumberOf(const ui::CControlUI* edit) {
    if (edit == nullptr) return 0;
    bool ok = false;
    const int value = edit->GetText().trimmed().toInt(&ok);
    return ok ? value : 0;
}

QString Styled(const Json::Value& value) { return QString::fromStdString(Json::StyledWriter().write(value)); }

void SetStyle(ui::CControlUI* label, const std::string& style) {
    if (label == nullptr) return;
    QWidget* widget = label->GetWidget();
    widget->setProperty(kStyleProperty, QString::fromStdString(style));
    widget->style()->unpolish(widget);
    widget->style()->polish(widget);
}

void ShowLook(ui::CListElementUI& row, const StepLook& look) {
    auto* name = row.FindSubControlByName(kStepNameLabel);
    auto* action = row.FindSubControlByName(kStepActionLabel);
    SetStyle(name, look.nameStyle);
    SetStyle(action, look.actionStyle);
    if (name != nullptr) {
        name->SetText(QString::fromStdString(look.nameKey));
        name->SetResourceText(true);
    }
    if (action == nullptr) return;
    if (!look.actionText.empty()) {
        action->SetText(QString::fromStdString(look.actionText));
        action->SetResourceText(false);
    } else if (look.actionStyle == "macro_label_down_style" || look.actionStyle == "macro_label_up_style") {
        action->SetText(look.actionStyle == "macro_label_down_style" ? "macro_down_text" : "macro_up_text");
        action->SetResourceText(true);
    } else {
        action->SetText(QString());
    }
}

}  // namespace

CMacroControlUI::CMacroControlUI(QWidget* parent) : ui::CHorizontalLayoutUI(parent) {}

void CMacroControlUI::SetMacroFolder(const std::string& folder) {
    folder_ = folder;
    if (!folder_.empty() && folder_.back() != '/') folder_ += '/';
}

std::string CMacroControlUI::IndexPath() const { return folder_ + kMacroIndexFileName; }

ui::CListUI* CMacroControlUI::NameList() const { return FindSubControlByName<ui::CListUI>("macro_name_list"); }
ui::CListUI* CMacroControlUI::StepList() const { return FindSubControlByName<ui::CListUI>("macro_action_list"); }

void CMacroControlUI::LoadMacroList() {
    ui::CListUI* list = NameList();
    if (list == nullptr) return;
    const auto index = ReadMacroIndex(IndexPath());
    for (const MacroIndexEntry& entry : index.value_or(std::vector<MacroIndexEntry>{})) {
        auto* row = new ui::CListLabelElementUI;
        row->GetWidget()->setFixedHeight(kRowHeight);
        row->SetText(QString::fromStdString(entry.MacroName));
        row->SetUserData(QString::fromStdString(entry.Guid));
        list->Add(row);
        names_.push_back(entry.MacroName);
    }
    if (ui::CControlUI* start = FindSubControlByName("macro_btn_starredio")) start->SetEnabled(list->GetCount() > 0);
    if (ui::CControlUI* steps = FindSubControlByName("macro_action_layout")) steps->SetEnabled(false);
}

std::vector<std::string> CMacroControlUI::RowNames() const {
    std::vector<std::string> names;
    if (ui::CListUI* list = NameList()) {
        for (int i = 0; i < list->GetCount(); ++i) names.push_back(list->GetItemAt(i)->GetText().toStdString());
    }
    return names;
}

int CMacroControlUI::SelectedMacro() const { return NameList() != nullptr ? NameList()->GetCurSel() : -1; }
int CMacroControlUI::SelectedStep() const { return StepList() != nullptr ? StepList()->GetCurSel() : -1; }

std::string CMacroControlUI::SelectedMacroPath() const {
    const int selected = SelectedMacro();
    if (selected < 0) return {};
    const std::string guid = NameList()->GetItemAt(selected)->GetUserData().toStdString();
    return MacroFilePath(folder_, guid).value_or(std::string());
}

std::string CMacroControlUI::AddMacro() {
    ui::CListUI* list = NameList();
    if (list == nullptr || list->GetCount() >= kMaxMacros) return {};
    const std::string name = NextMacroName(RowNames());
    const int position = list->GetCount();
    auto* row = new ui::CListLabelElementUI;
    row->GetWidget()->setFixedHeight(kRowHeight);
    row->SetText(QString::fromStdString(name));
    list->Add(row);
    if (ui::CControlUI* start = FindSubControlByName("macro_btn_starredio")) start->SetEnabled(true);

    std::vector<MacroIndexEntry> entries = ReadMacroIndex(IndexPath()).value_or(std::vector<MacroIndexEntry>{});
    entries.resize(static_cast<size_t>(position));
    const std::string guid = JsonFileStore().MakeTimeStampName();
    entries.push_back({name, guid});
    row->SetUserData(QString::fromStdString(guid));
    WriteMacroIndex(IndexPath(), entries);
    names_ = RowNames();

    list->SelectItem(position, false);
    ShowSelectedMacro();
    return name;
}

int CMacroControlUI::DeleteMacro(int dpi) {
    ui::CListUI* list = NameList();
    const int position = SelectedMacro();
    if (list == nullptr || position < 0) return -1;
    if (ui::ShowMessageBox(GetWindow(), QString(), "message_text_4", dpi, true, true) != 1) return -1;
    std::error_code ignored;
    if (const std::string path = SelectedMacroPath(); !path.empty()) std::filesystem::remove(path, ignored);
    list->RemoveAt(position);
    DeleteAllSteps();
    list->SelectItem(list->GetCount() > 0 ? 0 : -1, false);
    ShowSelectedMacro();

    std::vector<MacroIndexEntry> entries = ReadMacroIndex(IndexPath()).value_or(std::vector<MacroIndexEntry>{});
    if (static_cast<size_t>(position) < entries.size()) entries.erase(entries.begin() + position);
    WriteMacroIndex(IndexPath(), entries);
    names_ = RowNames();
    if (list->GetCount() == 0) {
        if (ui::CControlUI* start = FindSubControlByName("macro_btn_starredio")) start->SetEnabled(false);
        if (ui::CControlUI* steps = FindSubControlByName("macro_action_layout")) steps->SetEnabled(false);
    }
    return position;
}

std::string CMacroControlUI::RenameMacro(int& position) {
    position = SelectedMacro();
    if (position < 0) return {};
    const ui::CControlUI* edit = FindSubControlByName("macro_edit_macroname");
    const std::string name = edit != nullptr ? edit->GetText().trimmed().toStdString() : std::string();
    if (name.empty()) {
        position = -1;
        return "IsEmpty";
    }
    for (const std::string& taken : RowNames()) {
        if (SameNameIgnoringCase(taken, name)) return {};
    }
    NameList()->GetItemAt(position)->SetText(QString::fromStdString(name));
    std::vector<MacroIndexEntry> entries = ReadMacroIndex(IndexPath()).value_or(std::vector<MacroIndexEntry>{});
    if (static_cast<size_t>(position) < entries.size()) {
        entries[static_cast<size_t>(position)].MacroName = name;
        WriteMacroIndex(IndexPath(), entries);
    }
    names_ = RowNames();
    return name;
}

void CMacroControlUI::ShowSelectedMacro() {
    const std::string path = SelectedMacroPath();
    if (path.empty()) {
        DeleteAllSteps();
        return;
    }
    if (ui::CControlUI* steps = FindSubControlByName("macro_action_layout")) steps->SetEnabled(true);
    LoadMacroSteps(path);
}

bool CMacroControlUI::LoadMacroSteps(const std::string& path) {
    DeleteAllSteps();
    const Json::Value root = JsonFileStore().ReadJsonValue(path);
    if (root.isNull() || !root.isObject() || !root["Events"].isArray()) return true;
    ui::CListUI* list = StepList();
    if (list == nullptr) return true;
    for (const Json::Value& step : root["Events"]) {
        if (list->GetCount() >= kMaxMacroSteps) break;
        if (!step.isObject()) continue;
        ui::CListElementUI* row = BuildStepRow(MacroEventFromJson(step));
        row->SetUserData(Styled(step));
        list->Add(row);
    }
    return true;
}

void CMacroControlUI::SaveSelectedMacro() {
    const int selected = SelectedMacro();
    const std::string path = SelectedMacroPath();
    if (path.empty()) return;
    MacroFile macro;
    macro.Guid = NameList()->GetItemAt(selected)->GetUserData().toStdString();
    macro.MacroName = NameList()->GetItemAt(selected)->GetText().toStdString();
    macro.Events = Steps();
    WriteMacroFile(path, macro);
    // The rows now hold what the file holds: every delay as text.
    for (int i = 0; i < static_cast<int>(macro.Events.size()) && i < StepList()->GetCount(); ++i) {
        SetRowEvent(i, macro.Events[static_cast<size_t>(i)]);
    }
}

std::vector<MacroEvent> CMacroControlUI::Steps() const {
    std::vector<MacroEvent> steps;
    ui::CListUI* list = StepList();
    if (list == nullptr) return steps;
    for (int i = 0; i < list->GetCount(); ++i) {
        const ui::CControlUI* row = list->GetItemAt(i);
        const std::string stored = row->GetUserData().toStdString();
        if (stored.empty()) break;
        Json::Value value;
        if (!Json::Reader().parse(stored, value) || !value.isObject()) continue;
        MacroEvent event = MacroEventFromJson(value);
        event.Delay = std::to_string(std::clamp(NumberOf(row->FindSubControlByName(kDelayEditName)), 0, kMaxStepDelay));
        steps.push_back(std::move(event));
    }
    return steps;
}

MacroEvent CMacroControlUI::RowEvent(int row) const {
    Json::Value value;
    Json::Reader().parse(StepList()->GetItemAt(row)->GetUserData().toStdString(), value);
    return MacroEventFromJson(value);
}

void CMacroControlUI::SetRowEvent(int row, const MacroEvent& event) {
    StepList()->GetItemAt(row)->SetUserData(Styled(MacroEventToJson(event)));
}

void CMacroControlUI::SetRowDelay(int row, int delay) {
    MacroEvent event = RowEvent(row);
    event.Delay = std::to_string(delay);
    SetRowEvent(row, event);
    if (ui::CControlUI* edit = StepList()->GetItemAt(row)->FindSubControlByName(kDelayEditName)) {
        edit->SetText(QString::number(delay));
    }
}

ui::CListElementUI* CMacroControlUI::BuildStepRow(const MacroEvent& event) {
    auto* row = new ui::CListElementUI;
    row->SetName(kStepRowName);
    row->GetWidget()->setFixedHeight(kRowHeight);
    auto* name = new ui::CLabelUI;
    name->SetName(kStepNameLabel);
    auto* action = new ui::CLabelUI;
    action->SetName(kStepActionLabel);
    auto* delay = new ui::CEditUI;
    delay->SetName(kDelayEditName);
    delay->GetWidget()->setFixedHeight(kDelayEditHeight);
    delay->SetMaxChar(kDelayEditChars);
    delay->SetNumberOnly(true);
    delay->SetMinValue(0);
    delay->SetMaxValue(kMaxStepDelay);
    SetStyle(delay, "macro_label_text_style");
    delay->SetBkColor(0xFF444444);
    row->Add(name);
    row->Add(action);
    row->Add(delay);
    ShowLook(*row, LookOfStep(event));
    delay->SetText(QString::number(ShownDelay(event)));
    row->SetUserData(Styled(MacroEventToJson(event)));
    return row;
}

void CMacroControlUI::InsertStepRow(int position, const MacroEvent& event) {
    StepList()->AddAt(BuildStepRow(event), position);
}

void CMacroControlUI::MoveStep(int to) {
    ui::CListUI* list = StepList();
    const int from = SelectedStep();
    const Json::Value value = [&] {
        Json::Value v;
        Json::Reader().parse(list->GetItemAt(from)->GetUserData().toStdString(), v);
        return v;
    }();
    list->RemoveAt(from);
    ui::CListElementUI* row = BuildStepRow(MacroEventFromJson(value));
    row->SetUserData(Styled(value));
    list->AddAt(row, to);
    list->SelectItem(to, false);
}

void CMacroControlUI::MoveStepToTop() {
    const int s = SelectedStep();
    if (s <= 0) return;
    MoveStep(0);
    StepList()->SetScrollPos({0, 0});
}

void CMacroControlUI::MoveStepUp() {
    const int s = SelectedStep();
    if (s <= 0) return;
    MoveStep(s - 1);
    const int y = kRowHeight * s - 200;
    StepList()->SetScrollPos({0, y < 150 ? 0 : y});
}

void CMacroControlUI::MoveStepDown() {
    const int s = SelectedStep();
    if (s < 0 || s >= StepList()->GetCount() - 1) return;
    MoveStep(s + 1);
    StepList()->SetScrollPos({0, kRowHeight * s - 150});
}

void CMacroControlUI::MoveStepToBottom() {
    const int s = SelectedStep();
    const int n = StepList() != nullptr ? StepList()->GetCount() : 0;
    if (s < 0 || s >= n - 1) return;
    MoveStep(n - 1);
    StepList()->SetScrollPos({0, kRowHeight * n});
}

void CMacroControlUI::DeleteStep() {
    const int s = SelectedStep();
    if (s >= 0) StepList()->RemoveAt(s);
}

void CMacroControlUI::DeleteAllSteps() {
    if (ui::CListUI* list = StepList()) {
        list->SelectItem(-1, false);
        list->RemoveAll();
    }
}

bool CMacroControlUI::ExportMacro(const std::string& path) {
    const std::string source = SelectedMacroPath();
    if (path.empty() || source.empty()) return false;
    std::string content;
    if (!ReadWholeFile(source, content, kMaxImportBytes)) return false;
    return WriteFileAtomically(path, content);
}

bool CMacroControlUI::ImportMacro(const std::string& path) {
    if (path.empty()) return false;
    std::string content;
    if (!ReadWholeFile(path, content, kMaxImportBytes)) return false;
    Json::Value root;
    if (!Json::Reader().parse(content, root) || !CheckedMacroDocument(root)) return false;
    if (AddMacro().empty()) return false;
    const std::string target = SelectedMacroPath();
    if (target.empty() || !WriteFileAtomically(target, content)) return false;
    ShowSelectedMacro();
    return true;
}

void CMacroControlUI::InsertMouseStep(unsigned message, int variant) {
    ui::CListUI* list = StepList();
    if (list == nullptr) return;
    int distance = 0;
    if (message == kMessagePointerMove) {
        static constexpr const char* kDistanceEdits[] = {"mouse_x_left_edit", "mouse_x_right_edit", "mouse_y_up_edit",
                                                         "mouse_y_down_edit"};
        if (variant < 0 || variant > 3) return;
        distance = NumberOf(FindSubControlByName(kDistanceEdits[variant]));
    }
    const auto step = InsertedMouseStep(message, variant, distance, fixedDelay_);
    if (!step) return;
    const int s = std::max(SelectedStep(), 0);
    const int position = list->GetCount() > 0 ? s + 1 : 0;
    list->SelectItem(-1, false);
    InsertStepRow(position, *step);
    list->SelectItem(position, false);
}

void CMacroControlUI::SetDelayMode(DelayMode mode, uint32_t nowMs) {
    delayMode_ = mode;
    lastStepMs_ = nowMs;
    if (mode == kDelayFixed) ReadFixedDelay();
    SetEditingEnabled(false);
}

void CMacroControlUI::SetEditingEnabled(bool on) {
    for (const char* name : {"macro_name_tab", "macro_tab_macroaction_edit", "macro_tab_macrodelay_edit"}) {
        if (ui::CControlUI* control = FindSubControlByName(name)) control->SetEnabled(on);
    }
    if (ui::CListUI* list = StepList()) list->GetWidget()->setAttribute(Qt::WA_TransparentForMouseEvents, !on);
    if (ui::CControlUI* start = FindSubControlByName("macro_btn_starredio")) start->SetVisible(on);
    if (ui::CControlUI* stop = FindSubControlByName("macro_btn_stopredio")) stop->SetVisible(!on);
}

bool CMacroControlUI::IsFixedDelaySelected() const {
    const auto* option = FindSubControlByName<ui::COptionUI>("macro_check_time");
    return option != nullptr && option->IsSelected();
}

void CMacroControlUI::ReadFixedDelay() {
    auto* edit = FindSubControlByName<ui::CEditUI>("macro_fixed_time_edit");
    if (edit == nullptr) return;
    bool ok = false;
    const qulonglong typed = edit->GetText().trimmed().toULongLong(&ok);
    const int value = ok ? static_cast<int>(std::min<qulonglong>(typed, kMaxStepDelay)) : 0;
    if (value == fixedDelay_) return;
    edit->SetText(QString::asprintf("%ld", static_cast<long>(value)));
    edit->setCursorPosition(static_cast<int>(edit->text().size()));
    fixedDelay_ = value;
}

void CMacroControlUI::RecordKeyStep(RecordKind kind, uint8_t scanCode, bool extended, bool down, uint32_t nowMs) {
    if (!keyFilters_[Index(kind)].Accept(scanCode, extended, down)) return;
    if (const auto step = KeyStepOf(scanCode, extended, down)) AddRecordedStep(kind, *step, nowMs);
}

void CMacroControlUI::RecordMouseStep(RecordKind kind, unsigned message, int xButton, bool onStopButton, uint32_t nowMs) {
    const auto step = MouseStepOf(message, xButton);
    if (!step || !mouseFilters_[Index(kind)].Accept(message)) return;
    if ((message == 0x0201 || message == 0x0202) && onStopButton) return;
    AddRecordedStep(kind, *step, nowMs);
}

void CMacroControlUI::AddRecordedStep(RecordKind kind, const RecordedStep& step, uint32_t nowMs) {
    ui::CListUI* list = StepList();
    if (list == nullptr) return;
    const auto place = PlaceRecordedStep(kind, list->GetCount(), SelectedStep());
    if (!place) return;
    const int delay = StepDelay(delayMode_, fixedDelay_, nowMs, lastStepMs_);
    MacroEvent event{step.down ? "down" : "up", step.button, step.type,
                     place->first ? "0" : std::to_string(delayMode_ == kDelayFixed ? fixedDelay_ : 0)};
    InsertStepRow(place->insertAt, event);
    if (place->first) {
        // The first step of a list keeps the integer 0 until the macro is saved.
        Json::Value value = MacroEventToJson(event);
        value["Delay"] = 0;
        list->GetItemAt(place->insertAt)->SetUserData(Styled(value));
    } else if (place->previousRow >= 0) {
        SetRowDelay(place->previousRow, delay);
    }
    if (place->select >= 0) list->SelectItem(place->select, false);
    if (place->keepSelected >= 0) list->SelectItem(place->keepSelected, false);
    SetTimer(kScrollTimer, kScrollDelayMs);
}

void CMacroControlUI::ReplaceStepKey(uint8_t scanCode, bool extended, bool down) {
    if (SelectedStep() < 0 || !keyFilters_[kReplaceFilter].Accept(scanCode, extended, down)) return;
    if (const auto step = KeyStepOf(scanCode, extended, down)) ReplaceSelected(*step);
}

void CMacroControlUI::ReplaceStepButton(unsigned message, int xButton, bool onStopButton) {
    if (SelectedStep() < 0) return;
    const auto step = MouseStepOf(message, xButton);
    if (!step || !mouseFilters_[kReplaceFilter].Accept(message)) return;
    if ((message == 0x0201 || message == 0x0202) && onStopButton) return;
    ReplaceSelected(*step);
}

void CMacroControlUI::ReplaceSelected(const RecordedStep& step) {
    const int s = SelectedStep();
    Json::Value value;
    Json::Reader().parse(StepList()->GetItemAt(s)->GetUserData().toStdString(), value);
    if (!value.isObject()) value = Json::Value(Json::objectValue);
    value["Button"] = step.button;
    value["Type"] = step.type;
    auto* row = dynamic_cast<ui::CListElementUI*>(StepList()->GetItemAt(s));
    if (auto* name = row->FindSubControlByName(kStepNameLabel)) {
        SetStyle(name, step.keyboard ? "macro_label_keyboard_style" : "macro_label_mouse_style");
        name->SetText(QString::fromStdString(step.nameKey));
        name->SetResourceText(true);
    }
    row->SetUserData(Styled(value));
}

void CMacroControlUI::OnTimer(int id) {
    if (id != kScrollTimer) {
        ui::CHorizontalLayoutUI::OnTimer(id);
        return;
    }
    KillTimer(id);
    if (SelectedStep() >= 0) StepList()->EnsureVisible(SelectedStep());
}

}  // namespace orvane
