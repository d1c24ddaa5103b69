// The computer opponent's search on fixed suites of middle-game positions
// (seeded random play from the start), for both field sizes and both engines
// at depths 5, 7 and 9: the plain reference search and the search the game
// uses, one after the other on each position. Each search of a position is
// one benchmark (time per search, nodes, nodes per second, answer); a summary
// per case sets the two side by side at the end, followed by how long a stop
// request takes to end a deep search.
//
//   search_bench            all depths
//   search_bench --quick    depth 5 only, well under a minute
// Other arguments go to Google Benchmark (e.g. --benchmark_filter=10x10).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "RandomPositions.h"
#include "Search.h"
#include "SearchTable.h"

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

// The two searches measured.
struct Searcher {
    const char* name;
    SearchResult (*run)(const SearchInput&, const std::atomic<bool>*);
};
constexpr Searcher Reference{"Reference", ReferenceSearch};
constexpr Searcher Fast{"Search", RunSearch};

// Results per searcher and case ("Search/10x10/Advanced/depth:9"); the
// cases in registration order.
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
            const auto p =
                RandomPosition(n, seed * 7919u + static_cast<std::uint32_t>(moves), moves);
            if (p.GameOver || p.MovesPlayed != moves) continue;
            SearchInput in;
            in.BoardSize = n;
            in.Position = p.Board;
            in.SideToMove = p.SideToMove;
            if (ReferenceSearch([&] {
                    auto i = in;
                    i.Depth = 1;
                    return i;
                }())
                    .Move == PassMove)
                continue;
            out.push_back({moves, seed, in});
            ++found;
        }
    }
    return out;
}

void RunOne(benchmark::State& state, const Searcher& searcher, const std::string& caseName,
            const Position& pos) {
    SearchResult r;
    std::uint64_t searches = 0;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        r = searcher.run(pos.input, nullptr);
        benchmark::DoNotOptimize(r);
        ++searches;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.counters["nodes"] = static_cast<double>(r.Nodes);
    state.counters["nodes/s"] = benchmark::Counter(
        static_cast<double>(r.Nodes) * static_cast<double>(searches), benchmark::Counter::kIsRate);
    state.counters["answer"] = r.Move;
    state.SetLabel(r.Move == PassMove ? "pass" : SquareName(r.Move, pos.input.BoardSize));
    Measure m;
    m.position = "move " + std::to_string(pos.moves) + " seed " + std::to_string(pos.seed);
    m.msPerSearch = searches ? 1000.0 * seconds / static_cast<double>(searches) : 0;
    m.nodes = r.Nodes;
    m.answer = r.Move;
    // Google Benchmark may run a function more than once while it sizes the
    // iteration count; keep the last run.
    auto& list = results[std::string(searcher.name) + "/" + caseName];
    auto it = std::find_if(list.begin(), list.end(),
                           [&](const Measure& x) { return x.position == m.position; });
    if (it != list.end())
        *it = m;
    else
        list.push_back(m);
}

void Register(bool quick) {
    const std::vector<int> depths = quick ? std::vector<int>{5} : std::vector<int>{5, 7, 9};
    for (int n : {8, 10}) {
        const auto suite = Suite(n);
        for (bool advanced : {false, true})
            for (int depth : depths) {
                const std::string caseName = std::to_string(n) + "x" + std::to_string(n) + "/" +
                                             (advanced ? "Advanced" : "Normal") +
                                             "/depth:" + std::to_string(depth);
                caseOrder.push_back(caseName);
                for (const auto& p : suite) {
                    Position pos = p;
                    pos.input.Depth = depth;
                    pos.input.AdvancedEngine = advanced;
                    // Both searches on the same position, one right after
                    // the other, so that both see the same load.
                    for (const Searcher* searcher : {&Reference, &Fast}) {
                        const std::string name = std::string(searcher->name) + "/" + caseName +
                                                 "/move:" + std::to_string(p.moves) +
                                                 "/seed:" + std::to_string(p.seed);
                        auto* b = benchmark::RegisterBenchmark(
                            name.c_str(), [searcher, caseName, pos](benchmark::State& s) {
                                RunOne(s, *searcher, caseName, pos);
                            });
                        b->Unit(benchmark::kMillisecond);
                        if (quick) b->MinTime(0.05);
                        if (depth >= 9) b->Iterations(searcher == &Reference ? 1 : 3);
                    }
                }
            }
    }
}

struct Summary {
    std::size_t positions = 0;
    double median = 0, worst = 0;
    std::string worstPosition;
    std::uint64_t nodes = 0;
    std::vector<int> answers;
};

Summary Summarise(const std::vector<Measure>& list) {
    Summary s;
    s.positions = list.size();
    if (list.empty()) return s;
    std::vector<double> ms;
    for (const auto& m : list) {
        ms.push_back(m.msPerSearch);
        s.nodes += m.nodes;
        s.answers.push_back(m.answer);
    }
    std::sort(ms.begin(), ms.end());
    s.median = ms.size() % 2 ? ms[ms.size() / 2] : (ms[ms.size() / 2 - 1] + ms[ms.size() / 2]) / 2;
    const auto worst = std::max_element(
        list.begin(), list.end(),
        [](const Measure& a, const Measure& b) { return a.msPerSearch < b.msPerSearch; });
    s.worst = worst->msPerSearch;
    s.worstPosition = worst->position;
    return s;
}

double Ratio(double a, double b) { return b > 0 ? a / b : 0; }

void PrintSummary() {
    std::printf(
        "\nSummary per case: milliseconds per search (median, worst), total nodes; the reference "
        "search, "
        "the game's search, and how many times faster the game's search is\n");
    std::printf("%-22s %3s | %9s %9s %11s | %8s %8s %10s | %6s %6s %6s | %-7s %s\n", "case", "pos",
                "ref med", "ref worst", "ref nodes", "med", "worst", "nodes", "x med", "x worst",
                "x nodes", "answers", "worst position (reference / game)");
    for (const auto& name : caseOrder) {
        const Summary ref = Summarise(results["Reference/" + name]);
        const Summary fast = Summarise(results["Search/" + name]);
        if (ref.positions == 0 && fast.positions == 0) continue;
        std::printf(
            "%-22s %3zu | %9.2f %9.2f %11llu | %8.2f %8.2f %10llu | %6.2f %6.2f %6.2f | %-7s %s / "
            "%s\n",
            name.c_str(), fast.positions, ref.median, ref.worst,
            static_cast<unsigned long long>(ref.nodes), fast.median, fast.worst,
            static_cast<unsigned long long>(fast.nodes), Ratio(ref.median, fast.median),
            Ratio(ref.worst, fast.worst),
            Ratio(static_cast<double>(ref.nodes), static_cast<double>(fast.nodes)),
            ref.answers == fast.answers ? "same" : "DIFFER", ref.worstPosition.c_str(),
            fast.worstPosition.c_str());
    }
    std::printf(
        "\nThe game's search keeps one table of visited positions per running search: %.1f MB.\n",
        static_cast<double>(SearchTable::Bytes()) / (1024.0 * 1024.0));
}

// How long a depth-9 search on 10 x 10 (mobility term on) takes to return
// once a stop is requested 10 ms after its start, over a few positions.
void PrintStopLatency() {
    double worst = 0;
    int measured = 0;
    for (std::uint32_t seed = 1; seed <= 10; ++seed) {
        const auto p = RandomPosition(10, seed, 30);
        SearchInput in;
        in.BoardSize = 10;
        in.Position = p.Board;
        in.SideToMove = p.SideToMove;
        in.Depth = 9;
        in.AdvancedEngine = true;
        std::atomic<bool> stop{false};
        std::atomic<bool> done{false};
        std::chrono::steady_clock::time_point end;
        std::thread t([&] {
            RunSearch(in, &stop);
            end = std::chrono::steady_clock::now();
            done = true;
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        const bool early = done.load();
        const auto asked = std::chrono::steady_clock::now();
        stop = true;
        t.join();
        if (early) continue;  // finished before the request: nothing to measure
        worst = std::max(worst, std::chrono::duration<double, std::milli>(end - asked).count());
        ++measured;
    }
    std::printf(
        "Stop request during a depth-9 search on 10 x 10: worst %.3f ms until it returned (%d "
        "searches).\n",
        worst, measured);
}

}  // namespace

int main(int argc, char** argv) {
    bool quick = false;
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0)
            quick = true;
        else
            args.push_back(argv[i]);
    }
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
    Register(quick);
    // The first search creates the table; that one-time cost is no part of
    // any position's time.
    RunSearch(SearchInput{});
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PrintSummary();
    PrintStopLatency();
    return 0;
}
