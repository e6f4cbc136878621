#pragma once
// The mouse page's system panel without its controls: what each control shows, and the
// translation of a control's row, option or text into the mouse core's units. Each On...
// operation is one control notification; afterwards View() says what every control shows.

#include <array>
#include <string>
#include <string_view>

#include "mouse/MouseDevice.h"

namespace orvane {

inline constexpr int kDpiStageRows = kDpiStageCount;
inline constexpr int kDpiEditMaximum = kMaxCpi;
inline constexpr int kReportRateOptions = static_cast<int>(kReportRatesHz.size());
inline constexpr int kLiftOffOptions = static_cast<int>(kLiftOffMm.size());
// The main window's own DPI pair ("vexal_DPI_slider_N", "vexal_DPI_edit_N").
inline constexpr int kMainWindowDpiMinimum = 200;
inline constexpr int kMainWindowDpiMaximum = 6500;

// --- Conversions of the panel's texts ---
// Resolution index n shows as (n + 1) x 100 counts per inch.
std::string DpiTextFromIndex(int index);
// Typed counts per inch to an index: read as a decimal integer (text that is not a number reads
// 0); 100 or less gives 0, otherwise (t - 100) / 100, at most kMaxDpiIndex.
int DpiIndexFromText(std::string_view text);
// The main window's edit: read as an integer, limited to 200..6500; the edit and the slider
// both take the result.
int MainWindowDpiFromText(std::string_view text);
std::string MainWindowDpiText(int sliderValue);

struct DpiRowView {
    bool rowEnabled = false;    // "DPI_layout_N"
    bool checked = false;       // "DPI_enable_check_N" selected
    bool checkEnabled = true;   // "DPI_enable_check_N" enabled; false for the one stage left on
    int sliderValue = 0;        // "DPI_slider_N", 0..159
    std::string editText;       // "DPI_edit_N"
    bool rankSelected = false;  // "DPI_rank_check_N"
    bool operator==(const DpiRowView&) const = default;
};

struct PerformanceView {
    std::array<DpiRowView, kDpiStageRows> dpiRows;
    int reportRateOption = 0;       // the selected "polling_rate_option_N"
    int liftOffOption = 0;          // the selected "Height_rate_option_N"
    bool liftOffSwitch = false;     // "height_click_slider"
    int pointerSpeed = 0;           // "pointer_speed_slider"
    bool pointerPrecision = false;  // "pointer_precision_check"
    bool pageScroll = false;        // "scrolls_page_check"
    int scrollLines = 0;            // "scroll_speed_slider"
    int doubleClickLevel = 0;       // "double_click_slider"
};

class MouseSystemPanel {
public:
    explicit MouseSystemPanel(MouseDevice& mouse) : mouse_(mouse) {}

    // Shows the core's settings: one row per stage it holds (rows beyond them keep their
    // state), the active stage's rank, the options, the lift-off switch and the pointer controls.
    void Show();

    // Device settings, saved and written by the core. False when the notification names no row
    // or option, or would switch off the last stage that is on (nothing changes then).
    bool OnDpiEnableChanged(int row, bool on);
    bool OnDpiRankSelected(int row);
    bool OnDpiSliderMoved(int row, int index);  // shown only: nothing saved or written
    bool OnDpiSliderReleased(int row, int index);
    bool OnDpiEditFinished(int row, std::string_view text);
    bool OnReportRateSelected(int option);
    bool OnLiftOffSelected(int option);

    // Pointer settings, saved and applied to the desktop. False when the desktop did not take
    // the value; the profile keeps it either way.
    bool OnPointerSpeedChanged(int value);
    bool OnPointerPrecisionChanged(bool on);
    bool OnPageScrollChanged(bool on, int sliderLines);
    bool OnScrollLinesChanged(int lines);
    bool OnDoubleClickChanged(int level);

    const PerformanceView& View() const { return view_; }

private:
    static bool IsRow(int row) { return row >= 0 && row < kDpiStageRows; }
    void SetRow(int row, bool on);
    void ApplyLastStageRule();
    void ShowDpiValue(int row, int index);
    void ShowRank(int activeStage);

    MouseDevice& mouse_;
    PerformanceView view_;
};

}  // namespace orvane
