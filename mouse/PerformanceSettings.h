#pragma once
// The mouse page's system panel without its controls. Device settings (DPI stages, active
// stage, report rate, lift-off) are saved to the profile and written to the device at every
// change; pointer settings (speed, precision, wheel, double-click) are saved to the profile and
// applied to the desktop, never written to the device. Each On... operation is one control
// notification; afterwards View() says what every control shows.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "mouse/MouseDeviceModel.h"
#include "mouse/MouseProfileBridge.h"
#include "platform/SystemMouseSettings.h"
#include "profiles/CMouseProfiledata.h"

namespace orvane {

inline constexpr int kDpiStageRows = 6;
inline constexpr int kMaxDpiIndex = 159;  // 16000 counts per inch
inline constexpr int kDpiEditMaximum = 16000;
inline constexpr int kReportRateOptions = 5;
inline constexpr int kLiftOffOptions = 2;
inline constexpr int kMinPointerSpeed = 1;
inline constexpr int kMaxPointerSpeed = 20;
// The main window's own DPI pair ("vexal_DPI_slider_N", "vexal_DPI_edit_N").
inline constexpr int kMainWindowDpiMinimum = 200;
inline constexpr int kMainWindowDpiMaximum = 6500;

// What the mouse page's sequences act on; the page owns all four.
struct MousePageParts {
    CMouseProfiledata& profile;
    CommandChannel& channel;
    MouseDeviceModel& device;
    SystemMouseSettings& desktop;
};

// --- Conversions ---
// Resolution index n shows as (n + 1) x 100 counts per inch.
std::string DpiTextFromIndex(int index);
// Typed counts per inch to an index: read as a decimal integer (text that is not a number reads
// 0); 100 or less gives 0, otherwise (t - 100) / 100, at most kMaxDpiIndex.
int DpiIndexFromText(std::string_view text);
int PointerSpeedForDesktop(int sliderValue);  // limited to 1..20
// (slider maximum - level + 1) x 100 milliseconds.
int DoubleClickTimeForLevel(int level, int sliderMaximum);
// kWheelPageScroll with the page flag, else the line count.
int WheelLinesForDesktop(bool pageScroll, int lines);
// The main window's edit: read as an integer, limited to 200..6500; the edit and the slider
// both take the result.
int MainWindowDpiFromText(std::string_view text);
std::string MainWindowDpiText(int sliderValue);

// --- Applying pointer settings to the desktop; false when the desktop refused the value ---
bool ApplyPointerSpeed(SystemMouseSettings& desktop, int speed);
// Only 0 and 1 change anything.
bool ApplyPointerPrecision(SystemMouseSettings& desktop, int precision);
bool ApplyScrolling(SystemMouseSettings& desktop, bool pageScroll, int lines);
bool ApplyDoubleClick(SystemMouseSettings& desktop, int level, int sliderMaximum);
// Pointer speed, double-click time, precision, scrolling: the order profile selection and
// reset apply them in.
void ApplyPointerSettings(SystemMouseSettings& desktop, const MouseSystemSettings& settings, int doubleClickMaximum);

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
    int reportRateOption = 0;  // the selected "polling_rate_option_N"
    int liftOffOption = 0;     // the selected "Height_rate_option_N"
    bool liftOffSwitch = false;  // "height_click_slider"
    int pointerSpeed = 0;        // "pointer_speed_slider"
    bool pointerPrecision = false;  // "pointer_precision_check"
    bool pageScroll = false;        // "scrolls_page_check"
    int scrollLines = 0;            // "scroll_speed_slider"
    int doubleClickLevel = 0;       // "double_click_slider"
};

class PerformanceSettings {
public:
    explicit PerformanceSettings(MousePageParts parts) : parts_(parts) {}

    // The desktop size sent with every settings write of this panel.
    void SetScreenSize(uint16_t width, uint16_t height) { screen_ = {1, width, height}; }
    const ScreenSize& Screen() const { return screen_; }
    // The double-click slider's maximum, from the layout.
    void SetDoubleClickMaximum(int maximum) { doubleClickMaximum_ = maximum; }
    int DoubleClickMaximum() const { return doubleClickMaximum_; }

    // Shows a loaded profile: one row per listed stage (rows beyond the list keep their state),
    // the active stage's rank, the option and pointer controls. Becomes the page's copies.
    void Show(const std::vector<DpiStage>& stages, int activeStage, const MouseSystemSettings& system);
    // The lift-off switch from byte 13 of the device's profile 0 block. False when the read
    // failed; the switch then keeps what it showed.
    bool ShowLiftOffSwitch();

    // Device settings: saved and written (screen flag 1). False when the notification names no
    // row or option, or would switch off the last stage that is on.
    bool OnDpiEnableChanged(int row, bool on);
    bool OnDpiRankSelected(int row);
    bool OnDpiSliderMoved(int row, int index);  // shown only: nothing saved or written
    bool OnDpiSliderReleased(int row, int index);
    bool OnDpiEditFinished(int row, std::string_view text);
    bool OnReportRateSelected(int option);
    bool OnLiftOffSelected(int option);

    // Pointer settings: saved and applied to the desktop. The results say whether the desktop
    // took the value; the profile keeps it either way.
    bool OnPointerSpeedChanged(int value);
    bool OnPointerPrecisionChanged(bool on);
    bool OnPageScrollChanged(bool on, int sliderLines);
    bool OnScrollLinesChanged(int lines);
    bool OnDoubleClickChanged(int level);

    // Every pointer setting of the page's copies, in their order of application.
    void ApplyPointerSettings();
    // WriteSettings(profile 0, active profile 0, `screen`) from the document and the page's
    // lift-off copy. 1 written, 0 skipped.
    int WriteDeviceSettings(const ScreenSize& screen);

    const PerformanceView& View() const { return view_; }
    const std::vector<DpiStage>& DpiStages() const { return stages_; }
    const MouseSystemSettings& SystemSettings() const { return system_; }

private:
    static bool IsRow(int row) { return row >= 0 && row < kDpiStageRows; }
    void SetRow(int row, bool on);
    void ApplyLastStageRule();
    void ShowDpiValue(int row, int index);
    void SelectRank(int row);
    void SetStageResolution(int row, int index);
    DpiStage& StageAt(int row);  // the list grows to row + 1 stages, new ones all zero
    void StoreStages();
    void StoreSystem();
    void SaveAndWrite();

    MousePageParts parts_;
    ScreenSize screen_;
    int doubleClickMaximum_ = 10;
    PerformanceView view_;
    std::vector<DpiStage> stages_;
    MouseSystemSettings system_;
};

}  // namespace orvane
