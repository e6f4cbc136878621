#pragma once
// "updatetime.config" in the user data root: the date of the last update check,
// {"updatelasttime": {"value": "2024-3-7"}}, year-month-day without leading zeros.

#include <string>

namespace orvane::online {

// "<data home>/ORVANE Q730 Gaming Mouse/updatetime.config".
std::string UpdateTimeFilePath();

// Today's local date as "%d-%d-%d".
std::string TodayText();

// The stored date. When the file is missing, unreadable or holds no date text, `today` is stored
// (the file replaced atomically) and returned.
std::string ReadLastCheckDate(const std::string& path, const std::string& today);

// Replaces the file by one holding `date`; false when it could not be written.
bool WriteLastCheckDate(const std::string& path, const std::string& date);

}  // namespace orvane::online
