// The computer opponent's search on fixed suites of middle-game positions
// (seeded random play from the start), for both field sizes and both engines
// at depths 5, 7 and 9. Each position is one benchmark (time per search,
// nodes, nodes per second, answer); a summary per case follows at the end.
//
//   search_bench            all depths
//   search_bench --quick    depth 5 only, well under a minute
// Other arguments go to Google Benchmark (e.g. --benchmark_filter=10x10).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "RandomPositions.h"
#include "Search.h"

using namespace reversi;

namespace {

struct Position {
    int moves;
    std::uint32_t seed;
    SearchInput input;
};

struct Measure {
    std::string position;
    double msPerSearch = 0;
    std::uint64_t nodes = 0;
    int answer = PassMove;
};

// Results per case ("10x10/Advanced/depth:9"), in registration order.
std::vector<std::string> caseOrder;
std::map<std::string, std::vector<Measure>> results;

// A few positions from each of moves 10 to 70 (10 x 10) or 10 to 50
// (8 x 8, whose games end by move 60), the side to move having a move.
std::vector<Position> Suite(int n) {
    std::vector<Position> out;
    const int lastMoves = n == 8 ? 50 : 70;
    for (int moves = 10; moves <= lastMoves; moves += 10) {
        int found = 0;
        for (std::uint32_t seed = 1; found < 2 && seed < 100; ++seed) {
            const auto p = RandomPosition(n, seed * 7919u + static_cast<std::uint32_t>(moves), moves);
            if (p.GameOver || p.MovesPlayed != moves) continue;
            SearchInput in;
            in.BoardSize = n;
            in.Position = p.Board;
            in.SideToMove = p.SideToMove;
            if (RunSearch([&] { auto i = in; i.Depth = 1; return i; }()).Move == PassMove) continue;
            out.push_back({moves, seed, in});
            ++found;
        }
    }
    return out;
}

void RunOne(benchmark::State& state, const std::string& caseName, const Position& pos) {
    SearchResult r;
    std::uint64_t searches = 0;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        r = RunSearch(pos.input);
        benchmark::DoNotOptimize(r);
        ++searches;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.counters["nodes"] = static_cast<double>(r.Nodes);
    state.counters["nodes/s"] = benchmark::Counter(static_cast<double>(r.Nodes) * static_cast<double>(searches),
                                                   benchmark::Counter::kIsRate);
    state.counters["answer"] = r.Move;
    state.SetLabel(r.Move == PassMove ? "pass" : SquareName(r.Move, pos.input.BoardSize));
    Measure m;
    m.position = "move " + std::to_string(pos.moves) + " seed " + std::to_string(pos.seed);
    m.msPerSearch = searches ? 1000.0 * seconds / static_cast<double>(searches) : 0;
    m.nodes = r.Nodes;
    m.answer = r.Move;
    // Google Benchmark may run a function more than once while it sizes the
    // iteration count; keep the last run.
    auto& list = results[caseName];
    auto it = std::find_if(list.begin(), list.end(), [&](const Measure& x) { return x.position == m.position; });
    if (it != list.end()) *it = m;
    else list.push_back(m);
}

void Register(bool quick) {
    const std::vector<int> depths = quick ? std::vector<int>{5} : std::vector<int>{5, 7, 9};
    for (int n : {8, 10}) {
        const auto suite = Suite(n);
        for (bool advanced : {false, true})
            for (int depth : depths) {
                const std::string caseName = std::to_string(n) + "x" + std::to_string(n) + "/" +
                                             (advanced ? "Advanced" : "Normal") + "/depth:" +
                                             std::to_string(depth);
                caseOrder.push_back(caseName);
                for (const auto& p : suite) {
                    Position pos = p;
                    pos.input.Depth = depth;
                    pos.input.AdvancedEngine = advanced;
                    const std::string name = "Search/" + caseName + "/move:" + std::to_string(p.moves) +
                                             "/seed:" + std::to_string(p.seed);
                    auto* b = benchmark::RegisterBenchmark(name.c_str(), [caseName, pos](benchmark::State& s) {
                        RunOne(s, caseName, pos);
                    });
                    b->Unit(benchmark::kMillisecond);
                    if (quick) b->MinTime(0.05);
                    if (depth >= 9) b->Iterations(1);
                }
            }
    }
}

void PrintSummary() {
    std::printf("\nSummary per case: median and worst milliseconds per search, total nodes, nodes per second\n");
    std::printf("%-24s %4s %10s %10s  %-22s %14s %12s  %s\n", "case", "pos", "median ms", "worst ms",
                "worst position", "nodes", "Mnodes/s", "answers");
    for (const auto& name : caseOrder) {
        auto list = results[name];
        if (list.empty()) continue;
        std::vector<double> ms;
        double totalMs = 0;
        std::uint64_t nodes = 0;
        std::string answers;
        const int n = name[0] == '8' ? 8 : 10;
        for (const auto& m : list) {
            ms.push_back(m.msPerSearch);
            totalMs += m.msPerSearch;
            nodes += m.nodes;
            answers += (answers.empty() ? "" : " ") + (m.answer == PassMove ? std::string("pass") : SquareName(m.answer, n));
        }
        std::sort(ms.begin(), ms.end());
        const double median = ms.size() % 2 ? ms[ms.size() / 2] : (ms[ms.size() / 2 - 1] + ms[ms.size() / 2]) / 2;
        const auto worst = std::max_element(list.begin(), list.end(),
                                            [](const Measure& a, const Measure& b) { return a.msPerSearch < b.msPerSearch; });
        std::printf("%-24s %4zu %10.3f %10.3f  %-22s %14llu %12.2f  %s\n", name.c_str(), list.size(), median,
                    worst->msPerSearch, worst->position.c_str(), static_cast<unsigned long long>(nodes),
                    totalMs > 0 ? static_cast<double>(nodes) / totalMs / 1000.0 : 0.0, answers.c_str());
    }
}

}  // namespace

int main(int argc, char** argv) {
    bool quick = false;
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0) quick = true;
        else args.push_back(argv[i]);
    }
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
    Register(quick);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PrintSummary();
    return 0;
}
