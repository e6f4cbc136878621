#pragma once
// The mouse's settings in the user's units and the values its memories and the desktop take.

#include <array>
#include <optional>
#include <string>

#include "platform/SystemMouseSettings.h"
#include "profiles/ProfileRecords.h"

namespace orvane {

inline constexpr int kDpiStageCount = 6;
inline constexpr int kMaxDpiIndex = 159;  // 16000 counts per inch
inline constexpr int kMinCpi = 100;
inline constexpr int kMaxCpi = 16000;
// Report rate option n of the settings record, in Hz.
inline constexpr std::array<int, 5> kReportRatesHz{125, 250, 500, 1000, 2000};
// Lift-off option n, in millimetres.
inline constexpr std::array<int, 2> kLiftOffMm{1, 2};
inline constexpr int kMinPointerSpeed = 1;
inline constexpr int kMaxPointerSpeed = 20;

// Counts per inch to a resolution index: 100 or less gives 0, otherwise (cpi - 100) / 100, at
// most kMaxDpiIndex (so 1650 is stored as 1600).
int ResolutionIndexFromCpi(int cpi);
inline int CpiFromResolutionIndex(int index) { return (index + 1) * 100; }

// The option holding a rate or a distance; nullopt for a value the mouse does not offer.
std::optional<int> ReportRateOption(int hz);
std::optional<int> LiftOffOption(int mm);
// The Hz / mm of a stored option; an option the mouse does not offer reads as option 0.
int ReportRateHzOfOption(int option);
int LiftOffMmOfOption(int option);

// --- The desktop side of the pointer settings ---
int PointerSpeedForDesktop(int speed);  // limited to 1..20
// (double-click maximum - level + 1) x 100 milliseconds.
int DoubleClickTimeForLevel(int level, int doubleClickMaximum);
// kWheelPageScroll with the page flag, else the line count.
int WheelLinesForDesktop(bool pageScroll, int lines);

// False when the desktop refused the value.
bool ApplyPointerSpeed(SystemMouseSettings& desktop, int speed);
bool ApplyPointerPrecision(SystemMouseSettings& desktop, int precision);  // only 0 and 1 change anything
bool ApplyScrolling(SystemMouseSettings& desktop, bool pageScroll, int lines);
bool ApplyDoubleClick(SystemMouseSettings& desktop, int level, int doubleClickMaximum);
// Pointer speed, double-click time, precision, scrolling: the order a profile selection and a
// reset apply them in.
void ApplyPointerSettings(SystemMouseSettings& desktop, const MouseSystemSettings& settings, int doubleClickMaximum);

}  // namespace orvane
