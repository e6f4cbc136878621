// `orvanectl dpi|rate|lod`: the system panel's device settings on the selected profile; each
// change is saved to the profile and written to the mouse, as the panel does.
#include <cstdio>
#include <algorithm>
#include <cstdlib>

#include "tools/orvanectl/Commands.h"
#include "tools/orvanectl/MouseSession.h"

namespace orvane::tool {
namespace {

constexpr int kReportRatesHz[kReportRateOptions] = {125, 250, 500, 1000, 2000};
constexpr int kLiftOffMm[kLiftOffOptions] = {1, 2};

bool ParseNumber(const std::string& text, int& value) {
    char* end = nullptr;
    long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || v < 0 || v > 100000) return false;
    value = static_cast<int>(v);
    return true;
}

template <size_t N>
int OptionOf(const int (&values)[N], int value) {
    for (size_t i = 0; i < N; ++i)
        if (values[i] == value) return static_cast<int>(i);
    return -1;
}

void PrintStages(const MouseSession& s) {
    const PerformanceView& v = s.performance.View();
    const size_t stages = std::min(v.dpiRows.size(), s.performance.DpiStages().size());
    for (size_t row = 0; row < stages; ++row) {
        const DpiRowView& r = v.dpiRows[row];
        std::printf("stage %zu  %-3s %6s cpi%s\n", row, r.checked ? "on" : "off", r.editText.c_str(),
                    r.rankSelected ? "  (active)" : "");
    }
    std::printf("report rate %d Hz, lift-off %d mm\n", kReportRatesHz[v.reportRateOption % kReportRateOptions],
                kLiftOffMm[v.liftOffOption % kLiftOffOptions]);
}

// Runs one panel change on a fresh session and reports the write.
template <typename Change>
int Apply(const GlobalOptions& options, Change change, const std::string& refused) {
    ProfileList list = OpenMouseProfileList();
    int code = kExitOk;
    auto session = OpenMouseSession(options, list, code);
    if (!session) return code;
    if (!change(*session)) return Fail(kExitUsage, refused);
    if (const auto& f = session->device.LastFailure(); f.command != nullptr) return NotAnswering(f.command, f.result, f.detail);
    PrintStages(*session);
    return kExitOk;
}

}  // namespace

int DpiCommand(const GlobalOptions& options, const Args& args) {
    constexpr const char* kUsage = "usage: orvanectl dpi | dpi STAGE CPI | dpi STAGE on|off | dpi active STAGE";
    if (args.empty()) return Apply(options, [](MouseSession&) { return true; }, "");
    int stage = 0;
    if (args.size() == 2 && args[0] == "active") {
        if (!ParseNumber(args[1], stage)) return Fail(kExitUsage, kUsage);
        return Apply(options, [stage](MouseSession& s) { return s.performance.OnDpiRankSelected(stage); },
                     "stage " + args[1] + " cannot be made active (no such stage)");
    }
    if (args.size() != 2 || !ParseNumber(args[0], stage)) return Fail(kExitUsage, kUsage);
    if (args[1] == "on" || args[1] == "off") {
        const bool on = args[1] == "on";
        return Apply(options, [stage, on](MouseSession& s) { return s.performance.OnDpiEnableChanged(stage, on); },
                     "stage " + args[0] + " cannot be switched " + args[1] + " (no such stage, or the last one on)");
    }
    int cpi = 0;
    // The panel's own conversion rounds down to a step of 100, as typing into its edit does.
    if (!ParseNumber(args[1], cpi) || cpi < 100 || cpi > kDpiEditMaximum)
        return Fail(kExitUsage, "the resolution is 100 to 16000 cpi (rounded down to a step of 100)");
    const std::string text = args[1];
    return Apply(options, [stage, text](MouseSession& s) { return s.performance.OnDpiEditFinished(stage, text); },
                 "no stage " + args[0]);
}

int RateCommand(const GlobalOptions& options, const Args& args) {
    int hz = 0;
    const int option = args.size() == 1 && ParseNumber(args[0], hz) ? OptionOf(kReportRatesHz, hz) : -1;
    if (option < 0) return Fail(kExitUsage, "usage: orvanectl rate 125|250|500|1000|2000");
    return Apply(options, [option](MouseSession& s) { return s.performance.OnReportRateSelected(option); }, "");
}

int LodCommand(const GlobalOptions& options, const Args& args) {
    int mm = 0;
    const int option = args.size() == 1 && ParseNumber(args[0], mm) ? OptionOf(kLiftOffMm, mm) : -1;
    if (option < 0) return Fail(kExitUsage, "usage: orvanectl lod 1|2   (lift-off distance in mm)");
    return Apply(options, [option](MouseSession& s) { return s.performance.OnLiftOffSelected(option); }, "");
}

}  // namespace orvane::tool
