#include "mouse/MouseUnits.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace orvane {
namespace {

template <size_t N>
std::optional<int> OptionOf(const std::array<int, N>& values, int value) {
    const auto it = std::find(values.begin(), values.end(), value);
    if (it == values.end()) return std::nullopt;
    return static_cast<int>(it - values.begin());
}

template <size_t N>
int ValueOfOption(const std::array<int, N>& values, int option) {
    return values[option >= 0 && static_cast<size_t>(option) < N ? static_cast<size_t>(option) : 0];
}

}  // namespace

int ResolutionIndexFromCpi(int cpi) {
    if (cpi <= kMinCpi) return 0;
    return std::min((cpi - kMinCpi) / 100, kMaxDpiIndex);
}

std::optional<int> ReportRateOption(int hz) { return OptionOf(kReportRatesHz, hz); }
std::optional<int> LiftOffOption(int mm) { return OptionOf(kLiftOffMm, mm); }
int ReportRateHzOfOption(int option) { return ValueOfOption(kReportRatesHz, option); }
int LiftOffMmOfOption(int option) { return ValueOfOption(kLiftOffMm, option); }

int PointerSpeedForDesktop(int speed) { return std::clamp(speed, kMinPointerSpeed, kMaxPointerSpeed); }

int DoubleClickTimeForLevel(int level, int doubleClickMaximum) {
    const int64_t time = (static_cast<int64_t>(doubleClickMaximum) - level + 1) * 100;
    return static_cast<int>(std::clamp<int64_t>(time, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

int WheelLinesForDesktop(bool pageScroll, int lines) { return pageScroll ? kWheelPageScroll : lines; }

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

bool ApplyDoubleClick(SystemMouseSettings& desktop, int level, int doubleClickMaximum) {
    return desktop.SetDoubleClickTime(DoubleClickTimeForLevel(level, doubleClickMaximum));
}

void ApplyPointerSettings(SystemMouseSettings& desktop, const MouseSystemSettings& settings, int doubleClickMaximum) {
    ApplyPointerSpeed(desktop, settings.MouseSpeed);
    ApplyDoubleClick(desktop, settings.DoubleClickTime, doubleClickMaximum);
    ApplyPointerPrecision(desktop, settings.PointerPrecision);
    ApplyScrolling(desktop, settings.ScorllPage != 0, settings.WheelScorlllinse);
}

}  // namespace orvane
