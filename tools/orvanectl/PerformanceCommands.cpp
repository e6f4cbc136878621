// `orvanectl dpi|rate|lod`: the mouse's device settings on the selected profile, in the user's
// units; each change is saved to the profile and written to the mouse.
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "tools/orvanectl/Commands.h"
#include "tools/orvanectl/MouseSession.h"

namespace orvane::tool {
namespace {

bool ParseNumber(const std::string& text, int& value) {
    char* end = nullptr;
    long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || v < 0 || v > 100000) return false;
    value = static_cast<int>(v);
    return true;
}

void PrintStages(const MouseDevice& mouse) {
    const std::vector<DpiStage>& stages = mouse.DpiStages();
    for (size_t stage = 0; stage < stages.size() && stage < static_cast<size_t>(kDpiStageCount); ++stage) {
        std::printf("stage %zu  %-3s %6d cpi%s\n", stage, stages[stage].StageActive != 0 ? "on" : "off",
                    CpiFromResolutionIndex(stages[stage].StageDPIX),
                    static_cast<int>(stage) == mouse.ActiveStage() ? "  (active)" : "");
    }
    std::printf("report rate %d Hz, lift-off %d mm\n", mouse.ReportRateHz(), mouse.LiftOffMm());
}

// Runs one change on a fresh session and reports it.
int Apply(const GlobalOptions& options, const std::function<DeviceOutcome(MouseDevice&)>& change) {
    ProfileList list = OpenMouseProfileList();
    int code = kExitOk;
    auto session = OpenMouseSession(options, list, code);
    if (!session) return code;
    if (int r = OutcomeResult(change(session->mouse)); r != kExitOk) return r;
    PrintStages(session->mouse);
    return kExitOk;
}

}  // namespace

int DpiCommand(const GlobalOptions& options, const Args& args) {
    constexpr const char* kUsage = "usage: orvanectl dpi | dpi STAGE CPI | dpi STAGE on|off | dpi active STAGE";
    if (args.empty()) return Apply(options, [](MouseDevice&) { return DeviceOutcome::Done(); });
    int stage = 0;
    if (args.size() == 2 && args[0] == "active") {
        if (!ParseNumber(args[1], stage)) return Fail(kExitUsage, kUsage);
        return Apply(options, [stage](MouseDevice& m) { return m.SetActiveStage(stage); });
    }
    if (args.size() != 2 || !ParseNumber(args[0], stage)) return Fail(kExitUsage, kUsage);
    if (args[1] == "on" || args[1] == "off") {
        const bool on = args[1] == "on";
        return Apply(options, [stage, on](MouseDevice& m) { return m.SetStageEnabled(stage, on); });
    }
    int cpi = 0;
    if (!ParseNumber(args[1], cpi) || cpi < kMinCpi || cpi > kMaxCpi)
        return Fail(kExitUsage, "the resolution is 100 to 16000 cpi (rounded down to a step of 100)");
    return Apply(options, [stage, cpi](MouseDevice& m) { return m.SetDpi(stage, cpi); });
}

int RateCommand(const GlobalOptions& options, const Args& args) {
    int hz = 0;
    if (args.size() != 1 || !ParseNumber(args[0], hz) || !ReportRateOption(hz))
        return Fail(kExitUsage, "usage: orvanectl rate 125|250|500|1000|2000");
    return Apply(options, [hz](MouseDevice& m) { return m.SetReportRateHz(hz); });
}

int LodCommand(const GlobalOptions& options, const Args& args) {
    int mm = 0;
    if (args.size() != 1 || !ParseNumber(args[0], mm) || !LiftOffOption(mm))
        return Fail(kExitUsage, "usage: orvanectl lod 1|2   (lift-off distance in mm)");
    return Apply(options, [mm](MouseDevice& m) { return m.SetLiftOffMm(mm); });
}

}  // namespace orvane::tool
