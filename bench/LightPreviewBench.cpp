// The preview turns of each mouse light mode on 6 lights at speed 4 (an effect step every turn):
// one turn, and one frame's worth at 60 frames a second (8 turns); and the paint-side copy of
// the colours.
#include <benchmark/benchmark.h>

#include "light/LightPreviewState.h"

namespace {

using namespace orvane;

void BM_PreviewTurns(benchmark::State& state) {
    const auto mode = static_cast<uint8_t>(state.range(0));
    const bool multi = state.range(1) != 0;
    const auto turns = static_cast<uint32_t>(state.range(2));
    LightPreviewState preview(6, 0);
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
        preview.AdvanceTurns(turns);
        benchmark::DoNotOptimize(preview.ColorsVersion());
    }
}
// Modes 0-8 and a custom effect (12), single colour and colourful.
BENCHMARK(BM_PreviewTurns)
    ->ArgsProduct({{0, 1, 2, 3, 4, 5, 6, 7, 8, 12}, {0, 1}, {1, 8}})
    ->ArgNames({"mode", "multi", "turns"});

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
