// One preview turn of each mouse light mode on 6 lights, the effect step included every turn
// (speed 4, the clock 2 ms further per turn), and the paint-side copy of the colours.
#include <benchmark/benchmark.h>

#include "light/LightPreviewState.h"

namespace {

using namespace orvane;

void BM_PreviewTick(benchmark::State& state) {
    const auto mode = static_cast<uint8_t>(state.range(0));
    const bool multi = state.range(1) != 0;
    uint32_t nowMs = 0;
    LightPreviewState preview(6, [&nowMs] { return nowMs += 2; });
    LightInfoRecord s;
    s.light = {mode, 4, 4, 1, static_cast<uint8_t>(multi ? 1 : 0), 255, 255, 255};
    preview.SetLightState(s);
    LedEffectEntry wave;
    wave.light.mode = 4;
    wave.light.brightness = 4;
    wave.light.speed = 4;
    wave.Time = 1000;
    LedEffectEntry breathe = wave;
    breathe.light.mode = 0;
    preview.SetCustomSteps({wave, breathe});
    for (auto _ : state) {
        preview.Tick();
        benchmark::DoNotOptimize(preview.ColorsVersion());
    }
}
// Modes 0-8 and a custom effect (12), single colour and colourful.
BENCHMARK(BM_PreviewTick)->ArgsProduct({{0, 1, 2, 3, 4, 5, 6, 7, 8, 12}, {0, 1}})->ArgNames({"mode", "multi"});

void BM_PaintCopy(benchmark::State& state) {
    LightPreviewState preview(6);
    for (auto _ : state) {
        auto snapshot = preview.LightColors();
        benchmark::DoNotOptimize(snapshot);
    }
}
BENCHMARK(BM_PaintCopy);

}  // namespace

BENCHMARK_MAIN();
