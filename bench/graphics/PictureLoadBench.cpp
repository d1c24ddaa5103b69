// Loading the picture sets: what a start, a style change and a field-size
// change pay. Each iteration loads every set the program has (both border
// styles, the figures and help marks for both fields) from the DATA folder
// beside the program. Besides the time it reports the process's peak
// resident memory and the page faults per load, as reading a picture must
// cost about the picture and not the largest file the loader would accept.
// A program of its own, so that no other benchmark adds to the peak.
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include "PictureSets.h"

using namespace reversi::graphics;

namespace {

rusage Usage() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage;
}

void LoadEveryPictureSet(benchmark::State& state) {
    PictureSets sets;
    const rusage before = Usage();
    for (auto _ : state) {
        for (const int border : {0, 1}) {
            for (const int boardSize : {8, 10}) {
                LoadAllPictures(sets, border, 0, 0, boardSize);
                benchmark::DoNotOptimize(sets.FigureImage.Pixels().data());
            }
        }
    }
    const rusage after = Usage();
    // ru_maxrss is in kilobytes on Linux.
    state.counters["peak_rss_MB"] = static_cast<double>(after.ru_maxrss) / 1024.0;
    state.counters["page_faults_per_load"] =
        benchmark::Counter(static_cast<double>(after.ru_minflt - before.ru_minflt) / 4.0,
                           benchmark::Counter::kAvgIterations);
}
BENCHMARK(LoadEveryPictureSet)->Unit(benchmark::kMillisecond);

}  // namespace
