#include "pages/MouseSystemPanel.h"

#include <algorithm>

#include "profiles/JsonFields.h"

namespace orvane {
namespace {

bool ValidOption(int option, int count) { return option >= 0 && option < count; }

}  // namespace

std::string DpiTextFromIndex(int index) { return std::to_string(CpiFromResolutionIndex(index)); }

int DpiIndexFromText(std::string_view text) { return ResolutionIndexFromCpi(json::ParseDecimal(text)); }

int MainWindowDpiFromText(std::string_view text) {
    return std::clamp<int>(json::ParseDecimal(text), kMainWindowDpiMinimum, kMainWindowDpiMaximum);
}

std::string MainWindowDpiText(int sliderValue) { return std::to_string(sliderValue); }

void MouseSystemPanel::Show() {
    const std::vector<DpiStage>& stages = mouse_.DpiStages();
    for (int i = 0; i < kDpiStageRows && i < static_cast<int>(stages.size()); ++i) {
        // The check box is the stage's on/off flag, so it shows what the profile says.
        SetRow(i, stages[static_cast<size_t>(i)].StageActive != 0);
        ShowDpiValue(i, stages[static_cast<size_t>(i)].StageDPIX);
    }
    ShowRank(mouse_.ActiveStage());
    const MouseSystemSettings& system = mouse_.SystemSettings();
    view_.pointerSpeed = system.MouseSpeed;
    view_.pointerPrecision = system.PointerPrecision != 0;
    view_.doubleClickLevel = system.DoubleClickTime;
    view_.pageScroll = system.ScorllPage != 0;
    view_.scrollLines = system.WheelScorlllinse;
    view_.reportRateOption = ValidOption(system.ReportStage, kReportRateOptions) ? system.ReportStage : 0;
    view_.liftOffOption = ValidOption(system.HeightStage, kLiftOffOptions) ? system.HeightStage : 0;
    // A failed read keeps what the switch showed.
    view_.liftOffSwitch = mouse_.LiftOffSwitch().value_or(view_.liftOffSwitch);
}

void MouseSystemPanel::SetRow(int row, bool on) {
    view_.dpiRows[static_cast<size_t>(row)].rowEnabled = on;
    view_.dpiRows[static_cast<size_t>(row)].checked = on;
    ApplyLastStageRule();
}

void MouseSystemPanel::ApplyLastStageRule() {
    const auto checked =
        std::count_if(view_.dpiRows.begin(), view_.dpiRows.end(), [](const DpiRowView& r) { return r.checked; });
    for (auto& r : view_.dpiRows) r.checkEnabled = !(checked == 1 && r.checked);
}

void MouseSystemPanel::ShowDpiValue(int row, int index) {
    const int shown = std::clamp(index, 0, kMaxDpiIndex);
    DpiRowView& r = view_.dpiRows[static_cast<size_t>(row)];
    r.sliderValue = shown;
    r.editText = DpiTextFromIndex(shown);
    r.rankSelected = row == mouse_.ActiveStage();
}

void MouseSystemPanel::ShowRank(int activeStage) {
    for (int i = 0; i < kDpiStageRows; ++i) view_.dpiRows[static_cast<size_t>(i)].rankSelected = i == activeStage;
}

bool MouseSystemPanel::OnDpiEnableChanged(int row, bool on) {
    if (!IsRow(row)) return false;
    // The last stage that is on cannot be switched off; its check box is disabled for that.
    const DpiRowView& shown = view_.dpiRows[static_cast<size_t>(row)];
    if (!on && shown.checked && !shown.checkEnabled) return false;
    if (mouse_.SetStageEnabled(row, on).IsRefused()) return false;
    Show();
    return true;
}

bool MouseSystemPanel::OnDpiRankSelected(int row) {
    if (!IsRow(row)) return false;
    mouse_.SetActiveStage(row);
    Show();
    return true;
}

bool MouseSystemPanel::OnDpiSliderMoved(int row, int index) {
    if (!IsRow(row)) return false;
    ShowDpiValue(row, index);
    return true;
}

bool MouseSystemPanel::OnDpiSliderReleased(int row, int index) {
    if (!IsRow(row)) return false;
    mouse_.SetDpi(row, CpiFromResolutionIndex(std::clamp(index, 0, kMaxDpiIndex)));
    Show();
    return true;
}

bool MouseSystemPanel::OnDpiEditFinished(int row, std::string_view text) {
    if (!IsRow(row)) return false;
    mouse_.SetDpi(row, json::ParseDecimal(text));
    Show();
    return true;
}

bool MouseSystemPanel::OnReportRateSelected(int option) {
    if (!ValidOption(option, kReportRateOptions)) return false;
    mouse_.SetReportRateHz(ReportRateHzOfOption(option));
    Show();
    return true;
}

bool MouseSystemPanel::OnLiftOffSelected(int option) {
    if (!ValidOption(option, kLiftOffOptions)) return false;
    mouse_.SetLiftOffMm(LiftOffMmOfOption(option));
    Show();
    return true;
}

bool MouseSystemPanel::OnPointerSpeedChanged(int value) {
    const bool taken = mouse_.SetPointerSpeed(value).Ok();
    view_.pointerSpeed = value;
    return taken;
}

bool MouseSystemPanel::OnPointerPrecisionChanged(bool on) {
    const bool taken = mouse_.SetPointerPrecision(on).Ok();
    view_.pointerPrecision = on;
    return taken;
}

bool MouseSystemPanel::OnPageScrollChanged(bool on, int sliderLines) {
    const bool taken = mouse_.SetScrolling(on, sliderLines).Ok();
    view_.pageScroll = on;
    view_.scrollLines = sliderLines;
    return taken;
}

bool MouseSystemPanel::OnScrollLinesChanged(int lines) {
    // Choosing a line count ends page scrolling.
    return OnPageScrollChanged(false, lines);
}

bool MouseSystemPanel::OnDoubleClickChanged(int level) {
    const bool taken = mouse_.SetDoubleClickLevel(level).Ok();
    view_.doubleClickLevel = level;
    return taken;
}

}  // namespace orvane
