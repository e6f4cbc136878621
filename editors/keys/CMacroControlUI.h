#pragma once
// CMacroControlUI ("MacroControl"): the macro panel, built from
// "XML\\CustomControlXML\\MacroControl.xml". The name list shows the macro index of the user data
// folder ("macro.config"), the step list the selected macro's ".mac" file; each step row keeps its
// step as JSON text, its delay edit being the authority for the delay when the macro is saved.
// Recording (the main window's input capture) inserts rows through RecordKeyStep and
// RecordMouseStep. The panel never talks to the device. UI thread only.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "profiles/MacroFile.h"
#include "profiles/MacroRecording.h"
#include "ui/framework/Container.h"

namespace orvane::ui {
class CEditUI;
class CListElementUI;
class CListUI;
}  // namespace orvane::ui

namespace orvane {

class CMacroControlUI : public ui::CHorizontalLayoutUI {
public:
    static constexpr int kScrollTimer = 4101;
    static constexpr int kScrollDelayMs = 50;

    explicit CMacroControlUI(QWidget* parent = nullptr);

    QString GetClass() const override { return "MacroControl"; }

    void SetMacroFolder(const std::string& folder);
    void LoadMacroList();
    std::vector<std::string> GetMacroNames() const { return names_; }

    // A new macro "macro_N", selected; empty when the list holds 50 already.
    std::string AddMacro();
    // After the user confirmed: the selected macro's file, row and index entry removed. The
    // position it had, or -1 when nothing changed.
    int DeleteMacro(int dpi);
    // The selected macro takes the name of "macro_edit_macroname": the new name, with its
    // position; "IsEmpty" or empty text with position -1 or the position when it is taken.
    std::string RenameMacro(int& position);
    void ShowSelectedMacro();
    bool LoadMacroSteps(const std::string& path);
    void SaveSelectedMacro();

    void MoveStepToTop();
    void MoveStepUp();
    void MoveStepDown();
    void MoveStepToBottom();
    void DeleteStep();
    void DeleteAllSteps();
    // The selected macro's file as last saved, copied to `path`. False when nothing was written.
    bool ExportMacro(const std::string& path);
    // A macro file checked whole, then added as a new macro; false, with nothing changed, when it
    // is no macro or the list is full.
    bool ImportMacro(const std::string& path);
    void InsertMouseStep(unsigned message, int variant);

    // Recording.
    void SetDelayMode(DelayMode mode, uint32_t nowMs);
    void SetEditingEnabled(bool on);
    bool IsFixedDelaySelected() const;
    void ReadFixedDelay();
    int FixedDelay() const { return fixedDelay_; }
    void RecordKeyStep(RecordKind kind, uint8_t scanCode, bool extended, bool down, uint32_t nowMs);
    // `onStopButton`: the press lies on "macro_btn_stopredio" (the click that stops is not recorded).
    void RecordMouseStep(RecordKind kind, unsigned message, int xButton, bool onStopButton, uint32_t nowMs);
    void ReplaceStepKey(uint8_t scanCode, bool extended, bool down);
    void ReplaceStepButton(unsigned message, int xButton, bool onStopButton);

    // The steps as the rows hold them, the delays as their edits show them.
    std::vector<MacroEvent> Steps() const;
    int SelectedStep() const;
    int SelectedMacro() const;
    std::string MacroFolder() const { return folder_; }
    // The selected macro's file; empty without one.
    std::string SelectedMacroPath() const;

protected:
    void OnTimer(int id) override;

private:
    ui::CListElementUI* BuildStepRow(const MacroEvent& event);
    void InsertStepRow(int position, const MacroEvent& event);
    void SetRowDelay(int row, int delay);
    MacroEvent RowEvent(int row) const;
    void SetRowEvent(int row, const MacroEvent& event);
    void MoveStep(int to);
    void AddRecordedStep(RecordKind kind, const RecordedStep& step, uint32_t nowMs);
    void ReplaceSelected(const RecordedStep& step);
    ui::CListUI* NameList() const;
    ui::CListUI* StepList() const;
    std::vector<std::string> RowNames() const;
    std::string IndexPath() const;

    std::string folder_;
    std::vector<std::string> names_;
    DelayMode delayMode_ = kDelayMeasured;
    int fixedDelay_ = 50;
    uint32_t lastStepMs_ = 0;
    std::array<KeyRepeatFilter, 4> keyFilters_;      // append, before, after, replace
    std::array<MouseRepeatFilter, 4> mouseFilters_;  // the same for buttons
};

}  // namespace orvane
