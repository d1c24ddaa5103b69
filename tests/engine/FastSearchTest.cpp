// The fast search (RunSearch) against the plain reference search
// (ReferenceSearch): the same answer on many seeded random positions, at
// every depth, level and engine on both field sizes; the root's window rules
// with the inverted values of level "0-baby"; stop requests; the bit-mask
// moves and flips against the byte board.
//
// REVERSI_SEARCH_COMPARE_POSITIONS=n sets the number of random positions per
// field size and level (fewer are used under the sanitizers by default).
#include <gtest/gtest.h>

#include "SearchInputs.h"

#include <time.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <random>
#include <string>
#include <thread>
#include <tuple>
#include <type_traits>
#include <vector>

#include "EngineUnit.h"
#include "RandomPositions.h"
#include "RulesCore.h"
#include "SearchBits.h"

using namespace reversi;
using namespace std::chrono_literals;

namespace {

// AddressSanitizer or ThreadSanitizer: several times slower.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool Sanitized = true;
#else
constexpr bool Sanitized = false;
#endif

// Random positions per field size and level. The inverted values of level
// "0-baby" prune poorly in the reference search, so it gets fewer.
int PositionCount(int n, bool baby) {
    if (const char* s = std::getenv("REVERSI_SEARCH_COMPARE_POSITIONS"))
        return std::max(1, std::atoi(s));
    if (Sanitized) return baby ? 1 : 4;
    return baby ? (n == 8 ? 16 : 5) : 60;
}

using test::Input;

tBoard EmptyBoard(int n) {
    tBoard b{};
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y) b[SquareIndex(x, y, n)] = CellEmpty;
    return b;
}

std::vector<int> LegalSquares(const SearchInput& in) {
    std::vector<int> out;
    for (int s = 0; s < 144; ++s)
        if (IsPlayingSquare(s, in.BoardSize) &&
            (in.BoardSize == 8 ? CanMove8 : CanMove10)(in.Position, s, in.SideToMove,
                                                       Opponent(in.SideToMove)))
            out.push_back(s);
    return out;
}

std::string Describe(const SearchInput& in, const std::string& what) {
    return what + " size " + std::to_string(in.BoardSize) + " depth " + std::to_string(in.Depth) +
           (in.BabyLevel ? " baby" : "") + (in.AdvancedEngine ? " advanced" : "");
}

// Both searches on one input. The answers must be equal, and the scores
// too where the reference's score lies inside its window. Returns false
// when they differ.
bool SameAnswer(const SearchInput& in, const std::string& what) {
    const auto ref = ReferenceSearch(in);
    const auto fast = RunSearch(in);
    const std::string where = Describe(in, what);
    EXPECT_FALSE(fast.Stopped) << where;
    if (ref.Move == PassMove && !LegalSquares(in).empty()) {
        // The reference passes with a legal square only when every square's
        // value lies at or below its window; the fast search plays then.
        EXPECT_LE(ref.Score, -32767) << where;
        EXPECT_NE(fast.Move, PassMove) << where;
        return ref.Score <= -32767 && fast.Move != PassMove;
    }
    EXPECT_EQ(fast.Move, ref.Move) << where;
    if (ref.Score > -32767 && ref.Score < 32767) {
        EXPECT_EQ(fast.Score, ref.Score) << where;
    }
    return fast.Move == ref.Move;
}

// Random games stopped after a number of moves spread over the whole game,
// so that passes and finished games occur below the root.
std::vector<PlayedPosition> Positions(int n, int count, std::uint32_t seed0) {
    std::vector<PlayedPosition> out;
    const auto squares = static_cast<std::uint32_t>(n * n - 4);
    for (int k = 0; k < count; ++k) {
        const std::uint32_t seed = seed0 + static_cast<std::uint32_t>(k);
        const int moves = 4 + static_cast<int>((seed * 2654435761u) % (squares - 4));
        out.push_back(RandomPosition(n, seed, moves));
    }
    return out;
}

// Field size, level "0-baby", engine "Advanced".
using Variant = std::tuple<int, bool, bool>;

class FastSearchCompare : public ::testing::TestWithParam<Variant> {};

}  // namespace

TEST_P(FastSearchCompare, SameAnswersAsTheReferenceAtDepthsOneToSeven) {
    const auto [n, baby, advanced] = GetParam();
    const std::uint32_t seed0 =
        1000u * static_cast<std::uint32_t>(n) + (baby ? 500u : 0u) + (advanced ? 250u : 0u);
    // Under the sanitizers the deepest searches of level "0-baby" take too long.
    const int maxDepth = Sanitized && baby ? 6 : 7;
    for (const auto& p : Positions(n, PositionCount(n, baby), seed0))
        for (int depth = 1; depth <= maxDepth; ++depth) {
            const auto in = Input(p.Board, p.SideToMove, depth, baby, advanced, n);
            ASSERT_TRUE(SameAnswer(in, "moves " + std::to_string(p.MovesPlayed)));
        }
}

TEST_P(FastSearchCompare, SameAnswersAsTheReferenceOnStrewnBoards) {
    // Discs strewn at random, centre squares included: many passes and
    // finished games, boards whose only moves are centre squares (never
    // tried), taken and empty corners in every combination.
    const auto [n, baby, advanced] = GetParam();
    std::mt19937 rng(91u + static_cast<unsigned>(n) + (baby ? 7u : 0u) + (advanced ? 3u : 0u));
    const int boards = Sanitized ? 6 : 40;
    for (int k = 0; k < boards; ++k) {
        tBoard b = EmptyBoard(n);
        const unsigned density = 2 + static_cast<unsigned>(k) % 6;
        for (int x = 0; x < n; ++x)
            for (int y = 0; y < n; ++y) {
                const auto r = static_cast<unsigned>(rng() % 10);
                if (r < density) b[SquareIndex(x, y, n)] = r % 2 ? CellWhite : CellBlack;
            }
        for (int depth = 1; depth <= 5; ++depth) {
            const auto in = Input(b, k % 2 ? CellWhite : CellBlack, depth, baby, advanced, n);
            ASSERT_TRUE(SameAnswer(in, "strewn " + std::to_string(k)));
        }
    }
}

TEST_P(FastSearchCompare, SameAnswersAsTheReferenceAtDepthsEightAndNine) {
    // A sample: the reference search is slow there, most of all with the
    // inverted values of level "0-baby" (only depth 8 on 8 x 8 there).
    const auto [n, baby, advanced] = GetParam();
    if (Sanitized) GTEST_SKIP() << "too slow under the sanitizers";
    const int count = baby ? 1 : 2;
    const std::uint32_t seed0 =
        7000u * static_cast<std::uint32_t>(n) + (baby ? 500u : 0u) + (advanced ? 250u : 0u);
    for (const auto& p : Positions(n, count, seed0))
        for (int depth : {8, 9}) {
            if (baby && (n == 10 || depth == 9)) continue;
            const auto in = Input(p.Board, p.SideToMove, depth, baby, advanced, n);
            ASSERT_TRUE(SameAnswer(in, "moves " + std::to_string(p.MovesPlayed)));
        }
}

namespace {
std::string VariantName(const ::testing::TestParamInfo<Variant>& info) {
    const int n = std::get<0>(info.param);
    return std::to_string(n) + "x" + std::to_string(n) + (std::get<1>(info.param) ? "Baby" : "") +
           (std::get<2>(info.param) ? "Advanced" : "Normal");
}
}  // namespace

INSTANTIATE_TEST_SUITE_P(AllLevels, FastSearchCompare,
                         ::testing::Combine(::testing::Values(8, 10), ::testing::Bool(),
                                            ::testing::Bool()),
                         VariantName);

namespace {

// A 10 x 10 board on which white holds every square of negative weight and
// black every square of positive weight (the corner table, corners taken by
// black), with the squares of weight 0 and a few others left empty: the
// evaluations are far below zero for white and far above for black, so the
// inverted values of level "0-baby" leave the root's window.
tBoard LopsidedBoard() {
    tBoard b = EmptyBoard(10);
    for (int x = 0; x < 10; ++x)
        for (int y = 0; y < 10; ++y) {
            const int s = SquareIndex(x, y, 10);
            const int w = CornerWeights10[static_cast<std::size_t>(s - 13)];
            if (w < 0)
                b[s] = CellWhite;
            else if (w > 0)
                b[s] = CellBlack;
        }
    // The corner neighbours count 12 and 8 once the corners are taken: give
    // them to black too.
    for (const auto& c : EvalTables<10>::Corners)
        for (int s : {c.edge1, c.edge2, c.diagonal}) b[s] = CellBlack;
    return b;
}

}  // namespace

TEST(FastSearch, InvertedValuesAboveTheRootWindowAnswerTheFirstSuchSquare) {
    // Level "0-baby" at depth 1 values each white square 32000 minus white's
    // evaluation after it, far above 32767: the plain search cuts off at the
    // first square in move order, and so must the fast one.
    const auto in = Input(LopsidedBoard(), CellWhite, 1, true, false, 10);
    ASSERT_FALSE(LegalSquares(in).empty());
    const auto ref = ReferenceSearch(in);
    ASSERT_GE(ref.Score, 32767);
    EXPECT_EQ(RunSearch(in).Move, ref.Move);
    for (int depth = 1; depth <= 4; ++depth)
        for (bool advanced : {false, true}) {
            auto d = in;
            d.Depth = depth;
            d.AdvancedEngine = advanced;
            EXPECT_TRUE(SameAnswer(d, "lopsided"));
        }
}

TEST(FastSearch, NeverPassesWithALegalSquare) {
    // Depth 2, level "0-baby", black to move on the lopsided board with one
    // white disc taken away, so that black can move: after every black
    // square white's evaluation stays far below zero, so every black value
    // lies at or below -32767. The plain search passes there; the fast
    // search plays the best legal square.
    const tBoard lopsided = LopsidedBoard();
    int found = 0;
    for (int s = 0; s < 144 && found < 3; ++s) {
        if (lopsided[s] != CellWhite) continue;
        tBoard b = lopsided;
        b[s] = CellEmpty;
        const auto in = Input(b, CellBlack, 2, true, false, 10);
        const auto legal = LegalSquares(in);
        if (legal.empty() || ReferenceSearch(in).Move != PassMove) continue;
        ++found;
        const auto fast = RunSearch(in);
        EXPECT_NE(std::find(legal.begin(), legal.end(), fast.Move), legal.end())
            << s << " " << fast.Move;
        EXPECT_LE(fast.Score, -32767) << s;
    }
    EXPECT_GT(found, 0);
}

// The processor time this process has used so far, all its threads together.
std::chrono::nanoseconds ProcessorTime() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

TEST(FastSearch, AStopInTheMiddleOfADeepSearchReturnsAtOnce) {
    // Depth 9 on 10 x 10 with the mobility term and the inverted values of
    // level "0-baby", which prune poorly: seconds even with every helper
    // thread, far longer than the wait.
    const auto p = RandomPosition(10, 7, 30);
    const auto in = Input(p.Board, p.SideToMove, 9, true, true, 10);
    std::atomic<bool> stop{false};
    std::atomic<bool> returned{false};
    std::chrono::nanoseconds end{};
    std::thread search([&] {
        const auto r = RunSearch(in, &stop);
        end = ProcessorTime();
        returned = true;
        EXPECT_TRUE(r.Stopped);
        EXPECT_EQ(r.Move, PassMove);
        EXPECT_EQ(r.BestMove[0], PassMove);
    });
    std::this_thread::sleep_for(30ms);
    const bool finishedEarly = returned.load();
    const auto asked = ProcessorTime();
    stop = true;
    search.join();
    ASSERT_FALSE(finishedEarly) << "the search ended before the stop request";
    // "At once" is the work done after the request, counted in processor
    // time of every thread: a busy machine may leave the threads waiting
    // for a core for seconds, but a search that goes on after the request
    // keeps its threads working: the rest of this search is many seconds
    // of work, the stop and the end a tenth of a second at most, under the
    // sanitizers and beside other programs too.
    EXPECT_LT(end - asked, 1s);
}

TEST(FastSearch, TheSameAnswerOnEveryRunAndAfterOtherSearches) {
    // The table is reused from search to search: what an earlier search left
    // in it, with other levels and engines, must not change an answer.
    const auto p = RandomPosition(10, 11, 40);
    const auto in = Input(p.Board, p.SideToMove, 6, false, true, 10);
    const auto first = RunSearch(in);
    for (bool baby : {false, true})
        for (bool advanced : {false, true})
            RunSearch(Input(p.Board, p.SideToMove, 5, baby, advanced, 10));
    const auto again = RunSearch(in);
    EXPECT_EQ(again.Move, first.Move);
    EXPECT_EQ(again.Score, first.Score);
    EXPECT_EQ(first.Move, ReferenceSearch(in).Move);
}

TEST(FastSearch, DeepSearchesRunningAtOnceEachGiveTheirOwnAnswer) {
    // Deep searches share their work among helper threads; several of them
    // at once (the game's search beside a test's, or two windows) must not
    // mix their split points or tables.
    std::vector<SearchInput> inputs;
    for (std::uint32_t seed = 1; seed <= 4; ++seed) {
        const auto p = RandomPosition(seed % 2 ? 10 : 8, seed * 31, 24 + static_cast<int>(seed));
        inputs.push_back(Input(p.Board, p.SideToMove, 7, false, seed > 2, seed % 2 ? 10 : 8));
    }
    std::vector<SearchResult> expected;
    for (const auto& in : inputs) expected.push_back(ReferenceSearch(in));
    std::vector<SearchResult> got(inputs.size());
    std::vector<std::thread> threads;
    for (std::size_t k = 0; k < inputs.size(); ++k)
        threads.emplace_back([&, k] {
            for (int round = 0; round < 3; ++round) got[k] = RunSearch(inputs[k]);
        });
    for (auto& t : threads) t.join();
    for (std::size_t k = 0; k < inputs.size(); ++k) {
        EXPECT_EQ(got[k].Move, expected[k].Move) << "search " << k;
        EXPECT_EQ(got[k].Score, expected[k].Score) << "search " << k;
    }
}

TEST(FastSearch, ManySearchesInARowEachEndWithTheReferenceAnswer) {
    // Searches that run long enough wake the helper threads and put them to
    // sleep again when they end; a wake-up lost on the way would leave a
    // search waiting for ever, so the run has a deadline.
    const int count = Sanitized ? 100 : 1000;
    std::promise<void> finished;
    auto done = finished.get_future();
    std::thread run([&] {
        for (int k = 0; k < count; ++k) {
            const int n = k % 2 ? 10 : 8;
            const auto p = RandomPosition(n, 1000u + static_cast<std::uint32_t>(k), 10 + k % 40);
            if (p.GameOver) continue;
            const auto in = Input(p.Board, p.SideToMove, 5 + k % 3, false, k % 4 < 2, n);
            const auto fast = RunSearch(in);
            if (k % 5 != 0) continue;
            const auto ref = ReferenceSearch(in);
            EXPECT_EQ(fast.Move, ref.Move) << "search " << k;
            EXPECT_EQ(fast.Score, ref.Score) << "search " << k;
        }
        finished.set_value();
    });
    if (done.wait_for(Sanitized ? 600s : 120s) != std::future_status::ready) {
        // The thread cannot be joined: report and end the test program.
        std::fprintf(stderr, "A search never ended: its helper threads are stuck\n");
        std::_Exit(1);
    }
    run.join();
}

TEST(SearchBits, MovesAndTurnedDiscsMatchTheByteBoard) {
    // The fast search's move finder and flips against rules::CanMove and
    // rules::PlaceAndFlip, on played and on strewn boards of both sizes.
    std::mt19937 rng(17);
    auto check = [&](auto size, const tBoard& b) {
        constexpr int N = decltype(size)::value;
        const Bits playing = searchbits::Geo<N>.Playing;
        const auto& w = searchbits::Geo<N>.Weights[0];
        for (int me : {CellWhite, CellBlack}) {
            const Bits mine = CellMask<N>(b, me) & playing,
                       theirs = CellMask<N>(b, Opponent(me)) & playing;
            const Bits empty = CellMask<N>(b, CellEmpty) & playing;
            const Bits moves = searchbits::Moves<N>(mine, theirs, empty);
            ASSERT_TRUE(moves == LegalMoves<N>(mine, theirs, empty)) << N;
            for (int s = Layout<N>::First; s <= Layout<N>::Last; ++s) {
                if (!IsPlayingSquare(s, N)) continue;
                const int i = s - Layout<N>::First;
                const bool legal = rules::CanMove<N>(b, s, me, Opponent(me));
                EXPECT_EQ(HasSquare<N>(moves, s), legal) << N << " " << s;
                if (!legal) continue;
                tBoard after = b;
                rules::PlaceAndFlip<N>(after, s, me, Opponent(me));
                const Bits turned = CellMask<N>(after, me) & playing & ~mine & ~searchbits::Bit(i);
                int weight = 0, count = 0;
                const Bits flips = searchbits::Flips<N>(i, mine, theirs, w.data(), weight);
                EXPECT_TRUE(flips == turned) << N << " " << s;
                EXPECT_EQ(searchbits::FlipWeight<N>(i, mine, theirs, w.data(), count), weight)
                    << N << " " << s;
                EXPECT_EQ(count, CountBits(turned)) << N << " " << s;
            }
        }
    };
    for (std::uint32_t seed = 1; seed <= 40; ++seed)
        for (int n : {8, 10}) {
            tBoard b =
                RandomPosition(n, seed,
                               static_cast<int>(seed * 13 % static_cast<std::uint32_t>(n * n - 4)))
                    .Board;
            if (seed % 2) {
                b = EmptyBoard(n);
                for (int x = 0; x < n; ++x)
                    for (int y = 0; y < n; ++y)
                        b[SquareIndex(x, y, n)] = static_cast<std::uint8_t>(1 + rng() % 3);
            }
            if (n == 8)
                check(std::integral_constant<int, 8>{}, b);
            else
                check(std::integral_constant<int, 10>{}, b);
        }
}
