#include "mouse/PerformanceSettings.h"

#include <algorithm>
#include <limits>

#include "profiles/JsonFields.h"

namespace orvane {
namespace {

// Bytes 0..20 of profile 0's block: enough to reach the lift-off byte.
constexpr size_t kLiftOffReadBytes = 21;
static_assert(ConfigBlock::kLiftOff < kLiftOffReadBytes);

uint16_t StoredValue(int value) { return static_cast<uint16_t>(std::clamp(value, 0, 0xFFFF)); }

bool ValidOption(int option, int count) { return option >= 0 && option < count; }

}  // namespace

std::string DpiTextFromIndex(int index) { return std::to_string((index + 1) * 100); }

int DpiIndexFromText(std::string_view text) {
    const int32_t typed = json::ParseDecimal(text);
    if (typed <= 100) return 0;
    return std::min((typed - 100) / 100, kMaxDpiIndex);
}

int PointerSpeedForDesktop(int sliderValue) { return std::clamp(sliderValue, kMinPointerSpeed, kMaxPointerSpeed); }

int DoubleClickTimeForLevel(int level, int sliderMaximum) {
    const int64_t time = (static_cast<int64_t>(sliderMaximum) - level + 1) * 100;
    return static_cast<int>(std::clamp<int64_t>(time, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

int WheelLinesForDesktop(bool pageScroll, int lines) { return pageScroll ? kWheelPageScroll : lines; }

int MainWindowDpiFromText(std::string_view text) {
    return std::clamp<int>(json::ParseDecimal(text), kMainWindowDpiMinimum, kMainWindowDpiMaximum);
}

std::string MainWindowDpiText(int sliderValue) { return std::to_string(sliderValue); }

bool ApplyPointerSpeed(SystemMouseSettings& desktop, int speed) {
    return desktop.SetPointerSpeed(PointerSpeedForDesktop(speed));
}

bool ApplyPointerPrecision(SystemMouseSettings& desktop, int precision) {
    if (precision != 0 && precision != 1) return false;
    return desktop.SetPointerPrecision(precision == 1);
}

bool ApplyScrolling(SystemMouseSettings& desktop, bool pageScroll, int lines) {
    return desktop.SetWheelScrollLines(WheelLinesForDesktop(pageScroll, lines));
}

bool ApplyDoubleClick(SystemMouseSettings& desktop, int level, int sliderMaximum) {
    return desktop.SetDoubleClickTime(DoubleClickTimeForLevel(level, sliderMaximum));
}

void ApplyPointerSettings(SystemMouseSettings& desktop, const MouseSystemSettings& settings, int doubleClickMaximum) {
    ApplyPointerSpeed(desktop, settings.MouseSpeed);
    ApplyDoubleClick(desktop, settings.DoubleClickTime, doubleClickMaximum);
    ApplyPointerPrecision(desktop, settings.PointerPrecision);
    ApplyScrolling(desktop, settings.ScorllPage != 0, settings.WheelScorlllinse);
}

void PerformanceSettings::Show(const std::vector<DpiStage>& stages, int activeStage, const MouseSystemSettings& system) {
    stages_ = stages;
    system_ = system;
    for (int i = 0; i < kDpiStageRows && i < static_cast<int>(stages.size()); ++i) {
        // The check box is the stage's on/off flag, so it shows what the profile says.
        SetRow(i, stages[i].StageActive != 0);
        ShowDpiValue(i, stages[i].StageDPIX);
    }
    for (int i = 0; i < kDpiStageRows; ++i) view_.dpiRows[i].rankSelected = i == activeStage;
    view_.pointerSpeed = system.MouseSpeed;
    view_.pointerPrecision = system.PointerPrecision != 0;
    view_.doubleClickLevel = system.DoubleClickTime;
    view_.pageScroll = system.ScorllPage != 0;
    view_.scrollLines = system.WheelScorlllinse;
    view_.reportRateOption = ValidOption(system.ReportStage, kReportRateOptions) ? system.ReportStage : 0;
    view_.liftOffOption = ValidOption(system.HeightStage, kLiftOffOptions) ? system.HeightStage : 0;
}

bool PerformanceSettings::ShowLiftOffSwitch() {
    std::array<uint8_t, kLiftOffReadBytes> block{};
    if (parts_.channel.ReadParameters(block, 0) != kResultSuccess) return false;
    view_.liftOffSwitch = block[ConfigBlock::kLiftOff] != 0;
    return true;
}

void PerformanceSettings::SetRow(int row, bool on) {
    view_.dpiRows[row].rowEnabled = on;
    view_.dpiRows[row].checked = on;
    ApplyLastStageRule();
}

void PerformanceSettings::ApplyLastStageRule() {
    const auto checked = std::count_if(view_.dpiRows.begin(), view_.dpiRows.end(),
                                       [](const DpiRowView& r) { return r.checked; });
    for (auto& r : view_.dpiRows) r.checkEnabled = !(checked == 1 && r.checked);
}

void PerformanceSettings::ShowDpiValue(int row, int index) {
    const int shown = std::clamp(index, 0, kMaxDpiIndex);
    DpiRowView& r = view_.dpiRows[row];
    r.sliderValue = shown;
    r.editText = DpiTextFromIndex(shown);
    r.rankSelected = row == parts_.profile.GetActiveDpiStage();
}

void PerformanceSettings::SelectRank(int row) {
    for (int i = 0; i < kDpiStageRows; ++i) view_.dpiRows[i].rankSelected = i == row;
}

DpiStage& PerformanceSettings::StageAt(int row) {
    if (static_cast<size_t>(row) >= stages_.size()) stages_.resize(static_cast<size_t>(row) + 1);
    return stages_[row];
}

void PerformanceSettings::StoreStages() { parts_.profile.SetDpiStages(stages_); }

void PerformanceSettings::StoreSystem() { parts_.profile.SetMouseSystemSettings(system_); }

void PerformanceSettings::SaveAndWrite() {
    parts_.profile.SaveProfile();
    WriteDeviceSettings(screen_);
}

int PerformanceSettings::WriteDeviceSettings(const ScreenSize& screen) {
    const uint8_t liftOff = static_cast<uint8_t>(system_.HeightStage & 0xFF);
    return parts_.device.WriteSettings(SettingsFromProfile(parts_.profile, liftOff, 0, screen), 0);
}

bool PerformanceSettings::OnDpiEnableChanged(int row, bool on) {
    if (!IsRow(row)) return false;
    // The last stage that is on cannot be switched off; its check box is disabled for that.
    if (!on && view_.dpiRows[row].checked && !view_.dpiRows[row].checkEnabled) return false;
    SetRow(row, on);
    StageAt(row).StageActive = on ? 1 : 0;
    StoreStages();
    SaveAndWrite();
    return true;
}

bool PerformanceSettings::OnDpiRankSelected(int row) {
    if (!IsRow(row)) return false;
    SelectRank(row);
    parts_.profile.SetActiveDpiStage(row);
    SaveAndWrite();
    return true;
}

bool PerformanceSettings::OnDpiSliderMoved(int row, int index) {
    if (!IsRow(row)) return false;
    ShowDpiValue(row, index);
    return true;
}

void PerformanceSettings::SetStageResolution(int row, int index) {
    const int n = std::clamp(index, 0, kMaxDpiIndex);
    ShowDpiValue(row, n);
    StageAt(row).StageDPIX = static_cast<uint16_t>(n);
    StoreStages();
}

bool PerformanceSettings::OnDpiSliderReleased(int row, int index) {
    if (!IsRow(row)) return false;
    SetStageResolution(row, index);
    SaveAndWrite();
    return true;
}

bool PerformanceSettings::OnDpiEditFinished(int row, std::string_view text) {
    if (!IsRow(row)) return false;
    SetStageResolution(row, DpiIndexFromText(text));
    SaveAndWrite();
    return true;
}

bool PerformanceSettings::OnReportRateSelected(int option) {
    if (!ValidOption(option, kReportRateOptions)) return false;
    view_.reportRateOption = option;
    system_.ReportStage = static_cast<uint16_t>(option);
    StoreSystem();
    SaveAndWrite();
    return true;
}

bool PerformanceSettings::OnLiftOffSelected(int option) {
    if (!ValidOption(option, kLiftOffOptions)) return false;
    view_.liftOffOption = option;
    system_.HeightStage = static_cast<uint16_t>(option);
    StoreSystem();
    SaveAndWrite();
    return true;
}

bool PerformanceSettings::OnPointerSpeedChanged(int value) {
    view_.pointerSpeed = value;
    system_.MouseSpeed = StoredValue(value);
    StoreSystem();
    parts_.profile.SaveProfile();
    return ApplyPointerSpeed(parts_.desktop, value);
}

bool PerformanceSettings::OnPointerPrecisionChanged(bool on) {
    view_.pointerPrecision = on;
    system_.PointerPrecision = on ? 1 : 0;
    StoreSystem();
    parts_.profile.SaveProfile();
    return ApplyPointerPrecision(parts_.desktop, on ? 1 : 0);
}

bool PerformanceSettings::OnPageScrollChanged(bool on, int sliderLines) {
    view_.pageScroll = on;
    view_.scrollLines = sliderLines;
    system_.ScorllPage = on ? 1 : 0;
    system_.WheelScorlllinse = StoredValue(sliderLines);
    StoreSystem();
    parts_.profile.SaveProfile();
    return ApplyScrolling(parts_.desktop, on, sliderLines);
}

bool PerformanceSettings::OnScrollLinesChanged(int lines) {
    // Choosing a line count ends page scrolling.
    return OnPageScrollChanged(false, lines);
}

bool PerformanceSettings::OnDoubleClickChanged(int level) {
    view_.doubleClickLevel = level;
    system_.DoubleClickTime = StoredValue(level);
    StoreSystem();
    parts_.profile.SaveProfile();
    return ApplyDoubleClick(parts_.desktop, level, doubleClickMaximum_);
}

void PerformanceSettings::ApplyPointerSettings() {
    orvane::ApplyPointerSettings(parts_.desktop, system_, doubleClickMaximum_);
}

}  // namespace orvane
