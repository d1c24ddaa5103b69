// The intro renderer's speed: whole frames as the about box makes them (the
// animation stepped once per frame), and the two biggest steps alone. The
// frame rate is items_per_second; the animation needs 50.
#include <benchmark/benchmark.h>

#include "IntroMotion.h"
#include "IntroRenderer.h"
#include "IntroResources.h"

using namespace reversi::intro;

namespace {

const IntroAssets& Assets() {
    static const IntroAssets assets = LoadIntroAssets();
    return assets;
}

void BM_IntroFrame(benchmark::State& state) {
    IntroRenderer renderer(Assets());
    IntroMotion motion(Assets().ScrollPeriod(), 7);
    for (auto _ : state) {
        motion.Step();
        benchmark::DoNotOptimize(renderer.Render(motion.View()));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_IntroFrame)->Unit(benchmark::kMicrosecond);

void BM_IntroBackground(benchmark::State& state) {
    IntroRenderer renderer(Assets());
    int rot = 0;
    for (auto _ : state) {
        renderer.DrawBackground(rot, 3 << 23, rot << 10, rot << 9);
        rot = (rot + 37) & 32767;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_IntroBackground)->Unit(benchmark::kMicrosecond);

void BM_IntroMesh(benchmark::State& state) {
    IntroRenderer renderer(Assets());
    int gamma = 0;
    for (auto _ : state) {
        renderer.ClearBuffers();
        renderer.DrawMesh(1536, 40, gamma);
        gamma = (gamma + 1) & 2047;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_IntroMesh)->Unit(benchmark::kMicrosecond);

}  // namespace
